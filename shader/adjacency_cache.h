// The module-wide list of per-object point-to-polygon tables.
#pragma once

class AdjacencyCacheList {
  public:
    virtual ~AdjacencyCacheList() = default;
    void clear() {}
};
