// The device query service against the real tclsh and the real device data:
// the start-up enumeration as the general page drives it, the list queries,
// and the faults (no interpreter, a dying interpreter, failing commands,
// answers out of frame).
#include <gtest/gtest.h>

#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/messages.h"
#include "platform/window.h"
#include "services/bwizc_tcl_shell_manager.h"

namespace {

using MANAGER = BWIZC_TCL_SHELL_MANAGER;
using CLOCK = std::chrono::steady_clock;
using ANSWER = std::optional<std::vector<std::string>>;
using DELIVERY = std::vector<ANSWER>;

// The wizard's per-key queries in the order it asks them, with the row name
// each answer is filed under.
const std::pair<const char*, const char*> PRESET_QUERIES[22] = {
    {"get_protocol_name", "WIZ_PROTOCOL"},
    {"get_subprotocol_name", "WIZ_SUBPROTOCOL"},
    {"get_hssi_op_mode_list", "OPERATION_MODE"},
    {"get_hssi_channel_num_list", "NUMBER_OF_CHANNELS"},
    {"get_hssi_data_rate_list", "WIZ_DATA_RATE"},
    {"get_hssi_inclk_freq_list", "WIZ_INCLK_FREQ"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_DATA_WIDTH", "RX_CHANNEL_WIDTH"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_DEC_8B10B_MODE", "RX_8B_10B_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_BYTE_ORDERING_MODE", "RX_BYTE_ORDERING_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_USE_DESERIALIZER_DOUBLE_DATA_MODE", "RX_USE_DESERIALIZER_DOUBLE_DATA_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_ALLOW_SERIAL_LOOPBACK", "LOOPBACK_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_RATE_MATCH_FIFO_MODE", "RX_RATE_MATCH_FIFO_MODE"},
    {"get_hssi_run_length_list", "RX_RUN_LENGTH"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_BIT_SLIP_ENABLE", "RX_BITSLIP_ENABLE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_DEC_8B10B_COMPATIBILITY_MODE", "RX_8B_10B_COMPATIBILITY_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_SELF_TEST_MODE", "RX_SELF_TEST_MODE"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN", "RX_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_ALIGN_PATTERN_LENGTH", "RX_ALIGN_PATTERN_LENGTH"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_STRING_ALIGN_PATTERN", "RX_ALIGN_PATTERN"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN", "RX_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_STRING_BYTE_ORDER_PATTERN", "RX_BYTE_ORDER_PATTERN"},
    {"VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_RATE_MATCH_PATTERN_SIZE", "RX_RATE_MATCH_PATTERN_SIZE"},
};

const char* const WIZARD_PROTOCOLS[] = {"Basic", "XAUI", "GIGE", "PCI Express (PIPE)", "(OIF) CEI PHY Interface",
                                        "SONET Backplane", "SDI"};

CString server_script()
{
    return CString(KV2GXB_BUILD_DIR) + "/libraries/device/devicedb_server.tcl";
}

bool pump_until(const std::function<bool()>& done, int timeout_ms)
{
    auto end = CLOCK::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (CLOCK::now() >= end) {
            return false;
        }
        bwizc_wait_for_posted_message(5);
        while (bwizc_dispatch_posted_message()) {
        }
    }
    return true;
}

void pump_for(int ms)
{
    pump_until([] { return false; }, ms);
}

DELIVERY snapshot_results()
{
    DELIVERY out;
    BWIZC_TCL_RESULT_ARRAY* results = MANAGER::get_tokenized_result_array();
    for (int i = 0; i < results->GetSize(); ++i) {
        CStringArray* entry = results->GetAt(i);
        if (!entry) {
            out.emplace_back(std::nullopt);
            continue;
        }
        std::vector<std::string> elements;
        for (const CString& e : *entry) {
            elements.push_back(e.str());
        }
        out.emplace_back(std::move(elements));
    }
    return out;
}

