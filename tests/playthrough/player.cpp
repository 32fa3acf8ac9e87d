// The play-through's player (see the header).
#include "player.h"


#include <cmath>
#include <cstdlib>
#include <iostream>

#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "play/puzzle/puzzle_button.h"
#include "play/puzzle/puzzle_manager.h"
#include "play/ring/ring_game.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/text.h"
#include "screens/map/map_core.h"
#include "screens/menu/options_window.h"
#include "screens/popups/popup.h"
#include "screens/popups/popup_manager.h"
#include "screens/profiles/profile_loader.h"
#include "program/title_screen.h"
#include "screens/tutorial/tutorial.h"
#include "toolkit/button.h"
#include "toolkit/container.h"
#include "toolkit/menu.h"

namespace playthrough {

namespace {

// Input given after frame N reaches the platform at the next frame's poll and the game's mouse
// at the fetch of the frame after: an action is seen this many frames later.
constexpr int kLatency = 3;
// A press waits a frame after the pointer moved, so that buttons see the pointer over them
// before the button goes down.
constexpr int kPressDelay = 1;
// Where a popup's OK button is clicked, from its top-left corner.
constexpr int kOkInset = 10;
// The summary's phases from its start to its fade-out; the bonus counted into the total (a
// click ends the count), the wait for a click, and the scroll rolling up after it.
constexpr int32_t kSummaryFirstPhase = 1;
constexpr int32_t kSummaryCounts = 7;
constexpr int32_t kSummaryRollsUp = 9;
constexpr int32_t kSummaryLastPhase = 11;
// Frames a popup may stay after its OK click before the player clicks again.
constexpr int kPopupPatience = 90;
// The game-over popup's opening zoom reads no input.
constexpr int kGameOverZoomFrames = 45;
// Frames between clicks on a screen that waits for one (summaries, banners).
constexpr int kClickThroughPace = 20;
// The credits: sixteen pages of five seconds with the fades around them.
constexpr int kCreditsFrames = 16 * 300 + 600;
// Frames of a second of play, and what a level's attempt may take beyond its time limit.
constexpr int kFramesPerSecond = 60;
constexpr int kLevelSlackFrames = 3000;
// A pointer that has not reached its cell after this many frames is sent again.
constexpr int kPointerPatience = 8;

// The mini-game levels photographed on the way.
constexpr const char* kPuzzleShot = "puzzle-05.tsc";
constexpr const char* kRingShot = "ring-05.tsc";

// Title menu keys (the menu window's buttons in `data`).
constexpr int32_t kContinueKey = 1;
constexpr int32_t kModesKey = 10;
constexpr int32_t kExitKey = 11;
constexpr int32_t kOptionsKey = 15;
constexpr int32_t kCreditsKey = 13;
constexpr int32_t kPlayQuestKey = 61;
constexpr int32_t kTimeAttackKey = 62;
constexpr int32_t kEndlessKey = 63;
constexpr int32_t kSelectorPlayKey = 71;
constexpr int32_t kExitYesKey = 90;
constexpr int32_t kInGameMainMenuKey = 23;

bool ButtonShown(const ButtonPtr& button) {
  return button && button->visible != 0 && button->enabled != 0 && button->dim;
}

void Centre(const DimPtr& dim, int& x, int& y) {
  x = static_cast<int>(std::lround((dim->Left() + dim->Right()) / 2.0f));
  y = static_cast<int>(std::lround((dim->Top() + dim->Bottom()) / 2.0f));
}

BlockTurns ReadBlock(const BlockPtr& block);

// The shapes of the level's deal list, read again whenever the list changes.
std::shared_ptr<const std::vector<BlockTurns>> DealtShapes() {
  static TListPtr<String> readFrom;
  static std::shared_ptr<const std::vector<BlockTurns>> shapes;
  if (!blocks || !blocks->availableBlocks) return nullptr;
  if (blocks->availableBlocks == readFrom && shapes) return shapes;
  auto read = std::make_shared<std::vector<BlockTurns>>();
  for (const String& id : *blocks->availableBlocks) {
    for (const BlockPtr& shape : *blocks->shapes)
      if (shape->id == id) read->push_back(ReadBlock(shape));
  }
  readFrom = blocks->availableBlocks;
  shapes = read;
  return shapes;
}

// The game's board level as the player sees it.
BoardView ReadBoard() {
  BoardView view;
  for (int x = 0; x < kCells; ++x) {
    for (int y = 0; y < kCells; ++y) {
      view.usable[x][y] = board->usable[x][y] != 0;
      view.occupied[x][y] = board->runeIds[x][y] > 0;
      view.colour[x][y] = board->colours[x][y];
      view.stone[x][y] = board->runeIds[x][y] > 0 && runes && runes->isBlocked(board->runeIds[x][y]) != 0;
    }
  }
  if (bossManager) {
    for (const BossRunePtr& boss : *bossManager->bossRunes)
      if (boss->alive != 0) view.bosses.push_back(BossSquare{boss->cellX, boss->cellY, boss->runeColour});
  }
  if (bonusManagerAlt) {
    for (const BonusAPtr& spell : *bonusManagerAlt->boardSpells)
      if (spell->active == 0 && spell->cellX >= 0 && spell->cellX < kCells && spell->cellY >= 0 &&
          spell->cellY < kCells)
        view.spell[spell->cellX][spell->cellY] = spell->kind;
  }
  view.goal = level ? level->goalType : 0;
  view.dealt = DealtShapes();
  if (magicSphere) {
    for (int k = 0; k < TMagicSphere::kVials; ++k) {
      const int colour = magicSphere->colours[static_cast<size_t>(k)];
      if (colour <= 0 || colour >= kColours) continue;
      const float left = magicSphere->capacities[static_cast<size_t>(k)] -
                         magicSphere->fills[static_cast<size_t>(k)];
      if (left > 0.0f) view.needed[static_cast<size_t>(colour)] += static_cast<int>(std::ceil(left));
    }
  }
  return view;
}

BlockTurns ReadBlock(const BlockPtr& block) {
  BlockTurns turns;
  if (!block) return turns;
  for (int r = 0; r < 4; ++r) {
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) {
        if (block->cells[static_cast<size_t>(i)][static_cast<size_t>(j)] < 1) continue;
        int32_t dx = 0, dy = 0;
        RotateOffset(r, i, j, dx, dy);
        turns.turns[static_cast<size_t>(r)].push_back(
            BlockCell{dx, dy, block->colors[static_cast<size_t>(i)][static_cast<size_t>(j)]});
      }
    }
  }
  return turns;
}

