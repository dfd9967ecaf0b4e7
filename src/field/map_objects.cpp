// NPCs and placement objects.
#include "field/map_objects.h"

bool CreateMapNpc(float, float, float, uint32_t, uint32_t*, const char*) {
    return false;
}
bool CreateStepTrigger(float, float, float, uint32_t) {
    return false;
}
bool CreateExamineObject(float, float, float, uint32_t, uint32_t*, const char*) {
    return false;
}
bool CreateAutoRunEvent(uint32_t) {
    return false;
}
