#include "transceiver/pages/kvgxb_page2.h"

namespace {

using ITEM = BWIZC_DIALOG_ITEM;

void register_pll_ports_template() {
    using P = KVGXB_PAGE2;
    kvgxb_register_page_template(P::TEMPLATE_ID, "PLL/Ports", {
        ITEM::group_box(IDC_STATIC, "PLLs", 7, 30, 286, 98),
        ITEM::check_box(P::IDC_PLL_INCLK, "Use pll_inclk as the transmitter PLL's reference clock", 15, 42, 270, 10),
        ITEM::check_box(P::IDC_RX_CRUCLK, "Use rx_cruclk as the receiver PLL's reference clock", 15, 56, 270, 10),
        ITEM::ltext(P::IDC_RX_PLL_LABEL, "What is the receiver PLL bandwidth?", 15, 74, 150, 9),
        ITEM::combo_box(P::IDC_RX_PLL_BW, 170, 72, 80, 60, KVGXB_LIST),
        ITEM::ltext(IDC_STATIC, "What is the transmitter PLL bandwidth?", 15, 90, 150, 9),
        ITEM::combo_box(P::IDC_CMU_PLL_BW, 170, 88, 80, 60, KVGXB_LIST),
        ITEM::ltext(P::IDC_PPM_LABEL, "What is the receiver's ppm tolerance?", 15, 106, 150, 9),
        ITEM::combo_box(P::IDC_PPM, 170, 104, 80, 120, KVGXB_LIST),
        ITEM::group_box(IDC_STATIC, "Optional control inputs", 7, 136, 140, 76),
        ITEM::check_box(P::IDC_GXB_POWERDOWN, "gxb_powerdown", 15, 150, 126, 10),
        ITEM::check_box(P::IDC_GXB_ENABLE, "gxb_enable", 15, 164, 126, 10),
        ITEM::check_box(P::IDC_RX_LOCKTOREFCLK, "rx_locktorefclk", 15, 178, 126, 10),
        ITEM::check_box(P::IDC_RX_LOCKTODATA, "rx_locktodata", 15, 192, 126, 10),
        ITEM::group_box(IDC_STATIC, "Optional status outputs", 153, 136, 140, 76),
        ITEM::check_box(P::IDC_PLL_LOCKED, "pll_locked", 161, 150, 126, 10),
        ITEM::check_box(P::IDC_RX_PLL_LOCKED, "rx_pll_locked", 161, 164, 126, 10),
        ITEM::check_box(P::IDC_RX_FREQLOCKED, "rx_freqlocked", 161, 178, 126, 10),
        ITEM::check_box(P::IDC_RX_SIGNALDETECT, "rx_signaldetect", 161, 192, 126, 10),
        ITEM::check_box(P::IDC_HIDDEN_PORT, "rx_coreclk", 15, 218, 126, 10),
    });
}

bool is_protocol(const CString& protocol, const char* name) { return protocol.CompareNoCase(name) == 0; }

}  // namespace

KVGXB_PAGE2::KVGXB_PAGE2(UINT template_id) : KVGXB_PAGE(template_id) { register_pll_ports_template(); }

void KVGXB_PAGE2::on_init_dialog() {
    bind_feasibility();
    bind(m_pll_inclk, IDC_PLL_INCLK);
    bind(m_rx_cruclk, IDC_RX_CRUCLK);
    bind(m_rx_pll_label, IDC_RX_PLL_LABEL);
    bind(m_rx_pll_bw, IDC_RX_PLL_BW);
    bind(m_cmu_pll_bw, IDC_CMU_PLL_BW);
    bind(m_ppm_label, IDC_PPM_LABEL);
    bind(m_ppm, IDC_PPM);
    bind(m_gxb_powerdown, IDC_GXB_POWERDOWN);
    bind(m_gxb_enable, IDC_GXB_ENABLE);
    bind(m_pll_locked, IDC_PLL_LOCKED);
    bind(m_rx_locktorefclk, IDC_RX_LOCKTOREFCLK);
    bind(m_rx_locktodata, IDC_RX_LOCKTODATA);
    bind(m_rx_pll_locked, IDC_RX_PLL_LOCKED);
    bind(m_rx_freqlocked, IDC_RX_FREQLOCKED);
    bind(m_rx_signaldetect, IDC_RX_SIGNALDETECT);
    refresh_from_model();
}

// ---------------------------------------------------------------- refresh

bool KVGXB_PAGE2::is_parallel_basic() {
    KVGXB_WIZARD& model = wiz();
    return is_protocol(model.protocol, KVGXB_PROTOCOL_BASIC) && model.subprotocol.Find("Parallel") >= 0;
}

bool KVGXB_PAGE2::is_pll_selectable_protocol() {
    KVGXB_WIZARD& model = wiz();
    return is_protocol(model.protocol, KVGXB_PROTOCOL_BASIC) || is_protocol(model.protocol, KVGXB_PROTOCOL_SDI) ||
           is_protocol(model.protocol, KVGXB_PROTOCOL_PCIE) ||
           (is_protocol(model.protocol, KVGXB_PROTOCOL_SONET) && is_protocol(model.subprotocol, "OC96"));
}

