#include "plugindata/plugin_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/streams/binary_stream.h"
#include "host/streams/recording_stream.h"
#include "host/streams/stream_file.h"
#include "host/streams/text_stream.h"

namespace {

using Calls = std::vector<std::string>;
constexpr ParamDescriptor End = {nullptr, 0, nullptr, 0, nullptr, nullptr};

void SaveSevenAndSeventySeven(const LWSaveState *state, void *) {
    const int values[] = {7, 77};
    state->writeI4(state->writeData, values, 2);
}

// A PUSR value of the tests: two integers.
void ReadPair(const LWLoadState *state, void *data) {
    state->readI4(state->readData, static_cast<int *>(data), 2);
}

std::unique_ptr<LoadStream> Saved(int mode, const ParamDescriptor *table) {
    std::unique_ptr<SaveStream> out = MakeSaveStream(mode);
    PluginDataSave(out->state(), table);
    return MakeLoadStream(mode, out->bytes());
}

TextLoadStream Text(const std::string &text) {
    return TextLoadStream(std::vector<unsigned char>(text.begin(), text.end()));
}

TEST(PluginDataSave, WritesEachRowWithDataInABlockOfItsOwn) {
    unsigned char bytes[] = {1, 2, 0xFF};
    double doubles[] = {1.0};
    float floats[] = {0.5f};
    int ints[] = {-5, 6};
    char text[99] = "hello";
    unsigned int unsigneds[] = {0xCAFE};
    int unused = 0;
    const ParamDescriptor table[] = {
        {"bin", PBIN, bytes, 3, nullptr, nullptr},
        {"skipped", PINT, nullptr, 4, nullptr, nullptr},
        {"dbl", PDBL, doubles, 1, nullptr, nullptr},
        {"flt", PFLT, floats, 1, nullptr, nullptr},
        {"int", PINT, ints, 2, nullptr, nullptr},
        {"str", PSTR, text, 99, nullptr, nullptr},
        {"unt", PUNT, unsigneds, 1, nullptr, nullptr},
        {"usr", PUSR, &unused, 0, SaveSevenAndSeventySeven, nullptr},
        {"silent", PUSR, &unused, 0, nullptr, nullptr},
        {"odd", LWID_('X', 'Y', 'Z', 'W'), &unused, 1, nullptr, nullptr},
        End,
        {"after the end", PINT, ints, 1, nullptr, nullptr},
    };
    RecordingSaveStream stream;
    PluginDataSave(stream.state(), table);
    auto block = [](const char *name, const char *type, Calls value) {
        Calls calls = {"beginBlk PDPR PluginDataParam 0", "writeStr \"" + std::string(name) + "\"",
                       "writeU4 " + std::string(type)};
        calls.insert(calls.end(), value.begin(), value.end());
        calls.push_back("endBlk");
        return calls;
    };
    Calls expected = {"beginBlk PDLB PluginDataLib 0", "writeI4 9"};
    for (const Calls &part :
         {block("bin", "5042494E", {"writeU1 0102FF"}),
          block("dbl", "5044424C", {"writeU1 3FF0000000000000"}),
          block("flt", "50464C54", {"writeFP 0.5"}), block("int", "50494E54", {"writeI4 -5 6"}),
          block("str", "50535452", {"writeStr \"hello\""}),
          block("unt", "50554E54", {"writeU4 CAFE"}), block("usr", "50555352", {"writeI4 7 77"}),
          block("silent", "50555352", {}), block("odd", "58595A57", {})})
        expected.insert(expected.end(), part.begin(), part.end());
    expected.push_back("endBlk");
    EXPECT_EQ(stream.calls(), expected);
}

TEST(PluginDataSave, AnEmptyTableGivesTheOuterBlockWithCountZero) {
    RecordingSaveStream stream;
    PluginDataSave(stream.state(), &End);
    EXPECT_EQ(stream.calls(), (Calls{"beginBlk PDLB PluginDataLib 0", "writeI4 0", "endBlk"}));
}

TEST(PluginDataLoad, EverySevenTypesComeBackInBothForms) {
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        unsigned char bytes[] = {0, 0x7F, 0xFF};
        double doubles[] = {-0.0, 1e300};
        float floats[] = {0.1f, -3.0f};
        int ints[] = {-2147483647 - 1, 2147483647};
        char text[16] = "a \"b\" c";
        unsigned int unsigneds[] = {0, 0xFFFFFFFF};
        int pair[] = {7, 77};
        const ParamDescriptor saved[] = {{"bin", PBIN, bytes, 3, nullptr, nullptr},
                                         {"dbl", PDBL, doubles, 2, nullptr, nullptr},
                                         {"flt", PFLT, floats, 2, nullptr, nullptr},
                                         {"int", PINT, ints, 2, nullptr, nullptr},
                                         {"str", PSTR, text, 16, nullptr, nullptr},
                                         {"unt", PUNT, unsigneds, 2, nullptr, nullptr},
                                         {"usr", PUSR, pair, 0, SaveSevenAndSeventySeven, nullptr},
                                         End};
        std::unique_ptr<LoadStream> in = Saved(mode, saved);

        unsigned char rbytes[3] = {};
        double rdoubles[2] = {};
        float rfloats[2] = {};
        int rints[2] = {};
        char rtext[16] = {};
        unsigned int runsigneds[2] = {};
        int rpair[2] = {};
        const ParamDescriptor loaded[] = {{"usr", PUSR, rpair, 0, nullptr, ReadPair},
                                          {"unt", PUNT, runsigneds, 2, nullptr, nullptr},
                                          {"str", PSTR, rtext, 16, nullptr, nullptr},
                                          {"int", PINT, rints, 2, nullptr, nullptr},
                                          {"flt", PFLT, rfloats, 2, nullptr, nullptr},
                                          {"dbl", PDBL, rdoubles, 2, nullptr, nullptr},
                                          {"bin", PBIN, rbytes, 3, nullptr, nullptr},
                                          End};
        PluginDataLoad(in->state(), loaded);
        EXPECT_EQ(std::memcmp(rbytes, bytes, sizeof bytes), 0) << mode;
        EXPECT_EQ(std::memcmp(rdoubles, doubles, sizeof doubles), 0) << mode;
        EXPECT_EQ(std::memcmp(rfloats, floats, sizeof floats), 0) << mode;
        EXPECT_EQ(std::memcmp(rints, ints, sizeof ints), 0) << mode;
        EXPECT_STREQ(rtext, text) << mode;
        EXPECT_EQ(std::memcmp(runsigneds, unsigneds, sizeof unsigneds), 0) << mode;
        EXPECT_EQ(rpair[1], 77) << mode;
    }
}

