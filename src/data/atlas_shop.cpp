// The interface-atlas images of the treasure popup, the amount entry, the shop and the inn.
#include "data/atlas_shop.h"

#include "data/atlas_images.h"

namespace {

constexpr uint32_t LABEL_WHITE = 0xFFFFFFFF;
constexpr uint32_t TITLE_GOLD = 0xFFFFE080;
constexpr uint32_t FRAME_LIGHT = 0xFFE0E8FF;
constexpr uint32_t POINTER_YELLOW = 0xFFFFE060;

const AtlasImage shopImages[] = {
    {AtlasSheet::Interface, RECT_GOLD_SIGN, AtlasArt::Label, "G", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_ITEM_GET_WORDS, AtlasArt::Label, "を手に入れた！", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_NO_ROOM_MESSAGE, AtlasArt::Label, "もちものが いっぱいです",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_NOT_ENOUGH_MONEY_MESSAGE, AtlasArt::Label, "おかねが たりません",
     LABEL_WHITE},

    {AtlasSheet::Interface, RECT_AMOUNT_CAPTION, AtlasArt::Label, "きんがく", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_AMOUNT_KEY_HINT, AtlasArt::Label, "↑↓数字 ←→けた Z決定 Escやめる",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_AMOUNT_DIGIT_BOX, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_DIGIT_CURSOR, AtlasArt::Label, "▼", POINTER_YELLOW},

    {AtlasSheet::Interface, RECT_SHOP_MENU_FRAME, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_SHOP_WORD_HEAD, AtlasArt::Label, "お", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_SHOP_WORD_SHOP, AtlasArt::Label, "店", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_SHOP_WORD_LEAVE, AtlasArt::Label, "を出る", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_SHOP_ENTRY_BUY, AtlasArt::Label, "買う", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SHOP_ENTRY_SELL, AtlasArt::Label, "売る", LABEL_WHITE},

    {AtlasSheet::Interface, RECT_SHOP_LIST_BACKDROP, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_BUY_CAPTION, AtlasArt::Label, "なにを かいますか？", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SELL_CAPTION, AtlasArt::Label, "なにを うりますか？", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_PAGE_ARROW_LEFT, AtlasArt::Label, "◀", POINTER_YELLOW},
    {AtlasSheet::Interface, RECT_MONEY_BACKDROP, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_MONEY_WINDOW_LABEL, AtlasArt::Label, "しょじきん", LABEL_WHITE},

    {AtlasSheet::Interface, RECT_QUANTITY_FRAME, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_BUY_QUANTITY_HEADER, AtlasArt::Label, "いくつ かいますか？",
     TITLE_GOLD},
    {AtlasSheet::Interface, RECT_SELL_QUANTITY_HEADER, AtlasArt::Label, "いくつ うりますか？",
     TITLE_GOLD},
    {AtlasSheet::Interface, RECT_QUANTITY_LABEL, AtlasArt::Label, "こすう", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_TOTAL_LABEL, AtlasArt::Label, "ごうけい", LABEL_WHITE},

    {AtlasSheet::Interface, RECT_INN_TITLE, AtlasArt::Label, "とまりますか？", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_INN_PRICE_BOX, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_INN_PRICE_LABEL, AtlasArt::Label, "やどだい", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_INN_MONEY_LABEL, AtlasArt::Label, "しょじきん", LABEL_WHITE},
};

}  // namespace

const AtlasImageList shopAtlasImages = {shopImages, sizeof(shopImages) / sizeof(shopImages[0])};
