// Event test fixture.
#include "support/event_fixture.h"

#include <cstring>

#include "engine/keyboard.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "event/event_pack.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "menu/options.h"
#include "platform/headless/headless.h"

std::vector<uint8_t> InvertedText(const std::string& text) {
    std::vector<uint8_t> out(text.begin(), text.end());
    for (uint8_t& b : out) {
        b = static_cast<uint8_t>(~b);
    }
    return out;
}

void EventTest::SetUp() {
    headless::Reset();
    InitOptions();
    InitKeys();
    ClearSoundRequests();
    ClearEventFlags();
    ASSERT_TRUE(CreateTaskPool());
    ASSERT_TRUE(AllocMapBuffers());
    mapWidth = 8;
    mapHeight = 6;
}

void EventTest::TearDown() {
    FreeMapBuffers();
    DestroyTaskPool();
}

void EventTest::SetBlock(uint32_t eventNumber, const std::string& text) {
    char* block = eventBlocks + static_cast<size_t>(eventNumber - 1) * EVENT_BLOCK_SIZE;
    std::memset(block, 0, EVENT_BLOCK_SIZE);
    std::memcpy(block, text.data(), std::min(text.size(), EVENT_BLOCK_SIZE - 1));
}
