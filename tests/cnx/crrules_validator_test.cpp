// The kv2gxb rules as a caller meets them: what a combination of supplied
// parameters and ports makes the validator say, what it completes by itself,
// which wizard map it picks, and what a broken rules file is reported as.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cnx/crrules_validator.h"
#include "test_scratch.h"

namespace {

const CString RULES_FILE = KV2GXB_SOURCE_DIR "/data/brixfunctions/kv2gxb_rules.xml";

using PAIRS = std::vector<std::pair<const char*, const char*>>;

struct VIOLATION_CASE {
    const char* what;
    PAIRS supplied;          // parameters, or ports with "true"/"false"
    std::vector<const char*> messages;  // empty: the rules hold after the fix-up
    PAIRS completed;         // values the fix-up gave objects left out
};

const VIOLATION_CASE VIOLATIONS[] = {
    {"single-width Basic above its range",
     {{"PROTOCOL", "3g_basic"}, {"RX_DATA_RATE", "5000"}, {"TX_DATA_RATE", "5000"}},
     {"RX_DATA_RATE \"5000\" is not allowed (single width); allowed range: 622 to 3125",
      "TX_DATA_RATE \"5000\" is not allowed (single width); allowed range: 622 to 3125"},
     {}},
    {"a receiver parameter of a transmitter-only variation",
     {{"OPERATION_MODE", "tx"}, {"RX_CHANNEL_WIDTH", "16"}},
     {"RX_CHANNEL_WIDTH \"16\" is not allowed (a transmitter-only variation has no receiver parameters); allowed "
      "values: none"},
     {}},
    {"SONET OC48 with 8b/10b",
     {{"PROTOCOL", "SONET"}, {"RX_DATA_RATE", "2488"}, {"RX_8B_10B_MODE", "normal"}},
     // No coding of the transmitter satisfies both the protocol and the receiver.
     {"RX_8B_10B_MODE \"normal\" is not allowed (the protocol codes no 8b/10b); allowed values: none",
      "TX_8B_10B_MODE \"none\" is not allowed (receiver and transmitter share the coding); allowed values: normal"},
     {}},
    {"XAUI without its 8b/10b status",
     {{"PROTOCOL", "XAUI"}, {"rx_errdetect", "false"}},
     {"The port rx_errdetect must be used (the protocol reports its 8b/10b status)"},
     {}},
    {"XAUI completed from its protocol alone",
     {{"PROTOCOL", "XAUI"}},
     {},
     {{"RX_CHANNEL_WIDTH", "16"}, {"TX_DATA_RATE", "3125"}, {"CMU_PLL_INCLOCK_PERIOD", "6400"},
      {"RX_RATE_MATCH_PATTERN1", "1101000011"}, {"RX_DATAPATH_PROTOCOL", "xaui"}, {"rx_ctrldetect", "true"},
      {"RX_SELF_TEST_MODE", "none"}, {"RX_ENABLE_SELF_TEST_MODE", "false"}}},
    {"SONET OC48 completed from its rate",
     {{"PROTOCOL", "SONET"}, {"RX_DATA_RATE", "2488"}},
     {},
     {{"RX_CHANNEL_WIDTH", "16"}, {"TX_CHANNEL_WIDTH", "16"}, {"RX_DATA_RATE_REMAINDER", "320000"},
      {"CMU_PLL_INCLOCK_PERIOD", "12860"}, {"RX_8B_10B_MODE", "none"}, {"rx_ctrldetect", "false"}}},
};

std::vector<std::string> error_messages(BRIX_INFO& info) {
    std::vector<std::string> messages;
    info.reset_error_message_list();
    for (CString m = info.get_next_error_message(); !m.IsEmpty(); m = info.get_next_error_message()) messages.push_back(m.str());
    return messages;
}

void supply(CRules_Validator& validator, const PAIRS& values) {
    BRIX_RULES_VALIDATOR& rules = validator.get_validator();
    for (const auto& [name, value] : values) {
        BRIX_OBJ_INFO* object = rules.get_parameter_object(name);
        if (!object) object = rules.get_port_object(name);
        ASSERT_NE(object, nullptr) << name;
        object->set_value(value);
        object->set_supplied(true);
        validator.add_supplied_name(name);
    }
}

}  // namespace

