// The command line as the velmora program reads it: the options before the command, the
// command's own parser over the rest, and what the help shows.
#pragma once

#include <CLI/CLI.hpp>
#include <cstddef>
#include <string>
#include <variant>
#include <vector>

#include "tools/velmora/command_table.h"

// The command line as given, the program's name left out.
using Arguments = std::vector<std::string>;

constexpr char ExitStatusText[] =
    "Exit status: 0 when the command did its work; 1 when the work failed (an input that cannot\n"
    "be read, an output that cannot be written, a module that does not load); 2 when the command\n"
    "line is wrong (an unknown command or option, a missing or malformed value).";

// The parser of one command, filling `object` and the command's own members.
std::unique_ptr<CLI::App> CommandParser(const CommandRecord &record, Command &command,
                                        ObjectOptions &object);

// The program's help: every command of the table, the leading options, the exit status.
std::string Overview();

// Throws UsageError naming `word` and the nearest command.
[[noreturn]] void UnknownCommand(const std::string &word);

// The options before the command. Returns the index of the command word, or the status to exit
// with once this answered by itself (--help, --version). Throws UsageError.
std::variant<std::size_t, int> ReadLeadingOptions(const Arguments &arguments,
                                                  ObjectOptions &object);

// The command's parser run over its part of the command line. CLI11's own errors pass through;
// an argument it left over throws UsageError.
void ParseCommand(CLI::App &app, const Arguments &arguments, std::size_t first);
