// The protocol, loopback and Basic pages driven as a user would, through the
// headless input driver, against the real device database.
#include "transceiver/kvgxb_wizard_test_support.h"
#include "transceiver/pages/kvgxb_basic_pages.h"
#include "transceiver/pages/kvgxb_loopback_pages.h"
#include "transceiver/pages/kvgxb_page1.h"
#include "transceiver/pages/kvgxb_protocol_pages.h"

namespace {

using G = KVGXB_PAGE1;
using BAR = CRSTD_BUTTONS_PANEL_DECORATOR;
using LABELS = std::vector<std::string>;

const char* const FOLDER = "kvgxb_protocol_pages";

// A session that reaches the page labelled `label` with `protocol` and, when
// given, `opmode` chosen on the General page.
void run_on_page(KVGXB_WIZARD& w, const char* protocol, const char* opmode, const std::string& label,
                 const std::function<void(CDialog*)>& on_page) {
    auto choose = [&](CDialog* page) {
        bwizc_user_select_text(page, G::IDC_PROTOCOL, protocol);
        if (opmode) { EXPECT_TRUE(bwizc_user_select_text(page, G::IDC_OPMODE, opmode)); }
    };
    run_on_page(w, FOLDER, choose, label, on_page);
}

}  // namespace

using KvgxbProtocolPages = KvgxbWizardTest;

// Next from the General page to the summary, then Back to the General page,
// for every protocol and operation mode; the rows run in one session, so each
// protocol page is put in place by a switch from the row before.
TEST_F(KvgxbProtocolPages, NextVisitsThePagesOfEachProtocolAndModeAndBackRetracesThem) {
    struct ROW {
        const char* protocol;
        const char* opmode;  // null: the list is not the user's
        LABELS tail;         // after the analog pages, up to the summary
    };
    const ROW rows[] = {
        {"Basic", "Receiver and Transmitter", {"Basic 1", "Basic 2"}},
        {"Basic", "Receiver only", {"Basic 1", "Basic 2"}},
        {"Basic", "Transmitter only", {"Basic 1"}},
        {"XAUI", nullptr, {"Lpbk", "XAUI"}},
        {"GIGE", "Receiver and Transmitter", {"Lpbk", "GIGE"}},
        {"GIGE", "Transmitter only", {"Lpbk", "GIGE"}},
        {"PCI Express (PIPE)", nullptr, {"PCI"}},
        {"(OIF) CEI PHY Interface", "Receiver only", {"Lpbk"}},
        {"SDI", "Receiver and Transmitter", {"Lpbk"}},
        {"SONET Backplane", "Receiver and Transmitter", {"Lpbk", "SONET"}},
        {"SONET Backplane", "Receiver only", {"Lpbk", "SONET"}},
        {"Basic", "Receiver and Transmitter", {"Basic 1", "Basic 2"}},
    };
    KVGXB_WIZARD w;
    size_t row = 0;
    enum { CHOOSE, FORWARD, BACK } phase = CHOOSE;
    LABELS walked;
    LABELS head;  // the General page and the analog pages of this build
    CDialog* left = nullptr;
    int basic1_position = -1;
    bwizc_set_input_driver([&](CDialog* page) {
        if (!lists_settled(w) || page == left) {
            bwizc_wait_for_posted_message(5);
            return true;
        }
        if (row == std::size(rows)) return bwizc_user_key(page, VK_ESCAPE);
        const ROW& r = rows[row];
        SCOPED_TRACE(std::string(r.protocol) + " / " + (r.opmode ? r.opmode : "-"));
        if (phase == CHOOSE) {
            if (head.empty()) {
                head = {"General"};
                for (auto [id, name] : {std::pair<UINT, const char*>{165, "PLL/Ports"}, {193, "Reconfig/RX Analog"},
                                        {194, "TX Analog/Cal Blk"}}) {
                    if (w.find_first_page(id) >= 0) head.push_back(name);
                }
            }
            const CString previous = w.protocol;
            basic1_position = w.find_first_page(KVGXB_PAGE_BASIC2::TEMPLATE_ID);
            bwizc_user_select_text(page, G::IDC_PROTOCOL, r.protocol);
            if (previous == "Basic" && r.protocol == CString("XAUI")) {
                // Both Basic pages go; XAUI stands where "Basic 1" stood.
                EXPECT_EQ(w.find_first_page(KVGXB_PAGE_GIGE_XAUI::TEMPLATE_ID), basic1_position);
                EXPECT_LT(w.find_first_page(KVGXB_PAGE_BASIC1::TEMPLATE_ID), 0);
                EXPECT_LT(w.find_first_page(KVGXB_PAGE_BASIC2::TEMPLATE_ID), 0);
            }
            if (previous == "SDI" && r.protocol == CString("SONET Backplane")) {
                EXPECT_EQ(w.find_first_page(KVGXB_PAGE_SONET::TEMPLATE_ID),
                          w.get_page_count() - w.get_last_std_pages_count() - 1);
            }
            if (r.opmode) { EXPECT_TRUE(bwizc_user_select_text(page, G::IDC_OPMODE, r.opmode)); }
            walked.clear();
            phase = FORWARD;
            return true;
        }
        walked.push_back(current_label(w));
        left = page;
        if (phase == FORWARD && page != w.get_summary_page()) return bwizc_user_click(page, BAR::NEXT_BUTTON_ID);
        LABELS expected = head;
        expected.insert(expected.end(), r.tail.begin(), r.tail.end());
        expected.insert(expected.end(), {"Simulation Library", "Summary Page"});
        if (phase == FORWARD) {
            EXPECT_EQ(walked, expected);
            phase = BACK;
            walked = {walked.back()};
            return bwizc_user_click(page, BAR::PREV_BUTTON_ID);
        }
        if (walked.back() != "General") return bwizc_user_click(page, BAR::PREV_BUTTON_ID);
        EXPECT_EQ(walked, LABELS(expected.rbegin(), expected.rend()));
        left = nullptr;
        phase = CHOOSE;
        ++row;
        return true;
    });
    run_session(w, FOLDER);
    EXPECT_EQ(row, std::size(rows));
}

