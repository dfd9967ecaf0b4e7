// Skill table.
#include "battle/skill_table.h"

void InitSkillCallbacks() {
    // The skill rows and their effect functions come with the battle code.
}
