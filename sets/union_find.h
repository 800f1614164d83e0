// Groups of the whole numbers 0 to size - 1, joined pair by pair: the polygons a proposer puts
// together, or the patches it joins into sets.
#pragma once

#include <cstddef>
#include <vector>

class UnionFind {
  public:
    explicit UnionFind(std::size_t size);

    // The least member of `member`'s group, whatever order the joins came in.
    int find(int member);
    // Joins on different threads may run at once where each joins only members of its own
    // range of members, never joined with another range yet: they touch only that range.
    void join(int a, int b);

  private:
    std::vector<int> parent;
};
