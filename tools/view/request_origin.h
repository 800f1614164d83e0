// Defence against DNS rebinding: a page from another site that got its name resolved to
// 127.0.0.1 reaches the view's port, but its requests name that site in Host and Origin. Only
// requests naming the loopback address (or localhost) and the view's own port are served.
#pragma once

#include <optional>
#include <string_view>

// A Host header naming this server: "127.0.0.1:PORT" or "localhost:PORT".
bool HostNamesServer(std::string_view host, int port);

// An Origin header, when there is one, naming this server: "http://" and a host as above. A
// request without Origin is a same-origin navigation or a client outside any browser.
bool OriginNamesServer(const std::optional<std::string_view> &origin, int port);
