#include <gtest/gtest.h>

#include <random>
#include <string>

#include "cnx/crcnx_manager.h"
#include "services/mfam.h"
#include "support/bwizc_global.h"

namespace {

void read_text(CRCNX_MANAGER& m, const std::string& text) { m.read_cnx_info_from_text(CString(text)); }

// Every field of a read port on one line, "(none)" when it is missing.
std::string read_port_fields(const CRCNX_MANAGER& m, const char* name) {
    const CRCNX_ITEM_USED_PORT* p = m.find_read_port(name);
    if (!p) return "(none)";
    return std::to_string(p->m_a_size) + " " + std::to_string(p->m_a_low) + " " + std::to_string(p->m_b_size) + " " +
           std::to_string(p->m_b_low) + "|" + p->get_port_type().str() + "|" + p->get_default_value().str() + "|" +
           p->get_signal_text().str();
}

// "TYPE value" of a record, "(none)" when it is missing.
template <class ITEM>
std::string typed(const ITEM* item) { return item ? (item->get_type() + " " + item->get_value()).str() : "(none)"; }

// The texts of a string array joined by "|".
std::string joined(const CStringArray* a) {
    if (!a) return "(none)";
    std::string out;
    for (int i = 0; i < a->GetSize(); ++i) out += (i ? "|" : "") + a->GetAt(i).str();
    return out;
}

}  // namespace

TEST(CnxReader, ReadsPrivateParameterConstantAndUsedPortLines) {
    CRCNX_MANAGER m;
    read_text(m,
              "USED_PORT: rx_datain 4 0 0 0 INPUT NODEFVAL \"rx_datain[3..0]\"\n"
              "USED_PORT: tx 1 2 3 4 OUTPUT GND\n"
              "USED_PORT: bad x 2.5 -3 - INPUT_EXT\n"
              "USED_PORT: short 7\n"
              "PRIVATE: WIZ_TEXT STRING \"a\\tb\\nc\\\\d\"\n"
              "PRIVATE: WIZ_ORDER STRING \"x\\\\ny\"\n"
              "PRIVATE: WIZ_COUNT NUMERIC \"4\"\n"
              "PRIVATE: WIZ_ODD FLOAT \"1.5\"\n"
              "PRIVATE: WIZ_NOQUOTE STRING value\n"
              "PRIVATE: WIZ_CUT STRING \"say \"hi\" now\"\n"
              "PRIVATE: WIZ_OPEN STRING \"unterminated\n"
              "PARAMETER: channel_width NUMERIC \"20\"\n"
              "CONSTANT: intended_device_family STRING \"Velaris II GX\"\n");
    // Any type word but NUMERIC reads as a string. "\\" is undone first, so
    // an escaped backslash before n becomes a newline.
    const std::pair<const char*, const char*> privates[] = {
        {"WIZ_TEXT", "STRING a\tb\nc\\d"}, {"WIZ_ORDER", "STRING x\ny"}, {"WIZ_COUNT", "NUMERIC 4"},
        {"WIZ_ODD", "STRING 1.5"},          {"WIZ_NOQUOTE", "STRING "},   {"WIZ_CUT", "STRING say "},
        {"WIZ_OPEN", "STRING unterminated"}};
    for (const auto& [name, want] : privates) EXPECT_EQ(typed(m.find_cnx_private(name)), want) << name;
    EXPECT_EQ(typed(m.find_cnx_parameter("channel_width")), "NUMERIC 20");
    // Constants land in the read-constant table, never in the written one.
    EXPECT_EQ(m.find_cnx_constant("intended_device_family"), nullptr);
    EXPECT_EQ(typed(m.find_read_constant("intended_device_family")), "STRING Velaris II GX");
    // The signal text of a read port is not rebuilt from its dimensions.
    EXPECT_EQ(read_port_fields(m, "rx_datain"), "4 0 0 0|INPUT|NODEFVAL|");
    EXPECT_EQ(read_port_fields(m, "tx"), "1 2 3 4|OUTPUT|GND|");
    EXPECT_EQ(read_port_fields(m, "bad"), "0 0 -3 0|INPUT_EXT||");
    EXPECT_EQ(read_port_fields(m, "short"), "7 0 0 0|||");
    // Read ports are not written ports.
    EXPECT_EQ(m.find_cnx_port("rx_datain"), nullptr);

    // A second read empties the read tables first but adds to the others.
    read_text(m, "PRIVATE: WIZ_MORE STRING \"m\"\nCONSTANT: other STRING \"o\"\nUSED_PORT: p 1 0 0 0 INPUT GND\n");
    EXPECT_EQ(m.find_read_constant("intended_device_family"), nullptr);
    EXPECT_NE(m.find_read_constant("other"), nullptr);
    EXPECT_NE(m.find_read_port("p"), nullptr);
    EXPECT_NE(m.find_cnx_private("WIZ_TEXT"), nullptr);
    EXPECT_NE(m.find_cnx_private("WIZ_MORE"), nullptr);
    read_text(m, "");
    EXPECT_TRUE(m.get_read_constant_table().is_empty());
    EXPECT_TRUE(m.get_read_port_table().is_empty());
}

