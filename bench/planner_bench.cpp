// The cost of planning a walk across a crowded battle field: every dynamic slot is taken, by
// units standing on every third cell and by effects, and each cell check scans them all.
#include <benchmark/benchmark.h>

#include "battle/battle_field.h"
#include "battle/battle_unit.h"
#include "battle/movement_planner.h"
#include "engine/task_pool.h"
#include "platform/headless/headless.h"

namespace {

void BM_PlanApproachOnCrowdedField(benchmark::State& state) {
    headless::Reset();
    CreateTaskPool();
    InitBattleGrid();
    CharacterRecord record{};
    record.move = 12.0f;
    // The walker in the south-west corner, its target in the north-east one, other units on
    // every third cell of the walkable square between them, and effects in the slots left.
    BattleUnit* walker = SpawnBattleUnit(record, -13.0f, BATTLE_UNIT_HEIGHT, -13.0f, 0.0f);
    const BattleUnit* target = SpawnBattleUnit(record, 13.0f, BATTLE_UNIT_HEIGHT, 13.0f, 0.0f);
    for (int32_t cell = 0; cell < BATTLE_GRID_CELLS; ++cell) {
        float x = static_cast<float>(cell % BATTLE_GRID_SIZE);
        float z = static_cast<float>(cell / BATTLE_GRID_SIZE);
        if ((cell % BATTLE_GRID_SIZE + 2 * (cell / BATTLE_GRID_SIZE)) % 3 != 0) {
            continue;
        }
        FieldCellToWorld(&x, &z);
        if (IsInsideBattlefield(x, z) && WorldToFieldCell(x, z) != WorldToFieldCell(-13, -13) &&
            SpawnBattleUnit(record, x, BATTLE_UNIT_HEIGHT, z, 0.0f) == nullptr) {
            break;
        }
    }
    while (TaskSlot* effect = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END)) {
        StartTask(effect, TASK_KIND_EFFECT, 0, nullptr, nullptr);
    }
    for (auto _ : state) {
        PlanApproachPaths(walker, walker->position.x, walker->position.z, target->position.x,
                          target->position.z);
        benchmark::DoNotOptimize(pathPlanner.chosenPath);
    }
    int32_t waypoints = 0;
    while (pathPlanner.candidatePaths[pathPlanner.chosenPath][waypoints + 1].x !=
           PATH_POINT_EMPTY) {
        ++waypoints;
    }
    state.counters["waypoints"] = waypoints;
    state.counters["units"] = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        state.counters["units"] += TaskAt(slot)->kind == TASK_KIND_BATTLE_UNIT ? 1 : 0;
    }
    DestroyTaskPool();
}
BENCHMARK(BM_PlanApproachOnCrowdedField)->Unit(benchmark::kMicrosecond);

}  // namespace
