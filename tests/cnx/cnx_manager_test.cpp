#include <gtest/gtest.h>

#include "cnx/crcnx_manager.h"

namespace {

int g_destroyed = 0;

// Records that count their destruction.
template <class BASE>
class COUNTED : public BASE {
public:
    using BASE::BASE;
    ~COUNTED() override { ++g_destroyed; }
};

}  // namespace

TEST(CnxManager, AddingReplacesAndDestroysTheRecordOfTheSameKey) {
    g_destroyed = 0;
    {
        CRCNX_MANAGER m;
        auto* first = new COUNTED<CRCNX_ITEM_PRIVATE>("WIZ_A", "STRING", "1");
        m.add_cnx_private(first);
        m.add_cnx_private(new COUNTED<CRCNX_ITEM_PRIVATE>("WIZ_B", "STRING", "x"));
        auto* second = new COUNTED<CRCNX_ITEM_PRIVATE>("WIZ_A", "STRING", "2");
        m.add_cnx_private(second);
        EXPECT_EQ(g_destroyed, 1);
        EXPECT_EQ(m.find_cnx_private("WIZ_A"), second);
        EXPECT_EQ(m.get_private_table().get_count(), 2);
        // The replacing record keeps the place of the one it replaced.
        EXPECT_EQ(m.get_private_table().begin()->second, second);
        // Adding the stored record again keeps it.
        m.add_cnx_private(second);
        EXPECT_EQ(g_destroyed, 1);
        EXPECT_EQ(m.find_cnx_private("WIZ_A"), second);
        // Keys are case-sensitive.
        EXPECT_EQ(m.find_cnx_private("wiz_a"), nullptr);

        m.add_cnx_module(new COUNTED<CRCNX_ITEM_MODULE>("kv2gxb", ""));
        m.add_cnx_module(new COUNTED<CRCNX_ITEM_MODULE>("kv2gxb", "t"));
        m.add_cnx_constant(new COUNTED<CRCNX_ITEM_CONSTANT>("c", "STRING", "1"));
        m.add_cnx_constant(new COUNTED<CRCNX_ITEM_CONSTANT>("c", "STRING", "2"));
        m.add_cnx_parameter(new COUNTED<CRCNX_ITEM_PARAMETER>("p", "STRING", "1"));
        m.add_cnx_parameter(new COUNTED<CRCNX_ITEM_PARAMETER>("p", "STRING", "2"));
        m.add_cnx_port(new COUNTED<CRCNX_ITEM_USED_PORT>("rx", 1, 0, 0, 0, "INPUT", "NODEFVAL", ""));
        m.add_cnx_port(new COUNTED<CRCNX_ITEM_USED_PORT>("rx", 2, 0, 0, 0, "INPUT", "NODEFVAL", ""));
        EXPECT_EQ(g_destroyed, 5);
        EXPECT_EQ(m.find_cnx_module("kv2gxb")->get_module_text(), "t");
        EXPECT_EQ(m.find_cnx_constant("c")->get_value(), "2");
        EXPECT_EQ(m.find_cnx_parameter("p")->get_value(), "2");
        EXPECT_EQ(m.find_cnx_port("rx")->m_a_size, 2);
    }
    // Destroying the manager destroys what it holds: 2 privates, and one
    // each of module, constant, parameter and port.
    EXPECT_EQ(g_destroyed, 11);
}

