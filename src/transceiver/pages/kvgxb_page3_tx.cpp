#include "transceiver/pages/kvgxb_page3_tx.h"

#include "support/bwizc_global.h"

namespace {

using ITEM = BWIZC_DIALOG_ITEM;

void register_tx_analog_template() {
    using P = KVGXB_PAGE3_TX;
    const DWORD slider = TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP;
    kvgxb_register_page_template(P::TEMPLATE_ID, "TX Analog/Cal Blk", {
        ITEM::group_box(P::IDC_TX_ANALOG_GROUP, "Transmitter analog settings", 7, 28, 286, 150),
        ITEM::ltext(P::IDC_VCCH_LABEL, "What is the transmitter buffer power (VCCH)?", 15, 41, 165, 9),
        ITEM::combo_box(P::IDC_VCCH, 184, 39, 50, 60, KVGXB_LIST),
        ITEM::ltext(IDC_STATIC, "V", 238, 41, 20, 9),
        ITEM::ltext(P::IDC_VCM_LABEL, "What is the transmitter common mode voltage?", 15, 56, 165, 9),
        ITEM::combo_box(P::IDC_VCM, 184, 54, 50, 60, KVGXB_LIST),
        ITEM::ltext(IDC_STATIC, "V", 238, 56, 20, 9),
        ITEM::check_box(P::IDC_EXTERNAL_TERMINATION, "Use external transmitter termination", 15, 70, 165, 10),
        ITEM::ltext(P::IDC_TERMINATION_QUESTION, "Select the Transmitter termination resistance: ", 15, 85, 165, 9),
        ITEM::combo_box(P::IDC_TERMINATION, 184, 83, 50, 60, KVGXB_LIST),
        ITEM::ltext(P::IDC_TERMINATION_UNIT, "Ohms", 238, 85, 30, 9),
        ITEM::ltext(P::IDC_VOD_LABEL, "What is the differential output voltage (VOD)?", 15, 100, 165, 9),
        ITEM::combo_box(P::IDC_VOD, 184, 98, 50, 100, KVGXB_LIST),
        ITEM::ltext(IDC_STATIC, "mV", 238, 100, 20, 9),
        ITEM::ltext(IDC_STATIC, "Pre-emphasis:", 15, 115, 120, 9),
        ITEM::ltext(P::IDC_PRETAP_LABEL, "Pre-tap", 23, 130, 64, 9),
        ITEM::rtext(P::IDC_PRETAP_LOW, "Negative", 88, 130, 42, 9),
        ITEM::slider(P::IDC_PRETAP_SLIDER, 134, 126, 110, 15, slider),
        ITEM::ltext(P::IDC_PRETAP_HIGH, "Positive", 248, 130, 42, 9),
        ITEM::ltext(P::IDC_1POSTTAP_LABEL, "First post-tap", 23, 145, 64, 9),
        ITEM::rtext(P::IDC_1POSTTAP_LOW, "Maximum", 88, 145, 42, 9),
        ITEM::slider(P::IDC_1POSTTAP_SLIDER, 134, 141, 110, 15, slider),
        ITEM::ltext(P::IDC_1POSTTAP_HIGH, "Off", 248, 145, 42, 9),
        ITEM::ltext(P::IDC_2POSTTAP_LABEL, "Second post-tap", 23, 160, 64, 9),
        ITEM::rtext(P::IDC_2POSTTAP_LOW, "Negative", 88, 160, 42, 9),
        ITEM::slider(P::IDC_2POSTTAP_SLIDER, 134, 156, 110, 15, slider),
        ITEM::ltext(P::IDC_2POSTTAP_HIGH, "Positive", 248, 160, 42, 9),
        ITEM::group_box(IDC_STATIC, "Calibration block", 7, 184, 286, 42),
        ITEM::check_box(P::IDC_USE_CAL_BLK, "Use the calibration block", 15, 196, 200, 10),
        ITEM::check_box(P::IDC_CAL_BLK_POWERDOWN, "Create a cal_blk_powerdown port", 15, 210, 200, 10),
    });
}

// The nine pre-emphasis labels: per tap its name and the two ends of its slider.
const UINT TAP_LABEL_IDS[9] = {
    KVGXB_PAGE3_TX::IDC_PRETAP_LABEL,   KVGXB_PAGE3_TX::IDC_PRETAP_LOW,   KVGXB_PAGE3_TX::IDC_PRETAP_HIGH,
    KVGXB_PAGE3_TX::IDC_1POSTTAP_LABEL, KVGXB_PAGE3_TX::IDC_1POSTTAP_LOW, KVGXB_PAGE3_TX::IDC_1POSTTAP_HIGH,
    KVGXB_PAGE3_TX::IDC_2POSTTAP_LABEL, KVGXB_PAGE3_TX::IDC_2POSTTAP_LOW, KVGXB_PAGE3_TX::IDC_2POSTTAP_HIGH,
};
const UINT TAP_SLIDER_IDS[3] = {KVGXB_PAGE3_TX::IDC_PRETAP_SLIDER, KVGXB_PAGE3_TX::IDC_1POSTTAP_SLIDER,
                                KVGXB_PAGE3_TX::IDC_2POSTTAP_SLIDER};

}  // namespace

