// Data rate and input clock arithmetic, and the value lists the pages offer.
#include <algorithm>
#include <cstdlib>

#include "support/bwizc_global.h"
#include "transceiver/kvgxb.h"

namespace {

bool same(const CString& a, const char* b) { return a.CompareNoCase(b) == 0; }

const char* const OPMODE_DISPLAY[] = {"Receiver only", "Transmitter only", "Receiver and Transmitter"};

// Text of a number with the fewest decimals (0 to 4) that show it.
CString short_number(double value) {
    for (int decimals = 0; decimals < 4; ++decimals) {
        CString text;
        text.Format("%.*f", decimals, value);
        if (std::abs(atof(text) - value) < 1e-9) return text;
    }
    CString text;
    text.Format("%.4f", value);
    return text;
}

void fill_numbers(CStringArray& list, int first, int last, int step = 1) {
    list.RemoveAll();
    for (int v = first; v <= last; v += step) list.Add(bwizc_global_int2str(v));
}

bool is_special_preset_value(const CString& value) {
    return same(value, KVGXB_PRESET_ANY_VALUE) || same(value, KVGXB_PRESET_NOT_USED) ||
           same(value, KVGXB_PRESET_INVALID);
}

// Copies a preset row's values into list; false when the row is missing,
// empty or only says the setting is unconstrained.
bool copy_preset_values(const CStringArray* row, CStringArray& list) {
    if (!row || row->GetSize() < 2 || is_special_preset_value(row->GetAt(1))) return false;
    list.RemoveAll();
    for (int i = 1; i < row->GetSize(); ++i) list.Add(row->GetAt(i));
    return true;
}

}  // namespace

// ------------------------------------------------------ the two fields

CString& KVGXB_WIZARD_MODEL::data_rate_field() { return input_selection == 0 ? input_a : input_b; }
const CString& KVGXB_WIZARD_MODEL::data_rate_field() const { return input_selection == 0 ? input_a : input_b; }
CString& KVGXB_WIZARD_MODEL::data_rate_unit() { return input_selection == 0 ? input_a_unit : input_b_unit; }
CString& KVGXB_WIZARD_MODEL::clock_field() { return input_selection == 0 ? input_b : input_a; }
const CString& KVGXB_WIZARD_MODEL::clock_field() const { return input_selection == 0 ? input_b : input_a; }
CString& KVGXB_WIZARD_MODEL::clock_unit() { return input_selection == 0 ? input_b_unit : input_a_unit; }
const CString& KVGXB_WIZARD_MODEL::clock_unit() const { return input_selection == 0 ? input_b_unit : input_a_unit; }

void KVGXB_WIZARD_MODEL::set_data_rate_mbps(float mbps) {
    if (same(data_rate_unit(), "Mbps")) data_rate_field() = bwizc_global_float2str(mbps, 4);
}

void KVGXB_WIZARD_MODEL::set_data_rate_string(const CString& text) { data_rate_field() = text; }

CString KVGXB_WIZARD_MODEL::get_data_rate_string() const { return data_rate_field(); }

int KVGXB_WIZARD_MODEL::get_data_rate_mbps() const {
    CString text = data_rate_field();
    text.Trim();
    int dot = text.Find('.');
    if (dot >= 0) text = text.Left(dot);
    return bwizc_global_str2int(text);
}

int KVGXB_WIZARD_MODEL::get_data_rate_mbps_remainder() const {
    CString text = data_rate_field();
    text.Trim();
    int dot = text.Find('.');
    if (dot < 0) return 0;
    CString digits = text.Mid(dot + 1);
    if (digits.GetLength() > 6) digits = digits.Left(6);
    while (digits.GetLength() < 6) digits += '0';
    return bwizc_global_str2int(digits);
}

void KVGXB_WIZARD_MODEL::set_inclk_frequency_mhz(float mhz) {
    if (same(clock_unit(), "MHz")) {
        clock_field() = bwizc_global_float2str(mhz, 3);
    } else if (same(clock_unit(), "ns") && mhz != 0.0f) {
        clock_field() = bwizc_global_float2str(1000.0f / mhz, 3);
    }
}

void KVGXB_WIZARD_MODEL::set_inclk_frequency_mhz_string(const CString& mhz) {
    if (same(clock_unit(), "MHz")) {
        clock_field() = mhz;
    } else if (same(clock_unit(), "ns")) {
        double value = bwizc_global_str2double(mhz);
        if (value != 0.0) clock_field() = bwizc_global_double2str(1000.0 / value, 3);
    }
}

