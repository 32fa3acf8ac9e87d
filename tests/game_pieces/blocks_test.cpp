// Block shapes read from key/group text, dealing from the level's lists, the rotation
// mapping, turning, following the mouse with the fit flags, and the freeze.
#include <gtest/gtest.h>

#include <map>

#include "services/delta_time.h"
#include "services/options.h"
#include "pieces_fixtures.h"
#include "platform/system.h"

using namespace pieces;

namespace {

const char* kShapes = R"(List {
  Quantity = 5
  Block1 { id = "1" width = 1 height = 1 pieces = 1 title = "One" description = "single"
           piece1 = 0, 0 }
  Block2 { id = "L" width = 2 height = 2 pieces = 3 piece1 = 0, 0 piece2 = 1, 0 piece3 = 0, 1 }
  Block3 { id = "S" pieces = 4 piece1 = 1, 0 piece2 = 2, 0 piece3 = 0, 1 piece4 = 1, 1 }
  Block4 { id = "line" pieces = 4 piece1 = 0, 0 piece2 = 1, 0 piece3 = 2, 0 piece4 = 3, 0 }
  Block5 { id = "odd" pieces = 3 piece1 = 3, 3 piece2 = 4, 0 }
}
)";

std::vector<std::pair<int, int>> Filled(const BlockGrid& grid) {
  std::vector<std::pair<int, int>> cells;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      if (grid[x][y] != 0) cells.emplace_back(x, y);
  return cells;
}

using Cells = std::vector<std::pair<int, int>>;

class Blocks : public testing::Test {
 protected:
  void SetUp() override {
    MakeSingletons();
    board->clearBoard();
    board->originX = 252;
    board->originY = 60;
    board->cellSize = 32;
    shapesOutput_ = Output([] { blocks->readShapes(Store(kShapes)); });
    AddRune("1", "1", kRed);
    AddRune("2", "2", kGreen);
    AddRune("3", "5", kBlue);
    delta = 1.0;
  }

  // The current block, formed, with the mouse over board cell (cx, cy).
  void HoldFormed(const std::string& shape, int cx, int cy) {
    blocks->setAvailableBlocks(FromUtf8(shape));
    blocks->setAvailableRunes(u"1");
    PutMouse(252 + cx * 32 + 3, 60 + cy * 32 + 3);
    blocks->nextBlock = nullptr;
    blocks->buildNextBlock();
    ASSERT_EQ(Filled(blocks->currentBlock->cells),
              Filled(blocks->_findBlockByID(FromUtf8(shape))->cells));
    for (int k = 0; k < 16; ++k) blocks->updateBlock(-1, -1);
    ASSERT_EQ(blocks->formState, 1);
  }

  std::string shapesOutput_;
};


TEST_F(Blocks, ShapesAreReadWithTheirPiecesInFileOrder) {
  ASSERT_EQ(blocks->shapes->Count(), 5);
  BlockPtr one = blocks->_findBlockByID(u"1");
  ASSERT_TRUE(one);
  EXPECT_EQ(one->title, u"One");
  EXPECT_EQ(one->description, u"single");
  EXPECT_EQ(one->width, 1);
  EXPECT_EQ(one->pieceCount, 1);
  EXPECT_EQ(Filled(blocks->_findBlockByID(u"L")->cells), (Cells{{0, 0}, {1, 0}, {0, 1}}));
  EXPECT_EQ(Filled(blocks->_findBlockByID(u"S")->cells), (Cells{{1, 0}, {2, 0}, {0, 1}, {1, 1}}));
  // A missing piece key fills the pivot; a piece outside the grid is reported and skipped.
  BlockPtr odd = blocks->_findBlockByID(u"odd");
  EXPECT_EQ(odd->pieceCount, 3);
  EXPECT_EQ(Filled(odd->cells), (Cells{{0, 0}, {3, 3}}));
  EXPECT_NE(shapesOutput_.find("The key List::Block5::piece3 does not exist"), std::string::npos);
  EXPECT_NE(shapesOutput_.find("Block odd: piece2 lies outside the 4 x 4 grid"), std::string::npos)
      << shapesOutput_;
  EXPECT_EQ(blocks->_findBlockByID(u"s"), nullptr);
}

