// The image decoders and the texture preparation: known pixels from hand-assembled BMP, DIB,
// TGA, PPM and DDS files, PNG and JPEG through their libraries, row orders, palettes, RLE,
// DXT blocks, padding, the colour key, and broken or oversized files refused without a read
// outside the bytes.
#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>

#include <zlib.h>

#include "datapack/image_samples.h"
#include "datapack/png_writer.h"
#include "engine/byte_io.h"
#include "platform/common/image.h"

namespace {

using Pixels = std::vector<uint32_t>;

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes Le16(std::initializer_list<uint32_t> values) {
    Bytes b;
    for (uint32_t v : values) {
        AppendLE16(b, v);
    }
    return b;
}

// Decodes from an exact-size heap copy, so the sanitizers see any read past the end.
bool TryDecode(const Bytes& bytes, RgbaImage* image) {
    std::vector<uint8_t> copy(bytes);
    return DecodeImage(copy.data(), copy.size(), image);
}

RgbaImage Decoded(const Bytes& bytes) {
    RgbaImage image;
    EXPECT_TRUE(TryDecode(bytes, &image));
    return image;
}

void ExpectImage(const Bytes& bytes, int width, int height, const Pixels& pixels) {
    RgbaImage image = Decoded(bytes);
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.pixels, pixels);
}

bool Refused(const Bytes& bytes) {
    RgbaImage image;
    image.width = 7;
    image.pixels.assign(3, 1);
    const bool ok = TryDecode(bytes, &image);
    // A refused file leaves the output empty, whatever it held before.
    return !ok && image.width == 0 && image.height == 0 && image.pixels.empty();
}

// ---- BMP ----

const Bytes kPalette4 = {0x0A, 0x0A, 0x0A, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};
constexpr uint32_t kGrey10 = 0xFF0A0A0A;

TEST(ImageBmp, Bottom24BitRowsComeOutTopFirstAndNegativeHeightIsTopDown) {
    // 2x2, 6-byte rows padded to 8; the first stored row is the bottom one.
    const Bytes rows = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0x10, 0x20, 0x30, 0, 0};
    ExpectImage(BmpFile(Concat(BmpInfo(2, 2, 24), rows), 40), 2, 2,
                {kBlue, 0xFF302010, kRed, kGreen});
    ExpectImage(BmpFile(Concat(BmpInfo(2, -2, 24), rows), 40), 2, 2,
                {kRed, kGreen, kBlue, 0xFF302010});
}

TEST(ImageBmp, PalettesOf1To8BitsInFilesAndBareDibs) {
    const Bytes dib8 = Concat(Concat(BmpInfo(3, 1, 8, 0, 4), kPalette4), {3, 0, 1, 0});
    ExpectImage(BmpFile(dib8, 40 + 16), 3, 1, {kBlue, kGrey10, kRed});
    ExpectImage(dib8, 3, 1, {kBlue, kGrey10, kRed});
    // 10 one-bit pixels cross a byte; 3 four-bit pixels use the high nibble first.
    const Bytes palette2(kPalette4.begin(), kPalette4.begin() + 8);
    ExpectImage(Concat(Concat(BmpInfo(10, 1, 1, 0, 2), palette2), {0xA0, 0xC0, 0, 0}), 10, 1,
                {kRed, kGrey10, kRed, kGrey10, kGrey10, kGrey10, kGrey10, kGrey10, kRed, kRed});
    ExpectImage(Concat(Concat(BmpInfo(3, 1, 4, 0, 4), kPalette4), {0x21, 0x30, 0, 0}), 3, 1,
                {kGreen, kRed, kBlue});
    // The 12-byte core header keeps 3-byte palette entries.
    Bytes core = {12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 8, 0};
    core = Concat(core, Bytes{0, 0, 0xFF, 0xFF, 0, 0});  // red, blue
    ExpectImage(BmpFile(Concat(core, {1, 0, 0, 0}), 18), 2, 1, {kBlue, kRed});
}