TEST(CnxReader, ReplacesRetiredFamilyNamesInPrivateValuesOnly) {
    for (const MFAM_RETIRED_FAMILY_NAME& row : mfam_retired_family_names) {
        CRCNX_MANAGER m;
        const std::string retired = row.retired;
        read_text(m, "PRIVATE: WIZ_FAMILY STRING \"" + retired + "\"\n" +
                         "PRIVATE: WIZ_OTHER STRING \"" + retired + " \"\n" +
                         "PARAMETER: family STRING \"" + retired + "\"\n");
        EXPECT_EQ(m.find_cnx_private("WIZ_FAMILY")->get_value(), row.current);
        EXPECT_EQ(m.find_cnx_private("WIZ_OTHER")->get_value(), (retired + " ").c_str());
        EXPECT_EQ(m.find_cnx_parameter("family")->get_value(), row.retired);
    }
}

TEST(CnxReader, CollectsPartTablesUnderTheirFamily) {
    CRCNX_MANAGER m;
    EXPECT_FALSE(m.is_supported_device_info_available());
    read_text(m,
              "SUPPORTED_DEVICE_FAMILY: \"Velaris II GX\"\"Production\"\n"
              "PART_ID: \"  KV2VGX130KF1508C3 \"\n"
              "PART_ID: \"KV2VGX60EF1152C4\"\n"
              "PART_ID: \"   \"\n"
              "PART_ID: \"KV2VGX90EF1152C5\"\n"
              "\n"
              "SUPPORTED_DEVICE_FAMILY: \"Velaris\"\n"
              "PRIVATE: X STRING \"\"\n"
              "SUPPORTED_DEVICE_FAMILY: \"Velaris GX\" \"Preliminary\"\n"
              "PART_ID: \"KV1GX25\"\n");
    EXPECT_TRUE(m.is_supported_device_info_available());
    EXPECT_TRUE(m.has_support_for_device_family("Velaris II GX"));
    EXPECT_TRUE(m.has_support_for_device_family("Velaris"));
    EXPECT_FALSE(m.has_support_for_device_family("velaris"));

    EXPECT_EQ(joined(m.get_device_part_info_table("Velaris II GX")),
              "Production|KV2VGX130KF1508C3|KV2VGX60EF1152C4|KV2VGX90EF1152C5");
    // A support line without part lines gives no table.
    EXPECT_EQ(m.get_device_part_info_table("Velaris"), nullptr);
    // Only the double quote delimits: the blank between the quoted texts is
    // the note. A table still open at the end of the file is kept.
    EXPECT_EQ(joined(m.get_device_part_info_table("Velaris GX")), " |KV1GX25");

    // An empty family name only sets the flag; part lines after it belong to
    // no named family.
    CRCNX_MANAGER empty;
    read_text(empty, "SUPPORTED_DEVICE_FAMILY: \"\"\n");
    EXPECT_TRUE(empty.is_supported_device_info_available());
    EXPECT_TRUE(empty.get_device_family_support_table().is_empty());
}