// True when the game's own fit flags of the held block say every filled cell fits.
bool GameSaysItFits(const BlockPtr& block) {
  for (size_t i = 0; i < 4; ++i)
    for (size_t j = 0; j < 4; ++j)
      if (block->cells[i][j] >= 1 && block->fits[i][j] != 1) return false;
  return true;
}

}  // namespace

Player::Player(const PlayerOptions& options) : options_(options) {}

void Player::Note(const std::string& line) {
  log_.push_back(line);
  std::cerr << "[playthrough] " << line << "\n";
}

void Player::Fail(const std::string& why) { throw Failure(why); }

std::string Player::LevelName() const {
  if (!sequencer) return "?";
  return "level " + std::to_string(sequencer->currentLevel) + " (" + ToUtf8(sequencer->fileName) + ")";
}

std::string Player::BoardPicture() {
  if (!board) return "";
  // '.' an open cell, ' ' a hole, a rune's colour number (or '#' above 9), a stone's as a
  // letter ('a' colour 1), 'B' under a boss.
  const BoardView view = ReadBoard();
  std::string text;
  for (int y = 0; y < kCells; ++y) {
    for (int x = 0; x < kCells; ++x) {
      char c = view.usable[x][y] ? '.' : ' ';
      if (view.occupied[x][y]) c = view.colour[x][y] <= 9 ? static_cast<char>('0' + view.colour[x][y]) : '#';
      if (view.stone[x][y] && view.colour[x][y] >= 1 && view.colour[x][y] <= 9)
        c = static_cast<char>('a' + view.colour[x][y] - 1);
      for (const BossSquare& boss : view.bosses)
        if (x >= boss.x && x <= boss.x + 1 && y >= boss.y && y <= boss.y + 1) c = 'B';
      text += c;
    }
    text += '\n';
  }
  return text;
}

