// Text for captions and legends: any UTF-8 text in DejaVu Sans (Debian's fonts-dejavu-core),
// drawn through FreeType with smoothed edges. Sizes are the font's em in pixels.
#pragma once

#include <string>

#include "host/render/image.h"

namespace render {

// Where the font is looked for.
extern const char *const CaptionFontFile;

// The width `text` takes at `size`, and the height of a line, in pixels. These and DrawText
// throw std::runtime_error naming the font file and the package to install when it is missing.
int TextWidth(const std::string &text, int size);
int TextHeight(int size);

// `text` whole when it fits in `width` pixels at `size`, else cut after a whole character and
// ended with an ellipsis so that it fits (the ellipsis alone when nothing more does).
std::string FittedText(const std::string &text, int size, int width);

// Draws `text` with the top left corner of its line at (x, y), blended over what is there and
// clipped to the picture. Bytes that are not UTF-8 show as the replacement character.
void DrawText(Image &image, int x, int y, const std::string &text, Rgb8 colour, int size);

}  // namespace render
