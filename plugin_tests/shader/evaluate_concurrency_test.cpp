// Several host threads shade at once while init and cleanup empty the caches: every result must
// equal the one a single thread computes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "host/scene/mesh_generators.h"
#include "plugin_tests/linked_module.h"

namespace {

using render::ShadingRecord;

Scene TwoObjects() {
    Scene scene;
    scene.items.push_back({"Torus", MakeObjectFile("torus.lwo", MakeTorus(24, 12, 3))});
    scene.items.push_back(
        {"Can", MakeObjectFile("can.lwo", MakeCylinder(16, 4, true, {.part = "can"}))});
    return scene;
}

std::vector<ShadingRecord> SamplesEverywhere(const LinkedSession &host) {
    std::vector<ShadingRecord> samples;
    for (int item = 0; item < 2; ++item) {
        int polygons = static_cast<int>(host.scene().items[item].file->mesh.polygons.size());
        for (int polygon = 0; polygon < polygons; ++polygon) {
            float u = static_cast<float>(polygon % 5) / 4, v = static_cast<float>(polygon % 3) / 2;
            ShadingRecord sample = host.sampleOn(item, polygon, u, v);
            if (polygon % 2) sample->wNorm[1] += 0.125;
            samples.push_back(sample);
        }
    }
    return samples;
}

bool SameNormals(const LWShaderAccess &a, const LWShaderAccess &b) {
    return std::memcmp(a.wNorm, b.wNorm, sizeof a.wNorm) == 0 &&
           std::memcmp(a.wNorm0, b.wNorm0, sizeof a.wNorm0) == 0;
}

TEST(EvaluateConcurrency, ThreadsAgreeWithOneThreadWhileCachesAreEmptied) {
    LinkedSession host(TwoObjects());
    LWInstance instance = host.create();
    AddSet(host, instance, "band0", 1.0);
    AddSet(host, instance, "band1", 0.6, 1);
    AddSet(host, instance, "band2", 1.2);
    AddSet(host, instance, "can", 0.9);

    const std::vector<ShadingRecord> unshaded = SamplesEverywhere(host);
    std::vector<ShadingRecord> expected = unshaded;
    for (ShadingRecord &sample : expected) host.shade(instance, sample);

    constexpr int Shaders = 3, Rounds = 6;
    std::atomic<int> shadersDone{0};
    std::vector<int> mismatches(Shaders, 0);
    std::vector<std::thread> threads;
    for (int thread = 0; thread < Shaders; ++thread) {
        threads.emplace_back([&, thread] {
            std::size_t count = unshaded.size();
            for (int round = 0; round < Rounds; ++round) {
                for (std::size_t step = 0; step < count; ++step) {
                    std::size_t index = (step * (thread + 1) + round) % count;
                    ShadingRecord sample = unshaded[index];
                    host.shade(instance, sample);
                    if (!SameNormals(sample.access(), expected[index].access()))
                        ++mismatches[thread];
                }
            }
            ++shadersDone;
        });
    }
    threads.emplace_back([&] {
        while (shadersDone.load() < Shaders) {
            host.beginRender();
            std::this_thread::yield();
            host.endRender();
        }
    });
    for (std::thread &thread : threads) thread.join();

    EXPECT_EQ(mismatches, std::vector<int>(Shaders, 0));
    MeshAccessTotals totals = host.objectInfoService().ledger().totals();
    EXPECT_EQ(totals.obtained, totals.destroyed);
    EXPECT_GE(totals[MeshCall::scanPolys], 4);
}

}  // namespace
