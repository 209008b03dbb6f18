// Runs the built kv2gxb as a child process and collects what it did.
#pragma once

#include <string>
#include <vector>

#include "test_scratch.h"

struct KV2GXB_RUN {
    int exit_status = -1;  // -1 when the process did not exit normally
    std::string out;
    std::string err;
    // Exited, and both output pipes reached their end, within the deadline
    // (a process left behind holding a pipe open keeps this false).
    bool ended = false;
};

// Runs kv2gxb with the given arguments in directory cwd (the current one when
// empty), standard input closed, with the extra environment entries
// ("NAME=value"). Past deadline_ms the run is killed.
KV2GXB_RUN run_kv2gxb(const std::vector<std::string>& args, const std::string& cwd = std::string(),
                      const std::vector<std::string>& env_extra = {}, int deadline_ms = 20000);
// The same for any program: argv[0] is its path.
KV2GXB_RUN run_program(const std::vector<std::string>& argv, const std::string& cwd = std::string(),
                       const std::vector<std::string>& env_extra = {}, int deadline_ms = 20000);

// True while the process exists and is not a zombie.
bool process_runs(int pid);

// A silent run on dir/gxb_top.v regenerates `written`, byte for byte.
void expect_silent_regeneration_is_identical(const SCRATCH_DIR& dir, const std::string& written);
// Compares `text` with the golden file, or rewrites the golden file when
// KV2GXB_UPDATE_GOLDEN=1 (review the diff before committing it).
void expect_golden(const std::string& name, const std::string& text);
