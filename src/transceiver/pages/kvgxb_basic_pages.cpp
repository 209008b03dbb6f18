#include "transceiver/pages/kvgxb_basic_pages.h"

#include "support/bwizc_global.h"
#include "transceiver/pages/kvgxb_page1.h"

namespace {

using ITEM = BWIZC_DIALOG_ITEM;

void register_basic1_template() {
    using P = KVGXB_PAGE_BASIC2;
    const UINT* label = P::RATE_MATCH_LABELS;
    kvgxb_register_page_template(P::TEMPLATE_ID, "Basic 1", {
        ITEM::group_box(IDC_STATIC, "Byte ordering", 7, 28, 286, 46),
        ITEM::check_box(P::IDC_BYTE_ORDER, "Enable the byte ordering block", 15, 40, 200, 10),
        ITEM::ltext(P::IDC_BYTE_ORDER_PATTERN_LABEL, "Byte ordering pattern:", 15, 57, 82, 9),
        ITEM::edit_text(P::IDC_BYTE_ORDER_PATTERN, 98, 55, 52, 13),
        ITEM::ltext(P::IDC_PAD_PATTERN_LABEL, "Pad pattern:", 166, 57, 50, 9),
        ITEM::edit_text(P::IDC_PAD_PATTERN, 218, 55, 52, 13),
        ITEM::check_box(P::IDC_8B10B, "Enable the 8B/10B encoder and decoder", 7, 80, 200, 10),
        ITEM::group_box(P::IDC_RATE_MATCH_LABEL, "Rate matching", 7, 94, 286, 82),
        ITEM::check_box(P::IDC_RATE_MATCH, "Enable the rate-match FIFO", 15, 106, 200, 10),
        ITEM::ltext(label[0], "Pattern 1", 15, 124, 50, 9),
        ITEM::ltext(label[1], "bits 19-10:", 66, 124, 40, 9),
        ITEM::edit_text(P::IDC_PATTERN1_A, 108, 122, 52, 13),
        ITEM::ltext(label[2], "bits 9-0:", 172, 124, 34, 9),
        ITEM::edit_text(P::IDC_PATTERN1_B, 208, 122, 52, 13),
        ITEM::ltext(label[3], "Pattern 2", 15, 142, 50, 9),
        ITEM::ltext(label[4], "bits 19-10:", 66, 142, 40, 9),
        ITEM::edit_text(P::IDC_PATTERN2_A, 108, 140, 52, 13),
        ITEM::ltext(label[5], "bits 9-0:", 172, 142, 34, 9),
        ITEM::edit_text(P::IDC_PATTERN2_B, 208, 140, 52, 13),
        ITEM::ltext(label[6], "Each pattern is 20 bits, typed in binary:", 15, 160, 150, 9),
        ITEM::ltext(label[7], "the ten high bits first.", 166, 160, 120, 9),
        ITEM::check_box(P::IDC_RX_CLKOUT, "Use the rx_clkout port", 7, 184, 140, 10),
        ITEM::check_box(P::IDC_FLIP_RX_OUT, "Flip the receiver output bits", 7, 200, 140, 10),
        ITEM::check_box(P::IDC_FLIP_TX_IN, "Flip the transmitter input bits", 152, 200, 141, 10),
    });
}

void register_basic2_template() {
    using P = KVGXB_PAGE_BASIC1;
    kvgxb_register_page_template(P::TEMPLATE_ID, "Basic 2", {
        ITEM::group_box(IDC_STATIC, "Word aligner", 7, 28, 286, 134),
        ITEM::radio_button(P::IDC_MANUAL, "Manual alignment", 15, 40, 110, 10, KVGXB_FIRST_RADIO),
        ITEM::ltext(P::IDC_EDGE_LABEL, "Align:", 27, 53, 26, 9),
        ITEM::radio_button(P::IDC_RISING_EDGE, "on the rising edge of rx_enapatternalign", 55, 52, 150, 10,
                           KVGXB_FIRST_RADIO),
        ITEM::radio_button(P::IDC_NOT_RISING_EDGE, "while it is high", 210, 52, 76, 10),
        ITEM::radio_button(P::IDC_BITSLIP, "Bit slip", 15, 66, 110, 10, KVGXB_FIRST_RADIO),
        ITEM::radio_button(P::IDC_STATE_MACHINE, "Synchronization state machine", 130, 66, 150, 10),
        ITEM::ltext(P::IDC_PATTERN_LENGTH_LABEL, "Pattern length:", 15, 82, 56, 9),
        ITEM::combo_box(P::IDC_PATTERN_LENGTH, 72, 80, 40, 80, KVGXB_LIST),
        ITEM::check_box(P::IDC_FLIP_PATTERN, "Flip the word alignment pattern bits", 124, 81, 160, 10),
        ITEM::ltext(P::IDC_PATTERN_LABEL, "Pattern:", 15, 97, 32, 9),
        // Room for 32 binary digits, and for their hexadecimal form.
        ITEM::edit_text(P::IDC_PATTERN, 50, 95, 170, 13),
        ITEM::edit_text(P::IDC_PATTERN_DISPLAY, 224, 95, 60, 13, ES_AUTOHSCROLL | ES_READONLY),
        ITEM::ltext(P::IDC_LOSS_SYNC_LABEL, "Bad code groups that lose the synchronization:", 15, 114, 180, 9),
        ITEM::combo_box(P::IDC_LOSS_SYNC, 200, 112, 44, 100, KVGXB_LIST),
        ITEM::ltext(P::IDC_GOOD_DATA_LABEL, "Good code groups that take back one error:", 15, 130, 180, 9),
        ITEM::combo_box(P::IDC_GOOD_DATA, 200, 128, 44, 100, KVGXB_LIST),
        ITEM::ltext(P::IDC_CONS_PAT_LABEL, "Patterns that gain the synchronization:", 15, 146, 180, 9),
        ITEM::combo_box(P::IDC_CONS_PAT, 200, 144, 44, 100, KVGXB_LIST),
        ITEM::check_box(P::IDC_RUN_LENGTH_CHECK, "Enable the run-length violation check; run length:", 7, 168,
                        200, 10),
        ITEM::combo_box(P::IDC_RUN_LENGTH, 210, 166, 50, 120, KVGXB_LIST),
        ITEM::group_box(IDC_STATIC, "Optional receiver status ports", 7, 182, 286, 44),
        ITEM::check_box(P::IDC_RX_SYNCSTATUS, "rx_syncstatus", 15, 194, 90, 10),
        ITEM::check_box(P::IDC_RX_PATTERNDETECT, "rx_patterndetect", 108, 194, 90, 10),
        ITEM::check_box(P::IDC_RX_CTRLDETECT, "rx_ctrldetect", 201, 194, 88, 10),
        ITEM::check_box(P::IDC_RX_ERRDETECT, "rx_errdetect", 15, 208, 90, 10),
        ITEM::check_box(P::IDC_RX_DISPERR, "rx_disperr", 108, 208, 90, 10),
    });
}

bool is_sub(const KVGXB_WIZARD& model, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (model.subprotocol.CompareNoCase(name) == 0) return true;
    }
    return false;
}

