// The words of one line of OBJ text and the numbers they hold. Words are separated by spaces and
// tabs; a word that starts with '#' begins a comment that runs to the end of the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

// A problem with one line: the 1-based column it is at (0 for the statement as a whole) and what
// it is. The reader adds the file and the line.
class ObjLineError : public std::runtime_error {
  public:
    ObjLineError(std::size_t column, const std::string &problem)
        : std::runtime_error(problem), column(column) {}
    std::size_t column;
};

class ObjWords {
  public:
    explicit ObjWords(std::string_view line) : line(line) {}

    // The next word; empty once the statement has no more.
    std::string_view next();
    // The rest of the statement with the blanks around it removed.
    std::string_view rest();
    // The 1-based column where `word`, a view into the line, starts.
    std::size_t column(std::string_view word) const {
        return std::size_t(word.data() - line.data()) + 1;
    }

  private:
    std::string_view line;
    std::size_t position = 0;
};

// The float `word` spells, or an ObjLineError naming `what` ("coordinate") when it is not a
// number, not finite, or beyond the range of a float. A value too small for a float reads as 0.
float ReadFloat(const ObjWords &words, std::string_view word, const char *what);

// Reads the signed integer `word` spells: std::errc() when it is one, invalid_argument when it is
// not a number, result_out_of_range when it does not fit 64 bits.
std::errc ReadInteger(std::string_view word, std::int64_t &value);