bool process_is_gone(pid_t pid)
{
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// A page window that asks the database and keeps what is delivered to it.
struct TEST_PAGE {
    CWnd wnd;
    std::vector<DELIVERY> deliveries;
    std::function<void()> on_delivery;

    TEST_PAGE()
    {
        wnd.CreateEx(BWIZC_KIND_CUSTOM, 0, CString(), 0, CRect(), nullptr, 0);
        wnd.set_message_handler(RegisterWindowMessage(MANAGER::COMPLETION_MESSAGE_NAME), [this](WPARAM, LPARAM) {
            deliveries.push_back(snapshot_results());
            if (on_delivery) {
                on_delivery();
            }
            return LRESULT(0);
        });
    }
    void ask(std::initializer_list<CString> commands)
    {
        MANAGER::begin_command_block(wnd.GetSafeHwnd());
        for (const CString& c : commands) {
            MANAGER::run_tcl_shell_command(c);
        }
        MANAGER::end_command_block();
    }
};

// One configuration key as the wizard files it: its 22 rows, each the row
// name followed by the allowed values.
struct PRESET {
    std::string key;
    std::string protocol;
    std::string subprotocol;
    bool double_width = false;
    std::vector<std::vector<std::string>> rows;
};

// The start-up enumeration as the general page runs it, one command per
// block, the next one asked for when an answer has been filed: the two
// loads, the key list, then the 22 queries of every key.
struct STARTUP_ENUMERATION {
    TEST_PAGE page;
    int asked = 0;
    int answer_count = 0;
    std::vector<std::string> keys;
    std::vector<PRESET> presets;
    bool finished = false;
    CLOCK::time_point finished_at;
    std::function<void(int)> after_answer;

    STARTUP_ENUMERATION()
    {
        page.on_delivery = [this] { on_command_done(); };
    }

    void call_tcl_with_keys()
    {
        static const char* const loads[] = {"load_package device_features", "load_device_info KV2VGX130KF1508C3",
                                            "get_config_keys"};
        CString command;
        if (asked < 3) {
            command = loads[asked];
        } else {
            const size_t key_index = static_cast<size_t>(asked - 3) / 22;
            if (key_index >= keys.size()) {
                finished = true;
                finished_at = CLOCK::now();
                return;
            }
            const char* query = PRESET_QUERIES[(asked - 3) % 22].first;
            const char* key = keys[key_index].c_str();
            if (std::strstr(query, "VELARISIIGX_ATOM_PARAM")) {
                command.Format("get_atom_param_value -config_key %s -atom_param %s", key, query);
            } else {
                command.Format("%s %s", query, key);
            }
        }
        ++asked;
        page.ask({command});
    }

    // Keeps each answer: the key list, or a row of the key it was asked for.
    void on_command_done()
    {
        BWIZC_TCL_RESULT_ARRAY* results = MANAGER::get_tokenized_result_array();
        for (int i = 0; i < results->GetSize(); ++i) {
            CStringArray* entry = results->GetAt(i);
            if (!entry) {
                continue;
            }
            std::vector<std::string> values;
            for (const CString& v : *entry) {
                values.push_back(v.str());
            }
            int n = answer_count++;
            if (n == 2) {
                keys = values;
            } else if (n > 2) {
                file_row(static_cast<size_t>(n - 3) / 22, PRESET_QUERIES[(n - 3) % 22].second, values);
            }
            if (after_answer) {
                after_answer(answer_count);
            }
            call_tcl_with_keys();
        }
    }

    void file_row(size_t key_index, const std::string& name, const std::vector<std::string>& values)
    {
        if (presets.size() <= key_index) {
            presets.emplace_back();
            presets.back().key = keys[key_index];
        }
        PRESET& item = presets.back();
        std::string first = values.empty() ? std::string() : values[0];
        if (name == "WIZ_PROTOCOL") {
            item.protocol = first;
        } else if (name == "WIZ_SUBPROTOCOL") {
            item.subprotocol = first;
        } else if (name == "RX_USE_DESERIALIZER_DOUBLE_DATA_MODE") {
            item.double_width = std::find(values.begin(), values.end(), "true") != values.end();
        }
        std::vector<std::string> row{name};
        row.insert(row.end(), values.begin(), values.end());
        item.rows.push_back(row);
    }
};

// ------------------------------------------------------------------- fixture

class TclShellManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::unsetenv("KV2GXB_TCLSH");
        MANAGER::set_server_script_path(server_script());
        MANAGER::set_answer_timeout_ms(10000);
        MANAGER::set_windowless_completion_handler(nullptr);
        bwizc_clear_posted_messages();
    }
    void TearDown() override
    {
        MANAGER::shut_down_tcl_shell_process();
        MANAGER::set_server_script_path(CString());
        MANAGER::set_windowless_completion_handler(nullptr);
        ::unsetenv("KV2GXB_TCLSH");
        pump_for(20);
        EXPECT_EQ(bwizc_pending_reply_count(), 0);
    }

    // A server of the test's own, to play a misbehaving database.
    CString write_script(const char* name, const char* text)
    {
        CString path = CString(KV2GXB_ARTIFACTS_DIR) + "/" + name;
        std::ofstream(path.c_str()) << text;
        return path;
    }

    // Runs the enumeration to its end; the time from process start to the
    // last answer.
    double run_enumeration(STARTUP_ENUMERATION& e)
    {
        auto started = CLOCK::now();
        EXPECT_TRUE(MANAGER::start_tcl_shell_process());
        e.call_tcl_with_keys();
        EXPECT_TRUE(pump_until([&] { return e.finished; }, 20000)) << "answers: " << e.answer_count;
        return std::chrono::duration<double, std::milli>(e.finished_at - started).count();
    }
};

}  // namespace

