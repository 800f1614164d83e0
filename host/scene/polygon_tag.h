// A polygon's tag (its surface or its part name), or none. Used as an optional string, but copies
// share one text: a million polygons of one part hold its name once, not a million times.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

class PolygonTag {
  public:
    PolygonTag() = default;
    PolygonTag(std::nullopt_t) {}
    PolygonTag(std::string text) : shared(std::make_shared<const std::string>(std::move(text))) {}
    PolygonTag(const char *text) : PolygonTag(std::string(text)) {}
    // Shares a text that others hold already.
    PolygonTag(std::shared_ptr<const std::string> text) : shared(std::move(text)) {}
    PolygonTag(const std::optional<std::string> &text) {
        if (text) *this = PolygonTag(*text);
    }

    bool has_value() const { return shared != nullptr; }
    explicit operator bool() const { return has_value(); }
    const std::string &operator*() const { return *shared; }
    const std::string *operator->() const { return shared.get(); }
    std::string value_or(std::string_view otherwise) const {
        return shared ? *shared : std::string(otherwise);
    }
    void reset() { shared.reset(); }
    void emplace(std::string text) { *this = PolygonTag(std::move(text)); }
    explicit operator std::optional<std::string>() const {
        return shared ? std::optional<std::string>(*shared) : std::nullopt;
    }

    // Tags are equal when both are absent or their texts are.
    friend bool operator==(const PolygonTag &a, const PolygonTag &b) {
        if (a.shared == b.shared) return true;
        return a.shared && b.shared && *a.shared == *b.shared;
    }
    friend bool operator==(const PolygonTag &tag, std::nullopt_t) { return !tag.has_value(); }
    friend bool operator==(const PolygonTag &tag, const std::optional<std::string> &text) {
        return text ? tag == *text : !tag.has_value();
    }
    friend bool operator==(const PolygonTag &tag, std::string_view text) {
        return tag.has_value() && *tag.shared == text;
    }
    friend bool operator==(const PolygonTag &tag, const char *text) {
        return tag == std::string_view(text);
    }
    friend bool operator==(const PolygonTag &tag, const std::string &text) {
        return tag == std::string_view(text);
    }
    friend std::ostream &operator<<(std::ostream &out, const PolygonTag &tag) {
        return tag ? out << '"' << *tag << '"' : out << "(none)";
    }

  private:
    std::shared_ptr<const std::string> shared;
};