// The pattern boxes take binary text of at most `length` characters.
void prepare_pattern_box(CREDIT_BOX_INTEGER_RADIX& box, int length, const CString& text) {
    box.on_radix_changed(2);
    box.LimitText(static_cast<UINT>(length));
    box.set_value_string(text);
}

}  // namespace

// ---------------------------------------------------------------- Basic 1

KVGXB_PAGE_BASIC2::KVGXB_PAGE_BASIC2(UINT template_id) : KVGXB_PAGE(template_id) { register_basic1_template(); }

void KVGXB_PAGE_BASIC2::on_init_dialog() {
    bind_feasibility();
    bind(m_byte_order, IDC_BYTE_ORDER);
    bind(m_byte_order_pattern_label, IDC_BYTE_ORDER_PATTERN_LABEL);
    bind(m_byte_order_pattern, IDC_BYTE_ORDER_PATTERN);
    bind(m_pad_pattern_label, IDC_PAD_PATTERN_LABEL);
    bind(m_pad_pattern, IDC_PAD_PATTERN);
    bind(m_8b10b, IDC_8B10B);
    bind(m_rate_match_label, IDC_RATE_MATCH_LABEL);
    bind(m_rate_match, IDC_RATE_MATCH);
    for (int i = 0; i < 8; ++i) bind(m_rate_match_labels[i], RATE_MATCH_LABELS[i]);
    bind(m_pattern1_a, IDC_PATTERN1_A);
    bind(m_pattern1_b, IDC_PATTERN1_B);
    bind(m_pattern2_a, IDC_PATTERN2_A);
    bind(m_pattern2_b, IDC_PATTERN2_B);
    bind(m_rx_clkout, IDC_RX_CLKOUT);
    bind(m_flip_rx_out, IDC_FLIP_RX_OUT);
    bind(m_flip_tx_in, IDC_FLIP_TX_IN);

    // Filled once: later refreshes leave what the user typed.
    KVGXB_WIZARD& model = wiz();
    const int n = PATTERN_BOX_LENGTH;
    prepare_pattern_box(m_byte_order_pattern, n, model.byte_order_pattern);
    prepare_pattern_box(m_pad_pattern, n, model.byte_order_pad_pattern);
    // A rate-match pattern shows as its first and its last ten characters.
    auto last = [n](const CString& pattern) { return pattern.GetLength() > n ? pattern.Right(n) : CString(); };
    prepare_pattern_box(m_pattern1_a, n, model.rate_match_pattern1.Left(n));
    prepare_pattern_box(m_pattern1_b, n, last(model.rate_match_pattern1));
    prepare_pattern_box(m_pattern2_a, n, model.rate_match_pattern2.Left(n));
    prepare_pattern_box(m_pattern2_b, n, last(model.rate_match_pattern2));
    refresh_from_model();
    refresh_feasibility();
}

