// Names, enumerations and conversion tables of the transceiver model.
#include <gtest/gtest.h>

#include "transceiver/kvgxb.h"

TEST(KvgxbNames, ProtocolCodesAndCnxKeys) {
    KVGXB_WIZARD_MODEL m;
    EXPECT_EQ(m.protocol_enum2string("SONET"), "SONET Backplane");
    EXPECT_EQ(m.protocol_enum2string("sonet"), "SONET Backplane");
    EXPECT_EQ(m.protocol_enum2string("5"), "SONET Backplane");
    EXPECT_EQ(m.protocol_enum2string("3"), "PCI Express (PIPE)");
    EXPECT_EQ(m.protocol_enum2string("7"), "7");
    EXPECT_EQ(m.protocol_string2enum("XAUI"), 6);
    EXPECT_EQ(m.protocol_string2enum("gige"), 6);
    EXPECT_EQ(m.protocol_string2enum("(OIF) CEI PHY Interface"), 2);
    EXPECT_EQ(m.protocol_string2enum("Basic"), 0);
    EXPECT_EQ(m.protocol_string2enum("unknown"), 0);

    EXPECT_EQ(m.get_protocol_for_cnx(), "3g_basic");
    m.single_width_mode = false;
    EXPECT_EQ(m.get_protocol_for_cnx(), "6g_basic");
    m.protocol = "SONET Backplane";
    m.subprotocol = "OC48";
    EXPECT_EQ(m.get_protocol_for_cnx(), "SONET");
    m.subprotocol = "OC96";
    EXPECT_EQ(m.get_protocol_for_cnx(), "5g_scrambled");
    m.protocol = "SDI";
    EXPECT_EQ(m.get_protocol_for_cnx(), "3g_basic");
    m.protocol = "GIGE";
    EXPECT_EQ(m.get_protocol_for_cnx(), "GIGE");

    m.subprotocol = "N/A";
    EXPECT_EQ(m.get_protocol_from_cnx("cei_6g"), "(OIF) CEI PHY Interface");
    EXPECT_EQ(m.get_protocol_from_cnx("PIPE"), "PCI Express (PIPE)");
    EXPECT_EQ(m.get_protocol_from_cnx("6G_BASIC"), "Basic");
    EXPECT_EQ(m.get_protocol_from_cnx("xaui"), "");
    EXPECT_EQ(m.subprotocol, "N/A");
    EXPECT_EQ(m.get_protocol_from_cnx("5g_scrambled"), "SONET Backplane");
    EXPECT_EQ(m.subprotocol, "OC96");
}
