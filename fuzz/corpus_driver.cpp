// Runs a fuzz target's entry point over files, as libFuzzer would replay them: each argument is a
// file or a folder of files. A finding shows as a crash or a sanitizer report.
//
// With `--mutants N`, each input is also run as N variants of itself, made by a fixed sequence of
// small edits (bit flips, special bytes, cut, repeated or spliced ranges, words of the `--dict`
// file): a bounded exploration that runs the same inputs for the same tree every time, so that a
// test run passes or fails on the code, never on luck. libFuzzer's open-ended search, whose
// choices depend on timing and addresses, is scripts/fuzz.sh.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

// SplitMix64: a seeded sequence of numbers, the same on every platform and standard library.
class Sequence {
  public:
    explicit Sequence(std::uint64_t seed) : state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return bound == 0 ? 0 : next() % bound; }

  private:
    std::uint64_t state;
};

// The seed of an input's variants comes from its bytes, so that adding a kept input changes no
// other input's variants.
std::uint64_t SeedOf(const Bytes &bytes) {
    std::uint64_t hash = 0xCBF29CE484222325ull;  // FNV-1a
    for (std::uint8_t byte : bytes) hash = (hash ^ byte) * 0x100000001B3ull;
    return hash;
}

// A libFuzzer dictionary: one quoted word per line, with \\, \" and \xHH escapes.
std::vector<Bytes> ReadDictionary(const std::filesystem::path &path) {
    std::ifstream file(path);
    std::vector<Bytes> words;
    for (std::string line; std::getline(file, line);) {
        std::size_t open = line.find('"'), close = line.rfind('"');
        if (line.empty() || line[0] == '#' || open == std::string::npos || close <= open) continue;
        Bytes word;
        for (std::size_t i = open + 1; i < close; ++i) {
            if (line[i] == '\\' && i + 3 < close && line[i + 1] == 'x') {
                word.push_back(
                    std::uint8_t(std::strtoul(line.substr(i + 2, 2).c_str(), nullptr, 16)));
                i += 3;
            } else {
                if (line[i] == '\\' && i + 1 < close) ++i;
                word.push_back(std::uint8_t(line[i]));
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

struct Mutator {
    Sequence &random;
    const std::vector<Bytes> &dictionary;
    const std::vector<Bytes> &inputs;

    // One edit. Ranges are bounded so that a variant stays near its input's size.
    void edit(Bytes &bytes) {
        constexpr std::uint8_t kSpecial[] = {0x00, 0x01, 0x7F, 0x80, 0xFF,
                                             '0',  '-',  '.',  ' ',  '\n'};
        std::size_t at = random.below(bytes.size() + 1);
        std::size_t length = 1 + random.below(std::min<std::size_t>(bytes.size() - at, 16) + 1);
        switch (random.below(bytes.empty() ? 2 : 7)) {
            case 0:  // insert a dictionary word, or a special byte when there are none
                if (!dictionary.empty()) {
                    const Bytes &word = dictionary[random.below(dictionary.size())];
                    bytes.insert(bytes.begin() + std::ptrdiff_t(at), word.begin(), word.end());
                    break;
                }
                [[fallthrough]];
            case 1:
                bytes.insert(bytes.begin() + std::ptrdiff_t(at), kSpecial[random.below(10)]);
                break;
            case 2:
                bytes[std::min(at, bytes.size() - 1)] ^= std::uint8_t(1u << random.below(8));
                break;
            case 3:
                bytes[std::min(at, bytes.size() - 1)] = kSpecial[random.below(10)];
                break;
            case 4:
                bytes.erase(bytes.begin() + std::ptrdiff_t(std::min(at, bytes.size() - 1)),
                            bytes.begin() + std::ptrdiff_t(std::min(at + length, bytes.size())));
                break;
            case 5: {  // repeat a range of the input in another place
                std::size_t from = random.below(bytes.size());
                Bytes range(bytes.begin() + std::ptrdiff_t(from),
                            bytes.begin() + std::ptrdiff_t(std::min(from + length, bytes.size())));
                bytes.insert(bytes.begin() + std::ptrdiff_t(at), range.begin(), range.end());
                break;
            }
            default: {  // splice in a range of another kept input
                const Bytes &other = inputs[random.below(inputs.size())];
                if (other.empty()) break;
                std::size_t from = random.below(other.size());
                std::size_t count = std::min(other.size() - from, 1 + random.below(64));
                bytes.insert(bytes.begin() + std::ptrdiff_t(at),
                             other.begin() + std::ptrdiff_t(from),
                             other.begin() + std::ptrdiff_t(from + count));
            }
        }
    }
};

void Run(const Bytes &input) {
    // A copy of exactly the input's size, so that the sanitizers see any read past its end.
    Bytes copy(input);
    LLVMFuzzerTestOneInput(copy.data(), copy.size());
}

Bytes ReadFile(const std::filesystem::path &path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
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
    std::size_t mutants = 0;
    std::vector<Bytes> dictionary, inputs;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--mutants" && i + 1 < argc) {
            mutants = std::stoul(argv[++i]);
        } else if (argument == "--dict" && i + 1 < argc) {
            dictionary = ReadDictionary(argv[++i]);
        } else {
            for (const auto &path : Inputs(argument)) inputs.push_back(ReadFile(path));
        }
    }
    for (const Bytes &input : inputs) Run(input);
    for (const Bytes &input : inputs) {
        Sequence random(SeedOf(input));
        Mutator mutator{random, dictionary, inputs};
        for (std::size_t m = 0; m < mutants; ++m) {
            Bytes variant = input;
            for (std::size_t edits = 1 + random.below(4); edits > 0; --edits) mutator.edit(variant);
            Run(variant);
        }
    }
    std::printf("%zu inputs run, each with %zu variants\n", inputs.size(), mutants);
    return inputs.empty() ? 1 : 0;
}
