// KVGXB_PAGE1, "General": protocol, subprotocol, operation mode, channels,
// deserializer and channel width, the data rate or input clock the user
// states and the other one chosen from the device database's list, and the
// optional reset ports. It starts the device database's enumeration and
// carries the translation between the model and the variation's description.
#pragma once

#include "transceiver/pages/kvgxb_page.h"

class KVGXB_PAGE1 : public KVGXB_PAGE, public KVGXB_DEVICE_QUERY_CLIENT {
public:
    static constexpr UINT TEMPLATE_ID = 164;
    enum : UINT {
        IDC_PROTOCOL = 1251,
        IDC_SUBPROTOCOL_LABEL = 1415,
        IDC_SUBPROTOCOL = 1416,
        IDC_FORCE_DEFAULTS = 1382,
        IDC_OPMODE = 1252,
        IDC_CHANNELS = 1253,
        IDC_WIDTH_LABEL = 1413,
        IDC_SINGLE_WIDTH = 1411,
        IDC_DOUBLE_WIDTH = 1412,
        IDC_CHANNEL_WIDTH = 1254,
        IDC_INPUT_SELECTION = 1417,
        IDC_QUESTION_A = 1420,
        IDC_INPUT_A = 1418,
        IDC_UNIT_A = 1484,
        IDC_QUESTION_B = 1421,
        IDC_INPUT_B = 1419,
        IDC_UNIT_B = 1422,
        IDC_RX_DIGITALRESET = 1266,
        IDC_RX_ANALOGRESET = 1268,
        IDC_TX_DIGITALRESET = 1267,
    };

    explicit KVGXB_PAGE1(UINT template_id = TEMPLATE_ID);

    void on_init_dialog() override;
    bool on_end_dialog() override { return KVGXB_PAGE::on_end_dialog(); }
    void update_page() override;
    bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) override;
    void after_update_cycle() override;

    // The variation's description: read back into the model (protocol pages
    // put in place) and generated from it.
    void param_to_wizard_var() override;
    void wizard_var_to_param() override;
    void param_to_wizard_var_init_complete();

    // ---- refreshers, in the order of update_page
    void update_protocol_combo();
    void update_subprotocol_combo();
    void update_force_default_check();
    void update_opmode_combo();
    void update_number_of_channels_combo();
    void update_deserializer_block_width_radios();
    void update_channel_width_combo();
    void update_input_selection_combo();
    void update_question_a();
    void update_input_a_edit();
    void update_input_a_unit();
    void update_question_b();
    void update_input_b_combo();
    void update_input_b_unit();
    void update_reset_port_checks();

    // ---- device queries, in a command block opened for this page's window
    void call_tcl_key_list() { wiz().call_tcl_key_list(); }
    void call_tcl_with_keys(CStringArray* keys) { wiz().call_tcl_with_keys(keys); }
    void call_tcl_get_inclk_freq() { wiz().call_tcl_get_inclk_freq(); }
    void call_tcl_get_data_rate() { wiz().call_tcl_get_data_rate(); }

    // KVGXB_DEVICE_QUERY_CLIENT
    HWND get_device_query_window() override { return IsWindow() ? GetSafeHwnd() : nullptr; }
    void on_device_enumeration_done() override;
    void on_device_value_list_arrived() override;

    // A typed first input that holds a letter or one of the punctuation
    // characters no number has.
    static bool is_rejected_input_a(const CString& text);

    CRCOMBO_BOX m_protocol;
    CRSTATIC m_subprotocol_label;
    CRCOMBO_BOX m_subprotocol;
    CRCHECK_BUTTON m_force_defaults;
    CRCOMBO_BOX m_opmode;
    CRCOMBO_BOX m_channels;
    CRSTATIC m_width_label;
    CRRADIO_BUTTON m_single_width;
    CRRADIO_BUTTON m_double_width;
    CRRADIO_BUTTON_GROUP m_width_group;
    CRCOMBO_BOX m_channel_width;
    CRCOMBO_BOX m_input_selection;
    CRSTATIC m_question_a;
    CREDIT_BOX m_input_a;
    CRSTATIC m_unit_a;
    CRSTATIC m_question_b;
    CRCOMBO_BOX m_input_b;
    CRCOMBO_BOX m_unit_b;
    CRCHECK_BUTTON m_rx_digitalreset;
    CRCHECK_BUTTON m_rx_analogreset;
    CRCHECK_BUTTON m_tx_digitalreset;

private:
    // The dependent list the new value calls for (Basic only).
    void request_dependent_list();
    bool m_requery = false;
};
