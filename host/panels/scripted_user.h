// A user who works a modal panel by a fixed script, step after step, then closes it. Built up by
// chaining: ScriptedUser().pick("Polygon set : ", "Top").setBox("enable smoothing", true).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/panels/panel_session.h"
#include "host/panels/panel_user.h"

class ScriptedUser : public PanelUser {
  public:
    using Step = std::function<void(PanelSession &)>;

    ScriptedUser &pick(std::string label, std::string item);
    ScriptedUser &setBox(std::string label, bool on);
    ScriptedUser &typeAngle(std::string label, double degrees);
    ScriptedUser &pressKey(int key);
    ScriptedUser &releaseKey(int key);
    ScriptedUser &click(int x, int y, int qualifiers = MOUSE_LEFT);
    ScriptedUser &close();
    // Any other step, for instance looking at what the panel shows at that moment.
    ScriptedUser &then(Step step);

    void work(PanelSession &session) override;
    // How many times the script has been worked through.
    int sessions() const { return worked; }

  private:
    std::vector<Step> steps;
    int worked = 0;
};
