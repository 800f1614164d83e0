// The settings of each polygon set of one surface, in the order they were added.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// 89.5 degrees in radians.
constexpr double DefaultSmoothingAngle = 1.562069680534925;

struct PolygonSetEntry {
    std::string name;
    std::int32_t enabled = 0;
    double angle = DefaultSmoothingAngle;
    std::int32_t sameSetOnly = 0;
};

class PolygonSetList {
  public:
    PolygonSetList() = default;
    PolygonSetList(const PolygonSetList &) = delete;
    PolygonSetList &operator=(const PolygonSetList &) = delete;
    virtual ~PolygonSetList() = default;

    std::size_t size() const { return entries.size(); }
    PolygonSetEntry &at(std::size_t index) { return *entries[index]; }
    const PolygonSetEntry &at(std::size_t index) const { return *entries[index]; }

    // The first entry whose name equals `name` byte for byte, or null.
    PolygonSetEntry *find(const char *name);
    const PolygonSetEntry *find(const char *name) const;

    // Appends an entry with the values of a new entry for `name`.
    PolygonSetEntry &append(std::string name);
    void remove(std::size_t index);
    void clear() { entries.clear(); }
    // Replaces the entries by copies of `source`'s; copying a list onto itself keeps it.
    void copyFrom(const PolygonSetList &source);

  private:
    std::vector<std::unique_ptr<PolygonSetEntry>> entries;
};
