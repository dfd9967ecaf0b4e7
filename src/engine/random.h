// The game's one random number generator. Every random decision draws from it, so a run
// seeded with the same value repeats itself.
#pragma once

#include <cstdint>

// Sets the generator's state: the draws that follow are the sequence of that seed.
void SeedRandom(uint32_t seed);
// The next raw value, 0..32767.
int32_t NextRandom();
// A value in [0, n); 0 without drawing when n < 1.
int32_t RandomInt(int32_t n);
// Calendar seconds, used once per run to seed the generator.
int64_t GetTimeSeconds();
