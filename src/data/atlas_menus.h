// The atlas rectangles of the title side: the title screen and its menu, the yes/no dialog and
// the start menu. The images of the interface atlas are registered in data/atlas_menus.cpp.
#pragma once

#include "data/atlas_rect.h"

// Title screen, interface atlas.
constexpr AtlasRect RECT_TITLE_PICTURE = {0, 0, 640, 480};
constexpr AtlasRect RECT_TITLE_LOGO = {795, 792, 1200, 918};
constexpr AtlasRect RECT_TITLE_FOOTER = {476, 597, 607, 610};
constexpr AtlasRect RECT_TITLE_MENU_FRAME = {0, 962, 368, 1054};
constexpr AtlasRect RECT_TITLE_HIGHLIGHT = {0, 1056, 181, 1084};
constexpr AtlasRect RECT_TITLE_LABEL_START = {0, 1086, 135, 1112};
constexpr AtlasRect RECT_TITLE_LABEL_QUIT = {0, 1114, 133, 1140};
constexpr AtlasRect RECT_TITLE_LABEL_OPTIONS = {183, 1056, 318, 1082};
constexpr AtlasRect RECT_TITLE_LABEL_LOAD = {183, 1086, 313, 1112};
constexpr AtlasRect RECT_TITLE_LABEL_PICTURES = {657, 1208, 709, 1234};
constexpr AtlasRect RECT_TITLE_LABEL_GALLERY = {648, 1238, 727, 1263};

// The title's three lower backgrounds lie on the glyph sheet (registered with the glyphs).
constexpr AtlasRect RECT_TITLE_LOWER_BACKGROUNDS[3] = {
    {1407, 391, 2047, 591},
    {1407, 593, 2047, 793},
    {1407, 795, 2047, 1023},
};

// Yes/no questions. No is the first choice and Yes the second, here and in every question of
// the game that shows these two images.
constexpr AtlasRect RECT_QUESTION_FRAME = {125, 482, 285, 582};
constexpr AtlasRect RECT_CHOICE_NO = {531, 663, 589, 682};
constexpr AtlasRect RECT_CHOICE_YES = {591, 663, 630, 681};
constexpr AtlasRect RECT_QUIT_PROMPT = {531, 640, 653, 660};
// The yes/no dialog's background tile is the options screen's; the start menu's is the black
// fade tile. Both are registered with the core images.
constexpr AtlasRect RECT_YES_NO_BACKGROUND_TILE = {1469, 19, 1501, 51};
constexpr AtlasRect RECT_START_MENU_BACKGROUND_TILE = {1537, 21, 1569, 53};

// Start menu.
constexpr AtlasRect RECT_START_MENU_FRAME = {642, 1875, 921, 2046};
constexpr AtlasRect RECT_START_MENU_TITLE = {857, 1411, 1000, 1430};
constexpr AtlasRect RECT_START_ENTRY_BACK = {1013, 1366, 1073, 1385};
constexpr AtlasRect RECT_START_ENTRY_SCENARIO_0 = {857, 1365, 1011, 1385};
constexpr AtlasRect RECT_START_ENTRY_SCENARIO_1 = {857, 1387, 1101, 1407};
constexpr AtlasRect RECT_START_QUESTION_TITLE = {533, 697, 691, 717};