TEST(PluginDataLoad, NameAndTypeMustBothMatchExactly) {
    int stored[] = {5, 6};
    const ParamDescriptor saved[] = {{"plist", PUSR, stored, 0, SaveSevenAndSeventySeven, nullptr},
                                     {"count", PINT, stored, 1, nullptr, nullptr},
                                     End};
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        std::unique_ptr<LoadStream> in = Saved(mode, saved);
        int asInt[2] = {-1, -1}, otherCase[2] = {-1, -1}, count = -1, untouched = -1;
        const ParamDescriptor table[] = {{"plist", PINT, asInt, 2, nullptr, nullptr},
                                         {"PList", PUSR, otherCase, 0, nullptr, ReadPair},
                                         {"count", PINT, &count, 1, nullptr, nullptr},
                                         {"absent", PINT, &untouched, 1, nullptr, nullptr},
                                         End};
        PluginDataLoad(in->state(), table);
        EXPECT_EQ(asInt[0], -1);
        EXPECT_EQ(otherCase[0], -1);
        EXPECT_EQ(count, 5);
        EXPECT_EQ(untouched, -1);
    }
}

TEST(PluginDataLoad, AParameterStoredTwiceKeepsTheLaterValue) {
    int first = 1, second = 2;
    const ParamDescriptor saved[] = {
        {"n", PINT, &first, 1, nullptr, nullptr}, {"n", PINT, &second, 1, nullptr, nullptr}, End};
    std::unique_ptr<LoadStream> in = Saved(LWIO_BINARY, saved);
    int value = 0;
    const ParamDescriptor table[] = {{"n", PINT, &value, 1, nullptr, nullptr}, End};
    PluginDataLoad(in->state(), table);
    EXPECT_EQ(value, 2);
}

TEST(PluginDataLoad, RowsWithoutDataOrLoadFunctionPassTheirBlockOver) {
    int pair[] = {0, 0}, after = 9;
    const ParamDescriptor saved[] = {{"usr", PUSR, pair, 0, SaveSevenAndSeventySeven, nullptr},
                                     {"n", PINT, &after, 1, nullptr, nullptr},
                                     {"m", PINT, &after, 1, nullptr, nullptr},
                                     End};
    std::unique_ptr<LoadStream> source = Saved(LWIO_ASCII, saved);
    RecordingLoadStream in(*source);
    int n = 0, m = 0, second = 0;
    const ParamDescriptor table[] = {{"usr", PUSR, pair, 0, nullptr, nullptr},
                                     {"n", PINT, nullptr, 1, nullptr, nullptr},
                                     {"n", PINT, &second, 1, nullptr, nullptr},
                                     {"m", PINT, &m, 1, nullptr, nullptr},
                                     End};
    PluginDataLoad(in.state(), table);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(m, 9);
    EXPECT_EQ(in.calls(), (Calls{"findBlk PDLB -> PDLB", "readI4 1 -> 1", "findBlk PDPR -> PDPR",
                                 "readStr 512 -> 3 \"usr\"", "readU4 1 -> 1", "endBlk",
                                 "findBlk PDPR -> PDPR", "readStr 512 -> 1 \"n\"", "readU4 1 -> 1",
                                 "endBlk", "findBlk PDPR -> PDPR", "readStr 512 -> 1 \"m\"",
                                 "readU4 1 -> 1", "readI4 1 -> 1", "endBlk", "endBlk"}));
}

