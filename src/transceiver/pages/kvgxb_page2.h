// KVGXB_PAGE2, "PLL/Ports": the bandwidths of the receiver and transmitter
// PLLs, the receiver's ppm tolerance, and the optional clock, power and
// status ports. Every control writes one model field; the page adds only
// which of them apply to the configuration.
#pragma once

#include "transceiver/pages/kvgxb_page.h"

class KVGXB_PAGE2 : public KVGXB_PAGE {
public:
    static constexpr UINT TEMPLATE_ID = 165;
    enum : UINT {
        IDC_PLL_INCLK = 1298,
        IDC_RX_CRUCLK = 1273,
        IDC_RX_PLL_LABEL = 1247,
        IDC_RX_PLL_BW = 1257,
        IDC_CMU_PLL_BW = 1258,
        IDC_PPM_LABEL = 1245,
        IDC_PPM = 1255,
        IDC_GXB_POWERDOWN = 1442,
        IDC_GXB_ENABLE = 1443,
        IDC_PLL_LOCKED = 1275,
        IDC_RX_LOCKTOREFCLK = 1286,
        IDC_RX_LOCKTODATA = 1277,
        IDC_RX_PLL_LOCKED = 1281,
        IDC_RX_FREQLOCKED = 1282,
        IDC_RX_SIGNALDETECT = 1283,
        IDC_HIDDEN_PORT = 1280,
    };

    explicit KVGXB_PAGE2(UINT template_id = TEMPLATE_ID);

    void on_init_dialog() override;
    bool on_end_dialog() override { return KVGXB_PAGE::on_end_dialog(); }
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;

    // ---- refreshers, in the order of update_page
    void update_clock_port_checks();
    void update_pll_bw_type_combo();
    void update_cmu_pll_bw_type_combo();
    void update_rxppm_combo();
    void update_port_checks();

    // Receiver and transmitter PLL bandwidths are the user's to choose.
    bool is_pll_selectable_protocol();
    bool is_parallel_basic();

    CRCHECK_BUTTON m_pll_inclk;
    CRCHECK_BUTTON m_rx_cruclk;
    CRSTATIC m_rx_pll_label;
    CRCOMBO_BOX m_rx_pll_bw;
    CRCOMBO_BOX m_cmu_pll_bw;
    CRSTATIC m_ppm_label;
    CRCOMBO_BOX m_ppm;
    CRCHECK_BUTTON m_gxb_powerdown;
    CRCHECK_BUTTON m_gxb_enable;
    CRCHECK_BUTTON m_pll_locked;
    CRCHECK_BUTTON m_rx_locktorefclk;
    CRCHECK_BUTTON m_rx_locktodata;
    CRCHECK_BUTTON m_rx_pll_locked;
    CRCHECK_BUTTON m_rx_freqlocked;
    CRCHECK_BUTTON m_rx_signaldetect;
};
