#include "host/render/panel_picture.h"

#include <algorithm>

#include "host/render/caption_text.h"

namespace render {

namespace {

constexpr int FontSize = 13;
constexpr int Border = 8;
constexpr int TitleHeight = 24;
constexpr int RowHeight = 20;
constexpr int BoxSide = 14;
constexpr int FieldWidth = 64;  // the number field of an angle control
constexpr int Gap = 6;

constexpr Rgb8 Window = {172, 172, 176};
constexpr Rgb8 TitleBar = {58, 62, 74};
constexpr Rgb8 TitleInk = {240, 240, 240};
constexpr Rgb8 Field = {226, 226, 228};
constexpr Rgb8 Edge = {96, 96, 102};
constexpr Rgb8 Ink = {20, 20, 24};
constexpr Rgb8 GreyInk = {124, 124, 130};
constexpr Rgb8 Mark = {30, 90, 170};

int LabelWidth(const HostControl &control) {
    return control.label.empty() ? 0 : TextWidth(control.label, FontSize) + Gap;
}

int WidthOf(const HostControl &control) {
    switch (control.descriptor.type) {
        case LWT_POPUP:
            return LabelWidth(control) + control.descriptor.popup.width;
        case LWT_AREA:
            return control.descriptor.area.width;
        case LWT_RANGE:
            return LabelWidth(control) + FieldWidth;
        default:
            return BoxSide + Gap + LabelWidth(control);
    }
}

int HeightOf(const HostControl &control) {
    if (control.descriptor.type == LWT_AREA) return std::max(1, control.descriptor.area.height);
    return RowHeight;
}

void Frame(Image &image, int x0, int y0, int x1, int y1, Rgb8 fill) {
    image.fillRect(x0, y0, x1, y1, Edge);
    image.fillRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill);
}

// Text centred in the row of a control.
void Text(Image &image, int x, const PlacedControl &at, const std::string &text, Rgb8 ink) {
    DrawText(image, x, at.y + (at.height - TextHeight(FontSize)) / 2, text, ink, FontSize);
}

void DrawPopup(Image &image, const PlacedControl &at, const std::string &item, Rgb8 ink) {
    Text(image, at.x, at, at.control->label, ink);
    int left = at.x + LabelWidth(*at.control), right = at.x + at.width;
    Frame(image, left, at.y, right, at.y + at.height, Field);
    Text(image, left + 4, at, item, ink);
    // The arrow that says a list opens here.
    for (int row = 0; row < 5; ++row)
        image.fillRect(right - 14 + row, at.y + 8 + row, right - 5 - row, at.y + 9 + row, ink);
}

void DrawBox(Image &image, const PlacedControl &at, bool on, Rgb8 ink) {
    int top = at.y + (at.height - BoxSide) / 2;
    Frame(image, at.x, top, at.x + BoxSide, top + BoxSide, Field);
    if (on) image.fillRect(at.x + 3, top + 3, at.x + BoxSide - 3, top + BoxSide - 3, Mark);
    Text(image, at.x + BoxSide + Gap, at, at.control->label, ink);
}

void DrawAngle(Image &image, const PlacedControl &at, const std::string &degrees, Rgb8 ink) {
    const HostControl &control = *at.control;
    Text(image, at.x, at, control.label, ink);
    int left = at.x + LabelWidth(control);
    Frame(image, left, at.y, left + FieldWidth, at.y + at.height, Field);
    Text(image, left + 4, at, degrees + "\u00b0", ink);
}

}  // namespace

std::vector<PlacedControl> PanelLayout(const HostPanel &panel) {
    std::vector<PlacedControl> placed;
    for (const auto &control : panel.controls)
        placed.push_back({control.get(), Border + control->x, TitleHeight + Border + control->y,
                          WidthOf(*control), HeightOf(*control)});
    return placed;
}

Image PanelPicture(const PanelSession &session) {
    const HostPanel &panel = session.panel();
    std::vector<PlacedControl> placed = PanelLayout(panel);
    // The window is as large as the module asked and always large enough for its controls.
    int width = 2 * Border + std::max(panel.geometry[PAN_W], TextWidth(panel.title, FontSize));
    int height = TitleHeight + 2 * Border + panel.geometry[PAN_H];
    for (const PlacedControl &at : placed) {
        width = std::max(width, at.x + at.width + Border);
        height = std::max(height, at.y + at.height + Border);
    }
    Image image(width, height, Window);
    image.fillRect(0, 0, width, TitleHeight, TitleBar);
    DrawText(image, Border, (TitleHeight - TextHeight(FontSize)) / 2, panel.title, TitleInk,
             FontSize);
    for (const PlacedControl &at : placed) {
        const HostControl &control = *at.control;
        Rgb8 ink = control.usable() ? Ink : GreyInk;
        if (control.descriptor.type == LWT_POPUP)
            DrawPopup(image, at, session.shown(control), ink);
        else if (control.descriptor.type == LWT_AREA)
            image.fillRect(at.x, at.y, at.x + at.width, at.y + at.height, Edge);
        else if (control.kind == ControlValueKind::angle)
            DrawAngle(image, at, session.shown(control), ink);
        else
            DrawBox(image, at, control.intValue != 0, ink);
    }
    return image;
}

}  // namespace render
