// The two pages of protocol "Basic". "Basic 1" (KVGXB_PAGE_BASIC2): 8B/10B,
// byte ordering, the rate-match FIFO and its patterns, the flips. "Basic 2"
// (KVGXB_PAGE_BASIC1): the receiver's word aligner, the run-length check and
// the status ports. The Basic subprotocol is the loopback choice, and it
// decides much of what is offered.
#pragma once

#include "transceiver/pages/kvgxb_page.h"

class KVGXB_PAGE_BASIC2 : public KVGXB_PAGE {
public:
    static constexpr UINT TEMPLATE_ID = 190;
    enum : UINT {
        IDC_BYTE_ORDER = 1301,
        IDC_BYTE_ORDER_PATTERN_LABEL = 1233,
        IDC_BYTE_ORDER_PATTERN = 1332,
        IDC_PAD_PATTERN_LABEL = 1234,
        IDC_PAD_PATTERN = 1333,
        IDC_8B10B = 1297,
        IDC_RATE_MATCH_LABEL = 1477,
        IDC_RATE_MATCH = 1302,
        IDC_PATTERN1_A = 1491,
        IDC_PATTERN1_B = 1493,
        IDC_PATTERN2_A = 1396,
        IDC_PATTERN2_B = 1397,
        IDC_RX_CLKOUT = 1280,
        IDC_FLIP_RX_OUT = 1296,
        IDC_FLIP_TX_IN = 1300,
    };
    // The labels of the rate-match patterns.
    static constexpr UINT RATE_MATCH_LABELS[8] = {1495, 1496, 1235, 1497, 1492, 1236, 1498, 1494};
    // Every pattern box takes one ten-bit character group.
    static constexpr int PATTERN_BOX_LENGTH = 10;

    explicit KVGXB_PAGE_BASIC2(UINT template_id = TEMPLATE_ID);
    void on_init_dialog() override;
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;
    void after_update_cycle() override;

    CRCHECK_BUTTON m_byte_order;
    CRSTATIC m_byte_order_pattern_label;
    CREDIT_BOX_INTEGER_RADIX m_byte_order_pattern;
    CRSTATIC m_pad_pattern_label;
    CREDIT_BOX_INTEGER_RADIX m_pad_pattern;
    CRCHECK_BUTTON m_8b10b;
    CRSTATIC m_rate_match_label;
    CRCHECK_BUTTON m_rate_match;
    CRSTATIC m_rate_match_labels[8];
    CREDIT_BOX_INTEGER_RADIX m_pattern1_a;
    CREDIT_BOX_INTEGER_RADIX m_pattern1_b;
    CREDIT_BOX_INTEGER_RADIX m_pattern2_a;
    CREDIT_BOX_INTEGER_RADIX m_pattern2_b;
    CRCHECK_BUTTON m_rx_clkout;
    CRCHECK_BUTTON m_flip_rx_out;
    CRCHECK_BUTTON m_flip_tx_in;

private:
    // A rate-match pattern from its two halves; the focus moves on to the
    // second half once the first is full.
    CString join_pattern(CREDIT_BOX_INTEGER_RADIX& first, CREDIT_BOX_INTEGER_RADIX& second);
    bool m_requery = false;
};

class KVGXB_PAGE_BASIC1 : public KVGXB_PAGE {
public:
    static constexpr UINT TEMPLATE_ID = 187;
    enum : UINT {
        IDC_MANUAL = 1380,
        IDC_EDGE_LABEL = 1460,
        IDC_RISING_EDGE = 1378,
        IDC_NOT_RISING_EDGE = 1379,
        IDC_BITSLIP = 1381,
        IDC_STATE_MACHINE = 1382,
        IDC_PATTERN_LENGTH_LABEL = 1232,
        IDC_PATTERN_LENGTH = 1461,
        IDC_PATTERN_LABEL = 1231,
        IDC_PATTERN = 1473,
        IDC_PATTERN_DISPLAY = 1331,
        IDC_RUN_LENGTH_CHECK = 1265,
        IDC_RUN_LENGTH = 1261,
        IDC_FLIP_PATTERN = 1299,
        IDC_LOSS_SYNC_LABEL = 1233,
        IDC_LOSS_SYNC = 1387,
        IDC_GOOD_DATA_LABEL = 1234,
        IDC_GOOD_DATA = 1388,
        IDC_CONS_PAT_LABEL = 1235,
        IDC_CONS_PAT = 1389,
        IDC_RX_SYNCSTATUS = 1303,
        IDC_RX_PATTERNDETECT = 1304,
        IDC_RX_CTRLDETECT = 1305,
        IDC_RX_ERRDETECT = 1308,
        IDC_RX_DISPERR = 1307,
    };

    explicit KVGXB_PAGE_BASIC1(UINT template_id = TEMPLATE_ID);
    void on_init_dialog() override;
    // A transmitter alone has no word aligner.
    BOOL IncludedInSequence() override { return wiz().operation_mode != KVGXB_OPMODE_TX_ONLY; }
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;

    void update_align_loss_sync_error_num_combo();
    void update_num_align_cons_good_data_combo();
    void update_num_align_cons_pat_combo();

    CRRADIO_BUTTON m_manual;
    CRSTATIC m_edge_label;
    CRRADIO_BUTTON m_rising_edge;
    CRRADIO_BUTTON m_not_rising_edge;
    CRRADIO_BUTTON m_bitslip;
    CRRADIO_BUTTON m_state_machine;
    CRRADIO_BUTTON_GROUP m_aligner_group;
    CRRADIO_BUTTON_GROUP m_edge_group;
    CRSTATIC m_pattern_length_label;
    CRCOMBO_BOX_NUMERIC m_pattern_length;
    CRSTATIC m_pattern_label;
    CREDIT_BOX_INTEGER_RADIX m_pattern;
    CREDIT_BOX m_pattern_display;
    CRCHECK_BUTTON m_run_length_check;
    CRCOMBO_BOX_NUMERIC m_run_length;
    CRCHECK_BUTTON m_flip_pattern;
    CRSTATIC m_loss_sync_label;
    CRCOMBO_BOX_NUMERIC m_loss_sync;
    CRSTATIC m_good_data_label;
    CRCOMBO_BOX_NUMERIC m_good_data;
    CRSTATIC m_cons_pat_label;
    CRCOMBO_BOX_NUMERIC m_cons_pat;
    KVGXB_PORT_CHECK m_ports[5] = {{IDC_RX_SYNCSTATUS, "rx_syncstatus"},
                                   {IDC_RX_PATTERNDETECT, "rx_patterndetect"},
                                   {IDC_RX_CTRLDETECT, "rx_ctrldetect"},
                                   {IDC_RX_ERRDETECT, "rx_errdetect"},
                                   {IDC_RX_DISPERR, "rx_disperr"}};

private:
    // A state-machine list: 1 to `count`, enabled for the state machine.
    void update_state_machine_list(CRSTATIC& label, CRCOMBO_BOX_NUMERIC& list, int count, int& value);
};
