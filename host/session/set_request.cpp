#include "host/session/set_request.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <variant>
#include <vector>

#include "host/scene/quoted_list.h"
#include "host/scene/set_name_pattern.h"
#include "host/session/decimal_number.h"

namespace {

// An escaped colon stays in its field as a plain colon; every other escape is left for the name's
// pattern to read.
std::vector<std::string> SplitAtColons(const std::string &text) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            char next = text[++i];
            if (next != ':') fields.back() += c;
            fields.back() += next;
        } else if (c == ':') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

const std::variant<double, DecimalProblem> NotANumber = DecimalProblem::notANumber;

}  // namespace

SetRequest ParseSetRequest(const std::string &text) {
    auto fail = [&text](const std::string &why) {
        throw std::invalid_argument("--set " + QuotedName(text) + ": " + why);
    };
    std::vector<std::string> fields = SplitAtColons(text);
    SetRequest request;
    request.name = fields[0];
    if (text.empty()) fail("no set name; expected NAME[:ANGLE][:same|:cross][:off]");
    try {
        SetNamePattern checked(request.name);
    } catch (const std::invalid_argument &error) {
        fail(error.what());
    }
    bool angleSeen = false;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        const std::string &field = fields[i];
        if (field == "same" || field == "cross") {
            bool same = field == "same";
            if (request.sameSetOnly && *request.sameSetOnly != same)
                fail("\"same\" and \"cross\" contradict each other");
            request.sameSetOnly = same;
        } else if (field == "off") {
            request.enabled = false;
        } else if (std::variant<double, DecimalProblem> angle = ReadDecimal(field);
                   !angleSeen && angle != NotANumber) {
            // Beyond a double is outside too, and said as typed.
            auto *degrees = std::get_if<double>(&angle);
            if (!degrees || *degrees < 0 || *degrees > 360)
                fail("angle " + PrintableText(field) + " is outside 0 to 360 degrees");
            request.angleDegrees = *degrees;
            angleSeen = true;
        } else {
            fail(QuotedName(field) +
                 " is neither an angle in degrees, \"same\", \"cross\" nor \"off\"");
        }
    }
    return request;
}
