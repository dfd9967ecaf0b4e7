// Field checks whose screens are not built yet answer "no".
#include "field/random_encounters.h"

bool CheckRandomEncounter(float, float) {
    return false;
}
