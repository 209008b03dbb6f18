// "Lpbk" and "BIST": the loopback mode, and the built-in self-test pattern
// with its two status ports.
#pragma once

#include "transceiver/pages/kvgxb_page.h"

class KVGXB_PAGE4 : public KVGXB_PAGE {
public:
    static constexpr UINT TEMPLATE_ID = 161;
    enum : UINT {
        IDC_NO_LOOPBACK = 1324,
        IDC_SERIAL_LOOPBACK = 1330,
        IDC_SERIAL_LOOPBACK_LABEL = 1487,
        IDC_PARALLEL_LOOPBACK = 1323,
        IDC_PARALLEL_LOOPBACK_LABEL = 1511,
        IDC_REVERSE_LOOPBACK_LABEL = 1453,
        IDC_NO_REVERSE_LOOPBACK = 1328,
        IDC_REVERSE_SERIAL_LOOPBACK = 1474,
        IDC_REVERSE_SERIAL_LOOPBACK_LABEL = 1451,
    };

    explicit KVGXB_PAGE4(UINT template_id = TEMPLATE_ID);
    void on_init_dialog() override;
    // Basic carries its loopback in the subprotocol; PIPE has none to choose.
    BOOL IncludedInSequence() override;
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;

    KVGXB_MODE_RADIO m_loopback[3] = {{IDC_NO_LOOPBACK, KVGXB_LOOPBACK_NONE},
                                      {IDC_SERIAL_LOOPBACK, KVGXB_LOOPBACK_SLB},
                                      {IDC_PARALLEL_LOOPBACK, KVGXB_LOOPBACK_PLB}};
    CRRADIO_BUTTON_GROUP m_loopback_group;
    CRSTATIC m_serial_loopback_label;
    CRSTATIC m_parallel_loopback_label;
    CRSTATIC m_reverse_loopback_label;
    KVGXB_MODE_RADIO m_reverse_loopback[2] = {{IDC_NO_REVERSE_LOOPBACK, KVGXB_REV_LOOPBACK_NONE},
                                              {IDC_REVERSE_SERIAL_LOOPBACK, KVGXB_REV_LOOPBACK_PRECDR_RSLB}};
    CRRADIO_BUTTON_GROUP m_reverse_loopback_group;
    CRSTATIC m_reverse_serial_loopback_label;
};

// In the page list, never visited.
class KVGXB_PAGE5 : public KVGXB_PAGE {
public:
    static constexpr UINT TEMPLATE_ID = 186;
    enum : UINT {
        IDC_NONE = 1318,
        IDC_PRBS_7 = 1463,
        IDC_PRBS_8 = 1464,
        IDC_PRBS_10 = 1465,
        IDC_PRBS_23 = 1466,
        IDC_LOW_FREQ = 1471,
        IDC_MIXED_FREQ = 1472,
        IDC_HIGH_FREQ = 1469,
        IDC_INCREMENTAL = 1470,
        IDC_CJPAT = 1467,
        IDC_CRPAT = 1468,
        IDC_RX_BISTERR = 1310,
        IDC_RX_BISTDONE = 1311,
    };

    explicit KVGXB_PAGE5(UINT template_id = TEMPLATE_ID);
    void on_init_dialog() override;
    BOOL IncludedInSequence() override { return FALSE; }
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;

    KVGXB_MODE_RADIO m_modes[11] = {
        {IDC_NONE, KVGXB_SELFTEST_NONE},           {IDC_PRBS_7, KVGXB_SELFTEST_PRBS_7},
        {IDC_PRBS_8, KVGXB_SELFTEST_PRBS_8},       {IDC_PRBS_10, KVGXB_SELFTEST_PRBS_10},
        {IDC_PRBS_23, KVGXB_SELFTEST_PRBS_23},     {IDC_LOW_FREQ, KVGXB_SELFTEST_LOW_FREQ},
        {IDC_MIXED_FREQ, KVGXB_SELFTEST_MIXED_FREQ}, {IDC_HIGH_FREQ, KVGXB_SELFTEST_HIGH_FREQ},
        {IDC_INCREMENTAL, KVGXB_SELFTEST_INCREMENTAL}, {IDC_CJPAT, KVGXB_SELFTEST_CJPAT},
        {IDC_CRPAT, KVGXB_SELFTEST_CRPAT}};
    CRRADIO_BUTTON_GROUP m_mode_group;
    KVGXB_PORT_CHECK m_ports[2] = {{IDC_RX_BISTERR, "rx_bisterr"}, {IDC_RX_BISTDONE, "rx_bistdone"}};
};
