// The story screen on the virtual clock and the input script, with parts built in the test:
// the opening, page timers, Next and Skip, the cross-fades, the voice, and the parts it refuses.
#include <gtest/gtest.h>

#include <algorithm>

#include "story_fixtures.h"

namespace {

using namespace story_test;

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlack = 0xFF000000u;
const char* const kShippedSound = "sfx/eve/v-wdone.ogg";  // any Ogg of the game folder

// The loop frame the story has left in: its frames without the opening and the closing.
int LoopFrames(const StoryRun& run) { return run.frames - kFramesBeforePages - kClosingFrames; }

class StoryPlayer : public StoryTest {
 protected:
  // Part 1 of the given pages, ended by Escape at loop frame `escapeAt` unless it ends earlier.
  StoryRun PlayPages(const std::vector<Page>& pages, int escapeAt, int x = kPictureX, int y = kPictureY) {
    WriteArchive({{"part-1.tsc", PartText(1, pages)}});
    Prepare();
    headless::KeyPressAt(AtLoop(escapeAt), KEY_ESCAPE);
    return Pending(x, y);
  }
  // Plays part 1 with the input the caller scheduled after Prepare.
  StoryRun Pending(int x = kPictureX, int y = kPictureY) { return Play(1, 0, x, y); }
};

TEST_F(StoryPlayer, OpensOverTheUnclearedScreenOnlyWithFadeIn) {
  const std::string a = Picture("a", kRed);
  for (int fadeIn : {0, 1}) {
    SCOPED_TRACE(fadeIn);
    WriteArchive({{"part-1.tsc", PartText(1, {{a, 0, -1, {}}})}});
    SetClsColor(255, 255, 255);
    Cls();
    SetClsColor(0, 0, 0);
    Prepare();
    headless::KeyPressAt(At(21 * fadeIn + kFramesBeforePages + 3), KEY_ESCAPE);
    StoryRun run = Play(1, fadeIn, 10, 300);  // beside the loading picture
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.frames, 21 * fadeIn + kFramesBeforePages + 3 + kClosingFrames);
    if (fadeIn == 1) {
      EXPECT_EQ(run.pixels[1], 0xFFFFFFFFu);  // alpha 0: the old screen as it was
      EXPECT_LT(test_support::Red(run.pixels[10]), 255);
      EXPECT_GT(test_support::Red(run.pixels[10]), 0);  // darkening, step by step
      EXPECT_EQ(run.pixels[21], kBlack);
    }
    EXPECT_EQ(run.pixels[static_cast<size_t>(21 * fadeIn + 1)], kBlack);  // the loading frame
  }
}

TEST_F(StoryPlayer, TheLoadingPictureFadesIntoTheFirstPage) {
  const std::string a = Picture("a", kRed);
  WriteArchive({{"part-1.tsc", PartText(1, {{a, 0, -1, {}}})}});
  Prepare();
  headless::KeyPressAt(AtLoop(2), KEY_ESCAPE);
  StoryRun run = Play(1, 0, 400, 300);  // the loading picture's centre, over the first picture
  EXPECT_EQ(run.pixels[1], kLoadingColour);
  EXPECT_EQ(run.pixels[2], kLoadingColour);  // fade frame i = 0
  EXPECT_EQ(run.Loop(1), kRed);
  const uint32_t half = run.pixels[1 + 16];
  EXPECT_GT(test_support::Red(half), test_support::Red(kLoadingColour));
  EXPECT_GT(test_support::Green(half), 0);
}

TEST_F(StoryPlayer, ATimerTurnsItsPageOnceMoreThanItsTimeHasPassedAndANegativeTimeWaits) {
  const std::string a = Picture("a", kRed), b = Picture("b", kBlue);
  StoryRun zero = PlayPages({{a, 0, 0, {}}, {b, 0, -1, {}}}, 80);
  EXPECT_EQ(zero.Loop(1), kRed);  // no time has passed in the first frame
  EXPECT_EQ(zero.Loop(2), kRed);  // 16 ms: the page step comes after the picture
  EXPECT_NE(zero.Loop(3), kRed);  // the second picture starts to fade in
  EXPECT_EQ(zero.Loop(60), kBlue);

  StoryRun waiting = PlayPages({{a, 0, -1, {}}, {b, 0, -1, {}}}, 300);
  EXPECT_EQ(waiting.Loop(300), kRed);
}

