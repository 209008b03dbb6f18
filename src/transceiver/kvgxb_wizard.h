// KVGXB_WIZARD: the application object of kv2gxb. It is at once the
// framework's application and wizard (CRWIZARD_APP) and the transceiver model
// (KVGXB_WIZARD_MODEL); the process has exactly one, the global gxb_wizard.
//
// Besides the framework hooks it runs the device queries: the start-up
// enumeration that fills the preset table (load the package and the part,
// fetch the configuration keys, then 22 preset queries per key, one command
// per block, the next one sent when the previous answer has been filed) and
// the data-rate and input-clock list queries of the general page. Answers
// reach on_tcl_shell_command_done on the GUI thread: through the asking
// page's window, or through the windowless completion handler, which is
// installed for interactive runs only, so a silent run never acts on an
// answer of the device database.
#pragma once

#include "app/crwizard_app.h"
#include <vector>

#include "platform/win_defs.h"
#include "transceiver/kvgxb.h"

class KVGXB_WIZARD;

// The page that asks the device database (the general page): the window its
// command blocks are opened for, and the refreshes the answers call for.
// Client and wizard forget each other whichever goes first: at process exit
// the global wizard goes before the pages it owns.
class KVGXB_DEVICE_QUERY_CLIENT {
public:
    virtual ~KVGXB_DEVICE_QUERY_CLIENT();
    // Null while the page has no window; its answers then go to the
    // windowless completion handler.
    virtual HWND get_device_query_window() = 0;
    // The last configuration key is done: the protocol, subprotocol,
    // operation-mode, channel-count and width lists, the inputs and the
    // feasibility lines are refilled from the model.
    virtual void on_device_enumeration_done() {}
    // A data-rate or input-clock list has arrived: the second input's list
    // is refilled.
    virtual void on_device_value_list_arrived() {}

private:
    friend class KVGXB_WIZARD;
    KVGXB_WIZARD* m_query_wizard = nullptr;
};

// The wizard's manual, relative to the executable's folder.
inline constexpr const char* KVGXB_MANUAL_PATH = "../libraries/doc/kv2gxb_wizard.html";

class KVGXB_WIZARD : public CRWIZARD_APP, public KVGXB_WIZARD_MODEL {
public:
    // The part whose transceiver data is consulted, and the package that
    // knows how to read it.
    static const char* const DEVICE_PACKAGE;       // "device_features"
    static const char* const DEVICE_PART;          // "KV2VGX130KF1508C3"
    // Preset queries containing this text name an atom parameter.
    static const char* const ATOM_PARAM_QUERY_TAG;  // "VELARISIIGX_ATOM_PARAM"

    KVGXB_WIZARD();
    ~KVGXB_WIZARD() override;

    // ---- framework hooks
    // Names the wizard, registers its ports, builds the page set, binds the
    // model to the wizard's CNX manager, runs the first update cycle, starts
    // the device database and (interactive runs) its start-up enumeration.
    bool on_init_wizard() override;
    // The default symbol with the summary of the configuration under it.
    void generate_symbol(bool rebuild_port_usage) override;
    // The wizard's own Documentation menu items: its manual and its About box.
    void on_wizard_help() override;

    // ---- the page set (the page library defines these)
    // The fixed pages in their order, each under the parameter-settings group.
    void create_pages();
    // The port order of the symbol: inputs left, outputs right.
    void register_port_order();
    // Replaces the protocol pages of the previous protocol by those of the
    // current one (none for a non-Basic protocol with forced defaults).
    void switch_protocol_page() override;
    // Puts the current protocol's pages in place, whatever pages are shown
    // (after a read-back).
    void place_protocol_pages();
    // Every page that has its window shows the model again.
    void refresh_all_pages() override;
    // Template ids of the protocol pages of `protocol`, in page order.
    static std::vector<UINT> get_protocol_page_templates(const CString& protocol);
    // The framework's Finish, then the device database is shut down.
    void on_end_wizard() override;
    void on_cancel_wizard() override;
    // Files the answers of one delivered command block (see kvgxb_tcl.cpp).
    void on_tcl_shell_command_done() override;
    // One override for both bases: the framework asks for the wizard's
    // records on Finish, the model before every match against the presets.
    void wizard_var_to_param() override;
    // Ends the device database whichever way the run ended.
    int ExitInstance() override;

    // ---- device queries (one command per block, opened for the client's window)
    // "get_config_keys".
    void call_tcl_key_list();
    // The next step of the start-up enumeration for the keys of `keys`
    // (normally key_array_list); after the last key, the client's full
    // refresh and the input-clock list query for the current data rate.
    void call_tcl_with_keys(CStringArray* keys);
    // Input-clock list for the data rate entered, under the current key.
    void call_tcl_get_inclk_freq();
    // Data-rate list for the input clock entered, under the current key.
    void call_tcl_get_data_rate();
    // Runs the enumeration's first step once per process; later calls do
    // nothing. True when this call started it.
    bool start_device_enumeration();

    // Routes windowless completions to on_tcl_shell_command_done (interactive
    // runs), or stops doing so.
    void install_device_query_handler();
    void remove_device_query_handler();
    bool is_device_query_handler_installed() const;

    void set_device_query_client(KVGXB_DEVICE_QUERY_CLIENT* client);
    KVGXB_DEVICE_QUERY_CLIENT* get_device_query_client() const { return m_query_client; }

    // Progress of the device queries; they live as long as the application.
    int setup_int = 0;            // enumeration step: 0, 1, 2 the set-up commands, 3 the preset queries
    int blah_int = 0;             // answers received so far
    bool last_one = false;        // the last key's queries have been sent
    bool enumeration_started = false;
    bool enumeration_done = false;

private:
    // Sends one command in a block of its own.
    void run_device_query(const CString& command);
    HWND device_query_window() const;

    // Inserts the protocol pages of the current protocol before `position`.
    void insert_protocol_pages(int position);

    KVGXB_DEVICE_QUERY_CLIENT* m_query_client = nullptr;
    // The fixed pages exist: protocol pages may be placed among them.
    bool m_page_set_ready = false;
};

// The application object.
extern KVGXB_WIZARD gxb_wizard;
