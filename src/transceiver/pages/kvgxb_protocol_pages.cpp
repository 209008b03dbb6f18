#include "transceiver/pages/kvgxb_protocol_pages.h"

#include "support/bwizc_global.h"

namespace {

using ITEM = BWIZC_DIALOG_ITEM;

void register_sonet_template() {
    using P = KVGXB_PAGE_SONET;
    kvgxb_register_page_template(P::TEMPLATE_ID, "SONET", {
        ITEM::group_box(IDC_STATIC, "Word aligner", 7, 30, 286, 110),
        ITEM::ltext(P::IDC_PATTERN_LENGTH_LABEL, "What is the word alignment pattern length?", 15, 44, 160, 9),
        ITEM::combo_box(P::IDC_PATTERN_LENGTH, 180, 42, 50, 80, KVGXB_LIST),
        ITEM::ltext(P::IDC_ALIGN_LABEL, "What is the word alignment pattern?", 15, 60, 160, 9),
        // Room for 32 binary digits, and for their hexadecimal form.
        ITEM::edit_text(P::IDC_PATTERN, 15, 72, 170, 13),
        ITEM::edit_text(P::IDC_PATTERN_DISPLAY, 190, 72, 60, 13, ES_AUTOHSCROLL | ES_READONLY),
        ITEM::check_box(P::IDC_FLIP_PATTERN, "Flip the word alignment pattern bits", 15, 90, 270, 10),
        ITEM::radio_button(P::IDC_RISING_EDGE, "Align to the pattern on the rising edge of rx_enapatternalign", 15, 106,
                           270, 10, KVGXB_FIRST_RADIO),
        ITEM::radio_button(P::IDC_NOT_RISING_EDGE, "Align to the pattern while rx_enapatternalign is high", 15, 120,
                           270, 10),
        ITEM::check_box(P::IDC_RX_SYNCSTATUS, "Use the rx_syncstatus port", 7, 148, 140, 10),
        ITEM::check_box(P::IDC_RX_PATTERNDETECT, "Use the rx_patterndetect port", 152, 148, 141, 10),
        ITEM::check_box(P::IDC_RUN_LENGTH_CHECK, "Enable the run-length violation check; run length:", 7, 166, 200,
                        10),
        ITEM::combo_box(P::IDC_RUN_LENGTH, 210, 164, 50, 120, KVGXB_LIST),
        ITEM::check_box(P::IDC_FLIP_RX_OUT, "Flip the receiver output bits", 7, 184, 140, 10),
        ITEM::check_box(P::IDC_FLIP_TX_IN, "Flip the transmitter input bits", 152, 184, 141, 10),
    });
}

void register_gige_xaui_template() {
    using P = KVGXB_PAGE_GIGE_XAUI;
    kvgxb_register_page_template(P::TEMPLATE_ID, "GIGE/XAUI", {
        ITEM::group_box(IDC_STATIC, "Optional receiver status ports", 7, 30, 286, 58),
        ITEM::check_box(P::IDC_RX_SYNCSTATUS, "rx_syncstatus", 15, 44, 130, 10),
        ITEM::check_box(P::IDC_RX_PATTERNDETECT, "rx_patterndetect", 152, 44, 130, 10),
        ITEM::check_box(P::IDC_RX_CTRLDETECT, "rx_ctrldetect", 15, 58, 130, 10),
        ITEM::check_box(P::IDC_RX_ERRDETECT, "rx_errdetect", 152, 58, 130, 10),
        ITEM::check_box(P::IDC_RX_DISPERR, "rx_disperr", 15, 72, 130, 10),
        ITEM::check_box(P::IDC_RUN_LENGTH_CHECK, "Enable the run-length violation check; run length:", 7, 98, 200,
                        10),
        ITEM::combo_box(P::IDC_RUN_LENGTH, 210, 96, 50, 120, KVGXB_LIST),
    });
}

void register_pci_template() {
    using P = KVGXB_PAGE_PCI;
    kvgxb_register_page_template(P::TEMPLATE_ID, "PCI", {
        ITEM::check_box(P::IDC_RUN_LENGTH_CHECK, "Enable the run-length violation check; run length:", 7, 32, 200,
                        10),
        ITEM::combo_box(P::IDC_RUN_LENGTH, 210, 30, 50, 120, KVGXB_LIST),
        ITEM::group_box(IDC_STATIC, "Optional receiver ports", 7, 48, 286, 72),
        ITEM::check_box(P::IDC_PIPE8B10BINVPOLARITY, "pipe8b10binvpolarity", 15, 62, 130, 10),
        ITEM::check_box(P::IDC_RX_SYNCSTATUS, "rx_syncstatus", 152, 62, 130, 10),
        ITEM::check_box(P::IDC_RX_PATTERNDETECT, "rx_patterndetect", 15, 76, 130, 10),
        ITEM::check_box(P::IDC_RX_CTRLDETECT, "rx_ctrldetect", 152, 76, 130, 10),
        ITEM::check_box(P::IDC_PIPESTATUS, "pipestatus", 15, 90, 130, 10),
        ITEM::check_box(P::IDC_PIPEDATAVALID, "pipedatavalid", 152, 90, 130, 10),
        ITEM::check_box(P::IDC_PIPEELECIDLE, "pipeelecidle", 15, 104, 130, 10),
        ITEM::check_box(P::IDC_PIPEPHYDONESTATUS, "pipephydonestatus", 152, 104, 130, 10),
        ITEM::group_box(IDC_STATIC, "Optional transmitter ports", 7, 128, 286, 44),
        ITEM::check_box(P::IDC_TX_DETECTRXLOOP, "tx_detectrxloop", 15, 142, 130, 10),
        ITEM::check_box(P::IDC_TX_FORCEELECIDLE, "tx_forceelecidle", 152, 142, 130, 10),
        ITEM::check_box(P::IDC_TX_FORCEDISPCOMPLIANCE, "tx_forcedispcompliance", 15, 156, 130, 10),
        ITEM::check_box(P::IDC_POWERDN, "powerdn", 152, 156, 130, 10),
    });
}

}  // namespace

