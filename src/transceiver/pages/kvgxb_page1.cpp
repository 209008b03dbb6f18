#include "transceiver/pages/kvgxb_page1.h"

#include <cstring>

#include "support/bwizc_global.h"

namespace {

using ITEM = BWIZC_DIALOG_ITEM;

void register_general_template() {
    using P = KVGXB_PAGE1;
    kvgxb_register_page_template(P::TEMPLATE_ID, "General", {
        ITEM::ltext(IDC_STATIC, "Which protocol will you be using?", 7, 34, 142, 9),
        ITEM::combo_box(P::IDC_PROTOCOL, 152, 32, 141, 120, KVGXB_LIST),
        ITEM::ltext(P::IDC_SUBPROTOCOL_LABEL, "Which subprotocol will you be using?", 7, 50, 142, 9),
        ITEM::combo_box(P::IDC_SUBPROTOCOL, 152, 48, 141, 120, KVGXB_LIST),
        ITEM::check_box(P::IDC_FORCE_DEFAULTS, "Use the protocol's default settings", 152, 64, 141, 10),
        ITEM::ltext(IDC_STATIC, "What is the operation mode?", 7, 82, 142, 9),
        ITEM::combo_box(P::IDC_OPMODE, 152, 80, 141, 80, KVGXB_LIST),
        ITEM::ltext(IDC_STATIC, "What is the number of channels?", 7, 98, 142, 9),
        ITEM::combo_box(P::IDC_CHANNELS, 152, 96, 60, 120, KVGXB_LIST),
        ITEM::ltext(P::IDC_WIDTH_LABEL, "What is the deserializer block width?", 7, 114, 142, 9),
        ITEM::radio_button(P::IDC_SINGLE_WIDTH, "Single", 152, 113, 60, 10, KVGXB_FIRST_RADIO),
        ITEM::radio_button(P::IDC_DOUBLE_WIDTH, "Double", 215, 113, 70, 10),
        ITEM::ltext(IDC_STATIC, "What is the channel width?", 7, 130, 142, 9),
        ITEM::combo_box(P::IDC_CHANNEL_WIDTH, 152, 128, 60, 100, KVGXB_LIST),
        ITEM::ltext(IDC_STATIC, "Which input will you specify?", 7, 148, 142, 9),
        ITEM::combo_box(P::IDC_INPUT_SELECTION, 152, 146, 141, 60, KVGXB_LIST),
        ITEM::ltext(P::IDC_QUESTION_A, "What is the data rate?", 7, 164, 142, 9),
        ITEM::edit_text(P::IDC_INPUT_A, 152, 162, 80, 13),
        ITEM::ltext(P::IDC_UNIT_A, "Mbps", 236, 164, 40, 9),
        ITEM::ltext(P::IDC_QUESTION_B, "What is the input clock frequency?", 7, 181, 142, 9),
        ITEM::combo_box(P::IDC_INPUT_B, 152, 179, 80, 120, KVGXB_LIST),
        ITEM::combo_box(P::IDC_UNIT_B, 236, 179, 57, 60, KVGXB_LIST),
        ITEM::group_box(IDC_STATIC, "Optional reset ports", 7, 198, 286, 28),
        ITEM::check_box(P::IDC_RX_DIGITALRESET, "rx_digitalreset", 15, 210, 88, 10),
        ITEM::check_box(P::IDC_RX_ANALOGRESET, "rx_analogreset", 107, 210, 88, 10),
        ITEM::check_box(P::IDC_TX_DIGITALRESET, "tx_digitalreset", 199, 210, 88, 10),
    });
}

bool is_one_of(const CString& value, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (value.CompareNoCase(name) == 0) return true;
    }
    return false;
}

}  // namespace

KVGXB_PAGE1::KVGXB_PAGE1(UINT template_id) : KVGXB_PAGE(template_id) { register_general_template(); }

// ------------------------------------------------------------------ start

