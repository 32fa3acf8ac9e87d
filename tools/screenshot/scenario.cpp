// The scenario registry and the capture context of the screenshot runner.
#include "scenario.h"

#include <cstdio>
#include <utility>

#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/image_font.h"
#include "support/board_game.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace screenshot {

void LoadScrollResources() {
  test_support::LoadScrollFontsAndSparks();
  data->Add(LoadImageFont("gfx/fonts/OldLondon.ttf", 28, SMOOTHFONT), 4000);
}

void DrawDuskyBackdrop() {
  SetTransform(0, 1, 1);
  SetBlend(SOLIDBLEND);
  SetAlpha(1.0f);
  for (int y = 0; y < 600; y += 4) {
    SetColor(18 + y / 30, 14 + y / 50, 48 + y / 10);
    DrawRect(0, static_cast<float>(y), 800, 4);
  }
}

void DrawWholeScreen(const ImagePtr& picture) {
  SetBlend(SOLIDBLEND);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  SetTransform(0, 1, 1);
  DrawImage(picture, 0, 0, 0);
}

std::map<std::string, Scenario>& Scenarios() {
  static std::map<std::string, Scenario> scenarios;
  return scenarios;
}

Registrar::Registrar(ScenarioFunction run, const char* name, const char* description) {
  auto [it, added] = Scenarios().emplace(name, Scenario{description, run});
  if (!added) std::fprintf(stderr, "screenshot: scenario \"%s\" is defined twice\n", name);
}

Context::Context(std::string outDir) : outDir_(std::move(outDir)) {
  headless::SetFrameCallback([this](int frame) { frameShown(frame); });
}

Context::~Context() { headless::SetFrameCallback(nullptr); }

bool Context::capture(const std::string& name) {
  std::string path = outDir_ + "/" + name;
  if (!headless::CaptureBackBufferPNG(path)) {
    std::fprintf(stderr, "screenshot: could not write %s (is the screen open?)\n", path.c_str());
    failed_.push_back(name);
    return false;
  }
  written_.push_back(path);
  return true;
}

void Context::capture(int frame, const std::string& name) { pending_.emplace(frame, name); }

void Context::onFrame(std::function<void(int frame)> callback) { onFrame_ = std::move(callback); }

void Context::frameShown(int frame) {
  // A frame to be shot is drawn whole even when the run leaves most frames' pixels alone.
  if (pending_.count(frame + 1) != 0) headless::DrawNextFrame();
  auto range = pending_.equal_range(frame);
  for (auto it = range.first; it != range.second; ++it) capture(it->second);
  pending_.erase(range.first, range.second);
  if (onFrame_) onFrame_(frame);
}

std::vector<std::string> Context::missing() const {
  std::vector<std::string> out = failed_;
  for (const auto& [frame, name] : pending_) out.push_back(name + " (frame " + std::to_string(frame) + ")");
  return out;
}

}  // namespace screenshot
