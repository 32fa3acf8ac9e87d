// Every board level we ship has its board picture under every cell of its shape: the board's
// picture covers only the top-left 480 x 480 pixels of the grid, twelve cells of 40 pixels or
// fifteen of 32, so a shape drawn at 40 pixels a cell must keep to the first twelve columns and
// rows, and the picture the level's number chooses must be that large.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "platform/graphics.h"
#include "platform/pixmap.h"
#include "platform/text.h"
#include "support/game_fixtures.h"

namespace {

const char* kSettings = "data/settings_lp.bca";
const char* kLevels = "data/runes_levels_lp.bca";

TSCFilePtr Entry(const std::string& archive, const std::string& entry) {
  TSCFilePtr tsc = CreateTSCFile();
  EXPECT_EQ(LoadTSCFileBB(tsc, archive, FromUtf8(entry)), 1) << archive << " / " << entry;
  return tsc;
}

// The board levels the game can start: the quest's, and those of the time-attack and endless
// selectors.
std::vector<std::string> ShippedBoardLevels() {
  std::vector<std::string> names;
  const TSCFilePtr sequence = Entry(kSettings, "sequencer.tsc");
  const int last = GetTSCWholeNumberKey(sequence, S("Sequence"), S("LastLevel"), 0);
  for (int index = 1; index <= last; ++index) {
    const String group = S("Sequence::Level") + FromInt(index);
    if (GetTSCWholeNumberKey(sequence, group, S("Type"), 0) == 1)
      names.push_back(ToUtf8(GetTSCStringKey(sequence, group, S("FileName"), 0)));
  }
  for (const char* list : {"timedLevels.tsc", "endlessLevels.tsc"}) {
    const TSCFilePtr tsc = Entry(kSettings, list);
    const TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, String());
    for (const TSCGroupPtr& group : *groups)
      names.push_back(ToUtf8(GetTSCStringKey(tsc, GroupFullPath(*group), S("FileName"), 0)));
  }
  return names;
}

TEST(BoardBackgrounds, EveryShippedLevelsPictureLiesUnderEveryCellOfItsBoard) {
  test_support::OpenScreen();
  board = std::make_shared<TBoardManager>();
  level = std::make_shared<TLevelManager>();
  const std::vector<std::string> names = ShippedBoardLevels();
  EXPECT_EQ(names.size(), 40u) << "twenty quest levels, ten time-attack and ten endless ones";
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const TSCFilePtr tsc = Entry(kLevels, name);
    board->loadBoard(tsc);
    level->levelNumber = GetTSCWholeNumberKey(tsc, S("Settings::Level"), S("Number"), 0);
    // The game's own choice of cell size, centring and picture.
    board->createBoardImage(1);
    ASSERT_TRUE(board->boardImage) << board->backgroundPath;
    const PixmapPtr picture = LoadPixmap(board->backgroundPath);
    ASSERT_TRUE(picture) << board->backgroundPath;
    const int covered = ImageWidth(board->boardImage);
    EXPECT_EQ(ImageHeight(board->boardImage), covered);
    int cells = 0;
    for (int x = 0; x < kBoardCells; ++x)
      for (int y = 0; y < kBoardCells; ++y) {
        if (board->usable[static_cast<size_t>(x)][static_cast<size_t>(y)] == 0) continue;
        ++cells;
        const int right = (x + 1) * board->cellSize, bottom = (y + 1) * board->cellSize;
        EXPECT_TRUE(right <= covered && bottom <= covered)
            << "cell " << x << "," << y << " at " << board->cellSize << " pixels a cell lies past "
            << "the board picture's " << covered << " pixels";
        EXPECT_TRUE(right <= picture->width && bottom <= picture->height)
            << "cell " << x << "," << y << " lies past " << board->backgroundPath << " ("
            << picture->width << " x " << picture->height << ")";
      }
    EXPECT_GT(cells, 0);
  }
}

}  // namespace
