// Words and numbers of the demo sources.
#include "datapack/recipe_text.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

std::vector<std::string> SplitWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) {
        words.push_back(word);
    }
    return words;
}

bool ParseNumber(const std::string& word, double* value) {
    try {
        size_t used = 0;
        *value = std::stod(word, &used);
        return used == word.size() && std::isfinite(*value);
    } catch (const std::exception&) {
        return false;
    }
}