TEST(RulesValidator, ForbiddenCombinationsNameTheParameterAndTheAllowedValues) {
    for (const VIOLATION_CASE& c : VIOLATIONS) {
        SCOPED_TRACE(c.what);
        CRules_Validator validator("kv2gxb", RULES_FILE);
        ASSERT_TRUE(validator.get_validator().is_loaded()) << validator.get_brix_info().get_error_message().str();
        validator.initialize_validator();
        supply(validator, c.supplied);
        EXPECT_EQ(validator.run_validator(), c.messages.empty());
        EXPECT_EQ(error_messages(validator.get_brix_info()), std::vector<std::string>(c.messages.begin(), c.messages.end()));
        // The fix-up completes what was left out and never touches the caller's values.
        for (const PAIRS* pairs : {&c.completed, &c.supplied}) {
            for (const auto& [name, value] : *pairs) {
                EXPECT_EQ(validator.get_brix_info().get_brix_obj(name)->get_value().str(), value) << name;
            }
        }
    }
}

TEST(RulesValidator, ExactlyOneQualifyingWizardMapIsSelectedAndEvaluated) {
    struct MAP_CASE {
        const char* what;
        const char* maps;
        const char* selected;  // null: no valid wizard
    };
    const MAP_CASE cases[] = {
        {"one of three conditions holds",
         "<wizard name='a' condition='P == \"x\"'/><wizard name='b' condition='P == \"y\"'/>"
         "<wizard name='c' condition='N > 3'/>",
         "b"},
        {"a map without condition and maps whose conditions fail",
         "<wizard name='a' condition='P == \"x\"'/><wizard name='open'/>", "open"},
        {"two conditions hold", "<wizard name='a' condition='N == 2'/><wizard name='b' condition='P == \"y\"'/>",
         nullptr},
        {"none holds", "<wizard name='a' condition='N == 3'/>", nullptr},
        {"a condition that cannot be evaluated does not qualify",
         "<wizard name='a' condition='MISSING == 1'/><wizard name='b' condition='N == 2'/>", "b"},
    };
    for (const MAP_CASE& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = ::testing::TempDir() + "maps_rules.xml";
        write_file(path, std::string("<brixfunction name='t'><parameters>"
                                     "<parameter name='P' kind='string' default='y'/>"
                                     "<parameter name='N' kind='numeric' default='2'/>"
                                     "</parameters>") +
                             c.maps + "<common><private name='OUT' value='int(N) * 10'/></common>"
                                      "</brixfunction>");
        CRules_Validator validator("t", path.c_str());
        ASSERT_TRUE(validator.get_validator().is_loaded());
        validator.initialize_validator();
        const bool mapped = validator.do_wizard_mapping();
        EXPECT_EQ(mapped, c.selected != nullptr);
        if (!c.selected) continue;
        BRIX_WIZARD_MAP* map = validator.get_selected_wizard_map();
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(map->name.str(), c.selected);
        map->reset_iteration();
        const BRIX_OBJ_INFO* out = map->get_next_brix_obj();
        ASSERT_NE(out, nullptr);
        EXPECT_TRUE(out->is_selected());
        EXPECT_EQ(out->get_value().str(), "20");
    }
}

TEST(RulesValidator, ABrokenRulesFileIsReportedWithItsPlaceNeverLoaded) {
    struct BROKEN_CASE {
        const char* what;
        const char* text;
        const char* message;
    };
    const BROKEN_CASE cases[] = {
        {"not well-formed", "<brixfunction name='t'>\n<rules>\n</brixfunction>",
         "broken_rules.xml, line 3: Start-end tags mismatch"},
        {"rule for an unknown object",
         "<brixfunction name='t'><rules>\n<rule object='Q' allowed='{1}'/></rules></brixfunction>",
         "broken_rules.xml, line 2: rule for the unknown object Q"},
    };
    for (const BROKEN_CASE& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = ::testing::TempDir() + "broken_rules.xml";
        write_file(path, c.text);
        CRules_Validator validator("t", path.c_str());
        EXPECT_FALSE(validator.get_validator().is_loaded());
        EXPECT_EQ(validator.get_brix_info().get_error_message().str(), c.message);
        // Nothing half-loaded is used: no map, and the validator refuses.
        EXPECT_FALSE(validator.do_wizard_mapping());
        EXPECT_FALSE(validator.run_validator());
    }
}
