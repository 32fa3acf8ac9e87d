#include "services/delta_time.h"

#include "platform/system.h"

TListPtr<DeltaTimePtr> TDeltaTime::DeltaTList;
DeltaTimePtr deltaTime;
double delta = 0.0;

DeltaTimePtr TDeltaTime::Construct() {
  auto timer = std::make_shared<TDeltaTime>();
  if (!DeltaTList) DeltaTList = CreateList<DeltaTimePtr>();
  DeltaTList->AddLast(timer);
  return timer;
}

DeltaTimePtr TDeltaTime::Create(float fps) {
  DeltaTimePtr timer = Construct();
  timer->targetFps = fps;
  timer->frameMs = 1000.0f / fps;
  return timer;
}

void TDeltaTime::Destroy() {
  if (!DeltaTList) return;
  DeltaTList->RemoveIf([this](const DeltaTimePtr& t) { return t.get() == this; });
}

void TDeltaTime::Update() {
  nowMs = MilliSecs();
  deltaMs = ElapsedMs(nowMs, lastMs);
  lastMs = nowMs;
  // The clock may wrap: "after" is judged on the signed difference.
  if (ElapsedMs(nowMs, nextSecondMs) > 0) {
    nextSecondMs = static_cast<int32_t>(static_cast<uint32_t>(nowMs) + 1000u);
    fps = frameCount;
    frameCount = 0;
  } else {
    ++frameCount;
  }
}

int32_t TDeltaTime::FPS() const { return fps; }

float TDeltaTime::CurrDelta() const { return static_cast<float>(deltaMs) / frameMs; }

void TDeltaTime::SetFPS(float fps) {
  targetFps = fps;
  frameMs = 1000.0f / fps;
}