TEST_F(Blocks, DealingDrawsTheShapeThenOneRunePerFilledCellInReadingOrder) {
  blocks->setAvailableBlocks(u"1 S L");
  blocks->setAvailableRunes(u"2 3 1 3");
  const std::vector<std::string> shapeIds = {"1", "S", "L"};
  const std::vector<int> runeIds = {2, 3, 1, 3};
  const std::map<int, int> colourOf = {{1, 1}, {2, 2}, {3, 5}};
  for (int seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    SeedRnd(seed);
    BlockPtr shape = blocks->_findBlockByID(FromUtf8(shapeIds[size_t(Rand(0, 2))]));
    BlockGrid cells{};
    int last = 0;
    for (auto [x, y] : Filled(shape->cells)) last = cells[x][y] = runeIds[size_t(Rand(0, 3))];

    blocks->rotation = blocks->targetRotation = 2;
    blocks->formState = 1;
    const auto before = blocks->history;
    SeedRnd(seed);
    BlockPtr dealt = blocks->_buildNextBlock();
    ASSERT_TRUE(dealt);
    EXPECT_EQ(dealt->cells, cells);
    for (auto [x, y] : Filled(cells)) EXPECT_EQ(dealt->colors[x][y], colourOf.at(cells[x][y]));
    EXPECT_EQ(dealt->id, u"");
    EXPECT_EQ(dealt->pieceCount, 0);
    EXPECT_EQ(blocks->history, (std::array<int32_t, 3>{last, before[0], before[1]}));
    EXPECT_EQ(blocks->rotation + blocks->targetRotation + blocks->formState, 0);
    EXPECT_EQ(blocks->alpha, 0.0f);
    EXPECT_EQ(blocks->newBlock, 1);
  }
}

TEST_F(Blocks, AnIdNamedTwiceIsDealtTwiceAsOften) {
  blocks->setAvailableBlocks(u"1 1 1 L");
  blocks->setAvailableRunes(u"2 2 1");
  SeedRnd(99);
  int singles = 0;
  int greens = 0;
  int runesDealt = 0;
  for (int k = 0; k < 3000; ++k) {
    BlockPtr b = blocks->_buildNextBlock();
    const Cells cells = Filled(b->cells);
    if (cells.size() == 1) ++singles;
    for (auto [x, y] : cells) {
      ++runesDealt;
      if (b->cells[x][y] == 2) ++greens;
    }
  }
  EXPECT_NEAR(singles / 3000.0, 0.75, 0.03);
  EXPECT_NEAR(greens / double(runesDealt), 2.0 / 3.0, 0.03);
}

TEST_F(Blocks, AnEmptyPieceOfTheRuneListLeavesItsCellEmpty) {
  blocks->setAvailableBlocks(u"line");
  blocks->setAvailableRunes(u"1  2");  // three items, the middle one empty
  SeedRnd(5);
  bool sawEmpty = false;
  for (int k = 0; k < 50; ++k) sawEmpty |= Filled(blocks->_buildNextBlock()->cells).size() < 4;
  EXPECT_TRUE(sawEmpty);
}

TEST_F(Blocks, ListsThatCannotDealReportTheLevelsListAndDealNothing) {
  struct Case {
    const char16_t* shapes;
    const char16_t* runeIds;
    const char* message;
  };
  for (const Case& c : {Case{u"", u"1", "AvailableBlocks list is empty"},
                        Case{u"1", u"", "AvailableRunes list is empty"},
                        Case{u"1 nine", u"1",
                             "AvailableBlocks names the unknown block \"nine\""}}) {
    SCOPED_TRACE(c.message);
    blocks->setAvailableBlocks(c.shapes);
    blocks->setAvailableRunes(c.runeIds);
    blocks->currentBlock = blocks->nextBlock = nullptr;
    int dealt = 0;
    std::string out = Output([&] {
      for (int k = 0; k < 30; ++k) dealt += blocks->_buildNextBlock() != nullptr;
    });
    EXPECT_LT(dealt, 30);
    EXPECT_NE(out.find(c.message), std::string::npos) << out;
    // Said once, not on every frame that tries again.
    EXPECT_EQ(CountOf(out, "Cannot deal a block"), 1) << out;
  }
  TBlocksManager fresh;  // lists never set
  std::string out = Output([&] { EXPECT_EQ(fresh._buildNextBlock(), nullptr); });
  EXPECT_NE(out.find("AvailableBlocks list is empty"), std::string::npos);
}

