#include "tools/view/set_edit_json.h"

#include <cmath>
#include <set>

#include "host/scene/quoted_list.h"

namespace {

using nlohmann::json;

[[noreturn]] void Refuse(const std::string &problem) {
    throw ViewRequestError(400, problem);
}

// The document json::parse builds, but for a number that a double cannot hold: 1e-400 would
// arrive as 0 and 1e400 as infinity, where the command line refuses both.
class ExactNumbers : public nlohmann::detail::json_sax_dom_parser<json> {
  public:
    explicit ExactNumbers(json &document) : json_sax_dom_parser(document, false) {}
    bool number_float(double value, const std::string &text) {
        if (!Holds(value, text)) {
            unheld = text;
            return false;
        }
        return json_sax_dom_parser::number_float(value, text);
    }
    std::string unheld;  // the first number that was not held

  private:
    static bool Holds(double value, const std::string &text) {
        if (!std::isfinite(value)) return false;
        std::string_view digits = std::string_view(text).substr(0, text.find_first_of("eE"));
        return value != 0 || digits.find_first_of("123456789") == std::string_view::npos;
    }
};

json Parse(std::string_view body) {
    json document;
    ExactNumbers reader(document);
    if (!json::sax_parse(body, &reader)) {
        if (!reader.unheld.empty())
            Refuse("the number " + QuotedName(reader.unheld) + " is beyond what a double holds");
        Refuse("the body is not JSON");
    }
    return document;
}

template <typename T>
std::optional<T> Field(const json &body, const char *name, json::value_t type, const char *kind) {
    auto found = body.find(name);
    if (found == body.end() || found->is_null()) return std::nullopt;
    bool number = type == json::value_t::number_float && found->is_number();
    if (found->type() != type && !number) Refuse(std::string(name) + ": expected " + kind);
    return found->get<T>();
}

// The body as a JSON object of no fields but `known`.
json ParseObject(std::string_view body, const std::set<std::string> &known) {
    json request = Parse(body);
    if (!request.is_object()) Refuse("the body is not a JSON object");
    for (const auto &[name, value] : request.items())
        if (!known.contains(name)) Refuse("unknown field " + QuotedName(name));
    return request;
}

}  // namespace

std::string ReadSetSource(std::string_view body) {
    json request = ParseObject(body, {"from"});
    std::optional<std::string> from =
        Field<std::string>(request, "from", json::value_t::string, "a name");
    if (!from) Refuse("from: required");
    return *from;
}

SetEdit ReadSetEdit(std::string_view body) {
    json request = ParseObject(body, {"surface", "set", "enabled", "angle", "sameSetOnly"});
    SetEdit edit;
    auto text = [&](const char *name) {
        std::optional<std::string> value =
            Field<std::string>(request, name, json::value_t::string, "a name");
        if (!value) Refuse(std::string(name) + ": required");
        return *value;
    };
    edit.surface = text("surface");
    edit.set = text("set");
    edit.enabled = Field<bool>(request, "enabled", json::value_t::boolean, "true or false");
    edit.angleDegrees = Field<double>(request, "angle", json::value_t::number_float, "degrees");
    edit.sameSetOnly = Field<bool>(request, "sameSetOnly", json::value_t::boolean, "true or false");
    return edit;
}