TEST_F(KvgxbProtocolPages, LoopbackAndProtocolPagesFollowTheirRulesAndStoreWhatTheUserSets) {
    using L = KVGXB_PAGE4;
    // Loopback: what each operation mode leaves to choose.
    struct ROW {
        const char* opmode;
        bool serial;
    };
    for (const ROW& row : {ROW{"Receiver and Transmitter", true}, ROW{"Receiver only", false},
                           ROW{"Transmitter only", false}}) {
        SCOPED_TRACE(row.opmode);
        KVGXB_WIZARD w;
        run_on_page(w, "SONET Backplane", row.opmode, "Lpbk", [&](CDialog* page) {
            EXPECT_TRUE(enabled(page, L::IDC_NO_LOOPBACK));
            EXPECT_EQ(enabled(page, L::IDC_SERIAL_LOOPBACK), row.serial);
            EXPECT_EQ(enabled(page, L::IDC_SERIAL_LOOPBACK_LABEL), row.serial);
            for (UINT id : {L::IDC_PARALLEL_LOOPBACK, L::IDC_NO_REVERSE_LOOPBACK, L::IDC_REVERSE_SERIAL_LOOPBACK})
                EXPECT_FALSE(enabled(page, id)) << id;
            EXPECT_EQ(bwizc_user_click(page, L::IDC_SERIAL_LOOPBACK), row.serial);
            EXPECT_EQ(w.loopback_mode, row.serial ? KVGXB_LOOPBACK_SLB : KVGXB_LOOPBACK_NONE);
            EXPECT_EQ(checked(page, L::IDC_NO_LOOPBACK), !row.serial);
        });
    }

    using S = KVGXB_PAGE_SONET;
    KVGXB_WIZARD sonet;
    run_on_page(sonet, "SONET Backplane", nullptr, "SONET", [&](CDialog* page) {
        EXPECT_FALSE(enabled(page, S::IDC_RISING_EDGE));
        EXPECT_FALSE(enabled(page, S::IDC_NOT_RISING_EDGE));
        EXPECT_TRUE(checked(page, S::IDC_NOT_RISING_EDGE)) << "single width never aligns on the edge";
        // SONET's patterns are longer than a code group: shown in hexadecimal.
        EXPECT_EQ(sonet.align_pattern_length, 16);
        EXPECT_EQ(text(page, S::IDC_PATTERN), sonet.align_pattern);
        EXPECT_EQ(text(page, S::IDC_PATTERN_DISPLAY), KVGXB_WIZARD::binary2hex(sonet.align_pattern));
        // The list follows its check box; each box stores its flag.
        const bool run_length = sonet.run_length_enable;
        EXPECT_EQ(enabled(page, S::IDC_RUN_LENGTH), run_length);
        EXPECT_TRUE(bwizc_user_click(page, S::IDC_RUN_LENGTH_CHECK));
        EXPECT_EQ(sonet.run_length_enable, !run_length);
        EXPECT_EQ(enabled(page, S::IDC_RUN_LENGTH), !run_length);
        const bool detect = sonet.is_port_used("rx_patterndetect");
        EXPECT_TRUE(bwizc_user_click(page, S::IDC_RX_PATTERNDETECT));
        EXPECT_EQ(sonet.is_port_used("rx_patterndetect"), !detect);
        EXPECT_EQ(checked(page, S::IDC_RX_PATTERNDETECT), !detect);
    });

    // GIGE: the receiver's boxes go grey for a transmitter alone.
    using X = KVGXB_PAGE_GIGE_XAUI;
    for (bool tx_only : {false, true}) {
        KVGXB_WIZARD w;
        run_on_page(w, "GIGE", tx_only ? "Transmitter only" : nullptr, "GIGE", [&](CDialog* page) {
            for (UINT id : {X::IDC_RX_SYNCSTATUS, X::IDC_RX_PATTERNDETECT, X::IDC_RX_CTRLDETECT,
                            X::IDC_RX_ERRDETECT, X::IDC_RX_DISPERR, X::IDC_RUN_LENGTH_CHECK})
                EXPECT_EQ(enabled(page, id), !tx_only) << id;
            const bool used = w.is_port_used("rx_errdetect");
            EXPECT_EQ(bwizc_user_click(page, X::IDC_RX_ERRDETECT), !tx_only);
            EXPECT_EQ(w.is_port_used("rx_errdetect"), used != !tx_only);
        });
    }

    // PCI Express: a receiver box shows unchecked for a transmitter alone, yet
    // stays enabled and stores its flag.
    using C = KVGXB_PAGE_PCI;
    KVGXB_WIZARD pci;
    run_on_page(pci, "PCI Express (PIPE)", nullptr, "PCI", [&](CDialog* page) {
        pci.operation_mode = KVGXB_OPMODE_TX_ONLY;
        static_cast<KVGXB_PAGE*>(page)->refresh_from_model();
        // Shown unchecked whatever the flag; the click checks the box, and that is stored.
        EXPECT_FALSE(checked(page, C::IDC_PIPEELECIDLE));
        EXPECT_TRUE(bwizc_user_click(page, C::IDC_PIPEELECIDLE));
        EXPECT_TRUE(pci.is_port_used("pipeelecidle"));
        EXPECT_FALSE(checked(page, C::IDC_PIPEELECIDLE));
        const bool powerdn = pci.is_port_used("powerdn");
        EXPECT_TRUE(bwizc_user_click(page, C::IDC_POWERDN));
        EXPECT_EQ(checked(page, C::IDC_POWERDN), !powerdn);
    });
}

