// Event texts for tests: a map's raw (inverted) event text, blocks put straight into the block
// store, and the pool and map buffers an event runner needs.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datapack/archive_writer.h"

// The bytes of an event pack record's text: each byte stored inverted.
std::vector<uint8_t> InvertedText(const std::string& text);

class EventTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Puts text into block n - 1 of the store, as extraction would have left it.
    static void SetBlock(uint32_t eventNumber, const std::string& text);
};
