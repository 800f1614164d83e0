#include "tools/velmora/render_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "examples/preview_request_testing.h"
#include "host/formats/scratch_folder_testing.h"
#include "host/render/comparison.h"
#include "host/render/png_file.h"
#include "host/render/renderer.h"

namespace {

namespace fs = std::filesystem;
using render::Image;

// An example object served to the module with the settings stored in its surfaces.
struct Example {
    explicit Example(const std::string &stem) : opened(PreviewRequest(stem)) {}
    const ObjectItem &item() const { return opened.item(); }
    const ObjectFile &file() const { return opened.file(); }
    OpenedObject opened;
    HostSession &session = opened.session();
};

class RenderCommandOutput : public ScratchFolderTest {
  protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        options.settings.width = 48;
        options.settings.height = 36;
        options.settings.samplesPerPixel = 1;
    }

    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const fs::directory_entry &entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    RenderOptions options;
};

TEST_F(RenderCommandOutput, WritesTheModulesPictureOrTheComparison) {
    Example example("banded_knob");
    options.output = (folder / "knob.png").string();
    EXPECT_EQ(RunRender(example.session, example.item(), options), 0);
    Image alone = render::ReadPng(options.output);
    EXPECT_EQ(alone.width, 48);
    EXPECT_EQ(alone.height, 36);

    options.settings.compare = true;
    options.output = (folder / "compare.png").string();
    RunRender(example.session, example.item(), options);
    Image sheet = render::ReadPng(options.output);
    EXPECT_GT(sheet.width, 2 * 48);
    EXPECT_GT(sheet.height, 2 * 36);
    EXPECT_THAT(Entries(), ::testing::UnorderedElementsAre("knob.png", "compare.png"));
}

TEST_F(RenderCommandOutput, TurntableWritesNumberedFramesAroundTheObject) {
    Example example("machined_part");
    options.output = (folder / "turn.png").string();
    options.turntableFrames = 4;
    options.settings.view.azimuthDegrees = 0;
    EXPECT_EQ(RunRender(example.session, example.item(), options), 0);
    EXPECT_THAT(Entries(), ::testing::UnorderedElementsAre("turn_000.png", "turn_001.png",
                                                           "turn_002.png", "turn_003.png"));
    // Frame 1 is the view a quarter turn round.
    options.turntableFrames = 0;
    options.settings.view.azimuthDegrees = 90;
    options.output = (folder / "quarter.png").string();
    RunRender(example.session, example.item(), options);
    EXPECT_EQ(render::ReadPng((folder / "turn_001.png").string()), render::ReadPng(options.output));
    EXPECT_NE(render::ReadPng((folder / "turn_000.png").string()), render::ReadPng(options.output));
}

TEST(RenderCommand, TurntableFramesAreNumberedBeforeTheExtension) {
    EXPECT_EQ(TurntableFrameFile("out/knob.png", 7, 24), "out/knob_007.png");
    EXPECT_EQ(TurntableFrameFile("knob", 12, 1000), "knob_012");
    EXPECT_EQ(TurntableFrameFile("a.b/knob", 3, 5), "a.b/knob_003");
    RenderOptions turntable;
    turntable.output = "t.png";
    EXPECT_EQ(RenderOutputFiles(turntable), std::vector<std::string>{"t.png"});
    turntable.turntableFrames = 3;
    EXPECT_EQ(RenderOutputFiles(turntable),
              (std::vector<std::string>{"t_000.png", "t_001.png", "t_002.png"}));
}

TEST(RenderCommand, TargetFramesOneSetAndANameNoSetHasIsRefused) {
    Example example("machined_part");
    render::RenderSettings settings;
    settings.width = 96;
    settings.height = 72;
    render::Frame whole =
        render::Render(example.item(), settings, example.session.hooksOf(example.file()));
    settings.targetSet = "Cylinders";
    settings.view.zoom = 1.5;
    render::Frame close =
        render::Render(example.item(), settings, example.session.hooksOf(example.file()));
    auto pixelsOf = [&](const render::Frame &frame, const std::string &set) {
        int count = 0;
        for (int polygon : frame.polygonAt)
            count += polygon >= 0 && example.file().mesh.polygons[polygon].part == set;
        return count;
    };
    EXPECT_GT(pixelsOf(close, "Cylinders"), 3 * pixelsOf(whole, "Cylinders"));
    settings.targetSet = "Handle";
    EXPECT_THAT([&] { render::Render(example.item(), settings, {}); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::AllOf(
                    ::testing::HasSubstr("\"Handle\""), ::testing::HasSubstr("\"Fillets\""))));
}

TEST_F(RenderCommandOutput, AnUnwritablePathIsNamedAndNothingIsLeftBehind) {
    Example example("banded_knob");
    // A folder in the way of the picture: the file is written beside it, then cannot replace it.
    fs::create_directory(folder / "taken.png");
    options.output = (folder / "taken.png").string();
    EXPECT_THAT([&] { RunRender(example.session, example.item(), options); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::HasSubstr(options.output)));
    EXPECT_THAT(Entries(), ::testing::ElementsAre("taken.png"));
    EXPECT_TRUE(fs::is_empty(folder / "taken.png"));

    options.output = (folder / "missing" / "out.png").string();
    EXPECT_THAT([&] { RunRender(example.session, example.item(), options); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::HasSubstr(options.output)));
    EXPECT_THAT(Entries(), ::testing::ElementsAre("taken.png"));
}

}  // namespace
