// `velmora apply`: the module's settings stored in the object. An LWO2 object is edited, keeping
// every byte but its shader data; an LWO3 object is converted to LWO2 by its bytes and then
// edited so; LWOB and OBJ objects are converted through the scene model. What a conversion cannot
// carry is said, and a converted object never goes over its input.
#include <iostream>

#include "tools/velmora/applied_object.h"
#include "tools/velmora/command_table.h"

namespace {

class ApplyCommand : public Command {
  public:
    void addOptions(CLI::App &app) override {
        app.add_option("-o,--output", output, "the LWO2 file to write (required)")
            ->type_name("FILE");
    }

    void checkUsage() const override {
        if (output.empty()) throw UsageError("'velmora apply' needs -o OUT.lwo");
    }
    std::vector<CommandFile> outputs() const override { return {{"-o", output}}; }
    bool guardsObject() const override { return false; }

    int run(const ObjectOptions &given) override {
        ApplyInput input = ReadApplyInput(given.object);
        CheckApplyOutput(given.object, input, output);
        // Opening and writing both ask what the sets were made of.
        const ObjectOptions object = WithSetsFromOfRun(given);
        SetProposal proposal;
        std::unique_ptr<OpenedObject> opened = OpenObject(object, &input.bytes, &proposal);
        for (const std::string &line :
             WriteAppliedObject(object, *opened, input, output, &proposal))
            std::cerr << "velmora: " << line << "\n";
        std::cerr << "velmora: wrote " << output << "\n";
        return Succeeded;
    }

  private:
    std::string output;
};

}  // namespace

std::unique_ptr<Command> MakeApplyCommand() {
    return std::make_unique<ApplyCommand>();
}
