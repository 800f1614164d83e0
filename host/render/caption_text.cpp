#include "host/render/caption_text.h"

#include <stb/stb_easy_font.h>

#include <cmath>
#include <vector>

namespace render {

namespace {

// stb_easy_font writes four vertices per quad, each three floats and four colour bytes.
struct FontVertex {
    float x, y, z;
    unsigned char colour[4];
};

constexpr int FontCellHeight = 8;

}  // namespace

int TextWidth(const std::string &text, int scale) {
    std::string copy = text;
    return stb_easy_font_width(copy.data()) * scale;
}

int TextHeight(int scale) {
    return FontCellHeight * scale;
}

void DrawText(Image &image, int x, int y, const std::string &text, Rgb8 colour, int scale) {
    std::string copy = text;
    std::vector<FontVertex> vertices(copy.size() * 80 + 4);
    int quads = stb_easy_font_print(0, 0, copy.data(), nullptr, vertices.data(),
                                    static_cast<int>(vertices.size() * sizeof(FontVertex)));
    for (int q = 0; q < quads; ++q) {
        const FontVertex &first = vertices[4 * q], &opposite = vertices[4 * q + 2];
        image.fillRect(x + static_cast<int>(std::lround(first.x * scale)),
                       y + static_cast<int>(std::lround(first.y * scale)),
                       x + static_cast<int>(std::lround(opposite.x * scale)),
                       y + static_cast<int>(std::lround(opposite.y * scale)), colour);
    }
}

}  // namespace render
