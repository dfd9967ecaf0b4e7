// Event flags and the event-block store.
#include "event/event_pack.h"

uint32_t eventFlags[EVENT_FLAG_COUNT];
char* eventBlocks = nullptr;

void ClearEventFlags() {
    for (uint32_t& flag : eventFlags) {
        flag = 0;
    }
}
