// A bound on the polygon tag text a reader may store. Each polygon holds its own copy of its
// surface and part names, so a file of a few short tag entries naming one huge string would
// otherwise make memory grow with the product of the two. Real objects stay far below it.
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
