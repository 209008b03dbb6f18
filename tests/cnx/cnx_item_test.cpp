#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "cnx/crcnx_item.h"

TEST(CnxItem, DimensionStringShowsOuterRangeBeforeInnerRange) {
    // The last two: extreme numbers, as a hand-edited file may bring them, stay defined.
    const std::pair<std::array<int, 4>, const char*> rows[] = {
        {{4, 0, 0, 0}, "[3..0]"}, {{2, 5, 0, 0}, "[6..5]"}, {{0, 0, 3, 1}, "[3..1]"}, {{8, 0, 4, 2}, "[5..2][7..0]"},
        {{1, 0, 0, 0}, "[0..0]"}, {{0, 7, 0, 9}, ""},       {{-4, 0, -1, 0}, ""},
        {{INT_MAX, 1, 0, 0}, "[2147483647..1]"},           {{0, 0, 2, INT_MAX}, "[-2147483648..2147483647]"}};
    for (const auto& [d, text] : rows)
        EXPECT_EQ(CRCNX_ITEM::get_dimension_string(d[0], d[1], d[2], d[3]), text) << text;
}

TEST(CnxItem, UsedPortWithoutSignalTextNamesItselfWithItsDimensions) {
    // A given text is kept, trimmed only at the right.
    const std::pair<CRCNX_ITEM_USED_PORT, const char*> rows[] = {
        {{"rx_datain", 4, 0, 0, 0, CRCNX_ITEM_USED_PORT::IN_PORT_TYPE, CRCNX_ITEM_USED_PORT::NODEFVAL, ""},
         "rx_datain[3..0]"},
        {{"pll_locked", 0, 0, 0, 0, CRCNX_ITEM_USED_PORT::OUT_PORT_TYPE, "", " \t "}, "pll_locked"},
        {{"tx_data", 8, 0, 2, 0, CRCNX_ITEM_USED_PORT::IN_PORT_TYPE, "", ""}, "tx_data[1..0][7..0]"},
        {{"cal_clk", 0, 0, 0, 0, CRCNX_ITEM_USED_PORT::IN_PORT_TYPE, CRCNX_ITEM_USED_PORT::GND, " clk_in \t"},
         " clk_in"}};
    for (const auto& [port, text] : rows) EXPECT_EQ(port.get_signal_text(), text) << port.get_name().str();
}

namespace {

std::vector<std::string> sorted_names(const std::vector<std::string>& names) {
    std::vector<std::unique_ptr<CRCNX_ITEM>> items;
    BWIZC_CNX_ITEM_LIST list;
    for (const auto& n : names) {
        items.push_back(std::make_unique<CRCNX_ITEM>(CString(n)));
        list.add(items.back().get());
    }
    list.sort_items_by_name();
    std::vector<std::string> out;
    for (CRCNX_ITEM* item : list) out.push_back(item->get_name().str());
    return out;
}

}  // namespace

TEST(CnxItemList, SortsByNameInByteOrder) {
    EXPECT_EQ(sorted_names({"b", "A", "a"}), (std::vector<std::string>{"A", "a", "b"}));
    // Bytes above 0x7F sort after ASCII, as unsigned bytes do.
    EXPECT_EQ(sorted_names({"\xC3\xA9", "z", "Z"}), (std::vector<std::string>{"Z", "z", "\xC3\xA9"}));

    // Larger sets, duplicates included, agree with a byte-order sort.
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string> names;
        const int count = static_cast<int>(rng() % 300);
        for (int i = 0; i < count; ++i) {
            std::string n;
            const int len = static_cast<int>(rng() % 5);
            for (int k = 0; k < len; ++k) n += "aAbB_0\x80"[rng() % 7];
            names.push_back(n);
        }
        std::vector<std::string> expected = names;
        std::sort(expected.begin(), expected.end(),
                  [](const std::string& a, const std::string& b) { return std::strcmp(a.c_str(), b.c_str()) < 0; });
        EXPECT_EQ(sorted_names(names), expected) << "round " << round;
    }
}
