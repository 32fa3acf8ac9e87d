// The ring game's screen and frame loop: its pictures and sounds, the intro (the ring zooms and
// spins in and turns to rest, the tiles slide in, the pendulum comes down), the pendulum clock,
// the drawing, the level's info popups and the loop that plays one ring level to its end.
#include <cmath>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "game/saved/saved_game.h"
#include "game/quest_flow.h"
#include "game/levels/points_manager.h"
#include "game/spells/ring_emiter.h"
#include "play/ring/ring_game.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/map/map_core.h"
#include "screens/popups/popup_manager.h"
#include "toolkit/dim.h"
#include "toolkit/menu.h"
#include "toolkit/spark.h"

namespace {

// Interface sound of the next popup shown (the popup itself plays the click of its OK).
constexpr int32_t kRingInfoShowSound = 3;
// The world map's menu button, whose picture the ring game's menu button borrows.
constexpr int kMapMenuButtonId = 1;
constexpr float kMenuButtonX = 358.0f;  // its top-left corner
constexpr float kMenuButtonY = 568.0f;
constexpr int kMenuButtonId = 1;

// The intro's steps, each a fixed amount per frame.
constexpr float kZoomStep = 0.1f;      // ring zoom falls from 5.5 to 1.0
constexpr float kRingFadeStep = 0.1f;  // ring opacity rises (no upper limit)
constexpr float kSpinSlowdown = 0.5f;  // degrees per frame, per frame
constexpr float kRestTurn = 0.5f;      // degrees per frame while the ring turns to rest
constexpr float kSlowdown = 0.9f;      // a tile's speed after its full-speed frames
constexpr float kRestingSpeed = 0.15f; // at or below it the tile stops on a whole pixel
constexpr float kPendulumDrop = 3.0f;  // pixels per frame
constexpr float kPendulumRestY = 260.0f;
// The play phase: the centre rune zooms from 3.0 to 1.0 while it fades in.
constexpr float kBallFadeStep = 0.025f;
constexpr float kBallZoomStep = 0.05f;
// The pendulum's swing: 30 degrees at the start, narrowing to 0 as the time is used; a new
// swing takes effect only while the pendulum passes near the vertical.
constexpr float kFullSwing = 30.0f;
constexpr float kNearVertical = 0.5f;

// Where the screen's parts are drawn.
constexpr float kRingX = 400.0f, kRingY = 260.0f;
constexpr float kPendulumX = 403.0f;
constexpr int32_t kPendulumPivotAbove = 72;  // the pivot lies this far above the picture
constexpr float kBallX = 400.0f, kBallY = 265.0f;
constexpr float kRingGlowAlpha = 0.6f;
constexpr float kRuneOffsetX = 15.0f, kRuneOffsetY = 18.0f;  // tile centre to rune corner
constexpr int32_t kScoreDigits = 7, kScoreX = 398, kScoreY = 7, kScoreFont = 1;
constexpr float kBarX = 335.0f, kBarY = 523.0f, kBarLength = 130.0f;

// The six spell icons: index k holds kind k + 1.
struct IconSpec {
  float radius, angle;
  const char* set;  // the frame files' prefix
};
constexpr IconSpec kIcons[TRingGame::kSpellKinds] = {
    {-97.899f, -60.366f, "s4"},  {-101.799f, 178.801f, "s6"}, {99.599f, 58.163f, "s5"},
    {101.999f, -59.663f, "s1"}, {-101.399f, 61.872f, "s2"},  {-98.199f, 1.206f, "s3"},
};

constexpr const char* kSoundPaths[8] = {
    "sfx/fx/playgamering-czarbad.ogg",   "sfx/fx/playgamering-czargeted.ogg",
    "sfx/fx/playgamering-czargood.ogg",  "sfx/fx/playgamering-czarwkuli.ogg",
    "sfx/fx/playgamering-mouseover.ogg", "sfx/fx/playgamering-wjazd.ogg",
    "sfx/fx4/playgame-ring-out.ogg",     "sfx/fx4/playgame-ring-show.ogg",
};

ImagePtr MapMenuPicture() {
  if (map && map->buttons)
    if (ButtonPtr button = map->buttons->GetItem(kMapMenuButtonId))
      if (button->image) return button->image;
  return LoadImage(bundleDir + "gfx/fonts/menu_mapa.png");
}

void StopMusic(const AudioStreamPtr& stream) {
  if (!stream) return;
  stream->stop();
  stream->free();
}

}  // namespace

