#include "app/crwizard_app.h"

#include <cstring>
#include <optional>

#include "output/crsimlib_page.h"
#include "output/crsummary_page.h"
#include "wizard/bwizc_resource_info.h"

namespace {

CRWIZARD_APP*& registered_app() {
    static CRWIZARD_APP* app = nullptr;
    return app;
}

bool is_one_of(char ch, const char* set) { return ch != '\0' && std::strchr(set, ch) != nullptr; }

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

CString CRWIZARD_APP::get_next_token(CString* rest) {
    const CString& text = *rest;
    const char* delimiters = text.GetAt(0) == '"' ? "\"" : " \t";
    const int length = text.GetLength();
    int i = 0;
    while (i < length && is_one_of(text.GetAt(i), delimiters)) ++i;
    const int start = i;
    while (i < length && !is_one_of(text.GetAt(i), delimiters)) ++i;
    CString token = text.Mid(start, i - start);
    while (i < length && is_one_of(text.GetAt(i), delimiters)) ++i;
    *rest = text.Mid(i);
    return token;
}

void CRWIZARD_APP::ParseCommandLine(CRWIZARD_COMMAND_LINE_INFO& info) {
    CString rest = m_command_line;
    bool is_program_name = true;
    while (!rest.IsEmpty()) {
        const CString token = get_next_token(&rest);
        if (is_program_name) {
            is_program_name = false;
            continue;
        }
        const char first = token.GetAt(0);
        if (first == '-' || first == '/') {
            info.ParseParam(token.Mid(1), 1, 0);
        } else {
            info.ParseParam(token, 0, 0);
        }
    }
}

CString bwizc_make_command_line(int argc, const char* const* argv) {
    CString line;
    for (int i = 0; i < argc; ++i) {
        const CString arg(argv[i]);
        if (arg.IsEmpty()) continue;
        if (!line.IsEmpty()) line += ' ';
        if (arg.FindOneOf(" \t") >= 0) {
            line += '"';
            line += arg;
            line += '"';
        } else {
            line += arg;
        }
    }
    return line;
}

int bwizc_app_main(int argc, const char* const* argv, CRWIZARD_APP* app) {
    if (!app) app = bwizc_get_app();
    // A process without a concrete wizard still runs the framework: it ends
    // with "Error: Wizard has no valid pages" for a valid design file.
    std::optional<CRWIZARD_APP> pageless_wizard;
    if (!app) app = &pageless_wizard.emplace();
    app->set_command_line(bwizc_make_command_line(argc, argv));
    app->InitInstance();
    return app->ExitInstance();
}