TEST(ImageBmp, SixteenAnd32BitMasks) {
    ExpectImage(Concat(BmpInfo(3, 1, 16), Le16({0x7C00, 0x03E0, 0x4210, 0})), 3, 1,
                {kRed, kGreen, 0xFF848484});
    Bytes fields565 = BmpInfo(2, 1, 16, 3);
    for (uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) {
        AppendLE32(fields565, mask);
    }
    ExpectImage(Concat(fields565, Le16({0xF800, 0x0010})), 2, 1, {kRed, 0xFF000084});
    // Plain 32-bit pixels ignore their fourth byte; a v5 header's alpha mask is used.
    const Bytes argb = {0x30, 0x20, 0x10, 0x80};
    ExpectImage(Concat(BmpInfo(1, 1, 32), argb), 1, 1, {0xFF102030});
    Bytes v5 = BmpInfo(1, 1, 32, 3, 0, 124);
    WriteLE32(v5.data() + 40, 0x00FF0000);
    WriteLE32(v5.data() + 44, 0x0000FF00);
    WriteLE32(v5.data() + 48, 0x000000FF);
    WriteLE32(v5.data() + 52, 0xFF000000);
    ExpectImage(BmpFile(Concat(v5, argb), 124), 1, 1, {0x80102030});
    WriteLE32(v5.data() + 16, 0);  // the same header without bit fields: opaque again
    ExpectImage(BmpFile(Concat(v5, argb), 124), 1, 1, {0xFF102030});
}

TEST(ImageBmp, Rle8RunsLiteralsDeltasAndLineEnds) {
    const Bytes rle = {2, 1, 2, 3, 0, 0,         // bottom row: red red blue blue
                       0, 3, 2, 3, 2, 0, 0, 0,   // literal green blue green, pad
                       0, 2, 1, 0, 1, 1, 0, 1};  // delta right 1, red, end
    const Bytes file = BmpFile(Concat(Concat(BmpInfo(4, 3, 8, 1, 4), kPalette4), rle), 56);
    ExpectImage(file, 4, 3,
                {kGrey10, kRed, kGrey10, kGrey10, kGreen, kBlue, kGreen, kGrey10, kRed, kRed, kBlue,
                 kBlue});
    // A delta both right and up: the skipped pixels keep index 0.
    ExpectImage(Concat(Concat(BmpInfo(2, 2, 8, 1, 4), kPalette4), {0, 2, 1, 1, 1, 1, 0, 1}), 2, 2,
                {kGrey10, kRed, kGrey10, kGrey10});
}

TEST(ImageBmp, Rle4AlternatesNibbles) {
    const Bytes rle = {3, 0x12, 0, 3, 0x20, 0x10, 0, 1};
    ExpectImage(Concat(Concat(BmpInfo(6, 1, 4, 2, 4), kPalette4), rle), 6, 1,
                {kRed, kGreen, kRed, kGreen, kGrey10, kRed});
}

// ---- TGA ----

TEST(ImageTga, BottomLeftOriginFlipsRowsAndTheIdFieldIsSkipped) {
    const Bytes file = Concat(TgaHeader(2, 2, 2, 24, 0, 0, 0, 0, 3),
                              {'i', 'd', '!', 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 1, 2, 3});
    ExpectImage(file, 2, 2, {kRed, 0xFF030201, kBlue, kGreen});
}

TEST(ImageTga, AlphaOnlyWhenTheDescriptorGivesAlphaBits) {
    const Bytes px = {1, 2, 3, 0x40};
    ExpectImage(Concat(TgaHeader(2, 1, 1, 32, 0x28), px), 1, 1, {0x40030201});
    ExpectImage(Concat(TgaHeader(2, 1, 1, 32, 0x20), px), 1, 1, {0xFF030201});
    const Bytes px16 = Le16({0xFC00, 0x001F});
    ExpectImage(Concat(TgaHeader(2, 2, 1, 16, 0x21), px16), 2, 1, {kRed, 0x000000FF});
    ExpectImage(Concat(TgaHeader(2, 2, 1, 15, 0x20), px16), 2, 1, {kRed, kBlue});
}

