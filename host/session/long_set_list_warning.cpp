#include "host/session/long_set_list_warning.h"

#include <cmath>
#include <cstdio>

#include "host/scene/printable_text.h"
#include "host/scene/quoted_list.h"

namespace {

// A rough pace of the comparisons on one core, enough to tell seconds from minutes.
constexpr double ComparisonsPerSecond = 1.2e8;

}  // namespace

std::optional<std::string> LongSetListWarning(const std::string &filename,
                                              const std::string &surface, std::size_t sets) {
    if (sets < LongSetList) return std::nullopt;
    const double comparisons = double(sets) * double(sets);
    const double seconds = comparisons / ComparisonsPerSecond;
    char text[200];
    std::snprintf(text, sizeof text,
                  ": storing the settings of %zu polygon sets takes about %.0f %s: the module's "
                  "dialog finds each set's settings by walking the surface's list of them, "
                  "%.2g name comparisons",
                  sets, seconds < 90 ? seconds : std::round(seconds / 60),
                  seconds < 90 ? "seconds" : "minutes", comparisons);
    return PrintableText(filename) + ": surface " + QuotedName(surface) + text;
}
