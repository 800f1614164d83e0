#include "sets/union_find.h"

#include <algorithm>
#include <numeric>

UnionFind::UnionFind(std::size_t size) : parent(size) {
    std::iota(parent.begin(), parent.end(), 0);
}

int UnionFind::find(int member) {
    // Path halving: each step also points the member at its grandparent.
    while (parent[member] != member) member = parent[member] = parent[parent[member]];
    return member;
}

void UnionFind::join(int a, int b) {
    a = find(a);
    b = find(b);
    // The lower root stays, so that the least member is always the root.
    if (a != b) parent[std::max(a, b)] = std::min(a, b);
}