void KVGXB_PAGE_BASIC2::update_page() {
    KVGXB_WIZARD& model = wiz();
    const bool rx = is_receiver_enabled();
    const bool rt = model.operation_mode == KVGXB_OPMODE_RX_AND_TX;
    const bool loopback_special = is_sub(model, {KVGXB_SUB_PARALLEL_BIST, KVGXB_SUB_REV_SERIAL_LOOPBACK});
    const bool byte_order = model.byte_order_mode != KVGXB_BYTE_ORDER_NONE;
    const bool coded = model.endec_8b10b_mode != KVGXB_8B10B_NONE;
    const bool rate_matching = coded && model.rate_match_fifo_mode != KVGXB_RMFIFO_NONE;
    const bool single = model.single_width_mode;

    enable(m_byte_order, rx && model.is_byte_order_allowed_in_basic());
    set_check(m_byte_order, rx && byte_order);
    // Parallel loopback has no byte-order pattern of its own to look for.
    const bool pattern = rx && byte_order && !is_sub(model, {KVGXB_SUB_PARALLEL_BIST});
    enable(m_byte_order_pattern_label, pattern);
    enable(m_byte_order_pattern, pattern);
    enable(m_pad_pattern_label, rx && byte_order);
    enable(m_pad_pattern, rx && byte_order);

    enable(m_8b10b, model.channel_width % 16 == 0 && !single && !loopback_special);
    set_check(m_8b10b, coded);

    const bool none_byte_order = model.byte_order_mode == KVGXB_BYTE_ORDER_NONE;
    enable(m_rate_match_label, single ? coded && !loopback_special && rt : coded && rt && none_byte_order);
    enable(m_rate_match, single ? coded && !loopback_special && model.channel_width % 8 == 0 && rt
                                : coded && none_byte_order && model.channel_width == 32 && rt);
    set_check(m_rate_match, rate_matching);
    for (CRSTATIC& label : m_rate_match_labels) enable(label, rate_matching);
    for (CWnd* box : {&m_pattern1_a, &m_pattern1_b, &m_pattern2_a, &m_pattern2_b}) enable(*box, rate_matching);

    enable(m_rx_clkout, false);
    set_check(m_rx_clkout, !rate_matching && rx && model.is_port_used("rx_clkout"));
    set_check(m_flip_rx_out, rx && model.rx_flip_rx_out);
    set_check(m_flip_tx_in, is_transmitter_enabled() && model.tx_flip_tx_in);
    refresh_feasibility();
}