TEST(ImageTga, GreyRawAndRle) {
    ExpectImage(Concat(TgaHeader(3, 1, 2, 8, 0), {0x40, 0xC0}), 1, 2, {0xFFC0C0C0, 0xFF404040});
    ExpectImage(Concat(TgaHeader(11, 3, 1, 8, 0x20), {0x81, 0x80, 0x00, 0x11}), 3, 1,
                {0xFF808080, 0xFF808080, 0xFF111111});
}

TEST(ImageTga, ColourMapsFromTheirFirstIndex) {
    const Bytes map = Le16({0xFC00, 0x801F, 0x03E0});
    // Index 0 lies before the map's first entry (2): opaque black. The entries' top bit is
    // their alpha, as the descriptor gives 1 alpha bit.
    ExpectImage(Concat(Concat(TgaHeader(1, 4, 1, 8, 0x21, 2, 3, 16), map), {2, 3, 4, 0}), 4, 1,
                {kRed, kBlue, 0x0000FF00, 0xFF000000});
    const Bytes map24 = {0, 0, 0xFF, 0xFF, 0, 0};
    ExpectImage(Concat(Concat(TgaHeader(9, 3, 1, 8, 0x20, 0, 2, 24), map24), {0x81, 1, 0, 0}), 3, 1,
                {kBlue, kBlue, kRed});
}

TEST(ImageTga, RlePacketsRunAcrossRowsAndRightToLeftMirrors) {
    // A run of 4 of A, then a raw packet B, C: rows A A A / A B C in stored order.
    const Bytes packets = {0x83, 0, 0, 0xFF, 0x01, 0, 0xFF, 0, 0xFF, 0, 0};
    ExpectImage(Concat(TgaHeader(10, 3, 2, 24, 0x20), packets), 3, 2,
                {kRed, kRed, kRed, kRed, kGreen, kBlue});
    ExpectImage(Concat(TgaHeader(10, 3, 2, 24, 0x30), packets), 3, 2,
                {kRed, kRed, kRed, kBlue, kGreen, kRed});
}

// ---- PPM ----

TEST(ImagePpm, BinaryAndPlainWithCommentsAndScaledMaxvals) {
    ExpectImage(Concat(Text("P6\n# made by hand\n2 1\n255\n"), {0xFF, 0, 0, 0, 0x80, 0xFF}), 2, 1,
                {kRed, 0xFF0080FF});
    ExpectImage(Text("P3\n#c\n2 #w\n1\n15\n15 0 0\n0 7 15\n"), 2, 1, {kRed, 0xFF0077FF});
    ExpectImage(Concat(Text("P6 1 1 65535\n"), {0xFF, 0xFF, 0x80, 0x00, 0, 0}), 1, 1, {0xFFFF8000});
    ExpectImage(Concat(Text("P5 2 1 255 "), {0x10, 0xF0}), 2, 1, {0xFF101010, 0xFFF0F0F0});
    ExpectImage(Text("P2 1 1 3 2"), 1, 1, {0xFFAAAAAA});
}

// ---- DDS ----

constexpr uint32_t kRgb = 0x40, kAlpha = 0x1, kFourCc = 0x4;
constexpr uint32_t kDxt1 = 0x31545844, kDxt3 = 0x33545844, kDxt5 = 0x35545844;

