#include "tools/view/set_edit_json.h"

#include <gtest/gtest.h>

namespace {

int StatusOf(std::string_view body) {
    try {
        ReadSetEdit(body);
    } catch (const ViewRequestError &error) {
        return error.status;
    }
    return 0;
}

TEST(SetEditJson, TakesTheNamesAndWhatIsGiven) {
    SetEdit edit = ReadSetEdit(R"({"surface": "Metal", "set": "Wall", "angle": 30})");
    EXPECT_EQ(edit.surface, "Metal");
    EXPECT_EQ(edit.set, "Wall");
    EXPECT_EQ(edit.angleDegrees, 30.0);
    EXPECT_EQ(edit.enabled, std::nullopt);
    EXPECT_EQ(edit.sameSetOnly, std::nullopt);
    edit =
        ReadSetEdit(R"({"surface":"M","set":"W","enabled":false,"sameSetOnly":true,"angle":1.5})");
    EXPECT_EQ(edit.enabled, false);
    EXPECT_EQ(edit.sameSetOnly, true);
    EXPECT_EQ(edit.angleDegrees, 1.5);
    EXPECT_EQ(ReadSetEdit(R"({"surface":"M","set":"W","angle":0.000e-999})").angleDegrees, 0.0);
}

TEST(SetEditJson, RefusesWhatIsNotARequest) {
    for (std::string_view body :
         {"", "{", "[]", "\"Wall\"", R"({"set": "Wall"})", R"({"surface": "Metal"})",
          R"({"surface": 1, "set": "Wall"})", R"({"surface": "M", "set": "W", "angle": "30"})",
          R"({"surface": "M", "set": "W", "enabled": 1})",
          R"({"surface": "M", "set": "W", "x": 1})", R"({"surface":"M","set":"W","angle":1e-400})",
          R"({"surface":"M","set":"W","angle":1e400})",
          "{\"surface\": \"M\", \"set\": \"W\"} trailing"})
        EXPECT_EQ(StatusOf(body), 400) << body;
}

TEST(SetEditJson, DeepNestingIsRefusedNotACrash) {
    std::string deep(100000, '[');
    EXPECT_EQ(StatusOf(deep), 400);
}

}  // namespace