TEST(CnxManager, ConnectionsAreKeyedByDirectionAndRemovingOrClearingDestroysRecords) {
    g_destroyed = 0;
    CRCNX_MANAGER m;
    m.add_cnx_connection(new COUNTED<CRCNX_ITEM_CONNECTION>("a", 1, 0, 0, 0, "b", 1, 0, 0, 0));
    m.add_cnx_connection(new COUNTED<CRCNX_ITEM_CONNECTION>("a", 2, 0, 0, 0, "b", 2, 0, 0, 0));
    EXPECT_EQ(g_destroyed, 1);
    m.add_cnx_connection(new COUNTED<CRCNX_ITEM_CONNECTION>("b", 3, 0, 0, 0, "a", 3, 0, 0, 0));
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(m.get_connection_table().get_count(), 2);
    ASSERT_NE(m.find_cnx_connection("a", "b"), nullptr);
    EXPECT_EQ(m.find_cnx_connection("a", "b")->m_a_size, 2);
    EXPECT_EQ(m.find_cnx_connection("b", "a")->m_a_size, 3);
    EXPECT_TRUE(m.remove_cnx_connection("a", "b"));
    EXPECT_EQ(g_destroyed, 2);
    EXPECT_FALSE(m.remove_cnx_connection("a", "b"));
    EXPECT_EQ(m.find_cnx_connection("a", "b"), nullptr);

    g_destroyed = 0;
    m.add_cnx_private(new COUNTED<CRCNX_ITEM_PRIVATE>("x", "STRING", ""));
    EXPECT_FALSE(m.remove_cnx_private("y"));
    EXPECT_TRUE(m.remove_cnx_private("x"));
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_TRUE(m.get_private_table().is_empty());

    g_destroyed = 0;
    m.add_cnx_module(new COUNTED<CRCNX_ITEM_MODULE>("m", ""));
    m.get_cgxdll_table().set_at("d", new COUNTED<CRCNX_ITEM_CGXDLL>("d", "v"));
    m.get_library_table().set_at("l", new COUNTED<CRCNX_ITEM_LIBRARY>("l", "v"));
    m.add_cnx_private(new COUNTED<CRCNX_ITEM_PRIVATE>("x", "STRING", ""));
    m.add_cnx_parameter(new COUNTED<CRCNX_ITEM_PARAMETER>("p", "STRING", ""));
    m.add_cnx_constant(new COUNTED<CRCNX_ITEM_CONSTANT>("c", "STRING", ""));
    m.add_cnx_port(new COUNTED<CRCNX_ITEM_USED_PORT>("rx", 0, 0, 0, 0, "INPUT", "", ""));
    m.add_cnx_connection(new COUNTED<CRCNX_ITEM_CONNECTION>("rx", 0, 0, 0, 0, "@", 0, 0, 0, 0));
    m.add_cnx_gen_file(new COUNTED<CRCNX_ITEM_GEN_FILE>("TYPE_NORMAL", "f.v", true, true));
    m.add_cnx_err_msg(new COUNTED<CRCNX_ITEM_ERR_MSG>("e"));
    m.get_read_constant_table().set_at("rc", new COUNTED<CRCNX_ITEM_CONSTANT>("rc", "STRING", ""));
    m.delete_all_written_items();
    // The eight written records and the b-to-a connection left from above.
    EXPECT_EQ(g_destroyed, 9);
    EXPECT_TRUE(m.get_module_table().is_empty());
    EXPECT_TRUE(m.get_connection_table().is_empty());
    EXPECT_EQ(m.get_gen_file_list_count(), 1);
    EXPECT_EQ(m.get_err_msg_list().get_count(), 1);
    EXPECT_NE(m.find_read_constant("rc"), nullptr);
}

TEST(CnxManager, GenFileQueriesTolerateBadIndexes) {
    CRCNX_MANAGER m;
    m.add_cnx_gen_file(new CRCNX_ITEM_GEN_FILE("TYPE_NORMAL", "a.v", true, false));
    m.add_cnx_gen_file(new CRCNX_ITEM_GEN_FILE("TYPE_EXPLICIT", "b.v", false, true));
    // A file read back always keeps its checked state; one the wizard adds may not.
    EXPECT_FALSE(m.is_gen_file_checked_state_persistent(0));
    for (int bad : {-1, 2, 1000}) {
        EXPECT_EQ(m.get_file_in_gen_file_list(bad), nullptr);
        EXPECT_EQ(m.get_gen_file_namepath(bad), "");
        EXPECT_EQ(m.get_gen_file_type(bad), "");
        EXPECT_FALSE(m.is_gen_file_checked(bad));
        EXPECT_FALSE(m.is_gen_file_checked_state_persistent(bad));
    }
}
