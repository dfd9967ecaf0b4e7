// The gauges over battle units, the four-corner quad, and the shared party list and status icons
// of the camp screens, read back from the recorded draws.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "battle/battle_hud.h"
#include "battle/command_phase.h"
#include "battle/unit_gauges.h"
#include "data/atlas_battle.h"
#include "data/atlas_camp.h"
#include "menu/camp_widgets.h"
#include "render/graphics_device.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_popups.h"
#include "support/render_fixture.h"

namespace {

// The x, counted from x0, of each sprite drawn so far that was cut from the rectangle and lies at
// row y, in drawing order.
std::vector<float> XsOf(const AtlasRect& r, float x0, float y) {
    std::vector<float> xs;
    for (const headless::DrawRecord& d : headless::DrawCalls()) {
        const ScreenVertex& v = d.screen[0];
        if (v.u * ATLAS_SIZE == r.left && v.v * ATLAS_SIZE == r.top && v.y + 0.5f == y) {
            xs.push_back(v.x + 0.5f - x0);
        }
    }
    return xs;
}

float WidthOfDraw(size_t i) {
    const ScreenVertex* v = headless::DrawCalls()[i].screen;
    return v[1].x - v[0].x;
}

using UnitGaugesTest = RenderTest;
using Xs = std::vector<float>;

TEST_F(UnitGaugesTest, BarsAndIconsFollowTheUnit) {
    // Fill widths, and the x of each icon past the bars' left edge; -1 where nothing is drawn.
    struct Case {
        int32_t side, characterClass, hp, hpMax, mp, mpMax;
        uint32_t status;
        float defence, magicDefence, hpFill, mpFill, icons[4];
    };
    const Case cases[] = {
        {SIDE_PARTY, CLASS_CASTER, 50, 50, 10, 40, 0, 0, 0, 36, 9, {-1, -1, -1, -1}},
        {SIDE_ENEMY, CLASS_CASTER, 0, 50, 40, 40, 0, 0, 0, 0, -1, {-1, -1, -1, -1}},
        {SIDE_PARTY, CLASS_FIGHTER, 5, 0, 9, 9, 0, 0, 0, 0, -1, {-1, -1, -1, -1}},
        {SIDE_PARTY, CLASS_HYBRID, 25, 100, 3, 0, 3, 1, 2, 9, 0, {0, 16, 0, 32}},
        {SIDE_ENEMY, CLASS_FIGHTER, 30, 40, 0, 0, 2, 0, 0.5f, 27, -1, {-1, 0, -1, 0}},
    };
    // Status icons above the feet, buffs below.
    const std::pair<AtlasRect, float> iconRows[4] = {{RECT_UNIT_POISON_ICON, -14},
                                                     {RECT_UNIT_PARALYSIS_ICON, -14},
                                                     {RECT_DEFENCE_BUFF_ICON, 15},
                                                     {RECT_MAGIC_DEFENCE_BUFF_ICON, 15}};
    for (const Case& c : cases) {
        BattleUnit unit{};
        unit.position = {3.0f, 99.0f, -20.0f};
        CharacterRecord& r = unit.record;
        std::tie(r.side, r.characterClass, r.statusBits, r.hp, r.hpMax, r.mp, r.mpMax) =
            std::tie(c.side, c.characterClass, c.status, c.hp, c.hpMax, c.mp, c.mpMax);
        unit.defenceBuff = c.defence, unit.magicDefenceBuff = c.magicDefence;
        headless::ClearDrawCalls();
        DrawUnitGauges(&unit);
        Vec3 feet;
        ProjectToScreen(&feet, unit.position);
        const float x = RoundToPixel(feet.x - 18), y = RoundToPixel(feet.y);
        size_t draws = c.mpFill < 0 ? 2 : 4;
        for (int k = 0; k < 4; ++k) {
            const auto& [rect, row] = iconRows[k];
            EXPECT_EQ(XsOf(rect, x, y + row), c.icons[k] < 0 ? Xs{} : Xs{c.icons[k]}) << k;
            draws += c.icons[k] >= 0;
        }
        ASSERT_EQ(headless::DrawCalls().size(), draws);
        const AtlasRect& hpFill = c.side == SIDE_PARTY ? RECT_HP_FILL_PARTY : RECT_HP_FILL_ENEMY;
        EXPECT_EQ(XsOf(RECT_GAUGE_FRAME, x, y + 2), Xs{0});
        EXPECT_EQ(XsOf(hpFill, x, y + 4), Xs{2});
        EXPECT_EQ(WidthOfDraw(1), c.hpFill);
        const bool mpBar = XsOf(RECT_MP_FILL, x, y + 11) == Xs{2};
        EXPECT_EQ(mpBar ? WidthOfDraw(3) : -1, c.mpFill);
    }
}

TEST_F(UnitGaugesTest, EveryGaugeFillStaysInsideItsFrame) {
    // The gauges over units, on the status panels and in the target list; the fill is the last
    // draw of each.
    using Gauge = std::function<void(int32_t, int32_t)>;
    const std::pair<const char*, Gauge> gauges[] = {
        {"unit", [](int32_t c, int32_t m) { DrawHpBar(SIDE_PARTY, 0, 0, 36, c, m); }},
        {"panel", [](int32_t c, int32_t m) { DrawPanelGauge(0, 0, 140, c, m); }},
        {"target", [](int32_t c, int32_t m) { DrawGauge(0, 0, c, m, RECT_HP_FILL_PARTY); }},
    };
    const auto fill = [](const Gauge& gauge, int32_t current, int32_t maximum) {
        headless::ClearDrawCalls();
        gauge(current, maximum);
        return WidthOfDraw(headless::DrawCalls().size() - 1);
    };
    // Values a save may bring (current, maximum), and the in-range share each must fill alike.
    constexpr int32_t MAX = std::numeric_limits<int32_t>::max();
    const std::tuple<int32_t, int32_t, int32_t, int32_t> shares[] = {
        {500, 100, 100, 100},
        {-5, 100, 0, 100},
        {5, -100, 0, 100},
        {MAX, 1, 1, 1},
    };
    for (const auto& [name, gauge] : gauges) {
        for (const auto& [current, maximum, heldCurrent, heldMaximum] : shares) {
            EXPECT_EQ(fill(gauge, current, maximum), fill(gauge, heldCurrent, heldMaximum))
                << name << " " << current << "/" << maximum;
        }
    }
}

TEST_F(UnitGaugesTest, AllGaugesTakeOnlyUnitSlotsInOrder) {
    // Slot 11 holds an effect and slot 12 a unit that has been freed.
    const uint32_t kinds[] = {TASK_KIND_BATTLE_UNIT, TASK_KIND_EFFECT, TASK_KIND_BATTLE_UNIT,
                              TASK_KIND_BATTLE_UNIT};
    for (int i = 0; i < 4; ++i) {
        TaskSlot* slot = AllocTaskAt(TASK_SLOT_DYNAMIC_FIRST + i);
        StartTask(slot, kinds[i], 0, nullptr, nullptr);
        TaskPayload<BattleUnit>(slot)->position = {static_cast<float>(-i), 99.0f, -20.0f};
    }
    TaskAt(TASK_SLOT_DYNAMIC_FIRST + 2)->inUse = 0;
    DrawAllUnitGauges();
    Vec3 first, last;
    ProjectToScreen(&first, {0.0f, 99.0f, -20.0f});
    ProjectToScreen(&last, {-3.0f, 99.0f, -20.0f});
    EXPECT_EQ(XsOf(RECT_GAUGE_FRAME, 0, RoundToPixel(first.y) + 2),
              (Xs{RoundToPixel(first.x - 18), RoundToPixel(last.x - 18)}));
}

TEST_F(UnitGaugesTest, QuadCornersInFanOrderUnderTheIdentity) {
    textures[3] = GfxCreateTexture(RgbaImage{1, 1, {0xFF808080}});
    const Vec3 corners[4] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    for (int index : {-1, TEXTURE_COUNT, 3}) {
        SetWorldTransform(MatrixTranslation(5, 5, 5));
        DrawQuadCorners(corners, index);
    }
    ASSERT_EQ(headless::DrawCalls().size(), 1u) << "only the index inside the table draws";
    const headless::DrawRecord& d = headless::DrawCalls()[0];
    const Mat4 identity = MatrixIdentity();
    EXPECT_TRUE(d.texture == textures[3] && std::memcmp(&d.world, &identity, sizeof identity) == 0);
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        const WorldVertex& v = d.vertices[i];
        EXPECT_EQ((Xs{v.x, v.y, v.z, v.u, v.v, v.colour == 0xFFFFFFFF ? 1.0f : 0.0f}),
                  (Xs{corners[i].x, corners[i].y, corners[i].z, uv[i][0], uv[i][1], 1.0f}));
    }
}

