// The transceiver wizard's page set and its symbol: what of KVGXB_WIZARD
// needs the page classes. The application object itself lives here too, so
// that linking the executable against the page library brings in both.
#include "support/bwizc_global.h"
#include "symbol/bwizc_standard_symbol.h"
#include "transceiver/kvgxb_wizard.h"
#include "transceiver/pages/kvgxb_basic_pages.h"
#include "transceiver/pages/kvgxb_loopback_pages.h"
#include "transceiver/pages/kvgxb_page1.h"
#include "transceiver/pages/kvgxb_page2.h"
#include "transceiver/pages/kvgxb_page3_rx_dprio.h"
#include "transceiver/pages/kvgxb_page3_tx.h"
#include "transceiver/pages/kvgxb_protocol_pages.h"

KVGXB_WIZARD gxb_wizard;

namespace {

// Where the wizard's pages sit in the navigation panel.
const char* const NAV_PARAM_SETTINGS = "PARAM_SETTINGS";

struct PAGE_ENTRY {
    UINT template_id;
    const char* label;
};

// The fixed pages, in order.
const PAGE_ENTRY FIXED_PAGES[] = {
    {KVGXB_PAGE1::TEMPLATE_ID, "General"},
    {KVGXB_PAGE2::TEMPLATE_ID, "PLL/Ports"},
    {KVGXB_PAGE3_RX_DPRIO::TEMPLATE_ID, "Reconfig/RX Analog"},
    {KVGXB_PAGE3_TX::TEMPLATE_ID, "TX Analog/Cal Blk"},
    {161, "Lpbk"},
    {186, "BIST"},
};

// A page of the set, or null while its class is not part of the program.
CRWIZARD_PAGE* create_page(UINT template_id) {
    switch (template_id) {
        case KVGXB_PAGE1::TEMPLATE_ID: return new KVGXB_PAGE1(template_id);
        case KVGXB_PAGE2::TEMPLATE_ID: return new KVGXB_PAGE2(template_id);
        case KVGXB_PAGE3_RX_DPRIO::TEMPLATE_ID: return new KVGXB_PAGE3_RX_DPRIO(template_id);
        case KVGXB_PAGE3_TX::TEMPLATE_ID: return new KVGXB_PAGE3_TX(template_id);
        case KVGXB_PAGE_SONET::TEMPLATE_ID: return new KVGXB_PAGE_SONET(template_id);
        case KVGXB_PAGE_GIGE_XAUI::TEMPLATE_ID: return new KVGXB_PAGE_GIGE_XAUI(template_id);
        case KVGXB_PAGE_PCI::TEMPLATE_ID: return new KVGXB_PAGE_PCI(template_id);
        case KVGXB_PAGE4::TEMPLATE_ID: return new KVGXB_PAGE4(template_id);
        case KVGXB_PAGE5::TEMPLATE_ID: return new KVGXB_PAGE5(template_id);
        case KVGXB_PAGE_BASIC2::TEMPLATE_ID: return new KVGXB_PAGE_BASIC2(template_id);
        case KVGXB_PAGE_BASIC1::TEMPLATE_ID: return new KVGXB_PAGE_BASIC1(template_id);
        default: return nullptr;
    }
}

bool same(const CString& a, const char* b) { return a.CompareNoCase(b) == 0; }

const char* const LEFT_PORTS[] = {
    "space{1}",         "rx_datain",          "tx_datain",         "pll_inclk",          "rx_cruclk",
    "rx_ctrlenable",    "tx_ctrlenable",      "rx_digitalreset",   "rx_analogreset",     "tx_digitalreset",
    "gxb_powerdown",    "gxb_enable",         "rx_locktorefclk",   "rx_locktodata",      "cal_blk_clk",
    "cal_blk_powerdown", "rx_enapatternalign", "rx_bitslip",       "tx_forcedisp",       "tx_dispval",
    "rx_seriallpbken",  "tx_revparallellpbken", "rx_a1a2size",     "pipe8b10binvpolarity", "tx_detectrxloop",
    "tx_forceelecidle", "tx_forcedispcompliance", "powerdn",       "fixedclk",           "reconfig_clk",
    "reconfig_togxb"};
const char* const RIGHT_PORTS[] = {
    "space{1}",          "rx_dataout",         "tx_dataout",        "pll_locked",          "rx_pll_locked",
    "rx_freqlocked",     "rx_signaldetect",    "rx_byteorderalignstatus", "rx_clkout",     "tx_clkout",
    "coreclkout",        "rx_syncstatus",      "rx_patterndetect",  "rx_ctrldetect",       "rx_errdetect",
    "rx_disperr",        "rx_rlv",             "rx_rmfifodatainserted", "rx_rmfifodatadeleted", "rx_a1a2sizeout",
    "rx_channelaligned", "pipestatus",         "pipedatavalid",     "pipeelecidle",        "pipephydonestatus",
    "reconfig_fromgxb",  "rx_bisterr",         "rx_bistdone"};

}  // namespace

