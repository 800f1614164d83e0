// A polygon set name as a user writes it to address one set or many: `*` stands for any run of
// characters, `?` for any one, and a backslash takes the character after it as it is (`\*`,
// `\?`, `\\`). A name without `*` or `?` addresses the one set of that name. Matching takes
// time in proportion to the name's length times its pattern's in 64-character words, whatever
// the two hold.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class SetNamePattern {
  public:
    // Throws std::invalid_argument when the text ends in a lone backslash.
    explicit SetNamePattern(std::string text);

    bool matches(std::string_view name) const;
    // The one name the pattern addresses when it has no wildcard: the text without its escapes.
    const std::optional<std::string> &literal() const { return literalName; }
    const std::string &text() const { return written; }

    // A run of the pattern between stars: each byte a character to match, or any.
    struct Piece {
        std::string bytes;
        std::vector<bool> any;
        std::vector<std::uint64_t> fits;  // per byte value, a bit for each place it fits
        std::size_t size() const { return bytes.size(); }
        std::size_t words() const { return (size() + 63) / 64; }
        void index();
        bool matchesAt(std::string_view name, std::size_t at) const;
        // Where the piece first occurs in name[from, end), or npos.
        std::size_t findIn(std::string_view name, std::size_t from) const;
    };

  private:
    std::string written;
    std::optional<std::string> literalName;
    std::vector<Piece> pieces;  // the runs around each star; one more than there are stars
};

// The pattern that addresses exactly the set named `name`, whatever characters it holds.
std::string PatternForName(std::string_view name);
