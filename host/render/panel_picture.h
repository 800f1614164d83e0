// A picture of an open panel as the stand-in host shows it: each control where the module put
// it, with its label and the value it holds, in the captions' font; greyed-out controls grey.
// It lets a reader see the module's dialog without the host.
#pragma once

#include <vector>

#include "host/panels/panel_session.h"
#include "host/render/image.h"

namespace render {

// Where a control is drawn: the module's position, shifted by the window's title bar and border.
struct PlacedControl {
    const HostControl *control = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
};

// Every control of the panel in the order the module added them.
std::vector<PlacedControl> PanelLayout(const HostPanel &panel);

Image PanelPicture(const PanelSession &session);

}  // namespace render