TEST_F(TclShellManager, StartUpEnumerationAnswersEveryPresetQueryUnder150Milliseconds)
{
    // The best of three runs counts for the time; the last run's answers are checked.
    double best = 1e9;
    std::unique_ptr<STARTUP_ENUMERATION> last;
    for (int run = 0; run < 3; ++run) {
        last = std::make_unique<STARTUP_ENUMERATION>();
        double ms = run_enumeration(*last);
        MANAGER::shut_down_tcl_shell_process();
        std::printf("start-up enumeration (%zu keys, %d answers): %.1f ms from process start to last answer\n",
                    last->keys.size(), last->answer_count, ms);
        best = std::min(best, ms);
    }
    RecordProperty("enumeration_ms", std::to_string(best));
    const STARTUP_ENUMERATION& e = *last;
    ASSERT_TRUE(e.finished);

    // Every key yields 22 rows, each with at least one value.
    ASSERT_GE(e.keys.size(), 20u);
    EXPECT_NE(std::find(e.keys.begin(), e.keys.end(), "VELARISIIGX_CONFIG_MODE_BASIC_2G_1"), e.keys.end());
    EXPECT_EQ(e.answer_count, 3 + 22 * static_cast<int>(e.keys.size()));
    ASSERT_EQ(e.presets.size(), e.keys.size());
    std::set<std::string> seen_keys;
    std::set<std::string> protocols;
    std::set<std::string> subprotocols;
    std::set<std::string> basic_widths[2];
    for (const PRESET& p : e.presets) {
        EXPECT_TRUE(seen_keys.insert(p.key).second) << "key twice: " << p.key;
        ASSERT_EQ(p.rows.size(), 22u) << p.key;
        for (const auto& row : p.rows) {
            EXPECT_GE(row.size(), 2u) << p.key << " " << row[0] << " has no value";
        }
        protocols.insert(p.protocol);
        subprotocols.insert(p.protocol + "/" + p.subprotocol);
        if (p.protocol == "Basic") {
            basic_widths[p.double_width].insert(p.rows[6].begin() + 1, p.rows[6].end());
        }
        // Every rate and clock a preset names lies within the limits the
        // wizard checks without a preset: 622 to 3125 Mbps in single width,
        // 3125 to 6375 in double width, clocks 62 to 622.08 MHz.
        const double lo = p.double_width ? 3125 : 622;
        const double hi = p.double_width ? 6375 : 3125;
        for (int r : {4, 5}) {
            for (size_t i = 1; i < p.rows[r].size(); ++i) {
                const std::string& v = p.rows[r][i];
                size_t dash = v.find('-', 1);
                double first = std::atof(v.c_str());
                double last = dash == std::string::npos ? first : std::atof(v.c_str() + dash + 1);
                if (r == 4) {
                    EXPECT_TRUE(first >= lo && last <= hi) << p.key << " rate " << v;
                } else {
                    EXPECT_TRUE(first >= 62 && last <= 622.08) << p.key << " clock " << v;
                }
            }
        }
    }
    EXPECT_EQ(protocols, std::set<std::string>(std::begin(WIZARD_PROTOCOLS), std::end(WIZARD_PROTOCOLS)));
    EXPECT_EQ(e.presets.front().protocol, "Basic");
    EXPECT_FALSE(e.presets.front().double_width);
    // The database names Basic without loopback "none"; the PCI Express and
    // SONET presets cover every lane count and line rate.
    for (const char* expected : {"Basic/none", "Basic/Parallel loopback/BIST", "Basic/Rev. Serial loopback",
                                 "Basic/PRBS/Serial loopback", "Basic/PRBS/No loopback", "PCI Express (PIPE)/x1",
                                 "PCI Express (PIPE)/x4", "PCI Express (PIPE)/x8", "SONET Backplane/OC12",
                                 "SONET Backplane/OC48", "SONET Backplane/OC96"}) {
        EXPECT_TRUE(subprotocols.count(expected)) << expected;
    }
    EXPECT_EQ(basic_widths[0], (std::set<std::string>{"8", "10", "16", "20"}));
    EXPECT_EQ(basic_widths[1], (std::set<std::string>{"16", "20", "32", "40"}));
    // XAUI runs on four lanes or a multiple of four.
    for (const PRESET& p : e.presets) {
        if (p.protocol == "XAUI") {
            EXPECT_EQ(std::count(p.rows[3].begin(), p.rows[3].end(), "2"), 0) << p.key;
            EXPECT_EQ(std::count(p.rows[3].begin(), p.rows[3].end(), "4"), 1) << p.key;
        }
    }
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    EXPECT_LT(best, 150.0);
#else
    GTEST_SKIP() << "the time budget holds for optimised builds without sanitizers";
#endif
}

