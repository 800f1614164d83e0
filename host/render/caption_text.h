// Text for captions: a small built-in bitmap font, drawn in whole pixels at an integer scale.
// Printable ASCII and the degree sign (UTF-8).
#pragma once

#include <string>

#include "host/render/image.h"

namespace render {

// The box `text` takes at `scale`, in pixels.
int TextWidth(const std::string &text, int scale);
int TextHeight(int scale);

// Draws `text` with its top left corner at (x, y), clipped to the picture.
void DrawText(Image &image, int x, int y, const std::string &text, Rgb8 colour, int scale);

}  // namespace render
