// The first two quest levels as we ship them, played through the quest loop by the scripted
// player with OK clicked on every popup: each popup of the level opens once, and the game-over
// popup retries, leaves for the menu and, from the second loss, skips the level.
#include <algorithm>

#include "modes_fixtures.h"
#include "screens/popups/popup.h"

namespace modes_test {
namespace {

// The popup manager with a record of the popups it showed, by their first line, in order.
class RecordedPopups : public TPopupManager {
 public:
  std::vector<std::string> shown;

  int32_t ShowPopup(const PopupPtr& popup) override {
    shown.push_back(ToUtf8(popup->lines[0]));
    return TPopupManager::ShowPopup(popup);
  }
};

// What the player does in the game-over popup, by the loss.
enum class Answer { kRetry, kSkip, kMenu };

class QuestPopups : public ModesTest {
 protected:
  // Frames one level may take, retries and summary included.
  static constexpr int kFramesPerLevel = 20000;

  // Sets up the sequencer's entry `index` as the main loop does before goGlyphor: its level
  // file, music and popups.
  void ShippedLevel(int32_t index) {
    headless::SetFrameCap(headless::FrameNumber() + kFramesPerLevel);
    sequencer->Start(0);
    sequencer->currentLevel = index;
    ASSERT_EQ(sequencer->Get(), 1);
    ASSERT_EQ(sequencer->levelType, 1);
    auto recorded = std::make_shared<RecordedPopups>();
    recorded->Load();
    popups_ = recorded.get();
    popupManager = recorded;
    QuestLevel(ToUtf8(sequencer->fileName));
    popupManager->Prepare();
    for (const PopupPtr& popup : *popupManager->popups)
      expected_.push_back(ToUtf8(popup->lines[0]));
  }

  // Plays the level with the answers given to the game-over popup loss by loss; the loop's
  // result. The player clicks OK on the information popups, answers the game-over popup once
  // its zoom is over and clicks through the summary.
  int Play(const std::vector<Answer>& answers) {
    ScriptedPlayer player;
    int lossSeen = 0;
    int popupOpened = 0;
    player.onFrame = [&](int shown) {
      if (levelReplays > lossSeen) {
        lossSeen = levelReplays;
        popupOpened = shown;
      }
      if (lossSeen > 0 && shown == popupOpened + kPopupZoomFrames) {
        const Answer answer = answers[static_cast<size_t>(
            std::min<int>(lossSeen, static_cast<int>(answers.size())) - 1)];
        if (answer == Answer::kRetry) ClickRetry(shown);
        if (answer == Answer::kSkip) ClickSkip(shown);
        if (answer == Answer::kMenu)
          ClickAt(shown, static_cast<int>(TPopupManager::kMenuX) + 20,
                  static_cast<int>(TPopupManager::kMenuY) + 10);
      }
      return ClickThroughSummary(shown) && board->gameOver == 0;
    };
    int result = 0;
    EXPECT_FALSE(Ends([] { return goGlyphor(0); }, result));
    return result;
  }

  RecordedPopups* popups_ = nullptr;
  std::vector<std::string> expected_;  // the level's popups, in file order
};

TEST_F(QuestPopups, EachPopupOpensOnceAndTheGameOverPopupRetriesSkipsOrLeaves) {
  if (FileType("data/popups_lp.bca") != FILETYPE_FILE)
    GTEST_SKIP() << "the game folder holds no generated content";
  struct Case {
    const char* name;
    int32_t level;
    std::vector<Answer> answers;  // by loss; the last one stands for any later loss
    int result;
    int losses;     // kEither: won, or lost once and left, whichever the draws give
    bool allShown;  // every popup of the level opened (a level left early may not get to some)
  };
  constexpr int kEither = -1;
  const Case cases[] = {
      {"level 1: retry, then skip", 1, {Answer::kRetry, Answer::kSkip}, 0, 2, true},
      {"level 1: back to the menu", 1, {Answer::kMenu}, 1, 1, false},
      {"level 2: won, or left at its loss", 2, {Answer::kMenu}, 0, kEither, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    expected_.clear();
    ShippedLevel(c.level);
    const int result = Play(c.answers);
    const bool won = c.losses == kEither && levelReplays == 0;
    if (c.losses == kEither) {
      EXPECT_EQ(result, won ? 0 : 1);
      EXPECT_LE(levelReplays, 1);
    } else {
      EXPECT_EQ(result, c.result);
      EXPECT_EQ(levelReplays, c.losses);
    }
    if (c.allShown && (c.losses != kEither || won)) {
      EXPECT_EQ(popups_->shown, expected_);
    } else {
      // Those that opened did so in file order, none twice.
      auto next = expected_.begin();
      for (const std::string& line : popups_->shown) {
        next = std::find(next, expected_.end(), line);
        ASSERT_NE(next, expected_.end()) << line;
        ++next;
      }
    }
    // A skipped level ends passed with its flags cleared for the main loop.
    EXPECT_EQ(skipLevel, 0);
    if (result == 0) {
      EXPECT_EQ(board->gameOver, 0);
    }
  }
}

}  // namespace
}  // namespace modes_test
