#include "host/render/shader_hook.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace render {
namespace {

std::vector<std::string> calls;
const char *failingStep = "";

std::string Name(LWInstance instance) {
    return static_cast<const char *>(instance);
}

LWError Init(LWInstance instance, int mode) {
    calls.push_back("init " + Name(instance) + " " + std::to_string(mode));
    return std::string(failingStep) == "init " + Name(instance) ? "no memory" : nullptr;
}
LWError NewTime(LWInstance instance, LWFrame frame, LWTime time) {
    calls.push_back("newTime " + Name(instance) + " " + std::to_string(frame) + " " +
                    std::to_string(time));
    return nullptr;
}
void Cleanup(LWInstance instance) {
    calls.push_back("cleanup " + Name(instance));
}

LWRenderFuncs renderFuncs{Init, Cleanup, NewTime};
LWShaderHandler handler{nullptr, nullptr, &renderFuncs, nullptr, nullptr};
LWShaderHandler withoutRenderFuncs{nullptr, nullptr, nullptr, nullptr, nullptr};
char first[] = "A", second[] = "B";

class ShaderPassTest : public ::testing::Test {
  protected:
    void SetUp() override {
        calls.clear();
        failingStep = "";
    }
};

TEST_F(ShaderPassTest, StartsEachInstanceOnceAndCleansUpAtTheEnd) {
    ShaderHooks hooks{{"Body", {&handler, first}},
                      {"Glass", {&handler, second}},
                      {"Trim", {&handler, first}},
                      {"Plain", {&withoutRenderFuncs, second}}};
    { ShaderPass pass(hooks); }
    EXPECT_THAT(calls,
                ::testing::UnorderedElementsAre("init A 1", "newTime A 0 0.000000", "init B 1",
                                                "newTime B 0 0.000000", "cleanup A", "cleanup B"));
    EXPECT_EQ(calls.front(), "init A 1");
    EXPECT_EQ(calls[1], "newTime A 0 0.000000");
}

TEST_F(ShaderPassTest, InitErrorNamesTheSurfaceAndCleansUpWhatStarted) {
    failingStep = "init B";
    ShaderHooks hooks{{"Body", {&handler, first}}, {"Glass", {&handler, second}}};
    EXPECT_THAT([&] { ShaderPass pass(hooks); },
                ::testing::ThrowsMessage<std::runtime_error>(
                    "surface \"Glass\": shader init failed: no memory"));
    EXPECT_EQ(calls.back(), "cleanup A");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "cleanup B"), 0);
}

}  // namespace
}  // namespace render
