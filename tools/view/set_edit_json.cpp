#include "tools/view/set_edit_json.h"

#include <set>

namespace {

using nlohmann::json;

[[noreturn]] void Refuse(const std::string &problem) {
    throw ViewRequestError(400, problem);
}

template <typename T>
std::optional<T> Field(const json &body, const char *name, json::value_t type, const char *kind) {
    auto found = body.find(name);
    if (found == body.end() || found->is_null()) return std::nullopt;
    bool number = type == json::value_t::number_float && found->is_number();
    if (found->type() != type && !number) Refuse(std::string(name) + ": expected " + kind);
    return found->get<T>();
}

}  // namespace

SetEdit ReadSetEdit(std::string_view body) {
    json request = json::parse(body, nullptr, false);
    if (request.is_discarded()) Refuse("the body is not JSON");
    if (!request.is_object()) Refuse("the body is not a JSON object");
    static const std::set<std::string> known = {"surface", "set", "enabled", "angle",
                                                "sameSetOnly"};
    for (const auto &[name, value] : request.items())
        if (!known.contains(name)) Refuse("unknown field \"" + name + "\"");
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
