// Runs a fuzz target's entry point over files, as libFuzzer would replay them: each argument is a
// file or a folder of files. A finding shows as a crash or a sanitizer report.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

void RunFile(const std::filesystem::path &path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    // A copy of exactly the input's size, so that the sanitizers see any read past its end.
    std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

std::vector<std::filesystem::path> Inputs(const std::filesystem::path &argument) {
    if (!std::filesystem::is_directory(argument)) return {argument};
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(argument))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int main(int argc, char **argv) {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto &path : Inputs(argv[i])) {
            RunFile(path);
            ++count;
        }
    }
    std::printf("%zu inputs run\n", count);
    return count == 0 ? 1 : 0;
}
