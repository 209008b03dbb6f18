// KVGXB_PAGE3_RX_DPRIO, "Reconfig/RX Analog": dynamic reconfiguration with
// its starting channel, and the receiver's analog front end (equalizer and
// its DC gain, common-mode voltage, signal detection, termination). Without
// a receiver only the reconfiguration choices remain.
#pragma once

#include "transceiver/pages/kvgxb_page.h"

class KVGXB_PAGE3_RX_DPRIO : public KVGXB_PAGE {
public:
    static constexpr UINT TEMPLATE_ID = 193;
    enum : UINT {
        IDC_DPRIO_OFF = 1423,
        IDC_DPRIO_ON = 1424,
        IDC_STARTING_CHANNEL_LABEL = 1425,
        IDC_STARTING_CHANNEL = 1534,
        IDC_RX_ANALOG_GROUP = 1526,
        IDC_ENABLE_EQUALIZER = 1501,
        IDC_EQUALIZER_LABEL_LOW = 1513,
        IDC_EQUALIZER_LABEL_MID = 1514,
        IDC_EQUALIZER_LABEL_HIGH = 1515,
        IDC_EQUALIZER_SLIDER = 1512,
        IDC_DC_GAIN_LABEL = 1517,
        IDC_DC_GAIN = 1505,
        IDC_VCM_LABEL = 1537,
        IDC_VCM = 1538,
        IDC_FORCE_SIGNAL_DETECT = 1502,
        IDC_THRESHOLD_LABEL = 1503,
        IDC_THRESHOLD = 1504,
        IDC_EXTERNAL_TERMINATION = 1484,
        IDC_TERMINATION_LABEL = 1485,
        IDC_TERMINATION = 1486,
        IDC_TERMINATION_UNIT = 1481,
    };

    explicit KVGXB_PAGE3_RX_DPRIO(UINT template_id = TEMPLATE_ID);

    void on_init_dialog() override;
    bool on_end_dialog() override { return KVGXB_PAGE::on_end_dialog(); }
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;
    // The equalizer slider's position, as it moves.
    bool on_slider_moved(CWnd* bar) override;

    // ---- refreshers, in the order of update_page
    void update_dprio_radios();
    void update_dprio_starting_channel_number_combo();
    void update_equalizer_controls();
    void update_equalizer_dc_gain_combo();
    void update_vcm_combo();
    void update_signal_detect_controls();
    void update_signal_detect_threshold_combo();
    void update_termination_controls();
    void update_termination_combo();

    CRRADIO_BUTTON m_dprio_off;
    CRRADIO_BUTTON m_dprio_on;
    CRRADIO_BUTTON_GROUP m_dprio_group;
    CRSTATIC m_starting_channel_label;
    CRCOMBO_BOX m_starting_channel;
    CRSTATIC_GROUP m_rx_analog_group;
    CRCHECK_BUTTON m_enable_equalizer;
    CRSTATIC m_equalizer_label_low;
    CRSTATIC m_equalizer_label_mid;
    CRSTATIC m_equalizer_label_high;
    CRSTATIC m_dc_gain_label;
    CRCOMBO_BOX m_dc_gain;
    CRSTATIC m_vcm_label;
    CRCOMBO_BOX m_vcm;
    CRCHECK_BUTTON m_force_signal_detect;
    CRSTATIC m_threshold_label;
    CRCOMBO_BOX m_threshold;
    CRCHECK_BUTTON m_external_termination;
    CRSTATIC m_termination_label;
    CRCOMBO_BOX m_termination;
    CRSTATIC m_termination_unit;

private:
    bool is_receiver_enabled();
    bool is_equalizer_on();
};
