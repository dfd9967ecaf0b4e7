// Until the system menu exists, Shift on the map opens nothing.
#include "menu/system_menu.h"

bool CheckOpenSystemMenu() {
    return false;
}

bool TryOpenFieldMenu() {
    return false;
}
