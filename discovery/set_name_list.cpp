#include "discovery/set_name_list.h"

#include <cstring>

bool ContainsName(const SetNameList &list, const char *name) {
    for (const std::string &entry : list.names)
        if (std::strcmp(entry.c_str(), name) == 0) return true;
    return false;
}
