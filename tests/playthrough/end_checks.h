// What the play-through checks once the game has ended: the files it left in the home folder.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace playthrough {

struct Expected {
  std::string docsFolder;     // the game's user folder under the home folder
  std::string playerName;
  int32_t lastSummaryTotal = 0;  // the total the last quest summary showed
};

// Every way the saved profile and hiscores differ from a quest won and both modes left with a
// saved game; empty when they agree.
std::vector<std::string> CheckEnd(const Expected& expected);

// The quest's board levels, the background picture and the time in seconds each names, read
// from the shipped sequence and level files.
struct QuestBoardLevel {
  int index = 0;
  std::string file;
  std::string picture;
  int seconds = 0;
};
std::vector<QuestBoardLevel> QuestBoardLevels();

}  // namespace playthrough