// ------------------------------------------------------------------ SONET

KVGXB_PAGE_SONET::KVGXB_PAGE_SONET(UINT template_id) : KVGXB_PAGE(template_id) { register_sonet_template(); }

void KVGXB_PAGE_SONET::on_init_dialog() {
    bind_feasibility();
    bind(m_rising_edge, IDC_RISING_EDGE);
    bind(m_not_rising_edge, IDC_NOT_RISING_EDGE);
    group_radios(m_edge_group, {&m_rising_edge, &m_not_rising_edge});
    bind(m_align_label, IDC_ALIGN_LABEL);
    bind(m_pattern_length_label, IDC_PATTERN_LENGTH_LABEL);
    bind(m_pattern_length, IDC_PATTERN_LENGTH);
    bind(m_pattern, IDC_PATTERN);
    bind(m_pattern_display, IDC_PATTERN_DISPLAY);
    bind(m_flip_pattern, IDC_FLIP_PATTERN);
    bind_ports(m_ports);
    bind(m_run_length_check, IDC_RUN_LENGTH_CHECK);
    bind(m_run_length, IDC_RUN_LENGTH);
    bind(m_flip_rx_out, IDC_FLIP_RX_OUT);
    bind(m_flip_tx_in, IDC_FLIP_TX_IN);

    // The pattern is typed in binary; later refreshes leave the user's text alone.
    KVGXB_WIZARD& model = wiz();
    m_pattern.on_radix_changed(2);
    m_pattern.LimitText(static_cast<UINT>(model.align_pattern_length));
    m_pattern.set_value_string(model.align_pattern);
    refresh_from_model();
    refresh_feasibility();
}