int32_t TRingGame::loadGfx() {
  const std::string folder = bundleDir + "gfx/ring-game/";
  background = LoadImage(folder + "game-ring3.jpg", 0);
  ringImage = LoadImage(folder + "ring0000.png", 0);
  MidHandleImage(ringImage);
  pendulumImage = LoadImage(folder + "wahadlo-c.png");
  if (pendulumImage)
    SetImageHandle(pendulumImage, static_cast<float>(ImageWidth(pendulumImage) / 2),
                   static_cast<float>(-kPendulumPivotAbove));
  tileImage = LoadImage(folder + "papirus1.png");
  MidHandleImage(tileImage);
  glowImage = LoadImage(folder + "switelko.png");
  MidHandleImage(glowImage);
  tileRunes = LoadAnimImage(folder + "runy-papier.png", 32, 64, 0, kTiles);
  ballRunes = LoadAnimImage(folder + "runy-kula.png", 64, 64, 0, kTiles);
  MidHandleImage(ballRunes);
  barImage = LoadImage(folder + "bar.png");
  for (size_t i = 0; i < sounds.size(); ++i) sounds[i] = LoadSound(bundleDir + kSoundPaths[i], 0);

  menuButton = CreateImageButton(MapMenuPicture(),
                                 CreateDim(kMenuButtonX, kMenuButtonY, 0, 0, 0, 1, 1, 0),
                                 kMenuButtonId, 1.0f, 2);
  for (int32_t k = 0; k < kSpellKinds; ++k) {
    const IconSpec& spec = kIcons[k];
    std::array<std::string, TRingSpell::kFrames> names;
    for (int f = 0; f < TRingSpell::kFrames; ++f)
      names[static_cast<size_t>(f)] = std::string(spec.set) + "_000" + std::to_string(f) + ".png";
    spells[static_cast<size_t>(k)] =
        TRingSpell::Create(spec.radius, spec.angle, k + 1, bundleDir + "gfx/ring-game", names);
  }
  return 0;
}

// Update's blocks run in this order within one call: a phase entered in one block is served
// by the later blocks of the same call.
int32_t TRingGame::Update() {
  if (phase == kRingZooms) ZoomRingIn();
  if (phase == kSpinSlows) SlowSpin();
  if (phase == kRingTurnsToRest) TurnRingToRest();
  if (phase == kRingTurnsToRest || phase == kTilesArriving) SlideTiles();
  if ((phase == kTilesArriving || phase == kPendulumDropping) && DropPendulum()) return 0;
  if (phase == kPlay) PlayFrameUpdate();
  return 0;
}

void TRingGame::ZoomRingIn() {
  ringAngle += ringSpin;
  ringScale -= kZoomStep;
  ringAlpha += kRingFadeStep;
  if (!(ringScale > 1.0f)) {
    ringScale = 1.0f;
    phase = kSpinSlows;
  }
}

void TRingGame::SlowSpin() {
  ringAngle += ringSpin;
  ringSpin -= kSpinSlowdown;
  if (!(ringSpin > 0.0f)) phase = kRingTurnsToRest;
}

void TRingGame::TurnRingToRest() {
  if (std::fmod(ringAngle, 360.0f) == 0.0f) phase = kTilesArriving;
  ringAngle += kRestTurn;
}

void TRingGame::SlideTiles() {
  for (const PapierPtr& tile : tiles) {
    --tile->delay;
    tile->x += tile->speed;
    if (tile->delay <= 0) {
      tile->speed *= kSlowdown;
      if (std::fabs(tile->speed) <= kRestingSpeed) {
        tile->x = std::trunc(tile->x);
        tile->speed = 0.0f;
      }
    }
  }
  if (tiles[kTiles - 1]->speed == 0.0f) phase = kPendulumDropping;
}

