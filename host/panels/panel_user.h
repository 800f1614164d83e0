// Whoever works a modal panel while the host's `open` runs: a script in tests and on the command
// line, a person at a terminal later.
#pragma once

class PanelSession;

class PanelUser {
  public:
    virtual ~PanelUser() = default;
    // Acts on the open panel; returning without closing it closes it, as a person leaving would.
    // A std::exception thrown here is recorded as a problem of the session.
    virtual void work(PanelSession &session) = 0;
};
