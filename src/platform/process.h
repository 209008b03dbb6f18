// Child processes with pipes, the executable's own path.
#pragma once

#include <sys/types.h>

#include "platform/cstring.h"

class BWIZC_CHILD_PROCESS {
public:
    enum PIPES : unsigned {
        PIPE_NONE = 0,
        PIPE_STDIN = 1,
        PIPE_STDOUT = 2,
        PIPE_STDERR = 4,  // a pipe of its own
        STDERR_TO_STDOUT = 8,  // stderr joins the stdout pipe
    };

    BWIZC_CHILD_PROCESS() = default;
    ~BWIZC_CHILD_PROCESS();  // closes the pipes, ends the child's group and reaps the child
    BWIZC_CHILD_PROCESS(const BWIZC_CHILD_PROCESS&) = delete;
    BWIZC_CHILD_PROCESS& operator=(const BWIZC_CHILD_PROCESS&) = delete;

    // argv[0] is looked up in PATH when it has no "/". Streams that are not
    // piped are inherited. The child leads a process group of its own. False
    // when the program cannot be started.
    bool start(const CStringArray& argv, unsigned pipes, const CString& working_dir = CString());
    bool is_started() const { return m_pid > 0; }
    pid_t get_pid() const { return m_pid; }

    // Writes all of text to the child's stdin (false on a closed pipe).
    bool write(const CString& text);
    void close_stdin();
    // Reads one line from stdout (without the newline); false at end of file.
    // Blocks.
    bool read_line(CString& line);
    // Reads what is there from stdout, up to end of file.
    CString read_all();
    // Same for the separate stderr pipe.
    CString read_all_stderr();
    int get_stdout_fd() const { return m_out; }
    int get_stdin_fd() const { return m_in; }

    // Waits for the child; its exit status, 128 + signal, or -1.
    int wait();
    // True (and *status) when the child has ended, without blocking.
    bool try_wait(int* status);
    // SIGTERM to the child's process group, then SIGKILL when the child or
    // any process of its group still runs after grace_ms; reaps the child.
    void terminate(int grace_ms = 500);

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    int m_err = -1;
    int m_status = -1;
    bool m_reaped = false;
    std::string m_buffer;
};

// Starts a program without waiting for it or keeping pipes (a browser).
bool bwizc_spawn_detached(const CStringArray& argv);
// The full path of a program found in PATH, or "".
CString bwizc_find_program(const CString& name);
// The path of the running executable.
CString bwizc_get_module_file_name();