void KVGXB_PAGE2::update_page() {
    update_clock_port_checks();
    enable(m_rx_pll_label, wiz().operation_mode != KVGXB_OPMODE_TX_ONLY);
    update_pll_bw_type_combo();
    update_cmu_pll_bw_type_combo();
    enable(m_ppm_label, wiz().operation_mode != KVGXB_OPMODE_TX_ONLY);
    update_rxppm_combo();
    update_port_checks();
    if (CWnd* hidden = GetDlgItem(static_cast<int>(IDC_HIDDEN_PORT))) hidden->ShowWindow(SW_HIDE);
    refresh_feasibility();
}

void KVGXB_PAGE2::update_clock_port_checks() {
    // The transmitter PLL always has its input clock; neither is the user's.
    KVGXB_WIZARD& model = wiz();
    enable(m_pll_inclk, false);
    enable(m_rx_cruclk, false);
    set_check(m_pll_inclk, model.is_port_used("pll_inclk"));
    set_check(m_rx_cruclk, model.is_port_used("rx_cruclk"));
}

void KVGXB_PAGE2::update_pll_bw_type_combo() {
    KVGXB_WIZARD& model = wiz();
    enable(m_rx_pll_bw, is_pll_selectable_protocol() && model.operation_mode != KVGXB_OPMODE_TX_ONLY);
    refill_fixed_combo(m_rx_pll_bw, {"High", "Medium", "Low"}, model.rx_pll_bw);
}

void KVGXB_PAGE2::update_cmu_pll_bw_type_combo() {
    KVGXB_WIZARD& model = wiz();
    enable(m_cmu_pll_bw, is_pll_selectable_protocol() && model.is_port_used("pll_inclk"));
    refill_fixed_combo(m_cmu_pll_bw, {"High", "Medium", "Low"}, model.cmu_pll_bw);
}

void KVGXB_PAGE2::update_rxppm_combo() {
    KVGXB_WIZARD& model = wiz();
    enable(m_ppm, model.operation_mode != KVGXB_OPMODE_TX_ONLY);
    refill_combo(m_ppm, model.get_combobox_rxppm(), model.rx_ppm, false);
}

void KVGXB_PAGE2::update_port_checks() {
    KVGXB_WIZARD& model = wiz();
    const bool rx = model.operation_mode != KVGXB_OPMODE_TX_ONLY;
    const bool rx_status = rx && !is_parallel_basic();
    const struct {
        CRCHECK_BUTTON& box;
        const char* port;
        bool enabled;
    } rows[] = {
        {m_gxb_powerdown, "gxb_powerdown", true},
        {m_gxb_enable, "gxb_enable", true},
        {m_pll_locked, "pll_locked", model.operation_mode != KVGXB_OPMODE_RX_ONLY || model.is_port_used("pll_inclk")},
        {m_rx_locktorefclk, "rx_locktorefclk", rx},
        {m_rx_locktodata, "rx_locktodata", rx},
        {m_rx_pll_locked, "rx_pll_locked", rx_status},
        {m_rx_freqlocked, "rx_freqlocked", rx_status},
        {m_rx_signaldetect, "rx_signaldetect", rx_status && is_protocol(model.protocol, KVGXB_PROTOCOL_PCIE)},
    };
    // A disabled box shows unchecked and keeps its port's flag.
    for (const auto& row : rows) {
        enable(row.box, row.enabled);
        set_check(row.box, row.enabled && model.is_port_used(row.port));
    }
}

// ---------------------------------------------------------------- changes

bool KVGXB_PAGE2::on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) {
    KVGXB_WIZARD& model = wiz();
    if (source == &m_rx_pll_bw) {
        model.rx_pll_bw = event->get_val_string();
        return true;
    }
    if (source == &m_cmu_pll_bw) {
        model.cmu_pll_bw = event->get_val_string();
        return true;
    }
    if (source == &m_ppm) {
        model.rx_ppm = event->get_val_string();
        return true;
    }
    const struct {
        CRCHECK_BUTTON& box;
        const char* port;
    } ports[] = {
        {m_pll_inclk, "pll_inclk"},         {m_rx_cruclk, "rx_cruclk"},         {m_gxb_powerdown, "gxb_powerdown"},
        {m_gxb_enable, "gxb_enable"},       {m_pll_locked, "pll_locked"},       {m_rx_locktorefclk, "rx_locktorefclk"},
        {m_rx_locktodata, "rx_locktodata"}, {m_rx_pll_locked, "rx_pll_locked"}, {m_rx_freqlocked, "rx_freqlocked"},
        {m_rx_signaldetect, "rx_signaldetect"},
    };
    for (const auto& row : ports) {
        if (source == &row.box) {
            model.set_port_used(row.port, row.box.get_val_bool());
            return true;
        }
    }
    return false;
}
