// Sorting the few elements a point or a corner gathers (its edges, its neighbours), many times
// over: std::sort's call and its checks cost more than the sort itself there.
#pragma once

#include <algorithm>
#include <span>
#include <utility>

// Sorts `items` by `earlier`, which must order them totally (no two items alike), so that the
// result is the one order whatever sort makes it: by insertion for a few, with std::sort beyond.
template <class Item, class Earlier>
void SortFew(std::span<Item> items, const Earlier &earlier) {
    constexpr std::size_t Few = 16;  // where insertion stops paying
    if (items.size() > Few) {
        std::sort(items.begin(), items.end(), earlier);
        return;
    }
    for (std::size_t i = 1; i < items.size(); ++i)
        for (std::size_t j = i; j > 0 && earlier(items[j], items[j - 1]); --j)
            std::swap(items[j], items[j - 1]);
}