void Player::Shot(const std::string& name) {
  if (options_.shotDir.empty()) return;
  headless::DrawNextFrame();
  pendingShot_ = name;
  shotFrame_ = headless::FrameNumber() + 1;
}

void Player::Click(int frame, int x, int y) {
  headless::MouseMoveAt(frame, x, y);
  headless::MouseButtonAt(frame + kPressDelay, 1, true);
  headless::MouseButtonAt(frame + kPressDelay + 1, 1, false);
  Wait(frame, kLatency + kPressDelay + 1);
}

void Player::ClickButtonKey(int frame, int32_t key) {
  ButtonPtr button = data ? data->GetButton(key) : nullptr;
  if (!ButtonShown(button)) return;
  int x = 0, y = 0;
  Centre(button->dim, x, y);
  Click(frame, x, y);
}

void Player::Step(int frame) {
  if (!pendingShot_.empty() && frame >= shotFrame_) {
    headless::CaptureBackBufferPNG(options_.shotDir + "/" + pendingShot_ + ".png");
    Note("screenshot " + pendingShot_);
    pendingShot_.clear();
  }
  if (!headless::MessageBoxes().empty())
    Fail("a message box: " + ToUtf8(headless::MessageBoxes().front().text));
  TrackLevel(frame);
  if (frame < busyUntil_) return;
  // The screens in the order they can stand over each other.
  const char* acted = GameOverPopup(frame) ? "game over"
                     : InfoPopup(frame)   ? "popup"
                     : InGameMenu(frame)  ? "menu"
                     : Summary(frame)     ? "summary"
                     : BoardLevel(frame)  ? "board"
                     : Map(frame)         ? "map"
                     : Puzzle(frame)      ? "puzzle"
                     : Ring(frame)        ? "ring"
                     : FirstProfile(frame) ? "profile"
                     : Title(frame)       ? "title"
                     : Tutorial(frame)    ? "tutorial"
                                          : nullptr;
  if (acted && acted != lastActed_ && getenv("PT_DEBUG"))
    std::cerr << "frame " << frame << ": " << acted << "\n";
  if (acted) lastActed_ = acted;
}

// ---- the quest's bookkeeping ------------------------------------------------------------------

void Player::TrackLevel(int frame) {
  if (stage_ != Stage::kQuest || !sequencer) return;
  if (sequencer->currentLevel != levelIndex_) {
    if (levelIndex_ > 0 && questPlayed_) ++levelsDone_;
    if (placements_ > 0) Note(std::to_string(placements_) + " blocks put down in level " + std::to_string(levelIndex_));
    placements_ = 0;
    levelIndex_ = sequencer->currentLevel;
    if (options_.lastQuestLevel > 0 && levelIndex_ > options_.lastQuestLevel && questPlayed_) {
      // The short form ends here, as a player closing the window.
      Note("closing the window after level " + std::to_string(options_.lastQuestLevel));
      headless::CloseRequestAt(frame);
      stage_ = Stage::kDone;
      return;
    }
    levelStartFrame_ = frame;
    levelBudget_ = FrameBudget(levelIndex_);
    retries_ = 0;
    Note("quest " + LevelName() + " from frame " + std::to_string(frame));
  }
  if (frame - levelStartFrame_ > levelBudget_) {
    Fail(LevelName() + " is over its frame budget of " + std::to_string(levelBudget_) +
         " frames\n" + BoardPicture());
  }
}

int Player::FrameBudget(int index) {
  if (!boardLevelsRead_) {
    boardLevelsRead_ = true;
    boardLevels_ = QuestBoardLevels();
  }
  for (const QuestBoardLevel& entry : boardLevels_) {
    // Every attempt may run to its time limit, with its popups, summary and map around it.
    if (entry.index == index && entry.seconds > 0)
      return (options_.maxRetries + 1) * (entry.seconds * kFramesPerSecond + kLevelSlackFrames);
  }
  return options_.miniGameFrameBudget;
}

// ---- popups, summary, menus -------------------------------------------------------------------

