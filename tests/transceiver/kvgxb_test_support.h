// Shared pieces of the transceiver model tests: a model bound to a CNX
// manager, message capture, page-like edits, and preset answers fed the way
// the device database delivers them (22 answers per configuration key, the
// row name put in front of each).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cnx/crcnx_manager.h"
#include "test_scratch.h"
#include "transceiver/kvgxb.h"

// Answers of one configuration key, by the setting each answer describes;
// a setting left out answers "Not_Used".
using KVGXB_TEST_PRESET = std::map<std::string, std::vector<std::string>>;

// A key that accepts any Basic configuration its overrides do not restrict.
inline KVGXB_TEST_PRESET kvgxb_open_preset(const char* protocol, const char* subprotocol = "N/A") {
    KVGXB_TEST_PRESET p;
    p["WIZ_PROTOCOL"] = {protocol};
    p["WIZ_SUBPROTOCOL"] = {subprotocol};
    for (const char* name : {"OPERATION_MODE", "NUMBER_OF_CHANNELS", "WIZ_DATA_RATE", "WIZ_INCLK_FREQ",
                             "RX_CHANNEL_WIDTH", "RX_8B_10B_MODE", "RX_BYTE_ORDERING_MODE",
                             "RX_USE_DESERIALIZER_DOUBLE_DATA_MODE", "LOOPBACK_MODE", "RX_RATE_MATCH_FIFO_MODE",
                             "RX_RUN_LENGTH", "RX_BITSLIP_ENABLE"}) {
        p[name] = {"any_value"};
    }
    return p;
}

// The XAUI mode of the part.
inline KVGXB_TEST_PRESET kvgxb_xaui_preset() {
    return {{"WIZ_PROTOCOL", {"XAUI"}}, {"WIZ_SUBPROTOCOL", {"N/A"}},
            {"OPERATION_MODE", {"Receiver and Transmitter"}},
            {"NUMBER_OF_CHANNELS", {"4", "8", "12", "16", "20"}}, {"WIZ_DATA_RATE", {"3125"}},
            {"WIZ_INCLK_FREQ", {"156.25"}}, {"RX_CHANNEL_WIDTH", {"16"}}, {"RX_8B_10B_MODE", {"normal"}},
            {"RX_BYTE_ORDERING_MODE", {"none"}}, {"RX_USE_DESERIALIZER_DOUBLE_DATA_MODE", {"false"}},
            {"LOOPBACK_MODE", {"false"}}, {"RX_RATE_MATCH_FIFO_MODE", {"normal"}},
            {"RX_RUN_LENGTH", {"5", "10", "15", "20", "25"}}, {"RX_BITSLIP_ENABLE", {"false"}},
            {"RX_8B_10B_COMPATIBILITY_MODE", {"true"}}, {"RX_SELF_TEST_MODE", {"none"}},
            {"RX_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN", {"false"}}, {"RX_ALIGN_PATTERN_LENGTH", {"10"}},
            {"RX_ALIGN_PATTERN", {"0101111100"}}, {"RX_RATE_MATCH_PATTERN_SIZE", {"10"}}};
}

// The elements of a list, to compare whole lists at once.
inline std::vector<CString> kvgxb_items(const CStringArray& list) { return {list.begin(), list.end()}; }
using KVGXB_ITEMS = std::vector<CString>;

// Sends the key list, then every key's 22 answers in query order.
inline void kvgxb_feed_presets(KVGXB_WIZARD_MODEL& model,
                               const std::vector<std::pair<std::string, KVGXB_TEST_PRESET>>& presets) {
    for (const auto& [key, answers] : presets) model.key_array_list.Add(key.c_str());
    for (const auto& [key, answers] : presets) {
        for (int q = 0; q < KVGXB_PRESET_QUERY_COUNT; ++q) {
            CStringArray row;
            const char* name = KVGXB_PRESET_QUERY_TBL[q].describes;
            row.Add(name);
            auto it = answers.find(name);
            if (it == answers.end()) {
                row.Add("Not_Used");
            } else {
                for (const std::string& v : it->second) row.Add(v.c_str());
            }
            model.add_new_entry_to_preset_param_tbl(&row);
        }
    }
}

// The model (or the wizard) with the one page refresh the cycle depends on:
// like the general page, it replaces a second input the current list does
// not offer by the list's first entry.
template <class MODEL>
class KVGXB_CLOCK_REFRESHING : public MODEL {
public:
    using MODEL::get_combobox_inclk_frequency;
    using MODEL::input_b;
    using MODEL::input_selection;
    using MODEL::is_current_data_rate_valid;
    void refresh_all_pages() override {
        if (input_selection != 0 || !is_current_data_rate_valid()) return;
        CStringArray& clocks = get_combobox_inclk_frequency();
        if (!clocks.IsEmpty() && clocks.Find(input_b) < 0) input_b = clocks.GetAt(0);
    }
};
using KVGXB_TEST_WIZARD = KVGXB_CLOCK_REFRESHING<KVGXB_WIZARD_MODEL>;

// One update cycle, and what the general page does for a protocol or a
// subprotocol choice, on the model or the wizard.
template <class MODEL>
void kvgxb_run_cycle(MODEL& m) {
    m.update_wizard();
    m.evaluate_gxb_feasibility();
}
template <class MODEL>
void kvgxb_choose_protocol(MODEL& m, const char* name) {
    m.previous_protocol = m.protocol;
    m.protocol = name;
    if (m.previous_protocol.CompareNoCase(name) != 0) m.protocol_changed = m.subprotocol_changed = true;
    kvgxb_run_cycle(m);
}
template <class MODEL>
void kvgxb_choose_subprotocol(MODEL& m, const char* name) {
    m.subprotocol_changed = m.subprotocol.CompareNoCase(name) != 0;
    m.subprotocol = name;
    kvgxb_run_cycle(m);
}

// A model working on its own description, with message boxes captured.
class KvgxbModelTest : public ::testing::Test {
protected:
    void SetUp() override { model.set_model_cnx_manager(&cnx); }

    void choose_protocol(const char* name) { kvgxb_choose_protocol(model, name); }
    void choose_subprotocol(const char* name) { kvgxb_choose_subprotocol(model, name); }
    void choose_width_mode(bool single) {
        model.single_width_mode = single;
        model.deserializer_width_changed = true;
        run_cycle();
    }
    void choose_width(int width) {
        model.channel_width = width;
        model.channel_width_changed = true;
        run_cycle();
    }
    void choose_input_selection(int selection) {
        if (selection != model.input_selection) {
            model.previous_input_selection = model.input_selection;
            model.input_selection = selection;
            model.input_selection_changed = true;
        }
        run_cycle();
    }
    void run_cycle() { kvgxb_run_cycle(model); }

    CRCNX_MANAGER cnx;
    KVGXB_TEST_WIZARD model;
    MESSAGE_CAPTURE captured;
    std::vector<std::string>& messages = captured.texts;
};