void KVGXB_PAGE1::on_init_dialog() {
    bind_feasibility();
    bind(m_protocol, IDC_PROTOCOL);
    bind(m_subprotocol_label, IDC_SUBPROTOCOL_LABEL);
    bind(m_subprotocol, IDC_SUBPROTOCOL);
    bind(m_force_defaults, IDC_FORCE_DEFAULTS);
    bind(m_opmode, IDC_OPMODE);
    bind(m_channels, IDC_CHANNELS);
    bind(m_width_label, IDC_WIDTH_LABEL);
    bind(m_single_width, IDC_SINGLE_WIDTH);
    bind(m_double_width, IDC_DOUBLE_WIDTH);
    group_radios(m_width_group, {&m_single_width, &m_double_width});
    bind(m_channel_width, IDC_CHANNEL_WIDTH);
    bind(m_input_selection, IDC_INPUT_SELECTION);
    bind(m_question_a, IDC_QUESTION_A);
    bind(m_input_a, IDC_INPUT_A);
    bind(m_unit_a, IDC_UNIT_A);
    bind(m_question_b, IDC_QUESTION_B);
    bind(m_input_b, IDC_INPUT_B);
    bind(m_unit_b, IDC_UNIT_B);
    bind(m_rx_digitalreset, IDC_RX_DIGITALRESET);
    bind(m_rx_analogreset, IDC_RX_ANALOGRESET);
    bind(m_tx_digitalreset, IDC_TX_DIGITALRESET);

    m_input_selection.ResetContent();
    m_input_selection.AddString(INPUT_MODE_DATA_RATE_STRING);
    m_input_selection.AddString(INPUT_MODE_FREQ_STRING);

    KVGXB_WIZARD& model = wiz();
    model.set_device_query_client(this);
    // The enumeration runs once per process, however often the page shows;
    // a silent run never waits for it.
    if (!model.is_silent_mode() && model.is_device_query_handler_installed()) model.start_device_enumeration();
    // A silent run shows the lists its description stored: without the
    // database's presets the model's own lists would replace them.
    if (!model.is_silent_mode()) {
        model.get_combobox_data_rate();
        model.get_combobox_inclk_frequency();
    }
    refresh_from_model();
    refresh_feasibility();
}

void KVGXB_PAGE1::on_device_enumeration_done() {
    // The verdict shown so far was reached without the database's presets.
    wiz().evaluate_gxb_feasibility();
    refresh_from_model();
    refresh_feasibility();
    invalidate_and_update_page(true);
}

void KVGXB_PAGE1::on_device_value_list_arrived() {
    if (!IsWindow()) return;
    refresh_from_model();
    refresh_feasibility();
    // The second input may have moved to the list's first entry: the symbol's
    // summary shows it.
    invalidate_and_update_page(true);
}

// ---------------------------------------------------------------- refresh

void KVGXB_PAGE1::update_page() {
    update_protocol_combo();
    update_subprotocol_combo();
    update_force_default_check();
    update_opmode_combo();
    update_number_of_channels_combo();
    update_deserializer_block_width_radios();
    update_channel_width_combo();
    update_input_selection_combo();
    update_question_a();
    update_input_a_edit();
    update_input_a_unit();
    update_question_b();
    update_input_b_combo();
    update_input_b_unit();
    update_reset_port_checks();
    refresh_feasibility();
}

void KVGXB_PAGE1::update_protocol_combo() {
    KVGXB_WIZARD& model = wiz();
    refill_combo(m_protocol, model.get_combobox_protocols(), model.protocol, false);
}

void KVGXB_PAGE1::update_subprotocol_combo() {
    KVGXB_WIZARD& model = wiz();
    const bool has_subprotocols =
        is_one_of(model.protocol, {KVGXB_PROTOCOL_SONET, KVGXB_PROTOCOL_PCIE, KVGXB_PROTOCOL_BASIC});
    enable(m_subprotocol_label, has_subprotocols);
    enable(m_subprotocol, has_subprotocols);
    refill_combo(m_subprotocol, model.get_combobox_subprotocols(), model.subprotocol, false);
}

void KVGXB_PAGE1::update_force_default_check() {
    KVGXB_WIZARD& model = wiz();
    enable(m_force_defaults, model.protocol.CompareNoCase(KVGXB_PROTOCOL_BASIC) != 0);
    set_check(m_force_defaults, model.force_default_settings);
}

void KVGXB_PAGE1::update_opmode_combo() {
    KVGXB_WIZARD& model = wiz();
    enable(m_opmode, !is_one_of(model.protocol, {KVGXB_PROTOCOL_XAUI, KVGXB_PROTOCOL_PCIE}));
    CString mode = model.opmode_enum2string(model.operation_mode);
    refill_combo(m_opmode, model.get_combobox_opmodes(), mode, true);
    model.operation_mode = model.opmode_string2enum(mode);
}

void KVGXB_PAGE1::update_number_of_channels_combo() {
    KVGXB_WIZARD& model = wiz();
    CString channels = bwizc_global_int2str(model.number_of_channels);
    refill_combo(m_channels, model.get_combobox_channel_numbers(), channels, true);
    model.number_of_channels = bwizc_global_str2int(channels);
}

void KVGXB_PAGE1::update_deserializer_block_width_radios() {
    KVGXB_WIZARD& model = wiz();
    const bool choosable = model.double_width_allowed && model.protocol.CompareNoCase(KVGXB_PROTOCOL_BASIC) == 0;
    enable(m_width_label, choosable);
    enable(m_single_width, choosable);
    enable(m_double_width, choosable);
    set_radio(m_single_width, model.single_width_mode);
    set_radio(m_double_width, !model.single_width_mode);
}

