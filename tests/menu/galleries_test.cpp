// The picture screen and the model gallery as the player reaches them from the title: the keys
// that close them, the gallery's turns, the chosen model sliding out and spinning, and the
// counter it draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "data/atlas_gallery.h"
#include "data/atlas_images.h"
#include "data/atlas_messages.h"
#include "engine/keyboard.h"
#include "menu/galleries.h"
#include "menu/menu_flow.h"

namespace {

const std::vector<int> openPicture = {KEY_UP, KEY_Z};
const std::vector<int> openGallery = {KEY_UP, KEY_RIGHT, KEY_Z};

class GalleriesTest : public MenuFlowTest {
  protected:
    static CarouselGallery* Gallery() {
        TaskSlot* slot = FindTaskByKind(TASK_KIND_GALLERY);
        return slot != nullptr ? TaskPayload<CarouselGallery>(slot) : nullptr;
    }

    // One frame with only these keys down.
    void FrameWith(std::initializer_list<int> keys) {
        game->ReleaseAll();
        for (int key : keys) {
            game->Hold(key);
        }
        game->Frame();
    }
};

bool Played(const std::vector<std::string>& plays, const std::string& voice) {
    return std::find(plays.begin(), plays.end(), voice) != plays.end();
}

TEST_F(GalleriesTest, EachScreenClosesOnItsKeysIntoANewTitle) {
    struct Case {
        const std::vector<int>& open;
        uint32_t kind;
        int close;
    };
    const Case cases[] = {
        {openPicture, TASK_KIND_PICTURE, KEY_RETURN}, {openPicture, TASK_KIND_PICTURE, KEY_Z},
        {openPicture, TASK_KIND_PICTURE, KEY_ESCAPE}, {openGallery, TASK_KIND_GALLERY, KEY_ESCAPE},
        {openGallery, TASK_KIND_GALLERY, KEY_RETURN}, {openGallery, TASK_KIND_GALLERY, KEY_Z},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.kind) + " key " + std::to_string(c.close));
        Press(c.open);  // the confirming key is still down in the screen's first update
        EXPECT_TRUE(Press(KEY_DOWN).empty());
        ASSERT_TRUE(TaskKindExists(c.kind));
        EXPECT_FALSE(TaskKindExists(TASK_KIND_TITLE));
        if (c.kind == TASK_KIND_PICTURE) {
            std::vector<DrawnSprite> sprites = DrawnSprites();
            ASSERT_EQ(sprites.size(), 1u);
            ExpectSprite(sprites[0], glyphAtlas, 0, 0, RECT_PICTURE_SCREEN_IMAGE, "picture");
        }
        const std::vector<std::string> plays = Press(c.close);
        EXPECT_FALSE(TaskKindExists(c.kind));
        ASSERT_TRUE(TaskKindExists(TASK_KIND_TITLE));
        EXPECT_TRUE(Played(plays, "play:26:loop")) << "the title music starts again";
        EXPECT_EQ(Played(plays, "play:1:once"), c.kind == TASK_KIND_GALLERY);
    }
}

TEST_F(GalleriesTest, LeftAndRightTurnTheRingOneModelInFiveFramesThatReadNoKeys) {
    Press(openGallery);
    struct Step {
        int key;
        int selected;
    };
    const Step steps[] = {{KEY_RIGHT, 1}, {KEY_LEFT, 0},   {KEY_LEFT, 35},
                          {KEY_LEFT, 34}, {KEY_RIGHT, 35}, {KEY_RIGHT, 0}};
    for (const Step& step : steps) {
        SCOPED_TRACE("to model " + std::to_string(step.selected));
        FrameWith({step.key});
        ASSERT_EQ(Gallery()->selected, step.selected);
        // Keys that would turn further or close the gallery, one newly pressed every frame.
        const int during[] = {KEY_ESCAPE, KEY_RIGHT, KEY_Z, KEY_LEFT, KEY_RETURN};
        int frames = 0;
        while (Gallery()->state != RunCarouselGallery && frames < 10) {
            FrameWith({during[frames++ % 5]});
        }
        EXPECT_EQ(frames, 5);
        ASSERT_EQ(Gallery()->selected, step.selected);
        // Every model stands its whole number of places around from the one in front.
        for (int i = 0; i < GALLERY_MODEL_COUNT; ++i) {
            const int places = (i - step.selected + GALLERY_MODEL_COUNT) % GALLERY_MODEL_COUNT;
            EXPECT_EQ(Gallery()->angle[i], std::fmod(270.0f + 10.0f * places, 360.0f)) << i;
        }
        FrameWith({});
    }
}

