// The atlas images of the character and item tables: every name label, face and description
// line the tables point at is registered once, in the registry, as what it shows; the message
// window's portraits are left to that window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "battle/inventory.h"
#include "data/atlas_images.h"
#include "field/character_tables.h"

namespace {

bool SameRect(const AtlasRect& a, const AtlasRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The list's one image at the rectangle, or null.
const AtlasImage* ImageAt(const AtlasRect& rect) {
    const AtlasImage* found = nullptr;
    for (size_t i = 0; i < characterAtlasImages.count; ++i) {
        if (SameRect(characterAtlasImages.images[i].rect, rect)) {
            EXPECT_EQ(found, nullptr) << "registered twice: " << rect.left << "," << rect.top;
            found = &characterAtlasImages.images[i];
        }
    }
    return found;
}

std::string LabelAt(const AtlasRect& rect) {
    const AtlasImage* image = ImageAt(rect);
    return image != nullptr && image->art == AtlasArt::Label ? image->text : "(no label)";
}

TEST(AtlasCharactersTest, NamesFacesAndItemLinesAreRegistered) {
    for (int row = 0; row < CHARACTER_TEMPLATE_COUNT; ++row) {
        EXPECT_EQ(LabelAt(characterTemplates[row].nameRect), characterTemplateNames[row]);
        const AtlasImage* face = ImageAt(characterTemplates[row].faceRect);
        ASSERT_NE(face, nullptr) << row;
        EXPECT_EQ(face->art, AtlasArt::Face);
        EXPECT_EQ(ImageAt(characterTemplates[row].portraitRect), nullptr) << row;
    }
    EXPECT_EQ(LabelAt(FAMILIAR_NAME_RECT), familiarName);
    ASSERT_NE(ImageAt(FAMILIAR_FACE_RECT), nullptr);
    EXPECT_EQ(ImageAt(FAMILIAR_FACE_RECT)->art, AtlasArt::Face);
    for (int kind = 0; kind < ENEMY_KIND_COUNT; ++kind) {
        EXPECT_EQ(LabelAt(enemyKinds[kind].nameRect), enemyKindNames[kind]);
    }
    EXPECT_EQ(LabelAt(itemTable[3].nameRect), "魔法エキス");
    EXPECT_EQ(LabelAt(itemTable[6].nameRect), "魔法草") << "shared with item 2";
    EXPECT_EQ(LabelAt(itemTable[18].nameRect), "レイピア") << "shared with item 10";
    for (const ItemRecord& item : itemTable) {
        EXPECT_NE(LabelAt(item.detailRect), "(no label)") << item.id;
        EXPECT_NE(LabelAt(item.detailRect), "") << item.id;
    }
    // 5 names and 5 faces with the familiar's, 17 enemy names, 18 item names and 14 description
    // lines.
    EXPECT_EQ(characterAtlasImages.count, 59u);
}

TEST(AtlasCharactersTest, TheListIsInTheRegistry) {
    const std::vector<AtlasImage>& all = AtlasImages();
    for (size_t i = 0; i < characterAtlasImages.count; ++i) {
        const AtlasImage& mine = characterAtlasImages.images[i];
        EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const AtlasImage& image) {
            return SameRect(image.rect, mine.rect) && image.text == mine.text;
        })) << i;
    }
}

}  // namespace
