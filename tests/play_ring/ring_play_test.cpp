// Whole ring levels headless: played to the time-out through the summary, the info popups
// holding the clock, a resumed level, the debug key, close requests during play and during the
// summary, and the in-game menu holding both clocks.
#include <filesystem>
#include <fstream>

#include "platform/errors.h"
#include "ring_fixtures.h"
#include "screens/menu/options_window.h"
#include "toolkit/dim.h"

namespace ring_test {
namespace {

// Two popups over an 80 x 60 panel at (300, 200), their OK button under it.
void AddPopups() {
  popupManager->okButton = CreateAnimButton(test_support::SolidPixmap(112, 28, Argb(255, 0, 200, 0)),
                                            CreateDim(0, 0, 0, 0, 0, 1, 1, 0), 1, 2, 1, 0, 1.0f, -1);
  const std::string panel = test_support::TempHome() + "/panel.png";
  ASSERT_TRUE(SavePixmapPNG(test_support::SolidPixmap(80, 60, Argb(255, 200, 180, 140)), panel));
  std::string text;
  for (const char* name : {"A", "B"})
    text += std::string(name) + " {\nLevel = 1\nImage = \"" + panel +
            "\"\nX = 300\nY = 200\nLines = 0\nButtonY = 40\nTextY = 0\n}\n";
  TSCFilePtr tsc = Store(text);
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, String());
  Output([&] {
    for (const TSCGroupPtr& group : *groups) ringGame->popups->AddLast(TPopup::Create(tsc, group));
  });
}

// The menu window with the four buttons of its short in-game screen (keys 20, 22, 23, 24), each
// a 100 x 30 box at (350, 230 + 40 n).
void MakeMenuWindow() {
  optionsWindow = std::make_shared<TOptionsWindow>();
  int n = 0;
  for (int key : {20, 22, 23, 24}) {
    data->Add(ButtonPtr(CreateImageButton(test_support::SolidImage(100, 30, Argb(255, 90, 90, 90)),
                                          CreateDim(350, 230.0f + 40.0f * n, 0, 0, 0, 1, 1, 0),
                                          key, 1.0f, 2)),
              key);
    ++n;
  }
}
int MenuButtonY(int key) { return key == 20 ? 245 : key == 22 ? 285 : key == 23 ? 325 : 365; }

int PlayExpectingEnd(int32_t fromProfile) {
  try {
    ringGame->Play(fromProfile);
  } catch (const ProgramEnded&) {
    return 1;
  }
  return 0;
}

// A marker in the profile's "gameState" that only a SaveProfile overwrites.
constexpr int32_t kUnsaved = 77;
void MarkProfileUnsaved() { profile->SetNumber(S("gameState"), kUnsaved, 0); }
bool ProfileSaved() { return profile->GetNumber(S("gameState")) != kUnsaved; }

class RingPlay : public RingGame {
 protected:
  void SetUp() override {
    RingGame::SetUp();
    MakeProfile();
    sparkImages[1] = test_support::SolidImage(4, 4, 0xFFFFFFFFu);
    MarkProfileUnsaved();
    headless::SetFrameCap(headless::FrameNumber() + 20000);
  }
};

TEST_F(RingPlay, ALevelPlaysToItsTimeOutAndBanksItsHitsThroughTheSummary) {
  LoadLevel("Time = 8000\nSequenceLength = 1\nRuneTime = 5000\nAvailableSpells = \"3\"\n");
  points->totalPoints = 1000;
  ScriptedPlayer player;
  EXPECT_EQ(ringGame->Play(0), 0);
  const TRingGame& g = *ringGame;
  EXPECT_GE(g.seqHits, 3);
  EXPECT_EQ(g.recivedSpells, g.seqHits);
  EXPECT_EQ(g.spells[2]->count, g.seqHits);
  EXPECT_EQ(points->totalPoints, 1000 + 500 * g.seqHits);
  EXPECT_GT(player.summaryFrames, 20);
  EXPECT_TRUE(ringEmiterList->IsEmpty());
  EXPECT_EQ(profile->GetNumber(S("seqHits")), g.seqHits);
  EXPECT_GE(profile->GetNumber(S("rgTime")), 8000);
  EXPECT_EQ(profile->GetNumber(S("RMGRecivedSpell3")), g.seqHits);
  EXPECT_FALSE(ProfileSaved()) << "the main loop saves the profile after the map";
}

TEST_F(RingPlay, PopupsHoldTheClockAndTheMenuUntilTheLastIsClosed) {
  LoadLevel("Time = 3000\nSequenceLength = 2\n");
  AddPopups();
  MakeMenuWindow();
  int closed = 0;
  int32_t closedAt = 0;
  ScriptedPlayer player;
  player.clickRunes = false;
  int next = 0;
  player.before = [&](int frame) {
    if (ringGame->popups->IsEmpty()) {
      if (closedAt == 0) closedAt = MilliSecs();
      return false;
    }
    if (frame < next) return true;
    const PopupPtr popup = ringGame->popups->First();
    if (popup->alpha < 1.0f) return true;
    EXPECT_EQ(ringGame->phase, TRingGame::kPlay);
    headless::AdvanceClock(60000);  // a long read takes no playing time
    headless::KeyPressAt(frame, KEY_ESCAPE);
    headless::MouseMoveAt(frame + 2, popup->buttonX + 20, popup->buttonY + 10);
    headless::MouseButtonAt(frame + 3, 1, true);
    headless::MouseButtonAt(frame + 4, 1, false);
    next = frame + 8;
    ++closed;
    return true;
  };
  EXPECT_EQ(ringGame->Play(0), 0);
  EXPECT_EQ(closed, 2);
  EXPECT_EQ(optionsWindow->state, TOptionsWindow::kMainMenu) << "Escape opened no menu";
  EXPECT_GE(profile->GetNumber(S("rgTime")), 3000);
  EXPECT_LT(profile->GetNumber(S("rgTime")), 3300) << "the popups took no playing time";
}

// A press held from before the level into play, over the place of OK: the first popup must be
// seen; only a press it sees start closes it.
TEST_F(RingPlay, APressHeldIntoPlayOverOkLeavesTheFirstPopupOnShow) {
  LoadLevel("Time = 3000\nSequenceLength = 2\n");
  AddPopups();
  const PopupPtr first = ringGame->popups->First();
  const int start = headless::FrameNumber();
  headless::MouseMoveAt(start, first->buttonX + 20, first->buttonY + 10);
  headless::MouseButtonAt(start, 1, true);
  int fullFrames = 0;
  bool stayed = false;
  ScriptedPlayer player;
  player.clickRunes = false;
  player.before = [&](int frame) {
    if (fullFrames >= 40) return true;
    if (ringGame->phase == TRingGame::kPlay && ringGame->popups->First() == first &&
        first->alpha >= 1.0f && first->active == 1)
      ++fullFrames;
    if (fullFrames == 40) {
      stayed = ringGame->popups->Count() == 2;
      headless::CloseRequestAt(frame + 1);
    }
    return true;
  };
  EXPECT_EQ(PlayExpectingEnd(0), 1);
  EXPECT_EQ(fullFrames, 40) << "the first popup was closed unseen";
  EXPECT_TRUE(stayed);
}

TEST_F(RingPlay, AResumedLevelShowsNoPopupsAndGoesOnWithItsClockHitsAndSpells) {
  LoadLevel("Time = 120000\nSequenceLength = 3\n");
  AddPopups();
  profile->SetNumber(S("seqHits"), 5, 0);
  profile->SetNumber(S("rgTime"), 30000, 0);
  profile->SetNumber(S("recivedSpells"), 2, 0);
  profile->SetNumber(S("RMGRecivedSpell3"), 2, 0);
  ringGame->spells[0]->count = 7;  // from an earlier level
  bool looked = false;
  ScriptedPlayer player;
  player.clickRunes = false;
  player.before = [&](int frame) {
    if (looked) return true;
    looked = true;
    const TRingGame& g = *ringGame;
    EXPECT_TRUE(g.popups->IsEmpty());
    EXPECT_EQ(g.seqHits, 5);
    EXPECT_EQ(g.recivedSpells, 2);
    EXPECT_EQ(g.pendulumAmplitude, 22);
    EXPECT_EQ(g.spells[0]->count, 0);
    EXPECT_EQ(g.spells[2]->count, 2);
    EXPECT_NEAR(ElapsedMs(MilliSecs(), g.startTime), 30000, 20);
    headless::CloseRequestAt(frame);
    return true;
  };
  EXPECT_EQ(PlayExpectingEnd(1), 1);
  EXPECT_TRUE(looked);
  EXPECT_EQ(profile->GetNumber(S("seqHits")), 5);
  EXPECT_NEAR(profile->GetNumber(S("rgTime")), 30000, 50) << "the clock went on where it stood";
}

TEST_F(RingPlay, TheDebugKeyEndsTheLevelThroughItsSummaryOnlyWithACheatsFile) {
  const std::filesystem::path gameDir = std::filesystem::current_path();
  std::filesystem::current_path(test_support::TempHome());
  LoadLevel("Time = 120000\nSequenceLength = 1\n");
  ScriptedPlayer player;
  player.clickRunes = false;
  int pressedAt = 0;
  player.before = [&](int frame) {
    if (ringGame->phase != TRingGame::kPlay || pressedAt != 0) return false;
    pressedAt = frame;
    headless::KeyPressAt(frame, KEY_G);  // no cheats.txt yet: nothing
    return true;
  };
  // A second look, 30 frames on: the file exists, G and a close request in the same frame.
  auto first = player.before;
  player.before = [&](int frame) {
    if (pressedAt != 0 && frame == pressedAt + 30) {
      EXPECT_EQ(ringGame->phase, TRingGame::kPlay) << "G without the file does nothing";
      std::ofstream("cheats.txt") << "";
      headless::KeyPressAt(frame, KEY_G);
      headless::CloseRequestAt(frame);
      player.inSummary = true;
      return true;
    }
    return first(frame);
  };
  const int32_t result = ringGame->Play(0);
  std::filesystem::current_path(gameDir);
  EXPECT_EQ(result, 0) << "G beats the close request: the summary was shown";
  EXPECT_GT(player.summaryFrames, 20);
}

// A close request must end the program even when a menu would open in the same frame: the menu
// would read the request itself and swallow it.
TEST_F(RingPlay, ACloseRequestNeverOpensTheMenuInItsFrame) {
  enum How { kEscape, kPause, kMenuButton, kSuspended };
  for (How how : {kEscape, kPause, kMenuButton, kSuspended}) {
    MakeRing();
    MakeMenuWindow();
    ringGame->menuButton = CreateImageButton(test_support::SolidImage(84, 28, Argb(255, 1, 2, 3)),
                                             CreateDim(358, 568, 0, 0, 0, 1, 1, 0), 1, 1.0f, 2);
    LoadLevel("Time = 120000\nSequenceLength = 2\n");
    ScriptedPlayer player;
    player.clickRunes = false;
    bool sent = false;
    player.before = [&](int frame) {
      if (ringGame->phase != TRingGame::kPlay || sent) return true;
      sent = true;
      if (how == kEscape) headless::KeyPressAt(frame, KEY_ESCAPE);
      if (how == kPause) headless::KeyPressAt(frame, KEY_P);
      if (how == kSuspended) headless::FocusAt(frame, false);
      if (how == kMenuButton) {
        headless::MouseMoveAt(frame, 380, 580);
        headless::MouseClickAt(frame, 1);
      }
      headless::CloseRequestAt(frame);
      return true;
    };
    EXPECT_EQ(PlayExpectingEnd(0), 1) << how;
    EXPECT_EQ(optionsWindow->state, TOptionsWindow::kMainMenu) << how << ": a menu opened";
    headless::FocusAt(headless::FrameNumber(), true);
    headless::SetFrameCallback(nullptr);
  }
}

// A continue after a close during the summary goes on to the map and the next level: the ring
// level counts as finished, and its bonus once.
TEST_F(RingPlay, ACloseDuringTheSummaryRecordsTheLevelAsFinished) {
  LoadLevel("Time = 4000\nSequenceLength = 1\n");
  sequencer->currentLevel = 4;
  points->totalPoints = 1000;
  ScriptedPlayer player;
  player.before = [&](int frame) {
    if (ringGame->phase < TRingGame::kTimeOver) return false;
    headless::CloseRequestAt(frame + 5);
    return true;
  };
  EXPECT_EQ(PlayExpectingEnd(0), 1);
  EXPECT_GE(ringGame->seqHits, 1);
  EXPECT_EQ(points->totalPoints, 1000 + 500 * ringGame->seqHits);
  EXPECT_EQ(gameState, 2);
  EXPECT_EQ(sequencer->currentLevel, 4);
  EXPECT_EQ(profile->GetNumber(S("gameState")), 2);
}

TEST_F(RingPlay, TheMenuHoldsBothClocksAndEscapeResumesFromTheOptionsScreenToo) {
  LoadLevel("Time = 120000\nSequenceLength = 3\nRuneTime = 5000\n");
  MakeMenuWindow();
  ScriptedPlayer player;
  player.clickRunes = false;
  int stage = 0, at = 0;
  int32_t levelBefore = 0, runeBefore = 0;
  player.before = [&](int frame) {
    TRingGame& g = *ringGame;
    if (g.phase != TRingGame::kPlay) return true;
    switch (stage) {
      case 0:  // 30 s into the level, on the second rune of a sequence
        g.startTime = MilliSecs() - 30000;
        g.seqPos = 1;
        g.runeStart = MilliSecs() - 1500;
        levelBefore = ElapsedMs(MilliSecs(), g.startTime);
        runeBefore = ElapsedMs(MilliSecs(), g.runeStart);
        headless::KeyPressAt(frame, KEY_ESCAPE);
        stage = 1;
        break;
      case 1:  // in the menu: five minutes pass, then the options screen
        if (optionsWindow->state != TOptionsWindow::kShortInGameMenu) break;
        headless::AdvanceClock(300000);
        headless::MouseMoveAt(frame, 400, MenuButtonY(22));
        headless::MouseClickAt(frame + 1, 1);
        at = frame + 10;
        stage = 2;
        break;
      case 2:
        if (optionsWindow->state != TOptionsWindow::kInGameOptions && frame < at) break;
        EXPECT_EQ(optionsWindow->state, TOptionsWindow::kInGameOptions);
        headless::KeyPressAt(frame, KEY_ESCAPE);
        at = frame + 3;
        stage = 3;
        break;
      case 3:
        if (frame < at) break;
        // Resumed: the frames since add a little to both clocks, nothing more.
        EXPECT_NEAR(ElapsedMs(MilliSecs(), g.startTime) - levelBefore, 0, 120);
        EXPECT_NEAR(ElapsedMs(MilliSecs(), g.runeStart) - runeBefore, 0, 120);
        EXPECT_EQ(g.seqPos, 1) << "the rune's time did not run out";
        headless::CloseRequestAt(frame);
        stage = 4;
        break;
      default:
        break;
    }
    return true;
  };
  EXPECT_EQ(PlayExpectingEnd(0), 1);
  EXPECT_EQ(stage, 4);
}

TEST_F(RingPlay, TheMenusChoicesEndTheLevelAndACloseBeatsResume) {
  struct Case {
    int key;
    bool close;
    int32_t result;  // of Play; -1: the program ended
    bool profileSaved;
  } cases[] = {{23, false, 1, true}, {24, false, -1, false}, {20, true, -1, false}};
  for (const Case& c : cases) {
    MakeRing();
    MakeMenuWindow();
    MarkProfileUnsaved();
    LoadLevel("Time = 120000\nSequenceLength = 3\n");
    ScriptedPlayer player;
    player.clickRunes = false;
    int stage = 0;
    player.before = [&](int frame) {
      if (ringGame->phase != TRingGame::kPlay || stage == 2) return true;
      if (stage == 1 && optionsWindow->state != TOptionsWindow::kShortInGameMenu) return true;
      if (stage == 0) {
        headless::KeyPressAt(frame, KEY_P);
      } else {
        headless::MouseMoveAt(frame, 400, MenuButtonY(c.key));
        headless::MouseClickAt(frame + 1, 1);
        if (c.close) headless::CloseRequestAt(frame + 3);  // in the frame the click counts
      }
      ++stage;
      return true;
    };
    int32_t result = -1;
    try {
      result = ringGame->Play(0);
    } catch (const ProgramEnded&) {
    }
    EXPECT_EQ(result, c.result) << c.key;
    EXPECT_EQ(ProfileSaved(), c.profileSaved) << c.key;
    EXPECT_GE(profile->GetNumber(S("rgTime")), 1) << c.key << ": the ring keys are saved";
    headless::SetFrameCallback(nullptr);
  }
}

}  // namespace
}  // namespace ring_test
