#include "host/streams/recording_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/streams/text_stream.h"

namespace {

using Calls = std::vector<std::string>;

// The record refuses a read into a null destination before the stream sees it; the recording
// keeps it all the same, so that a module asking for one cannot pass unseen, and the refused read
// takes nothing from the stream.
TEST(RecordingLoadStream, KeepsReadsTheRecordRefusedAndWhatEachReturned) {
    const std::string text = "5 6\n\"name\"\n";
    TextLoadStream source(std::vector<unsigned char>(text.begin(), text.end()));
    RecordingLoadStream in(source);
    const LWLoadState &s = *in.state();
    int values[2] = {};
    char name[8];
    EXPECT_EQ(s.readI4(s.readData, nullptr, 2), 0);
    EXPECT_EQ(s.readU1(s.readData, nullptr, 0), 0);
    EXPECT_EQ(s.readI4(s.readData, values, 2), 2);
    EXPECT_EQ(values[1], 6);
    EXPECT_EQ(s.readStr(s.readData, name, 8), 4);
    EXPECT_EQ(in.calls(), (Calls{"readI4 2 into null -> 0", "readU1 0 -> 0", "readI4 2 -> 2",
                                 "readStr 8 -> 4 \"name\""}));
}

}  // namespace
