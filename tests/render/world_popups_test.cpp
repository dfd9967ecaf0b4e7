// World popups and damage numbers: where they appear, how long they live, the bounce path,
// slot exhaustion, and when the battle may go on.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "data/atlas_images.h"
#include "engine/task_pool.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"
#include "render/world_popups.h"
#include "support/render_fixture.h"

namespace {

class PopupTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        // The target at (0, 0, 0) lands on the screen's centre.
        SetCamera(0, 0, 0, 0, 10, -20);
    }

    static std::vector<DamageDigitPayload*> Digits() {
        std::vector<DamageDigitPayload*> digits;
        for (int s = TASK_SLOT_DIGIT_FIRST; s < TASK_SLOT_DIGIT_END; ++s) {
            if (IsTaskSlotInUse(s)) {
                digits.push_back(TaskPayload<DamageDigitPayload>(TaskAt(s)));
            }
        }
        return digits;
    }
};

TEST_F(PopupTest, TheCameraTargetProjectsToTheScreenCentre) {
    Vec3 s;
    ProjectToScreen(&s, Vec3{0, 0, 0});
    EXPECT_NEAR(s.x, 320.0f, 1e-3f);
    EXPECT_NEAR(s.y, 240.0f, 1e-3f);
    EXPECT_GT(s.z, 0.0f);
    EXPECT_LT(s.z, 1.0f);
    ProjectToScreen(&s, Vec3{1, 0, 0});
    EXPECT_GT(s.x, 320.0f) << "+x is to the right";
}

TEST_F(PopupTest, PopupRisesOnePixelAFrameAndIsGoneOnItsFortiethUpdate) {
    ASSERT_EQ(SpawnWorldPopup(Vec3{0, 0, 0}, 100, 200, 131, 220), 1);
    TaskSlot* slot = TaskAt(TASK_SLOT_POPUP_FIRST);
    ASSERT_EQ(slot->kind, TASK_KIND_WORLD_POPUP);
    WorldPopupPayload* popup = TaskPayload<WorldPopupPayload>(slot);
    EXPECT_NEAR(popup->x, 320.0f - 15.5f, 1e-3f) << "not rounded here";
    EXPECT_NEAR(popup->y, 240.0f, 1e-3f);
    for (int update = 1; update <= 39; ++update) {
        UpdateTasks();
        ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_POPUP_FIRST)) << update;
    }
    EXPECT_NEAR(popup->y, 240.0f - 39.0f, 1e-3f);
    EXPECT_EQ(ArePopupsActive(), 1);
    UpdateTasks();
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_POPUP_FIRST));
    EXPECT_EQ(ArePopupsActive(), 0) << "in the update in which the last one frees itself";
}

TEST_F(PopupTest, PopupIsDrawnAtItsPositionFromTheAtlas) {
    SpawnWorldPopup(Vec3{0, 0, 0}, 100, 200, 131, 220);
    DrawTasks();
    auto d = Draws();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].texture, uiAtlas);
    EXPECT_FLOAT_EQ(d[0].screen[0].x, 305.0f - 0.5f) << "304.5 rounded half away";
    EXPECT_FLOAT_EQ(d[0].screen[0].u, 100.0f / 2048.0f);
}

TEST_F(PopupTest, DigitsAreCentredOnThePointAndStaggered) {
    SpawnDamageNumber(Vec3{0, 0, 0}, 123, 0);
    auto digits = Digits();
    ASSERT_EQ(digits.size(), 3u);
    // Widths 8, 10, 10: W = 28, centred on 320.
    EXPECT_NEAR(digits[0]->x, 306.0f, 1e-3f);
    EXPECT_NEAR(digits[1]->x, 314.0f, 1e-3f);
    EXPECT_NEAR(digits[2]->x, 324.0f, 1e-3f);
    EXPECT_EQ(digits[0]->counter, 0);
    EXPECT_EQ(digits[1]->counter, 6);
    EXPECT_EQ(digits[2]->counter, 12);
    EXPECT_EQ(digits[0]->rect.left, damageDigitRects[1].left);
    KillTasksOfKind(TASK_KIND_DAMAGE_DIGIT);
    SpawnDamageNumber(Vec3{0, 0, 0}, 7, 1);
    EXPECT_EQ(Digits().at(0)->rect.left, recoveryDigitRects[7].left);
}

