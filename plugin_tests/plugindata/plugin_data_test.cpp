#include "plugindata/plugin_data.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// One parameter of each of the seven types.
struct SevenTypes {
    unsigned char bytes[3] = {};
    double doubles[2] = {};
    float floats[2] = {};
    int ints[2] = {};
    char text[16] = {};
    unsigned int unsigneds[2] = {};
    int pair[2] = {};

    // Its rows, last first when `reversed`: a table's order is not the stream's.
    std::vector<ParamDescriptor> table(bool reversed) {
        std::vector<ParamDescriptor> rows = {
            {"bin", PBIN, bytes, 3, nullptr, nullptr},
            {"dbl", PDBL, doubles, 2, nullptr, nullptr},
            {"flt", PFLT, floats, 2, nullptr, nullptr},
            {"int", PINT, ints, 2, nullptr, nullptr},
            {"str", PSTR, text, 16, nullptr, nullptr},
            {"unt", PUNT, unsigneds, 2, nullptr, nullptr},
            {"usr", PUSR, pair, 0, SaveSevenAndSeventySeven, ReadPair},
        };
        if (reversed) std::reverse(rows.begin(), rows.end());
        rows.push_back(End);
        return rows;
    }

    // By their bytes, so that the sign of zero counts.
    bool operator==(const SevenTypes &other) const {
        return Same(bytes, other.bytes) && Same(doubles, other.doubles) &&
               Same(floats, other.floats) && Same(ints, other.ints) && Same(text, other.text) &&
               Same(unsigneds, other.unsigneds) && Same(pair, other.pair);
    }

  private:
    template <typename T, std::size_t n>
    static bool Same(const T (&a)[n], const T (&b)[n]) {
        return std::memcmp(a, b, sizeof a) == 0;
    }
};

// Values at the ends of their types' ranges, and a text with quotes.
SevenTypes Filled() {
    SevenTypes values;
    const unsigned char bytes[] = {0, 0x7F, 0xFF};
    std::memcpy(values.bytes, bytes, sizeof bytes);
    values.doubles[0] = -0.0;
    values.doubles[1] = 1e300;
    values.floats[0] = 0.1f;
    values.floats[1] = -3.0f;
    values.ints[0] = -2147483647 - 1;
    values.ints[1] = 2147483647;
    std::strcpy(values.text, "a \"b\" c");
    values.unsigneds[1] = 0xFFFFFFFF;
    values.pair[0] = 7;
    values.pair[1] = 77;
    return values;
}

// The load record of a host that fills the whole of readStr's maximum with text and writes no
// terminating NUL; its other functions are those of `state`.
int (*terminatingReadStr)(void *, char *, int) = nullptr;

LWLoadState WithoutTerminatingNul(const LWLoadState &state) {
    terminatingReadStr = state.readStr;
    LWLoadState record = state;
    record.readStr = [](void *data, char *buffer, int max) {
        std::vector<char> text(static_cast<std::size_t>(max) + 1);
        const int length = terminatingReadStr(data, text.data(), max + 1);
        if (length > 0) std::memcpy(buffer, text.data(), static_cast<std::size_t>(length));
        return length;
    };
    return record;
}