TEST_F(UnitGaugesTest, PartyListClampsItsCountAndPacksStatusIcons) {
    const CharacterRecord saved = partyRoster[1];
    partyRoster[1].faceRect = {1000, 1500, 1040, 1540};
    CharacterRecord records[PARTY_MAX] = {};
    records[1].statusBits = STATUS_PARALYSIS;
    records[3].statusBits = STATUS_POISON | STATUS_PARALYSIS;
    headless::ClearDrawCalls();
    DrawPartyList(0, 250, records, 9, 1);  // rows at 270, 295, 320 and 345, no more
    EXPECT_EQ(XsOf(RECT_STATUS_NORMAL, 0, 268), Xs{432});
    // Paralysis goes 8 past the 19-pixel poison icon, or in its place.
    EXPECT_EQ(XsOf(RECT_MEMBER_PARALYSIS_ICON, 0, 293), Xs{432});
    EXPECT_EQ(XsOf(RECT_MEMBER_POISON_ICON, 0, 343), Xs{432});
    EXPECT_EQ(XsOf(RECT_MEMBER_PARALYSIS_ICON, 0, 343), Xs{459});
    EXPECT_EQ(XsOf(RECT_SLASH, 0, 346), (Xs{164, 294}));
    EXPECT_EQ(XsOf(RECT_SLASH, 0, 371), Xs{});
    EXPECT_EQ(XsOf(partyRoster[1].faceRect, 0, 266), Xs{510});
    headless::ClearDrawCalls();
    DrawPartyList(0, 250, records, -2, PARTY_MAX);
    EXPECT_EQ(headless::DrawCalls().size(), 4u) << "the backdrop and three captions only";
    partyRoster[1] = saved;
}

}  // namespace