TEST(CnxReader, ReadsGenFilesAsPersistentAndHelpItemsSplitAtDollar) {
    CRCNX_MANAGER m;
    read_text(m,
              "GEN_FILE: TYPE_NORMAL kv2gxb.v TRUE\n"
              "GEN_FILE: TYPE_EXPLICIT dir\\\\kv2gxb_inst.v FALSE FALSE\n"
              "GEN_FILE: TYPE_TEMPLATE kv2gxb_bb.v 1 \n"
              "GEN_FILE:\n"
              "HELP_MENU_ITEM: TRUE \"About$about.html$topic$with$dollars\"\n"
              "HELP_MENU_ITEM: 0 \"Only\"\n"
              "HELP_MENU_ITEM: FALSE unquoted$x\r\n");
    // File names are de-escaped as they were escaped on writing; a line
    // without a file name is no record; a checked state read from a file is
    // always kept.
    const char* gen_files[] = {"TYPE_NORMAL kv2gxb.v 1 1", "TYPE_EXPLICIT dir\\kv2gxb_inst.v 0 1",
                               "TYPE_TEMPLATE kv2gxb_bb.v 1 1"};
    ASSERT_EQ(m.get_gen_file_list_count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m.get_gen_file_type(i) + " " + m.get_gen_file_namepath(i) + " " +
                      bwizc_global_bool2str(m.is_gen_file_checked(i)) + " " +
                      bwizc_global_bool2str(m.is_gen_file_checked_state_persistent(i)),
                  gen_files[i]);
    }

    const char* help_items[] = {"1 About|About|about.html|topic$with$dollars", "0 Only|Only||",
                                "0 unquoted|unquoted|x|"};
    ASSERT_EQ(m.get_help_menu_list().get_count(), 3);
    for (int i = 0; i < 3; ++i) {
        const CRCNX_ITEM_HELP_MENU_ITEM* item = m.get_help_menu_list().get_at(i);
        EXPECT_EQ(bwizc_global_bool2str(item->get_item_flag()) + " " + item->get_name() + "|" + item->get_first_text() +
                      "|" + item->get_second_text() + "|" + item->get_third_text(),
                  help_items[i]);
    }
}

// The wizard session tests pin the quoted host texts; here only the odd lines.
TEST(CnxReader, SkipsBlankUnknownAndMisspelledLinesAndReadsUnquotedHostTexts) {
    CRCNX_MANAGER m;
    read_text(m,
              "\n"
              "WIZARD_SUBTITLE: \"\"\n"
              "ZEPHRIN_SVERSION: 7.1sp\n"
              "ERR_MSG: ignored on reading\n"
              "   \n"
              "\t \t\r\n"
              "private: lower STRING \"x\"\n"
              "PRIVATE:glued STRING \"x\"\n"
              "PRIVATE_: near STRING \"x\"\n"
              "MODULE: other text\n"
              "CONNECT: a 0 0 0 0 b 0 0 0 0\n"
              "LIBRARY: l v\n"
              "CGXDLL: c\n"
              "SYMBOL: RECT 0 0 10 10\n"
              "GENERATION: STANDARD\n"
              "  PRIVATE: INDENTED STRING \"ok\"\r\n"
              "PRIVATE: CRLF STRING \"v\"\r\n"
              "PRIVATE:\tTABBED\tNUMERIC\t\"3\"");
    EXPECT_EQ(m.get_private_table().get_count(), 3);
    EXPECT_EQ(typed(m.find_cnx_private("INDENTED")) + typed(m.find_cnx_private("CRLF")) +
                  typed(m.find_cnx_private("TABBED")),
              "STRING okSTRING vNUMERIC 3");
    EXPECT_TRUE(m.get_module_table().is_empty());
    EXPECT_TRUE(m.get_connection_table().is_empty());
    EXPECT_TRUE(m.get_library_table().is_empty());
    EXPECT_TRUE(m.get_cgxdll_table().is_empty());
    EXPECT_TRUE(m.get_err_msg_list().is_empty());
    // An empty subtitle leaves the command line's one.
    EXPECT_EQ(m.get_wizard_subtitle("cmd sub"), "cmd sub");
    EXPECT_EQ(m.get_zephrin_short_version(), "7.1sp");
}