CString KVGXB_PAGE_BASIC2::join_pattern(CREDIT_BOX_INTEGER_RADIX& first, CREDIT_BOX_INTEGER_RADIX& second) {
    const CString high = first.GetWindowText();
    if (high.GetLength() >= PATTERN_BOX_LENGTH && second.IsWindow()) second.SetFocus();
    return high + second.GetWindowText();
}

bool KVGXB_PAGE_BASIC2::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* /*event*/) {
    KVGXB_WIZARD& model = wiz();
    m_requery = false;
    if (source == &m_byte_order) {
        model.byte_order_mode = m_byte_order.get_val_bool() ? KVGXB_BYTE_ORDER_SYNCSTATUS : KVGXB_BYTE_ORDER_NONE;
        m_requery = true;
    } else if (source == &m_byte_order_pattern) {
        model.byte_order_pattern = m_byte_order_pattern.GetWindowText();
    } else if (source == &m_pad_pattern) {
        model.byte_order_pad_pattern = m_pad_pattern.GetWindowText();
    } else if (source == &m_8b10b) {
        model.endec_8b10b_mode = m_8b10b.get_val_bool() ? KVGXB_8B10B_NORMAL : KVGXB_8B10B_NONE;
        m_requery = true;
    } else if (source == &m_rate_match) {
        model.rate_match_fifo_mode = m_rate_match.get_val_bool() ? KVGXB_RMFIFO_NORMAL : KVGXB_RMFIFO_NONE;
        m_requery = true;
    } else if (source == &m_pattern1_a || source == &m_pattern1_b) {
        model.rate_match_pattern1 = join_pattern(m_pattern1_a, m_pattern1_b);
    } else if (source == &m_pattern2_a || source == &m_pattern2_b) {
        model.rate_match_pattern2 = join_pattern(m_pattern2_a, m_pattern2_b);
    } else if (source == &m_rx_clkout) {
        model.set_port_used("rx_clkout", m_rx_clkout.get_val_bool());
    } else if (source == &m_flip_rx_out) {
        model.rx_flip_rx_out = m_flip_rx_out.get_val_bool();
    } else if (source == &m_flip_tx_in) {
        model.tx_flip_tx_in = m_flip_tx_in.get_val_bool();
    } else {
        return false;
    }
    return true;
}

void KVGXB_PAGE_BASIC2::after_update_cycle() {
    if (!m_requery) return;
    m_requery = false;
    // The General page starts the query: its list is the one that changes.
    CRWIZARD* wizard = get_wizard_ref();
    KVGXB_PAGE1* general = nullptr;
    if (wizard) {
        const int at = wizard->find_first_page(KVGXB_PAGE1::TEMPLATE_ID);
        if (at >= 0) general = dynamic_cast<KVGXB_PAGE1*>(wizard->get_page_at(at));
    }
    if (!general) return;
    if (wiz().input_selection == 0) {
        general->call_tcl_get_inclk_freq();
    } else {
        general->call_tcl_get_data_rate();
    }
}

// ---------------------------------------------------------------- Basic 2

KVGXB_PAGE_BASIC1::KVGXB_PAGE_BASIC1(UINT template_id) : KVGXB_PAGE(template_id) { register_basic2_template(); }