bool Player::GameOverPopup(int frame) {
  if (!board || !points || points->levelActive == 0 || board->gameOver == 0 || board->alpha != 1.0f) {
    lossAnswered_ = false;
    return false;
  }
  if (stage_ != Stage::kQuest) Fail("a mode game was lost before the player left it");
  if (!lossAnswered_) {
    lossAnswered_ = true;
    ++retries_;
    Note(LevelName() + " lost (loss " + std::to_string(retries_) + ") at frame " +
         std::to_string(frame) + "\n" + BoardPicture());
    if (retries_ > options_.maxRetries)
      Fail(LevelName() + " lost " + std::to_string(retries_) + " times\n" + BoardPicture());
    Wait(frame, kGameOverZoomFrames);
    return true;
  }
  if (popupManager && popupManager->retryButton && popupManager->retryButton->dim) {
    int x = 0, y = 0;
    Centre(popupManager->retryButton->dim, x, y);
    Click(frame, x, y);
    Wait(frame, kClickThroughPace);
  }
  return true;
}

bool Player::InfoPopup(int frame) {
  const TListPtr<PopupPtr> lists[] = {
      popupManager ? popupManager->popups : nullptr,
      puzzle ? puzzle->popups : nullptr,
      ringGame ? ringGame->popups : nullptr,
  };
  for (const TListPtr<PopupPtr>& list : lists) {
    if (!list) continue;
    for (const PopupPtr& popup : *list) {
      if (popup->alpha <= 0.0f || popup->active != 1) continue;
      if (popup->alpha >= 1.0f && popup.get() == okClicked_ && frame - okClickedAt_ > kPopupPatience) {
        // The popup stayed: the click went unseen. Click again.
        Note("the popup stayed after its OK click at frame " + std::to_string(okClickedAt_));
        okClicked_ = nullptr;
        Wait(frame, 2);
        return true;
      }
      if (popup->alpha >= 1.0f && popup.get() != okClicked_) {
        okClicked_ = popup.get();
        okClickedAt_ = frame;
        Click(frame, popup->buttonX + kOkInset, popup->buttonY + kOkInset);
      }
      return true;
    }
  }
  // No popup on show: the next one is new, even where it takes the memory of the last.
  okClicked_ = nullptr;
  return false;
}

bool Player::Summary(int frame) {
  if (!level || !points || points->levelActive != 0 || level->summaryDone != 0 ||
      level->summaryPhase < kSummaryFirstPhase || level->summaryPhase > kSummaryLastPhase)
    return false;
  // Every phase is claimed, so that no other screen's click reaches the summary. A click while
  // the bonus is counted ends the count with the whole bonus in the total, as the wait for a
  // click would; once the scroll rolls up the total stands.
  if (level->summaryPhase >= kSummaryRollsUp) {
    if (stage_ == Stage::kQuest && lastSummaryLevel_ != levelIndex_) {
      lastSummaryLevel_ = levelIndex_;
      lastSummaryTotal_ = level->totalShown;
      if (getenv("PT_DEBUG")) Note("summary total " + std::to_string(lastSummaryTotal_) + " in " + LevelName());
    }
    return true;
  }
  if (level->summaryPhase < kSummaryCounts) return true;
  Click(frame, 400, 300);
  Wait(frame, kClickThroughPace);
  return true;
}

bool Player::InGameMenu(int frame) {
  if (!menuAsked_ || !optionsWindow || optionsWindow->state != TOptionsWindow::kInGameMenu) return false;
  ButtonPtr mainMenu = data ? data->GetButton(kInGameMainMenuKey) : nullptr;
  if (!ButtonShown(mainMenu)) return false;
  if (optionsWindow->alpha < 1.0f) return true;
  ClickButtonKey(frame, kInGameMainMenuKey);
  menuAsked_ = false;
  modeLeft_ = true;
  modeStartFrame_ = -1;
  ++modeStep_;
  Wait(frame, kClickThroughPace);
  return true;
}

// ---- board levels -----------------------------------------------------------------------------

