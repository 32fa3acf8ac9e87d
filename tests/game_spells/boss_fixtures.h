// Small fixtures for the boss rune tests: the board's play singletons, a boss catalogue and
// level stores made from text, a countable explosion sound, and the screen pixel of a board cell.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "services/options.h"
#include "support/sound_fixtures.h"
#include "game_board/board_play_fixtures.h"
#include "support/game_fixtures.h"

namespace boss {

using play::AddBoss;
using play::Put;
using play::PutBossRing;
using test_support::Output;
using test_support::Store;

// The explosion sound's level in the mix: each boss that falls adds one playing channel.
constexpr int16_t kExplosionLevel = 1000;

// A catalogue of two kinds: boss 4 of colour 5 and boss 7 of colour 2, with pictures "big.png"
// (40-pixel boards) and "small.png" (32-pixel boards) under the test's data folder.
inline constexpr const char* kCatalogue =
    "List {\n"
    "  Shade {\n    id = \"4\"\n    color = \"5\"\n"
    "    fileNameBoss = \"small.png\"\n    fileNameBossBig = \"big.png\"\n  }\n"
    "  Tide {\n    id = \"7\"\n    color = \"2\"\n"
    "    fileNameBoss = \"small.png\"\n    fileNameBossBig = \"big.png\"\n  }\n"
    "}\n";

// A level store whose only key is Settings::Level BossRunes.
inline TSCFilePtr BossLevel(const std::string& entries) {
  return Store("Settings {\n  Level {\n    BossRunes = \"" + entries + "\"\n  }\n}\n");
}

// The board's play singletons on a fully usable board, a boss level, the sound at full volume
// and an explosion sound whose channels can be counted.
class BossTest : public testing::Test {
 protected:
  void SetUp() override {
    play::MakePlay();
    level->goalType = 3;
    level->fileName = u"level_99.tsc";
    bossManager->tsc = Store(kCatalogue);
    bossManager->explosionSound = app_test::ConstantSound(kExplosionLevel);
    options = std::make_shared<TOptions>();
    options->soundVol = 1.0f;
  }
  void TearDown() override { StopAllChannels(); }

  // How many explosion sounds play now.
  static int Explosions() { return app_test::MixedLevel() / kExplosionLevel; }
};

}  // namespace boss
