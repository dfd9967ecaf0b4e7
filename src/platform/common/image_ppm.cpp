// The PPM and PGM decoder: binary P6 and P5, plain-text P3 and P2, any maxval up to 65535
// scaled to 8 bits, and '#' comments between the header fields.
#include "platform/common/image_formats.h"

namespace {

struct PpmCursor {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

bool IsPpmSpace(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void SkipSpaceAndComments(PpmCursor* c) {
    while (c->pos < c->size) {
        if (IsPpmSpace(c->data[c->pos])) {
            ++c->pos;
        } else if (c->data[c->pos] == '#') {
            while (c->pos < c->size && c->data[c->pos] != '\n' && c->data[c->pos] != '\r') {
                ++c->pos;
            }
        } else {
            return;
        }
    }
}

// A decimal number no larger than limit, after any blanks and comments.
bool ReadPpmNumber(PpmCursor* c, uint32_t limit, uint32_t* value) {
    SkipSpaceAndComments(c);
    if (c->pos >= c->size || c->data[c->pos] < '0' || c->data[c->pos] > '9') {
        return false;
    }
    uint64_t v = 0;
    while (c->pos < c->size && c->data[c->pos] >= '0' && c->data[c->pos] <= '9') {
        v = v * 10 + (c->data[c->pos] - '0');
        if (v > limit) {
            return false;
        }
        ++c->pos;
    }
    *value = static_cast<uint32_t>(v);
    return true;
}

// Samples above maxval are taken as maxval.
uint32_t ScaleSample(uint32_t sample, uint32_t maxval) {
    if (sample > maxval) {
        sample = maxval;
    }
    return (sample * 255 + maxval / 2) / maxval;
}

}  // namespace

bool DecodePpm(const uint8_t* data, size_t size, RgbaImage* out) {
    if (size < 3 || data[0] != 'P') {
        return false;
    }
    const uint8_t kind = data[1];
    const bool binary = kind == '5' || kind == '6';
    const bool colour = kind == '3' || kind == '6';
    if (!binary && kind != '2' && kind != '3') {
        return false;
    }
    PpmCursor c{data, size, 2};
    if (!IsPpmSpace(data[2]) && data[2] != '#') {
        return false;
    }
    uint32_t width = 0, height = 0, maxval = 0;
    constexpr uint32_t kSideLimit = 1u << 30;
    if (!ReadPpmNumber(&c, kSideLimit, &width) || !ReadPpmNumber(&c, kSideLimit, &height) ||
        !ReadPpmNumber(&c, 65535, &maxval) || maxval == 0) {
        return false;
    }
    if (!ImageSizeAllowed(width, height)) {
        return false;
    }
    const int channels = colour ? 3 : 1;
    const uint64_t samples = static_cast<uint64_t>(width) * height * channels;
    if (binary) {
        // Exactly one blank byte separates maxval from the raster.
        if (c.pos >= size || !IsPpmSpace(data[c.pos])) {
            return false;
        }
        ++c.pos;
        const uint64_t sampleBytes = maxval < 256 ? 1 : 2;
        if (!RangeFits(size, c.pos, samples * sampleBytes)) {
            return false;
        }
    }
    if (!ImageStart(out, width, height, 0xFF000000)) {
        return false;
    }
    uint32_t rgb[3] = {};
    for (uint32_t& pixel : out->pixels) {
        for (int i = 0; i < channels; ++i) {
            uint32_t sample = 0;
            if (!binary) {
                if (!ReadPpmNumber(&c, 65535, &sample)) {
                    return false;
                }
            } else if (maxval < 256) {
                sample = data[c.pos++];
            } else {
                sample = static_cast<uint32_t>(data[c.pos] << 8 | data[c.pos + 1]);
                c.pos += 2;
            }
            rgb[i] = ScaleSample(sample, maxval);
        }
        pixel =
            colour ? PackArgb(255, rgb[0], rgb[1], rgb[2]) : PackArgb(255, rgb[0], rgb[0], rgb[0]);
    }
    return true;
}
