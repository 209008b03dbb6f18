// The protocol preset table: filing the device database's answers, matching
// the current configuration against a preset, and the preset layer of the
// protocol defaults. Values are read from and written to the description
// held by the CNX manager.
#include <algorithm>
#include <cstdlib>

#include "cnx/crcnx_manager.h"
#include "support/bwizc_global.h"
#include "transceiver/kvgxb.h"

const KVGXB_PRESET_QUERY KVGXB_PRESET_QUERY_TBL[KVGXB_PRESET_QUERY_COUNT] = {
    {"get_protocol_name", "WIZ_PROTOCOL"},
    {"get_subprotocol_name", "WIZ_SUBPROTOCOL"},
    {"get_hssi_op_mode_list", "OPERATION_MODE"},
    {"get_hssi_channel_num_list", "NUMBER_OF_CHANNELS"},
    {"get_hssi_data_rate_list", "WIZ_DATA_RATE"},
    {"get_hssi_inclk_freq_list", "WIZ_INCLK_FREQ"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_DATA_WIDTH", "RX_CHANNEL_WIDTH"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_DEC_8B10B_MODE", "RX_8B_10B_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_BYTE_ORDERING_MODE", "RX_BYTE_ORDERING_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_USE_DESERIALIZER_DOUBLE_DATA_MODE", "RX_USE_DESERIALIZER_DOUBLE_DATA_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_ALLOW_SERIAL_LOOPBACK", "LOOPBACK_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_RATE_MATCH_FIFO_MODE", "RX_RATE_MATCH_FIFO_MODE"},
    {"get_hssi_run_length_list", "RX_RUN_LENGTH"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_BIT_SLIP_ENABLE", "RX_BITSLIP_ENABLE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_DEC_8B10B_COMPATIBILITY_MODE", "RX_8B_10B_COMPATIBILITY_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_SELF_TEST_MODE", "RX_SELF_TEST_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN",
     "RX_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_ALIGN_PATTERN_LENGTH", "RX_ALIGN_PATTERN_LENGTH"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_STRING_ALIGN_PATTERN", "RX_ALIGN_PATTERN"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN",
     "RX_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_STRING_BYTE_ORDER_PATTERN", "RX_BYTE_ORDER_PATTERN"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_RATE_MATCH_PATTERN_SIZE", "RX_RATE_MATCH_PATTERN_SIZE"},
};

namespace {

bool same(const CString& a, const char* b) { return a.CompareNoCase(b) == 0; }

bool is_special_preset_value(const CString& value) {
    return same(value, KVGXB_PRESET_ANY_VALUE) || same(value, KVGXB_PRESET_NOT_USED) ||
           same(value, KVGXB_PRESET_INVALID);
}

bool is_rate_or_clock_row(const CString& name) {
    return same(name, KVGXB_NAMES::WIZ_DATA_RATE) || same(name, KVGXB_NAMES::WIZ_INCLK_FREQ);
}

// "a-b" as two numbers; false when the text is not a range.
bool parse_range(const CString& text, double& low, double& high) {
    int dash = text.Find('-', 1);
    if (dash <= 0) return false;
    CString a = text.Left(dash);
    CString b = text.Mid(dash + 1);
    a.Trim();
    b.Trim();
    if (!bwizc_global_token_is_float_numeric(a) || !bwizc_global_token_is_float_numeric(b)) return false;
    low = bwizc_global_str2double(a);
    high = bwizc_global_str2double(b);
    return true;
}

struct VALUE_TRANSLATION {
    const char* name;
    const char* tcl_value;
    const char* wiz_value;
};
const VALUE_TRANSLATION VALUE_TRANSLATION_TBL[] = {
    {"OPERATION_MODE", "rx", "Receiver only"},
    {"OPERATION_MODE", "tx", "Transmitter only"},
    {"OPERATION_MODE", "duplex", "Receiver and Transmitter"},
    {"RX_BYTE_ORDERING_MODE", "pattern-based", "pattern based"},
    {"RX_BYTE_ORDERING_MODE", "syncstatus-based", "syncstatus based"},
    {"LOOPBACK_MODE", "slb", "true"},
    {"LOOPBACK_MODE", "plb", "false"},
    {"LOOPBACK_MODE", "none", "false"},
    {"REVERSE_LOOPBACK_MODE", "rplb", "Reverse_Parallel"},
    {"RX_SELF_TEST_MODE", "prbs_10", "prbs10"},
    {"RX_SELF_TEST_MODE", "prbs_7", "prbs7"},
};

}  // namespace

const CStringArray* KVGXB_PRESET_PARAM_ITEM::find_row(const char* name) const {
    for (const auto& row : rows) {
        if (row->GetSize() > 0 && row->GetAt(0).CompareNoCase(name) == 0) return row.get();
    }
    return nullptr;
}

CString KVGXB_WIZARD_MODEL::tcl_cmd2wiz_param(const CString& query) {
    for (const KVGXB_PRESET_QUERY& row : KVGXB_PRESET_QUERY_TBL) {
        if (same(query, row.query)) return row.describes;
    }
    return "";
}

CString KVGXB_WIZARD_MODEL::tcl_value2wiz_value(const CString& name, const CString& value) const {
    for (const VALUE_TRANSLATION& row : VALUE_TRANSLATION_TBL) {
        if (same(name, row.name) && same(value, row.tcl_value)) return row.wiz_value;
    }
    if (same(name, "RX_PPMSELECT") && operation_mode != KVGXB_OPMODE_TX_ONLY &&
        bwizc_global_token_is_numeric(value)) {
        return ppm_actual2ppm_displayed(bwizc_global_str2int(value));
    }
    return value;
}

CString KVGXB_WIZARD_MODEL::wiz_value2tcl_value(const CString& name, const CString& value) const {
    for (const VALUE_TRANSLATION& row : VALUE_TRANSLATION_TBL) {
        if (same(name, row.name) && same(value, row.wiz_value)) return row.tcl_value;
    }
    if (same(name, "RX_PPMSELECT") && !ppm_actual2ppm_displayed(ppm_displayed2ppm_actual(value)).IsEmpty() &&
        value.Find("+/-") == 0) {
        return bwizc_global_int2str(ppm_displayed2ppm_actual(value));
    }
    return value;
}

// ---------------------------------------------------------------- filing

KVGXB_PRESET_PARAM_ITEM* KVGXB_WIZARD_MODEL::get_preset(int index) const {
    if (index < 0 || index >= static_cast<int>(m_presets.size())) return nullptr;
    return m_presets[static_cast<size_t>(index)].get();
}

int KVGXB_WIZARD_MODEL::protocol_group_slot(const CString& protocol_name) const {
    static const char* const GROUPS[KVGXB_PROTOCOL_GROUP_COUNT] = {
        "PCI Express (PIPE)", "Xaui", "GIGE", "(OIF) CEI PHY Interface", "SDI", "Basic", "SONET Backplane"};
    for (int i = 0; i < KVGXB_PROTOCOL_GROUP_COUNT; ++i) {
        if (same(protocol_name, GROUPS[i])) return i;
    }
    return -1;
}

int KVGXB_WIZARD_MODEL::get_protocol_group_first_index(const CString& protocol_name) const {
    int slot = protocol_group_slot(protocol_name);
    if (slot >= 0) return m_group_first_index[slot];
    // A protocol outside the seven groups: its first item in the list.
    for (size_t i = 0; i < m_presets.size(); ++i) {
        if (m_presets[i]->protocol.CompareNoCase(protocol_name) == 0) return static_cast<int>(i);
    }
    return -1;
}

void KVGXB_WIZARD_MODEL::recompute_group_indexes() {
    for (int& first : m_group_first_index) first = -1;
    for (size_t i = 0; i < m_presets.size(); ++i) {
        const CString& p = m_presets[i]->protocol;
        if (i == 0 || m_presets[i - 1]->protocol.CompareNoCase(p) != 0) {
            int slot = protocol_group_slot(p);
            if (slot >= 0) m_group_first_index[slot] = static_cast<int>(i);
        }
    }
}

void KVGXB_WIZARD_MODEL::add_new_entry_to_preset_param_tbl(CStringArray* row) {
    if (!row || row->IsEmpty()) {
        report_internal_error("add_new_entry_to_preset_param_tbl", "bad tcl_str");
        return;
    }
    auto stored = std::make_unique<CStringArray>();
    stored->Copy(*row);
    const CString received = stored->GetAt(0);
    CString name = received;
    name.TrimRight(": ");
    stored->SetAt(0, name);
    if (!received.IsEmpty()) {
        for (int i = 1; i < stored->GetSize(); ++i) {
            CString value = stored->GetAt(i);
            value.Replace(received, "");
            stored->SetAt(i, value);
        }
    }

    if (preset_row_counter == 0 || !m_filling_item) {
        m_unfiled_item = std::make_unique<KVGXB_PRESET_PARAM_ITEM>();
        m_filling_item = m_unfiled_item.get();
        current_pending_subprotocol_list = nullptr;
    }
    KVGXB_PRESET_PARAM_ITEM* item = m_filling_item;
    const CString first_value = stored->GetSize() > 1 ? stored->GetAt(1) : CString();

    if (same(name, KVGXB_NAMES::WIZ_PROTOCOL)) {
        item->config_key = key_array_list.GetAt(m_items_started);
        ++m_items_started;
        item->protocol = first_value;
        if (m_unfiled_item.get() == item) create_new_entry_and_add(m_unfiled_item.release());
    } else if (same(name, KVGXB_NAMES::WIZ_SUBPROTOCOL)) {
        if (same(item->protocol, KVGXB_PROTOCOL_BASIC) && same(first_value, "none")) {
            stored->SetAt(1, KVGXB_SUB_NO_LOOPBACK);
            current_pending_subprotocol_list = stored.get();
        }
        item->subprotocol = stored->GetAt(1);
    } else if (same(name, KVGXB_NAMES::LOOPBACK_MODE)) {
        if (same(item->protocol, KVGXB_PROTOCOL_BASIC) && same(first_value, KVGXB_PRESET_ANY_VALUE) &&
            current_pending_subprotocol_list) {
            current_pending_subprotocol_list->Add(KVGXB_SUB_SERIAL_LOOPBACK);
        }
    } else if (same(name, KVGXB_NAMES::RX_USE_DESERIALIZER_DOUBLE_DATA_MODE)) {
        for (int i = 1; i < stored->GetSize(); ++i) {
            if (same(stored->GetAt(i), "true")) double_width_allowed = true;
        }
    }

    item->rows.push_back(std::move(stored));
    preset_row_counter = (preset_row_counter + 1) % KVGXB_PRESET_QUERY_COUNT;
}

void KVGXB_WIZARD_MODEL::file_preset_answer(int query_number, const CStringArray& answer) {
    const int n = ((query_number % KVGXB_PRESET_QUERY_COUNT) + KVGXB_PRESET_QUERY_COUNT) % KVGXB_PRESET_QUERY_COUNT;
    CStringArray row;
    row.Add(KVGXB_PRESET_QUERY_TBL[n].describes);
    row.Append(answer);
    add_new_entry_to_preset_param_tbl(&row);
}

void KVGXB_WIZARD_MODEL::create_new_entry_and_add(KVGXB_PRESET_PARAM_ITEM* item) {
    if (!item) return;
    std::unique_ptr<KVGXB_PRESET_PARAM_ITEM> owned(item);
    bool seen_same = false;
    size_t position = m_presets.size();
    for (size_t i = 0; i < m_presets.size(); ++i) {
        if (m_presets[i]->protocol.CompareNoCase(item->protocol) == 0) {
            seen_same = true;
        } else if (seen_same) {
            position = i;
            break;
        }
    }
    m_presets.insert(m_presets.begin() + static_cast<long>(position), std::move(owned));
    // The list may already hold the fallback names offered before any preset arrived.
    bool listed = false;
    for (const CString& p : protocol_array_list) listed = listed || p.CompareNoCase(item->protocol) == 0;
    if (!seen_same && !listed) protocol_array_list.Add(item->protocol);
    recompute_group_indexes();
    for (size_t i = 0; i < m_presets.size(); ++i) {
        if (!tcl_key.IsEmpty() && m_presets[i]->config_key == tcl_key) current_preset_index = static_cast<int>(i);
    }
}

// -------------------------------------------------------- description access

KVGXB_WIZARD_MODEL::DESC_KIND KVGXB_WIZARD_MODEL::lookup_description_value(const CString& name, CString& value) const {
    if (!m_cnx_manager) return DESC_KIND::NONE;
    if (const CRCNX_ITEM_CONSTANT* constant = m_cnx_manager->find_cnx_constant(name)) {
        value = constant->get_value();
        return DESC_KIND::CONSTANT;
    }
    if (const CRCNX_ITEM_PRIVATE* variable = m_cnx_manager->find_cnx_private(name)) {
        value = variable->get_value();
        return DESC_KIND::PRIVATE;
    }
    return DESC_KIND::NONE;
}

void KVGXB_WIZARD_MODEL::write_description_constant(const CString& name, const CString& value) {
    if (!m_cnx_manager) return;
    m_cnx_manager->add_cnx_constant(new CRCNX_ITEM_CONSTANT(name, CRCNX_ITEM_CONSTANT::STRING_TYPE, value));
}

void KVGXB_WIZARD_MODEL::write_description_private(const CString& name, const CString& value) {
    if (!m_cnx_manager) return;
    m_cnx_manager->add_cnx_private(new CRCNX_ITEM_PRIVATE(name, CRCNX_ITEM_PRIVATE::STRING_TYPE, value));
}

CString KVGXB_WIZARD_MODEL::get_current_value_for_match(const CString& row_name) const {
    CString value;
    if (lookup_description_value(row_name, value) == DESC_KIND::NONE) return KVGXB_BEEP_VALUE;
    return tcl_value2wiz_value(row_name, value);
}

bool KVGXB_WIZARD_MODEL::is_value_allowed(const CString& row_name, const CString& current, const CStringArray& row) const {
    const bool numeric_row = is_rate_or_clock_row(row_name);
    const double current_number = bwizc_global_str2double(current);
    for (int i = 1; i < row.GetSize(); ++i) {
        const CString& allowed = row.GetAt(i);
        if (allowed.CompareNoCase(current) == 0) return true;
        // The database may answer in its own spelling of the value.
        if (tcl_value2wiz_value(row_name, allowed).CompareNoCase(current) == 0) return true;
        if (numeric_row) {
            double low = 0;
            double high = 0;
            const CString bare_current = bwizc_global_strip_fraction_zeros(current);
            if (parse_range(allowed, low, high) && bwizc_global_token_is_float_numeric(bare_current) &&
                current_number >= low && current_number <= high) {
                return true;
            }
            if (bwizc_global_strip_fraction_zeros(allowed).CompareNoCase(bare_current) == 0) return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- matching

CString KVGXB_WIZARD_MODEL::does_current_config_match_this_preset_param(KVGXB_PRESET_PARAM_ITEM* item, int index) {
    if (!item) return "";
    int mismatches = 0;
    CString failing;
    const int key_rows = std::min(static_cast<int>(item->rows.size()), KVGXB_PRESET_KEY_ROW_COUNT);
    for (int r = 0; r < key_rows; ++r) {
        const CStringArray& row = *item->rows[static_cast<size_t>(r)];
        if (row.GetSize() < 2) {
            report_internal_error("does_current_config_match_this_preset_param", "bad the_param_vale");
            continue;
        }
        CString name = row.GetAt(0);
        if (operation_mode == KVGXB_OPMODE_TX_ONLY && name.Left(3) == "RX_") name = "TX_" + name.Mid(3);
        const CString current = get_current_value_for_match(name);
        const bool matched = is_special_preset_value(row.GetAt(1)) || current == KVGXB_BEEP_VALUE ||
                             is_value_allowed(row.GetAt(0), current, row);
        if (!matched) {
            ++mismatches;
            if (failing.IsEmpty()) failing = name;
        }
    }

    if (mismatches == 0) {
        tcl_key = item->config_key;
        closest_mismatch_count = 0;
        closest_failing_name.Empty();
        for (size_t r = KVGXB_PRESET_KEY_ROW_COUNT; r < item->rows.size(); ++r) {
            const CStringArray& row = *item->rows[r];
            if (row.GetSize() < 2 || is_special_preset_value(row.GetAt(1))) continue;
            const CString name = row.GetAt(0);
            CString current;
            if (lookup_description_value(name, current) == DESC_KIND::NONE) continue;
            if (is_value_allowed(name, tcl_value2wiz_value(name, current), row)) continue;
            write_description_constant(name, row.GetAt(row.GetSize() - 1));
        }
        param_to_wizard_var_init_complete();
        return "";
    }

    // The closest match is a preset of the group being searched: one recorded
    // from another protocol group does not hold its place.
    const KVGXB_PRESET_PARAM_ITEM* recorded = get_preset(current_preset_index);
    const bool recorded_in_group = recorded && recorded->protocol.CompareNoCase(item->protocol) == 0;
    if (closest_mismatch_count == 0 || !recorded_in_group || mismatches < closest_mismatch_count) {
        closest_mismatch_count = mismatches;
        closest_failing_name = failing;
        tcl_key = item->config_key;
        current_preset_index = index;
    } else if (index == current_preset_index) {
        closest_mismatch_count = mismatches;
        closest_failing_name = failing;
    }
    return failing;
}

// ------------------------------------------------------------ preset layer

void KVGXB_WIZARD_MODEL::set_default_params_on_protocol_change() {
    wizard_var_to_param();
    KVGXB_PRESET_PARAM_ITEM* preset = get_current_preset();
    if (!preset) return;
    for (const auto& row_ptr : preset->rows) {
        const CStringArray& row = *row_ptr;
        if (row.GetSize() < 2) {
            report_internal_error("set_default_params_on_protocol_change", "bad item_value");
            return;
        }
        const CString name = row.GetAt(0);
        CString found_name = name;
        CString raw;
        DESC_KIND kind = lookup_description_value(name, raw);
        if (kind == DESC_KIND::NONE && name.Left(3) == "RX_") {
            found_name = "TX_" + name.Mid(3);
            kind = lookup_description_value(found_name, raw);
        }
        const CString current = kind == DESC_KIND::NONE ? CString(KVGXB_BEEP_VALUE) : tcl_value2wiz_value(name, raw);
        if (is_special_preset_value(row.GetAt(1)) || is_value_allowed(name, current, row)) continue;

        CString wanted = row.GetAt(1);
        double low = 0;
        double high = 0;
        // A range stands for its lower end when it must become a value.
        if (is_rate_or_clock_row(name) && parse_range(wanted, low, high)) wanted = wanted.Left(wanted.Find('-', 1));
        wanted = wiz_value2tcl_value(name, wanted);
        if (is_rate_or_clock_row(name)) {
            write_description_private(name, wanted);
        } else if (kind == DESC_KIND::CONSTANT) {
            write_description_constant(found_name, wanted);
        } else if (kind == DESC_KIND::PRIVATE) {
            write_description_private(found_name, wanted);
        }
    }
    param_to_wizard_var_init_complete();
}

void KVGXB_WIZARD_MODEL::set_default_params_on_subprotocol_change() {
    wizard_var_to_param();
    const bool from_group_start = is_protocol(KVGXB_PROTOCOL_SONET) || is_protocol(KVGXB_PROTOCOL_PCIE) ||
                                  is_protocol(KVGXB_PROTOCOL_BASIC);
    int start = from_group_start ? get_protocol_group_first_index(protocol) : current_preset_index;
    for (int i = start < 0 ? get_preset_count() : start; i < get_preset_count(); ++i) {
        KVGXB_PRESET_PARAM_ITEM* item = get_preset(i);
        if (item->protocol.CompareNoCase(protocol) != 0) continue;
        const CStringArray* row = item->find_row(KVGXB_NAMES::WIZ_SUBPROTOCOL);
        if (!row) continue;
        if (row->GetSize() < 2) {
            report_internal_error("set_default_params_on_subprotocol_change", "bad item_value");
            return;
        }
        bool found = false;
        for (int v = 1; v < row->GetSize(); ++v) found = found || row->GetAt(v).CompareNoCase(subprotocol) == 0;
        if (found) {
            current_preset_index = i;
            break;
        }
    }
    set_default_params_on_protocol_change();
}
