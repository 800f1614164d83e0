#include "shader/shader_instance.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

ShaderInstance *NewInstance(LWSurfaceID surface = nullptr) {
    return static_cast<ShaderInstance *>(create(nullptr, surface, nullptr));
}

struct InstanceDeleter {
    void operator()(ShaderInstance *instance) const { destroy(instance); }
};
using Instance = std::unique_ptr<ShaderInstance, InstanceDeleter>;

PolygonSetEntry &AddEntry(ShaderInstance &instance, const char *name, int enabled, double angle,
                          int sameSetOnly) {
    PolygonSetEntry &entry = instance.settings->append(name);
    entry.enabled = enabled;
    entry.angle = angle;
    entry.sameSetOnly = sameSetOnly;
    return entry;
}

TEST(DefaultSmoothingAngle, IsEightyNineAndAHalfDegreesToTheBit) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(DefaultSmoothingAngle), 0x3FF8FE3CC6FF87DEull);
    PolygonSetEntry entry;
    EXPECT_EQ(entry.enabled, 0);
    EXPECT_EQ(entry.sameSetOnly, 0);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(entry.angle), 0x3FF8FE3CC6FF87DEull);
}

TEST(ShaderInstance, CreateKeepsTheSurfaceAndStartsEmpty) {
    int surface;
    LWError error = nullptr;
    Instance instance(static_cast<ShaderInstance *>(create(nullptr, &surface, &error)));
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(error, nullptr);
    EXPECT_EQ(instance->surface, &surface);
    ASSERT_NE(instance->settings, nullptr);
    EXPECT_EQ(instance->settings->size(), 0u);
}

TEST(ShaderInstance, CopyMakesAnIndependentEqualList) {
    int fromSurface, toSurface;
    Instance from(NewInstance(&fromSurface)), to(NewInstance(&toSurface));
    AddEntry(*from, "rim", 1, 0.25, 0);
    AddEntry(*from, "", 7, -0.0, -3);
    // Stored as bytes: passed by value, an x87 build would already have quieted it.
    const std::uint64_t signallingNaN = 0x7FF4000000000001ull;
    std::memcpy(&AddEntry(*from, "nan", 1, 0.0, 0).angle, &signallingNaN, sizeof signallingNaN);
    AddEntry(*to, "stale", 1, 1.0, 1);
    PolygonSetList *toList = to->settings.get();

    EXPECT_EQ(copy(to.get(), from.get()), nullptr);
    EXPECT_EQ(to->settings.get(), toList);
    EXPECT_EQ(to->surface, &toSurface);
    ASSERT_EQ(to->settings->size(), 3u);
    std::uint64_t copiedBits;
    std::memcpy(&copiedBits, &to->settings->at(2).angle, sizeof copiedBits);
    EXPECT_EQ(copiedBits, signallingNaN);
    EXPECT_EQ(to->settings->at(0).name, "rim");
    EXPECT_EQ(to->settings->at(0).enabled, 1);
    EXPECT_EQ(to->settings->at(0).angle, 0.25);
    EXPECT_EQ(to->settings->at(1).name, "");
    EXPECT_EQ(to->settings->at(1).enabled, 7);
    EXPECT_TRUE(std::signbit(to->settings->at(1).angle));
    EXPECT_EQ(to->settings->at(1).sameSetOnly, -3);

    to->settings->at(0).enabled = 0;
    from->settings->at(1).angle = 2.0;
    EXPECT_EQ(from->settings->at(0).enabled, 1);
    EXPECT_TRUE(std::signbit(to->settings->at(1).angle));
}

TEST(ShaderInstance, CopyFromEmptyEmptiesTheDestination) {
    Instance from(NewInstance()), to(NewInstance());
    AddEntry(*to, "a", 1, 1.0, 1);
    copy(to.get(), from.get());
    EXPECT_EQ(to->settings->size(), 0u);
}

TEST(ShaderInstance, CopyOntoItselfKeepsTheList) {
    Instance instance(NewInstance());
    AddEntry(*instance, "a", 1, 0.5, 1);
    AddEntry(*instance, "b", 0, 0.75, 0);
    EXPECT_EQ(copy(instance.get(), instance.get()), nullptr);
    ASSERT_EQ(instance->settings->size(), 2u);
    EXPECT_EQ(instance->settings->at(0).name, "a");
    EXPECT_EQ(instance->settings->at(1).angle, 0.75);
}

TEST(PolygonSetList, LookupIsExactCaseSensitiveAndFirstWins) {
    Instance instance(NewInstance());
    PolygonSetEntry &first = AddEntry(*instance, "Rim", 1, 0.5, 0);
    AddEntry(*instance, "Rim", 0, 0.9, 1);
    AddEntry(*instance, "", 1, 0.1, 0);
    EXPECT_EQ(instance->settings->find("Rim"), &first);
    EXPECT_EQ(instance->settings->find("rim"), nullptr);
    EXPECT_EQ(instance->settings->find("Rim "), nullptr);
    EXPECT_EQ(instance->settings->find("")->angle, 0.1);
}

TEST(PolygonSetList, RemoveKeepsTheOrderOfTheOthers) {
    PolygonSetList list;
    list.append("a");
    list.append("b");
    list.append("c");
    list.remove(1);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.at(0).name, "a");
    EXPECT_EQ(list.at(1).name, "c");
}

TEST(ShaderInstance, DescriptionFlagsAndNeutralCallbacks) {
    Instance a(NewInstance()), b(NewInstance());
    AddEntry(*b, "x", 1, 0.0, 1);
    EXPECT_STREQ(descln(a.get()), "KV's Velmora Shader version 0.16");
    EXPECT_STREQ(descln(b.get()), "KV's Velmora Shader version 0.16");
    EXPECT_EQ(descln(a.get()), a->description);
    EXPECT_EQ(flags(a.get()), 0x401u);
    EXPECT_EQ(flags(b.get()), 0x401u);
    EXPECT_EQ(useItems(a.get()), nullptr);
    changeID(a.get(), nullptr);
    EXPECT_EQ(newTime(a.get(), 12, 0.5), nullptr);
    EXPECT_EQ(b->settings->size(), 1u);
}

}  // namespace
