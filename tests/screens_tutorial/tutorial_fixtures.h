// Fixtures of the tutorial tests: the singletons both pages use, fresh; a rune catalogue that
// records what is drawn, sparkled and asked of it; hourglass frames of distinct colours; a
// profile that has the tutorial switched on; and counted sounds.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "support/sound_fixtures.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/ring_emiter.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/tutorial/tutorial.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"
#include "toolkit/comet.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace tutorial_test {

using test_support::Argb;
using test_support::ScreenPixel;
using test_support::SolidImage;
using test_support::SolidPixmap;
using test_support::Store;

constexpr int kClickLevel = 1000;

// A rune catalogue that records instead of drawing: every Draw with the alpha in force, every
// spark, and every colour component asked for (answered colour x 100 + component x 10 + the
// number of earlier answers for that colour and component, so each answer differs).
class RecordingRunes : public TRuneManager {
 public:
  struct Drawn {
    int32_t id;
    float x;
    int32_t y;
    float alpha;
  };
  struct Sparked {
    int32_t colour, x, y;
  };
  struct Asked {
    int32_t colour, component;
  };
  std::vector<Drawn> drawn;
  std::vector<Sparked> sparks;
  std::vector<Asked> asked;

  int32_t Draw(int32_t id, float x, int32_t y) override {
    drawn.push_back({id, x, y, GetAlpha()});
    return 0;
  }
  int32_t particleRune(int32_t colour, int32_t, int32_t, float, float, int32_t x,
                       int32_t y) override {
    sparks.push_back({colour, x, y});
    return 0;
  }
  int32_t getRuneRGB(int32_t colour, int32_t component) override {
    int32_t earlier = 0;
    for (const Asked& a : asked)
      if (a.colour == colour && a.component == component) ++earlier;
    asked.push_back({colour, component});
    return colour * 100 + component * 10 + earlier;
  }
  void Clear() {
    drawn.clear();
    sparks.clear();
    asked.clear();
  }
};

inline std::shared_ptr<RecordingRunes> Runes() {
  return std::static_pointer_cast<RecordingRunes>(runes);
}

// The colour of hourglass frame i.
constexpr uint32_t FrameColour(int i) { return Argb(255, 8 * i, 40, 200 - 4 * i); }

// The screen and the singletons of a tutorial, fresh: a board of 32-pixel cells, the hourglass
// frames, the tutorial switched on in the current profile, a counted click sound, full volumes.
inline void MakeTutorialScene() {
  test_support::OpenScreen();
  bundleDir = "";
  board = std::make_shared<TBoardManager>();
  board->cellSize = 32;
  timeManager = std::make_shared<TTimeManager>();
  for (int i = 0; i < TTimeManager::kFrames; ++i)
    timeManager->frameImages[i] = SolidPixmap(78, 74, FrameColour(i));
  runes = std::make_shared<RecordingRunes>();
  magicSphere = std::make_shared<TMagicSphere>();
  level = std::make_shared<TLevelManager>();
  deltaTime = TDeltaTime::Create(60.0f);
  deltaTime->Update();  // as the screen before would have
  delta = 1.0;
  mouse = std::make_shared<TMouse>();
  options = std::make_shared<TOptions>();
  options->soundVol = 1.0f;
  options->musicVol = 1.0f;
  globalSnd = std::make_shared<TGlobalSnd>();
  globalSnd->sounds[6] = app_test::ConstantSound(kClickLevel);
  songManager = std::make_shared<TSongManager>();
  data = std::make_shared<TContainer>();
  profile = std::make_shared<TProfileManager>();
  profile->current = std::make_shared<TProfile>();
  profile->current->tscFile = Store("Profile {\n  showTutorial = 1\n}\n");
  tutorial = std::make_shared<TTutorial>();
  cometList->Clear();
  ringEmiterList->Clear();
  TSpark::destroyAll();
}

// The comets whose start point is (x, y).
inline std::vector<CometPtr> CometsFrom(float x, float y) {
  std::vector<CometPtr> found;
  for (const CometPtr& c : *cometList)
    if (c->startX == x && c->startY == y) found.push_back(c);
  return found;
}

// The speed of a comet from (x, y) measured to the aim point, as the pages compute it.
inline float ExpectedSpeed(int x, int y, int aimX, int aimY) {
  const int dx = x - aimX, dy = y - aimY;
  return 0.03f * static_cast<float>(200.0 / std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

// A level music stream playing a constant sound of `level`, looping.
inline AudioStreamPtr LevelMusic(int16_t level) {
  auto stream = std::make_shared<TAudioStream>();
  stream->song = std::make_shared<TMusicFile>();
  stream->song->sound = app_test::ConstantSound(level, true);
  stream->song->channel = PlaySound(stream->song->sound);
  return stream;
}

// The help music's cache entry, null until a tutorial started it.
inline MusicFilePtr HelpSong() { return songManager->findSong("sfx/help2.ogg"); }
inline bool HelpMusicPlays() {
  MusicFilePtr song = HelpSong();
  return song && ChannelPlaying(song->channel) != 0;
}

// A tutorial screen run on the scripted input: frames counted from the test's start.
class TutorialRun : public testing::Test {
 protected:
  void SetUp() override {
    MakeTutorialScene();
    start_ = headless::FrameNumber();
    headless::SetFrameCap(start_ + 2000);
  }
  void TearDown() override { headless::SetFrameCallback(nullptr); }
  int At(int frame) const { return start_ + frame; }
  int Shown() const { return headless::FrameNumber() - start_; }

  int start_ = 0;
};

}  // namespace tutorial_test
