#include <gtest/gtest.h>

#include <vector>

#include "support/bwizc_collections.h"

namespace {

// Counts its destructions so that ownership can be observed.
class COUNTED : public BWIZC_OBJECT {
public:
    explicit COUNTED(const char* name, int* deaths) : BWIZC_OBJECT(name), m_deaths(deaths) {}
    ~COUNTED() override { ++*m_deaths; }

private:
    int* m_deaths;
};

class RENAMED : public BWIZC_OBJECT {
public:
    explicit RENAMED(const char* name) : BWIZC_OBJECT(name) {}
    CString to_string() const override { return "shown:" + m_name; }
};

std::vector<CString> keys_of(const BWIZC_OBJ_MAP<COUNTED>& map) {
    std::vector<CString> keys;
    for (const auto& entry : map) keys.push_back(entry.first);
    return keys;
}

}  // namespace

TEST(BwizcObject, AssignmentTakesOtherObjectsShownName) {
    BWIZC_OBJECT plain("plain");
    RENAMED renamed("inner");
    plain = renamed;
    EXPECT_EQ(plain.to_string(), "shown:inner");

    BWIZC_OBJECT& self = plain;
    plain = self;
    EXPECT_EQ(plain.to_string(), "shown:inner");
}

TEST(BwizcArray, GrowsInStepsAndClampsIndexedReads) {
    BWIZC_ARRAY<const char*> empty;
    EXPECT_EQ(empty.get_at(0), nullptr);
    EXPECT_EQ(empty[-1], nullptr);

    const char* names[12] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
    BWIZC_ARRAY<const char*> array;
    EXPECT_EQ(array.get_capacity(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(array.add(names[i]), i);
    EXPECT_EQ(array.get_capacity(), 10);
    array.add(names[10]);
    EXPECT_EQ(array.get_capacity(), 20);
    EXPECT_EQ(array.get_size(), 11);

    EXPECT_EQ(array[-3], names[0]);
    EXPECT_EQ(array[10], names[10]);
    EXPECT_EQ(array[99], names[10]);

    array.insert_at(1, names[11]);
    EXPECT_EQ(array[1], names[11]);
    EXPECT_EQ(array[2], names[1]);
    EXPECT_EQ(array.find(names[11]), 1);
    EXPECT_TRUE(array.remove(names[11]));
    EXPECT_FALSE(array.remove(names[11]));
    EXPECT_EQ(array.find(names[11]), -1);
    array.remove_at(0);
    EXPECT_EQ(array.get_first(), names[1]);
    array.remove_at(50);
    EXPECT_EQ(array.get_size(), 10);

    BWIZC_ARRAY<unsigned long> codes(2, 3);
    for (unsigned long c = 0; c < 3; ++c) codes.add(c);
    EXPECT_EQ(codes.get_capacity(), 5);
}

TEST(BwizcObjList, ListsAndMapsDeleteElementsOnlyWhenOwningOrAskedTo) {
    int deaths = 0;
    {
        BWIZC_OBJ_LIST<COUNTED> owning(true);
        owning.add_tail(new COUNTED("a", &deaths));
        owning.add_tail(new COUNTED("b", &deaths));
        owning.add_head(new COUNTED("c", &deaths));
        EXPECT_EQ(owning.get_head()->to_string(), "c");
        EXPECT_EQ(owning.get_at(2)->to_string(), "b");
        EXPECT_EQ(owning.get_at(3), nullptr);
        COUNTED* taken = owning.remove_head();
        EXPECT_EQ(deaths, 0);
        delete taken;
        EXPECT_EQ(deaths, 1);
    }
    EXPECT_EQ(deaths, 3);

    deaths = 0;
    COUNTED kept("kept", &deaths);
    {
        BWIZC_OBJ_LIST<COUNTED> borrowing;
        borrowing.add_tail(&kept);
        EXPECT_EQ(borrowing.find(&kept), 0);
    }
    EXPECT_EQ(deaths, 0);

    BWIZC_OBJ_LIST<COUNTED> list;
    list.add_tail(new COUNTED("x", &deaths));
    list.add_tail(new COUNTED("y", &deaths));
    list.delete_all();
    EXPECT_EQ(deaths, 2);
    EXPECT_TRUE(list.is_empty());
    EXPECT_EQ(list.remove_tail(), nullptr);

    // Maps own their values the same way.
    {
        BWIZC_OBJ_MAP<COUNTED> owning(true);
        owning.set_at("x", new COUNTED("x", &deaths));
        owning.set_at("y", new COUNTED("y", &deaths));
        BWIZC_OBJ_MAP<COUNTED> borrowing;
        borrowing.set_at("k", &kept);
    }
    EXPECT_EQ(deaths, 4);
}

TEST(BwizcObjMap, KeepsInsertionOrderAndExactKeys) {
    int deaths = 0;
    BWIZC_OBJ_MAP<COUNTED> map(true);
    COUNTED* first_b = new COUNTED("b1", &deaths);
    EXPECT_EQ(map.set_at("b", first_b), nullptr);
    map.set_at("A", new COUNTED("A", &deaths));
    map.set_at("a", new COUNTED("a", &deaths));
    map.set_at("c", new COUNTED("c", &deaths));
    EXPECT_EQ(keys_of(map), (std::vector<CString>{"b", "A", "a", "c"}));
    EXPECT_EQ(map.get("a")->to_string(), "a");
    EXPECT_EQ(map.get("A")->to_string(), "A");
    EXPECT_EQ(map.get("B"), nullptr);

    // Replacing keeps the key's place and hands back the old value.
    EXPECT_EQ(map.set_at("b", new COUNTED("b2", &deaths)), first_b);
    delete first_b;
    EXPECT_EQ(keys_of(map), (std::vector<CString>{"b", "A", "a", "c"}));
    EXPECT_EQ(map.get("b")->to_string(), "b2");

    // Removing a key keeps the others findable and in order.
    COUNTED* removed = map.remove_key("A");
    ASSERT_NE(removed, nullptr);
    delete removed;
    EXPECT_EQ(map.remove_key("A"), nullptr);
    EXPECT_EQ(keys_of(map), (std::vector<CString>{"b", "a", "c"}));
    COUNTED* found = nullptr;
    EXPECT_TRUE(map.lookup("c", found));
    EXPECT_EQ(found->to_string(), "c");
    EXPECT_FALSE(map.lookup("A", found));
    EXPECT_EQ(deaths, 2);

    map.delete_all();
    EXPECT_EQ(deaths, 5);
    EXPECT_EQ(map.get_count(), 0);
    EXPECT_EQ(map.get("a"), nullptr);
}