void KVGXB_PAGE_SONET::update_page() {
    KVGXB_WIZARD& model = wiz();
    const bool rx = is_receiver_enabled();
    enable(m_rising_edge, false);
    enable(m_not_rising_edge, false);
    update_pattern_length_list(m_pattern_length_label, m_pattern_length);
    enable(m_pattern, rx);
    enable(m_flip_pattern, rx);
    for (KVGXB_PORT_CHECK& check : m_ports) enable(check.box, rx);
    enable(m_run_length_check, rx);
    // A single-width aligner has no rising-edge alignment.
    const bool rising = !model.single_width_mode && model.rising_edge_pattern_align;
    set_radio(m_rising_edge, rising);
    set_radio(m_not_rising_edge, !rising);
    m_pattern.LimitText(static_cast<UINT>(model.align_pattern_length));
    update_pattern_display(m_pattern_display);
    set_check(m_flip_pattern, model.word_align_flip_pattern);
    for (KVGXB_PORT_CHECK& check : m_ports) show_port(check, rx);
    set_check(m_run_length_check, rx && model.run_length_enable);
    update_run_length_list(m_run_length);
    set_check(m_flip_rx_out, rx && model.rx_flip_rx_out);
    set_check(m_flip_tx_in, is_transmitter_enabled() && model.tx_flip_tx_in);
    refresh_feasibility();
}

bool KVGXB_PAGE_SONET::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) {
    if (store_run_length(source, event, m_run_length_check, m_run_length)) return true;
    KVGXB_WIZARD& model = wiz();
    if (source == &m_rising_edge) {
        model.rising_edge_pattern_align = m_rising_edge.get_val_bool();
    } else if (source == &m_not_rising_edge) {
        model.rising_edge_pattern_align = !m_not_rising_edge.get_val_bool();
    } else if (source == &m_pattern_length) {
        model.align_pattern_length = bwizc_global_str2int(event->get_val_string());
    } else if (source == &m_pattern) {
        model.align_pattern = m_pattern.GetWindowText();
    } else if (source == &m_flip_pattern) {
        model.word_align_flip_pattern = m_flip_pattern.get_val_bool();
    } else if (source == &m_flip_rx_out) {
        model.rx_flip_rx_out = m_flip_rx_out.get_val_bool();
    } else if (source == &m_flip_tx_in) {
        model.tx_flip_tx_in = m_flip_tx_in.get_val_bool();
    } else {
        return store_port(m_ports, source);
    }
    return true;
}

// --------------------------------------------------------------- GIGE/XAUI

KVGXB_PAGE_GIGE_XAUI::KVGXB_PAGE_GIGE_XAUI(UINT template_id) : KVGXB_PAGE(template_id) {
    register_gige_xaui_template();
}

void KVGXB_PAGE_GIGE_XAUI::on_init_dialog() {
    bind_feasibility();
    bind_ports(m_ports);
    bind(m_run_length_check, IDC_RUN_LENGTH_CHECK);
    bind(m_run_length, IDC_RUN_LENGTH);
    refresh_from_model();
    refresh_feasibility();
}

void KVGXB_PAGE_GIGE_XAUI::update_page() {
    const bool rx = is_receiver_enabled();
    enable(m_run_length_check, rx);
    set_check(m_run_length_check, rx && wiz().run_length_enable);
    for (KVGXB_PORT_CHECK& check : m_ports) {
        enable(check.box, rx);
        show_port(check, rx);
    }
    update_run_length_list(m_run_length);
    refresh_feasibility();
}

bool KVGXB_PAGE_GIGE_XAUI::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) {
    return store_run_length(source, event, m_run_length_check, m_run_length) || store_port(m_ports, source);
}

// --------------------------------------------------------------------- PCI

KVGXB_PAGE_PCI::KVGXB_PAGE_PCI(UINT template_id) : KVGXB_PAGE(template_id) { register_pci_template(); }

void KVGXB_PAGE_PCI::on_init_dialog() {
    bind_feasibility();
    bind(m_run_length_check, IDC_RUN_LENGTH_CHECK);
    bind(m_run_length, IDC_RUN_LENGTH);
    bind_ports(m_ports);
    refresh_from_model();
    refresh_feasibility();
}

void KVGXB_PAGE_PCI::update_page() {
    const bool rx = is_receiver_enabled();
    set_check(m_run_length_check, rx && wiz().run_length_enable);
    for (int i = 0; i < static_cast<int>(std::size(m_ports)); ++i) {
        show_port(m_ports[i], i < RX_PORT_COUNT ? rx : is_transmitter_enabled());
    }
    update_run_length_list(m_run_length);
    refresh_feasibility();
}

bool KVGXB_PAGE_PCI::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) {
    return store_run_length(source, event, m_run_length_check, m_run_length) || store_port(m_ports, source);
}