TEST_F(Blocks, FailedDealsLeaveTheHeldBlockFormedAndTurning) {
  HoldFormed("L", 5, 5);
  blocks->setAvailableBlocks(u"nine");  // the level names a block that does not exist
  blocks->nextBlock = nullptr;
  blocks->rotateBlock(1);
  Output([] {
    for (int frame = 0; frame < 30; ++frame) {
      blocks->updateBlock(-1, -1);
      blocks->DrawNextBlock(400, 300);
      ASSERT_FALSE(blocks->nextBlock);
      ASSERT_EQ(blocks->formState, 1) << frame;
      ASSERT_EQ(blocks->alpha, 1.0f) << frame;
      ASSERT_EQ(blocks->targetRotation, 1) << frame;
      ASSERT_EQ(blocks->turnProgress, frame < 14 ? 6 * (frame + 1) : 0) << frame;
    }
  });
  EXPECT_EQ(blocks->rotation, 1);  // the turn ran to its end
  EXPECT_EQ(blocks->angle, 90);
}

TEST_F(Blocks, BuildNextBlockMakesTheNextBlockCurrent) {
  blocks->setAvailableBlocks(u"line");
  blocks->setAvailableRunes(u"2");
  blocks->buildNextBlock();
  BlockPtr first = blocks->currentBlock;
  BlockPtr preview = blocks->nextBlock;
  ASSERT_TRUE(first && preview);
  EXPECT_NE(first, preview);
  EXPECT_EQ(blocks->history, (std::array<int32_t, 3>{2, 2, 0}));
  EXPECT_EQ(blocks->nextWidth, 4.0f);
  EXPECT_EQ(blocks->nextHeight, 1.0f);
  blocks->currentBlock = nullptr;
  blocks->buildNextBlock();
  EXPECT_EQ(blocks->currentBlock, preview);
  EXPECT_NE(blocks->nextBlock, preview);
}

TEST_F(Blocks, NextBlockWidthAndHeightCountTheFullestRowAndColumn) {
  struct Case {
    Cells cells;
    float width, height;
  };
  for (const Case& c : {Case{{{1, 0}, {2, 0}, {0, 1}, {1, 1}}, 2, 2},
                        Case{{{0, 0}, {1, 0}, {2, 0}, {3, 0}}, 4, 1},
                        Case{{{0, 0}, {0, 1}, {0, 2}, {1, 2}}, 2, 3}, Case{{}, 0, 0}}) {
    blocks->nextBlock = std::make_shared<TBlock>();
    for (auto [x, y] : c.cells) blocks->nextBlock->cells[x][y] = 7;
    blocks->GetNextBlockWH();
    EXPECT_EQ(blocks->nextWidth, c.width);
    EXPECT_EQ(blocks->nextHeight, c.height);
  }
}

TEST(RotationMapping, EachQuarterTurnTurnsTheCellClockwiseAboutThePivot) {
  const int expected[4][2] = {{1, 2}, {-2, 1}, {-1, -2}, {2, -1}};  // cell [1, 2]
  for (int r = 0; r < 4; ++r) {
    int dx = 0, dy = 0;
    RotateOffset(r, 1, 2, dx, dy);
    EXPECT_EQ(dx, expected[r][0]);
    EXPECT_EQ(dy, expected[r][1]);
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) {
        int ax = 0, ay = 0, bx = 0, by = 0;
        RotateOffset(r, i, j, ax, ay);
        RotateOffset((r + 1) % 4, i, j, bx, by);
        // A cell to the right of the pivot moves below it: (dx, dy) -> (-dy, dx).
        EXPECT_EQ(bx, -ay);
        EXPECT_EQ(by, ax);
      }
    }
  }
}