TEST(PluginDataLoad, MissingOuterBlockOrCountFillsNothingAndEndsTheBlock) {
    int value = -1;
    const ParamDescriptor table[] = {{"n", PINT, &value, 1, nullptr, nullptr}, End};
    TextLoadStream noOuter = Text("{ PluginDataParam\n\"n\"\n50494E54\n4\n}\n");
    RecordingLoadStream recordedNoOuter(noOuter);
    PluginDataLoad(recordedNoOuter.state(), table);
    EXPECT_EQ(recordedNoOuter.calls(), (Calls{"findBlk PDLB -> 0", "endBlk"}));

    TextLoadStream noCount = Text("{ PluginDataLib\n{ PluginDataParam\n\"n\"\n50494E54\n4\n}\n}\n");
    RecordingLoadStream recordedNoCount(noCount);
    PluginDataLoad(recordedNoCount.state(), table);
    EXPECT_EQ(recordedNoCount.calls(), (Calls{"findBlk PDLB -> PDLB", "readI4 1 -> 0", "endBlk"}));
    EXPECT_EQ(noCount.depth(), 0u);
    EXPECT_EQ(value, -1);
}

TEST(PluginDataLoad, UnreadableNameOrTypeEndsThatBlockOnly) {
    int value = -1;
    const ParamDescriptor table[] = {
        {"n", PINT, &value, 1, nullptr, nullptr}, {"", PINT, &value, 1, nullptr, nullptr}, End};
    TextLoadStream stream = Text(
        "{ PluginDataLib\n4\n{ PluginDataParam\n}\n{ PluginDataParam\n\"\"\n50494E54\n1\n}\n"
        "{ PluginDataParam\n\"n\"\nnot-hex\n2\n}\n{ PluginDataParam\n\"n\"\n50494E54\n3\n}\n}\n");
    RecordingLoadStream in(stream);
    PluginDataLoad(in.state(), table);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(in.calls(),
              (Calls{"findBlk PDLB -> PDLB", "readI4 1 -> 1", "findBlk PDPR -> PDPR",
                     "readStr 512 -> -1", "endBlk", "findBlk PDPR -> PDPR", "readStr 512 -> 0 \"\"",
                     "endBlk", "findBlk PDPR -> PDPR", "readStr 512 -> 1 \"n\"", "readU4 1 -> 0",
                     "endBlk", "findBlk PDPR -> PDPR", "readStr 512 -> 1 \"n\"", "readU4 1 -> 1",
                     "readI4 1 -> 1", "endBlk", "endBlk"}));
}

// The count comes from the stream: a larger one than the blocks there stops at the first block
// that is missing.
TEST(PluginDataLoad, FewerBlocksThanCountedStopsAtTheFirstMissingOne) {
    int value = -1;
    const ParamDescriptor table[] = {{"n", PINT, &value, 1, nullptr, nullptr}, End};
    TextLoadStream stream =
        Text("{ PluginDataLib\n2147483647\n{ PluginDataParam\n\"n\"\n50494E54\n4\n}\n}\n");
    RecordingLoadStream in(stream);
    PluginDataLoad(in.state(), table);
    EXPECT_EQ(value, 4);
    EXPECT_EQ(in.calls(), (Calls{"findBlk PDLB -> PDLB", "readI4 1 -> 1", "findBlk PDPR -> PDPR",
                                 "readStr 512 -> 1 \"n\"", "readU4 1 -> 1", "readI4 1 -> 1",
                                 "endBlk", "findBlk PDPR -> 0", "endBlk", "endBlk"}));
}

TEST(PluginDataLoad, ALongStoredNameIsCutToTheBufferAndMatchesOnlyTheCutName) {
    const std::string longName(600, 'n');
    int stored = 4;
    const ParamDescriptor saved[] = {{longName.c_str(), PINT, &stored, 1, nullptr, nullptr}, End};
    const std::string cut(511, 'n');
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        int whole = -1, cutValue = -1;
        const ParamDescriptor table[] = {{longName.c_str(), PINT, &whole, 1, nullptr, nullptr},
                                         {cut.c_str(), PINT, &cutValue, 1, nullptr, nullptr},
                                         End};
        std::unique_ptr<LoadStream> in = Saved(mode, saved);
        PluginDataLoad(in->state(), table);
        EXPECT_EQ(whole, -1) << "mode " << mode;
        EXPECT_EQ(cutValue, 4) << "mode " << mode;
    }
}

}  // namespace
