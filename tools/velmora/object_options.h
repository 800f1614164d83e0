// The options every command takes: the object, the module, and the settings asked for, in the
// order they apply (stored settings, --settings, each --set), with --save-settings after them.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/session/opened_object.h"
#include "sets/proposed_sets.h"
#include "tools/velmora/input_guard.h"

struct ObjectOptions {
    std::string module;  // empty: KV_Velmora.p beside the program
    std::string object;
    std::vector<std::string> sets;
    std::string setsFrom;
    std::string settingsFile;
    std::string saveSettingsFile;
    std::string surface;
    std::optional<double> hostAngle;
    // The answer of SetsFromOfRun once kept by WithSetsFromOfRun.
    std::optional<std::string> runSetsFrom;
};

void AddObjectOptions(CLI::App &command, ObjectOptions &options);

// Throws std::invalid_argument for a --set text that cannot be read.
void CheckSetTexts(const ObjectOptions &options);

// The files every command reads.
std::vector<CommandFile> InputsOf(const ObjectOptions &options);

// The --sets-from of the run: the one given, else the one the settings file was saved with, so
// that its settings find the sets they were made for.
std::string SetsFromOfRun(const ObjectOptions &options);
// `options` keeping the answer of SetsFromOfRun, for a command that asks it more than once: the
// settings file is then read for it once, and every step of the run finds the same sets.
ObjectOptions WithSetsFromOfRun(ObjectOptions options);

// The object opened with every setting asked for: what each --set pattern matched is said on
// standard error, and the settings are saved where --save-settings asks. `bytes`: the object
// file's, when the command has read it already.
// With --sets-from shape or normals, the proposal made is kept in `*proposal` when given.
std::unique_ptr<OpenedObject> OpenObject(const ObjectOptions &options,
                                         const std::vector<std::uint8_t> *bytes = nullptr,
                                         SetProposal *proposal = nullptr);
