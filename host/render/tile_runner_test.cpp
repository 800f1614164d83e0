#include "host/render/tile_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace render {
namespace {

TEST(TileRunner, ConcurrentWorkersCoverEveryPixelOnceAndReportProgressInOrder) {
    for (int threads : {1, 2, 4}) {
        const int width = 37, height = 21;
        std::vector<std::atomic<int>> visits(width * height);
        std::vector<int> reported;
        std::atomic<int> busiestWorker{0};
        TileWork work{[&](const Tile &tile, int worker) {
                          busiestWorker = std::max(busiestWorker.load(), worker);
                          for (int y = tile.y0; y < tile.y1; ++y)
                              for (int x = tile.x0; x < tile.x1; ++x) ++visits[y * width + x];
                      },
                      [&](int done, int total) {
                          EXPECT_EQ(total, 3 * 2);
                          reported.push_back(done);
                      }};
        RunTiles(width, height, 16, threads, work);
        for (const std::atomic<int> &count : visits) ASSERT_EQ(count, 1);
        EXPECT_EQ(reported, (std::vector<int>{1, 2, 3, 4, 5, 6}));
        EXPECT_LT(busiestWorker, threads);
    }
}

TEST(TileRunner, ConcurrentFailureStopsTheWorkAndReachesTheCaller) {
    std::atomic<int> started{0};
    // From the fourth tile on every tile breaks, so each worker stops at its first broken tile
    // however the threads happen to be scheduled.
    TileWork work{[&](const Tile &, int) {
                      if (started++ >= 3) throw std::runtime_error("tile broke");
                  },
                  {}};
    EXPECT_THROW(RunTiles(256, 256, 8, 2, work), std::runtime_error);
    EXPECT_LE(started, 3 + 2);
}

}  // namespace
}  // namespace render
