// BWIZC_TCL_SHELL_MANAGER: the device database, reached through a tclsh child
// process that runs libraries/device/devicedb_server.tcl.
//
// The GUI thread submits commands in blocks (begin, run, end) and returns at
// once; an I/O thread writes the commands to the child, reads the answers and,
// when every command of a block is answered, has the GUI thread deliver the
// block: the registered message "WM_BWIZC_THREAD_MSG-{350E6C61-5796-48af-BCCD-
// 8EF438EC7559}" is sent to the window that asked (its page handler
// on_tcl_shell_thread_terminated calls the wizard's on_tcl_shell_command_done),
// or the windowless completion handler runs when the block was opened without
// a window or the window is gone by then. Inside that call
// get_tokenized_result_array() holds the block's answers.
//
// A command that fails gives no answer; a block without any answer is never
// delivered. When the interpreter cannot be started, dies, or answers out of
// frame, or an answer does not come within the answer timeout, the child is
// given up: nothing more is delivered and later blocks are dropped.
// All operations are static and called on the GUI thread.
#pragma once

#include <functional>
#include <sys/types.h>
#include <vector>

#include "platform/cstring.h"
#include "platform/win_defs.h"

// The answers of one delivered block: one entry per command in submission
// order; an entry is null for a command that failed, else its list elements.
class BWIZC_TCL_RESULT_ARRAY {
public:
    BWIZC_TCL_RESULT_ARRAY() = default;
    ~BWIZC_TCL_RESULT_ARRAY() { RemoveAll(); }
    BWIZC_TCL_RESULT_ARRAY(const BWIZC_TCL_RESULT_ARRAY&) = delete;
    BWIZC_TCL_RESULT_ARRAY& operator=(const BWIZC_TCL_RESULT_ARRAY&) = delete;

    int GetSize() const { return static_cast<int>(m_entries.size()); }
    int GetCount() const { return GetSize(); }
    // Null outside 0 .. GetSize() - 1.
    CStringArray* GetAt(int i) const;
    CStringArray* operator[](int i) const { return GetAt(i); }

    // Takes ownership of entry (null allowed).
    void Add(CStringArray* entry) { m_entries.push_back(entry); }
    void RemoveAll();
    void swap(BWIZC_TCL_RESULT_ARRAY& other) { m_entries.swap(other.m_entries); }

private:
    std::vector<CStringArray*> m_entries;
};

class BWIZC_TCL_SHELL_MANAGER {
public:
    // The registered message name of a finished block.
    static const char* const COMPLETION_MESSAGE_NAME;

    // Starts the interpreter with the server script. True when the process is
    // running (also when it already was); false when it cannot be started, in
    // which case every block is dropped.
    static bool start_tcl_shell_process();
    // Opens a block whose completion goes to hwnd (null: the windowless
    // completion handler). An open block is submitted first.
    static void begin_command_block(HWND hwnd);
    // Adds one command (one line; line breaks become blanks) to the open block.
    static void run_tcl_shell_command(const char* command);
    // Submits the open block. Never blocks on the child.
    static void end_command_block();
    // The answers of the block being delivered; empty outside a delivery.
    static BWIZC_TCL_RESULT_ARRAY* get_tokenized_result_array();
    // Ends the child and reaps it; queued and pending blocks are dropped and
    // nothing is delivered afterwards.
    static void shut_down_tcl_shell_process();

    // Configuration, before start_tcl_shell_process. The server script
    // defaults to <executable dir>/../libraries/device/devicedb_server.tcl; an
    // empty path restores the default. The interpreter is $KV2GXB_TCLSH when
    // set and not empty, else "tclsh" from PATH.
    static void set_server_script_path(const CString& path);
    static CString get_server_script_path();
    static CString get_interpreter();
    // How long an answer may take before the child is given up (default 10 s).
    static void set_answer_timeout_ms(int ms);

    // Runs on the GUI thread for a block without a window (or whose window is
    // gone); the application routes it to the wizard's on_tcl_shell_command_done.
    static void set_windowless_completion_handler(std::function<void()> handler);

    // State, for the application's diagnostics and the tests.
    static bool is_tcl_shell_process_running();
    static pid_t get_tcl_shell_process_id();
    // Blocks submitted and not yet answered or given up.
    static int get_pending_block_count();
};
