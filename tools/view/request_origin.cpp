#include "tools/view/request_origin.h"

#include <string>

bool HostNamesServer(std::string_view host, int port) {
    std::string suffix = ":" + std::to_string(port);
    return host == "127.0.0.1" + suffix || host == "localhost" + suffix;
}

bool OriginNamesServer(const std::optional<std::string_view> &origin, int port) {
    constexpr std::string_view scheme = "http://";
    if (!origin) return true;
    return origin->starts_with(scheme) && HostNamesServer(origin->substr(scheme.size()), port);
}