TEST_F(Blocks, FitFlagsFollowTheQuarterTurnInForce) {
  // The L shape at anchor (5, 5) covers these board cells at each quarter turn.
  const Cells covered[4] = {{{5, 5}, {6, 5}, {5, 6}},
                            {{5, 5}, {5, 6}, {4, 5}},
                            {{5, 5}, {4, 5}, {5, 4}},
                            {{5, 5}, {5, 4}, {6, 5}}};
  HoldFormed("L", 5, 5);
  for (int open = 0; open < 4; ++open) {
    for (auto& column : board->usable) column.fill(0);
    for (auto [x, y] : covered[open]) board->usable[x][y] = 1;
    for (int r = 0; r < 4; ++r) {
      blocks->rotation = blocks->targetRotation = r;
      blocks->updateBlock(-1, -1);
      const BlockGrid& fits = blocks->currentBlock->fits;
      const bool all = fits[0][0] && fits[1][0] && fits[0][1];
      EXPECT_EQ(all, r == open) << "board for turn " << open << ", block at turn " << r;
      EXPECT_EQ(fits[3][3], 1);  // empty block cells always fit
    }
  }
}

TEST_F(Blocks, EveryShapeAtEveryQuarterTurnTestsTheBoardCellsItCovers) {
  // (dx, dy) = (a i + b j, c i + d j) for quarter turns 0 to 3.
  const int turn[4][4] = {{1, 0, 0, 1}, {0, -1, 1, 0}, {-1, 0, 0, -1}, {0, 1, -1, 0}};
  for (const char* id : {"1", "L", "S", "line"}) {
    HoldFormed(id, 7, 7);
    const BlockPtr block = blocks->currentBlock;
    for (int r = 0; r < 4; ++r) {
      blocks->rotation = blocks->targetRotation = r;
      for (auto [i, j] : Filled(block->cells)) {
        const int x = 7 + turn[r][0] * i + turn[r][1] * j;
        const int y = 7 + turn[r][2] * i + turn[r][3] * j;
        board->runeIds[x][y] = 9;  // only this cell is taken
        blocks->updateBlock(-1, -1);
        for (auto [a, b] : Filled(block->cells))
          EXPECT_EQ(block->fits[a][b], (a == i && b == j) ? 0 : 1)
              << "shape " << id << " turn " << r << " cell " << i << "," << j;
        board->runeIds[x][y] = 0;
      }
    }
  }
}

TEST_F(Blocks, EachBlockCellFitsOnlyOnAFreeUsableUncoveredCellInsideTheGrid) {
  HoldFormed("line", 12, 3);  // covers (12, 3) .. (15, 3): the last one is outside
  board->runeIds[13][3] = 4;
  auto boss = std::make_shared<TBossRune>();
  boss->cellX = 13;
  boss->cellY = 2;
  boss->alive = 1;
  bossManager->bossRunes->AddLast(boss);
  blocks->updateBlock(-1, -1);
  const BlockGrid& fits = blocks->currentBlock->fits;
  EXPECT_EQ((std::vector<int>{fits[0][0], fits[1][0], fits[2][0], fits[3][0]}),
            (std::vector<int>{1, 0, 0, 0}));
  boss->alive = 0;
  board->runeIds[13][3] = -1;  // 0 or below is empty
  board->usable[12][3] = 0;
  blocks->updateBlock(-1, -1);
  EXPECT_EQ((std::vector<int>{fits[0][0], fits[1][0], fits[2][0], fits[3][0]}),
            (std::vector<int>{0, 1, 1, 0}));
}

