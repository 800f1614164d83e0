// The options dialog: a popup of the surface's polygon sets, and for the set picked its
// smoothing switch, smoothing angle and same-set switch. Edits reach the instance's list when
// another set is picked and when the panel closes.
#pragma once

#include <cstdint>
#include <string>

#include "panel/panel_window.h"
#include "shader/shader_instance.h"

class SetOptionsPanel : public PanelWindow {
  public:
    explicit SetOptionsPanel(ShaderInstance &instance);

  protected:
    void OnClose() override;
    void OnControlEvent(LWControl *control) override;
    void CreateControls() override;

  private:
    // The popup's item functions; both read the module-wide SetNameList.
    static int PopupCount(void *userData);
    static char *PopupName(void *userData, int index);

    ShaderInstance &instance() const { return *static_cast<ShaderInstance *>(context); }
    // A host that refuses a control gets a panel that shows and stores nothing.
    bool controlsMade() const { return popup && enableCheck && sameSetCheck && angleControl; }
    void PruneEntries();
    LWControl *AddPlacedControl(const char *type, LWPanControlDesc desc, const char *label, int x,
                                int y);
    void ShowEntry(std::int32_t index);
    void StoreEntry(std::int32_t index);
    PolygonSetEntry &FindOrCreateEntry(const std::string &name);
    void DrawSettingControls(bool usable);

    LWControl *popup = nullptr;
    LWControl *enableCheck = nullptr;
    LWControl *sameSetCheck = nullptr;
    LWControl *angleControl = nullptr;
    std::int32_t selectedIndex = 0;
};