TEST(ImageDds, UncompressedMaskFormats) {
    const Bytes argb = {0x33, 0x22, 0x11, 0x80};
    ExpectImage(Concat(Dds(1, 1, kRgb | kAlpha, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000), argb),
                1, 1, {0x80112233});
    ExpectImage(Concat(Dds(1, 1, kRgb, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000), argb), 1, 1,
                {0xFF112233});
    ExpectImage(Concat(Dds(1, 1, kRgb, 0, 24, 0xFF0000, 0xFF00, 0xFF), argb), 1, 1, {0xFF112233});
    ExpectImage(Concat(Dds(2, 1, kRgb, 0, 16, 0xF800, 0x07E0, 0x1F), Le16({0xF800, 0x07E0})), 2, 1,
                {kRed, kGreen});
    ExpectImage(Concat(Dds(2, 1, kRgb | kAlpha, 0, 16, 0x7C00, 0x3E0, 0x1F, 0x8000),
                       Le16({0xFC00, 0x7C00})),
                2, 1, {kRed, 0x00FF0000});
    ExpectImage(Concat(Dds(1, 1, kRgb | kAlpha, 0, 16, 0xF00, 0xF0, 0xF, 0xF000), Le16({0x8F0F})),
                1, 1, {0x88FF00FF});
    ExpectImage(Concat(Dds(1, 1, 0x20000, 0, 8, 0xFF), {0x40}), 1, 1, {0xFF404040});
}

// One DXT colour block between two end points, each row using indices 0, 1, 2, 3.
Bytes ColourBlock(uint32_t c0, uint32_t c1) {
    return Le16({c0, c1, 0xE4E4, 0xE4E4});
}

Pixels Rows(const Pixels& row) {
    Pixels all;
    for (int i = 0; i < 4; ++i) {
        all.insert(all.end(), row.begin(), row.end());
    }
    return all;
}

TEST(ImageDds, Dxt1FourColourAndTransparentModes) {
    // Red above blue: thirds between them. Blue below red: the half and transparent black.
    ExpectImage(Concat(Dds(4, 4, kFourCc, kDxt1), ColourBlock(0xF800, 0x001F)), 4, 4,
                Rows({kRed, kBlue, 0xFFAA0055, 0xFF5500AA}));
    ExpectImage(Concat(Dds(4, 4, kFourCc, kDxt1), ColourBlock(0x001F, 0xF800)), 4, 4,
                Rows({kBlue, kRed, 0xFF800080, 0x00000000}));
}

TEST(ImageDds, Dxt3ExplicitAlphaAndAlwaysFourColours) {
    // 0x8410 widens to (132, 130, 132); the third and fourth colours mix it with black.
    const Bytes alpha = {0xF0, 0x87, 0, 0, 0, 0, 0, 0};
    RgbaImage image =
        Decoded(Concat(Concat(Dds(4, 4, kFourCc, kDxt3), alpha), ColourBlock(0, 0x8410)));
    ASSERT_EQ(image.pixels.size(), 16u);
    EXPECT_EQ(Pixels(image.pixels.begin(), image.pixels.begin() + 8),
              (Pixels{0, 0xFF848284, 0x772C2B2C, 0x88585758, 0, 0x848284, 0x2C2B2C, 0x585758}));
}

TEST(ImageDds, Dxt5EightAndSixLevelAlpha) {
    // The first five pixels' alphas, over a white-black block.
    auto alphas = [](const Bytes& alphaBlock) {
        const RgbaImage image =
            Decoded(Concat(Concat(Dds(4, 4, kFourCc, kDxt5), alphaBlock), ColourBlock(0xFFFF, 0)));
        Pixels firstFive;
        for (size_t i = 0; i < 5 && i < image.pixels.size(); ++i) {
            firstFive.push_back(image.pixels[i] >> 24);
        }
        return std::pair(firstFive, image.pixels.empty() ? 0u : image.pixels[1]);
    };
    EXPECT_EQ(alphas({200, 100, 0x88, 0x0E, 0, 0, 0, 0}),
              std::pair(Pixels{200, 100, 186, 114, 200}, 0x64000000u));
    EXPECT_EQ(alphas({50, 150, 0xAA, 0x0F, 0, 0, 0, 0}).first, (Pixels{70, 130, 0, 255, 50}));
}