void KVGXB_PAGE_BASIC1::on_init_dialog() {
    bind_feasibility();
    bind(m_manual, IDC_MANUAL);
    bind(m_edge_label, IDC_EDGE_LABEL);
    bind(m_rising_edge, IDC_RISING_EDGE);
    bind(m_not_rising_edge, IDC_NOT_RISING_EDGE);
    bind(m_bitslip, IDC_BITSLIP);
    bind(m_state_machine, IDC_STATE_MACHINE);
    group_radios(m_aligner_group, {&m_manual, &m_bitslip, &m_state_machine});
    group_radios(m_edge_group, {&m_rising_edge, &m_not_rising_edge});
    bind(m_pattern_length_label, IDC_PATTERN_LENGTH_LABEL);
    bind(m_pattern_length, IDC_PATTERN_LENGTH);
    bind(m_pattern_label, IDC_PATTERN_LABEL);
    bind(m_pattern, IDC_PATTERN);
    bind(m_pattern_display, IDC_PATTERN_DISPLAY);
    bind(m_run_length_check, IDC_RUN_LENGTH_CHECK);
    bind(m_run_length, IDC_RUN_LENGTH);
    bind(m_flip_pattern, IDC_FLIP_PATTERN);
    bind(m_loss_sync_label, IDC_LOSS_SYNC_LABEL);
    bind(m_loss_sync, IDC_LOSS_SYNC);
    bind(m_good_data_label, IDC_GOOD_DATA_LABEL);
    bind(m_good_data, IDC_GOOD_DATA);
    bind(m_cons_pat_label, IDC_CONS_PAT_LABEL);
    bind(m_cons_pat, IDC_CONS_PAT);
    bind_ports(m_ports);

    KVGXB_WIZARD& model = wiz();
    prepare_pattern_box(m_pattern, model.align_pattern_length, model.align_pattern);
    refresh_from_model();
    refresh_feasibility();
}

void KVGXB_PAGE_BASIC1::update_page() {
    KVGXB_WIZARD& model = wiz();
    const bool rx = is_receiver_enabled();
    const bool single = model.single_width_mode;
    const int width = model.channel_width;
    const bool coded = model.endec_8b10b_mode != KVGXB_8B10B_NONE;
    const bool byte_order = model.byte_order_mode != KVGXB_BYTE_ORDER_NONE;
    const bool plain_loopback = is_sub(model, {KVGXB_SUB_NO_LOOPBACK, KVGXB_SUB_SERIAL_LOOPBACK});
    const bool prbs = is_sub(model, {KVGXB_SUB_PRBS_SERIAL_LOOPBACK, KVGXB_SUB_PRBS_NO_LOOPBACK});
    CString sub = model.subprotocol;
    sub.MakeLower();
    const bool self_test = sub.Find("bist") >= 0 || sub.Find("prbs") >= 0;
    const bool raw_double_32 = width == 32 && !coded && !byte_order;

    // Which aligners the width and the loopback choice leave.
    bool manual = true;
    if (single || raw_double_32) {
        manual = prbs || (single && width == 16 && plain_loopback &&
                          (!coded || model.rate_match_fifo_mode == KVGXB_RMFIFO_NONE));
    }
    const bool bitslip = plain_loopback && ((single && width % 10 == 0) || (!single && raw_double_32));
    enable(m_manual, rx && manual);
    enable(m_bitslip, rx && bitslip);
    enable(m_state_machine, rx && single && !prbs);
    enable(m_edge_label, false);
    enable(m_rising_edge, false);
    enable(m_not_rising_edge, false);
    set_radio(m_manual, model.word_aligner_mode == KVGXB_ALIGNER_MANUAL);
    set_radio(m_rising_edge, model.rising_edge_pattern_align);
    set_radio(m_not_rising_edge, !model.rising_edge_pattern_align);
    set_radio(m_bitslip, model.word_aligner_mode == KVGXB_ALIGNER_BITSLIP);
    set_radio(m_state_machine, model.word_aligner_mode == KVGXB_ALIGNER_AUTOMATIC);

    update_pattern_length_list(m_pattern_length_label, m_pattern_length);
    enable(m_pattern_label, rx && !self_test);
    enable(m_pattern, rx && !self_test);
    m_pattern.LimitText(static_cast<UINT>(model.align_pattern_length));
    update_pattern_display(m_pattern_display);

    enable(m_run_length_check, rx);
    set_check(m_run_length_check, rx && model.run_length_enable);
    update_run_length_list(m_run_length);
    enable(m_flip_pattern, rx);
    set_check(m_flip_pattern, model.word_align_flip_pattern);

    update_align_loss_sync_error_num_combo();
    update_num_align_cons_good_data_combo();
    update_num_align_cons_pat_combo();

    const bool not_bitslip = model.word_aligner_mode != KVGXB_ALIGNER_BITSLIP;
    enable(m_ports[0].box, rx && model.byte_order_mode != KVGXB_BYTE_ORDER_SYNCSTATUS && not_bitslip && !self_test);
    show_port(m_ports[0], rx && not_bitslip && !self_test);
    enable(m_ports[1].box, rx && !self_test);
    show_port(m_ports[1], rx && !self_test);
    for (int i = 2; i < 5; ++i) {
        enable(m_ports[i].box, false);
        show_port(m_ports[i], rx && coded);
    }
    refresh_feasibility();
}

