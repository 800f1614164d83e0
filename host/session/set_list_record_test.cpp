#include "host/session/set_list_record.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "host/scene/mesh_generators.h"
#include "host/scene/polygon_sets.h"
#include "host/session/folded_scene_testing.h"
#include "host/session/instance_stream.h"
#include "host/session/scripted_set_edits.h"
#include "host/session/set_list_record_testing.h"
#include "host/session/shader_blocks.h"
#include "host/streams/binary_stream.h"
#include "host/streams/stream_file.h"

namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

std::string ModulePath() {
    return std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p";
}

std::vector<StoredSet> StoredSetsOf(const std::vector<unsigned char> &bytes, int ioMode) {
    auto stream = MakeLoadStream(ioMode, bytes);
    return ReadStoredSets(*stream, bytes.size());
}

TEST(SetListRecord, WhatTheModuleSavesReadsBackInBothForms) {
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    ApplySetRequests(session, file, {{"Left", 30, true, true}, {"Right", 12.5, false, false}}, {});
    LWInstance instance = session.instanceOf(file, "Metal");
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        std::vector<StoredSet> sets = StoredSetsOf(SavedBytes(session, instance, mode), mode);
        ASSERT_EQ(sets.size(), 2u);
        EXPECT_EQ(sets[0].name, "Left");
        EXPECT_EQ(sets[0].sameSetOnly, 1);
        EXPECT_DOUBLE_EQ(sets[0].angleRadians, 30 * std::numbers::pi / 180);
        EXPECT_EQ(sets[1].name, "Right");
        EXPECT_EQ(sets[1].enabled, 0);
    }
}

// A record of one set, with the parts a test wants changed.
std::vector<unsigned char> Record(int version, const char *parameter, int setCount,
                                  int parameterCount = 1) {
    const double tenDegrees = 10 * std::numbers::pi / 180;
    return SetListRecord({{"Lid", 1, tenDegrees, 1}}, version, parameter, setCount, parameterCount);
}

// The module keeps a flag of 2 (read as on) and uses the first of two sets of one name: a block
// an object stores is read as the module reads it, and only a settings file is refused them.
TEST(SetListRecord, FlagsBeyondOneAndRepeatedSetsAreRefusedOnlyAsEdited) {
    const std::vector<unsigned char> bytes =
        SetListRecord({{"Lid", 2, 0.5, 7}, {"Lid", 1, 0.5, 0}});
    EXPECT_EQ(StoredSetsOf(bytes, LWIO_BINARY).size(), 2u);
    auto stream = MakeLoadStream(LWIO_BINARY, bytes);
    std::vector<char> buffer(bytes.size() + 1);
    EXPECT_THAT([&] { ReadStoredSets(*stream, buffer, StoredSetReading::asEdited); },
                ThrowsMessage<std::runtime_error>(HasSubstr("enabled is 2")));
}

TEST(SetListRecord, ARecordTheModuleWouldLoseOrMisreadIsRefusedSayingWhere) {
    EXPECT_EQ(StoredSetsOf(Record(256, "plist", 1), LWIO_BINARY).size(), 1u);
    auto refusal = [](const std::vector<unsigned char> &bytes) {
        return [bytes] { StoredSetsOf(bytes, LWIO_BINARY); };
    };
    EXPECT_THAT(refusal({}), ThrowsMessage<std::runtime_error>("no record version"));
    EXPECT_THAT(refusal(Record(257, "plist", 1)),
                ThrowsMessage<std::runtime_error>(HasSubstr("record version 257")));
    EXPECT_THAT(refusal(Record(256, "plost", 1)),
                ThrowsMessage<std::runtime_error>(HasSubstr("unknown parameter \"plost\"")));
    EXPECT_THAT(refusal(Record(256, "plist", 2)),
                ThrowsMessage<std::runtime_error>(HasSubstr("set 2 of 2: no name")));
    EXPECT_THAT(refusal(Record(256, "plist", -5)),
                ThrowsMessage<std::runtime_error>(HasSubstr("count -5 is negative")));
    EXPECT_THAT(
        refusal(Record(256, "plist", 1, 2)),
        ThrowsMessage<std::runtime_error>(HasSubstr("promises 2 parameter blocks and holds 1")));
}

TEST(SetListRecord, OnlyNamesAndAnglesTheModuleTakesBackPass) {
    auto check = [](std::string name, double radians) {
        return [=] {
            StoredSetsOf(SetListRecord({{"Lid", 1, 1, 0}, {name, 1, radians, 0}}), LWIO_BINARY);
        };
    };
    EXPECT_NO_THROW(check(std::string(LongestStoredSetName, 'n'), 2 * std::numbers::pi)());
    EXPECT_NO_THROW(check("Sides", 0)());
    EXPECT_THAT(check(std::string(LongestStoredSetName + 1, 'n'), 1),
                ThrowsMessage<std::runtime_error>(HasSubstr("(511 bytes): the name is longer")));
    for (double radians : {std::nan(""), double(INFINITY), -0.1, 6.3, 1e300})
        EXPECT_THAT(
            check("Sides", radians),
            ThrowsMessage<std::runtime_error>(HasSubstr("set 2 of 2 \"Sides\": smoothing angle")));
}

// Sets of 99-byte names take 116 bytes each in the binary form: 564 fit the block, 565 do not.
Scene SetsOfLongNames(int count) {
    MeshData mesh;
    for (int set = 0; set < count; ++set) {
        std::string name = std::to_string(set);
        AppendMesh(mesh, MakeGrid(1, 1, {"Metal", name + std::string(99 - name.size(), 'x')}));
    }
    Scene scene;
    scene.items.push_back({"Sets", MakeObjectFile("sets.lwo", std::move(mesh))});
    return scene;
}

TEST(SetListRecord, TheSetThatNoLongerFitsTheBinaryBlockIsNamed) {
    for (int count : {564, 565}) {
        HostSession session(SetsOfLongNames(count), ModulePath());
        const ObjectFile &file = *session.scene().items[0].file;
        std::vector<SetRequest> requests;
        for (const std::string &name : CollectPolygonSets(file.mesh).names)
            requests.push_back({name, 20});
        ApplySetRequests(session, file, requests, {});
        if (count == 564) {
            EXPECT_EQ(ShaderBlocksWithSettings(session, file).size(), 1u);
            continue;
        }
        EXPECT_THAT([&] { ShaderBlocksWithSettings(session, file); },
                    ThrowsMessage<std::runtime_error>(HasSubstr(
                        "sets.lwo: surface \"Metal\": the settings cannot be stored: set \"564x")));
        EXPECT_THROW(SavedBytes(session, session.instanceOf(file, "Metal"), LWIO_BINARY),
                     std::runtime_error);
    }
}

}  // namespace