void KVGXB_WIZARD_MODEL::set_inclk_period_ns(float ns) {
    if (same(clock_unit(), "ns")) {
        clock_field() = bwizc_global_float2str(ns, 3);
    } else if (same(clock_unit(), "MHz") && ns != 0.0f) {
        clock_field() = bwizc_global_float2str(1000.0f / ns, 3);
    }
}

double KVGXB_WIZARD_MODEL::get_inclk_frequency_mhz() const {
    double value = bwizc_global_str2double(clock_field());
    bool is_frequency = input_selection == 1 || (input_selection == 0 && same(input_b_unit, "MHz"));
    if (is_frequency) return value;
    return value == 0.0 ? 0.0 : 1000.0 / value;
}

CString KVGXB_WIZARD_MODEL::get_inclk_frequency_mhz_string() const {
    bool is_frequency = input_selection == 1 || (input_selection == 0 && same(input_b_unit, "MHz"));
    if (is_frequency) return clock_field();
    double value = bwizc_global_str2double(clock_field());
    return value == 0.0 ? CString("0.000") : bwizc_global_double2str(1000.0 / value, 3);
}

double KVGXB_WIZARD_MODEL::get_inclk_period_ns() const {
    double mhz = get_inclk_frequency_mhz();
    return mhz == 0.0 ? 0.0 : 1000.0 / mhz;
}

void KVGXB_WIZARD_MODEL::apply_input_selection_change() {
    auto invert = [](const CString& text) {
        double value = bwizc_global_str2double(text);
        return value == 0.0 ? text : bwizc_global_double2str(1000.0 / value, 3);
    };
    const int from = previous_input_selection;
    switch (input_selection) {
        case 0:
            if (from != 0) {
                std::swap(input_a, input_b);
                CString former_a_unit = input_a_unit;
                input_a_unit = "Mbps";
                input_b_unit = former_a_unit;
            }
            break;
        case 1:
            if (from == 2) {
                input_a = invert(input_a);
                input_a_unit = "MHz";
            } else if (from == 0) {
                bool clock_in_ns = same(input_b_unit, "ns");
                std::swap(input_a, input_b);
                if (clock_in_ns) input_a = invert(input_a);
                input_a_unit = "MHz";
                input_b_unit = "Mbps";
            }
            break;
        case 2:
            if (from == 1) {
                input_a = invert(input_a);
                input_a_unit = "ns";
            } else if (from == 0) {
                bool clock_in_mhz = same(input_b_unit, "MHz");
                std::swap(input_a, input_b);
                if (clock_in_mhz) input_a = invert(input_a);
                input_a_unit = "ns";
                input_b_unit = "Mbps";
            }
            break;
        default: break;
    }
    previous_input_selection = input_selection;
    previous_input_b_unit = input_b_unit;
    input_selection_changed = false;
}

bool KVGXB_WIZARD_MODEL::is_current_data_rate_valid() {
    const char* row_name = input_selection == 1 ? KVGXB_NAMES::WIZ_INCLK_FREQ : KVGXB_NAMES::WIZ_DATA_RATE;
    KVGXB_PRESET_PARAM_ITEM* preset = get_current_preset();
    const CStringArray* row = preset ? preset->find_row(row_name) : nullptr;
    const double entry = bwizc_global_str2double(input_a);
    if (row) {
        if (row->GetSize() < 2) {
            report_internal_error("is_current_data_rate_valid", "bad param_array");
            return false;
        }
        if (row->GetSize() == 2 && row->GetAt(1).Find('-') > 0) {
            const CString& range = row->GetAt(1);
            int dash = range.Find('-', 1);
            double low = bwizc_global_str2double(range.Left(dash));
            double high = bwizc_global_str2double(range.Mid(dash + 1));
            return entry >= low && entry <= high;
        }
        CString wanted = bwizc_global_strip_fraction_zeros(input_a);
        for (int i = 1; i < row->GetSize(); ++i) {
            if (bwizc_global_strip_fraction_zeros(row->GetAt(i)).CompareNoCase(wanted) == 0) return true;
        }
        return false;
    }
    if (input_selection == 1 || input_selection == 2) return entry >= 62.0 && entry <= 622.08;
    if (single_width_mode) return entry >= 622.0 && entry <= 3125.0;
    return entry >= 3125.0 && entry <= 6375.0;
}

