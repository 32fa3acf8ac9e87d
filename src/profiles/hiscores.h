// The hiscore store: the score of every finished game, per game mode, for all players together,
// in the global `hiscore` and in the plain key/group file "hiscores.dat" of the user data
// folder. Each entry is a top-level group "Score" + n (n in table order) with the keys name,
// score, gameID, typeID, date and helpVar; numbers pass through single precision.
//
// A file that cannot be read is moved aside before the default file replaces it, and a save
// that fails keeps the old file and the table in memory, so no result is lost on the way.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/list.h"
#include "platform/text.h"

// Game modes of an entry (`typeId`).
constexpr int32_t HISCORE_QUEST = 1;
constexpr int32_t HISCORE_ENDLESS = 2;
constexpr int32_t HISCORE_TIME_ATTACK = 3;

class TScore;
using ScorePtr = std::shared_ptr<TScore>;

class TScore {
 public:
  String name;         // the player name as the caller gave it
  int32_t score = 0;
  int32_t gameId = 0;  // always 0; kept and written back
  int32_t typeId = 0;  // game mode; any other number read from the file stays as read
  String date;         // "%d %b %Y" of the day the entry was added
  String helpVar;      // the level file name of endless and time-attack entries, else "null"

  static ScorePtr Create(const String& name, int32_t score, int32_t gameID, int32_t typeID,
                         const String& date, const String& helpVar);
  // Negative when a ranks before b: lower mode first, then higher score. Never overflows.
  static int32_t CompareScores(const TScore& a, const TScore& b);
};

class THiscores;
using HiscoresPtr = std::shared_ptr<THiscores>;

class THiscores {
 public:
  TListPtr<ScorePtr> scores = CreateList<ScorePtr>();  // sorted by CompareScores
  int32_t limitPerType = 500;                          // the most entries kept per mode
  std::string path;                                    // the hiscore file

  // The store of the file at `path`. A missing file is first written as the default file, and
  // so is an empty one once it is moved aside ("hiscores.dat.bad", or the next free name). A
  // file the key/group reader refuses is moved aside and replaced by the default file, and the
  // table stays empty for this run. A folder, a FIFO or a link that loops in its place is left
  // as it is and the table stays empty. The table is sorted and
  // trimmed; the file is not rewritten until the next add.
  static HiscoresPtr Create(const std::string& path);

  // Writes the default file (one quest entry: "morvell", 10000, dated today); the table is not
  // touched. False when it could not be written.
  bool CreateHiscoresFile();
  // Adds an entry, sorts and trims the table and saves it.
  void add(const String& name, int32_t score, int32_t gameID, int32_t typeID, const String& date,
           const String& helpVar);
  // Appends an entry and nothing else.
  void add2(const String& name, int32_t score, int32_t gameID, int32_t typeID, const String& date,
            const String& helpVar);
  // Stable: entries that compare equal keep their order, so an earlier entry stays ahead.
  void Sort();
  // Sorts, then keeps the first limitPerType entries of each mode.
  void TrimHiscores();
  // Writes the whole table over the file. False, with a line printed, the old file and the
  // table kept, when it could not be written; the next add tries again.
  bool Save();
  // The first `count` entries of a mode, best first; the entries are shared with the table.
  TListPtr<ScorePtr> GetScores(int32_t typeID, int32_t count) const;
  // The highest score of a mode among entries whose helpVar is exactly `helpVar`; 0 when none.
  int32_t GetBestScore(int32_t typeID, const String& helpVar) const;
};

// Made by start-up once, over the user data folder's "data/hiscores.dat".
extern HiscoresPtr hiscore;
