// Every command of the velmora program, in the order the help lists them.
#pragma once

#include <memory>
#include <vector>

#include "tools/velmora/command.h"

struct CommandRecord {
    const char *name;
    const char *summary;  // one sentence for the help
    std::unique_ptr<Command> (*make)();
};

const std::vector<CommandRecord> &CommandTable();
// The record named `name`, or null.
const CommandRecord *FindCommand(const std::string &name);

std::unique_ptr<Command> MakeNormalsCommand();
std::unique_ptr<Command> MakePartsCommand();
std::unique_ptr<Command> MakeApplyCommand();
#ifdef VELMORA_RENDER
std::unique_ptr<Command> MakeRenderCommand();
std::unique_ptr<Command> MakeDialogCommand();
#endif
#ifdef VELMORA_VIEW
std::unique_ptr<Command> MakeViewCommand();
#endif
