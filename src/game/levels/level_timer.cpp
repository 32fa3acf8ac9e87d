#include "game/levels/level_timer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "services/data_folders.h"
#include "game/board/board_manager.h"
#include "platform/system.h"
#include "toolkit/container.h"

TimeManagerPtr timeManager;

void TTimeManager::LoadResources() {
  timerImage = LoadImage(bundleDir + "gfx/timer/timer.png");
  for (int32_t i = 0; i < kFrames; ++i)
    frameImages[static_cast<size_t>(i)] =
        LoadPixmap(bundleDir + "gfx/timer/frame" + std::to_string(kFrames - i) + ".png");
  frameImage = frameImages[0] ? LoadImage(frameImages[0]) : nullptr;
}

void TTimeManager::Load(const TSCFilePtr& tsc) {
  const float seconds = GetTSCNumberKey(tsc, S("Settings::Level"), S("Time"), 0);
  // A limit beyond the int range (a damaged or hand-made file) is held at its end rather than
  // converted out of range; a value that is not a number gives no limit.
  const float ms = seconds * 1000.0f;
  if (std::isnan(ms)) {
    Set(0);
  } else if (ms >= 2147483648.0f) {
    Set(INT32_MAX);
  } else if (ms < -2147483648.0f) {
    Set(INT32_MIN);
  } else {
    Set(static_cast<int32_t>(ms));
  }
}

void TTimeManager::LoadFromProfile(int32_t saved) {
  startTime =
      static_cast<int32_t>(static_cast<uint32_t>(MilliSecs()) - static_cast<uint32_t>(saved));
  refilling = 0;
  Update();
}

int32_t TTimeManager::SaveToProfile() { return elapsed; }

void TTimeManager::Set(int32_t newLimit) { limit = newLimit; }

void TTimeManager::DrawAndUpdate() {
  Update();
  Draw(1);
  CheckGameOver();
}

void TTimeManager::Update() {
  const int32_t now = MilliSecs();
  // A level without a limit has no frames to refill: the refill ends at once and its time runs
  // from the reset, so that the time played is counted.
  if (refilling != 0 && limit <= 0) refilling = 0;
  if (paused == 0 && refilling == 0) elapsed = std::max(0, ElapsedMs(now, startTime));
  if (limit <= 0) return;
  if (elapsed > limit) elapsed = limit;
  // 64-bit product: the same whole frames, and no overflow for limits beyond 2^31 / 29 ms.
  auto f = static_cast<int32_t>(static_cast<int64_t>(elapsed) * 29 / limit);
  if (refilling != 0) {
    f = 29 - ElapsedMs(now, refillStart) / kRefillStepMs;
    if (f > 29) f = 29;
    if (f < 0) {
      f = 0;
      refilling = 0;
    }
  }
  if (f != frame || !frameImage) {
    frame = f;
    const PixmapPtr& pixmap = frameImages[static_cast<size_t>(f)];
    frameImage = pixmap ? LoadImage(pixmap) : nullptr;
  }
}

void TTimeManager::Draw(int32_t withRopes) {
  SetBlend(ALPHABLEND);
  SetTransform(0.0f, 1.0f, 1.0f);
  SetAlpha(1.0f);
  if (withRopes != 0) {
    const ImagePtr rope = data ? data->GetImage(5000) : nullptr;
    if (rope) {
      DrawImage(rope, static_cast<float>(x + 24), static_cast<float>(y + 100), 0);
      DrawImage(rope, static_cast<float>(x + 82), static_cast<float>(y + 100), 0);
    }
  }
  if (timerImage) DrawImage(timerImage, static_cast<float>(x), static_cast<float>(y), 0);
  if (limit > 0 && frameImage)
    DrawImage(frameImage, static_cast<float>(x + 17), static_cast<float>(y + 17), 0);
}

void TTimeManager::DrawWithoutRope() { Draw(0); }

void TTimeManager::PauseOn() { paused = 1; }

void TTimeManager::PauseOff() {
  if (paused == 0) return;
  startTime =
      static_cast<int32_t>(static_cast<uint32_t>(MilliSecs()) - static_cast<uint32_t>(elapsed));
  paused = 0;
  Update();
}

void TTimeManager::Reset(int32_t refill) {
  startTime = MilliSecs();
  Update();
  if (refill != 0) {
    refilling = 1;
    refillStart = MilliSecs();
  }
}

int32_t TTimeManager::TimeOver() { return limit > 0 && elapsed >= limit ? 1 : 0; }

void TTimeManager::CheckGameOver() {
  if (limit > 0 && TimeOver() == 1 && board) board->gameOver = 1;
}