TEST_F(TclShellManager, ListQueriesOfferTheClocksAndRatesThePllReachesAsTheWizardWritesThem)
{
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    TEST_PAGE page;
    page.ask({"load_package device_features", "load_device_info KV2VGX130KF1508C3"});
    page.ask({"get_hssi_inclk_freq_list -data_rate 3125 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate 3125.0000 VELARISIIGX_CONFIG_MODE_XAUI",
              "get_hssi_data_rate_list -inclk_freq 100.000 VELARISIIGX_CONFIG_MODE_PIPE_X1",
              "get_hssi_data_rate_list -inclk_freq 125 VELARISIIGX_CONFIG_MODE_PIPE_X4",
              "get_hssi_inclk_freq_list -data_rate 3126 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_data_rate_list -inclk_freq 100 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate 6250 VELARISIIGX_CONFIG_MODE_CEI_6G",
              // The ends of the serial and reference-clock ranges the wizard checks.
              "get_hssi_inclk_freq_list -data_rate 3125.01 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate 6375 VELARISIIGX_CONFIG_MODE_BASIC_6G_1",
              "get_hssi_inclk_freq_list -data_rate 6375.05 VELARISIIGX_CONFIG_MODE_BASIC_6G_1",
              "get_hssi_inclk_freq_list -data_rate 622 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate 2500 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_data_rate_list -inclk_freq 55 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_data_rate_list VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_data_rate_list VELARISIIGX_CONFIG_MODE_BASIC_6G_1",
              // The standard clocks of the protocol rates.
              "get_hssi_inclk_freq_list -data_rate 2488.32 VELARISIIGX_CONFIG_MODE_SONET_OC48",
              "get_hssi_inclk_freq_list -data_rate 1250.0000 VELARISIIGX_CONFIG_MODE_GIGE",
              "get_hssi_inclk_freq_list -data_rate 622 VELARISIIGX_CONFIG_MODE_SONET_OC12",
              "get_hssi_inclk_freq_list -data_rate 1485 VELARISIIGX_CONFIG_MODE_SDI",
              "get_hssi_inclk_freq_list -data_rate 4976 VELARISIIGX_CONFIG_MODE_SONET_OC96",
              // A clock entered as a period reaches the database as 1000 / period
              // with three decimals: 13.481 ns, 1.608 ns and 6.734 ns stand for
              // 74.1758, 622.08 and 148.5 MHz.
              "get_hssi_data_rate_list -inclk_freq 74.178 VELARISIIGX_CONFIG_MODE_SDI",
              "get_hssi_data_rate_list -inclk_freq 621.891 VELARISIIGX_CONFIG_MODE_SONET_OC48",
              "get_hssi_data_rate_list -inclk_freq 148.500 VELARISIIGX_CONFIG_MODE_SDI",
              // A clock off by more than the receiver tolerates is no standard clock.
              "get_hssi_data_rate_list -inclk_freq 100.1 VELARISIIGX_CONFIG_MODE_PIPE_X1",
              // A protocol rate is matched as written, as the wizard matches it.
              "get_hssi_inclk_freq_list -data_rate 3125.03 VELARISIIGX_CONFIG_MODE_XAUI",
              "get_hssi_inclk_freq_list -data_rate 1483.5165 VELARISIIGX_CONFIG_MODE_SDI"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 2; }, 5000));
    const DELIVERY& lists = page.deliveries[1];
    ASSERT_EQ(lists.size(), 27u);
    for (const ANSWER& a : lists) {
        ASSERT_TRUE(a.has_value());
    }
    auto contains = [](const std::vector<std::string>& list, const char* value) {
        return std::find(list.begin(), list.end(), value) != list.end();
    };
    // 3125 Mbps: 156.25 MHz among the Basic clocks, and the only XAUI clock.
    EXPECT_TRUE(contains(*lists[0], "156.25"));
    EXPECT_GT(lists[0]->size(), 1u);
    EXPECT_EQ(*lists[1], (std::vector<std::string>{"156.25"}));
    // 100 MHz gives PCI Express its 2500 Mbps; 125 MHz is no PCI Express clock.
    EXPECT_EQ(*lists[2], (std::vector<std::string>{"2500"}));
    EXPECT_TRUE(lists[3]->empty());
    // Above the single-width range nothing is reachable.
    EXPECT_TRUE(lists[4]->empty());
    // Every rate offered from 100 MHz lies in the single-width range.
    EXPECT_TRUE(contains(*lists[5], "2500"));
    for (const std::string& r : *lists[5]) {
        double v = std::atof(r.c_str());
        EXPECT_TRUE(v >= 622 && v <= 3125) << r;
    }
    EXPECT_EQ(*lists[6], (std::vector<std::string>{"156.25"}));

    // A rate just above a width mode's range reaches no clock; the ends
    // themselves do, as the wizard accepts them.
    EXPECT_TRUE(lists[7]->empty()) << lists[7]->front();
    EXPECT_FALSE(lists[8]->empty());
    EXPECT_TRUE(lists[9]->empty()) << lists[9]->front();
    EXPECT_TRUE(contains(*lists[10], "62.2"));
    // No clock below the wizard's lowest input clock (62 MHz) is offered or used.
    for (const std::string& c : *lists[11]) {
        EXPECT_GE(std::atof(c.c_str()), 62.0) << c;
    }
    EXPECT_TRUE(contains(*lists[11], "100"));
    EXPECT_TRUE(lists[12]->empty()) << lists[12]->front();
    EXPECT_EQ(*lists[13], (std::vector<std::string>{"62-622.08"}));
    EXPECT_EQ(*lists[14], (std::vector<std::string>{"622-3125"}));
    EXPECT_EQ(*lists[15], (std::vector<std::string>{"3125-6375"}));

    EXPECT_TRUE(contains(*lists[16], "155.52"));
    EXPECT_TRUE(contains(*lists[17], "125"));
    EXPECT_TRUE(contains(*lists[18], "62.2"));
    EXPECT_TRUE(contains(*lists[19], "74.25"));
    EXPECT_EQ(*lists[20], (std::vector<std::string>{"124.4"}));

    EXPECT_EQ(*lists[21], (std::vector<std::string>{"1483.5165", "2967.033"}));
    EXPECT_EQ(*lists[22], (std::vector<std::string>{"2488.32"}));
    EXPECT_EQ(*lists[23], (std::vector<std::string>{"1485", "2970"}));
    EXPECT_TRUE(lists[24]->empty()) << lists[24]->front();
    EXPECT_TRUE(lists[25]->empty()) << lists[25]->front();
    EXPECT_EQ(*lists[26], (std::vector<std::string>{"74.1758", "148.3516"}));
}

