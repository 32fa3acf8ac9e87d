#include "profiles/hiscores.h"

#include <algorithm>
#include <vector>

#include "datafiles/tsc_file.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/system.h"

HiscoresPtr hiscore;

namespace {

// The entry of the default file.
const String kDefaultName = u"morvell";
constexpr int32_t kDefaultScore = 10000;
const String kNoLevel = u"null";

// A key of one value in a group just made: nothing there to look up first (a look-up runs
// through every key before it, which made a full table's save take time by its square).
void AddKey(const TSCFilePtr& tsc, const String& group, const String& name, const String& value,
            int32_t kind) {
  TSCKeyPtr key = CreateTSCKey(tsc, group, name);
  key->values[0] = value;
  key->types[0] = kind;
  key->count = 1;
}

void SetEntryKeys(const TSCFilePtr& tsc, const String& group, const TScore& entry) {
  AddKey(tsc, group, u"name", entry.name, TSC_VALUE_STRING);
  AddKey(tsc, group, u"score", TSCNumberText(static_cast<float>(entry.score)), TSC_VALUE_NUMBER);
  AddKey(tsc, group, u"gameID", TSCNumberText(static_cast<float>(entry.gameId)),
         TSC_VALUE_NUMBER);
  AddKey(tsc, group, u"typeID", TSCNumberText(static_cast<float>(entry.typeId)),
         TSC_VALUE_NUMBER);
  AddKey(tsc, group, u"date", entry.date, TSC_VALUE_STRING);
  AddKey(tsc, group, u"helpVar", entry.helpVar, TSC_VALUE_STRING);
}

// A store of the entries in order, as groups "Score0", "Score1", ...
TSCFilePtr StoreOf(const TListPtr<ScorePtr>& entries) {
  TSCFilePtr tsc = CreateTSCFile();
  int32_t n = 0;
  for (const ScorePtr& entry : *entries) {
    const String group = u"Score" + FromInt(n++);
    CreateTSCGroup(tsc, u"", group);
    SetEntryKeys(tsc, group, *entry);
  }
  return tsc;
}

}  // namespace

ScorePtr TScore::Create(const String& name, int32_t score, int32_t gameID, int32_t typeID,
                        const String& date, const String& helpVar) {
  auto entry = std::make_shared<TScore>();
  entry->name = name;
  entry->score = score;
  entry->gameId = gameID;
  entry->typeId = typeID;
  entry->date = date;
  entry->helpVar = helpVar;
  return entry;
}

int32_t TScore::CompareScores(const TScore& a, const TScore& b) {
  // Signs only: a difference of two scores (or modes) read from the file can overflow.
  if (a.typeId != b.typeId) return a.typeId < b.typeId ? -1 : 1;
  if (a.score != b.score) return a.score > b.score ? -1 : 1;
  return 0;
}

HiscoresPtr THiscores::Create(const std::string& path) {
  auto store = std::make_shared<THiscores>();
  store->path = path;
  const int state = KeptFileState(path);
  if (state == KEPTFILE_MISSING) store->CreateHiscoresFile();
  // A damaged file is kept aside before the default file takes its place; something that is no
  // file at all (a folder, a FIFO) is left where it is.
  auto startAfresh = [&](const std::string& reason) {
    if (KeepDamagedFileAside("hiscore", path, reason, "a new hiscore file was started",
                             "no hiscores are shown")) {
      store->CreateHiscoresFile();
    }
    return store;
  };
  if (state == KEPTFILE_NOT_A_FILE) {
    Print("The hiscore file " + path + " is not a file that can be read; it is left as it is "
          "and no hiscores are shown.");
    return store;
  }
  if (state == KEPTFILE_EMPTY) {
    // Kept aside like any damaged file; the default file it gives way to is read as usual.
    startAfresh("it is empty");
    if (KeptFileState(path) != KEPTFILE_PRESENT) return store;
  }
  TSCFilePtr tsc = CreateTSCFile();
  try {
    LoadTSCFile(tsc, path);
  } catch (const TextError& error) {
    return startAfresh(error.what());
  }
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, u"");
  for (const TSCGroupPtr& group : *groups) {
    const String& g = group->name;
    const String helpVar = GetTSCStringKey(tsc, g, u"helpVar", 0);
    const String date = GetTSCStringKey(tsc, g, u"date", 0);
    const int32_t typeID = SaturatedInt(GetTSCNumberKey(tsc, g, u"typeID", 0));
    const int32_t gameID = SaturatedInt(GetTSCNumberKey(tsc, g, u"gameID", 0));
    const int32_t score = SaturatedInt(GetTSCNumberKey(tsc, g, u"score", 0));
    const String name = GetTSCStringKey(tsc, g, u"name", 0);
    store->add2(name, score, gameID, typeID, date, helpVar);
  }
  store->TrimHiscores();
  return store;
}

bool THiscores::CreateHiscoresFile() {
  auto entries = CreateList<ScorePtr>();
  entries->AddLast(TScore::Create(kDefaultName, kDefaultScore, 0, HISCORE_QUEST, CurrentDate(),
                                  kNoLevel));
  if (StoreOf(entries)->Save(path)) return true;
  Print("The hiscore file " + path + " could not be written.");
  return false;
}

void THiscores::add(const String& name, int32_t score, int32_t gameID, int32_t typeID,
                    const String& date, const String& helpVar) {
  add2(name, score, gameID, typeID, date, helpVar);
  TrimHiscores();
  Save();
}

void THiscores::add2(const String& name, int32_t score, int32_t gameID, int32_t typeID,
                     const String& date, const String& helpVar) {
  scores->AddLast(TScore::Create(name, score, gameID, typeID, date, helpVar));
}

void THiscores::Sort() {
  std::vector<ScorePtr> sorted;
  for (const ScorePtr& entry : *scores) sorted.push_back(entry);
  std::stable_sort(sorted.begin(), sorted.end(), [](const ScorePtr& a, const ScorePtr& b) {
    return TScore::CompareScores(*a, *b) < 0;
  });
  scores->Clear();
  for (const ScorePtr& entry : sorted) scores->AddLast(entry);
}

void THiscores::TrimHiscores() {
  Sort();
  // Counts run along each mode's entries; a removed entry still counts toward its run.
  int32_t run = 0;
  int32_t runType = 0;
  scores->RemoveIf([&](const ScorePtr& entry) {
    run = (run > 0 && runType == entry->typeId) ? run + 1 : 1;
    runType = entry->typeId;
    return run > limitPerType;
  });
}

bool THiscores::Save() {
  if (StoreOf(scores)->Save(path)) return true;
  Print("The hiscores could not be saved to " + path +
        "; the file keeps its earlier results and the next game's save tries again.");
  return false;
}

TListPtr<ScorePtr> THiscores::GetScores(int32_t typeID, int32_t count) const {
  auto result = CreateList<ScorePtr>();
  for (const ScorePtr& entry : *scores) {
    if (result->Count() >= count) break;
    if (entry->typeId == typeID) result->AddLast(entry);
  }
  return result;
}

int32_t THiscores::GetBestScore(int32_t typeID, const String& helpVar) const {
  int32_t best = 0;
  for (const ScorePtr& entry : *scores)
    if (entry->typeId == typeID && entry->helpVar == helpVar && entry->score > best)
      best = entry->score;
  return best;
}
