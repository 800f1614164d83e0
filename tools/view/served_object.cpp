#include "tools/view/served_object.h"

#include <algorithm>

#include "host/for_each_on_threads.h"
#include "host/scene/quoted_list.h"
#include "host/session/set_options.h"

ServedObject::ServedObject(const ObjectOptions &options, const ApplyInput &input)
    : served(WithSetsFromOfRun(options)), input(input) {
    // The settings are saved when the page asks, never on opening.
    served.saveSettingsFile.clear();
    open(served);
    if (openedObject->sets().names.empty()) {
        sources = SetSourcesOf(openedObject->file());
        sources.insert(sources.begin(), "");
    }
}

void ServedObject::open(const ObjectOptions &options, const std::vector<ShaderBlock> *left) {
    viewed.reset();        // it samples through the session, which goes first
    openedObject.reset();  // the module serves one scene at a time
    proposed = {};
    openedObject = OpenObject(options, &input.bytes, &proposed);
    if (left) LoadShaderBlocks(openedObject->session(), openedObject->file(), *left, {});
    viewed = std::make_unique<ViewObject>(openedObject->session(), openedObject->hostSmoothing(),
                                          Cores(), proposed);
}

void ServedObject::makeSetsFrom(const std::string &source) {
    if (std::find(sources.begin(), sources.end(), source) == sources.end())
        throw ViewRequestError(400, "no polygon sets can be made of " + QuotedName(source) +
                                        " here (there can be of: " + QuotedList(sources) + ")");
    leftAt[served.setsFrom] =
        ShaderBlocksWithSettings(openedObject->session(), openedObject->file());
    ObjectOptions asked = served;
    asked.setsFrom = source;
    asked.runSetsFrom = source;
    // The settings file and the set requests were made for the sets the object was opened with.
    asked.settingsFile.clear();
    asked.sets.clear();
    auto left = leftAt.find(source);
    try {
        open(asked, left == leftAt.end() ? nullptr : &left->second);
    } catch (const std::runtime_error &error) {
        open(served, &leftAt[served.setsFrom]);
        throw ViewRequestError(422, error.what());
    }
    served = asked;
}