bool Player::BoardLevel(int frame) {
  if (!board || !blocks || !points || points->levelActive == 0) return false;
  // A mode game left by its menu keeps its board (and its level active): until the player
  // starts or resumes the next one, the title is on show.
  if (modeLeft_) return false;
  if (stage_ == Stage::kEndless || stage_ == Stage::kTimeAttack) {
    if (ModeGame(frame)) return true;
  }
  if (stage_ == Stage::kQuest) questPlayed_ = true;
  const BlockPtr& block = blocks->currentBlock;
  if (!block) return true;  // a spell, a freeze or the deal: wait
  // The first two-boss level, on the board as it opens: the bosses and their rings in view.
  if (stage_ == Stage::kQuest && level && level->goalType == 3 && !shotBosses_ && bossManager &&
      bossManager->bossRunes->Count() == 2 && placements_ == 0 && blocks->formState != 0) {
    shotBosses_ = true;
    Shot("bosses-level-" + std::to_string(levelIndex_));
  }
  PlanBoardMove(frame);
  return true;
}

void Player::PlanBoardMove(int frame) {
  const BlockPtr& block = blocks->currentBlock;
  if (block.get() != plannedFor_) {
    plannedFor_ = block.get();
    planned_ = BestMove(ReadBoard(), ReadBlock(block), blocks->targetRotation, ReadBlock(blocks->nextBlock));
    pointed_ = false;
    turnsAsked_ = 0;
  }
  if (!planned_.valid) return;  // fits nowhere: the game is about to end the level
  // One quarter turn at a time, each once the running one has settled.
  if (planned_.rotation != blocks->targetRotation) {
    if (blocks->rotation == blocks->targetRotation && blocks->turnProgress == 0) {
      headless::MouseWheelAt(frame, 1);
      ++turnsAsked_;
      Wait(frame, kLatency);
    }
    return;
  }
  if (blocks->rotation != blocks->targetRotation) return;
  if (!pointed_ || frame - pointedAt_ > kPointerPatience) {
    const int px = board->originX + planned_.x * board->cellSize + board->cellSize / 2;
    const int py = board->originY + planned_.y * board->cellSize + board->cellSize / 2;
    headless::MouseMoveAt(frame, px, py);
    pointed_ = true;
    pointedAt_ = frame;
    Wait(frame, kLatency);
    return;
  }
  if (blocks->formState == 0 || blocks->anchorX != planned_.x || blocks->anchorY != planned_.y) {
    return;
  }
  if (!GameSaysItFits(block)) {
    // The board changed under the plan (a spell went off): plan again.
    plannedFor_ = nullptr;
    return;
  }
  headless::MouseButtonAt(frame, 1, true);
  headless::MouseButtonAt(frame + 1, 1, false);
  Wait(frame, kLatency + 1);
  ++placements_;
}

// ---- the mini-games ---------------------------------------------------------------------------

bool Player::Puzzle(int frame) {
  if (stage_ != Stage::kQuest || !puzzle || !puzzle->grid || puzzle->grid->cells->IsEmpty()) return false;
  if (sequencer && sequencer->levelType != 2) return false;
  const TPuzzleGrid& grid = *puzzle->grid;
  bool flying = false, solved = true;
  PuzzleButtonPtr marked;
  for (int k = 0; k < grid.cells->Count(); ++k) {
    PuzzleButtonPtr piece = grid.Piece(k);
    if (!piece) continue;
    if (piece->IsFlying() != 0) flying = true;
    if (piece->IsInPlace() == 0) solved = false;
    if (piece->marked != 0) marked = piece;
  }
  if (solved) {
    // The banner and the scroll wait for clicks.
    Click(frame, 400, 300);
    Wait(frame, kClickThroughPace);
    return true;
  }
  questPlayed_ = true;
  if (flying) return true;
  if (!shotPuzzle_ && sequencer && ToUtf8(sequencer->fileName) == kPuzzleShot) {
    shotPuzzle_ = true;
    Shot("puzzle-level-" + std::to_string(levelIndex_));
  }
  auto clickPiece = [&](const PuzzleButtonPtr& piece) {
    int x = 0, y = 0;
    Centre(piece->dim, x, y);
    Click(frame, x, y);
  };
  if (marked) {
    // The piece that stands on the marked piece's home cell goes where the marked one stands.
    for (int k = 0; k < grid.cells->Count(); ++k) {
      PuzzleButtonPtr piece = grid.Piece(k);
      if (piece && piece->cell == marked->id) {
        clickPiece(piece);
        return true;
      }
    }
    clickPiece(marked);  // nothing found: let go of the mark
    return true;
  }
  for (int k = 0; k < grid.cells->Count(); ++k) {
    PuzzleButtonPtr piece = grid.Piece(k);
    if (piece && piece->IsInPlace() == 0) {
      clickPiece(piece);
      return true;
    }
  }
  return true;
}

