// A headless device with a pool and keys, for drawing tests that need no data files: the
// atlases are small stand-in textures, so draws can be told apart by their texture.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"

class RenderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Draw records of the kind, in order.
    static std::vector<headless::DrawRecord> Draws();
    // Polls the keys with these held (and every other key up), as one frame's poll does.
    static void PollWith(std::initializer_list<int> heldKeys);
};
