// The play-through's end checks (see the header).
#include "end_checks.h"

#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "platform/text.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"

namespace playthrough {

namespace {

constexpr int32_t kQuestScoreType = 1;
constexpr int32_t kMapState = 2;
constexpr int32_t kBoardLevelType = 1;

}  // namespace

std::vector<QuestBoardLevel> QuestBoardLevels() {
  std::vector<QuestBoardLevel> found;
  TSCFilePtr sequence = CreateTSCFile();
  if (LoadTSCFileBB(sequence, "data/settings_lp.bca", u"sequencer.tsc") != 1) return found;
  const int first = static_cast<int>(sequence->GetNumberKey(u"Sequence", u"FirstLevel", 0));
  const int last = static_cast<int>(sequence->GetNumberKey(u"Sequence", u"LastLevel", 0));
  for (int index = first; index <= last; ++index) {
    const String group = u"Sequence::Level" + FromInt(index);
    if (static_cast<int>(sequence->GetNumberKey(group, u"Type", 0)) != kBoardLevelType) continue;
    QuestBoardLevel entry;
    entry.index = index;
    entry.file = ToUtf8(sequence->GetStringKey(group, u"FileName", 0));
    TSCFilePtr file = CreateTSCFile();
    if (LoadTSCFileBB(file, "data/runes_levels_lp.bca", FromUtf8(entry.file)) == 1) {
      entry.picture = ToUtf8(file->GetStringKey(u"Settings::Graphics", u"BackgroundImage", 0));
      entry.seconds = static_cast<int>(file->GetNumberKey(u"Settings::Level", u"Time", 0));
    }
    found.push_back(entry);
  }
  return found;
}

std::vector<std::string> CheckEnd(const Expected& expected) {
  std::vector<std::string> problems;
  auto expect = [&](bool holds, const std::string& what) {
    if (!holds) problems.push_back(what);
  };

  // The profile as it was written, read afresh.
  ProfileManagerPtr saved = TProfileManager::Create(expected.docsFolder + "/profiles-levelpack", "dat");
  if (!saved || saved->SelectProfile(FromUtf8(expected.playerName)) != 1) {
    problems.push_back("no saved profile named " + expected.playerName);
    return problems;
  }
  TSCFilePtr sequence = CreateTSCFile();
  LoadTSCFileBB(sequence, "data/settings_lp.bca", u"sequencer.tsc");
  const int32_t lastLevel = static_cast<int32_t>(sequence->GetNumberKey(u"Sequence", u"LastLevel", 0));
  const int32_t level = saved->GetNumber(u"level");
  const int32_t state = saved->GetNumber(u"gameState");
  const int32_t total = saved->GetNumber(u"pointsTotal");
  expect(level == lastLevel, "the profile's level is " + std::to_string(level) + ", not " +
                                 std::to_string(lastLevel));
  expect(state == kMapState, "the profile's gameState is " + std::to_string(state) + ", not 2");
  expect(total == expected.lastSummaryTotal,
         "the profile's pointsTotal is " + std::to_string(total) + ", the last summary showed " +
             std::to_string(expected.lastSummaryTotal));
  expect(total > 0, "the quest scored nothing");
  expect(saved->GetNumber(u"endlessResume") != 0, "no saved endless game");
  expect(saved->GetNumber(u"timeResume") != 0, "no saved time-attack game");

  TListPtr<String> revealed = saved->GetList(u"revealedImages");
  for (const QuestBoardLevel& board : QuestBoardLevels()) {
    bool shown = false;
    if (revealed)
      for (const String& name : *revealed) shown = shown || ToUtf8(name) == board.picture;
    expect(shown, "revealedImages lacks " + board.picture + " of level " + std::to_string(board.index) +
                      " (" + board.file + ")");
  }

  // The hiscores as they were written.
  HiscoresPtr scores = THiscores::Create(expected.docsFolder + "/data/hiscores.dat");
  bool entered = false;
  if (scores) {
    for (const ScorePtr& score : *scores->scores)
      if (score->typeId == kQuestScoreType && score->score == total &&
          ToUtf8(score->name) == expected.playerName)
        entered = true;
  }
  expect(entered, "the hiscores hold no quest entry of " + std::to_string(total) + " for " +
                      expected.playerName);
  return problems;
}

}  // namespace playthrough
