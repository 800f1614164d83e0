// velmora: the stand-in host as a command. It loads an object, serves it to the shader module
// exactly as LightWave does, lets the module's own dialog take the settings asked for, and shows
// or exports what the module computes. This file reads the command line and runs the command
// it names; each command is a record of command_table.h.
#include <csignal>
#include <iostream>
#include <new>
#ifdef __GLIBC__  // known once a C library header is in
#include <malloc.h>
#endif

#include "host/formats/file_bytes.h"
#include "host/scene/printable_text.h"
#include "tools/velmora/command_line.h"

namespace {

void RequireObject(const ObjectOptions &object, const std::string &command) {
    if (object.object.empty()) throw UsageError("'velmora " + command + "' needs an object file");
}

// Checks what the parser could not, refuses outputs over inputs, then does the work.
int RunCommand(const std::string &name, Command &command, const ObjectOptions &object) {
    RequireObject(object, name);
    command.checkUsage();
    try {
        CheckSetTexts(object);
    } catch (const std::invalid_argument &error) {
        throw UsageError(error.what());
    }
#ifdef SIGXFSZ
    // A file size limit then fails the write, which is reported, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::vector<CommandFile> inputs = InputsOf(object), outputs = command.outputs();
    // Guarded or not, the object stays first among the inputs.
    if (!command.guardsObject()) inputs.erase(inputs.begin());
    if (!object.saveSettingsFile.empty())
        outputs.insert(outputs.begin(), {"--save-settings", object.saveSettingsFile});
    RefuseOutputsOverInputs(outputs, inputs);
    // A long render to a folder that is not there fails now, not at its end.
    for (const CommandFile &output : outputs)
        if (!output.path.empty() && output.path != "-") CheckWritable(output.path);
    return command.run(object);
}

// `velmora help [COMMAND]`.
int Help(const Arguments &arguments, std::size_t at) {
    if (at + 1 == arguments.size()) {
        std::cout << Overview();
        return Succeeded;
    }
    const CommandRecord *asked = FindCommand(arguments[at + 1]);
    if (!asked) UnknownCommand(arguments[at + 1]);
    std::unique_ptr<Command> command = asked->make();
    ObjectOptions object;
    std::cout << CommandParser(*asked, *command, object)->help();
    return Succeeded;
}

int Run(const Arguments &arguments) {
    ObjectOptions object;
    std::string tryHelp = "velmora --help";
    std::string running = "velmora";  // what ran out of memory, for the one line that says so
    try {
        // `velmora --help COMMAND` asks for the command's help, as `velmora help COMMAND` does.
        if (arguments.size() == 2 && (arguments[0] == "--help" || arguments[0] == "-h") &&
            FindCommand(arguments[1]))
            return Help(arguments, 0);
        std::variant<std::size_t, int> lead = ReadLeadingOptions(arguments, object);
        if (std::holds_alternative<int>(lead)) return std::get<int>(lead);
        std::size_t at = std::get<std::size_t>(lead);
        const std::string &word = arguments[at];
        if (word == "help") return Help(arguments, at);
        const CommandRecord *record = FindCommand(word);
        if (!record) UnknownCommand(word);
        tryHelp = "velmora help " + word;
        running = "velmora " + word;
        std::unique_ptr<Command> command = record->make();
        std::unique_ptr<CLI::App> parser = CommandParser(*record, *command, object);
        try {
            ParseCommand(*parser, arguments, at + 1);
        } catch (const CLI::CallForHelp &) {
            std::cout << parser->help();
            return Succeeded;
        } catch (const CLI::ParseError &error) {
            throw UsageError(error.what());
        }
        return RunCommand(word, *command, object);
    } catch (const std::bad_alloc &) {
        std::cerr << "velmora: error: not enough memory to run '" << running << "'"
                  << (object.object.empty() ? "" : " on " + object.object) << "\n";
        return WorkFailed;
    } catch (const UsageError &error) {
        // One line, as every error is, with where to read more on it.
        std::cerr << "velmora: error: " << PrintableText(error.what()) << "; try '" << tryHelp
                  << "'\n";
        return UsageWrong;
    } catch (const std::exception &error) {
        std::cerr << "velmora: error: " << PrintableText(error.what()) << "\n";
        return WorkFailed;
    }
}

}  // namespace

int main(int argc, char **argv) {
#ifdef __GLIBC__
    // A large mesh passes through arrays of a few megabytes that are freed as the next ones fill
    // (the reader's chunks, for one). By default glibc keeps such memory once one has been freed,
    // and the peak becomes the sum of them all; a fixed threshold hands each back at once.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    return Run(Arguments(argv + 1, argv + argc));
}