TEST(ImageDds, BlocksOverhangSidesThatAreNotMultiplesOfFour) {
    Bytes blocks = ColourBlock(0xF800, 0);
    blocks = Concat(blocks, ColourBlock(0x001F, 0));
    for (size_t i : {4u, 5u, 6u, 7u, 12u, 13u, 14u, 15u}) {
        blocks[i] = 0;  // every pixel takes the first colour
    }
    ExpectImage(Concat(Dds(5, 3, kFourCc, kDxt1), blocks), 5, 3,
                {kRed, kRed, kRed, kRed, kBlue, kRed, kRed, kRed, kRed, kBlue, kRed, kRed, kRed,
                 kRed, kBlue});
    blocks.pop_back();
    EXPECT_TRUE(Refused(Concat(Dds(5, 3, kFourCc, kDxt1), blocks)));
}

// ---- PNG and JPEG ----

TEST(ImagePng, EncodeDecodeRoundTripKeepsEveryChannel) {
    RgbaImage image{3, 2, {0xFF102030, 0x00FFFFFF, 0x80FF0000, 0x01020304, kGreen, 0x7F7F7F7F}};
    ExpectImage(EncodePng(image), 3, 2, image.pixels);
}

// A PNG assembled chunk by chunk, for the kinds EncodePng never writes. Each row of raw
// starts with its filter byte.
void PutPngChunk(Bytes& png, const char* type, const Bytes& body) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        png.push_back(static_cast<uint8_t>(body.size() >> shift));
    }
    const Bytes typed = Concat(Bytes(type, type + 4), body);
    png.insert(png.end(), typed.begin(), typed.end());
    const uint32_t crc = static_cast<uint32_t>(crc32(0, typed.data(), typed.size()));
    for (int shift = 24; shift >= 0; shift -= 8) {
        png.push_back(static_cast<uint8_t>(crc >> shift));
    }
}

Bytes HandMadePng(uint32_t width, uint8_t depth, uint8_t colourType, const Bytes& raw,
                  const std::vector<std::pair<const char*, Bytes>>& extra = {}) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutPngChunk(png, "IHDR",
                {0, 0, static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(width), 0, 0, 0, 1,
                 depth, colourType, 0, 0, 0});
    for (const auto& [type, body] : extra) {
        PutPngChunk(png, type, body);
    }
    uLongf packedSize = compressBound(raw.size());
    Bytes packed(packedSize);
    EXPECT_EQ(compress(packed.data(), &packedSize, raw.data(), raw.size()), Z_OK);
    packed.resize(packedSize);
    PutPngChunk(png, "IDAT", packed);
    PutPngChunk(png, "IEND", {});
    return png;
}

TEST(ImagePng, StoredValuesComeOutWithoutGammaConversion) {
    // 16-bit samples without a gamma chunk, and 8-bit ones with a linear gamma chunk: both
    // keep their stored values.
    ExpectImage(HandMadePng(1, 16, 2, {0, 0x80, 0x80, 0x40, 0x40, 0x12, 0x12}), 1, 1, {0xFF804012});
    ExpectImage(HandMadePng(1, 8, 2, {0, 0x40, 0x80, 0xC0}, {{"gAMA", {0, 1, 0x86, 0xA0}}}), 1, 1,
                {0xFF4080C0});
}

TEST(ImagePng, TwoBitPaletteWithTransparency) {
    const Bytes palette = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF};
    ExpectImage(HandMadePng(3, 2, 3, {0, 0x18}, {{"PLTE", palette}, {"tRNS", {0x40}}}), 3, 1,
                {0x40FF0000, kGreen, kBlue});
}

void ExpectNear(uint32_t pixel, uint32_t want, int tolerance) {
    for (int shift : {0, 8, 16}) {
        EXPECT_NEAR(static_cast<int>(pixel >> shift & 255), static_cast<int>(want >> shift & 255),
                    tolerance);
    }
    EXPECT_EQ(pixel >> 24, 0xFFu);
}

TEST(ImageJpeg, FlatColourBaselineProgressiveAndGrey) {
    for (bool progressive : {false, true}) {
        RgbaImage image = Decoded(EncodeJpeg(19, 9, 3, 0, progressive));
        EXPECT_EQ(image.width, 19);
        ASSERT_EQ(image.pixels.size(), 19u * 9u);
        ExpectNear(image.pixels[0], 0xFFC8641E, 4);
        ExpectNear(image.pixels.back(), 0xFFC8641E, 4);
    }
    RgbaImage grey = Decoded(EncodeJpeg(8, 8, 1, 90, false));
    ASSERT_EQ(grey.pixels.size(), 64u);
    ExpectNear(grey.pixels[27], 0xFF5A5A5A, 2);
}