void KVGXB_WIZARD::register_port_order() {
    if (get_port_order().get_size() > 0) return;
    for (const char* port : LEFT_PORTS) set_port_order(port, SIDE_LEFT);
    for (const char* port : RIGHT_PORTS) set_port_order(port, SIDE_RIGHT);
}

void KVGXB_WIZARD::create_pages() {
    if (m_page_set_ready) return;
    for (const PAGE_ENTRY& entry : FIXED_PAGES) {
        if (CRWIZARD_PAGE* page = create_page(entry.template_id)) {
            add_page_with_label(page, NAV_PARAM_SETTINGS, entry.label, false);
        }
    }
    m_page_set_ready = true;
}

std::vector<UINT> KVGXB_WIZARD::get_protocol_page_templates(const CString& protocol) {
    if (same(protocol, KVGXB_PROTOCOL_SONET)) return {166};
    if (same(protocol, KVGXB_PROTOCOL_XAUI) || same(protocol, KVGXB_PROTOCOL_GIGE)) return {176};
    if (same(protocol, KVGXB_PROTOCOL_PCIE)) return {182};
    if (same(protocol, KVGXB_PROTOCOL_BASIC)) return {190, 187};
    return {};
}

void KVGXB_WIZARD::insert_protocol_pages(int position) {
    if (!same(protocol, KVGXB_PROTOCOL_BASIC) && force_default_settings) return;
    // "Basic 2" goes in first, then "Basic 1" before the same position.
    std::vector<UINT> templates = get_protocol_page_templates(protocol);
    static const struct {
        UINT template_id;
        const char* label;
    } LABELS[] = {{166, "SONET"}, {182, "PCI"}, {190, "Basic 1"}, {187, "Basic 2"}};
    for (auto it = templates.rbegin(); it != templates.rend(); ++it) {
        CRWIZARD_PAGE* page = create_page(*it);
        if (!page) continue;
        CString label = same(protocol, KVGXB_PROTOCOL_GIGE) ? "GIGE" : "XAUI";
        for (const auto& entry : LABELS) {
            if (entry.template_id == *it) label = entry.label;
        }
        insert_page_before_with_label(position, page, NAV_PARAM_SETTINGS, label, false);
    }
}

void KVGXB_WIZARD::switch_protocol_page() {
    if (!m_page_set_ready) return;
    const std::vector<UINT> previous = get_protocol_page_templates(previous_protocol);
    int position = previous.empty() ? -1 : find_first_page(previous.front());
    if (position >= 0) {
        for (size_t i = 0; i < previous.size(); ++i) remove_page_at(position, true);
    } else {
        position = get_page_count() - get_last_std_pages_count();
    }
    insert_protocol_pages(position);
}

void KVGXB_WIZARD::place_protocol_pages() {
    if (!m_page_set_ready) return;
    int position = -1;
    for (UINT id : {166u, 176u, 182u, 190u, 187u}) {
        for (int at; (at = find_first_page(id)) >= 0;) {
            if (position < 0 || at < position) position = at;
            remove_page_at(at, true);
        }
    }
    if (position < 0) position = get_page_count() - get_last_std_pages_count();
    insert_protocol_pages(position);
}

void KVGXB_WIZARD::refresh_all_pages() {
    for (CRWIZARD_PAGE* page : get_page_manager().get_wizard_pages_list()) {
        if (auto* transceiver_page = dynamic_cast<KVGXB_PAGE*>(page)) transceiver_page->refresh_from_model();
    }
}

void KVGXB_WIZARD::generate_symbol(bool rebuild_port_usage) {
    CRWIZARD::generate_symbol(rebuild_port_usage);
    CRSYMBOL_OUTLINE* outline = get_symbol_outline();
    if (!outline) return;
    // The summary of the configuration, line by line under the symbol.
    int y = outline->get_extent().bottom;
    for (const CString& line : get_symbol_summary_lines()) {
        y += 8;
        outline->add_text(8, y, line, BWIZC_COLOR_BLACK, 6);
    }
    outline->add_point(8, y + 16);
}
