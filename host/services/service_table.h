// The stand-in host's global function: named services, any of which can be switched off, and a
// record of every request with its use mode.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/non_copyable.h"
#include "hostapi/lwtypes.h"

class ServiceTable : NonCopyable {
  public:
    struct Request {
        std::string name;
        int useMode;
        bool operator==(const Request &) const = default;
    };

    ServiceTable();
    ~ServiceTable();

    void provide(const std::string &name, void *record);
    // A switched-off service answers null, as a host that lacks it does.
    void switchOff(const std::string &name);
    void switchOn(const std::string &name);

    // The host's global function for this table. Each live table has its own.
    GlobalFunc *global() const { return globalFunc; }

    void *fetch(const char *name, int useMode);
    const std::vector<Request> &requests() const { return log; }
    void forgetRequests() { log.clear(); }

  private:
    struct Service {
        void *record = nullptr;
        bool on = true;
    };
    std::map<std::string, Service> services;
    std::vector<Request> log;
    GlobalFunc *globalFunc;
};
