// The model gallery as the OpenGL backend draws it from the demo data, once the first model has
// slid out to the front; written as previews/gallery.png in the build tree for a person to look
// at. The test checks that the models show over the backdrop, the chosen one largest, with the
// caption and the counter on top.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/program_shell.h"
#include "menu/galleries.h"

#include "preview_support.h"

namespace {

TEST(GalleryPreviewTest, TheRingOfModelsShowsOverTheBackdropWithTheChosenOneInFront) {
    PreviewGame game;
    ASSERT_TRUE(game.Started());
    ASSERT_EQ(OpenCarouselGallery(), 1);
    for (int frame = 0; frame < 20; ++frame) {
        ASSERT_TRUE(RunMessageLoopOnce());
    }
    std::vector<uint32_t> picture;
    ASSERT_TRUE(ReadPreviewPicture(&picture));
    WritePreview("gallery.png", picture);

    // The backdrop is one flat colour wherever nothing stands on it.
    const uint32_t backdrop = PixelAt(picture, 320, 60);
    EXPECT_EQ(PixelAt(picture, 4, 100), backdrop);
    EXPECT_EQ(PixelAt(picture, 636, 420), backdrop);
    auto model = [backdrop](uint32_t p) { return p != backdrop; };
    EXPECT_GT(CountPixels(picture, 240, 200, 400, 440, model), 6000) << "the chosen model";
    EXPECT_GT(CountPixels(picture, 40, 150, 240, 300, model), 1000) << "the ring's left side";
    EXPECT_GT(CountPixels(picture, 400, 150, 600, 300, model), 1000) << "the ring's right side";
    const auto gold = [](uint32_t p) { return Red(p) > 200 && Green(p) > 180 && Blue(p) < 160; };
    EXPECT_GT(CountPixels(picture, 0, 0, 204, 25, gold), 100) << "the caption";
    const auto light = [](uint32_t p) { return IsLight(p, 200); };
    EXPECT_GT(CountPixels(picture, 276, 459, 360, 480, light), 100) << "the counter";
}

}  // namespace