bool Player::Ring(int frame) {
  if (stage_ != Stage::kQuest || !ringGame || !sequencer || sequencer->levelType != 3) return false;
  if (ringGame->phase == TRingGame::kTimeOver) {
    Click(frame, 400, 300);
    Wait(frame, kClickThroughPace);
    return true;
  }
  if (ringGame->phase != TRingGame::kPlay) return false;
  questPlayed_ = true;
  if (!shotRing_ && ToUtf8(sequencer->fileName) == kRingShot) {
    shotRing_ = true;
    Shot("ring-level-" + std::to_string(levelIndex_));
  }
  if (ringGame->seqDoneTime >= 0) return true;
  const int32_t rune = ringGame->sequence[static_cast<size_t>(ringGame->seqPos)];
  if (rune < 0 || rune >= TRingGame::kTiles || !ringGame->tiles[static_cast<size_t>(rune)]) return true;
  const TPapier& tile = *ringGame->tiles[static_cast<size_t>(rune)];
  if (ringGame->hoverTile == rune) {
    headless::MouseButtonAt(frame, 1, true);
    headless::MouseButtonAt(frame + 1, 1, false);
    Wait(frame, kLatency + 1);
  } else {
    headless::MouseMoveAt(frame, static_cast<int>(tile.x), tile.y);
    Wait(frame, kLatency);
  }
  return true;
}

// ---- between levels ---------------------------------------------------------------------------

bool Player::Map(int frame) {
  if (stage_ != Stage::kQuest || !::map) return false;
  // The map is on show from its fade-in to the end of its fade-out.
  if (::map->finished != 0) mapEntered_ = false;
  if (::map->finished == 0 && ::map->fadeState == kMapFadingIn) mapEntered_ = true;
  if (!mapEntered_) return false;
  if (::map->fadeState != kMapShown) return true;
  if (!shotMap_ && ::map->currentStage >= 3) {
    shotMap_ = true;
    Shot("map-stage-3");
    Wait(frame, 2);
    return true;
  }
  ButtonPtr play = ::map->buttons ? ::map->buttons->GetItem(kMapPlayButton) : nullptr;
  if (play && play->dim) {
    int x = 0, y = 0;
    Centre(play->dim, x, y);
    Click(frame, x, y);
  } else {
    Click(frame, 400, 300);
  }
  Wait(frame, kClickThroughPace);
  return true;
}

bool Player::Tutorial(int frame) {
  // The boss page keeps its picture loaded after it closed: the title, back after the last
  // level, is asked first, and no tutorial opens after the quest.
  if (stage_ != Stage::kStartUp && stage_ != Stage::kQuest) return false;
  if (!tutorial || !tutorial->background) return false;
  if (points && points->levelActive != 0) return false;
  Click(frame, (TTutorial::kPlayLeft + TTutorial::kPlayRight) / 2,
        (TTutorial::kPlayTop + TTutorial::kPlayBottom) / 2);
  Wait(frame, kClickThroughPace);
  return true;
}

// ---- the title --------------------------------------------------------------------------------

bool Player::FirstProfile(int frame) {
  if (!profileLoader || profileLoader->mode != TProfileLoader::kFirstRun || nameTyped_) return false;
  if (profileLoader->fadeAlpha < 1.0f) return true;
  nameTyped_ = true;
  // The entry takes one typed character a frame: Enter once every letter is in.
  headless::TypeAt(frame, FromUtf8(options_.name));
  const int typed = frame + static_cast<int>(options_.name.size()) + kLatency;
  headless::KeyPressAt(typed, KEY_ENTER);
  Wait(typed, kClickThroughPace);
  return true;
}

bool Player::ModeGame(int frame) {
  if (modeStartFrame_ < 0) modeStartFrame_ = frame;
  const int played = frame - modeStartFrame_;
  const int limit = (modeStep_ % 2 == 0) ? options_.modeFrames : options_.resumedFrames;
  if (played < limit) return false;
  if (!menuAsked_) {
    menuAsked_ = true;
    headless::KeyPressAt(frame, KEY_ESCAPE);
    Wait(frame, kLatency + 1);
  }
  return true;
}

