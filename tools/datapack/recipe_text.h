// The small line-based text formats of the demo sources (sounds, models, textures) share how a
// line splits into words and how a word reads as a number.
#pragma once

#include <string>
#include <vector>

// The whitespace-separated words of a line.
std::vector<std::string> SplitWords(const std::string& line);
// The whole word as a finite number; false for anything else.
bool ParseNumber(const std::string& word, double* value);
