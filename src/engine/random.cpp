// The generator is the classic linear congruential one of the game's original runtime
// library, so that the draws the game makes come out in the same sequence for a seed.
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
