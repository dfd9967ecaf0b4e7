// How battle units choose where to walk, and the one sorting rule of the battle code.
#pragma once

#include <span>
#include <utility>

// For each entry from the first, every later entry that comes strictly before it by the key is
// swapped into its place at once. Entries that tie are never swapped with each other, so which
// of them comes first depends on the swaps before: battles rely on exactly this order, so no
// other sort may stand in for it.
template <typename T, typename ComesBefore>
void ExchangeSort(std::span<T> entries, ComesBefore comesBefore) {
    for (size_t i = 0; i < entries.size(); ++i) {
        for (size_t j = i + 1; j < entries.size(); ++j) {
            if (comesBefore(entries[j], entries[i])) {
                std::swap(entries[i], entries[j]);
            }
        }
    }
}
