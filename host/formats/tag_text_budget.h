// A bound on the polygon tag text a reader lets a file name: the lengths of each polygon's surface
// and part names, summed. When every polygon held a copy of its names, this was the memory that
// a file of a few tags naming one huge string could make a reader take. Polygons now share their
// tag texts, so the sum is no longer memory held; the bound is kept as the limit readers have
// always set on such files. Real objects stay far below it.
#pragma once

#include <cstddef>
#include <string>

class TagTextBudget {
  public:
    // 16 bytes of tag text for each byte of the file, and 16 MiB more.
    explicit TagTextBudget(std::size_t fileSize) : left(16 * fileSize + (std::size_t(16) << 20)) {}

    // Takes the length of one more copy of `name`; false once the budget is spent.
    bool take(const std::string &name) { return take(name.size()); }
    bool take(std::size_t length) {
        if (length > left) return false;
        left -= length;
        return true;
    }
    std::size_t remaining() const { return left; }

    static std::string problem() {
        return "polygon tags hold more text than 16 times the file's size";
    }

  private:
    std::size_t left;
};
