// CRWIZARD_APP: the application object. Exactly one exists per process:
// the concrete wizard derives from it and defines its one instance as a
// global named gxb_wizard in its library, which the process entry hands to
// bwizc_app_main. Constructing it makes it the process's application object;
// without one, bwizc_app_main runs a wizard without pages.
#pragma once

#include <utility>
#include <vector>

#include "platform/app.h"
#include "wizard/crwizard.h"

class CRWIZARD_APP : public CWinApp, public CRWIZARD {
public:
    CRWIZARD_APP();
    ~CRWIZARD_APP() override;

    // Parses the command line into the wizard's record and runs the wizard.
    // True when a run happened; false when there was nothing to run.
    BOOL InitInstance() override;
    // Stops the resource-estimate worker when it still runs; the result is
    // the process exit status.
    int ExitInstance() override;

    // Hands every argument after the program name to the record
    // (bwizc_parse_command_line).
    virtual void ParseCommandLine(CRWIZARD_COMMAND_LINE_INFO& info);

    // The framework's last pages: the simulation-library and summary pages.
    CRWIZARD_PAGE* create_simlib_page() override;
    CRWIZARD_PAGE* create_summary_page() override;

    // The process arguments as the calling program passed them, program
    // name first.
    void set_arguments(std::vector<CString> arguments) { m_arguments = std::move(arguments); }
    void set_arguments(int argc, const char* const* argv);
    const std::vector<CString>& get_arguments() const { return m_arguments; }

private:
    std::vector<CString> m_arguments;
};

// The process's application object: the CRWIZARD_APP constructed first and
// not yet destroyed, or null.
CRWIZARD_APP* bwizc_get_app();

// Hands each argument after argv[0] to info.ParseParam as one token: a
// leading "-" or "/" makes it a flag (that character removed). The calling
// program passes argv already split, so arguments are never re-joined and
// split again: blanks and quotes inside an argument stay part of it.
void bwizc_parse_command_line(CRWIZARD_COMMAND_LINE_INFO& info, int argc, const char* const* argv);

// An interactive run without a display stays headless until a page is to be
// shown: start-up errors still reach standard error, but nobody can answer a
// page, so the first page ends the process with status 1 and one line saying so.
void bwizc_end_when_a_page_shows_without_display();

// The process entry's work: parses argv, runs InitInstance on app (the
// registered application object when null) and ExitInstance, and returns
// the exit status. Without any application object, a wizard without pages
// runs.
int bwizc_app_main(int argc, const char* const* argv, CRWIZARD_APP* app = nullptr);
