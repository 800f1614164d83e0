#include "plugindata/settings_record.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "host/loader/handler_records.h"
#include "host/services/service_table.h"
#include "host/streams/binary_stream.h"
#include "host/streams/recording_stream.h"
#include "host/streams/stream_file.h"
#include "host/streams/text_stream.h"
#include "hostapi/lwhandler.h"
#include "hostapi/lwserver.h"
#include "module/host_services.h"
#include "plugin_tests/plugindata/double_bits_testing.h"
#include "plugindata/plugin_data.h"
#include "shader/shader_instance.h"

extern "C" ModuleDescriptor _mod_descrip;

namespace {

using Calls = std::vector<std::string>;
using Bytes = std::vector<unsigned char>;

struct Entry {
    std::string name;
    std::int32_t enabled;
    std::uint64_t angle;
    std::int32_t sameSetOnly;
    bool operator==(const Entry &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Entry &entry) {
    return out << "{\"" << entry.name << "\", " << entry.enabled << ", " << std::hex << entry.angle
               << std::dec << ", " << entry.sameSetOnly << "}";
}

// The host's side: the handler record filled by the module's activation, and instances made
// and released through it.
class SettingsRecord : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(
            _mod_descrip.serverDefs[0].activate(LWSHADER_VERSION, host.global(), &handler, nullptr),
            AFUNC_OK);
    }
    void TearDown() override {
        for (LWInstance instance : instances) inst.destroy(instance);
        hostServices = {};
    }

    LWInstance newInstance(std::vector<Entry> entries = {}) {
        LWInstance instance = inst.create(inst.priv, nullptr, nullptr);
        instances.push_back(instance);
        for (const Entry &entry : entries) {
            PolygonSetEntry &added = list(instance).append(entry.name);
            added.enabled = entry.enabled;
            SetBits(added.angle, entry.angle);
            added.sameSetOnly = entry.sameSetOnly;
        }
        return instance;
    }
    static PolygonSetList &list(LWInstance instance) {
        return *static_cast<ShaderInstance *>(instance)->settings;
    }
    static std::vector<Entry> entries(LWInstance instance) {
        std::vector<Entry> result;
        const PolygonSetList &settings = list(instance);
        for (std::size_t i = 0; i < settings.size(); ++i) {
            const PolygonSetEntry &e = settings.at(i);
            result.push_back({e.name, e.enabled, Bits(e.angle), e.sameSetOnly});
        }
        return result;
    }

    Bytes saved(LWInstance instance, int mode) {
        std::unique_ptr<SaveStream> out = MakeSaveStream(mode);
        EXPECT_EQ(inst.save(instance, out->state()), nullptr);
        return out->bytes();
    }
    void load(LWInstance instance, int mode, const Bytes &bytes) {
        std::unique_ptr<LoadStream> in = MakeLoadStream(mode, bytes);
        EXPECT_EQ(inst.load(instance, in->state()), nullptr);
    }
    void loadText(LWInstance instance, const std::string &text) {
        load(instance, LWIO_ASCII, Bytes(text.begin(), text.end()));
    }

    ServiceTable host;
    ShaderHandlerRecords records;
    LWShaderHandler &handler = records.handler;
    LWInstanceFuncs &inst = records.inst;
    std::vector<LWInstance> instances;
};

constexpr std::uint64_t DefaultAngle = 0x3FF8FE3CC6FF87DE;
const std::vector<Entry> Kept = {{"kept", 1, DefaultAngle, 1}};

const std::string RecordHead = "256\n{ PluginDataLib\n1\n{ PluginDataParam\n\"plist\"\n50555352\n";

Calls SavedCalls(const LWInstanceFuncs &inst, LWInstance instance) {
    RecordingSaveStream stream;
    EXPECT_EQ(inst.save(instance, stream.state()), nullptr);
    return stream.calls();
}

TEST_F(SettingsRecord, SaveWritesTheMarkerAndOneParameterHoldingTheList) {
    const Calls head = {"writeI4 256",        "beginBlk PDLB PluginDataLib 0",
                        "writeI4 1",          "beginBlk PDPR PluginDataParam 0",
                        "writeStr \"plist\"", "writeU4 50555352"};
    auto expected = [&](Calls record) {
        Calls calls = head;
        calls.insert(calls.end(), record.begin(), record.end());
        calls.insert(calls.end(), {"endBlk", "endBlk"});
        return calls;
    };
    EXPECT_EQ(SavedCalls(inst, newInstance()), expected({"writeI4 0"}));
    EXPECT_EQ(SavedCalls(inst, newInstance({{"rim", 1, DefaultAngle, 0}})),
              expected({"writeI4 1", "writeStr \"rim\"", "writeI4 1", "writeU1 3FF8FE3CC6FF87DE",
                        "writeI4 0"}));
    EXPECT_EQ(SavedCalls(inst, newInstance({{"rim", 1, DefaultAngle, 0},
                                            {"", 7, 0x8000000000000000, -3},
                                            {"rim", 0, 0x3FF0000000000000, 1}})),
              expected({"writeI4 3", "writeStr \"rim\"", "writeI4 1", "writeU1 3FF8FE3CC6FF87DE",
                        "writeI4 0", "writeStr \"\"", "writeI4 7", "writeU1 8000000000000000",
                        "writeI4 -3", "writeStr \"rim\"", "writeI4 0", "writeU1 3FF0000000000000",
                        "writeI4 1"}));
}