TEST_F(TclShellManager, BlockAnswersKeepSubmissionOrderAndFailedCommandsAreNull)
{
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    TEST_PAGE page;
    page.ask({"load_package device_features", "load_device_info KV2VGX130KF1508C3"});
    page.ask({"get_protocol_name VELARISIIGX_CONFIG_MODE_XAUI", "get_protocol_name NO_SUCH_KEY",
              "list \"line one\\nline two\" {back\\slash} {}"});
    // A block whose only command fails is never delivered; the stream stays
    // in step, so the next block is answered.
    page.ask({"get_subprotocol_name NO_SUCH_KEY"});
    page.ask({"get_subprotocol_name VELARISIIGX_CONFIG_MODE_SONET_OC48"});
    page.ask({"load_device_info NO_SUCH_PART"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() >= 3; }, 5000));
    pump_for(100);
    ASSERT_EQ(page.deliveries.size(), 3u);
    const DELIVERY& mixed = page.deliveries[1];
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_EQ(mixed[0], ANSWER(std::vector<std::string>{"XAUI"}));
    EXPECT_FALSE(mixed[1].has_value());
    EXPECT_EQ(mixed[2], ANSWER(std::vector<std::string>{"line one\nline two", "back\\slash", ""}));
    EXPECT_EQ(page.deliveries[2], DELIVERY{ANSWER(std::vector<std::string>{"OC48"})});
    EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
    EXPECT_TRUE(MANAGER::is_tcl_shell_process_running());
    // Outside a delivery there is nothing to read.
    EXPECT_EQ(MANAGER::get_tokenized_result_array()->GetSize(), 0);
}

