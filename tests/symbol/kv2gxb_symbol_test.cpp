// The transceiver's standard symbol with the shared text metrics: its text
// matches the checked-in file that the Qt run compares against as well. The
// layout rules themselves are worked out by hand with the fake metrics.
#include <gtest/gtest.h>

#include <fstream>

#include "symbol/kv2gxb_port_set.h"

TEST(Kv2gxbSymbol, WritesTheCheckedInSymbolText) {
    KV2GXB_SYMBOL s;
    const CString text = s.cnx_text();
    const CString golden = kv2gxb_golden_symbol_text();
    {
        std::ofstream out(KV2GXB_ARTIFACTS_DIR "/symbol_kv2gxb_headless.txt", std::ios::binary);
        out << text.c_str();
    }
    ASSERT_FALSE(golden.IsEmpty());
    EXPECT_EQ(text, golden);
}