TEST_F(PopupTest, DigitValuesAreTruncatedCutToFiveAndRefusedOutOfRange) {
    auto shown = [this](float value) {
        KillTasksOfKind(TASK_KIND_DAMAGE_DIGIT);
        SpawnDamageNumber(Vec3{0, 0, 0}, value, 0);
        std::vector<float> lefts;
        for (DamageDigitPayload* d : Digits()) {
            lefts.push_back(d->rect.left);
        }
        return lefts;
    };
    const float one = damageDigitRects[1].left;
    const float zero = damageDigitRects[0].left;
    EXPECT_EQ(shown(123456).size(), 5u);
    EXPECT_EQ(shown(123456).back(), damageDigitRects[5].left);
    EXPECT_EQ(shown(0), (std::vector<float>{zero}));
    EXPECT_EQ(shown(1.9f), (std::vector<float>{one}));
    EXPECT_EQ(shown(-0.5f), (std::vector<float>{zero}));
    EXPECT_TRUE(shown(-1.0f).empty());
    EXPECT_TRUE(shown(10000000.0f).empty());
    EXPECT_TRUE(shown(std::nanf("")).empty());
}

TEST_F(PopupTest, DigitWaitsBouncesHoldsAndLeaves) {
    SpawnDamageNumber(Vec3{0, 0, 0}, 5, 0);
    SpawnDamageDigit(0, 100, 6, 3, 0);  // a second digit, as digit 1 of a number
    DamageDigitPayload* first = Digits()[0];
    DamageDigitPayload* second = Digits()[1];
    const float startY = first->y;
    const float path[12] = {-8, -14, -18, -20, -21, -21, -21, -20, -18, -14, -8, 0};
    UpdateTasks();  // digit 0 waits one update
    EXPECT_EQ(first->state, BounceDamageDigit);
    // Digit 1 waits 7 updates and bounces from the 8th, 6 frames after digit 0: one update
    // less of waiting would put it a step ahead on every frame that is not a plateau.
    for (int update = 2; update <= 13; ++update) {
        UpdateTasks();
        EXPECT_FLOAT_EQ(first->y - startY, path[update - 2]) << "update " << update;
        EXPECT_FLOAT_EQ(second->y - 100.0f, update < 8 ? 0.0f : path[update - 8])
            << "update " << update;
    }
    EXPECT_EQ(first->state, HoldDamageDigit);
    for (int i = 0; i < 29; ++i) {
        UpdateTasks();
    }
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_DIGIT_FIRST));
    UpdateTasks();
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_DIGIT_FIRST)) << "1 + 12 + 30 updates";
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_DIGIT_FIRST + 1));
}

TEST_F(PopupTest, FullSlotRangesDropWhatDoesNotFit) {
    for (int i = 0; i < 28; ++i) {
        ASSERT_EQ(SpawnDamageDigit(0, 0, 0, 1, 0), 1);
    }
    SpawnDamageNumber(Vec3{0, 0, 0}, 47, 0);
    auto digits = Digits();
    ASSERT_EQ(digits.size(), 29u);
    EXPECT_EQ(digits.back()->rect.left, damageDigitRects[4].left) << "the first digit only";
    EXPECT_EQ(SpawnDamageDigit(0, 0, 0, 1, 0), 0);

    for (int i = 0; i < 30; ++i) {
        ASSERT_EQ(SpawnWorldPopup(Vec3{0, 0, 0}, 0, 0, 10, 10), 1);
    }
    EXPECT_EQ(SpawnWorldPopup(Vec3{0, 0, 0}, 0, 0, 10, 10), 0);
}

}  // namespace