TEST_F(Blocks, FormingTakesSixteenUpdatesAndReachesFullOpacityOnTheFifteenth) {
  blocks->setAvailableBlocks(u"L");
  blocks->setAvailableRunes(u"1");
  PutMouse(300, 100);
  blocks->buildNextBlock();
  const int anchorX = blocks->anchorX;
  PutMouse(400, 200);  // a formed block would follow
  for (int k = 1; k <= 16; ++k) {
    blocks->updateBlock(-1, -1);
    EXPECT_EQ(blocks->alpha == 1.0f, k >= 15) << k;
    EXPECT_EQ(blocks->formState, k == 16 ? 1 : 0) << k;
    EXPECT_EQ(blocks->formStep, k == 16 ? 0 : k);
  }
  EXPECT_EQ(blocks->anchorX, anchorX);
  EXPECT_EQ(blocks->currentBlock->fits, BlockGrid{});
  blocks->updateBlock(-1, -1);
  EXPECT_EQ(blocks->anchorX, (400 - 252) / 32);
  EXPECT_EQ(blocks->anchorY, (200 - 60) / 32);
}

TEST_F(Blocks, MovingToAnotherCellSetsTheAnchorAndLeavesSparksOverTheBoard) {
  HoldFormed("S", 4, 4);
  for (size_t i = 1; i <= 3; ++i) sparkImages[i] = LoadImage(CreatePixmap(2, 2), 0);
  TSpark::destroyAll();
  blocks->newBlock = 0;
  blocks->updateBlock(-1, -1);  // same cell: nothing happens
  EXPECT_EQ(blocks->newBlock, 0);
  EXPECT_EQ(SparkList->Count(), 0);

  PutMouse(252 + 6 * 32, 60 + 7 * 32);
  blocks->updateBlock(-1, -1);
  EXPECT_EQ(blocks->newBlock, 1);
  EXPECT_EQ(blocks->anchorX, 6);
  EXPECT_EQ(blocks->anchorY, 7);
  ASSERT_EQ(SparkList->Count(), 20);
  // The sparks mark the cells that were left, around (4, 4) .. (6, 5).
  for (const SparkPtr& s : *SparkList) {
    EXPECT_GE(s->x, 252 + 4 * 32 - 7);
    EXPECT_LE(s->x, 252 + 6 * 32 + 12);
    EXPECT_GE(s->y, 60 + 4 * 32 - 7);
    EXPECT_LE(s->y, 60 + 5 * 32 + 12);
  }

  TSpark::destroyAll();
  PutMouse(100, 100);  // off the board: the anchor moves without sparks
  blocks->updateBlock(-1, -1);
  EXPECT_EQ(blocks->anchorX, (100 - 252) / 32);
  EXPECT_EQ(SparkList->Count(), 0);
  // An explicit cell is taken as given.
  blocks->updateBlock(2, 9);
  EXPECT_EQ(blocks->anchorX, 2);
  EXPECT_EQ(blocks->anchorY, 9);
}

TEST_F(Blocks, QuarterTurnTargetWrapsAndRepeatedPressesGiveOneTurn) {
  struct Case {
    int rotation, step, target;
  };
  for (const Case& c : {Case{3, 1, 0}, Case{0, -1, 3}, Case{1, 1, 2}, Case{2, -1, 1}}) {
    blocks->rotation = c.rotation;
    blocks->rotateBlock(c.step);
    EXPECT_EQ(blocks->targetRotation, c.target);
  }
  blocks->rotation = blocks->targetRotation = blocks->angle = 0;
  blocks->rotateBlock(1);
  blocks->updateBlock(-1, -1);
  blocks->rotateBlock(1);  // while the first turn runs
  for (int k = 0; k < 30; ++k) blocks->updateBlock(-1, -1);
  EXPECT_EQ(blocks->rotation, 1);
  EXPECT_EQ(blocks->angle, 90);
}

TEST_F(Blocks, TurnSoundRestartsOnlyUntilTheTurnBeginsToMove) {
  options = std::make_shared<TOptions>();
  blocks->rotateSound = std::make_shared<TSound>();
  blocks->rotateSound->data = std::make_shared<SoundData>();
  blocks->rotateSound->data->samples.assign(kMixRate * kMixChannels, 1000);  // one second
  blocks->rotateBlock(1);
  ChannelPtr first = blocks->rotateChannel;
  ASSERT_TRUE(first);
  EXPECT_EQ(ChannelPlaying(first), 1);
  blocks->rotateBlock(1);  // the same frame: the sound starts again
  ChannelPtr second = blocks->rotateChannel;
  ASSERT_TRUE(second);
  EXPECT_NE(second, first);
  EXPECT_EQ(ChannelPlaying(first), 0);
  blocks->updateBlock(-1, -1);
  blocks->rotateBlock(1);  // the turn moves: no new sound
  EXPECT_EQ(blocks->rotateChannel, second);
  EXPECT_EQ(ChannelPlaying(second), 1);
}