TEST(CnxReader, SurvivesTruncatedBinaryAndHugeInput) {
    const std::string header = "GENERATION: STANDARD\nVERSION: WM1.0\n";
    const char* identifiers[] = {"PRIVATE:", "PARAMETER:", "CONSTANT:", "USED_PORT:", "GEN_FILE:",
                                 "HELP_MENU_ITEM:", "SUPPORTED_DEVICE_FAMILY:", "PART_ID:", "WIZARD_TITLE:", "ERR_MSG:"};
    std::mt19937 rng(20261205);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int lines = static_cast<int>(rng() % 40);
        for (int i = 0; i < lines; ++i) {
            if (rng() % 2) text += identifiers[rng() % std::size(identifiers)];
            const int len = static_cast<int>(rng() % 60);
            for (int k = 0; k < len; ++k) {
                // Mostly the characters the grammar cares about, some raw bytes.
                static const char interesting[] = " \t\"\\$-0123456789abcXYZ\r";
                text += (rng() % 4) ? interesting[rng() % (sizeof interesting - 1)] : static_cast<char>(rng() % 256);
            }
            if (rng() % 8) text += '\n';
        }
        CRCNX_MANAGER m;
        m.read_cnx_info_from_text(CString(text));
        const std::string out = m.get_cnx_text("kv2gxb", false).str();
        ASSERT_EQ(out.compare(0, header.size(), header), 0) << "round " << round;
        ASSERT_EQ(out.find('\0'), std::string::npos) << "round " << round;
    }

    // Truncated lines of every kind.
    CRCNX_MANAGER cut;
    for (const char* id : identifiers) {
        cut.read_cnx_info_from_text(CString(id));
        cut.read_cnx_info_from_text(CString(std::string(id) + " \""));
    }
    EXPECT_EQ(cut.find_cnx_private(""), nullptr);
    EXPECT_EQ(typed(cut.find_cnx_private("\"")), "STRING ");
    EXPECT_EQ(cut.get_gen_file_list_count(), 0);

    // A line ends at a NUL byte: names that differ only after one are one
    // name, nothing written holds a NUL, and what is written reads back the same.
    CRCNX_MANAGER nul;
    static const char with_nul_text[] = "PRIVATE: Y\0a STRING \"1\"\nPRIVATE: Y STRING \"2\"\nPRIVATE: Z STRING \"x\0y\"\n";
    const std::string with_nul(with_nul_text, sizeof with_nul_text - 1);
    nul.read_cnx_info_from_text(CString(with_nul));
    EXPECT_EQ(nul.get_private_table().get_count(), 2);
    EXPECT_EQ(typed(nul.find_cnx_private("Y")) + "|" + typed(nul.find_cnx_private("Z")), "STRING 2|STRING x");
    const std::string nul_out = nul.get_cnx_text("kv2gxb", false).str();
    EXPECT_EQ(nul_out.find('\0'), std::string::npos);
    CRCNX_MANAGER again;
    again.read_cnx_info_from_text(CString(nul_out));
    EXPECT_EQ(again.get_cnx_text("kv2gxb", false).str(), nul_out);

    // A line longer than the cap is left out whole; the next one is read.
    CRCNX_MANAGER big;
    big.read_cnx_info_from_text(CString("PRIVATE: WIZ_A STRING \"" + std::string(CRCNX_MANAGER::MAX_LINE_LENGTH, 'x') +
                                        "\"\nPRIVATE: WIZ_B STRING \"kept\"\n"));
    EXPECT_EQ(big.find_cnx_private("WIZ_A"), nullptr);
    EXPECT_EQ(typed(big.find_cnx_private("WIZ_B")), "STRING kept");
}
