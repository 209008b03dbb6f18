// Runs a fuzz target once on the empty input and once on every file named on
// the command line, or in a folder named there, as the fuzzer starts on its
// corpus: in a build without the fuzzer each corpus entry stays a regression
// test. A folder that does not exist is no corpus yet; a failing input aborts.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int run_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "input %s (%zu bytes)\n", path.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(""), 0);
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg = argv[i];
        if (!std::filesystem::exists(arg)) continue;
        if (!std::filesystem::is_directory(arg)) {
            inputs += run_file(arg);
            continue;
        }
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(arg)) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) inputs += run_file(file);
    }
    std::printf("the empty input and %d corpus entries replayed\n", inputs);
    return 0;
}
