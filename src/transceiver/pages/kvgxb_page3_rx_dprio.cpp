#include "transceiver/pages/kvgxb_page3_rx_dprio.h"

#include "support/bwizc_global.h"

namespace {

using ITEM = BWIZC_DIALOG_ITEM;

void register_rx_analog_template() {
    using P = KVGXB_PAGE3_RX_DPRIO;
    kvgxb_register_page_template(P::TEMPLATE_ID, "Reconfig/RX Analog", {
        ITEM::group_box(IDC_STATIC, "Dynamic reconfiguration", 7, 28, 286, 52),
        ITEM::radio_button(P::IDC_DPRIO_OFF, "Off: the analog settings are fixed", 15, 39, 270, 10,
                           KVGXB_FIRST_RADIO),
        ITEM::radio_button(P::IDC_DPRIO_ON, "On: the analog settings can be changed while the design runs", 15, 51,
                           270, 10),
        ITEM::ltext(P::IDC_STARTING_CHANNEL_LABEL, "What is the starting channel number?", 15, 65, 150, 9),
        ITEM::combo_box(P::IDC_STARTING_CHANNEL, 170, 63, 50, 120, KVGXB_LIST),
        ITEM::group_box(P::IDC_RX_ANALOG_GROUP, "Receiver analog settings", 7, 84, 286, 144),
        ITEM::check_box(P::IDC_ENABLE_EQUALIZER, "Enable equalizer control", 15, 95, 150, 10),
        ITEM::rtext(P::IDC_EQUALIZER_LABEL_LOW, "1 (min)", 15, 110, 48, 9),
        ITEM::slider(P::IDC_EQUALIZER_SLIDER, 66, 106, 170, 15, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP),
        ITEM::ltext(P::IDC_EQUALIZER_LABEL_HIGH, "15 (max)", 240, 110, 48, 9),
        ITEM::ctext(P::IDC_EQUALIZER_LABEL_MID, "Equalization", 66, 122, 170, 9),
        ITEM::ltext(P::IDC_DC_GAIN_LABEL, "What is the equalizer DC gain?", 15, 138, 150, 9),
        ITEM::combo_box(P::IDC_DC_GAIN, 170, 136, 50, 60, KVGXB_LIST),
        ITEM::ltext(P::IDC_VCM_LABEL, "What is the receiver common mode voltage?", 15, 153, 150, 9),
        ITEM::combo_box(P::IDC_VCM, 170, 151, 50, 60, KVGXB_LIST),
        ITEM::ltext(IDC_STATIC, "V", 224, 153, 20, 9),
        ITEM::check_box(P::IDC_FORCE_SIGNAL_DETECT, "Force signal detection", 15, 167, 150, 10),
        ITEM::ltext(P::IDC_THRESHOLD_LABEL, "What is the signal detect threshold?", 15, 182, 150, 9),
        ITEM::combo_box(P::IDC_THRESHOLD, 170, 180, 50, 60, KVGXB_LIST),
        ITEM::check_box(P::IDC_EXTERNAL_TERMINATION, "Use external receiver termination", 15, 196, 150, 10),
        ITEM::ltext(P::IDC_TERMINATION_LABEL, "What is the receiver termination?", 15, 211, 150, 9),
        ITEM::combo_box(P::IDC_TERMINATION, 170, 209, 50, 60, KVGXB_LIST),
        ITEM::ltext(P::IDC_TERMINATION_UNIT, "Ohms", 224, 211, 30, 9),
    });
}

}  // namespace

KVGXB_PAGE3_RX_DPRIO::KVGXB_PAGE3_RX_DPRIO(UINT template_id) : KVGXB_PAGE(template_id) {
    register_rx_analog_template();
}

