// Fuzzes the image decoders: every accepted image has allowed sides and exactly width x height
// pixels, a refused one leaves the output empty, and a small accepted image pads into a
// texture holding it at the top-left.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/common/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RgbaImage image;
    if (!DecodeImage(data, size, &image)) {
        if (image.width != 0 || image.height != 0 || !image.pixels.empty()) {
            std::abort();
        }
        return 0;
    }
    if (image.width <= 0 || image.height <= 0 || image.width > 8192 || image.height > 8192 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
        std::abort();
    }
    volatile uint32_t last = image.pixels.back();
    (void)last;
    // Padding is cheap to check on small images only; large ones would slow every run.
    if (image.pixels.size() <= 65536) {
        const RgbaImage texture = PrepareTextureImage(image);
        if (texture.width < image.width || texture.height < image.height ||
            (texture.width & (texture.width - 1)) != 0 ||
            (texture.height & (texture.height - 1)) != 0 ||
            texture.pixels.size() != static_cast<size_t>(texture.width) * texture.height) {
            std::abort();
        }
        const uint32_t first = image.pixels[0] == 0xFF00FF00 ? 0 : image.pixels[0];
        if (texture.pixels[0] != first) {
            std::abort();
        }
    }
    return 0;
}
