#include "tools/velmora/input_guard.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "host/formats/file_bytes.h"

namespace {

// Where an output will land, for outputs that do not exist yet: two such paths land on one file
// when they resolve to one place.
std::filesystem::path Destination(const std::string &path) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(LinkTarget(path), error);
    return error ? std::filesystem::path(path) : resolved;
}

[[noreturn]] void Refuse(const CommandFile &output, const std::string &what,
                         const CommandFile &other) {
    throw OutputRefused("cannot write " + output.path + " (" + output.role + "): it is " + what +
                        " " + other.path + " (" + other.role + ")");
}

}  // namespace

bool SameFile(const std::string &a, const std::string &b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

void RefuseOutputsOverInputs(const std::vector<CommandFile> &outputs,
                             const std::vector<CommandFile> &inputs) {
    for (std::size_t o = 0; o < outputs.size(); ++o) {
        const CommandFile &output = outputs[o];
        for (const CommandFile &input : inputs)
            if (SameFile(output.path, input.path)) Refuse(output, "the input", input);
        for (std::size_t earlier = 0; earlier < o; ++earlier)
            if (SameFile(output.path, outputs[earlier].path) ||
                Destination(output.path) == Destination(outputs[earlier].path))
                Refuse(output, "also the output", outputs[earlier]);
    }
}
