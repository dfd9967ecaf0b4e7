// The cost of one frame's two passes over a full pool of 500 tasks.
#include <benchmark/benchmark.h>

#include "engine/task_pool.h"
#include "platform/headless/headless.h"

namespace {

struct Counter {
    uint32_t alive;
    uint32_t count;
};

void CountUpdate(TaskSlot* slot) {
    TaskPayload<Counter>(slot)->count += 1;
}

void CountDraw(TaskSlot* slot) {
    benchmark::DoNotOptimize(TaskPayload<Counter>(slot)->count);
}

void BM_FullPoolPasses(benchmark::State& state) {
    headless::Reset();
    CreateTaskPool();
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        StartTask(AllocTaskAt(i), TASK_KIND_NPC, 0, CountUpdate, CountDraw);
    }
    for (auto _ : state) {
        DrawTasks();
        UpdateTasks();
    }
    DestroyTaskPool();
}
BENCHMARK(BM_FullPoolPasses);

void BM_AllocInFullDynamicRange(benchmark::State& state) {
    headless::Reset();
    CreateTaskPool();
    for (int i = TASK_SLOT_DYNAMIC_FIRST; i < TASK_SLOT_DYNAMIC_END - 1; ++i) {
        StartTask(AllocTaskAt(i), TASK_KIND_NPC, 0, CountUpdate, CountDraw);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END));
    }
    DestroyTaskPool();
}
BENCHMARK(BM_AllocInFullDynamicRange);

}  // namespace
