// The two tutorial screens' loops and pictures: the main page (show) and the boss page (show2).
#include "screens/tutorial/tutorial.h"

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/ring_emiter.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "toolkit/comet.h"
#include "toolkit/spark.h"

TutorialPtr tutorial;

namespace {

constexpr int kEscKey = 27;
// The hourglass starts on its last frame, counting down.
constexpr int32_t kLastTimerFrame = TTimeManager::kFrames - 1;

// The sphere's circling sparks sit on the page's sphere.
constexpr int32_t kSparklesX = 397;
constexpr int32_t kSparklesY = 159;
constexpr int32_t kSparklesRadius = 30;

// The help music of a tutorial shown outside a level.
const char* const kHelpMusic = "sfx/help2.ogg";

// The music under a tutorial: the level's own over a level, else the help music from its start.
AudioStreamPtr TutorialMusic(int32_t fromLevel) {
  if (fromLevel != 0) return level ? level->music : nullptr;
  return playMusicStream(bundleDir + kHelpMusic, 1, 1.0f);
}

// The black cover of a fade frame, then the drawing state the cursor expects.
void DrawFadeCover(float alpha) {
  SetBlend(ALPHABLEND);
  SetScale(1.0f, 1.0f);
  SetAlpha(alpha);
  SetColor(0, 0, 0);
  DrawRect(0.0f, 0.0f, 800.0f, 600.0f);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
}

// Runs `frame` with the cover's alpha until kFadeMs have passed since the fade began; the time
// is tested at the top of every pass.
template <typename Frame>
void RunFade(bool fadingIn, Frame frame) {
  const int32_t start = MilliSecs();
  for (;;) {
    const int32_t elapsed = ElapsedMs(MilliSecs(), start);
    if (elapsed >= TTutorial::kFadeMs) break;
    const float t = static_cast<float>(elapsed) / 250.0f;
    frame(fadingIn ? 1.0f - t : t);
  }
}

void StepDelta() {
  if (deltaTime) {
    deltaTime->Update();
    delta = deltaTime->CurrDelta();
  }
}

void DrawTutorialCursor() {
  if (mouse) mouse->Draw();
}

}  // namespace

int32_t TTutorial::loadGfx() {
  background = LoadImage(bundleDir + "gfx/gui/tutorial.jpg", 0);
  playImage = LoadImage(bundleDir + "gfx/gui/tut-play2.png", -1);
  mouseImage = LoadImage(bundleDir + "gfx/gui/tutorial_mouse.png", -1);
  ringKImages[0] = LoadImage(bundleDir + "gfx/ring/k-14.png", -1);
  ringKImages[1] = LoadImage(bundleDir + "gfx/ring/k-05.png", -1);
  ringSImages[0] = LoadImage(bundleDir + "gfx/ring/s-14.png", -1);
  ringSImages[1] = LoadImage(bundleDir + "gfx/ring/s-05.png", -1);
  inputImages[0] = LoadImage(bundleDir + "gfx/gui/tutorial_keyb.png", -1);
  inputImages[1] = LoadImage(bundleDir + "gfx/gui/tutorial_mouse_1.png", -1);
  return 0;
}

int32_t TTutorial::free() {
  background = nullptr;
  playImage = nullptr;
  extraImage = nullptr;
  mouseImage = nullptr;
  timerImage = nullptr;
  ringKImages = {};
  ringSImages = {};
  return 0;
}

int32_t TTutorial::loadGfx2() {
  background = LoadImage(bundleDir + "gfx/gui/tutorial2boss.jpg", 0);
  extraImage = LoadImage(bundleDir + "gfx/boss/b-04.png", -1);
  playImage = LoadImage(bundleDir + "gfx/gui/tut-play.png", -1);
  return 0;
}

void TTutorial::updateHover() {
  overPlay = 0;
  if (!mouse) return;
  if (mouse->x >= kPlayLeft && mouse->x <= kPlayRight && mouse->y > kPlayTop - 1 &&
      mouse->y < kPlayBottom + 1)
    overPlay = 1;
}

void TTutorial::pageFrame(const AudioStreamPtr& music, TMagicSphereEmiter& sparkles) {
  if (music) music->update();
  if (mouse) mouse->fetchState();
  StepDelta();
  Update();
  Draw();
  sparkles.Update();
  TSpark::UpdateAll();
  TCometEmiter::updateAll();
  TRingEmiter::UpdateAll();
}

