// kv2gxb_bench: measures the operations that have a speed budget and prints
// each median against its budget. Exit status 1 when one is over budget.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_util.h"
#include "platform/cstring.h"

BENCH_RESULT bench_cnx_read_write(const CString& dir);
BENCH_RESULT bench_silent_run(const CString& dir, const CString& exe);
BENCH_RESULT bench_cmd_flow(const CString& dir, const CString& exe);
BENCH_RESULT bench_devicedb_enumeration(const CString& libraries_dir);
BENCH_RESULT bench_page_change(const CString& libraries_dir);
BENCH_RESULT bench_general_page_change(const CString& dir, const CString& libraries_dir);
std::vector<BENCH_RESULT> bench_channel_change_with_estimate(const CString& dir, const CString& libraries_dir);
BENCH_RESULT bench_first_page(const CString& dir, const CString& libraries_dir);
int bench_first_page_child(const char* design, const char* libraries_dir);

int main(int argc, char** argv) {
    // One interactive start of bench_first_page, in its own process.
    if (argc == 4 && std::string(argv[1]) == "--first-page") return bench_first_page_child(argv[2], argv[3]);
    if (argc > 1 && argv[1][0] != '/') {
        std::fprintf(stderr, "usage: kv2gxb_bench [ABSOLUTE PATH OF kv2gxb]\n");
        return 2;
    }
    char tmpl[] = "/tmp/kv2gxb-bench-XXXXXX";
    const char* dir = mkdtemp(tmpl);
    if (!dir) {
        std::perror("kv2gxb_bench: mkdtemp");
        return 2;
    }
    const CString exe = argc > 1 ? CString(argv[1]) : CString();
    std::vector<BENCH_RESULT> results;
    results.push_back(bench_cnx_read_write(dir));
    if (!exe.IsEmpty()) {
        // The executable sits in <build>/bin beside <build>/libraries.
        const CString libraries = exe.Left(exe.ReverseFind('/')) + "/../libraries";
        results.push_back(bench_silent_run(dir, exe));
        results.push_back(bench_cmd_flow(dir, exe));
        results.push_back(bench_devicedb_enumeration(libraries));
        results.push_back(bench_page_change(libraries));
        results.push_back(bench_general_page_change(dir, libraries));
        for (const BENCH_RESULT& r : bench_channel_change_with_estimate(dir, libraries)) results.push_back(r);
        results.push_back(bench_first_page(dir, libraries));
    }
    bool ok = true;
    for (const auto& r : results) {
        bench_print(r);
        ok = ok && r.median_ms <= r.budget_ms;
    }
    std::string rm = std::string("rm -rf ") + dir;
    if (std::system(rm.c_str()) != 0) std::fprintf(stderr, "kv2gxb_bench: could not remove %s\n", dir);
    return ok ? 0 : 1;
}
