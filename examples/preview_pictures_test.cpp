// The preview objects rendered with the module: as their reference pictures, and as the host
// alone draws them when the module has no settings.
#include <gtest/gtest.h>

#include <algorithm>

#include "examples/preview_request_testing.h"
#include "host/render/comparison.h"
#include "host/render/reference_picture_testing.h"
#include "host/render/renderer.h"

namespace {

render::RenderSettings Small() {
    render::RenderSettings settings;
    settings.width = 96;
    settings.height = 72;
    settings.samplesPerPixel = 4;
    return settings;
}

TEST(PreviewPictures, LookAsTheirReferencePictures) {
    for (const char *stem : {"machined_part", "banded_knob"}) {
        OpenedObject example(PreviewRequest(stem));
        render::Frame frame =
            render::Render(example.item(), Small(), example.session().hooksOf(example.file()));
        // A pixel may differ by a rounding step.
        render::ExpectMatchesReference(frame.shaded, VELMORA_REFERENCE_PICTURES,
                                       std::string(stem) + ".png", {2, 500});
        // The settings change the picture: the host alone looks different, and the normals
        // part by many degrees.
        EXPECT_GT(render::LargestChannelDifference(frame.shaded, frame.host), 12) << stem;
        EXPECT_GT(*std::max_element(frame.normalAngle.begin(), frame.normalAngle.end()), 10)
            << stem;
    }
}

TEST(PreviewPictures, WithoutSettingsTheModuleShowsExactlyTheHostsShading) {
    for (const char *stem : {"machined_part", "banded_knob"}) {
        OpenedObject example(PreviewRequest(stem, false));
        example.session().attach(example.file(), example.file().surfaces.front());
        render::RenderSettings settings = Small();
        settings.bump = true;
        settings.timeStages = true;
        render::Frame frame =
            render::Render(example.item(), settings, example.session().hooksOf(example.file()));
        EXPECT_GT(frame.times.shader, 0) << stem;
        EXPECT_EQ(frame.shaded, frame.host) << stem;
        EXPECT_LT(*std::max_element(frame.normalAngle.begin(), frame.normalAngle.end()), 1e-3)
            << stem;
    }
}

}  // namespace
