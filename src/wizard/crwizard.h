// CRWIZARD: the wizard framework object. It owns the pages (through the page
// manager) and the CNX manager, runs the launch sequence and the page loop,
// and turns Finish and Cancel into the CNX file or its removal.
#pragma once

#include "wizard/crpage_manager.h"
#include "wizard/crwizard_base.h"

class CRWIZARD : public CRWIZARD_BASE {
public:
    CRWIZARD();
    ~CRWIZARD() override;

    // ---- the launch sequence
    // Start-up to closing: false when there was nothing to run.
    virtual bool start_wizard();
    // Design-file checks, page set-up, CNX read, map-file mode. False when no
    // page loop must follow.
    virtual bool initialize_wizard();
    // The command-line flow: true when it recorded an error. Nothing happens
    // unless the "cmd" option was given.
    virtual bool run_cmd_line_flow() { return false; }

    // ---- hooks of a concrete wizard
    // Creates and adds the pages; false stops the run.
    virtual bool on_init_wizard() { return true; }
    virtual void on_wizard_initialized() {}

    // ---- pages
    CRPAGE_MANAGER& get_page_manager() { return m_page_manager; }
    virtual int get_page_count() { return m_page_manager.get_count(); }
    virtual int get_cur_page_index() { return m_page_manager.get_cur_page_index(); }
    int get_cur_page_positional_order() override;

protected:
    CRPAGE_MANAGER m_page_manager;
    bool m_has_read_cnx_file = false;
};