TEST_F(KvgxbProtocolPages, BasicPagesFollowTheirRulesAndStoreWhatTheUserSets) {
    using B1 = KVGXB_PAGE_BASIC2;
    KVGXB_WIZARD coded;
    run_on_page(
        coded, FOLDER,
        [](CDialog* page) {
            EXPECT_TRUE(bwizc_user_click(page, G::IDC_DOUBLE_WIDTH));
            EXPECT_TRUE(bwizc_user_select_text(page, G::IDC_CHANNEL_WIDTH, "32"));
        },
        "Basic 1",
        [&](CDialog* page) {
            ASSERT_TRUE(enabled(page, B1::IDC_8B10B));
            if (!checked(page, B1::IDC_8B10B)) { EXPECT_TRUE(bwizc_user_click(page, B1::IDC_8B10B)); }
            EXPECT_NE(coded.endec_8b10b_mode, KVGXB_8B10B_NONE);
            ASSERT_TRUE(enabled(page, B1::IDC_RATE_MATCH));
            if (!checked(page, B1::IDC_RATE_MATCH)) { EXPECT_TRUE(bwizc_user_click(page, B1::IDC_RATE_MATCH)); }
            EXPECT_NE(coded.rate_match_fifo_mode, KVGXB_RMFIFO_NONE);
            // The tenth character of the first half moves on to the second.
            retype(page, B1::IDC_PATTERN1_A, "0101111100");
            EXPECT_EQ(CWnd::GetFocus(), page->GetDlgItem(B1::IDC_PATTERN1_B));
            EXPECT_EQ(coded.rate_match_pattern1, "0101111100" + text(page, B1::IDC_PATTERN1_B));
            coded.inclk_list_pending = coded.data_rate_list_pending = false;
            EXPECT_TRUE(bwizc_user_click(page, B1::IDC_8B10B));
            EXPECT_EQ(coded.endec_8b10b_mode, KVGXB_8B10B_NONE);
            EXPECT_TRUE(coded.inclk_list_pending || coded.data_rate_list_pending) << "a new list is asked for";
            for (UINT id : std::initializer_list<UINT>{B1::IDC_RATE_MATCH, B1::IDC_PATTERN1_A, B1::IDC_PATTERN1_B,
                                                       B1::IDC_PATTERN2_A, B1::IDC_PATTERN2_B})
                EXPECT_FALSE(enabled(page, id)) << id;
        });

    using B2 = KVGXB_PAGE_BASIC1;
    KVGXB_WIZARD aligner;
    run_on_page(
        aligner, FOLDER,
        [](CDialog* page) { EXPECT_TRUE(bwizc_user_select_text(page, G::IDC_CHANNEL_WIDTH, "10")); },
        "Basic 2",
        [&](CDialog* page) {
            if (aligner.align_pattern_length != 10) {
                EXPECT_TRUE(bwizc_user_select_text(page, B2::IDC_PATTERN_LENGTH, "10"));
            }
            retype(page, B2::IDC_PATTERN, "0101111100");
            EXPECT_EQ(aligner.align_pattern, "0101111100");
            EXPECT_EQ(text(page, B2::IDC_PATTERN_DISPLAY), KVGXB_WIZARD::get_8b10bcode("0101111100"));
            EXPECT_NE(text(page, B2::IDC_PATTERN_DISPLAY).Find("K28.5"), -1);
            // Only the synchronization state machine has counters to set.
            EXPECT_FALSE(enabled(page, B2::IDC_MANUAL)) << "single width aligns by itself";
            for (UINT radio : {B2::IDC_STATE_MACHINE, B2::IDC_BITSLIP, B2::IDC_STATE_MACHINE}) {
                EXPECT_TRUE(bwizc_user_click(page, radio));
                const bool machine = radio == B2::IDC_STATE_MACHINE;
                EXPECT_EQ(aligner.word_aligner_mode, machine ? KVGXB_ALIGNER_AUTOMATIC : KVGXB_ALIGNER_BITSLIP);
                for (UINT id : {B2::IDC_LOSS_SYNC, B2::IDC_GOOD_DATA, B2::IDC_CONS_PAT})
                    EXPECT_EQ(enabled(page, id), machine) << id;
            }
            EXPECT_TRUE(bwizc_user_select_text(page, B2::IDC_GOOD_DATA, "200"));
            EXPECT_EQ(aligner.num_align_cons_good_data, 200);
        });

    KVGXB_WIZARD prbs;
    run_on_page(
        prbs, FOLDER,
        [](CDialog* page) { EXPECT_TRUE(bwizc_user_select_text(page, G::IDC_SUBPROTOCOL, "PRBS/Serial loopback")); },
        "Basic 2",
        [&](CDialog* page) {
            EXPECT_TRUE(enabled(page, B2::IDC_PATTERN_LENGTH));
            for (UINT id : {B2::IDC_PATTERN, B2::IDC_RX_SYNCSTATUS, B2::IDC_RX_PATTERNDETECT})
                EXPECT_FALSE(enabled(page, id)) << id;
        });
}