void KVGXB_PAGE_BASIC1::update_state_machine_list(CRSTATIC& label, CRCOMBO_BOX_NUMERIC& list, int count, int& value) {
    const bool on = is_receiver_enabled() && wiz().word_aligner_mode == KVGXB_ALIGNER_AUTOMATIC;
    enable(label, on);
    enable(list, on);
    if (list.GetCount() != count) {
        list.ResetContent();
        for (int i = 1; i <= count; ++i) list.AddString(bwizc_global_int2str(i));
    }
    set_combo_value(list, bwizc_global_int2str(value));
}

void KVGXB_PAGE_BASIC1::update_align_loss_sync_error_num_combo() {
    update_state_machine_list(m_loss_sync_label, m_loss_sync, 8, wiz().align_loss_sync_error_num);
}

void KVGXB_PAGE_BASIC1::update_num_align_cons_good_data_combo() {
    update_state_machine_list(m_good_data_label, m_good_data, 256, wiz().num_align_cons_good_data);
}

void KVGXB_PAGE_BASIC1::update_num_align_cons_pat_combo() {
    update_state_machine_list(m_cons_pat_label, m_cons_pat, 256, wiz().num_align_cons_pat);
}

bool KVGXB_PAGE_BASIC1::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) {
    if (store_run_length(source, event, m_run_length_check, m_run_length)) return true;
    KVGXB_WIZARD& model = wiz();
    const int number = bwizc_global_str2int(event->get_val_string());
    if (auto* radio = dynamic_cast<CRADIO_BUTTON*>(source)) {
        // A radio that went unchecked reports too; only the checked one counts.
        if (!radio->get_val_bool()) return false;
        if (source == &m_rising_edge || source == &m_not_rising_edge) {
            model.rising_edge_pattern_align = source == &m_rising_edge;
        } else {
            model.word_aligner_mode = source == &m_manual    ? KVGXB_ALIGNER_MANUAL
                                      : source == &m_bitslip ? KVGXB_ALIGNER_BITSLIP
                                                             : KVGXB_ALIGNER_AUTOMATIC;
        }
    } else if (source == &m_pattern_length) {
        model.align_pattern_length = number;
    } else if (source == &m_pattern) {
        model.align_pattern = m_pattern.GetWindowText();
    } else if (source == &m_flip_pattern) {
        model.word_align_flip_pattern = m_flip_pattern.get_val_bool();
    } else if (source == &m_loss_sync) {
        model.align_loss_sync_error_num = number;
    } else if (source == &m_good_data) {
        model.num_align_cons_good_data = number;
    } else if (source == &m_cons_pat) {
        model.num_align_cons_pat = number;
    } else {
        return store_port(m_ports, source);
    }
    return true;
}
