// The story parts we ship: each plays to its end by clicks on Next without a notice, its
// pictures cover the band between the top ornament and the panel, its voice lasts until it is
// stopped, and its lines fit the parchment in letters the font has.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "platform/image_font.h"
#include "platform/sound.h"
#include "story_fixtures.h"

namespace {

using namespace story_test;

constexpr int kShippedParts = 3;
// The band every picture must cover, and where the text must stay.
constexpr int kBandTop = 80, kBandBottom = 381;
constexpr int kLinesX = 105, kParchmentTextRight = 695, kButtonsTop = 572;

struct ShippedPage {
  std::string picture;  // "<<" resolved to the path it shares
  bool shared = false;
  int posY = 0, time = 0;
  std::vector<String> lines;
};

struct ShippedPart {
  String voice;
  int voiceStopAfter = 0;
  std::vector<ShippedPage> pages;
};

ShippedPart ReadPart(int n) {
  ShippedPart part;
  TSCFilePtr tsc = CreateTSCFile();
  EXPECT_EQ(LoadTSCFileBB(tsc, "data/story.bca", S("part-") + FromInt(n) + S(".tsc")), 1) << n;
  const String group = S("Story") + FromInt(n);
  EXPECT_FALSE(GetTSCStringKey(tsc, group, S("Music")).empty()) << n;
  part.voice = GetTSCStringKey(tsc, group, S("Voice"));
  part.voiceStopAfter = GetTSCWholeNumberKey(tsc, group, S("voiceStopAfter"));
  const int pages = GetTSCWholeNumberKey(tsc, group, S("Pages"));
  for (int i = 1; i <= pages; ++i) {
    const String page = group + S("::Page") + FromInt(i);
    ShippedPage p;
    p.picture = ToPath(GetTSCStringKey(tsc, page, S("Picture")));
    if (i > 1 && p.picture == "<<") {
      p.picture = part.pages.back().picture;
      p.shared = true;
    }
    p.posY = GetTSCWholeNumberKey(tsc, page, S("PosY"));
    p.time = GetTSCWholeNumberKey(tsc, page, S("Time"));
    const int lines = GetTSCWholeNumberKey(tsc, page, S("Lines"));
    for (int k = 1; k <= lines; ++k) p.lines.push_back(GetTSCStringKey(tsc, page, S("Line") + FromInt(k)));
    part.pages.push_back(p);
  }
  return part;
}

class ShippedStory : public StoryTest {
 protected:
  void SetUp() override {
    StoryTest::SetUp();
    bundleDir = "";  // the game folder itself
  }
};

TEST_F(ShippedStory, EveryPartPlaysToItsEndByClicksOnNextWithoutANotice) {
  for (int n = 1; n <= kShippedParts; ++n) {
    SCOPED_TRACE(n);
    const size_t pages = ReadPart(n).pages.size();
    Prepare();
    // One click a second: every page, then twice on the last.
    for (size_t k = 0; k <= pages + 1; ++k) ClickNextAtLoop(10 + 60 * static_cast<int>(k));
    const size_t boxes = headless::MessageBoxes().size();
    StoryRun run = Play(n);
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.frames, kFramesBeforePages + 10 + 60 * static_cast<int>(pages) + 1 + kClosingFrames);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(headless::MessageBoxes().size(), boxes);
  }
}

TEST_F(ShippedStory, PicturesCoverTheBandBetweenTheOrnamentAndThePanel) {
  bool pan = false;
  for (int n = 1; n <= kShippedParts; ++n) {
    const ShippedPart part = ReadPart(n);
    EXPECT_GE(part.pages.size(), 4u) << n;
    EXPECT_LE(part.pages.size(), 6u) << n;
    for (size_t i = 0; i < part.pages.size(); ++i) {
      const ShippedPage& p = part.pages[i];
      SCOPED_TRACE(testing::Message() << "part " << n << " page " << i + 1 << " " << p.picture);
      PixmapPtr picture = LoadPixmap(p.picture);
      ASSERT_TRUE(picture);
      EXPECT_EQ(picture->width, 800);
      EXPECT_LE(p.posY, kBandTop);
      EXPECT_GE(p.posY + picture->height, kBandBottom);
      pan |= p.shared && p.posY != part.pages[i - 1].posY;
    }
  }
  EXPECT_TRUE(pan) << "no page pans a shared picture";
}

TEST_F(ShippedStory, VoicesLastUntilTheyAreStopped) {
  for (int n = 1; n <= kShippedParts; ++n) {
    SCOPED_TRACE(n);
    const ShippedPart part = ReadPart(n);
    ASSERT_FALSE(part.voice.empty());
    EXPECT_GT(part.voiceStopAfter, 0);
    SoundPtr voice = LoadSound(ToPath(part.voice), 0);
    ASSERT_TRUE(voice && voice->data);
    const int64_t ms = voice->data->Frames() * 1000 / kMixRate;
    EXPECT_GE(ms, part.voiceStopAfter) << "the voice would loop before it is stopped";
  }
}

// True when `c` alone leaves ink: the font has a glyph for it (a missing one draws nothing).
bool InkedAlone(char16_t c) {
  SetClsColor(255, 255, 255);
  Cls();
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  SetColor(0, 0, 0);
  DrawText(String(1, c), 10.0f, 10.0f);
  SetColor(255, 255, 255);
  PixmapPtr shot = headless::CaptureBackBuffer();
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      if (test_support::Red(ReadPixel(shot, x, y)) < 128) return true;
  return false;
}

TEST_F(ShippedStory, LinesFitTheParchmentAboveTheButtons) {
  ImageFontPtr font = LoadImageFont("gfx/fonts/Lombardic.ttf", 22, SMOOTHFONT);
  ASSERT_TRUE(font);
  SetImageFont(font);
  bool fiveLines = false, waits = false;
  std::set<char16_t> glyphs;  // the characters checked so far
  for (int n = 1; n <= kShippedParts; ++n) {
    const ShippedPart part = ReadPart(n);
    for (size_t i = 0; i < part.pages.size(); ++i) {
      const ShippedPage& p = part.pages[i];
      SCOPED_TRACE(testing::Message() << "part " << n << " page " << i + 1);
      EXPECT_LE(p.lines.size(), 6u);
      int y = p.lines.size() > 4 ? 425 : 440;
      for (const String& line : p.lines) {
        for (char16_t c : line) {
          if (c != u' ' && glyphs.insert(c).second) {
            EXPECT_TRUE(InkedAlone(c)) << "the font has no '" << ToUtf8(String(1, c)) << "'";
          }
        }
        EXPECT_LE(kLinesX + TextWidth(line), kParchmentTextRight) << ToUtf8(line);
        y += TextHeight(line);
      }
      EXPECT_LE(y, kButtonsTop);
      fiveLines |= p.lines.size() == 5;
      waits |= p.time < 0;
    }
  }
  EXPECT_TRUE(fiveLines) << "no five-line page";
  EXPECT_TRUE(waits) << "no page waits for the player";
}

}  // namespace
