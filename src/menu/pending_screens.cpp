// Screens of the title menu that are not built yet. Each keeps its final name and leaves the
// player where the finished screen leaves them when it closes: from the title, on a new title
// screen; from the game, back on the field with every task running again. Each goes when its
// own screen arrives.
#include "engine/task_pool.h"
#include "menu/options.h"
#include "menu/title_screen.h"

int CreateOptionsScreen(float, uint32_t mode) {
    if (mode == 0) {
        return CreateTitleScreen();
    }
    SetTasksActiveExceptTransfer(TASK_ACTIVITY_RESUME);
    return 1;
}
