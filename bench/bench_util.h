// Small timing helpers shared by the benchmark program.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

struct BENCH_RESULT {
    const char* name;
    double median_ms;
    double best_ms;
    double budget_ms;
    int runs;
};

// Runs `body` `runs` times after one warm-up run and returns its timings.
inline BENCH_RESULT bench_measure(const char* name, double budget_ms, int runs, const std::function<void()>& body) {
    body();
    std::vector<double> ms;
    ms.reserve(static_cast<size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        body();
        auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return {name, ms[ms.size() / 2], ms.front(), budget_ms, runs};
}

inline void bench_print(const BENCH_RESULT& r) {
    std::printf("%-34s median %8.3f ms  best %8.3f ms  budget %6.1f ms  (%d runs)  %s\n", r.name, r.median_ms,
                r.best_ms, r.budget_ms, r.runs, r.median_ms <= r.budget_ms ? "ok" : "OVER BUDGET");
}
