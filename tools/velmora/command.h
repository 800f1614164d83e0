// One command of the velmora program, as a record: its own options, the files it writes, and its
// run. The program parses the command line into it and checks its outputs against its inputs
// before it runs; every command lists itself in one table (command_table.h).
#pragma once

#include <CLI/CLI.hpp>
#include <stdexcept>
#include <vector>

#include "tools/velmora/input_guard.h"
#include "tools/velmora/object_options.h"

// What the exit status tells a script.
constexpr int Succeeded = 0, WorkFailed = 1, UsageWrong = 2;

// A mistake in the command line, told apart from a failure of the work by its exit status.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Command {
  public:
    virtual ~Command() = default;
    // Adds the command's own options, which fill its members, to its parser.
    virtual void addOptions(CLI::App &app) = 0;
    // Throws UsageError for what the parser could not see wrong in the command's options.
    virtual void checkUsage() const {}
    // The files the command writes besides --save-settings, each to be refused when it is one
    // of the inputs.
    virtual std::vector<CommandFile> outputs() const { return {}; }
    // Whether writing over the object file is refused; apply edits an LWO2 object where it lies
    // and guards its object itself.
    virtual bool guardsObject() const { return true; }
    // Does the work; returns the exit status. Throws std::exception for work that failed.
    virtual int run(const ObjectOptions &object) = 0;
};
