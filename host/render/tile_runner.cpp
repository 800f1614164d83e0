#include "host/render/tile_runner.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "host/for_each_on_threads.h"

namespace render {

int ThreadsToUse(int threads) {
    if (threads >= 1) return threads;
    return static_cast<int>(Cores());
}

void RunTiles(int width, int height, int tileSize, int threads, const TileWork &work) {
    tileSize = std::max(tileSize, 1);
    int across = (width + tileSize - 1) / tileSize;
    int down = (height + tileSize - 1) / tileSize;
    int total = across * down;
    int workers = std::min(ThreadsToUse(threads), std::max(total, 1));

    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    std::mutex reporting;
    int done = 0;
    std::exception_ptr failure;

    auto runWorker = [&](int worker) {
        for (int index = next++; index < total && !failed; index = next++) {
            int column = index % across, row = index / across;
            Tile tile{column * tileSize, row * tileSize, std::min(width, (column + 1) * tileSize),
                      std::min(height, (row + 1) * tileSize)};
            try {
                work.render(tile, worker);
                std::lock_guard lock(reporting);
                ++done;
                if (work.progress) work.progress(done, total);
            } catch (...) {
                std::lock_guard lock(reporting);
                if (!failure) failure = std::current_exception();
                failed = true;
                return;
            }
        }
    };

    std::vector<std::thread> helpers;
    try {
        for (int worker = 1; worker < workers; ++worker) helpers.emplace_back(runWorker, worker);
    } catch (const std::system_error &) {
        // Fewer threads than asked for still finish the picture.
    }
    runWorker(0);
    for (std::thread &helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace render
