// The protocol pages of SONET Backplane, XAUI/GIGE and PCI Express (PIPE):
// the receiver's run-length check, the protocol's optional status ports
// and, for SONET, the word aligner.
#pragma once

#include "transceiver/pages/kvgxb_page.h"

// "SONET": word-align pattern, its length and display, the flips, two
// status ports and the run-length check.
class KVGXB_PAGE_SONET : public KVGXB_PAGE {
public:
    static constexpr UINT TEMPLATE_ID = 166;
    enum : UINT {
        IDC_RISING_EDGE = 1433,
        IDC_NOT_RISING_EDGE = 1434,
        IDC_ALIGN_LABEL = 1231,
        IDC_PATTERN_LENGTH_LABEL = 1232,
        IDC_PATTERN_LENGTH = 1461,
        IDC_PATTERN = 1473,
        IDC_PATTERN_DISPLAY = 1436,
        IDC_FLIP_PATTERN = 1299,
        IDC_RX_SYNCSTATUS = 1303,
        IDC_RX_PATTERNDETECT = 1304,
        IDC_RUN_LENGTH_CHECK = 1438,
        IDC_RUN_LENGTH = 1439,
        IDC_FLIP_RX_OUT = 1296,
        IDC_FLIP_TX_IN = 1300,
    };

    explicit KVGXB_PAGE_SONET(UINT template_id = TEMPLATE_ID);
    void on_init_dialog() override;
    BOOL IncludedInSequence() override { return TRUE; }
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;


    CRRADIO_BUTTON m_rising_edge;
    CRRADIO_BUTTON m_not_rising_edge;
    CRRADIO_BUTTON_GROUP m_edge_group;
    CRSTATIC m_align_label;
    CRSTATIC m_pattern_length_label;
    CRCOMBO_BOX m_pattern_length;
    CREDIT_BOX_INTEGER_RADIX m_pattern;
    CREDIT_BOX m_pattern_display;
    CRCHECK_BUTTON m_flip_pattern;
    KVGXB_PORT_CHECK m_ports[2] = {{IDC_RX_SYNCSTATUS, "rx_syncstatus"}, {IDC_RX_PATTERNDETECT, "rx_patterndetect"}};
    CRCHECK_BUTTON m_run_length_check;
    CRCOMBO_BOX m_run_length;
    CRCHECK_BUTTON m_flip_rx_out;
    CRCHECK_BUTTON m_flip_tx_in;
};

// "XAUI" or "GIGE": five receiver status ports and the run-length check.
class KVGXB_PAGE_GIGE_XAUI : public KVGXB_PAGE {
public:
    static constexpr UINT TEMPLATE_ID = 176;
    enum : UINT {
        IDC_RX_SYNCSTATUS = 1303,
        IDC_RX_PATTERNDETECT = 1304,
        IDC_RX_CTRLDETECT = 1305,
        IDC_RX_ERRDETECT = 1308,
        IDC_RX_DISPERR = 1307,
        IDC_RUN_LENGTH_CHECK = 1057,
        IDC_RUN_LENGTH = 1439,
    };

    explicit KVGXB_PAGE_GIGE_XAUI(UINT template_id = TEMPLATE_ID);
    void on_init_dialog() override;
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;

    KVGXB_PORT_CHECK m_ports[5] = {{IDC_RX_SYNCSTATUS, "rx_syncstatus"},
                                   {IDC_RX_PATTERNDETECT, "rx_patterndetect"},
                                   {IDC_RX_CTRLDETECT, "rx_ctrldetect"},
                                   {IDC_RX_ERRDETECT, "rx_errdetect"},
                                   {IDC_RX_DISPERR, "rx_disperr"}};
    CRCHECK_BUTTON m_run_length_check;
    CRCOMBO_BOX_NUMERIC m_run_length;
};

// "PCI": the PIPE interface's optional ports. The page greys nothing but the
// run-length list: a box of a direction the mode leaves out shows unchecked
// and still stores its flag.
class KVGXB_PAGE_PCI : public KVGXB_PAGE {
public:
    static constexpr UINT TEMPLATE_ID = 182;
    enum : UINT {
        IDC_RUN_LENGTH_CHECK = 1438,
        IDC_RUN_LENGTH = 1439,
        IDC_PIPE8B10BINVPOLARITY = 1412,
        IDC_RX_SYNCSTATUS = 1303,
        IDC_RX_PATTERNDETECT = 1304,
        IDC_RX_CTRLDETECT = 1309,
        IDC_PIPESTATUS = 1305,
        IDC_PIPEDATAVALID = 1306,
        IDC_PIPEELECIDLE = 1307,
        IDC_PIPEPHYDONESTATUS = 1308,
        IDC_TX_DETECTRXLOOP = 1507,
        IDC_TX_FORCEELECIDLE = 1508,
        IDC_TX_FORCEDISPCOMPLIANCE = 1485,
        IDC_POWERDN = 1510,
    };
    // The first RX_PORT_COUNT boxes belong to the receiver, the rest to the transmitter.
    static constexpr int RX_PORT_COUNT = 8;

    explicit KVGXB_PAGE_PCI(UINT template_id = TEMPLATE_ID);
    void on_init_dialog() override;
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;

    CRCHECK_BUTTON m_run_length_check;
    CRCOMBO_BOX m_run_length;
    KVGXB_PORT_CHECK m_ports[12] = {{IDC_PIPE8B10BINVPOLARITY, "pipe8b10binvpolarity"},
                                    {IDC_RX_SYNCSTATUS, "rx_syncstatus"},
                                    {IDC_RX_PATTERNDETECT, "rx_patterndetect"},
                                    {IDC_RX_CTRLDETECT, "rx_ctrldetect"},
                                    {IDC_PIPESTATUS, "pipestatus"},
                                    {IDC_PIPEDATAVALID, "pipedatavalid"},
                                    {IDC_PIPEELECIDLE, "pipeelecidle"},
                                    {IDC_PIPEPHYDONESTATUS, "pipephydonestatus"},
                                    {IDC_TX_DETECTRXLOOP, "tx_detectrxloop"},
                                    {IDC_TX_FORCEELECIDLE, "tx_forceelecidle"},
                                    {IDC_TX_FORCEDISPCOMPLIANCE, "tx_forcedispcompliance"},
                                    {IDC_POWERDN, "powerdn"}};
};
