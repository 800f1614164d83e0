// Outputs never harm inputs: a command refuses to write over a file it reads, whatever name the
// file goes by (a link, a relative path, another hard link).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A write refused because of where it would land, not because writing failed: the one who asked
// can mend it by naming another file.
struct OutputRefused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file a command reads or writes, and what it is to the command ("the object file", "-o").
struct CommandFile {
    std::string role;
    std::string path;
};

// Throws OutputRefused naming both when an output is the same file as an input, or as
// another output. An output that does not exist yet is no input.
void RefuseOutputsOverInputs(const std::vector<CommandFile> &outputs,
                             const std::vector<CommandFile> &inputs);

// Whether two paths name one existing file (same device and file number).
bool SameFile(const std::string &a, const std::string &b);