bool TRingGame::DropPendulum() {
  ringAngle = 0.0f;
  pendulumY += kPendulumDrop;
  if (pendulumY >= kPendulumRestY) {
    pendulumY = kPendulumRestY;
    if (phase == kPendulumDropping) {
      phase = kPlay;
      // The first play frame's delta is measured from here.
      if (deltaTime) deltaTime->Update();
      if (!popups->IsEmpty() && globalSnd) globalSnd->play(kRingInfoShowSound);
      return true;
    }
  }
  return false;
}

int32_t TRingGame::SwingFor(int32_t elapsedMs) const {
  // A level without time has no swing (and no division by its length).
  if (!(totalTime > 0.0f)) return 0;
  const float swing = kFullSwing * (1.0f - static_cast<float>(elapsedMs) / totalTime);
  return swing > 0.0f ? static_cast<int32_t>(swing) : 0;
}

void TRingGame::PlayFrameUpdate() {
  if (seqDoneTime < 0) {
    ballAlpha += kBallFadeStep;
    ballScale -= kBallZoomStep;
    if (ballScale < 1.0f) ballScale = 1.0f;
  }
  const int32_t elapsed = ElapsedMs(MilliSecs(), startTime);
  if (pendulumAngle > -kNearVertical && pendulumAngle < kNearVertical)
    pendulumAmplitude = SwingFor(elapsed);
  pendulumPhase += static_cast<float>(delta);
  pendulumAngle = static_cast<float>(static_cast<double>(pendulumAmplitude) *
                                     Sin(static_cast<double>(pendulumPhase) * Sqr(10.0)));
  const int32_t before = hoverTile;
  hoverTile = checkRows();
  if (before < 0 && hoverTile >= 0) playSound2(sounds[kTileOverSound]);
  // A level of no time (0 or less) ends as soon as any time has passed.
  const bool timeUsedUp = totalTime > 0.0f ? static_cast<float>(elapsed) > totalTime : elapsed > 0;
  if (timeUsedUp) phase = kTimeOver;
}

int32_t TRingGame::Draw(int32_t noCursor) {
  SetColor(255, 255, 255);
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  SetTransform(0.0f, 1.0f, 1.0f);
  // Not cleared: the background covers the screen.
  DrawImage(background, 0, 0);
  SetTransform(pendulumAngle, 1.0f, 1.0f);
  if (phase > kRingTurnsToRest) DrawImage(pendulumImage, kPendulumX, pendulumY);
  SetAlpha(ringAlpha);
  SetTransform(ringAngle, ringScale, ringScale);
  DrawImage(ringImage, kRingX, kRingY);
  // The icons turn and zoom with the ring (the rotation stays in force).
  for (const RingSpellPtr& icon : spells)
    if (icon) icon->Draw(static_cast<int32_t>(kRingX), static_cast<int32_t>(kRingY), ringScale,
                         ringAngle, 1.0f);
  SetAlpha(1.0f);
  SetTransform(0.0f, 1.0f, 1.0f);
  for (int32_t i = 0; i < kTiles; ++i) {
    const TPapier& tile = *tiles[static_cast<size_t>(i)];
    const auto y = static_cast<float>(tile.y);
    DrawImage(tileImage, tile.x, y);
    if (hoverTile == i) {
      SetAlpha(kRingGlowAlpha);
      DrawImage(glowImage, tile.x, y);
      SetAlpha(1.0f);
    }
    DrawImage(tileRunes, tile.x - kRuneOffsetX, y - kRuneOffsetY, i);
  }
  SetAlpha(ballAlpha);
  SetScale(ballScale, ballScale);
  const int32_t rune = sequence[static_cast<size_t>(seqPos)];
  if (rune >= 0) DrawImage(ballRunes, kBallX, kBallY, rune);
  SetAlpha(1.0f);
  SetScale(1.0f, 1.0f);
  if (points)
    points->_drawNumber(seqHits * kPointsPerHit, kScoreDigits, kScoreX, kScoreY, kScoreFont, 1);
  SetAlpha(progress >= 0.5f ? 0.7f : 0.4f);
  SetScale(progress * kBarLength, 1.0f);
  DrawImage(barImage, kBarX, kBarY);
  SetScale(1.0f, 1.0f);
  SetAlpha(1.0f);
  if (menuButton) menuButton->Draw();
  if (!popups->IsEmpty() && phase == kPlay) {
    // The popup's font: a menu opened over a popup may have selected another.
    if (popupManager) SetImageFont(popupManager->font);
    popups->First()->Update(popupManager ? ButtonPtr(popupManager->okButton) : ButtonPtr());
  }
  if (noCursor == 0 && mouse) mouse->Draw();
  return 0;
}

