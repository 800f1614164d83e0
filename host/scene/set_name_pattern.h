// A polygon set name as a user writes it to address one set or many: `*` stands for any run of
// characters, `?` for any one, and a backslash takes the character after it as it is (`\*`,
// `\?`, `\\`). A name without `*` or `?` addresses the one set of that name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class SetNamePattern {
  public:
    // Throws std::invalid_argument when the text ends in a lone backslash.
    explicit SetNamePattern(std::string text);

    bool matches(std::string_view name) const;
    // The one name the pattern addresses when it has no wildcard: the text without its escapes.
    const std::optional<std::string> &literal() const { return literalName; }
    const std::string &text() const { return written; }

  private:
    std::string written;
    std::optional<std::string> literalName;
};

// The pattern that addresses exactly the set named `name`, whatever characters it holds.
std::string PatternForName(std::string_view name);
