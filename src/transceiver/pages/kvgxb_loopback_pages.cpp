#include "transceiver/pages/kvgxb_loopback_pages.h"

namespace {

using ITEM = BWIZC_DIALOG_ITEM;

void register_loopback_template() {
    using P = KVGXB_PAGE4;
    kvgxb_register_page_template(P::TEMPLATE_ID, "Lpbk", {
        ITEM::group_box(IDC_STATIC, "Which loopback option would you like?", 7, 30, 286, 82),
        ITEM::radio_button(P::IDC_NO_LOOPBACK, "No loopback", 15, 44, 270, 10, KVGXB_FIRST_RADIO),
        ITEM::radio_button(P::IDC_SERIAL_LOOPBACK, "Serial loopback", 15, 58, 270, 10),
        ITEM::ltext(P::IDC_SERIAL_LOOPBACK_LABEL, "Adds the rx_seriallpbken port: the serializer's output feeds the "
                    "receiver", 27, 70, 262, 9),
        ITEM::radio_button(P::IDC_PARALLEL_LOOPBACK, "Parallel loopback", 15, 84, 270, 10),
        ITEM::ltext(P::IDC_PARALLEL_LOOPBACK_LABEL, "The transmitter's parallel data feeds the receiver's byte "
                    "deserializer", 27, 96, 262, 9),
        ITEM::ltext(P::IDC_REVERSE_LOOPBACK_LABEL, "Which reverse loopback option would you like?", 7, 120, 286, 9),
        ITEM::radio_button(P::IDC_NO_REVERSE_LOOPBACK, "No reverse loopback", 15, 134, 270, 10, KVGXB_FIRST_RADIO),
        ITEM::radio_button(P::IDC_REVERSE_SERIAL_LOOPBACK, "Reverse serial loopback", 15, 148, 270, 10),
        ITEM::ltext(P::IDC_REVERSE_SERIAL_LOOPBACK_LABEL, "The received serial data goes straight back out "
                    "of the transmitter", 27, 160, 262, 9),
    });
}

void register_selftest_template() {
    using P = KVGXB_PAGE5;
    kvgxb_register_page_template(P::TEMPLATE_ID, "BIST", {
        ITEM::group_box(IDC_STATIC, "Which built-in self-test pattern would you like?", 7, 30, 286, 110),
        ITEM::radio_button(P::IDC_NONE, "None", 15, 44, 130, 10, KVGXB_FIRST_RADIO),
        ITEM::radio_button(P::IDC_PRBS_7, "PRBS 7", 15, 58, 130, 10),
        ITEM::radio_button(P::IDC_PRBS_8, "PRBS 8", 15, 72, 130, 10),
        ITEM::radio_button(P::IDC_PRBS_10, "PRBS 10", 15, 86, 130, 10),
        ITEM::radio_button(P::IDC_PRBS_23, "PRBS 23", 15, 100, 130, 10),
        ITEM::radio_button(P::IDC_LOW_FREQ, "Low frequency", 152, 44, 130, 10),
        ITEM::radio_button(P::IDC_MIXED_FREQ, "Mixed frequency", 152, 58, 130, 10),
        ITEM::radio_button(P::IDC_HIGH_FREQ, "High frequency", 152, 72, 130, 10),
        ITEM::radio_button(P::IDC_INCREMENTAL, "Incremental", 152, 86, 130, 10),
        ITEM::radio_button(P::IDC_CJPAT, "CJPAT", 152, 100, 130, 10),
        ITEM::radio_button(P::IDC_CRPAT, "CRPAT", 152, 114, 130, 10),
        ITEM::group_box(IDC_STATIC, "Optional self-test ports", 7, 148, 286, 30),
        ITEM::check_box(P::IDC_RX_BISTERR, "rx_bisterr", 15, 162, 130, 10),
        ITEM::check_box(P::IDC_RX_BISTDONE, "rx_bistdone", 152, 162, 130, 10),
    });
}

bool is_rt(KVGXB_WIZARD& model) { return model.operation_mode == KVGXB_OPMODE_RX_AND_TX; }

}  // namespace

// The mode of the radio that reports itself checked, or -1.
template <size_t N>
static int checked_mode(KVGXB_MODE_RADIO (&radios)[N], CCONTROL* source) {
    for (KVGXB_MODE_RADIO& entry : radios) {
        if (source == &entry.radio) return entry.radio.get_val_bool() ? entry.mode : -1;
    }
    return -1;
}