TEST_F(StoryPlayer, OneClickOnNextStopsEveryLaterTimer) {
  const std::string a = Picture("a", kRed), b = Picture("b", kBlue), c = Picture("c", kGreen);
  WriteArchive({{"part-1.tsc", PartText(1, {{a, 0, -1, {}}, {b, 0, 100, {}}, {c, 0, 100, {}}})}});
  Prepare();
  ClickNextAtLoop(5);
  headless::KeyPressAt(AtLoop(200), KEY_ESCAPE);
  StoryRun run = Pending();
  EXPECT_EQ(run.Loop(7), kRed);  // the click's step comes in the frame after it is seen
  EXPECT_NE(run.Loop(8), kRed);
  EXPECT_EQ(run.Loop(200), kBlue);  // page 2's 100 ms never turned it
}

TEST_F(StoryPlayer, TheLastPageIsLeftByOneClickAfterItsTimerOrTwoWhenClickedThrough) {
  const std::string a = Picture("a", kRed);
  struct Case {
    const char* name;
    int time;
    std::vector<int> clicks;
    int leftAfter;  // loop frames
  };
  const Case cases[] = {
      {"after the timer", 100, {20}, 21},
      {"clicked through", -1, {10, 20}, 21},
      {"one click is not enough", -1, {10}, 40},  // Escape at 40 ends it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteArchive({{"part-1.tsc", PartText(1, {{a, 0, c.time, {}}})}});
    Prepare();
    for (int k : c.clicks) ClickNextAtLoop(k);
    headless::KeyPressAt(AtLoop(40), KEY_ESCAPE);
    StoryRun run = Pending();
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(LoopFrames(run), c.leftAfter);
  }
}

TEST_F(StoryPlayer, ASharedPictureJumpsToItsNewHeightWhereTwoLoadsOfOneFileCrossFade) {
  const std::string split = Picture("split", kRed, kBlue);
  // At y 150: the picture's row 150 (red) at PosY 0, its row 250 (blue) at PosY -100.
  StoryRun shared = PlayPages({{split, 0, 0, {"one"}}, {"<<", -100, -1, {"two"}}}, 80, kPictureX, 150);
  EXPECT_EQ(shared.Loop(2), kRed);
  EXPECT_EQ(shared.Loop(3), kBlue);

  StoryRun twice = PlayPages({{split, 0, 0, {}}, {split, -100, -1, {}}}, 80, kPictureX, 150);
  EXPECT_EQ(twice.Loop(2), kRed);
  EXPECT_NE(twice.Loop(3), kBlue);
  EXPECT_NE(twice.Loop(3), kRed);
  EXPECT_EQ(twice.Loop(60), kBlue);
}

TEST_F(StoryPlayer, ButtonsAnswerOnlyInsideTheirHoverBoxes) {
  const std::string a = Picture("a", kRed), b = Picture("b", kBlue);
  struct Case {
    int x, y;
    bool leaves;  // a click there is on Skip
  };
  const Case skips[] = {{319, 580, false}, {320, 580, true}, {382, 580, true}, {383, 580, false},
                        {350, 572, false}, {350, 573, true}, {350, 591, true}, {350, 592, false}};
  for (const Case& c : skips) {
    SCOPED_TRACE(testing::Message() << "skip " << c.x << ", " << c.y);
    WriteArchive({{"part-1.tsc", PartText(1, {{a, 0, -1, {}}, {b, 0, -1, {}}})}});
    Prepare();
    ClickAt(AtLoop(10), c.x, c.y);
    headless::KeyPressAt(AtLoop(40), KEY_ESCAPE);
    StoryRun run = Pending();
    EXPECT_EQ(LoopFrames(run), c.leaves ? 11 : 40);
  }
  const Case nexts[] = {{413, 580, false}, {414, 580, true}, {470, 580, true}, {471, 580, false}};
  for (const Case& c : nexts) {
    SCOPED_TRACE(testing::Message() << "next " << c.x << ", " << c.y);
    WriteArchive({{"part-1.tsc", PartText(1, {{a, 0, -1, {}}, {b, 0, -1, {}}})}});
    Prepare();
    ClickAt(AtLoop(10), c.x, c.y);
    headless::KeyPressAt(AtLoop(80), KEY_ESCAPE);
    StoryRun run = Pending();
    EXPECT_EQ(run.Loop(80), c.leaves ? kBlue : kRed);
  }
}

TEST_F(StoryPlayer, AButtonTurnsGreyOneFrameAfterThePointerComesOverIt) {
  const std::string a = Picture("a", kRed);
  WriteArchive({{"part-1.tsc", PartText(1, {{a, 0, -1, {}}})}});
  Prepare();
  headless::MouseMoveAt(AtLoop(10), kNextX, kButtonY);
  headless::KeyPressAt(AtLoop(20), KEY_ESCAPE);
  StoryRun run = Pending(kNextX + 20, kButtonY);
  const uint32_t plain = run.Loop(11);  // seen in frame 11, tested after its drawing
  EXPECT_EQ(run.Loop(10), plain);
  const uint32_t grey = run.Loop(12);
  for (auto channel : {test_support::Red, test_support::Green, test_support::Blue})
    EXPECT_NEAR(channel(grey), channel(plain) * 200 / 255, 2);
}