TEST_F(TclShellManager, EnteredTextIsDataNeverTclToRun)
{
    // The data rate goes into the command as the user typed it: brackets,
    // dollars and semicolons are just a bad number, and only the database's
    // own commands run.
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    pid_t pid = MANAGER::get_tcl_shell_process_id();
    TEST_PAGE page;
    page.ask({"load_package device_features", "load_device_info KV2VGX130KF1508C3"});
    page.ask({"get_hssi_inclk_freq_list -data_rate [exit] VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate [set ::devicedb_dir /] VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate $tcl_precision VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate 2500;puts x VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate {2500 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "puts hello", "set ::devicedb_dir /",
              "get_hssi_inclk_freq_list -data_rate 2500 VELARISIIGX_CONFIG_MODE_XAUI",
              "load_package device_features"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 2; }, 5000));
    const DELIVERY& d = page.deliveries[1];
    ASSERT_EQ(d.size(), 9u);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_FALSE(d[i].has_value()) << "command " << i << " answered";
    }
    ASSERT_TRUE(d[7].has_value());
    EXPECT_TRUE(d[7]->empty());  // 2500 Mbps is no XAUI rate
    EXPECT_EQ(d[8], ANSWER(std::vector<std::string>{"1.0"}));
    EXPECT_TRUE(MANAGER::is_tcl_shell_process_running());
    EXPECT_EQ(MANAGER::get_tcl_shell_process_id(), pid);
}

