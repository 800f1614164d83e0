// Splits a picture into square tiles and works them on several threads, as the host renders:
// a shader sees samples of different tiles at the same time.
#pragma once

#include <functional>

namespace render {

struct Tile {
    int x0, y0, x1, y1;  // pixels [x0, x1) by [y0, y1)
};

struct TileWork {
    // Called for each tile exactly once; `worker` in [0, threads) tells which thread runs it.
    std::function<void(const Tile &, int worker)> render;
    // Called after each finished tile with the count so far, one call at a time; may be empty.
    std::function<void(int done, int total)> progress;
};

// `threads` below 1 means one per core. Returns when every tile is done; an exception thrown by
// a tile stops the remaining work and is thrown again here.
void RunTiles(int width, int height, int tileSize, int threads, const TileWork &work);

// What `threads` below 1 stands for.
int ThreadsToUse(int threads);

}  // namespace render
