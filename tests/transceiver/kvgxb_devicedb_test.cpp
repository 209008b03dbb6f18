// The model against the real device database: every configuration key's 22
// answers come from the database server, are filed as the wizard files them,
// and common protocol choices must then be found feasible.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "transceiver/kvgxb_test_support.h"

namespace {

// Runs the database server on the given command lines and returns the
// answers in order; a failed command gives an empty answer.
std::vector<std::vector<std::string>> ask_device_database(const std::vector<std::string>& commands) {
    const std::string dir = KV2GXB_ARTIFACTS_DIR;
    const std::string in_path = dir + "/kvgxb_devicedb_commands.txt";
    const std::string out_path = dir + "/kvgxb_devicedb_answers.txt";
    {
        std::ofstream in(in_path);
        for (const std::string& c : commands) in << c << "\n";
    }
    const std::string server = std::string(KV2GXB_SOURCE_DIR) + "/data/device/devicedb_server.tcl";
    const std::string command = "tclsh '" + server + "' < '" + in_path + "' > '" + out_path + "' 2>/dev/null";
    std::vector<std::vector<std::string>> answers;
    if (std::system(command.c_str()) != 0) return answers;
    std::ifstream out(out_path);
    std::string line;
    while (std::getline(out, line)) {
        int count = std::atoi(line.c_str());
        std::vector<std::string> answer;
        for (int i = 0; i < (count < 0 ? 1 : count) && std::getline(out, line); ++i) answer.push_back(line);
        if (count < 0) answer.clear();
        answers.push_back(answer);
    }
    return answers;
}

// The start-up enumeration: keys first, then 22 queries per key, each
// answer filed with its row name in front.
bool load_presets(KVGXB_WIZARD_MODEL& model) {
    const std::string load[] = {"load_package device_features", "load_device_info KV2VGX130KF1508C3"};
    auto keys = ask_device_database({load[0], load[1], "get_config_keys"});
    if (keys.size() != 3 || keys[2].empty()) return false;
    std::vector<std::string> commands = {load[0], load[1]};
    for (const std::string& key : keys[2]) {
        model.key_array_list.Add(key.c_str());
        for (int q = 0; q < KVGXB_PRESET_QUERY_COUNT; ++q) {
            std::string query = KVGXB_PRESET_QUERY_TBL[q].query;
            if (query.find("VELARISIIGX_ATOM_PARAM") != std::string::npos) {
                commands.push_back("get_atom_param_value -config_key " + key + " -atom_param " + query);
            } else {
                commands.push_back(query + " " + key);
            }
        }
    }
    auto answers = ask_device_database(commands);
    if (answers.size() != commands.size()) return false;
    // After the two loads, answer i is preset query i - 2 of its key.
    for (size_t i = 2; i < answers.size(); ++i) {
        CStringArray answer;
        for (const std::string& element : answers[i]) answer.Add(element.c_str());
        model.file_preset_answer(static_cast<int>(i) - 2, answer);
    }
    return true;
}

}  // namespace

using KvgxbDeviceDatabase = KvgxbModelTest;

TEST_F(KvgxbDeviceDatabase, StandardProtocolChoicesAreFeasible) {
    ASSERT_TRUE(load_presets(model)) << "device database server did not answer";
    ASSERT_GT(model.get_preset_count(), 10);
    EXPECT_TRUE(model.double_width_allowed);
    EXPECT_TRUE(messages.empty());

    choose_protocol("XAUI");
    EXPECT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();
    EXPECT_EQ(model.tcl_key, "VELARISIIGX_CONFIG_MODE_XAUI");

    choose_protocol("GIGE");
    EXPECT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();

    choose_protocol("PCI Express (PIPE)");
    choose_subprotocol("x4");
    model.number_of_channels = 4;
    run_cycle();
    EXPECT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();
    EXPECT_EQ(model.get_digitalreset_port_width(), 1);

    for (const char* oc : {"OC12", "OC48", "OC96"}) {
        choose_protocol("SONET Backplane");
        choose_subprotocol(oc);
        EXPECT_TRUE(model.is_feasible) << oc << ": " << model.get_feasibility_cause_text().c_str();
        EXPECT_EQ(model.tcl_key, CString("VELARISIIGX_CONFIG_MODE_SONET_") + oc);
    }
    choose_protocol("SDI");
    EXPECT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();
    choose_protocol("(OIF) CEI PHY Interface");
    EXPECT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();
    EXPECT_EQ(model.get_data_rate_mbps(), 6250);

    choose_protocol("Basic");
    EXPECT_EQ(model.subprotocol, "No Loopback");
    model.input_a = "2500";
    choose_width(16);
    EXPECT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();

    choose_width_mode(false);
    choose_width(32);
    model.input_a = "5000";
    run_cycle();
    EXPECT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();

    // The first key of a subprotocol is a single-width one; the width mode
    // and width then lead to the double-width key of the same subprotocol.
    choose_subprotocol("PRBS/Serial loopback");
    EXPECT_TRUE(model.single_width_mode);
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_PRBS_10);
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_SLB);
    model.input_a = "5000";
    choose_width_mode(false);
    choose_width(40);
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_PRBS_7);
    EXPECT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();
    EXPECT_TRUE(messages.empty());
}
