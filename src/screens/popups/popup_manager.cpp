#include "screens/popups/popup_manager.h"

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "datafiles/bca_archive.h"
#include "game/scene_effects.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "platform/input.h"
#include "platform/system.h"
#include "toolkit/dim.h"

PopupManagerPtr popupManager;

namespace {

// Interface sound of a popup opening.
constexpr int32_t kPopupsInfoShowSound = 3;
constexpr int kPopupFontSize = 16;

// Ids of the buttons (the game-over popup answers by which button, whatever its id).
constexpr int kOkId = 1;
constexpr int kRetryId = 1;
constexpr int kMenuId = 2;
// The OK strip: two frames side by side, frame 1 under the mouse; the plain look.
constexpr int kOkFrames = 2;
constexpr int kOkOverFrame = 1;
constexpr int kOkOutFrame = 0;
constexpr int kPlainLook = -1;
constexpr int kGlowLook = 0;

ImagePtr LoadPicture(const char* path) { return LoadImage(bundleDir + path); }

}  // namespace

int32_t TPopupManager::Load() {
  okButton = CreateAnimButton(bundleDir + "gfx/info/ok.png", CreateDim(0, 0, 0, 0, 0, 1, 1, 0),
                              kOkId, kOkFrames, kOkOverFrame, kOkOutFrame, 1.0f, kPlainLook);
  retryButton =
      CreateImageButton(bundleDir + "gfx/gui/lose3_03.png",
                        CreateDim(kRetryX, kRetryY, 0, 0, 0, 1, 1, 0), kRetryId, 1.0f, kGlowLook);
  menuButton =
      CreateImageButton(bundleDir + "gfx/gui/lose3_05.png",
                        CreateDim(kMenuX, kMenuY, 0, 0, 0, 1, 1, 0), kMenuId, 1.0f, kGlowLook);
  panelImage = LoadPicture("gfx/gui/lose3.png");
  if (panelImage) MidHandleImage(panelImage);
  font = LoadImageFont(bundleDir + "gfx/fonts/QueenEmpress.ttf", kPopupFontSize, SMOOTHFONT);
  reasonImages[kNoMoreMoves] = LoadPicture("gfx/gui/no-more-movies.png");
  reasonImages[kTimeOut] = LoadPicture("gfx/gui/time_out.png");
  loseSound = LoadSound(bundleDir + "sfx/fx/playgame-nomoves-timesup.ogg", 0);
  skipImages[kSkipHovered] = LoadPicture("gfx/gui/lose3_08.png");
  skipImages[kSkipNormal] = LoadPicture("gfx/gui/lose3_08a.png");
  return 0;
}

int32_t TPopupManager::Prepare() {
  Free();
  TSCFilePtr tsc = CreateTSCFile();
  // A missing archive is the reader's runtime error: the game cannot run without it.
  LoadTSCFileBB(tsc, bundleDir + "data/popups_lp.bca", S("info.tsc"));
  return PrepareFrom(tsc, sequencer ? sequencer->currentLevel : 0);
}

int32_t TPopupManager::PrepareFrom(const TSCFilePtr& tsc, int32_t levelIndex) {
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, String());
  for (const TSCGroupPtr& group : *groups) {
    if (GetTSCWholeNumberKey(tsc, group->name, S("Level"), 0) == levelIndex)
      popups->AddLast(TPopup::Create(tsc, group));
  }
  return 0;
}

int32_t TPopupManager::AddEvent(const String& e) {
  if (!events->Contains(e)) events->AddLast(e);
  return 0;
}

int32_t TPopupManager::check() {
  // Each early exit keeps the queue: the events wait for a level with popups left and for the
  // board to be fully shown.
  if (events->IsEmpty()) return 0;
  if (popups->IsEmpty()) return 0;
  if (!board || board->alpha < 1.0f) return 0;

  if (timeManager) timeManager->PauseOn();
  const int32_t sincePetrify = ElapsedMs(MilliSecs(), board->lastPetrify);
  for (const String& e : *events) {
    for (const PopupPtr& popup : *popups) {
      if (popup->CanGo(e) != 1) continue;
      if (ShowPopup(popup) != 0) return 1;
      popups->Remove(popup);
    }
  }
  events->Clear();
  if (timeManager) timeManager->PauseOff();
  // The petrification clock moves on by the time the popups took (wrapped like every reading).
  board->lastPetrify = ElapsedMs(MilliSecs(), sincePetrify);
  return 0;
}

int32_t TPopupManager::Free() {
  popups->Clear();
  events->Clear();
  return 0;
}

int32_t TPopupManager::DrawBase() {
  if (deltaTime) {
    deltaTime->Update();
    delta = deltaTime->CurrDelta();
  }
  if (level) level->Draw();
  if (magicSphere) magicSphere->Update(1);
  if (timeManager) timeManager->DrawAndUpdate();
  if (points) points->Draw();
  if (board) board->Draw(0);
  if (bossManager) bossManager->Draw();
  if (bonusManagerAlt) bonusManagerAlt->Draw();
  UpdateSceneEffects();
  return 0;
}

int32_t TPopupManager::ShowPopup(const PopupPtr& popup) {
  SetImageFont(font);
  if (globalSnd) globalSnd->play(kPopupsInfoShowSound);
  for (;;) {
    if (AppTerminate()) return 1;
    if (mouse) mouse->fetchState();
    Cls();
    DrawBase();
    if (popup->Update(okButton) == 1) return 0;
    if (mouse) mouse->Draw();
    PollSystem();
    Flip(-1);
  }
}