// ---- Broken and oversized files ----

// Every prefix of a file either fails or decodes to the full image's sides; prefixes missing
// at most `spare` bytes decode, shorter ones fail.
TEST(ImageBroken, EveryTruncationFailsOrDecodes) {
    const struct {
        Bytes file;
        size_t spare;
    } files[] = {
        {BmpFile(Concat(BmpInfo(4, 1, 24), Bytes(12, 0x44)), 40), 0},
        {Concat(Concat(BmpInfo(2, 2, 8, 1, 4), kPalette4), {2, 1, 0, 0, 2, 3, 0, 1}), 0},
        {Concat(Concat(BmpInfo(6, 1, 4, 2, 4), kPalette4), {3, 0x12, 0, 3, 0x20, 0x10, 0, 1}), 0},
        {Concat(TgaHeader(10, 3, 2, 24, 0x20), {0x83, 0, 0, 0xFF, 1, 0, 1, 2, 3, 4, 5}), 0},
        {Concat(Concat(TgaHeader(1, 2, 1, 8, 0, 0, 2, 24), Bytes(6, 9)), {0, 1}), 0},
        {Concat(Text("P6 2 1 255\n"), Bytes(6, 7)), 0},
        {Text("P3 1 1 255 10 20 30"), 1},  // "3" is a whole last sample too
        {Concat(Dds(4, 4, kFourCc, kDxt5), Bytes(16, 0x5A)), 0},
        // libpng stops after the last row: the 12-byte IEND chunk may go missing.
        {EncodePng(RgbaImage{3, 2, Pixels(6, 0x80402010)}), 12},
        {EncodeJpeg(9, 9, 3, 0, true), 0},
    };
    for (size_t f = 0; f < std::size(files); ++f) {
        const Bytes& file = files[f].file;
        const RgbaImage whole = Decoded(file);
        ASSERT_GT(whole.width, 0) << "file " << f;
        for (size_t n = 0; n < file.size(); ++n) {
            RgbaImage image;
            const bool ok = TryDecode(Bytes(file.begin(), file.begin() + n), &image);
            EXPECT_EQ(ok, n + files[f].spare >= file.size()) << "file " << f << " prefix " << n;
            if (ok) {
                EXPECT_EQ(image.width, whole.width);
                EXPECT_EQ(image.pixels.size(), whole.pixels.size());
            }
        }
    }
}

TEST(ImageBroken, AbsurdSizesAreRefused) {
    RgbaImage image;
    EXPECT_TRUE(Refused(BmpFile(Concat(BmpInfo(8193, 1, 8), Bytes(9000, 0)), 40)));
    EXPECT_TRUE(Refused(BmpFile(Concat(BmpInfo(1, -8193, 8), Bytes(9000, 0)), 40)));
    EXPECT_TRUE(Refused(Concat(TgaHeader(2, 65535, 65535, 24, 0), Bytes(64, 0))));
    EXPECT_TRUE(Refused(Concat(Dds(8193, 4, kFourCc, kDxt1), Bytes(8 * 2049, 0))));
    EXPECT_TRUE(Refused(Concat(Text("P6 100000 1 255\n"), Bytes(300000, 0))));
    // Large but allowed sides whose pixels are missing.
    EXPECT_TRUE(Refused(Concat(Text("P6 8192 8192 255\n"), Bytes(64, 0))));
    EXPECT_TRUE(Refused(Concat(Dds(8192, 8192, kFourCc, kDxt1), Bytes(64, 0))));

    // A PNG whose header claims 9000 columns.
    EXPECT_TRUE(Refused(HandMadePng(9000, 8, 0, Bytes(9001, 0))));
    // A JPEG whose frame header claims 9000 columns.
    Bytes jpeg = EncodeJpeg(8, 8, 1, 0, false);
    size_t frame = 2;
    while (frame + 8 < jpeg.size() && !(jpeg[frame] == 0xFF && jpeg[frame + 1] == 0xC0)) {
        ++frame;
    }
    ASSERT_LT(frame + 8, jpeg.size());
    EXPECT_TRUE(TryDecode(jpeg, &image));
    jpeg[frame + 7] = 0x23;
    jpeg[frame + 8] = 0x28;
    EXPECT_TRUE(Refused(jpeg));
}

