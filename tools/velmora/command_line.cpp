#include "tools/velmora/command_line.h"

#include <iostream>
#include <optional>
#include <sstream>
#include <string_view>

#include "tools/velmora/nearest_name.h"

namespace {

// Every name an option of `command` answers to, for suggestions.
std::vector<std::string> OptionNames(const CLI::App &command) {
    std::vector<std::string> names;
    for (const CLI::Option *option : command.get_options()) {
        for (const std::string &name : option->get_lnames()) names.push_back("--" + name);
        for (const std::string &name : option->get_snames()) names.push_back("-" + name);
    }
    return names;
}

std::string Suggestion(const std::string &typed, const std::vector<std::string> &names) {
    std::optional<std::string> nearest = NearestName(typed, names);
    return nearest ? "; did you mean '" + *nearest + "'?" : "";
}

// What CLI11 left over: an option this command lacks, or one argument too many.
void RefuseExtras(const CLI::App &command) {
    std::vector<std::string> extras = command.remaining();
    if (extras.empty()) return;
    const std::string &first = extras.front();
    if (first.size() > 1 && first[0] == '-') {
        std::string name = first.substr(0, first.find('='));
        throw UsageError("unknown option '" + name + "' for '" + command.get_name() + "'" +
                         Suggestion(name, OptionNames(command)));
    }
    throw UsageError("unexpected argument '" + first + "': '" + command.get_name() +
                     "' takes one object file");
}

// `text` after `lead`, broken at spaces into lines of at most 80 columns, each continued line
// indented as far as the lead.
std::string Wrapped(const std::string &lead, const std::string &text) {
    std::string wrapped = lead, line;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (!line.empty() && lead.size() + line.size() + 1 + word.size() > 80) {
            wrapped += line + "\n" + std::string(lead.size(), ' ');
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return wrapped + line + "\n";
}

std::vector<std::string> CommandNames() {
    std::vector<std::string> names;
    for (const CommandRecord &record : CommandTable()) names.push_back(record.name);
    names.push_back("help");
    return names;
}

}  // namespace

std::unique_ptr<CLI::App> CommandParser(const CommandRecord &record, Command &command,
                                        ObjectOptions &object) {
    auto app = std::make_unique<CLI::App>(record.summary, std::string("velmora ") + record.name);
    // Paths start with '/' on the hosts this runs under; they are never Windows-style options.
    app->allow_windows_style_options(false);
    // Left over for RefuseExtras, which checks them before any missing value is reported.
    app->allow_extras();
    app->footer(ExitStatusText);
    AddObjectOptions(*app, object);
    command.addOptions(*app);
    return app;
}

std::string Overview() {
    std::string text =
        "velmora: smoothing per polygon set, driven by the KV_Velmora shader module\n\n"
        "Usage: velmora COMMAND OBJECT [OPTIONS]\n"
        "       velmora help [COMMAND]\n"
        "       velmora --version\n\nCommands:\n";
    for (const CommandRecord &record : CommandTable()) {
        std::string name = record.name;
        text += Wrapped("  " + name + std::string(10 - name.size(), ' '), record.summary);
    }
    text +=
        "  help      this text, or with a command that command's options\n\n"
        "Options:\n"
        "  --module FILE  the shader module file (default: KV_Velmora.p beside this "
        "program);\n"
        "                 before or after the command\n"
        "  -h, --help     this text; after a command, that command's options\n"
        "  --version      the program's version\n\n";
    return text + ExitStatusText + "\n";
}

void UnknownCommand(const std::string &word) {
    if (word == "version")
        throw UsageError("unknown command 'version'; the program's version is 'velmora --version'");
    std::string known;
    for (const std::string &name : CommandNames()) known += (known.empty() ? "" : ", ") + name;
    throw UsageError("unknown command '" + word + "'" + Suggestion(word, CommandNames()) +
                     " (commands: " + known + ")");
}

std::variant<std::size_t, int> ReadLeadingOptions(const Arguments &arguments,
                                                  ObjectOptions &object) {
    std::size_t at = 0;
    for (; at < arguments.size(); ++at) {
        const std::string &word = arguments[at];
        if (word == "--version") {
            std::cout << "velmora " VELMORA_VERSION "\n";
            return Succeeded;
        }
        if (word == "-h" || word == "--help") {
            std::cout << Overview();
            return Succeeded;
        }
        if (word == "--module") {
            if (++at == arguments.size()) throw UsageError("--module: expected the module file");
            object.module = arguments[at];
        } else if (constexpr std::string_view joined = "--module="; word.starts_with(joined)) {
            object.module = word.substr(joined.size());
        } else if (word.size() > 1 && word[0] == '-') {
            std::string name = word.substr(0, word.find('='));
            throw UsageError("unknown option '" + name + "'" +
                             Suggestion(name, {"--help", "--version", "--module"}));
        } else {
            break;
        }
    }
    if (at == arguments.size()) throw UsageError("no command given");
    return at;
}

void ParseCommand(CLI::App &app, const Arguments &arguments, std::size_t first) {
    // CLI11 takes the words last first.
    Arguments reversed(arguments.rbegin(), arguments.rend() - static_cast<std::ptrdiff_t>(first));
    app.parse(reversed);
    RefuseExtras(app);
}
