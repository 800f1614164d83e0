#include "host/panels/scripted_user.h"

#include <utility>

ScriptedUser &ScriptedUser::then(Step step) {
    steps.push_back(std::move(step));
    return *this;
}

ScriptedUser &ScriptedUser::pick(std::string label, std::string item) {
    return then([=](PanelSession &session) { session.pick(label, item); });
}

ScriptedUser &ScriptedUser::setBox(std::string label, bool on) {
    return then([=](PanelSession &session) { session.setBox(label, on); });
}

ScriptedUser &ScriptedUser::typeAngle(std::string label, double degrees) {
    return then([=](PanelSession &session) { session.typeAngle(label, degrees); });
}

ScriptedUser &ScriptedUser::pressKey(int key) {
    return then([=](PanelSession &session) { session.pressKey(key); });
}

ScriptedUser &ScriptedUser::releaseKey(int key) {
    return then([=](PanelSession &session) { session.releaseKey(key); });
}

ScriptedUser &ScriptedUser::click(int x, int y, int qualifiers) {
    return then([=](PanelSession &session) { session.click(x, y, qualifiers); });
}

ScriptedUser &ScriptedUser::close() {
    return then([](PanelSession &session) { session.close(); });
}

void ScriptedUser::work(PanelSession &session) {
    ++worked;
    for (const Step &step : steps) step(session);
}
