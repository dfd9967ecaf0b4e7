// Every mistake a data author can make in a demo source is refused with one message that names
// its place, and the forms the sources allow are accepted: one table for all the builders.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "datapack/event_compiler.h"
#include "datapack/map_source.h"
#include "datapack/model_builder.h"
#include "datapack/sound_synth.h"
#include "datapack/text_render.h"
#include "datapack/texture_builder.h"

namespace {

// Line numbers: 2 map, 3 name, 4 size, 5 encounter, 6 tile X, 10 first tile row, 11 second,
// 13 third, 15 events, 17 second event row, 20 script, 24 and 25 the second block.
const char* const ROOM = R"(# a comment line
map 7
name 小部屋
size 4 4
encounter 2 15
tile X 15
tile . 0
tile ~ 45
tiles
XXXX
X.~X
# comments may stand between rows
X..X
XXXX
events
 .  .  .  .
 . 70  2  .
 .  1  .  .
 .  .  .  .
script
/ one: @ in a comment ends nothing
$2,#99,
@
$1,4,270,0,
#99,
@
)";

// The room with one line replaced (1-based).
std::string RoomWithLine(int line, const std::string& text) {
    std::string source = ROOM;
    size_t start = 0;
    for (int i = 1; i < line; ++i) {
        start = source.find('\n', start) + 1;
    }
    return source.substr(0, start) + text + source.substr(source.find('\n', start));
}

enum class Builder { Map, MapTwice, Event, Sounds, Textures, TextureSet, Models, Font };

