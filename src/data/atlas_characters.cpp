// The atlas images of the character records and the item table: the name labels of the
// joinable characters, the familiar and the enemy kinds, the small faces, and each item's name
// label and description line. Built from the tables themselves, so a label always sits where
// its record says; a rectangle that several rows share is painted once, for its first row.
#include <string>
#include <vector>

#include "battle/inventory.h"
#include "data/atlas_images.h"
#include "field/character_tables.h"

namespace {

constexpr uint32_t NAME_COLOUR = 0xFFFFFFFF;
constexpr uint32_t DETAIL_COLOUR = 0xFFE0ECFF;

// The hair colours of the four characters' models, for their faces.
constexpr uint32_t TEMPLATE_HAIR[CHARACTER_TEMPLATE_COUNT] = {
    0xFF7A4A22,
    0xFFE0C050,
    0xFFD86A28,
    0xFF3A2418,
};

// The familiar's face takes the teal of its model's hide.
constexpr uint32_t FAMILIAR_HAIR = 0xFF3A9AA8;

// One line each, by item id; read only for the first row of a shared rectangle.
constexpr const char* ITEM_DETAILS[ITEM_COUNT] = {
    "ＨＰを100回復する",
    "ＨＰを999回復する",
    "ＭＰを100回復する",
    "ＭＰを999回復する",
    "解毒",  // a narrow box
    "麻痺を治す",
    "未定",
    "未定",
    "未定",
    "未定",
    "剣　戦士が装備できる武器",
    "剣　戦士が装備できる武器",
    "剣　戦士が装備できる武器",
    "杖　魔法使いが装備できる武器",
    "杖　魔法使いが装備できる武器",
    "魔物の武器",
    "魔物の武器",
    "魔物の武器",
    "魔物の武器",
    "魔物の武器",
    "鎧　戦士が装備できる防具",
    "鎧　戦士が装備できる防具",
    "鎧　戦士が装備できる防具",
    "衣　魔法使いが装備できる防具",
    "衣　魔法使いが装備できる防具",
    "しばらく魔物に出会わなくなる",
    "水の上を渡ることができる",
};

std::string Utf8(const char16_t* text) {
    std::string out;
    for (; *text != 0; ++text) {
        char32_t c = *text;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool SameRect(const AtlasRect& a, const AtlasRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The item names as UTF-8, kept for the whole run: the images point into them.
const std::vector<std::string> itemNames = [] {
    std::vector<std::string> names;
    for (const ItemRecord& item : itemTable) {
        names.push_back(Utf8(item.name));
    }
    return names;
}();

const std::vector<AtlasImage> characterImages = [] {
    std::vector<AtlasImage> images;
    auto add = [&images](AtlasRect rect, AtlasArt art, const char* text, uint32_t colour,
                         LabelList list = LabelList::None) {
        for (const AtlasImage& image : images) {
            if (SameRect(image.rect, rect)) {
                return;
            }
        }
        images.push_back({AtlasSheet::Interface, rect, art, text, colour, list});
    };
    for (int row = 0; row < CHARACTER_TEMPLATE_COUNT; ++row) {
        add(characterTemplates[row].nameRect, AtlasArt::Label, characterTemplateNames[row],
            NAME_COLOUR, LabelList::PartyNames);
        add(characterTemplates[row].faceRect, AtlasArt::Face, "", TEMPLATE_HAIR[row]);
    }
    // The familiar's portrait lies inside the message window's last portrait, painted there.
    add(FAMILIAR_NAME_RECT, AtlasArt::Label, familiarName, NAME_COLOUR, LabelList::PartyNames);
    add(FAMILIAR_FACE_RECT, AtlasArt::Face, "", FAMILIAR_HAIR);
    for (int kind = 0; kind < ENEMY_KIND_COUNT; ++kind) {
        add(enemyKinds[kind].nameRect, AtlasArt::Label, enemyKindNames[kind], NAME_COLOUR);
    }
    for (int id = 0; id < ITEM_COUNT; ++id) {
        add(itemTable[id].nameRect, AtlasArt::Label, itemNames[id].c_str(), NAME_COLOUR,
            LabelList::ItemNames);
        add(itemTable[id].detailRect, AtlasArt::Label, ITEM_DETAILS[id], DETAIL_COLOUR);
    }
    return images;
}();

}  // namespace

const AtlasImageList characterAtlasImages = {characterImages.data(), characterImages.size()};
