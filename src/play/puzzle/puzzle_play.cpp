// The picture puzzle's play loop: one game from the music's start to its end code, with the
// info popups, the hint and menu buttons, the keys and the in-game menu.
#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "game/saved/saved_game.h"
#include "play/puzzle/saved_puzzle.h"
#include "game/quest_flow.h"
#include "play/puzzle/puzzle_manager.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/menu/options_window.h"
#include "screens/popups/popup_manager.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace {

// Interface sounds.
constexpr int32_t kHintSound = 0;
constexpr int32_t kClickOutSound = 2;
constexpr int32_t kInfoShowSound = 3;
// Fonts of the summary in the shared container.
constexpr int kRowFontId = 4000;
constexpr int kTitleFontId = 4001;
// Keys of the short in-game menu's buttons.
constexpr int32_t kResumeKey = 20;
constexpr int32_t kOptionsKey = 22;
constexpr int32_t kMainMenuKey = 23;
constexpr int32_t kQuitKey = 24;
// The two buttons of the play screen: hit areas inclusive, hover pictures' corners.
struct ScreenButton {
  int32_t left, right, top, bottom;
  float imageX, imageY;
  bool Over(int32_t x, int32_t y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};
constexpr ScreenButton kMenuButton{288, 359, 573, 591, 287.0f, 572.0f};
constexpr ScreenButton kHintButton{418, 529, 573, 591, 417.0f, 572.0f};

// The close request arrived while a closing screen ran: a quest puzzle is first recorded as
// finished, so that a continue goes on to the map with the score counted once.
[[noreturn]] void EndAfterFinishedPuzzle(int32_t fromGallery) {
  if (fromGallery == 0) {
    gameState = kGameStateMap;
    SaveProfile(1);
  }
  if (puzzle && puzzle->music) puzzle->music->stop();
  End();
}

}  // namespace

void TPuzzleManager::FrameHead(const ImagePtr& background) {
  if (deltaTime) {
    deltaTime->Update();
    delta = deltaTime->CurrDelta();
  }
  if (music) music->update();
  // Not cleared: the background covers the screen.
  if (background) DrawImage(background, 0, 0, 0);
  if (mouse) mouse->fetchState();
}

int32_t TPuzzleManager::ResumedBoardIsWhole() const {
  TListPtr<String> saved = profile ? profile->GetList(S("puzzles")) : nullptr;
  if (!saved || saved->Count() != grid->pieceCount) return 0;
  std::vector<bool> taken(static_cast<size_t>(grid->pieceCount), false);
  for (const ButtonPtr& button : *grid->cells) {
    const int32_t cell = std::static_pointer_cast<TPuzzleButton>(button)->cell;
    if (cell < 0 || cell >= grid->pieceCount || taken[static_cast<size_t>(cell)]) return 0;
    taken[static_cast<size_t>(cell)] = true;
  }
  return 1;
}

void TPuzzleManager::StartNewGame(const ImagePtr& background, const HintsPtr& hints,
                                  int32_t fromGallery) {
  if (fromGallery == 1) {
    hintA = 0;
    hintB = 1;
  } else {
    Begin(background, 0);
  }
  grid->Scramble(background);
  hintsUsed = 0;
  int32_t a = hintA, b = hintB;
  if (a < 0 || a >= grid->pieceCount || b < 0 || b >= grid->pieceCount) {
    Print(S("Puzzle ") + fileName + u": the opening hint names pieces " + FromInt(a) + u" and " +
          FromInt(b) + u", off the board; pieces 0 and 1 are taken");
    a = 0;
    b = 1;
  }
  hints->show(grid, THints::kOpening, a, b);
}

int32_t TPuzzleManager::show(int32_t unused, const String& picture, int32_t fromGallery) {
  (void)unused;  // resuming follows readFromProfile
  auto hints = std::make_shared<THints>();
  const ImagePtr background = LoadImage(bundleDir + "gfx/puzzle/game-puzle.jpg", 0);
  const ImageFontPtr rowFont = data ? data->GetTTFont(kRowFontId) : nullptr;
  const ImageFontPtr titleFont = data ? data->GetTTFont(kTitleFontId) : nullptr;
  grid->loadSfx();
  const String path = picture.empty() ? imagePath : picture;
  startTime = MilliSecs();
  clicks = 0;
  music = playMusicStream(ToPath(musicPath), 1, 1.0f);
  Create(path, width, height);
  if (readFromProfile != 0 || fromGallery == 1) popups->Clear();
  if (readFromProfile != 0) {
    LoadPuzzles();
    LoadSpells(S("runes"));
    if (ResumedBoardIsWhole() == 1) {
      // Another game's hint count would cost this one points.
      hintsUsed = 0;
      Begin(background, 1);
    } else {
      Print(S("Puzzle ") + fileName + u": the saved pieces do not fill the board; a new puzzle starts");
      for (const ButtonPtr& button : *grid->cells) {
        auto piece = std::static_pointer_cast<TPuzzleButton>(button);
        piece->cell = piece->targetCell = piece->id;
        piece->SetPosition();
      }
      startTime = MilliSecs();
      clicks = 0;
      StartNewGame(background, hints, fromGallery);
    }
  } else {
    StartNewGame(background, hints, fromGallery);
  }
  if (!popups->IsEmpty()) {
    if (globalSnd) globalSnd->play(kInfoShowSound);
    if (popupManager) SetImageFont(popupManager->font);
  }

  int32_t end = kPlayOn;
  int32_t menuHover = 0, hintHover = 0;
  while (end == kPlayOn && grid->IsSet() == 0) {
    FrameHead(background);
    if (!popups->IsEmpty()) {
      PopupFrame(background);
    } else {
      end = PlayFrame(background, hints, fromGallery, menuHover, hintHover);
    }
  }

  if (end == kEndProgram) {
    if (music) music->stop();
    music = nullptr;
    End();
  }
  popups->Clear();
  if (grid->IsSet() == 1) {
    playSound2(grid->sounds[TPuzzleGrid::kSolvedSound]);
    if (summary(background, rowFont, titleFont, fromGallery) == 1)
      EndAfterFinishedPuzzle(fromGallery);
  }
  if (fromGallery == 0 && (grid->IsSet() == 1 || end == kSkip)) {
    if (Finish(background) == 1) EndAfterFinishedPuzzle(fromGallery);
  }
  if (end == kMainMenu && fromGallery == 0) {
    SavePuzzles(1);
    SaveProfile(1);
  }
  grid->Clear();
  TSpark::destroyAll();
  if (music) music->stop();
  return end == kMainMenu ? 1 : 0;
}