TEST_F(TclShellManager, BlockWithoutLiveWindowGoesToTheWindowlessHandler)
{
    std::vector<DELIVERY> windowless;
    MANAGER::set_windowless_completion_handler([&] { windowless.push_back(snapshot_results()); });
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    MANAGER::begin_command_block(nullptr);
    MANAGER::run_tcl_shell_command("load_package device_features");
    MANAGER::end_command_block();
    auto page = std::make_unique<TEST_PAGE>();
    page->ask({"load_device_info KV2VGX130KF1508C3"});
    page.reset();  // the page closed before its answer came
    ASSERT_TRUE(pump_until([&] { return windowless.size() == 2; }, 5000));
    EXPECT_EQ(windowless[0], DELIVERY{ANSWER(std::vector<std::string>{"1.0"})});
    EXPECT_EQ(windowless[1], DELIVERY{ANSWER(std::vector<std::string>{"KV2VGX130KF1508C3"})});
}

TEST_F(TclShellManager, MissingInterpreterOrServerDeliversNothing)
{
    ::setenv("KV2GXB_TCLSH", "/nonexistent/tclsh", 1);
    EXPECT_STREQ(MANAGER::get_interpreter(), "/nonexistent/tclsh");
    EXPECT_FALSE(MANAGER::start_tcl_shell_process());
    EXPECT_FALSE(MANAGER::is_tcl_shell_process_running());
    STARTUP_ENUMERATION e;
    e.call_tcl_with_keys();
    EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
    EXPECT_EQ(bwizc_pending_reply_count(), 0);
    pump_for(150);
    EXPECT_TRUE(e.page.deliveries.empty());
    MANAGER::shut_down_tcl_shell_process();

    ::unsetenv("KV2GXB_TCLSH");
    MANAGER::set_server_script_path("/nonexistent/devicedb_server.tcl");
    EXPECT_FALSE(MANAGER::start_tcl_shell_process());
    e.page.ask({"get_config_keys"});
    pump_for(100);
    EXPECT_TRUE(e.page.deliveries.empty());
}

TEST_F(TclShellManager, InterpreterKilledMidEnumerationStopsAnswersWithoutHanging)
{
    // Writing to the dead child must not raise SIGPIPE in the wizard.
    auto old_handler = std::signal(SIGPIPE, SIG_DFL);
    STARTUP_ENUMERATION e;
    pid_t pid = -1;
    e.after_answer = [&](int count) {
        if (count == 60) {
            pid = MANAGER::get_tcl_shell_process_id();
            ::kill(pid, SIGKILL);
        }
    };
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    e.call_tcl_with_keys();
    ASSERT_TRUE(pump_until([&] { return !MANAGER::is_tcl_shell_process_running(); }, 5000));
    size_t delivered = e.page.deliveries.size();
    EXPECT_EQ(delivered, 60u);
    // Commands keep coming from the page; none is answered.
    e.call_tcl_with_keys();
    pump_for(200);
    EXPECT_EQ(e.page.deliveries.size(), delivered);
    EXPECT_FALSE(e.finished);
    EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
    MANAGER::shut_down_tcl_shell_process();
    EXPECT_TRUE(process_is_gone(pid));
    std::signal(SIGPIPE, old_handler);
}

