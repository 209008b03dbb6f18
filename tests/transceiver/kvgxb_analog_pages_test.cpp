// The PLL/Ports, Reconfig/RX Analog and TX Analog/Cal Blk pages, reached with
// Next from the General page of a headless session against the real device
// database: their enabling tables over model states, and their sliders
// moved as a user moves them.
#include "transceiver/kvgxb_wizard_test_support.h"
#include "transceiver/pages/kvgxb_page2.h"
#include "transceiver/pages/kvgxb_page3_rx_dprio.h"
#include "transceiver/pages/kvgxb_page3_tx.h"

namespace {

using PLL = KVGXB_PAGE2;
using RX = KVGXB_PAGE3_RX_DPRIO;
using TX = KVGXB_PAGE3_TX;

CSliderCtrl* slider(CDialog* page, UINT id) { return static_cast<CSliderCtrl*>(page->GetDlgItem(static_cast<int>(id))); }

// Sets the model as `row` says, then refreshes the page from it.
template <class ROW>
void show(CDialog* page, KVGXB_WIZARD& w, const ROW& row) {
    w.protocol = row.protocol;
    w.subprotocol = row.subprotocol;
    w.operation_mode = row.opmode;
    row.apply(w);
    dynamic_cast<KVGXB_PAGE*>(page)->refresh_from_model();
}

// Next from the General page up to the page labelled `label`, where the
// update cycles are counted from zero while `check` runs.
void on_page(KVGXB_COUNTING_WIZARD& w, const char* label, const std::function<void(CDialog*)>& check) {
    run_on_page(w, "kvgxb_analog_pages", [](CDialog*) {}, label, [&](CDialog* page) {
        w.cycles = 0;
        check(page);
    });
}

}  // namespace

using KvgxbAnalogPages = KvgxbWizardTest;

TEST_F(KvgxbAnalogPages, PllPortsPageEnablesByProtocolAndModeAndDisabledBoxesKeepTheirPortFlags) {
    const UINT boxes[] = {PLL::IDC_RX_PLL_BW,      PLL::IDC_CMU_PLL_BW,    PLL::IDC_PPM,
                          PLL::IDC_PLL_LOCKED,     PLL::IDC_RX_LOCKTODATA, PLL::IDC_RX_PLL_LOCKED,
                          PLL::IDC_RX_FREQLOCKED,  PLL::IDC_RX_SIGNALDETECT};
    const char* const ports[] = {"pll_locked", "rx_locktodata", "rx_pll_locked", "rx_freqlocked", "rx_signaldetect"};
    struct ROW {
        const char *protocol, *subprotocol;
        int opmode;
        bool expected[8];  // enabled, in the order of `boxes`
        void apply(KVGXB_WIZARD&) const {}
    };
    const ROW rows[] = {
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, {1, 1, 1, 1, 1, 1, 1, 0}},
        {"SONET Backplane", "OC48", KVGXB_OPMODE_RX_AND_TX, {0, 0, 1, 1, 1, 1, 1, 0}},
        {"SONET Backplane", "OC96", KVGXB_OPMODE_RX_AND_TX, {1, 1, 1, 1, 1, 1, 1, 0}},
        {"Basic", "No Loopback", KVGXB_OPMODE_TX_ONLY, {0, 1, 0, 1, 0, 0, 0, 0}},
        {"Basic", "Parallel loopback/BIST", KVGXB_OPMODE_RX_AND_TX, {1, 1, 1, 1, 1, 0, 0, 0}},
        {"PCI Express (PIPE)", "x4", KVGXB_OPMODE_RX_AND_TX, {1, 1, 1, 1, 1, 1, 1, 1}},
        {"PCI Express (PIPE)", "x4", KVGXB_OPMODE_TX_ONLY, {0, 1, 0, 1, 0, 0, 0, 0}},
        {"XAUI", "N/A", KVGXB_OPMODE_RX_ONLY, {0, 0, 1, 1, 1, 1, 1, 0}},
    };
    KVGXB_COUNTING_WIZARD w;
    on_page(w, "PLL/Ports", [&](CDialog* page) {
        for (const char* port : ports) w.set_port_used(port, true);
        for (const ROW& row : rows) {
            SCOPED_TRACE(std::string(row.protocol) + " " + row.subprotocol + " mode " + std::to_string(row.opmode));
            show(page, w, row);
            for (size_t i = 0; i < std::size(boxes); ++i) EXPECT_EQ(enabled(page, boxes[i]), row.expected[i]) << boxes[i];
            // A disabled port box shows unchecked; every flag stays set.
            for (size_t i = 3; i < std::size(boxes); ++i) EXPECT_EQ(checked(page, boxes[i]), row.expected[i]) << boxes[i];
            for (const char* port : ports) EXPECT_TRUE(w.is_port_used(port)) << port;
            EXPECT_FALSE(enabled(page, PLL::IDC_PLL_INCLK));
            EXPECT_TRUE(checked(page, PLL::IDC_PLL_INCLK));
            EXPECT_FALSE(page->GetDlgItem(PLL::IDC_HIDDEN_PORT)->IsWindowVisible());
        }
        // A user's choice is stored as shown, through one update cycle.
        show(page, w, rows[0]);
        EXPECT_TRUE(bwizc_user_select_text(page, PLL::IDC_PPM, "+/- 62.5"));
        EXPECT_EQ(w.rx_ppm, "+/- 62.5");
        EXPECT_EQ(w.cycles, 1);
    });
}

