// The distinct polygon-set names found by the last scan, in first-seen order.
#pragma once

#include <string>
#include <vector>

class SetNameList {
  public:
    virtual ~SetNameList() = default;
    std::vector<std::string> names;
};

// True if an entry equals `name` byte for byte.
bool ContainsName(const SetNameList &list, const char *name);