void KVGXB_PAGE3_RX_DPRIO::on_init_dialog() {
    bind_feasibility();
    bind(m_dprio_off, IDC_DPRIO_OFF);
    bind(m_dprio_on, IDC_DPRIO_ON);
    group_radios(m_dprio_group, {&m_dprio_off, &m_dprio_on});
    bind(m_starting_channel_label, IDC_STARTING_CHANNEL_LABEL);
    bind(m_starting_channel, IDC_STARTING_CHANNEL);
    bind(m_rx_analog_group, IDC_RX_ANALOG_GROUP);
    bind(m_enable_equalizer, IDC_ENABLE_EQUALIZER);
    bind(m_equalizer_label_low, IDC_EQUALIZER_LABEL_LOW);
    bind(m_equalizer_label_mid, IDC_EQUALIZER_LABEL_MID);
    bind(m_equalizer_label_high, IDC_EQUALIZER_LABEL_HIGH);
    bind(m_dc_gain_label, IDC_DC_GAIN_LABEL);
    bind(m_dc_gain, IDC_DC_GAIN);
    bind(m_vcm_label, IDC_VCM_LABEL);
    bind(m_vcm, IDC_VCM);
    bind(m_force_signal_detect, IDC_FORCE_SIGNAL_DETECT);
    bind(m_threshold_label, IDC_THRESHOLD_LABEL);
    bind(m_threshold, IDC_THRESHOLD);
    bind(m_external_termination, IDC_EXTERNAL_TERMINATION);
    bind(m_termination_label, IDC_TERMINATION_LABEL);
    bind(m_termination, IDC_TERMINATION);
    bind(m_termination_unit, IDC_TERMINATION_UNIT);
    set_slider(IDC_EQUALIZER_SLIDER, 1, 15, wiz().equalizer_ctrl_setting);
    refresh_from_model();
}

// ---------------------------------------------------------------- refresh

bool KVGXB_PAGE3_RX_DPRIO::is_receiver_enabled() { return wiz().operation_mode != KVGXB_OPMODE_TX_ONLY; }

bool KVGXB_PAGE3_RX_DPRIO::is_equalizer_on() { return is_receiver_enabled() && wiz().enable_equalizer_ctrl; }

void KVGXB_PAGE3_RX_DPRIO::update_page() {
    update_dprio_radios();
    update_dprio_starting_channel_number_combo();
    enable(m_rx_analog_group, is_receiver_enabled());
    update_equalizer_controls();
    update_equalizer_dc_gain_combo();
    update_vcm_combo();
    update_signal_detect_controls();
    update_signal_detect_threshold_combo();
    update_termination_controls();
    update_termination_combo();
    refresh_feasibility();
}

void KVGXB_PAGE3_RX_DPRIO::update_dprio_radios() {
    // "full" reconfiguration has no radio: neither is checked then.
    const int dprio = wiz().dprio_type;
    set_radio(m_dprio_off, dprio == KVGXB_DPRIO_NONE);
    set_radio(m_dprio_on, dprio == KVGXB_DPRIO_PMA_ELECTRICALS);
}

void KVGXB_PAGE3_RX_DPRIO::update_dprio_starting_channel_number_combo() {
    KVGXB_WIZARD& model = wiz();
    const bool reconfigurable = model.dprio_type != KVGXB_DPRIO_NONE;
    enable(m_starting_channel_label, reconfigurable);
    enable(m_starting_channel, reconfigurable);
    // Reconfiguration addresses whole quads of four channels.
    CStringArray channels;
    for (int channel = 0; channel < 125; channel += 4) channels.Add(bwizc_global_int2str(channel));
    CString value = bwizc_global_int2str(model.starting_channel_number);
    refill_combo(m_starting_channel, channels, value, false);
}

void KVGXB_PAGE3_RX_DPRIO::update_equalizer_controls() {
    const bool rx = is_receiver_enabled();
    enable(m_enable_equalizer, rx);
    set_check(m_enable_equalizer, rx && wiz().enable_equalizer_ctrl);
    const bool on = is_equalizer_on();
    for (CRSTATIC* label : {&m_equalizer_label_low, &m_equalizer_label_mid, &m_equalizer_label_high}) enable(*label, on);
    if (CSliderCtrl* slider = get_slider(IDC_EQUALIZER_SLIDER)) enable(*slider, on);
}

void KVGXB_PAGE3_RX_DPRIO::update_equalizer_dc_gain_combo() {
    const bool on = is_equalizer_on();
    enable(m_dc_gain_label, on);
    enable(m_dc_gain, on);
    refill_fixed_combo(m_dc_gain, {"0", "1", "2"}, bwizc_global_int2str(wiz().equalizer_dcgain_setting));
}

