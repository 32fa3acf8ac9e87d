// Story parts made in a test: an archive data/story.bca in the test's home folder, one-colour
// page pictures, the screen's own pictures and font from the built game folder, and a run of
// showStory on the virtual clock that records one screen pixel per frame.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../../tools/bcapack/bca_encoder.h"
#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/pixmap.h"
#include "platform/system.h"
#include "screens/story/story.h"
#include "program/loading.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"

namespace story_test {

using test_support::Argb;
using test_support::Output;

// Frames before the page loop: the loading frame and the 31 frames of the fade to page 1.
constexpr int kFramesBeforePages = 1 + 31;
// The closing fade to black.
constexpr int kClosingFrames = 21;
// Inside the picture band, away from the text and the buttons.
constexpr int kPictureX = 400, kPictureY = 200;
// Over the buttons' hover boxes.
constexpr int kNextX = 440, kSkipX = 350, kButtonY = 580;

constexpr uint32_t kLoadingColour = 0xFF20C0C0u;

// Writes `text` as entry `name` of bundleDir's data/story.bca, with the other entries given.
inline void WriteArchive(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> packed;
  for (const auto& [name, text] : entries)
    packed.emplace_back(name + ".bbc", bca::EncodeEntry(std::vector<uint8_t>(text.begin(), text.end())));
  const std::string path = bundleDir + "data/story.bca";
  std::filesystem::create_directories(bundleDir + "data");
  const std::vector<uint8_t> bytes = bca::BuildArchive(packed);
  ASSERT_TRUE(SaveBytesSafely(path, bytes)) << path;
}

// A 800 x 400 picture, `top` above y 200 and `bottom` below; returns its path.
inline std::string Picture(const std::string& name, uint32_t top, uint32_t bottom) {
  PixmapPtr pixmap = CreatePixmap(800, 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 800; ++x) WritePixel(pixmap, x, y, y < 200 ? top : bottom);
  const std::string path = test_support::TempHome() + "/" + name + ".png";
  EXPECT_TRUE(SavePixmapPNG(pixmap, path)) << path;
  return path;
}
inline std::string Picture(const std::string& name, uint32_t colour) {
  return Picture(name, colour, colour);
}

// One page of a part file.
struct Page {
  std::string picture;
  int posY = 0;
  int time = -1;
  std::vector<std::string> lines;
};

// The text of part `n`: its pages, and the group's own keys given as text.
inline std::string PartText(int n, const std::vector<Page>& pages, const std::string& partKeys = "") {
  std::string text = "Story" + std::to_string(n) + "{\n\tMusic=\"x.ogg\"\n";
  text += partKeys.empty() ? "\tPages=" + std::to_string(pages.size()) + "\n" : partKeys;
  for (size_t i = 0; i < pages.size(); ++i) {
    const Page& p = pages[i];
    text += "\tPage" + std::to_string(i + 1) + "{\n\t\tPicture=\"" + p.picture + "\"\n\t\tPosY=" +
            std::to_string(p.posY) + "\n\t\tLines=" + std::to_string(p.lines.size()) +
            "\n\t\tTime=" + std::to_string(p.time) + "\n";
    for (size_t k = 0; k < p.lines.size(); ++k)
      text += "\t\tLine" + std::to_string(k + 1) + "=\"" + p.lines[k] + "\"\n";
    text += "\t}\n";
  }
  return text + "}\n";
}

// What a run of showStory left: its result, the frames it showed, the recorded pixel of each
// frame (index = frame number counted from the run's start, 1 for the first flip), and what it
// printed.
struct StoryRun {
  int32_t result = -1;
  int frames = 0;
  std::vector<uint32_t> pixels{0};
  std::string output;

  // The pixel of loop frame k (1 for the page loop's first frame).
  uint32_t Loop(int k) const { return pixels.at(static_cast<size_t>(kFramesBeforePages + k)); }
};

class StoryTest : public testing::Test {
 protected:
  void SetUp() override {
    test_support::OpenScreen();
    bundleDir = test_support::TempHome() + "/";
    myDocsFolder = test_support::TempHome() + "/docs";
    // The screen's own pictures, font and music come from the built game folder.
    std::error_code ec;
    for (const char* folder : {"gfx", "sfx"})
      std::filesystem::create_directory_symlink(test_support::GameDir() + "/" + folder, bundleDir + folder, ec);
    mouse = std::make_shared<TMouse>();
    deltaTime = TDeltaTime::Create(60.0f);
    options = std::make_shared<TOptions>();
    options->musicVol = 1.0f;
    songManager = std::make_shared<TSongManager>();
    globalSnd = std::make_shared<TGlobalSnd>();
    loading = std::make_shared<TLoading>();
    loading->screenImage = test_support::SolidImage(300, 60, kLoadingColour);
    MidHandleImage(loading->screenImage);
    headless::SetFrameCap(headless::FrameNumber() + 5000);
  }
  void TearDown() override { headless::SetFrameCallback(nullptr); }

  // Schedules input relative to the run's start: frame numbers are counted like StoryRun's.
  int At(int frame) const { return start_ + frame; }
  int AtLoop(int k) const { return At(kFramesBeforePages + k); }
  void ClickAt(int frame, int x, int y) const {
    headless::MouseMoveAt(frame, x, y);
    headless::MouseClickAt(frame, 1);
  }
  void ClickNextAtLoop(int k) const { ClickAt(AtLoop(k), kNextX, kButtonY); }
  void ClickSkipAtLoop(int k) const { ClickAt(AtLoop(k), kSkipX, kButtonY); }

  // Marks where the run will start, with no input left over from an earlier run; input is
  // scheduled after this.
  void Prepare() {
    headless::ClearScript();
    FlushKeys();
    FlushMouse();
    start_ = headless::FrameNumber();
  }

  // Plays part `part` and records the pixel (x, y) of every frame shown.
  StoryRun Play(int32_t part, int32_t fadeIn = 0, int x = kPictureX, int y = kPictureY,
           const std::function<void(int)>& each = nullptr) {
    StoryRun run;
    const int start = start_;
    headless::SetFrameCallback([&run, start, x, y, each](int frame) {
      run.pixels.push_back(test_support::ScreenPixel(x, y));
      if (each) each(frame - start);
    });
    run.output = Output([&] { run.result = showStory(part, fadeIn); });
    headless::SetFrameCallback(nullptr);
    run.frames = headless::FrameNumber() - start;
    return run;
  }

 private:
  int start_ = 0;
};

}  // namespace story_test