bool Player::Title(int frame) {
  if (!optionsWindow || !titleScreen || optionsWindow->alpha < 1.0f) return false;
  const int32_t state = optionsWindow->state;
  auto on = [&](int32_t key) {
    ButtonPtr b = data ? data->GetButton(key) : nullptr;
    return ButtonShown(b);
  };
  switch (stage_) {
    case Stage::kStartUp:
      if (state == TOptionsWindow::kMainMenu && on(kPlayQuestKey)) {
        ClickButtonKey(frame, kPlayQuestKey);
        stage_ = Stage::kQuest;
        Note("play quest");
        return true;
      }
      return false;
    case Stage::kQuest:
      // Back on the title after the quest was played: it is over. The menu window keeps its
      // main menu while a level plays, so only a title that runs again (its choice cleared)
      // counts.
      if (titleScreen->choice == TTitleScreen::kNoChoice && state == TOptionsWindow::kMainMenu &&
          on(kPlayQuestKey) && questPlayed_) {
        ++levelsDone_;
        Note("back on the title after " + LevelName());
        if (sequencer && sequencer->currentLevel < sequencer->lastLevel)
          Fail("the quest went back to the title at " + LevelName());
        stage_ = Stage::kCredits;
        modeStep_ = 0;
        return true;
      }
      return false;
    case Stage::kCredits:
      if (state == TOptionsWindow::kMainMenu && on(kOptionsKey) && !creditsAsked_) {
        ClickButtonKey(frame, kOptionsKey);
        return true;
      }
      if (state == TOptionsWindow::kOptions && on(kCreditsKey) && !creditsAsked_) {
        creditsAsked_ = true;
        ClickButtonKey(frame, kCreditsKey);
        Note("credits");
        // Every page is written and held to its end; nothing is clicked meanwhile.
        Wait(frame, kCreditsFrames);
        return true;
      }
      if (creditsAsked_ && (state == TOptionsWindow::kOptions || state == TOptionsWindow::kMainMenu)) {
        stage_ = Stage::kEndless;
        modeStep_ = 0;
        modeStartFrame_ = -1;
        return true;
      }
      return false;
    case Stage::kEndless:
    case Stage::kTimeAttack: {
      const bool endless = stage_ == Stage::kEndless;
      const int32_t modeKey = endless ? kEndlessKey : kTimeAttackKey;
      if (modeStep_ >= 2) {
        Note(std::string(endless ? "endless" : "time attack") + " left twice");
        stage_ = endless ? Stage::kTimeAttack : Stage::kExit;
        modeStep_ = 0;
        modeStartFrame_ = -1;
        return true;
      }
      if (state == TOptionsWindow::kOptions) {
        ClickButtonKey(frame, 46);  // back to the main menu
        return true;
      }
      if (state == TOptionsWindow::kMainMenu && on(kModesKey)) {
        ClickButtonKey(frame, kModesKey);
        return true;
      }
      if (state == TOptionsWindow::kModes && on(modeKey)) {
        modeStartFrame_ = -1;
        ClickButtonKey(frame, modeKey);
        return true;
      }
      if (state == TOptionsWindow::kLevelSelector && on(kSelectorPlayKey)) {
        ClickButtonKey(frame, kSelectorPlayKey);
        modeLeft_ = false;
        Note(std::string(endless ? "endless" : "time attack") + " on the first selector level");
        return true;
      }
      if (state == TOptionsWindow::kContinueOrNew && on(kContinueKey)) {
        ClickButtonKey(frame, kContinueKey);
        modeLeft_ = false;
        Note(std::string(endless ? "endless" : "time attack") + " resumed");
        return true;
      }
      return false;
    }
    case Stage::kExit:
      if (state == TOptionsWindow::kMainMenu && on(kExitKey)) {
        ClickButtonKey(frame, kExitKey);
        return true;
      }
      if (state == TOptionsWindow::kExitConfirm && on(kExitYesKey)) {
        ClickButtonKey(frame, kExitYesKey);
        stage_ = Stage::kDone;
        Note("exit confirmed");
        return true;
      }
      return false;
    case Stage::kDone:
      return false;
  }
  return false;
}

}  // namespace playthrough
