// The board level in play: reads its level file and hands the groups to the managers that own
// them (blocks, board, frame, sphere, timer, bosses), keeps what the level itself decides
// (number, goal, spells, background, song), loads its background and music and the pictures
// and sounds of the end-of-level summary, and answers the goal test. The statistics counters
// come from TLevelStats.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "services/song_manager.h"
#include "datafiles/tsc_file.h"
#include "game/levels/level_stats.h"
#include "platform/graphics.h"
#include "platform/list.h"
#include "platform/sound.h"
#include "platform/text.h"

// The archive of the board level files, and the entries loaded when a level file can be read
// neither from it nor as a plain file.
inline constexpr const char* kLevelArchive = "data/runes_levels_lp.bca";
inline constexpr const char* kTimedFallbackLevel = "level_timed_01.tsc";
inline constexpr const char* kEndlessFallbackLevel = "level_endless_01.tsc";

class TLevelManager : public TLevelStats {
 public:
  int32_t levelNumber = 0;  // Settings::Level Number of the level last loaded
  String fileName;          // archive entry name or plain file path of the level
  TSCFilePtr tsc;           // the level file, only while Load runs
  ImagePtr background;
  String backgroundImage;             // Settings::Graphics BackgroundImage
  std::string loadedBackground = "---";  // path `background` was last loaded from
  AudioStreamPtr music;
  String songName;  // Settings::Music Song
  ImagePtr newHiscoreImage;
  std::array<std::array<ImagePtr, 6>, 2> doorsImages{};  // [0] left pieces, [1] right pieces
  ImagePtr levelCompleteImage;
  AudioStreamPtr summaryMusic;
  float doorsOffset = 0.0f;
  float blackoutAlpha = 0.0f;
  float scrollAlpha = 0.0f;
  float levelCompleteAlpha = 0.0f;
  float scrollOpening = 0.0f;
  int32_t summaryStart = 0;
  int32_t summaryDone = 0;
  std::array<int32_t, 2> summaryCursor{};
  int32_t scanFrame = 0;
  int32_t summaryPhase = 0;
  int32_t newBestCountdown = 0;
  int32_t summaryTime = 0;  // ms: the summary's start + 250, set by startSummary
  ChannelPtr endLoopChannel;
  SoundPtr endLoopSound;
  SoundPtr endHitSound;
  SoundPtr countOutSound;
  SoundPtr countShowSound;
  SoundPtr countSound;
  SoundPtr endMusic;
  ChannelPtr endMusicChannel;
  int32_t tickCounter = 0;
  std::array<ImagePtr, 2> summaryImages{};  // door picture, glow picture
  float glowAlpha = 0.0f;
  int32_t glowRising = 0;
  int32_t bonusPoints = 0;
  int32_t totalShown = 0;
  int32_t difficulty = 2;  // 1 easy, 2 normal, 3 hard; Load leaves it alone
  TListPtr<String> availableSpells;  // spell kinds of Settings::Level AvailableSpells
  int32_t copySpellsFromRMG = 0;
  int32_t goalType = 0;  // 1 sphere full, 2 board empty, 3 no boss rune left; else no goal
  std::array<int32_t, 2> summaryAnchor{};
  int32_t summarySparkCounter = 0;

  virtual ~TLevelManager() = default;

  virtual void Set(const String& name);
  virtual void up();
  // Reads the level file `fileName` and configures the level. `timed` is 1 when the endless or
  // time-attack loop opens a level from its selector (goal 1, no ring-game spells).
  virtual void Load(int32_t timed);
  // The summary's sounds and pictures; once at start-up.
  virtual void loadSfx();
  virtual void playLvlMusic();
  virtual void pauseMusic();
  virtual void continueMusic();
  virtual void stopAndFreeMusic();
  // Closes a story level: banks the level's points, drops the held block and the sparks.
  virtual void finish();
  virtual void Draw();
  // Loads the background (when it changed) and, in play, creates the level music paused.
  virtual void loadGfx();
  virtual int32_t isGoalAchieved();

  // The end-of-level summary (level_summary.cpp): resets it, runs one update of it, and the
  // bonus count without animation for a quit during it; the doors it closes (-1 keeps them).
  virtual void startSummary();
  virtual void updateSummary();
  virtual void doShortSummary();
  virtual void drawDoors(int32_t offset);
  // One frame of its picture (summary_screens.cpp): for the quest, and for the endless and
  // time-attack modes with the elapsed whole seconds, the blocks used and the best earlier result.
  virtual void summaryDisplay();
  virtual void summaryDisplayET(int32_t time, int32_t usedBlocks, int32_t best);
  // Sends every rune of the board to the magic sphere and empties the board's rune layer
  // (level_big_boom.cpp).
  virtual void BigBoom();
};
using LevelManagerPtr = std::shared_ptr<TLevelManager>;

// Created by start-up among the singletons.
extern LevelManagerPtr level;