KVGXB_PAGE3_TX::KVGXB_PAGE3_TX(UINT template_id) : KVGXB_PAGE(template_id) { register_tx_analog_template(); }

void KVGXB_PAGE3_TX::on_init_dialog() {
    bind_feasibility();
    bind(m_tx_analog_group, IDC_TX_ANALOG_GROUP);
    bind(m_vcch_label, IDC_VCCH_LABEL);
    bind(m_vcch, IDC_VCCH);
    bind(m_vcm_label, IDC_VCM_LABEL);
    bind(m_vcm, IDC_VCM);
    bind(m_external_termination, IDC_EXTERNAL_TERMINATION);
    bind(m_termination_question, IDC_TERMINATION_QUESTION);
    bind(m_termination, IDC_TERMINATION);
    bind(m_termination_unit, IDC_TERMINATION_UNIT);
    bind(m_vod_label, IDC_VOD_LABEL);
    bind(m_vod, IDC_VOD);
    for (int i = 0; i < 9; ++i) bind(m_tap_labels[i], TAP_LABEL_IDS[i]);
    bind(m_use_cal_blk, IDC_USE_CAL_BLK);
    bind(m_cal_blk_powerdown, IDC_CAL_BLK_POWERDOWN);
    refresh_from_model();
}

// ---------------------------------------------------------------- refresh

bool KVGXB_PAGE3_TX::is_transmitter_enabled() { return wiz().operation_mode != KVGXB_OPMODE_RX_ONLY; }

void KVGXB_PAGE3_TX::update_page() {
    const bool tx = is_transmitter_enabled();
    enable(m_tx_analog_group, tx);
    update_vcchtx_combo();
    update_vcm_combo();
    enable(m_external_termination, tx);
    set_check(m_external_termination, tx && wiz().external_tx_termination);
    update_termination_combo();
    update_vod_combo();
    enable(m_vod_label, tx);
    for (CRSTATIC& label : m_tap_labels) enable(label, tx);
    for (UINT id : TAP_SLIDER_IDS) {
        if (CSliderCtrl* slider = get_slider(id)) enable(*slider, tx);
    }
    update_pretap_slider();
    update_1posttap_slider();
    update_2posttap_slider();
    update_cal_blk_checks();
    refresh_feasibility();
}

void KVGXB_PAGE3_TX::update_vcchtx_combo() {
    KVGXB_WIZARD& model = wiz();
    enable(m_vcch_label, is_transmitter_enabled());
    enable(m_vcch, is_transmitter_enabled());
    refill_combo(m_vcch, model.get_combobox_vcchtx_settings(), model.vcchtx, true);
}

void KVGXB_PAGE3_TX::update_vcm_combo() {
    KVGXB_WIZARD& model = wiz();
    enable(m_vcm_label, is_transmitter_enabled());
    enable(m_vcm, is_transmitter_enabled());
    refill_combo(m_vcm, model.get_combobox_vcm_settings(), model.tx_vcm, true);
}

void KVGXB_PAGE3_TX::update_termination_combo() {
    KVGXB_WIZARD& model = wiz();
    enable(m_termination_question, is_transmitter_enabled());
    enable(m_termination, is_transmitter_enabled());
    // With an external resistor the value only tells the fitter what to expect.
    set_text(m_termination_question, model.external_tx_termination
                                         ? "Suggest a Transmitter termination resistance: "
                                         : "Select the Transmitter termination resistance: ");
    refill_fixed_combo(m_termination, {"100", "120", "150"}, bwizc_global_int2str(model.tx_termination));
}

