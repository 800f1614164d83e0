// `velmora parts`: each surface with its polygon sets and the settings the dialog shows for them.
#include <iostream>

#include "tools/velmora/command_table.h"
#include "tools/velmora/nothing_to_shade.h"
#include "tools/velmora/output_file.h"
#include "tools/velmora/parts_report.h"

namespace {

class PartsCommand : public Command {
  public:
    void addOptions(CLI::App &) override {}

    int run(const ObjectOptions &object) override {
        SetProposal proposal;
        std::unique_ptr<OpenedObject> opened = OpenObject(object, nullptr, &proposal);
        if (std::optional<std::string> why = NothingToShade(opened->file()))
            std::cerr << "velmora: " << *why << "\n";
        std::string report =
            PartsReport(opened->session(), opened->file(), opened->hostSmoothing(), &proposal);
        WriteOutput("-",
                    [&](std::FILE *out) { std::fwrite(report.data(), 1, report.size(), out); });
        return Succeeded;
    }
};

}  // namespace

std::unique_ptr<Command> MakePartsCommand() {
    return std::make_unique<PartsCommand>();
}
