// CRWIZARD_APP: the application object. Exactly one exists per process:
// the concrete wizard derives from it and defines its one instance as a
// global named gxb_wizard in its library (the executable's link pulls that
// object in by name). Constructing it makes it the process's application
// object; without one, the executable runs a wizard without pages.
#pragma once

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

    // Splits the whole command line (program name first) into arguments and
    // hands every argument after the program name to the record.
    virtual void ParseCommandLine(CRWIZARD_COMMAND_LINE_INFO& info);
    // Takes the next argument off the front of *rest: a text in double
    // quotes is one argument without its quotes, otherwise arguments end at
    // blanks and tabs.
    virtual CString get_next_token(CString* rest);

    // The framework's last pages: the simulation-library and summary pages.
    CRWIZARD_PAGE* create_simlib_page() override;
    CRWIZARD_PAGE* create_summary_page() override;

    // The process command line as one text, program name included.
    void set_command_line(const CString& command_line) { m_command_line = command_line; }
    const CString& get_command_line() const { return m_command_line; }

private:
    CString m_command_line;
};

// The process's application object: the CRWIZARD_APP constructed first and
// not yet destroyed, or null.
CRWIZARD_APP* bwizc_get_app();

// One command-line text from argv, the way the calling program passes it: an
// argument that contains a blank or a tab is written in double quotes.
CString bwizc_make_command_line(int argc, const char* const* argv);

// The process entry's work: parses argv, runs InitInstance on app (the
// registered application object when null) and ExitInstance, and returns
// the exit status. Without any application object, a wizard without pages
// runs.
int bwizc_app_main(int argc, const char* const* argv, CRWIZARD_APP* app = nullptr);