void KVGXB_PAGE1::update_channel_width_combo() {
    KVGXB_WIZARD& model = wiz();
    CString width = bwizc_global_int2str(model.channel_width);
    refill_combo(m_channel_width, model.get_combobox_channel_widths(), width, true);
    model.channel_width = bwizc_global_str2int(width);
}

void KVGXB_PAGE1::update_input_selection_combo() {
    KVGXB_WIZARD& model = wiz();
    enable(m_input_selection, model.protocol.CompareNoCase(KVGXB_PROTOCOL_BASIC) == 0);
    set_combo_value(m_input_selection, model.input_selection == 1 ? INPUT_MODE_FREQ_STRING : INPUT_MODE_DATA_RATE_STRING);
}

void KVGXB_PAGE1::update_question_a() {
    static const char* const QUESTIONS[] = {"What is the data rate?", "What is the input clock frequency?",
                                            "What is the input clock period?"};
    const int selection = wiz().input_selection;
    if (selection >= 0 && selection <= 2) set_text(m_question_a, QUESTIONS[selection]);
}

void KVGXB_PAGE1::update_input_a_edit() {
    KVGXB_WIZARD& model = wiz();
    enable(m_input_a, model.protocol.CompareNoCase(KVGXB_PROTOCOL_BASIC) == 0);
    // Shown through the box's own change: the page is refreshing, so the
    // change it raises is not acted on.
    if (m_input_a.IsWindow() && m_input_a.GetWindowText() != model.input_a) m_input_a.set_value(model.input_a);
}

void KVGXB_PAGE1::update_input_a_unit() {
    static const char* const UNITS[] = {"Mbps", "MHz", "ns"};
    const int selection = wiz().input_selection;
    if (selection >= 0 && selection <= 2) set_text(m_unit_a, UNITS[selection]);
}

void KVGXB_PAGE1::update_question_b() {
    KVGXB_WIZARD& model = wiz();
    if (model.input_selection != 0) {
        set_text(m_question_b, "What is the data rate?");
    } else if (model.input_b_unit == "MHz") {
        set_text(m_question_b, "What is the input clock frequency?");
    } else if (model.input_b_unit == "ns") {
        set_text(m_question_b, "What is the input clock period?");
    }
}

void KVGXB_PAGE1::update_input_b_combo() {
    KVGXB_WIZARD& model = wiz();
    m_input_b.ResetContent();
    enable(m_input_b, !is_one_of(model.protocol, {KVGXB_PROTOCOL_XAUI, KVGXB_PROTOCOL_SDI}));
    if (!model.is_current_data_rate_valid()) {
        m_input_b.AddString(KVGXB_SUBPROTOCOL_NA);
        set_combo_value(m_input_b, KVGXB_SUBPROTOCOL_NA);
        return;
    }
    // The lists as the model derives them now; a silent run keeps the ones
    // its description stored (it has no presets to derive them from).
    if (!model.is_silent_mode()) {
        if (model.input_selection != 0) {
            model.get_combobox_data_rate();
        } else {
            model.get_combobox_inclk_frequency();
        }
    }
    const CStringArray& values =
        model.input_selection != 0 ? model.data_rate_array_list : model.inclk_frequency_array_list;
    const bool as_period = model.input_selection == 0 && model.input_b_unit == "ns";
    CStringArray shown;
    for (const CString& value : values) {
        if (as_period && value != KVGXB_SUBPROTOCOL_NA) {
            const double mhz = bwizc_global_str2double(value);
            shown.Add(mhz > 0 ? bwizc_global_double2str(1000.0 / mhz, 3) : value);
        } else {
            shown.Add(value);
        }
    }
    bool offered = false;
    for (const CString& value : shown) offered = offered || value.CompareNoCase(model.input_b) == 0;
    if (!offered && !values.IsEmpty()) model.input_b = values.GetAt(0);
    for (const CString& value : shown) {
        if (value != KVGXB_SUBPROTOCOL_NA) m_input_b.AddString(value);
    }
    set_combo_value(m_input_b, model.input_b);
}

void KVGXB_PAGE1::update_input_b_unit() {
    KVGXB_WIZARD& model = wiz();
    enable(m_unit_b, false);
    m_unit_b.ResetContent();
    m_unit_b.AddString(model.input_selection != 0 ? "Mbps" : "MHz");
    set_combo_value(m_unit_b, model.input_b_unit);
}