int32_t TTutorial::show(int32_t fromLevel) {
  if (!profile || profile->GetNumber(u"showTutorial") == 0) return 0;
  loadGfx();
  const int32_t savedCellSize = board ? board->cellSize : 0;
  if (board) board->cellSize = kTutorialCellSize;

  demoTicks = 0;
  demoPhase = kRowVariant;
  demoAngle2 = 0.0f;
  demoTicks2 = 0;
  spinAngle = 0;
  spinHold = 0;
  timerFrame = kLastTimerFrame;
  timerStepMs = MilliSecs();
  timerImage = nullptr;
  if (timeManager && timeManager->frameImages[kLastTimerFrame])
    timerImage = LoadImage(timeManager->frameImages[kLastTimerFrame], -1);
  timerFilling = 0;
  hintTimers = {};
  hintFlags = {};

  TMagicSphereEmiter sparkles;
  sparkles.centreX = kSparklesX;
  sparkles.centreY = kSparklesY;
  sparkles.maxRadius = kSparklesRadius;

  AudioStreamPtr music = TutorialMusic(fromLevel);
  auto fadeFrame = [&](float alpha) {
    pageFrame(music, sparkles);
    DrawFadeCover(alpha);
    DrawTutorialCursor();
    Flip(-1);
    PollSystem();
  };
  if (fromLevel == 0) RunFade(true, fadeFrame);

  bool quit = false, done = false;
  while (!quit && !done) {
    pageFrame(music, sparkles);
    DrawTutorialCursor();
    Flip(-1);
    if (AppTerminate() != 0) quit = true;
    if (KeyHit(kEscKey) != 0) done = true;
    if (overPlay == 1 && mouse && mouse->hit1 != 0) {
      done = true;
      if (globalSnd) globalSnd->click();
    }
    PollSystem();
  }

  if (fromLevel == 0) {
    RunFade(false, fadeFrame);
    if (music) {
      music->stop();
      music->free();
    }
    music = nullptr;
  }
  if (board) board->cellSize = savedCellSize;
  // The caller ends the program on this; the screen releases nothing.
  if (quit) return 1;

  if (mouse) mouse->fetchState();
  TSpark::destroyAll();
  cometList->Clear();
  ringEmiterList->Clear();
  free();
  return 0;
}

void TTutorial::bossFrame(const AudioStreamPtr& music) {
  if (music) music->update();
  if (mouse) mouse->fetchState();
  StepDelta();
  update2();
  draw2();
  TSpark::UpdateAll();
  TCometEmiter::updateAll();
}

int32_t TTutorial::show2(int32_t fromLevel) {
  if (tutorial) tutorial->loadGfx2();
  TSpark::destroyAll();
  cometList->Clear();
  AudioStreamPtr music = TutorialMusic(fromLevel);
  bossValues = {};
  const int32_t savedCellSize = board ? board->cellSize : 0;
  if (board) board->cellSize = kTutorialCellSize;
  demoPhase = 1;
  // The first frame's delta must not hold the time spent loading.
  if (deltaTime) deltaTime->Update();

  auto fadeFrame = [&](float alpha) {
    bossFrame(music);
    DrawFadeCover(alpha);
    DrawTutorialCursor();
    Flip(-1);
    PollSystem();
  };
  if (fromLevel == 0) RunFade(true, fadeFrame);

  bool closed = false, leave = false;
  while (!closed && !leave) {
    bossFrame(music);
    DrawTutorialCursor();
    Flip(-1);
    if (AppTerminate() != 0) closed = true;
    if (KeyHit(kEscKey) != 0) leave = true;
    if (overPlay == 1 && mouse && mouse->hit1 != 0) leave = true;
    PollSystem();
  }

  if (fromLevel == 0) RunFade(false, fadeFrame);
  if (board) board->cellSize = savedCellSize;
  if (fromLevel == 0 && music) {
    music->stop();
    music->free();
  }
  music = nullptr;
  if (closed) End();

  if (mouse) mouse->fetchState();
  TSpark::destroyAll();
  cometList->Clear();
  return 0;
}