void KVGXB_WIZARD_MODEL::handle_cei_phy_data_rate() {
    KVGXB_PRESET_PARAM_ITEM* preset = get_current_preset();
    const CStringArray* rates = preset ? preset->find_row(KVGXB_NAMES::WIZ_DATA_RATE) : nullptr;
    const CStringArray* clocks = preset ? preset->find_row(KVGXB_NAMES::WIZ_INCLK_FREQ) : nullptr;
    if (rates && clocks && rates->GetSize() == clocks->GetSize()) {
        for (int i = 1; i < clocks->GetSize(); ++i) {
            if (clocks->GetAt(i) == input_b ||
                bwizc_global_strip_fraction_zeros(clocks->GetAt(i)) == bwizc_global_strip_fraction_zeros(input_b)) {
                input_a = rates->GetAt(i);
                return;
            }
        }
        return;
    }
    input_a = bwizc_global_str2double(input_b) == 156.25 ? "6250" : "6220.8";
}

CString KVGXB_WIZARD_MODEL::get_wizard_unused_parameter(const CString& name) {
    KVGXB_PRESET_PARAM_ITEM* preset = get_current_preset();
    const CStringArray* row = preset ? preset->find_row(name) : nullptr;
    if (!row) return "";
    if (row->GetSize() < 2) {
        report_internal_error("get_wizard_unused_parameter", "bad param_array");
        return "";
    }
    return row->GetAt(1);
}

