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

// stb_easy_font knows printable ASCII only. Captions say angles, so the degree sign (UTF-8
// C2 B0) is drawn here: a small ring at the top of the cell.
constexpr char DegreeSign[] = "\xC2\xB0";
constexpr int DegreeWidth = 4;

int RunWidth(const std::string &run) {
    std::string copy = run;
    return stb_easy_font_width(copy.data());
}

void DrawRun(Image &image, int x, int y, const std::string &run, Rgb8 colour, int scale) {
    std::string copy = run;
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

void DrawDegree(Image &image, int x, int y, Rgb8 colour, int scale) {
    int left = x, right = x + 3 * scale, top = y, bottom = y + 3 * scale;
    image.fillRect(left, top, right, top + scale, colour);
    image.fillRect(left, bottom - scale, right, bottom, colour);
    image.fillRect(left, top, left + scale, bottom, colour);
    image.fillRect(right - scale, top, right, bottom, colour);
}

// Calls `run` for each stretch of ASCII text and `degree` for each degree sign, with the
// x offset (unscaled) where it starts; returns the whole width.
template <typename RunFunction, typename DegreeFunction>
int WalkText(const std::string &text, RunFunction run, DegreeFunction degree) {
    int x = 0;
    std::size_t start = 0;
    while (true) {
        std::size_t sign = text.find(DegreeSign, start);
        std::string piece = text.substr(start, sign == std::string::npos ? sign : sign - start);
        if (!piece.empty()) {
            run(piece, x);
            x += RunWidth(piece);
        }
        if (sign == std::string::npos) return x;
        degree(x);
        x += DegreeWidth;
        start = sign + 2;
    }
}

}  // namespace

int TextWidth(const std::string &text, int scale) {
    return WalkText(
               text, [](const std::string &, int) {}, [](int) {}) *
           scale;
}

int TextHeight(int scale) {
    return FontCellHeight * scale;
}

void DrawText(Image &image, int x, int y, const std::string &text, Rgb8 colour, int scale) {
    WalkText(
        text,
        [&](const std::string &run, int at) {
            DrawRun(image, x + at * scale, y, run, colour, scale);
        },
        [&](int at) { DrawDegree(image, x + at * scale, y, colour, scale); });
}

}  // namespace render
