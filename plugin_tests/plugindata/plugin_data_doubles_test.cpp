#include "plugindata/plugin_data_doubles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "host/streams/binary_stream.h"
#include "host/streams/recording_stream.h"
#include "host/streams/stream_file.h"
#include "plugin_tests/plugindata/double_bits_testing.h"
#include "shader/polygon_set_list.h"

namespace {

constexpr std::uint64_t SpecialBits[] = {
    0x3FF8FE3CC6FF87DE,  // the default smoothing angle
    0x8000000000000000,  // negative zero
    0x7FF0000000000000,  // infinity
    0xFFF0000000000000,  // negative infinity
    0x7FF8000000000000,  // quiet NaN
    0xFFF8000000000123,  // negative quiet NaN with a payload
    0x7FF0000000000001,  // signalling NaN
    0xFFF4000000000000,  // negative signalling NaN
    0x0000000000000001,  // smallest subnormal
};
constexpr int SpecialCount = sizeof SpecialBits / sizeof SpecialBits[0];

TEST(PluginDataDoubles, OneByteWriteMostSignificantByteFirst) {
    RecordingSaveStream stream;
    double values[2];
    values[0] = DefaultSmoothingAngle;
    values[1] = 1.0;
    PluginDataWriteDoubles(stream.state(), values, 2);
    PluginDataWriteDoubles(stream.state(), values, 0);
    EXPECT_EQ(stream.calls(),
              (std::vector<std::string>{"writeU1 3FF8FE3CC6FF87DE3FF0000000000000", "writeU1 "}));
}

TEST(PluginDataDoubles, SpecialValuesComeBackBitForBitInBothForms) {
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        double written[SpecialCount], read[SpecialCount];
        for (int i = 0; i < SpecialCount; ++i) {
            SetBits(written[i], SpecialBits[i]);
            SetBits(read[i], 0);
        }
        std::unique_ptr<SaveStream> out = MakeSaveStream(mode);
        PluginDataWriteDoubles(out->state(), written, SpecialCount);
        std::unique_ptr<LoadStream> in = MakeLoadStream(mode, out->bytes());
        EXPECT_EQ(PluginDataReadDoubles(in->state(), read, SpecialCount), SpecialCount);
        for (int i = 0; i < SpecialCount; ++i)
            EXPECT_EQ(Bits(read[i]), SpecialBits[i]) << "mode " << mode << ", value " << i;
    }
}

TEST(PluginDataDoubles, ReadCountsWholeDoublesAndLeavesTheRest) {
    std::vector<unsigned char> bytes = {0x3F, 0xF0, 0, 0, 0, 0, 0, 0, 0x40, 0, 0, 0, 0, 0, 0, 0};
    bytes.insert(bytes.end(), {1, 2, 3, 4});
    BinaryLoadStream in(bytes);
    double values[3] = {7.0, 7.0, 7.0};
    EXPECT_EQ(PluginDataReadDoubles(in.state(), values, 3), 2);
    EXPECT_EQ(values[0], 1.0);
    EXPECT_EQ(values[1], 2.0);
    EXPECT_EQ(values[2], 7.0);
    EXPECT_EQ(PluginDataReadDoubles(in.state(), values, 1), 0);
    EXPECT_EQ(PluginDataReadDoubles(in.state(), values, -5), 0);
    EXPECT_EQ(values[0], 1.0);
}

}  // namespace