// ------------------------------------------------------------ lists

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_protocols() {
    protocol_array_list.RemoveAll();
    if (!m_presets.empty()) {
        for (const auto& item : m_presets) {
            bool known = false;
            for (const CString& p : protocol_array_list) known = known || p.CompareNoCase(item->protocol) == 0;
            if (!known) protocol_array_list.Add(item->protocol);
        }
        return protocol_array_list;
    }
    for (const char* p : {KVGXB_PROTOCOL_BASIC, KVGXB_PROTOCOL_XAUI, KVGXB_PROTOCOL_GIGE, KVGXB_PROTOCOL_PCIE,
                          KVGXB_PROTOCOL_CEI, KVGXB_PROTOCOL_SONET, KVGXB_PROTOCOL_SDI}) {
        protocol_array_list.Add(p);
    }
    return protocol_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_subprotocols() {
    subprotocol_array_list.RemoveAll();
    for (const auto& item : m_presets) {
        if (item->protocol.CompareNoCase(protocol) != 0) continue;
        const CStringArray* row = item->find_row(KVGXB_NAMES::WIZ_SUBPROTOCOL);
        for (int i = 1; row && i < row->GetSize(); ++i) {
            bool known = false;
            for (const CString& s : subprotocol_array_list) known = known || s.CompareNoCase(row->GetAt(i)) == 0;
            if (!known) subprotocol_array_list.Add(row->GetAt(i));
        }
    }
    if (!subprotocol_array_list.IsEmpty()) return subprotocol_array_list;
    if (is_protocol(KVGXB_PROTOCOL_SONET)) {
        for (const char* s : {"OC12", "OC48", "OC96"}) subprotocol_array_list.Add(s);
    } else if (is_protocol(KVGXB_PROTOCOL_PCIE)) {
        for (const char* s : {"x1", "x4", "x8"}) subprotocol_array_list.Add(s);
    } else if (is_protocol(KVGXB_PROTOCOL_BASIC)) {
        for (const char* s : {KVGXB_SUB_NO_LOOPBACK, KVGXB_SUB_SERIAL_LOOPBACK, KVGXB_SUB_PARALLEL_BIST,
                              KVGXB_SUB_REV_SERIAL_LOOPBACK, KVGXB_SUB_PRBS_SERIAL_LOOPBACK, KVGXB_SUB_PRBS_NO_LOOPBACK}) {
            subprotocol_array_list.Add(s);
        }
    } else {
        subprotocol_array_list.Add(KVGXB_SUBPROTOCOL_NA);
    }
    return subprotocol_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_opmodes() {
    // Offered modes: those some preset of the protocol allows, in enumeration order.
    bool allowed[3] = {false, false, false};
    bool any_preset = false;
    for (const auto& item : m_presets) {
        if (item->protocol.CompareNoCase(protocol) != 0) continue;
        const CStringArray* row = item->find_row(KVGXB_NAMES::OPERATION_MODE);
        if (!row || row->GetSize() < 2) continue;
        any_preset = true;
        if (is_special_preset_value(row->GetAt(1))) {
            allowed[0] = allowed[1] = allowed[2] = true;
            continue;
        }
        for (int i = 1; i < row->GetSize(); ++i) {
            CString display = tcl_value2wiz_value(KVGXB_NAMES::OPERATION_MODE, row->GetAt(i));
            for (int mode = 0; mode < 3; ++mode) {
                if (display.CompareNoCase(OPMODE_DISPLAY[mode]) == 0) allowed[mode] = true;
            }
        }
    }
    opmode_array_list.RemoveAll();
    for (int mode = 0; mode < 3; ++mode) {
        if (!any_preset || allowed[mode]) opmode_array_list.Add(OPMODE_DISPLAY[mode]);
    }
    if (opmode_array_list.IsEmpty()) {
        for (int mode = 0; mode < 3; ++mode) opmode_array_list.Add(OPMODE_DISPLAY[mode]);
    }
    return opmode_array_list;
}

namespace {

// Union of a row's numeric values over the presets that pass the filter, sorted.
template <class FILTER>
bool collect_numbers(const std::vector<std::unique_ptr<KVGXB_PRESET_PARAM_ITEM>>& presets, const char* row_name,
                     FILTER keep, CStringArray& list) {
    std::vector<int> numbers;
    for (const auto& item : presets) {
        if (!keep(*item)) continue;
        const CStringArray* row = item->find_row(row_name);
        if (!row || row->GetSize() < 2 || is_special_preset_value(row->GetAt(1))) continue;
        for (int i = 1; i < row->GetSize(); ++i) {
            if (!bwizc_global_token_is_numeric(row->GetAt(i))) continue;
            int n = bwizc_global_str2int(row->GetAt(i));
            if (std::find(numbers.begin(), numbers.end(), n) == numbers.end()) numbers.push_back(n);
        }
    }
    if (numbers.empty()) return false;
    std::sort(numbers.begin(), numbers.end());
    list.RemoveAll();
    for (int n : numbers) list.Add(bwizc_global_int2str(n));
    return true;
}

bool row_allows(const KVGXB_PRESET_PARAM_ITEM& item, const char* row_name, const CString& value) {
    const CStringArray* row = item.find_row(row_name);
    if (!row || row->GetSize() < 2 || is_special_preset_value(row->GetAt(1))) return true;
    for (int i = 1; i < row->GetSize(); ++i) {
        if (row->GetAt(i).CompareNoCase(value) == 0) return true;
    }
    return false;
}

}  // namespace

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_channel_numbers() {
    const CString current_protocol = protocol;
    auto same_protocol = [&](const KVGXB_PRESET_PARAM_ITEM& item) {
        return item.protocol.CompareNoCase(current_protocol) == 0;
    };
    if (collect_numbers(m_presets, KVGXB_NAMES::NUMBER_OF_CHANNELS, same_protocol, channel_num_array_list)) {
        return channel_num_array_list;
    }
    if (is_protocol(KVGXB_PROTOCOL_XAUI) || (is_protocol(KVGXB_PROTOCOL_PCIE) && same(subprotocol, "x4"))) {
        fill_numbers(channel_num_array_list, 4, 20, 4);
    } else if (is_protocol(KVGXB_PROTOCOL_PCIE) && same(subprotocol, "x8")) {
        fill_numbers(channel_num_array_list, 8, 16, 8);
    } else {
        fill_numbers(channel_num_array_list, 1, 20);
    }
    return channel_num_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_channel_widths() {
    const CString current_protocol = protocol;
    const CString current_subprotocol = subprotocol;
    const CString double_data = single_width_mode ? "false" : "true";
    auto fits = [&](const KVGXB_PRESET_PARAM_ITEM& item) {
        return item.protocol.CompareNoCase(current_protocol) == 0 &&
               row_allows(item, KVGXB_NAMES::WIZ_SUBPROTOCOL, current_subprotocol) &&
               row_allows(item, KVGXB_NAMES::RX_USE_DESERIALIZER_DOUBLE_DATA_MODE, double_data);
    };
    if (collect_numbers(m_presets, KVGXB_NAMES::RX_CHANNEL_WIDTH, fits, channel_width_array_list)) {
        return channel_width_array_list;
    }
    channel_width_array_list.RemoveAll();
    auto add = [&](std::initializer_list<int> widths) {
        for (int w : widths) channel_width_array_list.Add(bwizc_global_int2str(w));
    };
    if (is_protocol(KVGXB_PROTOCOL_XAUI)) add({16});
    else if (is_protocol(KVGXB_PROTOCOL_GIGE)) add({8});
    else if (is_protocol(KVGXB_PROTOCOL_PCIE)) add({8, 16});
    else if (is_protocol(KVGXB_PROTOCOL_SDI)) add({10, 20});
    else if (is_protocol(KVGXB_PROTOCOL_CEI)) add({16, 20, 32, 40});
    else if (is_protocol(KVGXB_PROTOCOL_SONET)) {
        if (same(subprotocol, "OC96")) add({16, 32});
        else if (same(subprotocol, "OC48")) add({8, 16});
        else add({8});
    } else if (single_width_mode) add({8, 10, 16, 20});
    else add({16, 20, 32, 40});
    return channel_width_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_inclk_frequency() {
    // Basic takes the device's answer for the current data rate as it is.
    if (is_protocol(KVGXB_PROTOCOL_BASIC)) return inclk_frequency_array_list;
    KVGXB_PRESET_PARAM_ITEM* preset = get_current_preset();
    if (preset && copy_preset_values(preset->find_row(KVGXB_NAMES::WIZ_INCLK_FREQ), inclk_frequency_array_list)) {
        return inclk_frequency_array_list;
    }
    inclk_frequency_array_list.RemoveAll();
    auto add = [&](std::initializer_list<double> values) {
        for (double v : values) inclk_frequency_array_list.Add(short_number(v));
    };
    if (is_protocol(KVGXB_PROTOCOL_PCIE)) add({100});
    else if (is_protocol(KVGXB_PROTOCOL_CEI)) add({156.25, 622.08});
    else if (is_protocol(KVGXB_PROTOCOL_GIGE)) add({62.5, 125});
    else if (is_protocol(KVGXB_PROTOCOL_XAUI)) add({156.25});
    else if (is_protocol(KVGXB_PROTOCOL_SDI)) add({get_data_rate_mbps() == 1485 ? 74.25 : 74.1758});
    else if (is_protocol(KVGXB_PROTOCOL_SONET)) {
        if (same(subprotocol, "OC12")) add({62.2, 311});
        else if (same(subprotocol, "OC48")) add({77.76, 155.52, 311.04, 622.08});
        else if (same(subprotocol, "OC96")) add({124.4});
    }
    return inclk_frequency_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_data_rate(bool keep) {
    // The device answers fill this list; until one arrives it offers the
    // rate already entered.
    if (keep && !data_rate_array_list.IsEmpty()) return data_rate_array_list;
    if (data_rate_array_list.IsEmpty()) data_rate_array_list.Add(input_b);
    return data_rate_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_word_align_pattern_lengths() {
    KVGXB_PRESET_PARAM_ITEM* preset = get_current_preset();
    if (preset &&
        copy_preset_values(preset->find_row(KVGXB_NAMES::RX_ALIGN_PATTERN_LENGTH), word_align_pattern_length_array_list)) {
        return word_align_pattern_length_array_list;
    }
    word_align_pattern_length_array_list.RemoveAll();
    auto add = [&](std::initializer_list<int> lengths) {
        for (int n : lengths) word_align_pattern_length_array_list.Add(bwizc_global_int2str(n));
    };
    // Single width deserializes by 8 or 10, double width by 16 or 20; any
    // other pairing (single width at width 32) has no length to offer.
    const int factor = get_deserialization_factor();
    if (single_width_mode) {
        if (factor == 8) add({16});
        else if (factor == 10) add({7, 10});
    } else {
        if (factor == 16) add({8, 16, 32});
        else if (factor == 20) add({7, 10, 20});
    }
    return word_align_pattern_length_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_run_lengths() {
    KVGXB_PRESET_PARAM_ITEM* preset = get_current_preset();
    if (preset && copy_preset_values(preset->find_row(KVGXB_NAMES::RX_RUN_LENGTH), run_length_array_list)) {
        return run_length_array_list;
    }
    int step = 4;
    int count = 32;
    if (is_protocol(KVGXB_PROTOCOL_SONET)) {
        if (same(subprotocol, "OC96")) {
            step = 8;
            count = 64;
        }
    } else {
        switch (get_deserialization_factor()) {
            case 8: step = 4; break;
            case 10: step = 5; break;
            case 16: step = 8; count = 64; break;
            case 20: step = 10; count = 64; break;
            default: step = endec_8b10b_mode != KVGXB_8B10B_NONE ? 5 : 4; break;
        }
    }
    run_length_array_list.RemoveAll();
    for (int i = 1; i <= count; ++i) run_length_array_list.Add(bwizc_global_int2str(step * i));
    return run_length_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_rxppm() {
    rxppm_array_list.RemoveAll();
    for (const char* p : {"+/- 62.5", "+/- 100", "+/- 125", "+/- 200", "+/- 250", "+/- 300", "+/- 500", "+/- 1000"}) {
        rxppm_array_list.Add(p);
    }
    return rxppm_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_tx_preemp_tap_1s() {
    fill_numbers(preemp_tap1_array_list, 0, 15);
    return preemp_tap1_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_rmfifo_almost_fulls() {
    fill_numbers(rmfifo_almost_full_list, 0, 15);
    return rmfifo_almost_full_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_rmfifo_almost_emptys() {
    fill_numbers(rmfifo_almost_empty_list, 0, 15);
    return rmfifo_almost_empty_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_rx_vcm_settings() {
    rx_vcm_array_list.RemoveAll();
    rx_vcm_array_list.Add("0.85");
    return rx_vcm_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_vcchtx_settings() {
    vcchtx_array_list.RemoveAll();
    if (is_protocol(KVGXB_PROTOCOL_PCIE)) {
        vcchtx_array_list.Add("1.2");
    } else if (single_width_mode) {
        vcchtx_array_list.Add("1.2");
        vcchtx_array_list.Add("1.5");
    } else {
        vcchtx_array_list.Add("1.5");
    }
    return vcchtx_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_vcm_settings() {
    vcm_array_list.RemoveAll();
    bool high = vcchtx != "1.2" && !is_protocol(KVGXB_PROTOCOL_PCIE) && single_width_mode;
    vcm_array_list.Add(high ? "0.7" : "0.6");
    return vcm_array_list;
}

CStringArray& KVGXB_WIZARD_MODEL::get_combobox_vod_settings() {
    int step = 0;
    int max = 0;
    if (vcchtx == "1.2") {
        max = 960;
        if (tx_termination == 100) step = 160;
        else if (tx_termination == 120) step = 192;
        else if (tx_termination == 150) step = 240;
    } else {
        if (tx_termination == 100) { step = 200; max = 1400; }
        else if (tx_termination == 120) { step = 240; max = 1200; }
        else if (tx_termination == 150) { step = 300; max = 1200; }
    }
    vod_array_list.RemoveAll();
    for (int v = step; step > 0 && v <= max; v += step) vod_array_list.Add(bwizc_global_int2str(v));
    return vod_array_list;
}

// ---------------------------------------------------- VOD and pre-emphasis

namespace {
struct PREEMP_WINDOW {
    int low;
    int count;
};
// First post-tap window by the position of the VOD setting in the VOD list.
const PREEMP_WINDOW KVGXB_PREEMP_1POSTTAP_TBL[7] = {{1, 3}, {1, 6}, {1, 10}, {2, 11}, {3, 10}, {4, 9}, {5, 8}};
}  // namespace

int KVGXB_WIZARD_MODEL::get_vod_iter_setting() {
    CStringArray& vods = get_combobox_vod_settings();
    int position = vods.Find(bwizc_global_int2str(vod_ctrl_setting));
    if (position < 0) position = 1;
    return vcchtx == "1.2" ? position + 1 : position;
}

void KVGXB_WIZARD_MODEL::get_preemp_1posttap_window(int& low, int& count) {
    CStringArray& vods = get_combobox_vod_settings();
    int position = vods.Find(bwizc_global_int2str(vod_ctrl_setting));
    if (position < 0 || position > 6) position = 0;
    low = KVGXB_PREEMP_1POSTTAP_TBL[position].low;
    count = KVGXB_PREEMP_1POSTTAP_TBL[position].count;
}

void KVGXB_WIZARD_MODEL::set_tx_preemp_tap_1(int position) {
    int low = 0;
    int count = 0;
    get_preemp_1posttap_window(low, count);
    preemp_1st_posttap = position == count ? 0 : low + (count - position) - 1;
}

void KVGXB_WIZARD_MODEL::check_and_set_tx_preemp_tap_1_real() {
    int low = 0;
    int count = 0;
    get_preemp_1posttap_window(low, count);
    if (preemp_1st_posttap != 0 && (preemp_1st_posttap < low || preemp_1st_posttap > low + count)) {
        preemp_1st_posttap = 0;
    }
}