TEST_F(StoryPlayer, AModifierClickOrSpaceIsNoClickOnTheButtons) {
  const std::string a = Picture("a", kRed), b = Picture("b", kBlue);
  for (int key : {KEY_LCONTROL, KEY_LSHIFT, KEY_LALT, KEY_SPACE}) {
    SCOPED_TRACE(key);
    WriteArchive({{"part-1.tsc", PartText(1, {{a, 0, -1, {}}, {b, 0, -1, {}}})}});
    Prepare();
    headless::MouseMoveAt(AtLoop(5), kNextX, kButtonY);
    if (key == KEY_SPACE) {
      headless::KeyPressAt(AtLoop(10), KEY_SPACE);
    } else {
      headless::KeyAt(AtLoop(9), key, true);
      headless::MouseClickAt(AtLoop(10), 1);
      headless::KeyAt(AtLoop(12), key, false);
    }
    headless::KeyPressAt(AtLoop(60), KEY_ESCAPE);
    StoryRun run = Pending();
    EXPECT_EQ(run.Loop(60), kRed);
  }
}

TEST_F(StoryPlayer, SkipAndEscapeCloseAlikeWithAFadeToBlackAndResultZero) {
  const std::string a = Picture("a", kRed);
  for (bool skip : {true, false}) {
    SCOPED_TRACE(skip ? "skip" : "escape");
    WriteArchive({{"part-1.tsc", PartText(1, {{a, 0, -1, {}}})}});
    Prepare();
    if (skip) {
      ClickSkipAtLoop(9);
    } else {
      headless::KeyPressAt(AtLoop(10), KEY_ESCAPE);
    }
    StoryRun run = Pending();
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(LoopFrames(run), 10);
    const size_t closing = static_cast<size_t>(run.frames - kClosingFrames + 1);
    EXPECT_EQ(run.pixels[closing], kRed);  // alpha 0
    EXPECT_NE(run.pixels[closing + 10], kRed);
    EXPECT_EQ(run.pixels.back(), kBlack);
    MusicFilePtr music = songManager->findSong(bundleDir + "sfx/runes-lost-in-velmar.ogg");
    ASSERT_TRUE(music);
    EXPECT_EQ(ChannelPlaying(music->channel), 0);
    int r = 0, g = 0, b = 0;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
  }
}

TEST_F(StoryPlayer, TheVoiceIsStoppedOnceItsStopTimeHasPassedWhateverThePage) {
  const std::string a = Picture("a", kRed), b = Picture("b", kBlue);
  WriteArchive({{"part-1.tsc",
                 PartText(1, {{a, 0, 3000, {}}, {b, 0, -1, {}}},
                          std::string("\tPages=2\n\tVoice=\"") + kShippedSound +
                              "\"\n\tvoiceStopAfter=12000\n")}});
  Prepare();
  headless::KeyPressAt(AtLoop(800), KEY_ESCAPE);
  int32_t voiceStart = 0, previousFlip = 0;
  int playingFrames = 0, stoppedFrames = 0;
  StoryRun run = Play(1, 0, kPictureX, kPictureY, [&](int frame) {
    const int32_t now = MilliSecs();
    if (frame == kFramesBeforePages) voiceStart = now;  // the voice starts after this flip
    if (frame > kFramesBeforePages && frame <= kFramesBeforePages + 800) {
      MusicFilePtr voice = songManager->findSong(kShippedSound);
      ASSERT_TRUE(voice && voice->channel);
      // Each frame's voice step runs after its flip, at that flip's time.
      const bool due = ElapsedMs(previousFlip, voiceStart) > 12000;
      EXPECT_EQ(ChannelPlaying(voice->channel), due ? 0 : 1) << frame;
      (due ? stoppedFrames : playingFrames) += 1;
    }
    previousFlip = now;
  });
  EXPECT_EQ(run.result, 0);
  EXPECT_GT(playingFrames, 700);
  EXPECT_GT(stoppedFrames, 50);
}