TEST_F(Blocks, AQuarterTurnTakesNinetyDegreesOfProgressByDelta) {
  struct Case {
    double delta;
    int updates;
  };
  for (const Case& c : {Case{1.0, 15}, Case{2.0, 8}, Case{0.5, 30}}) {
    SCOPED_TRACE(c.delta);
    delta = c.delta;
    blocks->rotation = blocks->targetRotation = 3;
    blocks->angle = 270;
    blocks->turnProgress = 0;
    blocks->newBlock = 0;
    blocks->rotateBlock(1);
    std::vector<int> angles;
    int updates = 0;
    while (blocks->rotation != 0 && updates < 100) {
      blocks->updateBlock(-1, -1);
      angles.push_back(blocks->angle);
      ++updates;
    }
    EXPECT_EQ(updates, c.updates);
    EXPECT_EQ(blocks->angle, 0);
    EXPECT_EQ(blocks->turnProgress, 0);
    EXPECT_EQ(blocks->newBlock, 1);
    if (c.delta == 1.0) {
      EXPECT_EQ(angles[0], 276);
      EXPECT_EQ(angles[13], 354);
    }
  }
}

TEST(BlockPosition, ScreenPixelsTruncateTowardZeroIntoCells) {
  MakeSingletons();
  board->originX = 252;
  board->originY = 60;
  board->cellSize = 32;
  struct Case {
    int px, column, left;
  };
  for (const Case& c : {Case{252 - 20, 0, 252}, Case{252 - 40, -1, 220}, Case{252 + 31, 0, 252},
                        Case{252 + 32, 1, 284}, Case{700, 14, 252 + 14 * 32}}) {
    EXPECT_EQ(blocks->getXR(c.px), c.column) << c.px;
    EXPECT_EQ(blocks->getX(c.px), c.left) << c.px;
  }
  PutMouse(252 - 40, 60 + 70);
  EXPECT_EQ(blocks->getXR(0), -1);
  EXPECT_EQ(blocks->getYR(0), 2);
  EXPECT_EQ(blocks->getY(0), 60 + 64);
}

TEST(BlockFreeze, HoldsBackDealingForItsLengthAndIsNeverShortened) {
  MakeSingletons();
  EXPECT_EQ(blocks->IsFreze(), 0);
  const int start = MilliSecs();
  blocks->Freze(3000);
  headless::AdvanceClock(1000);
  EXPECT_EQ(blocks->ToDefreze(), 2000);
  headless::AdvanceClock(2000);
  EXPECT_EQ(blocks->IsFreze(), 1);  // t + 3000 still holds
  headless::AdvanceClock(1);
  EXPECT_EQ(blocks->IsFreze(), 0);
  EXPECT_EQ(blocks->ToDefreze(), -1);

  blocks->Freze(3000);  // a new freeze, at t
  headless::AdvanceClock(500);
  blocks->Freze(1000);  // shorter than the 2500 left: nothing changes
  EXPECT_EQ(blocks->ToDefreze(), 2500);
  blocks->Freze(2600);  // longer: starts again
  EXPECT_EQ(blocks->ToDefreze(), 2600);
  EXPECT_EQ(blocks->freezeStartMs, MilliSecs());
  EXPECT_NE(blocks->freezeStartMs, start);

  // Clearing the spells' effects ends a running freeze.
  blocks->Freze(-1);
  EXPECT_EQ(blocks->IsFreze(), 0);
  EXPECT_EQ(blocks->freezeMs, -1);
  blocks->Freze(-1);  // with no freeze running it keeps the no-freeze marker
  EXPECT_EQ(blocks->IsFreze(), 0);
}

}  // namespace
