#include "game/levels/level_manager.h"

#include "services/data_folders.h"
#include "game/quest_flow.h"
#include "datafiles/bca_archive.h"
#include "game/board/board_manager.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/levels/slides_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/system.h"
#include "toolkit/spark.h"
#include "toolkit/string_utils.h"

LevelManagerPtr level;

namespace {

const String kLevelGroup = S("Settings::Level");

int32_t NumberKey(const TSCFilePtr& tsc, const String& group, const String& key) {
  return GetTSCWholeNumberKey(tsc, group, key, 0);
}

// An archive entry: 0 when the archive (or the executable's own archive) is missing too.
int32_t LoadLevelEntry(const TSCFilePtr& tsc, const String& entry) {
  const std::string archive = bundleDir + kLevelArchive;
  if (FileType(archive) == FILETYPE_NONE && SingleFileOffset() <= 0) return 0;
  return LoadTSCFileBB(tsc, archive, entry);
}

}  // namespace

void TLevelManager::Set(const String& name) { fileName = name; }

void TLevelManager::up() { ++levelNumber; }

void TLevelManager::Load(int32_t timed) {
  tsc = CreateTSCFile();
  if (LoadLevelEntry(tsc, fileName) == 0) {
    try {
      LoadTSCFile(tsc, ToPath(fileName));
    } catch (const TextError&) {
      LoadLevelEntry(tsc, S(timed == 1 ? kTimedFallbackLevel : kEndlessFallbackLevel));
    }
  }

  levelNumber = NumberKey(tsc, kLevelGroup, S("Number"));
  if (timed == 1) {
    copySpellsFromRMG = 0;
    goalType = 1;
  } else {
    copySpellsFromRMG = NumberKey(tsc, kLevelGroup, S("CopySpellsFromRMG"));
    goalType = NumberKey(tsc, kLevelGroup, S("GoalType"));
  }

  backgroundImage = GetTSCStringKey(tsc, S("Settings::Graphics"), S("BackgroundImage"), 0);
  if (slides) slides->addRevealedImage(backgroundImage);

  const String runeIds = GetTSCStringKey(tsc, kLevelGroup, S("AvailableRunes"), 0);
  if (blocks) blocks->setAvailableRunes(runeIds);
  const String blockIds = GetTSCStringKey(tsc, kLevelGroup, S("AvailableBlocks"), 0);
  if (blocks) blocks->setAvailableBlocks(blockIds);
  availableSpells = splitString(GetTSCStringKey(tsc, kLevelGroup, S("AvailableSpells"), 0), S(" "));

  const int32_t petrifyTime = NumberKey(tsc, kLevelGroup, S("PetrifyTime"));
  if (board) {
    board->petrifyTime = petrifyTime;
    board->loadBoard(tsc);
    board->loadRunes(tsc);
    board->loadFrame(tsc);
    board->buildFrame();
  }

  if (magicSphere) magicSphere->Load(tsc);
  if (timeManager) timeManager->Load(tsc);
  if (bossManager) bossManager->Load(tsc);

  songName = GetTSCStringKey(tsc, S("Settings::Music"), S("Song"), 0);
  tsc = nullptr;

  // The level has had no summary yet: a quit before it begins credits this level's free cells
  // (doShortSummary), not whatever the summary of an earlier level left behind.
  summaryPhase = 0;
  summaryCursor = {0, 0};
}

int32_t TLevelManager::isGoalAchieved() {
  if (KeyHit(KEY_G) != 0 && FileType("cheats.txt") != FILETYPE_NONE) return 1;
  switch (goalType) {
    case 1:
      return magicSphere ? magicSphere->IsFull() : 0;
    case 2:
      return board ? board->IsEmpty() : 0;
    case 3:
      return bossManager ? bossManager->CheckForGoal() : 0;
    default:
      return 0;
  }
}

void TLevelManager::loadSfx() {
  endLoopSound = LoadSound(bundleDir + "sfx/fx/playgame-endlevellopik1.ogg", 1);
  endHitSound = LoadSound(bundleDir + "sfx/fx/playgame-endlevellopik1a.ogg", 0);
  endMusic = LoadSound(bundleDir + "sfx/levelEnd-music.ogg", 0);
  countOutSound = LoadSound(bundleDir + "sfx/fx4/playgame-podlicz-out.ogg", 0);
  countShowSound = LoadSound(bundleDir + "sfx/fx4/playgame-podlicz-show.ogg", 0);
  countSound = LoadSound(bundleDir + "sfx/fx4/playgame-policz.ogg", 0);
  static const std::array<const char*, 6> kDoorPieces = {"1", "2", "3", "2-1", "2-2", "2-3"};
  for (size_t side = 0; side < 2; ++side) {
    const std::string prefix =
        bundleDir + (side == 0 ? "gfx/gui/doors-left" : "gfx/gui/doors-right");
    for (size_t piece = 0; piece < kDoorPieces.size(); ++piece) {
      const std::string separator = piece < 3 ? "-" : "";
      doorsImages[side][piece] = LoadImage(prefix + separator + kDoorPieces[piece] + ".jpg", 0);
    }
  }
  levelCompleteImage = LoadImage(bundleDir + "gfx/gui/LC.png");
  summaryImages[0] = LoadImage(bundleDir + "gfx/gui/ilvessa01.png");
  summaryImages[1] = LoadImage(bundleDir + "gfx/gui/poswiata.png");
  newHiscoreImage = LoadImage(bundleDir + "gfx/fonts/newhiscore.png");
  if (newHiscoreImage) MidHandleImage(newHiscoreImage);
  if (levelCompleteImage) MidHandleImage(levelCompleteImage);
}

void TLevelManager::loadGfx() {
  const std::string wanted = ToPath(backgroundImage);
  if (wanted != loadedBackground) {
    // An empty name (or one ending in a folder separator) names no picture: nothing matches.
    const std::string name = StripDir(wanted);
    std::string path = name.empty() ? std::string() : FindGameOrCustomArt(wanted);
    const std::string slide = bundleDir + "gfx/slides/" + name;
    if (path.empty() && !name.empty() && FileType(slide) != FILETYPE_NONE) path = slide;
    if (path.empty()) path = bundleDir + "gfx/slides/1a.jpg";
    loadedBackground = path;
    background = LoadImage(path);
  }
  if (gameState == kGameStatePlay || gameState < 0) {
    playLvlMusic();
    pauseMusic();
  }
}

void TLevelManager::Draw() {
  if (!background) return;
  SetBlend(SOLIDBLEND);
  SetAlpha(1.0f);
  SetTransform(0.0f, 1.0f, 1.0f);
  SetColor(255, 255, 255);
  DrawImage(background, 0.0f, 0.0f, 0);
}

void TLevelManager::playLvlMusic() { music = playMusicStream(ToPath(songName), 1, 1.0f); }

void TLevelManager::pauseMusic() {
  if (music) music->pause();
}

void TLevelManager::continueMusic() {
  if (music) music->play();
}

void TLevelManager::stopAndFreeMusic() {
  if (!music) return;
  music->stop();
  music->free();
}

void TLevelManager::finish() {
  if (points) {
    points->totalPoints = BankedSum(points->totalPoints, points->levelPoints);
    points->levelPoints = 0;
  }
  if (blocks) blocks->currentBlock = nullptr;
  TSpark::destroyAll();
}