TEST(ImageBroken, UnknownOrMalformedInputIsRefused) {
    const Bytes px = {0, 0, 0, 0};
    Bytes planes = BmpInfo(1, 1, 24);
    planes[12] = 2;
    const Bytes broken[] = {
        {},
        Text("GIF89a...................."),
        Bytes(64, 0),
        {'B', 'M'},
        {0xFF, 0xD8},
        BmpFile(Concat(BmpInfo(0, 1, 24), px), 40),
        BmpFile(Concat(BmpInfo(1, 1, 7), px), 40),
        BmpFile(Concat(BmpInfo(1, 1, 24, 4), px), 40),  // embedded JPEG
        BmpFile(Concat(BmpInfo(1, -1, 8, 1), px), 40),  // top-down RLE
        BmpFile(Concat(BmpInfo(1, 1, 24, 3), px), 40),  // 24-bit fields
        BmpFile(Concat(planes, px), 40),
        Concat(TgaHeader(4, 1, 1, 24, 0), {0, 0, 0}),
        Concat(TgaHeader(2, 1, 1, 12, 0), {0, 0, 0}),
        Concat(TgaHeader(2, 1, 1, 24, 0xC0), {0, 0, 0}),
        Concat(TgaHeader(1, 1, 1, 8, 0), {0}),  // mapped without a map
        Concat(TgaHeader(2, 0, 1, 24, 0), {0, 0, 0}),
        Concat(Text("P6 1 1 0\n"), {0, 0, 0}),
        Concat(Text("P6 1 1 65536\n"), {0, 0, 0, 0, 0, 0}),
        Concat(Text("P6 1 1 255"), {0, 0, 0}),  // no blank before the raster
        Text("P3 1 1 255 1 2"),
        Text("P3 1 -1 255 1 2 3"),
    };
    for (size_t i = 0; i < std::size(broken); ++i) {
        EXPECT_TRUE(Refused(broken[i])) << "case " << i;
    }
    RgbaImage image;
    const uint8_t byte = 0;
    EXPECT_FALSE(DecodeImage(nullptr, 10, &image));
    EXPECT_FALSE(DecodeImage(&byte, 1, nullptr));
}

// ---- Texture preparation ----

TEST(ImageTexture, PadsToPowersOfTwoWithTheImageTopLeft) {
    const RgbaImage texture = PrepareTextureImage(RgbaImage{3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}});
    EXPECT_EQ(texture.width, 4);
    EXPECT_EQ(texture.height, 4);
    EXPECT_EQ(texture.pixels, (Pixels{1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 0, 0, 0, 0}));
    const std::pair<int, int> sides[] = {{1, 1}, {2, 2}, {5, 8}, {2048, 2048}, {2049, 4096}};
    for (auto [side, padded] : sides) {
        const RgbaImage t = PrepareTextureImage(RgbaImage{side, 1, Pixels(side, kRed)});
        EXPECT_EQ(t.width, padded);
        EXPECT_EQ(t.height, 1);
    }
}

TEST(ImageTexture, OnlyExactOpaqueGreenIsKeyedOut) {
    const RgbaImage texture =
        PrepareTextureImage(RgbaImage{4, 1, {0xFF00FF00, 0xFF00FE00, 0x8000FF00, 0xFF01FF00}});
    EXPECT_EQ(texture.pixels, (Pixels{0x00000000, 0xFF00FE00, 0x8000FF00, 0xFF01FF00}));
}

}  // namespace