void KVGXB_PAGE1::update_reset_port_checks() {
    KVGXB_WIZARD& model = wiz();
    const bool rx = model.operation_mode != KVGXB_OPMODE_TX_ONLY;
    const bool tx = model.operation_mode != KVGXB_OPMODE_RX_ONLY;
    enable(m_rx_digitalreset, rx);
    enable(m_rx_analogreset, rx);
    enable(m_tx_digitalreset, tx);
    // A disabled box shows unchecked and keeps its port's flag.
    set_check(m_rx_digitalreset, rx && model.is_port_used("rx_digitalreset"));
    set_check(m_rx_analogreset, rx && model.is_port_used("rx_analogreset"));
    set_check(m_tx_digitalreset, tx && model.is_port_used("tx_digitalreset"));
}

// ---------------------------------------------------------------- changes

bool KVGXB_PAGE1::is_rejected_input_a(const CString& text) {
    static const char PUNCTUATION[] = "`~!@#$%^&*()-_=+[]{}\\|;:'<>,/?";
    CString lower = text;
    lower.MakeLower();
    for (int i = 0; i < lower.GetLength(); ++i) {
        const char ch = lower.GetAt(i);
        if ((ch >= 'a' && ch <= 'z') || std::strchr(PUNCTUATION, ch)) return true;
    }
    return false;
}

bool KVGXB_PAGE1::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) {
    KVGXB_WIZARD& model = wiz();
    const CString text = event->get_val_string();
    m_requery = false;
    if (source == &m_protocol) {
        model.previous_protocol = model.protocol;
        model.protocol = text;
        if (model.previous_protocol.CompareNoCase(text) != 0) {
            model.protocol_changed = true;
            model.subprotocol_changed = true;
            m_requery = true;
        }
    } else if (source == &m_subprotocol) {
        model.subprotocol_changed = model.subprotocol.CompareNoCase(text) != 0;
        model.subprotocol = text;
        m_requery = true;
    } else if (source == &m_force_defaults) {
        model.previous_protocol = m_protocol.get_val_string();
        model.force_default_settings = m_force_defaults.get_val_bool();
        model.force_default_changed = true;
    } else if (source == &m_opmode) {
        model.operation_mode = model.opmode_string2enum(text);
    } else if (source == &m_channels) {
        model.number_of_channels = bwizc_global_str2int(text);
    } else if (source == &m_single_width || source == &m_double_width) {
        // The button that went unchecked reports too; only the checked one counts.
        auto* radio = dynamic_cast<CRADIO_BUTTON*>(source);
        if (!radio || !radio->get_val_bool()) return false;
        model.single_width_mode = source == &m_single_width;
        model.deserializer_width_changed = true;
        m_requery = true;
    } else if (source == &m_channel_width) {
        model.channel_width = bwizc_global_str2int(text);
        model.channel_width_changed = true;
        m_requery = true;
    } else if (source == &m_input_selection) {
        const int selection = text == INPUT_MODE_FREQ_STRING ? 1 : 0;
        if (selection != model.input_selection) {
            model.input_selection = selection;
            model.input_selection_changed = true;
            m_requery = true;
        }
    } else if (source == &m_input_a) {
        if (!is_rejected_input_a(text)) {
            model.input_a = text;
            m_requery = true;
        }
    } else if (source == &m_input_b) {
        if (text != model.input_b) model.input_b_changed = true;
        model.input_b = text;
    } else if (source == &m_unit_b) {
        model.previous_input_b_unit = model.input_b_unit;
        model.input_b_unit = text;
        model.input_b_unit_changed = model.previous_input_b_unit != text;
    } else if (source == &m_rx_digitalreset) {
        model.set_port_used("rx_digitalreset", m_rx_digitalreset.get_val_bool());
    } else if (source == &m_rx_analogreset) {
        model.set_port_used("rx_analogreset", m_rx_analogreset.get_val_bool());
    } else if (source == &m_tx_digitalreset) {
        model.set_port_used("tx_digitalreset", m_tx_digitalreset.get_val_bool());
    } else {
        return false;
    }
    return true;
}

void KVGXB_PAGE1::after_update_cycle() {
    if (m_requery) request_dependent_list();
    m_requery = false;
}

void KVGXB_PAGE1::request_dependent_list() {
    KVGXB_WIZARD& model = wiz();
    if (model.protocol.CompareNoCase(KVGXB_PROTOCOL_BASIC) != 0) return;
    if (model.input_selection != 0) {
        call_tcl_get_data_rate();
    } else {
        call_tcl_get_inclk_freq();
    }
}

// ------------------------------------------------------ the description

void KVGXB_PAGE1::param_to_wizard_var() {
    KVGXB_WIZARD& model = wiz();
    model.param_to_wizard_var();
    model.place_protocol_pages();
}

void KVGXB_PAGE1::wizard_var_to_param() { wiz().wizard_var_to_param(); }

void KVGXB_PAGE1::param_to_wizard_var_init_complete() { wiz().param_to_wizard_var_init_complete(); }
