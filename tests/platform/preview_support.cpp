// The preview tests' shared set-up and tear-down, picture reading and PNG writing.
#include "preview_support.h"

#include "datapack/demo_data.h"
#include "datapack/png_writer.h"
#include "engine/program_shell.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "support/fixtures.h"

PreviewGame::PreviewGame() : previous_(std::filesystem::current_path()) {
    WriteTestDataSet(dir_.Path());
    std::filesystem::current_path(dir_.Path());
    if (!PlatformInit()) {
        failure_ = std::string("PlatformInit failed: ") + PlatformLastError();
    } else if (!CreateMainWindow()) {
        failure_ = "CreateMainWindow failed";
    }
}

PreviewGame::~PreviewGame() {
    ShutDown();
    PlatformShutdown();
    std::filesystem::current_path(previous_);
}

::testing::AssertionResult PreviewGame::Started() const {
    if (!failure_.empty()) {
        return ::testing::AssertionFailure() << failure_;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ReadPreviewPicture(std::vector<uint32_t>* picture) {
    if (!GfxReadPicture(picture)) {
        return ::testing::AssertionFailure() << "no picture to read";
    }
    const size_t expected = static_cast<size_t>(PREVIEW_WIDTH) * PREVIEW_HEIGHT;
    if (picture->size() != expected) {
        return ::testing::AssertionFailure()
               << "the picture has " << picture->size() << " pixels, not " << expected;
    }
    return ::testing::AssertionSuccess();
}

void WritePreview(const std::string& name, const std::vector<uint32_t>& picture) {
    RgbaImage image;
    image.width = PREVIEW_WIDTH;
    image.height = PREVIEW_HEIGHT;
    image.pixels = picture;
    std::filesystem::create_directories(LIRROWEN_PREVIEW_DIR);
    WriteBinaryFile(std::filesystem::path(LIRROWEN_PREVIEW_DIR) / name, EncodePng(image));
}

uint32_t PixelAt(const std::vector<uint32_t>& picture, int x, int y) {
    return picture[static_cast<size_t>(y) * PREVIEW_WIDTH + x] & 0xFFFFFF;
}