TEST_F(SettingsRecord, EntriesComeBackBitForBitInBothForms) {
    const std::vector<Entry> stored = {{"rim", 1, 0x8000000000000000, 0},
                                       {"", 7, 0x7FF0000000000000, -3},
                                       {"rim", -1, 0xFFF0000000000000, 2},
                                       {"Rim", 0, 0x7FF8000000000000, 1},
                                       {"x y", INT_MAX, 0x7FF0000000000001, INT_MIN},
                                       {"\"quoted\"", 2, 0xFFF4000000000000, 0},
                                       {"", 0, 0xFFF8000000000123, 5}};
    LWInstance source = newInstance(stored);
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        LWInstance target = newInstance(Kept);
        load(target, mode, saved(source, mode));
        EXPECT_EQ(entries(target), stored) << "mode " << mode;
        EXPECT_EQ(entries(source), stored);
    }
}

TEST_F(SettingsRecord, ARecordReplacesTheWholeListEvenWhenEmpty) {
    LWInstance empty = newInstance();
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        LWInstance target = newInstance(Kept);
        PolygonSetList *before = &list(target);
        load(target, mode, saved(empty, mode));
        EXPECT_TRUE(entries(target).empty());
        EXPECT_EQ(&list(target), before);
    }
}

TEST_F(SettingsRecord, AnyOtherMarkerLeavesTheListAsItWas) {
    const Bytes good = saved(newInstance({{"new", 1, DefaultAngle, 1}}), LWIO_BINARY);
    for (std::uint32_t marker : {0u, 255u, 257u, 0xFFFFFF00u, 0x10000u, 0x00010001u}) {
        Bytes bytes = good;
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(marker >> (24 - 8 * i));
        LWInstance target = newInstance(Kept);
        load(target, LWIO_BINARY, bytes);
        EXPECT_EQ(entries(target), Kept) << marker;
    }
    LWInstance fresh = newInstance();
    load(fresh, LWIO_BINARY, {});
    loadText(fresh, "");
    loadText(fresh, "255\n{ PluginDataLib\n1\n}\n");
    EXPECT_TRUE(entries(fresh).empty());
}

TEST_F(SettingsRecord, NoPlistParameterOfTypeUserLeavesTheListAsItWas) {
    for (const char *text :
         {"256\n{ PluginDataLib\n1\n{ PluginDataParam\n\"plist\"\n50494E54\n0\n}\n}\n",
          "256\n{ PluginDataLib\n1\n{ PluginDataParam\n\"Plist\"\n50555352\n0\n}\n}\n",
          "256\n{ PluginDataLib\n0\n}\n", "256\n"}) {
        LWInstance target = newInstance(Kept);
        loadText(target, text);
        EXPECT_EQ(entries(target), Kept) << text;
    }
}

TEST_F(SettingsRecord, AnUnreadableEntryCountEmptiesTheList) {
    LWInstance target = newInstance(Kept);
    loadText(target, RecordHead + "}\n}\n");
    EXPECT_TRUE(entries(target).empty());
}

// The entry count comes from the stream: entries are read while the stream holds them.
TEST_F(SettingsRecord, ACountBeyondTheStoredEntriesStopsWhereTheyEnd) {
    LWInstance target = newInstance(Kept);
    loadText(target, RecordHead + "2147483647\n\"a\"\n1\n3FF0000000000000\n0\n}\n}\n");
    EXPECT_EQ(entries(target), (std::vector<Entry>{{"a", 1, 0x3FF0000000000000, 0}}));

    Bytes bytes = saved(newInstance({{"b", 2, DefaultAngle, 3}}), LWIO_BINARY);
    bytes[bytes.size() - 22] = 0x7F;  // the most significant byte of the entry count
    load(target, LWIO_BINARY, bytes);
    EXPECT_EQ(entries(target), (std::vector<Entry>{{"b", 2, DefaultAngle, 3}}));
}

TEST_F(SettingsRecord, AnEntryCutShortKeepsWhatWasThereAndNewValuesForTheRest) {
    LWInstance target = newInstance();
    loadText(target, RecordHead + "3\n\"a\"\n1\n3FF0000000000000\n0\n\"cut\"\n5\n}\n}\n");
    EXPECT_EQ(entries(target),
              (std::vector<Entry>{{"a", 1, 0x3FF0000000000000, 0}, {"cut", 5, DefaultAngle, 0}}));
}

// The stand-in host counts the NUL in readStr's maximum of 511.
TEST_F(SettingsRecord, ALongNameIsCutToTheNameBuffer) {
    const std::string longName(600, 'n');
    LWInstance source = newInstance({{longName, 1, DefaultAngle, 0}});
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        LWInstance target = newInstance();
        load(target, mode, saved(source, mode));
        ASSERT_EQ(entries(target).size(), 1u);
        EXPECT_EQ(entries(target)[0].name, std::string(510, 'n'));
    }
}

}  // namespace