TEST_F(StoryPlayer, APartThatCannotPlayIsNamedAndLeftAfterTheLoadingFrame) {
  const std::string a = Picture("a", kRed);
  struct Case {
    const char* name;
    std::string text;  // the entry part-1.tsc; "" for none
    const char* said;
  };
  const Case cases[] = {
      {"no entry", "", "Story part 1 is not shown"},
      {"a text that does not load", "Story1{ Pages=1 ", "Story part 1 is not shown"},
      {"no pages", PartText(1, {{a, 0, -1, {}}}, "\tPages=0\n"), "it has no pages (Pages 0)"},
      {"negative pages", PartText(1, {{a, 0, -1, {}}}, "\tPages=-3\n"), "(Pages -3)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.text.empty()) {
      WriteArchive({{"part-2.tsc", PartText(2, {{a, 0, -1, {}}})}});
    } else {
      WriteArchive({{"part-1.tsc", c.text}});
    }
    songManager = std::make_shared<TSongManager>();
    Prepare();
    StoryRun run = Play(1);
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.frames, 1);
    EXPECT_NE(run.output.find(c.said), std::string::npos) << run.output;
    EXPECT_EQ(songManager->songs->Count(), 0);  // no music, no voice
  }
}

TEST_F(StoryPlayer, CountsOutsideTheirRangesAreHeld) {
  const std::string a = Picture("a", kRed), b = Picture("b", kBlue);
  // Thirty pages: the first 26 play, one more each frame.
  std::vector<Page> pages(30, Page{"<<", 0, 0, {}});
  pages[0].picture = a;
  pages[25].picture = b;
  std::string text = PartText(1, pages, "\tPages=30\n");
  WriteArchive({{"part-1.tsc", text}});
  Prepare();
  ClickNextAtLoop(100);
  StoryRun run = Pending();
  EXPECT_NE(run.output.find("Pages 30 is more than 26; the first 26 pages play"), std::string::npos)
      << run.output;
  EXPECT_EQ(run.Loop(100), kBlue);  // page 26
  EXPECT_EQ(LoopFrames(run), 101);  // the last timer fired: one click leaves

  // Nine lines are held to six; numbers beyond the int range read as 0.
  std::vector<std::string> nine(9, "line");
  text = PartText(1, {{a, 0, -1, nine}, {b, 0, -1, {}}});
  text.replace(text.find("Time=-1"), 7, "Time=3000000000");
  text.replace(text.rfind("PosY=0"), 6, "PosY=1000000000000");
  WriteArchive({{"part-1.tsc", text}});
  Prepare();
  headless::KeyPressAt(AtLoop(80), KEY_ESCAPE);
  run = Pending();
  EXPECT_NE(run.output.find("page 1: Lines 9 is held to 6"), std::string::npos) << run.output;
  EXPECT_NE(run.Loop(3), kRed);  // a Time of 3000000000 turned as 0 does
  EXPECT_EQ(run.Loop(80), kBlue);  // drawn at PosY 0
}

TEST_F(StoryPlayer, AVoiceThatNamesNoFilePlaysNothingInItsPlace) {
  const std::string a = Picture("a", kRed);
  std::filesystem::create_directories(myDocsFolder + "/custom-art");
  std::filesystem::copy_file(test_support::GameDir() + "/" + kShippedSound,
                             myDocsFolder + "/custom-art/narration.ogg");
  struct Case {
    const char* voice;
    std::string plays;  // the file played, "" for none
  };
  const Case cases[] = {{"sfx/story/nowhere.ogg", ""},
                        {"sfx/story/narration.ogg", myDocsFolder + "/custom-art/narration.ogg"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.voice);
    WriteArchive({{"part-1.tsc", PartText(1, {{a, 0, -1, {}}}, std::string("\tPages=1\n\tVoice=\"") +
                                                                  c.voice + "\"\n\tvoiceStopAfter=5000\n")}});
    songManager = std::make_shared<TSongManager>();
    Prepare();
    headless::KeyPressAt(AtLoop(10), KEY_ESCAPE);
    StoryRun run = Pending();
    EXPECT_EQ(run.result, 0);
    const bool said = run.output.find("the voice \"sfx/story/nowhere.ogg\" was not found") != std::string::npos;
    EXPECT_EQ(said, c.plays.empty()) << run.output;
    std::vector<std::string> songs;
    for (const MusicFilePtr& song : *songManager->songs) songs.push_back(song->name);
    EXPECT_EQ(std::count_if(songs.begin(), songs.end(),
                            [](const std::string& s) { return s.find("game-song") != std::string::npos; }),
              0);
    if (!c.plays.empty()) {
      EXPECT_NE(std::find(songs.begin(), songs.end(), c.plays), songs.end());
    }
  }
}

TEST_F(StoryPlayer, APictureThatDoesNotLoadIsNamedAndThePageShowsWithoutIt) {
  const std::string b = Picture("b", kBlue);
  StoryRun run = PlayPages({{"nowhere.png", 0, -1, {}}, {"<<", 0, -1, {}}, {b, 0, -1, {}}}, 10);
  EXPECT_EQ(run.result, 0);
  EXPECT_NE(run.output.find("page 1: the picture \"nowhere.png\" could not be loaded"), std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("page 2"), std::string::npos);  // "<<" shares it, no second notice
}

}  // namespace