template <size_t N>
static bool is_one_of(KVGXB_MODE_RADIO (&radios)[N], CCONTROL* source) {
    for (KVGXB_MODE_RADIO& entry : radios) {
        if (source == &entry.radio) return true;
    }
    return false;
}

// -------------------------------------------------------------- loopback

KVGXB_PAGE4::KVGXB_PAGE4(UINT template_id) : KVGXB_PAGE(template_id) { register_loopback_template(); }

BOOL KVGXB_PAGE4::IncludedInSequence() {
    const CString& protocol = wiz().protocol;
    return protocol.CompareNoCase(KVGXB_PROTOCOL_PCIE) != 0 && protocol.CompareNoCase(KVGXB_PROTOCOL_BASIC) != 0;
}

void KVGXB_PAGE4::on_init_dialog() {
    bind_feasibility();
    bind_mode_radios(m_loopback, m_loopback_group);
    bind(m_serial_loopback_label, IDC_SERIAL_LOOPBACK_LABEL);
    bind(m_parallel_loopback_label, IDC_PARALLEL_LOOPBACK_LABEL);
    bind(m_reverse_loopback_label, IDC_REVERSE_LOOPBACK_LABEL);
    bind_mode_radios(m_reverse_loopback, m_reverse_loopback_group);
    bind(m_reverse_serial_loopback_label, IDC_REVERSE_SERIAL_LOOPBACK_LABEL);
    refresh_from_model();
    refresh_feasibility();
}

void KVGXB_PAGE4::update_page() {
    KVGXB_WIZARD& model = wiz();
    for (KVGXB_MODE_RADIO& entry : m_loopback) set_radio(entry.radio, model.loopback_mode == entry.mode);
    for (KVGXB_MODE_RADIO& entry : m_reverse_loopback) {
        set_radio(entry.radio, model.reverse_loopback_mode == entry.mode);
        enable(entry.radio, false);
    }
    enable(m_loopback[2].radio, false);
    enable(m_parallel_loopback_label, false);
    enable(m_reverse_loopback_label, false);
    enable(m_reverse_serial_loopback_label, false);
    enable(m_loopback[1].radio, is_rt(model));
    enable(m_serial_loopback_label, is_rt(model));
    refresh_feasibility();
}

bool KVGXB_PAGE4::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* /*event*/) {
    KVGXB_WIZARD& model = wiz();
    // The button that went unchecked reports too; only the checked one counts.
    if (is_one_of(m_loopback, source)) {
        const int mode = checked_mode(m_loopback, source);
        if (mode < 0) return false;
        model.loopback_mode = mode;
        return true;
    }
    if (is_one_of(m_reverse_loopback, source)) {
        const int mode = checked_mode(m_reverse_loopback, source);
        if (mode < 0) return false;
        model.reverse_loopback_mode = mode;
        return true;
    }
    return false;
}

// ------------------------------------------------------------- self-test

KVGXB_PAGE5::KVGXB_PAGE5(UINT template_id) : KVGXB_PAGE(template_id) { register_selftest_template(); }

void KVGXB_PAGE5::on_init_dialog() {
    bind_feasibility();
    bind_mode_radios(m_modes, m_mode_group);
    bind_ports(m_ports);
    refresh_from_model();
    refresh_feasibility();
}

void KVGXB_PAGE5::update_page() {
    KVGXB_WIZARD& model = wiz();
    const bool rt = is_rt(model) && model.reverse_loopback_mode == KVGXB_REV_LOOPBACK_NONE;
    const bool basic_loopback =
        model.protocol.CompareNoCase(KVGXB_PROTOCOL_BASIC) == 0 && model.loopback_mode != KVGXB_LOOPBACK_NONE;
    for (KVGXB_MODE_RADIO& entry : m_modes) {
        set_radio(entry.radio, model.selftest_mode == entry.mode);
        const bool prbs = entry.mode >= KVGXB_SELFTEST_PRBS_7 && entry.mode <= KVGXB_SELFTEST_PRBS_23;
        enable(entry.radio, rt && (!prbs || basic_loopback));
    }
    for (KVGXB_PORT_CHECK& check : m_ports) {
        enable(check.box, model.selftest_mode != KVGXB_SELFTEST_NONE);
        show_port(check, is_receiver_enabled());
    }
    refresh_feasibility();
}

bool KVGXB_PAGE5::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* /*event*/) {
    if (is_one_of(m_modes, source)) {
        const int mode = checked_mode(m_modes, source);
        if (mode < 0) return false;
        wiz().selftest_mode = mode;
        return true;
    }
    return store_port(m_ports, source);
}