int32_t TRingGame::UpdateInfo() {
  // OK counts once the popup itself took the press (it played the click then): a press held
  // into play from the intro must first be let go, or the first popup would close unseen.
  if (popups->IsEmpty() || popups->First()->active != 0) return 0;
  popups->RemoveFirst();
  FlushMouse();
  if (!popups->IsEmpty()) {
    if (globalSnd) globalSnd->play(kRingInfoShowSound);
  } else {
    // The level clock starts only when the last popup is closed.
    startTime = MilliSecs();
  }
  return 0;
}

int32_t TRingGame::Play(int32_t fromProfile) {
  resetParams();
  createSequence(levelSeqLast);
  musicStream = playMusicStream(ToPath(music), 1, 1.0f);
  if (musicStream) musicStream->update();
  playSound2(sounds[kLevelStartSound]);
  for (const RingSpellPtr& icon : spells)
    if (icon) icon->count = 0;
  if (fromProfile != 0) {
    LoadFromProfile();
    popups->Clear();
  }
  resetRune();
  if (popupManager) SetImageFont(popupManager->font);

  int32_t result = 0;
  while (result == 0) {
    if (musicStream) musicStream->update();
    if (deltaTime) {
      deltaTime->Update();
      delta = deltaTime->CurrDelta();
    }
    // While popups are on show the clock, the pendulum and the rules stand still.
    if (phase == kPlay && !popups->IsEmpty()) {
      UpdateInfo();
    } else {
      Update();
      updateSequence();
    }
    Draw(0);
    TRingEmiter::UpdateAll();
    TSpark::UpdateAll();
    // What the next frame's rules see.
    if (mouse) mouse->fetchState();
    Flip(-1);
    result = FrameResult();
    PollSystem();
  }
  return FinishPlay(result);
}

// Later causes overwrite earlier ones: G beats the close request, the close request beats the
// time-out and the menu.
int32_t TRingGame::FrameResult() {
  // Read first: a menu opened in this frame would swallow the request.
  const bool closeAsked = AppTerminate() != 0;
  const bool popupsDone = popups->IsEmpty();
  const bool menuClicked = popupsDone && menuButton && menuButton->State() != 0;
  // Both keys are read every frame, so that a press during the popups does nothing later.
  const bool escape = KeyHit(KEY_ESCAPE) != 0;
  const bool pause = KeyHit(KEY_P) != 0;
  int32_t result = 0;
  if (menuClicked && !closeAsked) result = ShowInGameMenuRG();
  if ((escape || pause) && popupsDone && !closeAsked && result == 0) result = ShowInGameMenuRG();
  if (phase >= kTimeOver) result = 1;
  if (closeAsked) result = 3;
  // Not over a close request, nor over what a menu of this frame answered.
  if (phase == kPlay && !closeAsked && result == 0 && AppSuspended() != 0)
    result = ShowInGameMenuRG();
  if (KeyHit(KEY_G) != 0 && FileType("cheats.txt") != FILETYPE_NONE) result = 1;
  return result;
}

int32_t TRingGame::FinishPlay(int32_t result) {
  SaveToProfile();
  if (result == kMenuQuit) {
    StopMusic(musicStream);
    musicStream = nullptr;
    End();
  }
  if (result == kMenuMainMenu) {
    SaveProfile(1);
    StopMusic(musicStream);
    return 1;
  }
  if (Summary() != 0) {
    // Closed during the summary: the level counts as finished, so that a continue goes on to
    // the map and the next level with the bonus banked once.
    gameState = kGameStateMap;
    SaveProfile(1);
    StopMusic(musicStream);
    End();
  }
  popups->Clear();
  if (ringEmiterList) ringEmiterList->Clear();
  StopMusic(musicStream);
  return 0;
}
