// What the preview tests share: the game started on the test data set in a scratch folder and
// put away again, the frame it drew read back and written as a PNG into the build tree's
// preview folder, and the helpers that look at that picture pixel by pixel.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

constexpr int PREVIEW_WIDTH = 640;
constexpr int PREVIEW_HEIGHT = 480;

// The game on the OpenGL backend, started as a player starts it from a scratch folder that holds
// the test data set (which becomes the working folder). When it goes, the game and the platform
// are shut down, the working folder is restored and the scratch folder removed.
class PreviewGame {
  public:
    PreviewGame();
    ~PreviewGame();
    PreviewGame(const PreviewGame&) = delete;
    PreviewGame& operator=(const PreviewGame&) = delete;

    // Whether the platform and the main window came up, naming the step that failed; a test
    // asserts it before anything else.
    ::testing::AssertionResult Started() const;

  private:
    TempDir dir_;
    std::filesystem::path previous_;
    std::string failure_;
};

// The last picture drawn: 640 x 480 ARGB pixels from the top row.
::testing::AssertionResult ReadPreviewPicture(std::vector<uint32_t>* picture);
// Writes the picture as the PNG file `name` in the preview folder, creating the folder.
void WritePreview(const std::string& name, const std::vector<uint32_t>& picture);

// The pixel at (x, y) as 0xRRGGBB, its alpha dropped.
uint32_t PixelAt(const std::vector<uint32_t>& picture, int x, int y);
inline int Red(uint32_t pixel) {
    return static_cast<int>((pixel >> 16) & 0xFF);
}
inline int Green(uint32_t pixel) {
    return static_cast<int>((pixel >> 8) & 0xFF);
}
inline int Blue(uint32_t pixel) {
    return static_cast<int>(pixel & 0xFF);
}
// Anything but black.
inline bool IsLit(uint32_t pixel) {
    return (pixel & 0xFFFFFF) != 0;
}
// Every channel above floor: white and near-white text and frames.
inline bool IsLight(uint32_t pixel, int floor) {
    return Red(pixel) > floor && Green(pixel) > floor && Blue(pixel) > floor;
}

// How many pixels of the box from (left, top) to (right, bottom), right and bottom excluded, pass
// test (called with the pixel as PixelAt gives it).
template <typename Test>
int CountPixels(const std::vector<uint32_t>& picture, int left, int top, int right, int bottom,
                Test test) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            n += test(PixelAt(picture, x, y)) ? 1 : 0;
        }
    }
    return n;
}
