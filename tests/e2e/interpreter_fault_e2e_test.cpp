// The device-query interpreter misbehaving in every way we know of, as a table
// of fakes that record the processes they start. A silent run of the real
// kv2gxb never waits for the database: it ends as usual, leaves none of those
// processes behind and writes the variation whole, in its folder only. Then
// the query service in this process gives a broken answer up at once (not at
// the answer timeout) and delivers nothing.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "platform/messages.h"
#include "services/bwizc_tcl_shell_manager.h"

namespace {

using MANAGER = BWIZC_TCL_SHELL_MANAGER;

struct INTERPRETER_FAULT {
    const char* name;
    const char* script;  // /bin/sh commands; null: no such program
    bool gives_up;       // the query service drops the command before its timeout
};

const INTERPRETER_FAULT INTERPRETER_FAULTS[] = {
    {"missing", nullptr, true},
    {"exits at once", "exit 3", true},
    {"garbage", "printf 'garbage\\n'; exec cat >/dev/null", true},
    {"random bytes", "head -c 65536 /dev/urandom; exec cat >/dev/null", true},
    {"hangs", "sleep 300", false},
    {"ignores SIGTERM", "trap '' TERM; sleep 300", false},
    {"dies mid answer", "read -r line; printf '3\\nonly one\\n'; kill -KILL $$", true},
    {"closes stdout", "exec >&-; sleep 300", true},
    {"forks a child", "sleep 300 & echo $! >>\"$KV2GXB_FAULT_RECORD\"; exec cat >/dev/null", false},
    {"endless line", "exec tr -d '\\n' </dev/zero", true},
    {"huge count", "printf '999999\\n'; exec yes element", true},
    {"endless answer", "x=$(printf '%0200d' 0); printf '90000\\n'; exec yes \"$x\"", true},
};

std::vector<int> recorded_pids(const std::string& record) {
    std::vector<int> pids;
    std::istringstream in(read_file(record));
    for (int pid; in >> pid;) pids.push_back(pid);
    return pids;
}

}  // namespace

TEST(InterpreterFaultE2e, EveryFaultEndsCleanlyAndKeepsTheVariation) {
    const std::string server = std::string(KV2GXB_BUILD_DIR) + "/libraries/device/devicedb_server.tcl";
    const std::string old_cnx = "PRIVATE: WIZ_PROTOCOL STRING \"GIGE\"\n";
    int delivered = 0;
    MANAGER::set_windowless_completion_handler([&] { ++delivered; });
    for (const INTERPRETER_FAULT& row : INTERPRETER_FAULTS) {
        SCOPED_TRACE(row.name);
        SCRATCH_DIR root;
        const std::string design = root.file("design");
        const std::string fake_dir = root.file("fake");
        ASSERT_EQ(mkdir(design.c_str(), 0755), 0);
        ASSERT_EQ(mkdir(fake_dir.c_str(), 0755), 0);
        const std::string record = fake_dir + "/pids";
        std::string interpreter = fake_dir + "/missing-tclsh";
        if (row.script) {
            interpreter = fake_dir + "/tclsh";
            write_file(interpreter, std::string("#!/bin/sh\necho $$ >>\"$KV2GXB_FAULT_RECORD\"\n") + row.script + "\n");
            ASSERT_EQ(chmod(interpreter.c_str(), 0755), 0);
        }
        write_file(design + "/gxb_top.v", "module gxb_top; endmodule\n");
        write_file(design + "/gxb_top.cnx", old_cnx);
        const std::vector<std::string> env = {"KV2GXB_TCLSH=" + interpreter, "KV2GXB_FAULT_RECORD=" + record};

        const KV2GXB_RUN run = run_kv2gxb({"-silent", design + "/gxb_top.v"}, design, env, 10000);
        EXPECT_TRUE(run.ended) << run.err;
        EXPECT_EQ(run.exit_status, 0) << run.err;
        const std::string cnx = read_file(design + "/gxb_top.cnx");
        EXPECT_EQ(cnx.rfind("GENERATION: STANDARD\n", 0), 0u) << cnx;
        EXPECT_NE(cnx.find(old_cnx), std::string::npos) << "the caller's protocol is kept";
        EXPECT_NE(cnx.find("\nSYMBOL: "), std::string::npos) << "the file is whole";
        for (const std::string& name : folder_entries(design)) {
            EXPECT_EQ(name.find(".cnxtmp"), std::string::npos) << name;
        }
        EXPECT_EQ(folder_entries(root.path()), (std::vector<std::string>{"design", "fake"}));
        // (A silent run may end before the fake has started anything.)
        for (int pid : recorded_pids(record)) EXPECT_FALSE(process_runs(pid)) << "left behind: " << pid;

        // The same interpreter answering one query in this process.
        ::setenv("KV2GXB_TCLSH", interpreter.c_str(), 1);
        ::setenv("KV2GXB_FAULT_RECORD", (record + ".service").c_str(), 1);
        MANAGER::set_server_script_path(server.c_str());
        MANAGER::set_answer_timeout_ms(60000);
        delivered = 0;
        MANAGER::start_tcl_shell_process();
        MANAGER::begin_command_block(nullptr);
        MANAGER::run_tcl_shell_command("get_protocol_name_list");
        MANAGER::end_command_block();
        const std::string service_record = record + ".service";
        if (row.script) {
            EXPECT_TRUE(wait_for_file(service_record, 10000)) << "the fake never started";
        }
        const bool dropped = pump_until([] { return MANAGER::get_pending_block_count() == 0; }, row.gives_up ? 10000 : 300);
        EXPECT_EQ(dropped, row.gives_up);
        MANAGER::shut_down_tcl_shell_process();
        EXPECT_EQ(delivered, 0);
        for (int pid : recorded_pids(service_record)) EXPECT_FALSE(process_runs(pid)) << "left behind: " << pid;
    }
    ::unsetenv("KV2GXB_TCLSH");
    ::unsetenv("KV2GXB_FAULT_RECORD");
    MANAGER::set_windowless_completion_handler(nullptr);
    MANAGER::set_server_script_path(CString());
}
