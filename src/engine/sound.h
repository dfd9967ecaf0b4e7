// Sound effects and music: 29 sounds from the archive. Effects are requested during the update
// pass and played together at its end, so each starts at most once per frame; music is
// switched directly and loops.
#pragma once

#include <cstdint>

constexpr int SOUND_COUNT = 29;
constexpr int SOUND_EFFECT_COUNT = 26;

constexpr int SOUND_LEVEL_UP = 0;
constexpr int SOUND_CURSOR = 1;
constexpr int SOUND_SAVED = 2;
constexpr int SOUND_FAILED = 3;
constexpr int SOUND_ENCOUNTER = 4;
constexpr int SOUND_HIT = 5;
constexpr int SOUND_DAMAGE = 6;
constexpr int SOUND_SHOT = 7;
constexpr int SOUND_SWING = 8;
constexpr int SOUND_UNIT_DOWN = 9;
constexpr int SOUND_FOOTSTEP = 10;
constexpr int SOUND_BUZZER = 11;
constexpr int SOUND_HEAL = 12;
constexpr int SOUND_EQUIP = 13;
constexpr int SOUND_GET_ITEM = 14;
constexpr int SOUND_TOGGLE = 15;
constexpr int SOUND_TRADE = 16;
constexpr int SOUND_WARP = 17;
constexpr int SOUND_MOVER_STEP = 18;
constexpr int SOUND_ENEMY_FLEES = 19;
constexpr int SOUND_REINFORCEMENT = 20;
constexpr int SOUND_PULSE = 21;
constexpr int SOUND_COUNTDOWN_ITEM = 22;
constexpr int SOUND_PIT_LANDING = 23;
constexpr int SOUND_HOP_OUT = 24;
constexpr int SOUND_PARTY_SHIFT = 25;
constexpr int MUSIC_TITLE = 26;
constexpr int MUSIC_FIELD = 27;
constexpr int MUSIC_BATTLE = 28;

struct SoundRequest {
    uint32_t requested;  // 1 when asked for in this frame
    uint32_t noRestart;  // of the frame's last request: 1 lets a playing effect continue
};

extern SoundRequest soundRequests[SOUND_COUNT];

bool InitSound();
bool LoadSounds();
void ReleaseSound();
void RequestSound(int id, int noRestart);
void ClearSoundRequests();
void PlayRequestedSounds();
void PlaySoundBuffer(int id, int noRestart);
void StopAllSoundEffects();
void StopSound(int id);
void PlayMusic(int id);
void StopMusic();