void TPuzzleManager::PopupFrame(const ImagePtr& background) {
  (void)background;
  grid->Draw();
  const PopupPtr popup = popups->First();
  popup->Update(popupManager ? ButtonPtr(popupManager->okButton) : ButtonPtr());
  TSpark::UpdateAll();
  if (mouse) mouse->Draw();
  PollSystem();
  Flip(-1);
  // OK counts once the popup has seen the button up: the press that closed it turned it off.
  if (popup->active == 0) {
    if (globalSnd) globalSnd->play(kClickOutSound);
    popups->RemoveFirst();
    FlushMouse();
    if (!popups->IsEmpty() && globalSnd) globalSnd->play(kInfoShowSound);
  }
}

int32_t TPuzzleManager::PlayFrame(const ImagePtr& background, const HintsPtr& hints,
                                  int32_t fromGallery, int32_t& menuHover, int32_t& hintHover) {
  if (grid->State() != 0) hints->Hide();
  grid->doMatrix();
  grid->Draw();
  hints->Update();
  TSpark::UpdateAll();
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  SetTransform(0.0f, 1.0f, 1.0f);
  SetColor(200, 200, 200);
  if (menuHover) DrawImage(menuButtonImage, kMenuButton.imageX, kMenuButton.imageY, 0);
  if (hintHover) DrawImage(hintButtonImage, kHintButton.imageX, kHintButton.imageY, 0);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  if (mouse) mouse->Draw();
  Flip(-1);
  PollSystem();

  int32_t end = kPlayOn;
  // After a close request no menu opens in this frame: it would swallow the request.
  const bool closeAsked = AppTerminate() != 0;
  if (closeAsked) end = kEndProgram;
  const bool menuAllowed = popups->IsEmpty() && !closeAsked;
  const bool escape = KeyHit(KEY_ESCAPE) != 0;
  if ((escape || KeyHit(KEY_P) != 0) && menuAllowed) end = ShowInGameMenuPuzzle(background, hints);
  if (KeyHit(KEY_G) != 0 && FileType("cheats.txt") != FILETYPE_NONE) end = kSkip;
  const int32_t x = mouse ? mouse->x : -1, y = mouse ? mouse->y : -1;
  menuHover = kMenuButton.Over(x, y) ? 1 : 0;
  hintHover = kHintButton.Over(x, y) ? 1 : 0;
  if (mouse && mouse->hit1 != 0) {
    if (hintHover) {
      if (hints->active == 0 && globalSnd) globalSnd->play(kHintSound);
      hints->show(grid, THints::kRequested, 0, 0);
      ++hintsUsed;
    }
    if (menuHover) {
      if (globalSnd) globalSnd->click();
      if (fromGallery == 1) {
        end = kMainMenu;
      } else if (menuAllowed) {
        end = ShowInGameMenuPuzzle(background, hints);
      }
    }
  }
  if (fromGallery == 0 && AppSuspended() != 0 && menuAllowed)
    end = ShowInGameMenuPuzzle(background, hints);
  return end;
}

int32_t TPuzzleManager::ShowInGameMenuPuzzle(const ImagePtr& background, const HintsPtr& hints) {
  int32_t r = kPlayOn;
  optionsWindow->SetState(TOptionsWindow::kShortInGameMenu, 1, TOptionsWindow::kOriginX,
                          TOptionsWindow::kOriginY);
  optionsWindow->levelMusic = music;
  optionsWindow->context = TOptionsWindow::kShortInGameMenu;
  for (;;) {
    FrameHead(background);
    grid->Draw();
    hints->Update();
    TSpark::UpdateAll();
    SetBlend(ALPHABLEND);
    SetAlpha(1.0f);
    SetTransform(0.0f, 1.0f, 1.0f);
    SetColor(255, 255, 255);
    optionsWindow->Update();
    optionsWindow->Draw();
    if (mouse) mouse->Draw();
    PollSystem();
    Flip(-1);
    if (KeyHit(KEY_ESCAPE) != 0) break;
    if (AppTerminate() != 0) r = kMainMenu;
    const int32_t result = optionsWindow->result;
    if (result == kResumeKey) break;
    if (result == kOptionsKey)
      optionsWindow->SetState(TOptionsWindow::kInGameOptions, 0, TOptionsWindow::kOriginX,
                              TOptionsWindow::kOriginY);
    if (result == kMainMenuKey) r = kMainMenu;
    if (result == kQuitKey) r = kEndProgram;
    if (r != kPlayOn) break;
  }
  FlushKeys();
  FlushMouse();
  return r;
}
