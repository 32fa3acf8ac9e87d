// Small fixtures for the spell tests: the board's play singletons with a fresh spell manager,
// sphere and emitter lists, the running emitters of one kind, and the random draws a call made.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "game/spells/bonus_manager_a.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/spell_effects.h"
#include "game/spells/volcano_emiter.h"
#include "game_board/board_play_fixtures.h"
#include "game/spells/ring_emiter.h"
#include "platform/headless.h"
#include "support/game_fixtures.h"

namespace spells {

using play::Put;
using play::PutRow;
using play::Stone;

// The board's play, an open screen, no emitter or burst running, a small spark picture.
inline void MakeSpells() {
  test_support::OpenScreen();
  play::MakePlay();
  volcanoList->Clear();
  ringEmiterList->Clear();
  sparkImages[0] = test_support::SolidImage(8, 8, 0xFFFFFFFFu);
  for (size_t i = 1; i <= 3; ++i) sparkImages[i] = test_support::SolidImage(4, 4, 0xFFFFFFFFu);
}

// The running emitters of one kind, in list order.
template <typename T>
std::vector<std::shared_ptr<T>> Emitters() {
  std::vector<std::shared_ptr<T>> out;
  for (const VolcanoEmiterPtr& e : *volcanoList)
    if (auto k = std::dynamic_pointer_cast<T>(e)) out.push_back(k);
  return out;
}

// The level allows these spell kinds, as its AvailableSpells text would list them.
inline void AllowSpells(std::initializer_list<const char16_t*> kinds) {
  level->availableSpells = CreateList<String>();
  for (const char16_t* k : kinds) level->availableSpells->AddLast(k);
}

// The level deals these rune ids.
inline void DealRunes(std::initializer_list<const char16_t*> ids) {
  blocks->availableRunes = CreateList<String>();
  for (const char16_t* id : ids) blocks->availableRunes->AddLast(id);
}

// A cell's centre on the screen.
inline float CentreX(int column) {
  return static_cast<float>(board->originX + column * board->cellSize + board->cellSize / 2);
}
inline float CentreY(int row) {
  return static_cast<float>(board->originY + row * board->cellSize + board->cellSize / 2);
}

// Sets the random seed; answers the values that draws of the given ranges would give next.
inline std::vector<int> DrawsAfterSeed(int seed, const std::vector<std::pair<int, int>>& ranges) {
  SeedRnd(seed);
  std::vector<int> out;
  for (auto [a, b] : ranges) out.push_back(Rand(a, b));
  SeedRnd(seed);
  return out;
}

}  // namespace spells