TEST_F(KvgxbAnalogPages, RxAnalogPageEnablesByModeProtocolAndItsOwnSwitches) {
    const UINT controls[] = {RX::IDC_DPRIO_OFF,      RX::IDC_STARTING_CHANNEL,    RX::IDC_ENABLE_EQUALIZER,
                             RX::IDC_EQUALIZER_SLIDER, RX::IDC_DC_GAIN,           RX::IDC_VCM,
                             RX::IDC_FORCE_SIGNAL_DETECT, RX::IDC_THRESHOLD,      RX::IDC_EXTERNAL_TERMINATION,
                             RX::IDC_TERMINATION};
    struct ROW {
        const char *protocol, *subprotocol;
        int opmode;
        bool switches;  // reconfiguration, equalizer, forced signal detect, external termination
        bool expected[10];  // enabled, in the order of `controls`
        void apply(KVGXB_WIZARD& w) const {
            w.dprio_type = switches ? KVGXB_DPRIO_PMA_ELECTRICALS : KVGXB_DPRIO_NONE;
            w.enable_equalizer_ctrl = w.rx_force_signal_detect = w.external_rx_termination = switches;
        }
    };
    const ROW rows[] = {
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, false, {1, 0, 1, 0, 0, 1, 0, 0, 1, 1}},
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, true, {1, 1, 1, 1, 1, 1, 0, 0, 1, 0}},
        {"PCI Express (PIPE)", "x1", KVGXB_OPMODE_RX_AND_TX, false, {1, 0, 1, 0, 0, 1, 1, 1, 1, 1}},
        {"PCI Express (PIPE)", "x1", KVGXB_OPMODE_RX_AND_TX, true, {1, 1, 1, 1, 1, 1, 1, 0, 1, 0}},
        {"PCI Express (PIPE)", "x1", KVGXB_OPMODE_TX_ONLY, true, {1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    KVGXB_COUNTING_WIZARD w;
    on_page(w, "Reconfig/RX Analog", [&](CDialog* page) {
        EXPECT_EQ(w.rx_vcm, "0.85") << "the only common-mode voltage offered";
        auto* channels = static_cast<CComboBox*>(page->GetDlgItem(RX::IDC_STARTING_CHANNEL));
        ASSERT_EQ(channels->GetCount(), 32);
        EXPECT_EQ(channels->GetLBText(31), "124");
        for (const ROW& row : rows) {
            SCOPED_TRACE(std::string(row.protocol) + " mode " + std::to_string(row.opmode) + " " + std::to_string(row.switches));
            show(page, w, row);
            for (size_t i = 0; i < std::size(controls); ++i) EXPECT_EQ(enabled(page, controls[i]), row.expected[i]) << controls[i];
            EXPECT_TRUE(enabled(page, RX::IDC_DPRIO_ON));
            EXPECT_EQ(checked(page, RX::IDC_DPRIO_ON), row.switches);
            const bool shown = row.switches && row.opmode != KVGXB_OPMODE_TX_ONLY;
            for (UINT id : {RX::IDC_ENABLE_EQUALIZER, RX::IDC_FORCE_SIGNAL_DETECT, RX::IDC_EXTERNAL_TERMINATION})
                EXPECT_EQ(checked(page, id), shown) << id;
        }
        // The slider stores its position without an update cycle.
        show(page, w, rows[1]);
        EXPECT_EQ(slider(page, RX::IDC_EQUALIZER_SLIDER)->GetRangeMin(), 1);
        EXPECT_TRUE(bwizc_user_move_slider(page, RX::IDC_EQUALIZER_SLIDER, 15));
        EXPECT_EQ(w.equalizer_ctrl_setting, 15);
        EXPECT_EQ(w.cycles, 0);
        // Dropping the external termination brings back the kept value.
        w.rx_termination = 150;
        EXPECT_TRUE(bwizc_user_click(page, RX::IDC_EXTERNAL_TERMINATION));
        EXPECT_FALSE(w.external_rx_termination);
        EXPECT_EQ(page->GetDlgItem(RX::IDC_TERMINATION)->GetWindowText(), "150");
        EXPECT_EQ(w.cycles, 1);
    });
}

TEST_F(KvgxbAnalogPages, TxAnalogPageSlidersFollowTheSupplyAndVodAndMapTheFirstPostTap) {
    struct ROW {
        const char *protocol, *subprotocol;
        int opmode;
        const char* vcchtx;
        int vod, posttap1;
        int tap_limit, posttap1_max, posttap1_pos;  // expected
        void apply(KVGXB_WIZARD& w) const {
            w.vcchtx = vcchtx;
            w.vod_ctrl_setting = vod;
            w.preemp_1st_posttap = posttap1;
        }
    };
    const ROW rows[] = {
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, "1.5", 200, 0, 5, 3, 3},
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, "1.5", 800, 0, 7, 11, 11},
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, "1.5", 800, 5, 7, 11, 7},
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, "1.2", 160, 2, 5, 3, 1},
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, "1.2", 320, 1, 7, 6, 5},
        // A VOD the list does not offer becomes its first value.
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, "1.5", 999, 0, 5, 3, 3},
    };
    KVGXB_COUNTING_WIZARD w;
    on_page(w, "TX Analog/Cal Blk", [&](CDialog* page) {
        for (const ROW& row : rows) {
            SCOPED_TRACE(std::string(row.vcchtx) + " V, " + std::to_string(row.vod) + " mV");
            show(page, w, row);
            for (UINT id : {TX::IDC_PRETAP_SLIDER, TX::IDC_2POSTTAP_SLIDER}) {
                EXPECT_EQ(slider(page, id)->GetRangeMin(), -row.tap_limit);
                EXPECT_EQ(slider(page, id)->GetRangeMax(), row.tap_limit);
            }
            EXPECT_EQ(slider(page, TX::IDC_1POSTTAP_SLIDER)->GetRangeMax(), row.posttap1_max);
            EXPECT_EQ(slider(page, TX::IDC_1POSTTAP_SLIDER)->GetPos(), row.posttap1_pos);
            // Every position the user can pick comes back where it was put.
            for (int pos = 0; pos <= row.posttap1_max; ++pos) {
                if (slider(page, TX::IDC_1POSTTAP_SLIDER)->GetPos() != pos) {
                    EXPECT_TRUE(bwizc_user_move_slider(page, TX::IDC_1POSTTAP_SLIDER, pos));
                }
                dynamic_cast<KVGXB_PAGE*>(page)->refresh_from_model();
                EXPECT_EQ(slider(page, TX::IDC_1POSTTAP_SLIDER)->GetPos(), pos);
            }
        }
        EXPECT_EQ(w.vod_ctrl_setting, 200);
        EXPECT_EQ(w.cycles, 0) << "the sliders run no update cycle";

        // Without a transmitter only the calibration block remains; without
        // the block its power-down box shows unchecked and keeps the flag.
        w.set_port_used("cal_blk_powerdown", true);
        w.operation_mode = KVGXB_OPMODE_RX_ONLY;
        dynamic_cast<KVGXB_PAGE*>(page)->refresh_from_model();
        for (UINT id : {TX::IDC_VCCH, TX::IDC_VCM, TX::IDC_EXTERNAL_TERMINATION, TX::IDC_TERMINATION, TX::IDC_VOD,
                        TX::IDC_PRETAP_SLIDER, TX::IDC_1POSTTAP_SLIDER, TX::IDC_2POSTTAP_SLIDER, TX::IDC_PRETAP_LABEL})
            EXPECT_FALSE(enabled(page, id)) << id;
        EXPECT_TRUE(checked(page, TX::IDC_CAL_BLK_POWERDOWN));
        EXPECT_TRUE(bwizc_user_click(page, TX::IDC_USE_CAL_BLK));
        EXPECT_FALSE(w.use_calibration_block);
        EXPECT_FALSE(enabled(page, TX::IDC_CAL_BLK_POWERDOWN));
        EXPECT_FALSE(checked(page, TX::IDC_CAL_BLK_POWERDOWN));
        EXPECT_TRUE(w.is_port_used("cal_blk_powerdown"));
    });
}