// Counted from the frame the key goes down; the first phase's key is the title's confirm that
// creates the gallery.
TEST_F(GalleriesTest, TheChosenModelSlidesOutAndSpinsAfterAQuietSpell) {
    Press({KEY_UP, KEY_RIGHT});
    struct Phase {
        int key;
        int spinsAt;
    };
    const Phase phases[] = {{KEY_Z, 84}, {KEY_RIGHT, 107}, {KEY_LEFT, 107}};
    for (const Phase& phase : phases) {
        SCOPED_TRACE("key " + std::to_string(phase.key));
        FrameWith({phase.key});
        int frame = 1;
        int slidOut = 0;
        for (; Gallery()->yaw == GALLERY_FRONT_ANGLE && frame < 200; ++frame) {
            const CarouselGallery* g = Gallery();
            if (slidOut == 0 && g->radius[g->selected] == GALLERY_RADIUS_MAX) {
                slidOut = frame;
                for (int i = 0; i < GALLERY_MODEL_COUNT; ++i) {
                    EXPECT_EQ(g->radius[i] == GALLERY_RADIUS_MIN, i != g->selected) << i;
                }
            }
            FrameWith({});
        }
        EXPECT_EQ(slidOut, 15);
        EXPECT_EQ(frame, phase.spinsAt);
        FrameWith({});
        EXPECT_EQ(Gallery()->yaw, 272.0f);
    }
    Gallery()->yaw = 360.0f;
    FrameWith({});
    EXPECT_EQ(Gallery()->yaw, 1.0f);
}

// The models, their depth and their light are checked on the real backend by the preview.
TEST_F(GalleriesTest, OverTheRingTheCaptionArrowsAndCounterShowLeftFromTheFirstAsTheLast) {
    Press(openGallery);
    Press(KEY_LEFT);
    const std::vector<headless::DrawRecord>& draws = headless::DrawCalls();
    ASSERT_GE(draws.size(), 8u);
    std::vector<DrawnSprite> sprites;
    std::transform(draws.end() - 8, draws.end(), std::back_inserter(sprites), AsSprite);
    ExpectSprite(sprites[0], uiAtlas, 0, 0, RECT_GALLERY_CAPTION, "caption");
    ExpectSprite(sprites[1], uiAtlas, 32, 448, RECT_GALLERY_ARROW_LEFT, "left arrow");
    ExpectSprite(sprites[2], uiAtlas, 576, 448, RECT_GALLERY_ARROW_RIGHT, "right arrow");
    ExpectSprite(sprites[5], uiAtlas, 310, 459, RECT_GALLERY_SLASH, "slash");
    // "36 / 36": the chosen model's number, then the total.
    const int digits[][3] = {{3, 3, 276}, {4, 6, 0}, {6, 3, 325}, {7, 6, 0}};  // sprite, digit, x
    for (const auto& [sprite, digit, x] : digits) {
        EXPECT_EQ(sprites[sprite].source.left, largeDigitRects[digit].left) << sprite;
        EXPECT_EQ(sprites[sprite].screen.top, 460.0f) << sprite;
        EXPECT_TRUE(x == 0 || sprites[sprite].screen.left == x) << sprite;
    }
}

}  // namespace