void KVGXB_PAGE3_TX::update_vod_combo() {
    KVGXB_WIZARD& model = wiz();
    enable(m_vod, is_transmitter_enabled());
    CString vod = bwizc_global_int2str(model.vod_ctrl_setting);
    refill_combo(m_vod, model.get_combobox_vod_settings(), vod, true);
    model.vod_ctrl_setting = bwizc_global_str2int(vod);
}

int KVGXB_PAGE3_TX::get_tap_limit() {
    KVGXB_WIZARD& model = wiz();
    const int vod_iter = model.get_vod_iter_setting();
    const bool lowest_vod = (model.vcchtx == "1.2" && vod_iter == 1) || (model.vcchtx == "1.5" && vod_iter == 0);
    return lowest_vod ? 5 : 7;
}

void KVGXB_PAGE3_TX::update_pretap_slider() {
    const int limit = get_tap_limit();
    set_slider(IDC_PRETAP_SLIDER, -limit, limit, wiz().preemp_pretap);
}

void KVGXB_PAGE3_TX::update_1posttap_slider() {
    // The slider runs from the strongest setting of the VOD's window (left)
    // to off (right); the model keeps the device setting.
    KVGXB_WIZARD& model = wiz();
    int offset = 0;
    int maximum = 0;
    model.get_preemp_1posttap_window(offset, maximum);
    const int setting = model.preemp_1st_posttap;
    set_slider(IDC_1POSTTAP_SLIDER, 0, maximum, setting == 0 ? maximum : maximum - (setting - offset) - 1);
}

void KVGXB_PAGE3_TX::update_2posttap_slider() {
    const int limit = get_tap_limit();
    set_slider(IDC_2POSTTAP_SLIDER, -limit, limit, wiz().preemp_2nd_posttap);
}

void KVGXB_PAGE3_TX::update_cal_blk_checks() {
    KVGXB_WIZARD& model = wiz();
    set_check(m_use_cal_blk, model.use_calibration_block);
    // A power-down port needs the block; its flag waits for the block's return.
    enable(m_cal_blk_powerdown, model.use_calibration_block);
    set_check(m_cal_blk_powerdown, model.use_calibration_block && model.is_port_used("cal_blk_powerdown"));
}

// ---------------------------------------------------------------- changes

bool KVGXB_PAGE3_TX::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) {
    KVGXB_WIZARD& model = wiz();
    const CString text = event->get_val_string();
    if (source == &m_vcch) {
        model.vcchtx = text;
    } else if (source == &m_vcm) {
        model.tx_vcm = text;
    } else if (source == &m_external_termination) {
        model.external_tx_termination = m_external_termination.get_val_bool();
    } else if (source == &m_termination) {
        model.tx_termination = bwizc_global_str2int(text);
    } else if (source == &m_vod) {
        model.vod_ctrl_setting = bwizc_global_str2int(text);
    } else if (source == &m_use_cal_blk) {
        model.use_calibration_block = m_use_cal_blk.get_val_bool();
    } else if (source == &m_cal_blk_powerdown) {
        model.set_port_used("cal_blk_powerdown", m_cal_blk_powerdown.get_val_bool());
    } else {
        return false;
    }
    return true;
}

bool KVGXB_PAGE3_TX::on_slider_moved(CWnd* bar) {
    CSliderCtrl* pretap = get_slider(IDC_PRETAP_SLIDER);
    CSliderCtrl* posttap1 = get_slider(IDC_1POSTTAP_SLIDER);
    CSliderCtrl* posttap2 = get_slider(IDC_2POSTTAP_SLIDER);
    if (!pretap || !posttap1 || !posttap2) return false;
    if (bar != pretap && bar != posttap1 && bar != posttap2) return false;
    KVGXB_WIZARD& model = wiz();
    model.preemp_pretap = pretap->GetPos();
    model.set_tx_preemp_tap_1(posttap1->GetPos());
    model.preemp_2nd_posttap = posttap2->GetPos();
    return true;
}
