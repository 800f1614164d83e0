#include "host/session/set_list_record.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <stdexcept>
#include <unordered_map>

#include "host/scene/quoted_list.h"
#include "host/streams/binary_stream.h"
#include "hostapi/lwio.h"

namespace {

constexpr int RecordVersion = 256;
constexpr LWID PUSR = LWID_('P', 'U', 'S', 'R');
constexpr char SetListParameter[] = "plist";
constexpr LWBlockIdent LibraryBlock[] = {{LWID_('P', 'D', 'L', 'B'), "PluginDataLib"},
                                         {0, nullptr}};
constexpr LWBlockIdent ParameterBlock[] = {{LWID_('P', 'D', 'P', 'R'), "PluginDataParam"},
                                           {0, nullptr}};

[[noreturn]] void Fail(const std::string &problem) {
    throw std::runtime_error(problem);
}

bool ReadInt(LoadStream &stream, int &value) {
    return stream.readValues(ValueKind::I4, &value, 1) == 1;
}

// The text, or nothing when the stream holds none here. One buffer as large as the stream's data
// serves every read, so that reading many short texts stays linear.
bool ReadText(LoadStream &stream, std::vector<char> &buffer, std::string &text) {
    int length = stream.readString(buffer.data(), static_cast<int>(buffer.size()));
    if (length < 0) return false;
    text.assign(buffer.data(), static_cast<std::size_t>(length));
    return true;
}

bool ReadAngle(LoadStream &stream, double &radians) {
    unsigned char bytes[8];
    if (stream.readValues(ValueKind::U1, bytes, 8) != 8) return false;
    std::uint64_t bits = 0;
    for (unsigned char byte : bytes) bits = (bits << 8) | byte;
    std::memcpy(&radians, &bits, sizeof radians);
    return true;
}

// Flags are 0 or 1: the module would keep any other value as it is, and read it as on.
void CheckFlag(const std::string &place, const char *flag, int value) {
    if (value != 0 && value != 1)
        Fail(place + ": " + flag + " is " + std::to_string(value) + ", not 0 (off) or 1 (on)");
}

void CheckName(const std::string &place, const std::string &name) {
    if (name.size() > LongestStoredSetName)
        Fail(place + ": the name is longer than the " + std::to_string(LongestStoredSetName) +
             " bytes the module reads back");
}

// Angles the module takes back are those a user may give, 0 to 360 degrees.
void CheckAngle(const std::string &place, double radians) {
    constexpr double Full = 2 * std::numbers::pi;
    // NaN fails the comparison.
    if (!(radians >= 0 && radians <= Full * (1 + 1e-12)))
        Fail(place + ": smoothing angle " + std::to_string(radians * 180 / std::numbers::pi) +
             " degrees is not from 0 to 360");
}

// Each field is checked as soon as it is read, so that the stream's position names its line.
StoredSet ReadSet(LoadStream &stream, std::vector<char> &buffer, int index, int count,
                  StoredSetReading reading) {
    const bool edited = reading == StoredSetReading::asEdited;
    StoredSet set;
    std::string place = "set " + std::to_string(index + 1) + " of " + std::to_string(count);
    if (!ReadText(stream, buffer, set.name))
        Fail(place + ": no name (the record promises " + std::to_string(count) +
             " sets and holds " + std::to_string(index) + ")");
    place += " " + QuotedName(set.name);
    CheckName(place, set.name);
    if (!ReadInt(stream, set.enabled)) Fail(place + ": cut short");
    if (edited) CheckFlag(place, "enabled", set.enabled);
    if (!ReadAngle(stream, set.angleRadians)) Fail(place + ": cut short");
    CheckAngle(place, set.angleRadians);
    if (!ReadInt(stream, set.sameSetOnly)) Fail(place + ": cut short");
    if (edited) CheckFlag(place, "sameSetOnly", set.sameSetOnly);
    return set;
}

std::vector<StoredSet> ReadSetList(LoadStream &stream, std::vector<char> &buffer,
                                   StoredSetReading reading) {
    int count = 0;
    if (!ReadInt(stream, count)) Fail("the set list has no count");
    if (count < 0) Fail("the set list's count " + std::to_string(count) + " is negative");
    std::vector<StoredSet> sets;
    // The module finds a set by its first record: any later one would be lost.
    std::unordered_map<std::string, int> numbers;
    for (int index = 0; index < count; ++index) {
        sets.push_back(ReadSet(stream, buffer, index, count, reading));
        if (reading != StoredSetReading::asEdited) continue;
        const auto [first, isNew] = numbers.emplace(sets.back().name, index + 1);
        if (!isNew)
            Fail("set " + std::to_string(index + 1) + " of " + std::to_string(count) + " " +
                 QuotedName(sets.back().name) + " repeats set " + std::to_string(first->second) +
                 "; the module would use only the first");
    }
    return sets;
}

}  // namespace

std::vector<StoredSet> ReadStoredSets(LoadStream &stream, std::size_t longestText) {
    std::vector<char> buffer(longestText + 1);
    return ReadStoredSets(stream, buffer, StoredSetReading::asStored);
}

std::vector<StoredSet> ReadStoredSets(LoadStream &stream, std::vector<char> &buffer,
                                      StoredSetReading reading) {
    int version = 0;
    if (!ReadInt(stream, version)) Fail("no record version");
    if (version != RecordVersion)
        Fail("record version " + std::to_string(version) + " is not the " +
             std::to_string(RecordVersion) + " this module reads");
    if (!stream.findBlock(LibraryBlock)) Fail("no PluginDataLib block");
    int parameters = 0;
    if (!ReadInt(stream, parameters) || parameters < 0)
        Fail("the PluginDataLib block has no parameter count");
    std::vector<StoredSet> sets;
    for (int index = 0; index < parameters; ++index) {
        if (!stream.findBlock(ParameterBlock))
            Fail("the record promises " + std::to_string(parameters) +
                 " parameter blocks and holds " + std::to_string(index));
        std::string name;
        unsigned int type = 0;
        if (!ReadText(stream, buffer, name) || stream.readValues(ValueKind::U4, &type, 1) != 1)
            Fail("parameter block " + std::to_string(index + 1) + " has no name and type");
        if (name != SetListParameter || type != PUSR)
            Fail("unknown parameter " + QuotedName(name) + " (the module reads only \"plist\")");
        sets = ReadSetList(stream, buffer, reading);
        stream.endBlock();
    }
    stream.endBlock();
    if (!stream.damage().empty()) Fail(stream.damage());
    return sets;
}

void CheckBinaryFit(const std::vector<StoredSet> &sets) {
    // The PluginDataLib block is the one that fills: its count, the parameter block's header,
    // the parameter's name "plist" (6 bytes), type and set count, then the sets.
    std::size_t size = 4 + 6 + 6 + 4 + 4;
    for (const StoredSet &set : sets) {
        std::size_t name = set.name.size() + 1;
        size += name + name % 2 + 4 + 8 + 4;
        if (size > MaxBlockSize)
            Fail("set " + QuotedName(set.name) +
                 ": the settings of this set and those before it take " + std::to_string(size) +
                 " bytes, more than the " + std::to_string(MaxBlockSize) +
                 " an object file's shader block can hold");
    }
}
