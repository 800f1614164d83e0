#include "shader/polygon_set_list.h"

#include <cstring>

PolygonSetEntry *PolygonSetList::find(const char *name) {
    for (auto &entry : entries)
        if (std::strcmp(entry->name.c_str(), name) == 0) return entry.get();
    return nullptr;
}

const PolygonSetEntry *PolygonSetList::find(const char *name) const {
    return const_cast<PolygonSetList *>(this)->find(name);
}

PolygonSetEntry &PolygonSetList::append(std::string name) {
    auto entry = std::make_unique<PolygonSetEntry>();
    entry->name = std::move(name);
    entries.push_back(std::move(entry));
    return *entries.back();
}

void PolygonSetList::remove(std::size_t index) {
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
}

void PolygonSetList::copyFrom(const PolygonSetList &source) {
    if (&source == this) return;
    clear();
    for (const auto &from : source.entries) {
        PolygonSetEntry &to = append(from->name);
        to.enabled = from->enabled;
        // Copied as bytes: on x87 a double passing through a register loses a signalling NaN's
        // bits, and a copy must give back exactly what was stored.
        std::memcpy(&to.angle, &from->angle, sizeof to.angle);
        to.sameSetOnly = from->sameSetOnly;
    }
}