std::string Outcome(Builder builder, const std::string& text) {
    try {
        switch (builder) {
            case Builder::Map:
                ParseMapSource(text, "room.txt");
                break;
            case Builder::MapTwice: {
                const MapSource map = ParseMapSource(text, "room.txt");
                BuildMapPacks({map, map});
                break;
            }
            case Builder::Event:
                CompileEventText(text, "maps/town.txt");
                break;
            case Builder::Sounds:
                for (const SoundRecipe& recipe : ParseSoundRecipes(text)) {
                    RenderSound(recipe);
                }
                break;
            case Builder::Textures:
                for (const TextureRecipe& recipe : ParseTextureRecipes(text)) {
                    RenderTexture(recipe);
                }
                break;
            case Builder::TextureSet:
                BuildTextureLibrary(text, 2);
                break;
            case Builder::Models: {
                const std::map<std::string, RgbaImage> oak{
                    {"oak", RgbaImage{8, 8, std::vector<uint32_t>(64)}}};
                BuildModelSet(text, 1, oak, 1);
                break;
            }
            case Builder::Font:
                OpenFonts(text, JAPANESE_FONT_PATH);
                break;
        }
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "accepted";
}

TEST(BuilderErrorsTest, EachMistakeIsRefusedWithItsPlace) {
    const std::string room = ROOM;
    const std::string model = "model 0 m text\n  material a #ff0000\n";
    const std::string box = "  box a 0 0 0 1 1 1\n";
    const std::string skin = "skin a 64x64\n";
    const std::string tile0 = "tile 0 a 8x8\n fill #ffffff\nend\n";
    std::string glyphs23;
    for (int i = 0; i < 23; ++i) {
        glyphs23 += "あ";
    }
    const struct {
        Builder builder;
        std::string text;
        std::string expected;  // a fragment of the message, or "accepted"
    } rows[] = {
        {Builder::Map, room, "accepted"},
        {Builder::Map, room + "\n/ trailing comment\n  \n", "accepted"},
        {Builder::Map, RoomWithLine(2, "map 24"), "room.txt:2: map number 24 is outside 0..23"},
        {Builder::Map, RoomWithLine(5, "encounter 5 15"), "room.txt:5: group 5 is outside"},
        {Builder::Map, RoomWithLine(5, "encounter 1 -3"), "room.txt:5: interval -3 is outside"},
        {Builder::Map, RoomWithLine(4, "size 201 200"), "room.txt:4: a map has at most 40000"},
        {Builder::Map, RoomWithLine(6, "tile X 300"), "room.txt:6: tile 300 is outside"},
        {Builder::Map, RoomWithLine(6, "tile XY 15"), "room.txt:6: a tile symbol is one"},
        {Builder::Map, RoomWithLine(11, "X.?X"), "room.txt:11: tile symbol ? has no"},
        {Builder::Map, RoomWithLine(11, "X.X"), "room.txt:11: a tile row of 3 symbols"},
        {Builder::Map, RoomWithLine(17, " .  21  2  ."), "room.txt:17: event value 21 is none"},
        {Builder::Map, RoomWithLine(17, " .  75  2  ."), "room.txt:17: event value 75 is none"},
        {Builder::Map, RoomWithLine(17, " .  70  2"), "room.txt:17: an event row of 3 values"},
        {Builder::Map, RoomWithLine(17, " .  70  1  ."), "room.txt:18: event 1 stands on a second"},
        {Builder::Map, RoomWithLine(17, " .  70  3  ."),
         "room.txt:15: events run to 3 but event 2"},
        {Builder::Map, RoomWithLine(10, "XX.X"), "room.txt:10: the border cell at column 2"},
        {Builder::Map, RoomWithLine(11, "~.~X"), "room.txt:11: the border cell at column 0"},
        {Builder::Map, RoomWithLine(3, "size 4 4"), "room.txt:4: \"size\" given a second time"},
        {Builder::Map, RoomWithLine(3, "colour red"), "room.txt:3: unknown keyword"},
        {Builder::Map, RoomWithLine(3, "# no name"), "the source has no \"name\""},
        {Builder::Map, room.substr(0, room.find("script")), "the source has no \"script\""},
        {Builder::Map, "map 1\nname a\ntiles\n", "room.txt:3: \"size\" must come before"},
        {Builder::Map, room.substr(0, room.find("XXXX\nevents")) + "events\n",
         "room.txt:9: tiles has 3 rows"},
        {Builder::Map, room.substr(0, room.rfind("$1,4")),
         "room.txt:20: the event grid numbers 2 events but the script has 1 blocks"},
        {Builder::Map, room + "#99,\n@\n", "the script has 3 blocks"},
        {Builder::Map, room + "\n#99,\n", "room.txt:28: text after the last block"},
        {Builder::Map, RoomWithLine(25, "#2,\t1,\"はい\","), "room.txt:25: a tab stays"},
        {Builder::Map, RoomWithLine(25, "#2,1,はい,"), "room.txt:25: text outside quotes"},
        {Builder::Map, RoomWithLine(25, "#2,1,\"\x01\","), "room.txt:25: the glyph table has no"},
        {Builder::Map, room.substr(0, room.rfind("#99,")) + std::string(22000, '9') + ",\n@\n",
         "room.txt:24: block 2 keeps"},
        {Builder::MapTwice, room, "map 7 is given twice"},

        {Builder::Event, "\"" + glyphs23 + "\"", "accepted"},
        {Builder::Event, "\"" + glyphs23 + "い\"", "maps/town.txt:1: a quoted line holds more"},
        {Builder::Event, "#1,1,\n#2,1,\"憂鬱だ\",\n",
         "maps/town.txt:2: the glyph table has no \"憂\" (U+6182)"},
        {Builder::Event, "\"abc\"", "the glyph table has no \"a\""},
        {Builder::Event, "\"\xE3\x81\"", "maps/town.txt:1: the text is not UTF-8"},
        {Builder::Event, "\"\xE3\x81\x41\"", "maps/town.txt:1: the text is not UTF-8"},
        {Builder::Event, "#2,1,\n\n#2,1,\"あいう\n#99,\"",
         "maps/town.txt:3: a quote is not closed"},
        {Builder::Event, "#2,1,\"あ", "maps/town.txt:1: a quote is not closed"},

        {Builder::Sounds, "# c\nsound 1 a\n  notes square 10 0.1 C#4 Bb3:2 R\nend\n", "accepted"},
        {Builder::Sounds, "sound 1 a\n  tone sine 1 1 1\nend\n", "cannot read step in a"},
        {Builder::Sounds, "\n\nsound 1 a\n", "sounds: 'a' has no end"},
        {Builder::Sounds, "sound 1 a\nsound 2 b\nend\n", "sounds line 2: 'a' has no end"},
        {Builder::Sounds, "tone sine 1 1 1 1\n", "sounds line 1: a step outside a sound"},
        {Builder::Sounds, "end\n", "sounds line 1: 'end' outside a sound"},
        {Builder::Sounds, "sound 1\nend\n", "sounds line 1: expected 'sound <id> <name>'"},
        {Builder::Sounds, "sound 1 a\n notes sine 10 0.1 H4\nend\n", "bad note 'H4'"},
        {Builder::Sounds, "sound 1 a\n tone hum 1 1 1 1\nend\n", "unknown wave 'hum'"},
        {Builder::Sounds, "sound 1 a\n noise 1 loud\nend\n", "not a number 'loud'"},

        {Builder::Textures,
         "# note\n" + skin +
             "  fill #ffffff80\n  arrow #000000 left 0.5\n  gradient #ff0000 r 0 1\nend\n",
         "accepted"},
        {Builder::Textures, skin + "  smear #ffffff\nend\n", "textures line 2: unknown step"},
        {Builder::Textures, "\n" + skin + "  fill #fff\nend\n",
         "textures line 3: expected a colour"},
        {Builder::Textures, "tile 0 a 48x64\n  fill #ffffff\nend\n", "line 1: size '48x64'"},
        {Builder::Textures, "tile x a 64x64\n  fill #ffffff\nend\n", "line 1: bad slot 'x'"},
        {Builder::Textures, skin + "  stripes #ffffff x 8 2\nend\n", "textures line 2: expected:"},
        {Builder::Textures, skin + "  ring #ffffff 1 2 3\nend\n", "textures line 2: expected:"},
        {Builder::Textures, skin + "  noise 0.4 big\nend\n", "line 2: not a number 'big'"},
        {Builder::Textures, skin + "  checker #ffffff 0\nend\n",
         "line 2: checker needs a positive"},
        {Builder::Textures, skin + "end\n", "textures line 2: 'a' has no steps"},
        {Builder::Textures, skin + "  fill #ffffff\n", "textures: 'a' has no end"},
        {Builder::Textures, "  fill #ffffff\n", "textures line 1: a step outside a texture"},
        {Builder::TextureSet, "tile 1 a 8x8\n fill #ffffff\nend\n", "textures: no tile for slot 0"},
        {Builder::TextureSet, "tile 2 a 8x8\n fill #ffffff\nend\n", "slot 2 of 'a' is outside"},
        {Builder::TextureSet, tile0 + "tile 0 b 8x8\n fill #ffffff\nend\n", "slot 0 of 'b' is out"},
        {Builder::TextureSet, tile0 + "skin a 8x8\n fill #ffffff\nend\n",
         "name 'a' is given twice"},

        {Builder::Models, model + box + "end\n", "accepted"},
        {Builder::Models, model + "  box b 0 0 0 1 1 1\nend\n", "models line 3: no material 'b'"},
        {Builder::Models, model + "  cube a 0 0 0 1 1 1\nend\n", "models line 3: unknown shape"},
        {Builder::Models, model + "  box a 0 0 0 1 0 1\nend\n", "models line 3: height must be"},
        {Builder::Models, model + "  box a 0 0 0 1 1 1 spin=3\nend\n", "line 3: unknown option"},
        {Builder::Models, model + "  box a 0 0 0 1 1 1 top=0.5\nend\n", "'top=0.5' for box"},
        {Builder::Models, model + "  cone a 0 0 0 1 1 1 sides=2\nend\n", "line 3: sides must"},
        {Builder::Models, model + "  sphere a 0 0 0 1 1 one\nend\n", "line 3: not a number 'one'"},
        {Builder::Models, "model 0 m text\n  material a #000000\n",
         "models line 2: material 'a' is black"},
        {Builder::Models, "model 0 m text\n  material a #ff0000 alpha=2\n",
         "line 2: alpha must lie"},
        {Builder::Models, model + "  material a #00ff00\n", "line 3: material 'a' is given twice"},
        {Builder::Models, "model 0 m zipped\nend\n", "models line 1: expected 'model <row>"},
        {Builder::Models, "model -1 m text\nend\n", "models line 1: bad row '-1'"},
        {Builder::Models, model + "\nend\n", "models line 4: 'm' has no parts"},
        {Builder::Models, model + box, "models: 'm' has no end"},
        {Builder::Models, "end\n", "models line 1: 'end' outside a model"},
        {Builder::Models, "model 0 m text\n\n  material a #ff0000 texture=pine\n" + box + "end\n",
         "models line 3: no texture 'pine'"},
        {Builder::Models, model + box + "end\n" + model + box + "end\n", "models line 5: row 0"},
        {Builder::Models, "model 1 m text\n  material a #ff0000\n" + box + "end\n",
         "models line 1: row 1 is outside 0..0"},
        {Builder::Models, "model 0 m text\n  material a #ff0000 texture=oak\n" + box + "end\n",
         "models: 2 textured materials, more than the 1"},
        {Builder::Font, "/nonexistent/Missing-Bold.ttf", "font file /nonexistent/Missing-Bold.ttf"},
    };
    for (const auto& row : rows) {
        const std::string outcome = Outcome(row.builder, row.text);
        if (row.expected == "accepted") {
            EXPECT_EQ(outcome, "accepted") << row.text;
        } else {
            EXPECT_NE(outcome.find(row.expected), std::string::npos)
                << row.text << "\n  gave: " << outcome;
        }
    }
}

}  // namespace