TEST(PluginDataSave, WritesEachRowWithDataInABlockOfItsOwn) {
    SevenTypes values = Filled();
    int unused = 0;
    std::vector<ParamDescriptor> table = values.table(false);
    table.insert(table.begin() + 1, {"skipped", PINT, nullptr, 4, nullptr, nullptr});
    table.insert(table.end() - 1,
                 {{"silent", PUSR, &unused, 0, nullptr, nullptr},
                  {"odd", LWID_('X', 'Y', 'Z', 'W'), &unused, 1, nullptr, nullptr}});
    table.push_back({"after the end", PINT, &unused, 1, nullptr, nullptr});
    RecordingSaveStream stream;
    PluginDataSave(stream.state(), table.data());
    auto block = [](const char *name, const char *type, Calls value) {
        Calls calls = {"beginBlk PDPR PluginDataParam 0", "writeStr \"" + std::string(name) + "\"",
                       "writeU4 " + std::string(type)};
        calls.insert(calls.end(), value.begin(), value.end());
        calls.push_back("endBlk");
        return calls;
    };
    Calls expected = {"beginBlk PDLB PluginDataLib 0", "writeI4 9"};
    for (const Calls &part :
         {block("bin", "5042494E", {"writeU1 007FFF"}),
          block("dbl", "5044424C", {"writeU1 80000000000000007E37E43C8800759C"}),
          block("flt", "50464C54", {"writeFP 0.1 -3"}),
          block("int", "50494E54", {"writeI4 -2147483648 2147483647"}),
          block("str", "50535452", {"writeStr \"a \"b\" c\""}),
          block("unt", "50554E54", {"writeU4 0 FFFFFFFF"}),
          block("usr", "50555352", {"writeI4 7 77"}), block("silent", "50555352", {}),
          block("odd", "58595A57", {})})
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
    const SevenTypes saved = Filled();
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        SevenTypes stored = saved, loaded;
        std::unique_ptr<LoadStream> in = Saved(mode, stored.table(false).data());
        PluginDataLoad(in->state(), loaded.table(true).data());
        EXPECT_TRUE(loaded == saved) << "mode " << mode;
    }
}

// A stand-in stream counts the NUL in readStr's maximum, and the record of a host that writes
// none fills the whole maximum: either way the text ends inside its buffer, cut to the size the
// row gives it.
TEST(PluginDataLoad, ALongTextIsCutToItsBufferAndEndsInIt) {
    const std::string stored(40, 't');
    char source[41] = {};
    stored.copy(source, stored.size());
    const ParamDescriptor saved[] = {{"str", PSTR, source, 41, nullptr, nullptr}, End};
    struct {
        char text[16];
        char after[4];
    } buffer;
    const ParamDescriptor table[] = {{"str", PSTR, buffer.text, 16, nullptr, nullptr}, End};
    auto load = [&](const LWLoadState &state) {
        std::memset(&buffer, '#', sizeof buffer);
        PluginDataLoad(&state, table);
        EXPECT_EQ(std::string(buffer.after, 4), "####");
        return std::string(buffer.text, std::find(buffer.text, std::end(buffer.text), '\0'));
    };
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        std::unique_ptr<LoadStream> in = Saved(mode, saved);
        EXPECT_EQ(load(*in->state()), stored.substr(0, 14)) << "mode " << mode;
        std::unique_ptr<LoadStream> again = Saved(mode, saved);
        EXPECT_EQ(load(WithoutTerminatingNul(*again->state())), stored.substr(0, 15))
            << "mode " << mode;
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

// A row without data that matches a stored parameter by name and type passes its value over:
// nothing is read into the null destination, by the table or by the row's load function.
TEST(PluginDataLoad, ARowWithoutDataReadsNothingOfTheParameterItMatches) {
    SevenTypes values = Filled();
    const std::vector<ParamDescriptor> saved = values.table(false);
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        std::unique_ptr<LoadStream> source = Saved(mode, saved.data());
        RecordingLoadStream in(*source);
        std::vector<ParamDescriptor> withoutData = saved;
        Calls expected = {"findBlk PDLB -> PDLB", "readI4 1 -> 1"};
        for (std::size_t row = 0; row + 1 < saved.size(); ++row) {
            withoutData[row].data = nullptr;
            expected.insert(expected.end(),
                            {"findBlk PDPR -> PDPR",
                             "readStr 512 -> 3 \"" + std::string(saved[row].name) + "\"",
                             "readU4 1 -> 1", "endBlk"});
        }
        expected.push_back("endBlk");
        PluginDataLoad(in.state(), withoutData.data());
        EXPECT_EQ(in.calls(), expected) << "mode " << mode;
    }
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
