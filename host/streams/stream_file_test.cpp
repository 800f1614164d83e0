#include "host/streams/stream_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "host/formats/scratch_folder_testing.h"
#include "host/streams/binary_stream.h"
#include "host/streams/text_stream.h"

namespace {

using StreamFile = ScratchFolderTest;

TEST_F(StreamFile, BothFormsComeBackFromTheirFiles) {
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        std::unique_ptr<SaveStream> out;
        if (mode == LWIO_BINARY)
            out = std::make_unique<BinarySaveStream>();
        else
            out = std::make_unique<TextSaveStream>();
        const int value = -42;
        out->writeValues(ValueKind::I4, &value, 1);
        out->writeString("name");
        WriteStreamFile(path("settings"), *out);

        std::unique_ptr<LoadStream> in = OpenLoadStream(mode, path("settings"));
        EXPECT_EQ(in->mode(), mode);
        int read = 0;
        char text[8];
        EXPECT_EQ(in->readValues(ValueKind::I4, &read, 1), 1);
        EXPECT_EQ(read, -42);
        EXPECT_EQ(in->readString(text, 8), 4);
        EXPECT_STREQ(text, "name");
    }
}

TEST_F(StreamFile, ARefusedStreamLeavesTheFileAsItWas) {
    { std::ofstream(path("kept")) << "old"; }
    BinarySaveStream out;
    out.beginBlock({LWID_('F', 'U', 'N', 'C'), "Func"}, false);
    try {
        WriteStreamFile(path("kept"), out);
        ADD_FAILURE() << "an open block was written";
    } catch (const std::runtime_error &e) {
        EXPECT_EQ(e.what(), path("kept") + ": 1 block(s) left open at byte 6");
    }
    EXPECT_EQ(ReadStreamFile(path("kept")), (std::vector<unsigned char>{'o', 'l', 'd'}));
    EXPECT_FALSE(std::filesystem::exists(path("kept.partial")));
}

TEST_F(StreamFile, AMissingFileIsNamed) {
    try {
        OpenLoadStream(LWIO_BINARY, path("missing"));
        ADD_FAILURE() << "a missing file was opened";
    } catch (const std::runtime_error &e) {
        EXPECT_EQ(e.what(), path("missing") + ": cannot open: No such file or directory");
    }
}

}  // namespace