TEST_F(TclShellManager, AnswersOutOfFrameGiveTheInterpreterUp)
{
    struct CASE {
        const char* name;
        const char* script;
    };
    // Answers "ok" to everything but get_config_keys, which gets an answer
    // that is not framed: no count line, a count whose elements never come,
    // or a count whose elements end with the process.
    const CASE cases[] = {
        {"unframed.tcl",
         "while {[gets stdin line] >= 0} {\n"
         "  if {$line eq \"get_config_keys\"} { puts \"KEY_A KEY_B\" } else { puts 1; puts ok }\n"
         "  flush stdout\n"
         "}\n"},
        {"stalling.tcl",
         "while {[gets stdin line] >= 0} {\n"
         "  if {$line eq \"get_config_keys\"} { puts 3; puts KEY_A; flush stdout; after 10000 }\n"
         "  puts 1; puts ok; flush stdout\n"
         "}\n"},
        {"dying.tcl",
         "while {[gets stdin line] >= 0} {\n"
         "  if {$line eq \"get_config_keys\"} { puts 2; puts KEY_A; flush stdout; exit 3 }\n"
         "  puts 1; puts ok; flush stdout\n"
         "}\n"},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.name);
        MANAGER::set_server_script_path(write_script(c.name, c.script));
        MANAGER::set_answer_timeout_ms(300);
        ASSERT_TRUE(MANAGER::start_tcl_shell_process());
        pid_t pid = MANAGER::get_tcl_shell_process_id();
        TEST_PAGE page;
        page.ask({"load_package device_features"});
        page.ask({"get_config_keys"});
        page.ask({"load_package device_features"});
        auto started = CLOCK::now();
        ASSERT_TRUE(pump_until([&] { return !MANAGER::is_tcl_shell_process_running(); }, 3000));
        EXPECT_LT(CLOCK::now() - started, std::chrono::seconds(2));
        pump_for(100);
        ASSERT_EQ(page.deliveries.size(), 1u);
        EXPECT_EQ(page.deliveries[0], DELIVERY{ANSWER(std::vector<std::string>{"ok"})});
        page.ask({"load_package device_features"});
        pump_for(50);
        EXPECT_EQ(page.deliveries.size(), 1u);
        EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
        MANAGER::shut_down_tcl_shell_process();
        EXPECT_TRUE(process_is_gone(pid));
    }
}

TEST_F(TclShellManager, InterpreterThatStopsReadingDoesNotRaiseSigpipe)
{
    auto old_handler = std::signal(SIGPIPE, SIG_DFL);
    // Answers one command, then stops reading but stays alive.
    MANAGER::set_server_script_path(write_script(
        "deaf.tcl", "gets stdin line\nputs 1\nputs ok\nflush stdout\nclose stdin\nafter 5000\n"));
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    pid_t pid = MANAGER::get_tcl_shell_process_id();
    TEST_PAGE page;
    page.ask({"first"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 1; }, 5000));
    ::usleep(100000);  // the child has closed its end by now
    // The next command meets the closed pipe on the asking thread; more text
    // than a pipe holds meets it on the I/O thread.
    page.ask({"second"});
    std::string big(4000, 'x');
    for (int i = 0; i < 20; ++i) {
        page.ask({CString(("list " + big).c_str())});
    }
    ASSERT_TRUE(pump_until([&] { return !MANAGER::is_tcl_shell_process_running(); }, 3000));
    pump_for(50);
    EXPECT_EQ(page.deliveries.size(), 1u);
    MANAGER::shut_down_tcl_shell_process();
    EXPECT_TRUE(process_is_gone(pid));
    std::signal(SIGPIPE, old_handler);
}

TEST_F(TclShellManager, ShutDownReapsTheChildAndDropsAnswersNotYetDelivered)
{
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    pid_t pid = MANAGER::get_tcl_shell_process_id();
    ASSERT_GT(pid, 0);
    TEST_PAGE page;
    page.ask({"load_package device_features"});
    // Wait until the completion is queued, without dispatching it.
    auto end = CLOCK::now() + std::chrono::seconds(5);
    while (bwizc_posted_message_count() == 0 && CLOCK::now() < end) {
        bwizc_wait_for_posted_message(5);
    }
    ASSERT_GT(bwizc_posted_message_count(), 0u);
    MANAGER::shut_down_tcl_shell_process();
    EXPECT_FALSE(MANAGER::is_tcl_shell_process_running());
    pump_for(50);
    EXPECT_TRUE(page.deliveries.empty());
    EXPECT_TRUE(process_is_gone(pid));

    // A new process answers again.
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    EXPECT_NE(MANAGER::get_tcl_shell_process_id(), pid);
    page.ask({"load_package device_features"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 1; }, 5000));
}
