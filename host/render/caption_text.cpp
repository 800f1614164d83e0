#include "host/render/caption_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "host/scene/utf8_text.h"

namespace render {

const char *const CaptionFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

namespace {

constexpr char32_t Replacement = 0xFFFD;

// The one face, opened at first use. FreeType faces are not safe to share between threads, so
// every use holds the lock.
class CaptionFont {
  public:
    static CaptionFont &get() {
        static CaptionFont font;
        return font;
    }
    ~CaptionFont() {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
    }

    struct Locked {
        std::unique_lock<std::mutex> hold;
        FT_Face face;
    };
    Locked at(int size) {
        std::unique_lock<std::mutex> hold(lock);
        if (!face)
            throw std::runtime_error(std::string("caption font ") + CaptionFontFile +
                                     ": cannot be read; install fonts-dejavu-core");
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(size, 1)));
        return {std::move(hold), face};
    }

  private:
    CaptionFont() {
        if (FT_Init_FreeType(&library) != 0) return;
        if (FT_New_Face(library, CaptionFontFile, 0, &face) != 0) face = nullptr;
    }
    std::mutex lock;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

// Calls `glyph(face, penX)` for each character with the glyph loaded (rendered when `render`),
// its pen position in pixels; returns the advance of the whole text.
template <typename GlyphFunction>
int WalkGlyphs(FT_Face face, const std::string &text, bool render, GlyphFunction glyph) {
    FT_Int32 flags = FT_LOAD_TARGET_LIGHT | (render ? FT_LOAD_RENDER : 0);
    long pen = 0;  // 26.6 fixed point
    FT_UInt previous = 0;
    for (std::size_t at = 0; at < text.size();) {
        FT_UInt index = FT_Get_Char_Index(face, NextCodePoint(text, at).value_or(Replacement));
        if (previous && index && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            if (FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern) == 0)
                pen += kern.x;
        }
        if (FT_Load_Glyph(face, index, flags) != 0) continue;
        glyph(face, static_cast<int>((pen + 32) >> 6));
        pen += face->glyph->advance.x;
        previous = index;
    }
    return static_cast<int>((pen + 63) >> 6);
}

int Ascent(FT_Face face) {
    return static_cast<int>((face->size->metrics.ascender + 63) >> 6);
}

Rgb8 Blend(Rgb8 under, Rgb8 over, unsigned coverage) {
    auto mix = [coverage](int a, int b) {
        return static_cast<std::uint8_t>(
            (a * (255 - static_cast<int>(coverage)) + b * static_cast<int>(coverage) + 127) / 255);
    };
    return {mix(under.r, over.r), mix(under.g, over.g), mix(under.b, over.b)};
}

}  // namespace

int TextWidth(const std::string &text, int size) {
    CaptionFont::Locked font = CaptionFont::get().at(size);
    return WalkGlyphs(font.face, text, false, [](FT_Face, int) {});
}

int TextHeight(int size) {
    CaptionFont::Locked font = CaptionFont::get().at(size);
    return Ascent(font.face) + static_cast<int>((-font.face->size->metrics.descender + 63) >> 6);
}

std::string FittedText(const std::string &text, int size, int width) {
    if (TextWidth(text, size) <= width) return text;
    constexpr char Ellipsis[] = "\xE2\x80\xA6";
    std::vector<std::size_t> ends;  // where each character ends
    for (std::size_t at = 0; at < text.size();) {
        NextCodePoint(text, at);
        ends.push_back(at);
    }
    // The most characters that fit with the ellipsis: the width grows with each one.
    std::size_t low = 0, high = ends.size();
    while (low < high) {
        std::size_t middle = (low + high + 1) / 2;
        if (TextWidth(text.substr(0, ends[middle - 1]) + Ellipsis, size) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return (low == 0 ? "" : text.substr(0, ends[low - 1])) + Ellipsis;
}

void DrawText(Image &image, int x, int y, const std::string &text, Rgb8 colour, int size) {
    CaptionFont::Locked font = CaptionFont::get().at(size);
    int baseline = y + Ascent(font.face);
    WalkGlyphs(font.face, text, true, [&](FT_Face face, int pen) {
        const FT_Bitmap &bitmap = face->glyph->bitmap;
        int left = x + pen + face->glyph->bitmap_left, top = baseline - face->glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned column = 0; column < bitmap.width; ++column) {
                int px = left + static_cast<int>(column), py = top + static_cast<int>(row);
                unsigned coverage = bitmap.buffer[row * bitmap.pitch + column];
                if (coverage == 0 || px < 0 || py < 0 || px >= image.width || py >= image.height)
                    continue;
                image.set(px, py, Blend(image.at(px, py), colour, coverage));
            }
    });
}

}  // namespace render
