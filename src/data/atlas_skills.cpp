// The interface-atlas images of skills and of items used in battle.
#include "data/atlas_skills.h"

#include "data/atlas_images.h"

namespace {

constexpr uint32_t LABEL_WHITE = 0xFFFFFFFF;
constexpr uint32_t LABEL_GREY = 0xFFB0B0B0;
constexpr uint32_t TITLE_GOLD = 0xFFFFE080;
constexpr uint32_t FRAME_LIGHT = 0xFFE0E8FF;
constexpr uint32_t POPUP_GREEN = 0xFF80FFA0;
constexpr uint32_t POPUP_BLUE = 0xFF80C0FF;

// The magic-defence skill's name is not painted apart: it is the prefix and the defence
// skill's name side by side. Its second popup is a single pixel, like the areas without a
// name, and is left unpainted.
const AtlasImage skillImages[] = {
    {AtlasSheet::Interface, RECT_SKILL_NAMES[0], AtlasArt::Label, "フレア", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[1], AtlasArt::Label, "フレアボルト", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[2], AtlasArt::Label, "トライフレア", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[3], AtlasArt::Label, "メテオ", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[4], AtlasArt::Label, "ヒール", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[5], AtlasArt::Label, "ヒールオール", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[6], AtlasArt::Label, "ハイヒール", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[7], AtlasArt::Label, "ハイヒールオール", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[8], AtlasArt::Label, "キュア", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[9], AtlasArt::Label, "リカバー", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[10], AtlasArt::Label, "ガード", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAME_MAGIC_PREFIX, AtlasArt::Label, "マジック", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[12], AtlasArt::Label, "ガードオール", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[13], AtlasArt::Label, "マジックガードオール",
     LABEL_WHITE, LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[14], AtlasArt::Label, "ホーリーウォール", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_NAMES[15], AtlasArt::Label, "サモン", LABEL_WHITE,
     LabelList::SkillNames},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_SHOT, AtlasArt::Label, "敵ひとりに魔法の弾",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_TRIPLE, AtlasArt::Label, "敵に３発の魔法の弾を放つ",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_VOLLEY, AtlasArt::Label, "敵に６発の魔法の弾",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_HEAL, AtlasArt::Label, "ひとりのHPを100回復",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_HEAL_ALL, AtlasArt::Label, "全員のHPを100回復",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_GREAT_HEAL, AtlasArt::Label, "ひとりを900回復",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_GREAT_HEAL_ALL, AtlasArt::Label, "全員を900回復",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_CURE_POISON, AtlasArt::Label, "ひとりの毒を治す",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_CURE_PARALYSIS, AtlasArt::Label, "ひとりの麻痺を治す",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_GUARD, AtlasArt::Label, "ひとりの防御力を上げる",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_WARD, AtlasArt::Label, "ひとりの魔法防御を上げる",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_GUARD_ALL, AtlasArt::Label, "全員の防御力を上げる",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_WARD_ALL, AtlasArt::Label, "全員の魔法防御を上げる",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_BULWARK, AtlasArt::Label,
     "全員の防御と魔法防御を上げる", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_SUMMON, AtlasArt::Label, "使い魔を呼んで交代する",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_WINDOW_PANEL, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_SKILL_DETAIL_PANEL, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_SKILL_EMPTY_CELL, AtlasArt::Label, "－－－－", LABEL_GREY},
    {AtlasSheet::Interface, RECT_ITEM_EMPTY_CELL, AtlasArt::Label, "－－－－", LABEL_GREY},
    {AtlasSheet::Interface, RECT_PAGE_SLASH, AtlasArt::Label, "/", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SKILL_COST_LABEL, AtlasArt::Label, "消費MP", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_SKILL_MP_LABEL, AtlasArt::Label, "残りMP", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_SKILL_PROMPT_TITLE, AtlasArt::Label, "魔法を使う？", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_SKILL_PROMPT_ENTRIES[0], AtlasArt::Label, "もどる", LABEL_WHITE,
     LabelList::SkillPrompt},
    {AtlasSheet::Interface, RECT_SKILL_PROMPT_ENTRIES[1], AtlasArt::Label, "使う", LABEL_WHITE,
     LabelList::SkillPrompt},
    {AtlasSheet::Interface, RECT_NOT_ENOUGH_MP, AtlasArt::Label, "MPが足りない！", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_POISON_CURED_POPUP, AtlasArt::Label, "解毒", POPUP_GREEN},
    {AtlasSheet::Interface, RECT_PARALYSIS_CURED_POPUP, AtlasArt::Label, "麻痺回復", POPUP_GREEN},
    {AtlasSheet::Interface, RECT_GUARD_POPUP, AtlasArt::Label, "防御UP", POPUP_BLUE},
    {AtlasSheet::Interface, RECT_WARD_POPUP, AtlasArt::Label, "魔防UP", POPUP_BLUE},
    {AtlasSheet::Interface, RECT_BULWARK_GUARD_POPUP, AtlasArt::Label, "防御UP", POPUP_BLUE},
};

}  // namespace

const AtlasImageList skillAtlasImages = {skillImages, sizeof(skillImages) / sizeof(skillImages[0])};
