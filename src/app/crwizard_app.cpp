#include "app/crwizard_app.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "output/crsimlib_page.h"
#include "platform/input_driver.h"
#include "output/crsummary_page.h"
#include "wizard/bwizc_resource_info.h"

namespace {

CRWIZARD_APP*& registered_app() {
    static CRWIZARD_APP* app = nullptr;
    return app;
}

}  // namespace

CRWIZARD_APP* bwizc_get_app() { return registered_app(); }

CRWIZARD_APP::CRWIZARD_APP() {
    if (!registered_app()) registered_app() = this;
}

CRWIZARD_APP::~CRWIZARD_APP() {
    if (registered_app() == this) registered_app() = nullptr;
}

BOOL CRWIZARD_APP::InitInstance() {
    ParseCommandLine(*get_cmdline_manager());
    return start_wizard() ? TRUE : FALSE;
}

int CRWIZARD_APP::ExitInstance() {
    bwizc_stop_resource_info_worker();
    return CWinApp::ExitInstance();
}

CRWIZARD_PAGE* CRWIZARD_APP::create_simlib_page() { return new CRSIMLIB_PAGE(); }

CRWIZARD_PAGE* CRWIZARD_APP::create_summary_page() { return new CRSUMMARY_PAGE(); }

void CRWIZARD_APP::set_arguments(int argc, const char* const* argv) {
    m_arguments.clear();
    for (int i = 0; i < argc; ++i) m_arguments.emplace_back(argv[i] ? argv[i] : "");
}

void CRWIZARD_APP::ParseCommandLine(CRWIZARD_COMMAND_LINE_INFO& info) {
    std::vector<const char*> argv;
    for (const CString& argument : m_arguments) argv.push_back(argument.c_str());
    bwizc_parse_command_line(info, static_cast<int>(argv.size()), argv.data());
}

void bwizc_parse_command_line(CRWIZARD_COMMAND_LINE_INFO& info, int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const char* token = argv[i] ? argv[i] : "";
        const bool flag = token[0] == '-' || token[0] == '/';
        info.ParseParam(flag ? token + 1 : token, flag ? 1 : 0, 0);
    }
}

void bwizc_end_when_a_page_shows_without_display() {
    bwizc_set_deadlock_handler([](CDialog*, const CString&) {
        // The first page already asked for an estimate.
        bwizc_stop_resource_info_worker();
        std::fprintf(stderr, "kv2gxb: no display to show the wizard on; set DISPLAY, or run with -silent\n");
        std::fflush(stderr);
        std::exit(1);
    });
}

int bwizc_app_main(int argc, const char* const* argv, CRWIZARD_APP* app) {
    if (!app) app = bwizc_get_app();
    // A process without a concrete wizard still runs the framework: it ends
    // with "Error: Wizard has no valid pages" for a valid design file.
    std::optional<CRWIZARD_APP> pageless_wizard;
    if (!app) app = &pageless_wizard.emplace();
    app->set_arguments(argc, argv);
    app->InitInstance();
    return app->ExitInstance();
}