void KVGXB_PAGE3_RX_DPRIO::update_vcm_combo() {
    KVGXB_WIZARD& model = wiz();
    const bool rx = is_receiver_enabled();
    enable(m_vcm_label, rx);
    enable(m_vcm, rx);
    refill_combo(m_vcm, model.get_combobox_rx_vcm_settings(), model.rx_vcm, true);
}

void KVGXB_PAGE3_RX_DPRIO::update_signal_detect_controls() {
    KVGXB_WIZARD& model = wiz();
    const bool rx = is_receiver_enabled();
    enable(m_force_signal_detect, rx && model.protocol.CompareNoCase(KVGXB_PROTOCOL_PCIE) == 0);
    set_check(m_force_signal_detect, rx && model.rx_force_signal_detect);
}

void KVGXB_PAGE3_RX_DPRIO::update_signal_detect_threshold_combo() {
    KVGXB_WIZARD& model = wiz();
    const bool on = is_receiver_enabled() && model.protocol.CompareNoCase(KVGXB_PROTOCOL_PCIE) == 0 &&
                    !model.rx_force_signal_detect;
    enable(m_threshold_label, on);
    enable(m_threshold, on);
    refill_fixed_combo(m_threshold, {"1", "2", "3"}, bwizc_global_int2str(model.rx_signal_detect_threshold));
}

void KVGXB_PAGE3_RX_DPRIO::update_termination_controls() {
    const bool rx = is_receiver_enabled();
    enable(m_external_termination, rx);
    set_check(m_external_termination, rx && wiz().external_rx_termination);
}

void KVGXB_PAGE3_RX_DPRIO::update_termination_combo() {
    KVGXB_WIZARD& model = wiz();
    // An external termination keeps the on-chip value for when it is dropped.
    const bool on = is_receiver_enabled() && !model.external_rx_termination;
    enable(m_termination_label, on);
    enable(m_termination, on);
    enable(m_termination_unit, on);
    refill_fixed_combo(m_termination, {"100", "120", "150"}, bwizc_global_int2str(model.rx_termination));
}

// ---------------------------------------------------------------- changes

bool KVGXB_PAGE3_RX_DPRIO::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) {
    KVGXB_WIZARD& model = wiz();
    const CString text = event->get_val_string();
    if (source == &m_enable_equalizer) {
        model.enable_equalizer_ctrl = m_enable_equalizer.get_val_bool();
    } else if (source == &m_dc_gain) {
        model.equalizer_dcgain_setting = bwizc_global_str2int(text);
    } else if (source == &m_vcm) {
        model.rx_vcm = text;
    } else if (source == &m_force_signal_detect) {
        model.rx_force_signal_detect = m_force_signal_detect.get_val_bool();
    } else if (source == &m_threshold) {
        model.rx_signal_detect_threshold = bwizc_global_str2int(text);
    } else if (source == &m_external_termination) {
        model.external_rx_termination = m_external_termination.get_val_bool();
    } else if (source == &m_termination) {
        model.rx_termination = bwizc_global_str2int(text);
    } else if (source == &m_dprio_off || source == &m_dprio_on) {
        // The button that went unchecked reports too; only the checked one counts.
        auto* radio = dynamic_cast<CRADIO_BUTTON*>(source);
        if (!radio || !radio->get_val_bool()) return false;
        model.dprio_type = source == &m_dprio_on ? KVGXB_DPRIO_PMA_ELECTRICALS : KVGXB_DPRIO_NONE;
    } else if (source == &m_starting_channel) {
        model.starting_channel_number = bwizc_global_str2int(text);
    } else {
        return false;
    }
    return true;
}

bool KVGXB_PAGE3_RX_DPRIO::on_slider_moved(CWnd* bar) {
    CSliderCtrl* slider = get_slider(IDC_EQUALIZER_SLIDER);
    if (!slider || bar != slider) return false;
    wiz().equalizer_ctrl_setting = slider->GetPos();
    return true;
}
