// KVGXB_PAGE3_TX, "TX Analog/Cal Blk": the transmitter's analog output
// (buffer supply, common-mode voltage, termination, output differential
// voltage and the three pre-emphasis taps on sliders) and the calibration
// block with its power-down port. Without a transmitter only the
// calibration block remains.
#pragma once

#include "transceiver/pages/kvgxb_page.h"

class KVGXB_PAGE3_TX : public KVGXB_PAGE {
public:
    static constexpr UINT TEMPLATE_ID = 194;
    enum : UINT {
        IDC_TX_ANALOG_GROUP = 1527,
        IDC_VCCH_LABEL = 1505,
        IDC_VCCH = 1483,
        IDC_VCM_LABEL = 1535,
        IDC_VCM = 1536,
        IDC_EXTERNAL_TERMINATION = 1482,
        IDC_TERMINATION_QUESTION = 1479,
        IDC_TERMINATION = 1480,
        IDC_TERMINATION_UNIT = 1481,
        IDC_VOD_LABEL = 1232,
        IDC_VOD = 1257,
        IDC_PRETAP_LABEL = 1529,
        IDC_PRETAP_LOW = 1520,
        IDC_PRETAP_HIGH = 1521,
        IDC_1POSTTAP_LABEL = 1530,
        IDC_1POSTTAP_LOW = 1522,
        IDC_1POSTTAP_HIGH = 1523,
        IDC_2POSTTAP_LABEL = 1531,
        IDC_2POSTTAP_LOW = 1524,
        IDC_2POSTTAP_HIGH = 1525,
        IDC_PRETAP_SLIDER = 1517,
        IDC_1POSTTAP_SLIDER = 1518,
        IDC_2POSTTAP_SLIDER = 1519,
        IDC_USE_CAL_BLK = 1489,
        IDC_CAL_BLK_POWERDOWN = 1488,
    };

    explicit KVGXB_PAGE3_TX(UINT template_id = TEMPLATE_ID);

    void on_init_dialog() override;
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;
    // Any tap slider moved: all three positions are stored, the first
    // post-tap's through the window of the current VOD.
    bool on_slider_moved(CWnd* bar) override;

    // ---- refreshers, in the order of update_page
    void update_vcchtx_combo();
    void update_vcm_combo();
    void update_termination_combo();
    void update_vod_combo();
    void update_pretap_slider();
    void update_1posttap_slider();
    void update_2posttap_slider();
    void update_cal_blk_checks();

    // The pre-tap and second post-tap span -5..+5 at the lowest VOD, else -7..+7.
    int get_tap_limit();

    CRSTATIC_GROUP m_tx_analog_group;
    CRSTATIC m_vcch_label;
    CRCOMBO_BOX m_vcch;
    CRSTATIC m_vcm_label;
    CRCOMBO_BOX m_vcm;
    CRCHECK_BUTTON m_external_termination;
    CRSTATIC m_termination_question;
    CRCOMBO_BOX m_termination;
    CRSTATIC m_termination_unit;
    CRSTATIC m_vod_label;
    CRCOMBO_BOX m_vod;
    CRSTATIC m_tap_labels[9];
    CRCHECK_BUTTON m_use_cal_blk;
    CRCHECK_BUTTON m_cal_blk_powerdown;

private:
    bool is_transmitter_enabled();
};
