// A linear congruential generator with fixed constants, written out here rather than taken
// from the C library, so a seed gives the same sequence of draws on every platform and build.
#include "engine/random.h"

#include "platform/system.h"

namespace {

uint32_t randomState = 1;

}  // namespace

void SeedRandom(uint32_t seed) {
    randomState = seed;
}

int32_t NextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int32_t>((randomState >> 16) & 0x7FFF);
}

int32_t RandomInt(int32_t n) {
    if (n < 1) {
        return 0;
    }
    return NextRandom() % n;
}

int64_t GetTimeSeconds() {
    return PlatformCalendarSeconds();
}
