// Frame pieces listed by a level file.
#include <gtest/gtest.h>

#include "game_pieces/pieces_fixtures.h"
#include <set>

#include "platform/system.h"

using namespace pieces;

namespace {

struct FramePiece {
  int kind, cellX, cellY, size, variant;
  bool operator==(const FramePiece&) const = default;
};

std::vector<FramePiece> Pieces() {
  std::vector<FramePiece> out;
  for (const FrameElementPtr& e : *board->frameList)
    out.push_back({e->kind, e->x, e->y, e->size, e->id});
  return out;
}

TEST(BoardFrame, PiecesAreReadKindByKindInTheOrderOfTheirNumbers) {
  MakeSingletons();
  const char* level = R"(Frame {
    LQ = 2.9  RQ = 0  TQ = 1  BQ = -1  LUCQ = 1  RUCQ = 0  LLCQ = 0  RLCQ = 0
    Left { x1 = -1 y1 = 0 size1 = 3 id1 = 2  x2 = -1 y2 = 3.7 size2 = 1 id2 = 1
           x3 = 5 y3 = 5 size3 = 1 id3 = 1 }
    Top { x1 = 4 y1 = -1 size1 = 2 id1 = 1 }
    Bottom { x1 = 9 y1 = 9 size1 = 9 id1 = 9 }
    LeftUpperCorner { x1 = -1 y1 = -1 size1 = 0 id1 = 7 }
  })";
  board->frameList = CreateList<FrameElementPtr>();
  board->frameList->AddLast(std::make_shared<TFrameElement>());
  std::string out = Output([&] { board->loadFrame(Store(level)); });
  std::vector<FramePiece> pieces = Pieces();
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0], (FramePiece{0, -1, 0, 3, 2}));
  EXPECT_EQ(pieces[1], (FramePiece{0, -1, 3, 1, 1}));
  EXPECT_EQ(pieces[2], (FramePiece{2, 4, -1, 2, 1}));
  EXPECT_EQ(pieces[3].kind, 4);
  EXPECT_EQ(pieces[3].cellX, -1);
  EXPECT_GE(pieces[3].variant, 0);  // a corner's look is drawn at random
  EXPECT_LE(pieces[3].variant, 2);
  EXPECT_EQ(out, "");
}

TEST(BoardFrame, CornerVariantIsDrawnAnewAtEveryLoad) {
  MakeSingletons();
  const auto level = Store("Frame { LQ = 0 RQ = 0 TQ = 0 BQ = 0 LUCQ = 0 RUCQ = 0 LLCQ = 0 "
                           "RLCQ = 1 RightLowerCorner { x1 = 15 y1 = 15 size1 = 3 id1 = 9 } }");
  std::set<int> seen;
  for (int k = 0; k < 60; ++k) {
    board->loadFrame(level);
    ASSERT_EQ(board->frameList->Count(), 1);
    const FramePiece p = Pieces()[0];
    EXPECT_EQ(p.kind, 7);
    EXPECT_EQ(p.size, 3);
    seen.insert(p.variant);
  }
  EXPECT_EQ(seen, (std::set<int>{0, 1, 2}));
}

TEST(BoardFrame, LevelWithoutAFrameGivesAnEmptyList) {
  MakeSingletons();
  std::string out = Output([] { board->loadFrame(Store("Board { Line1 = \"1\" }")); });
  ASSERT_TRUE(board->frameList);
  EXPECT_EQ(board->frameList->Count(), 0);
  EXPECT_EQ(CountOf(out, "does not exist"), 8);
  EXPECT_NE(out.find("The key Frame::RLCQ does not exist"), std::string::npos);
}

TEST(BoardFrame, MissingPieceKeysGiveZero) {
  MakeSingletons();
  std::string out;
  out = Output([] {
    board->loadFrame(Store("Frame { LQ = 0 RQ = 1 TQ = 0 BQ = 0 LUCQ = 0 RUCQ = 0 LLCQ = 0 "
                           "RLCQ = 0 Right { x1 = 15 } }"));
  });
  EXPECT_EQ(Pieces(), (std::vector<FramePiece>{{1, 15, 0, 0, 0}}));
  EXPECT_EQ(CountOf(out, "does not exist"), 3);
  EXPECT_NE(out.find("The key Frame::Right::size1 does not exist"), std::string::npos);
}

TEST(BoardFrame, CountBeyondWhatAFrameCanHoldIsRefusedWithAMessage) {
  MakeSingletons();
  const TSCFilePtr damaged =
      Store("Frame { LQ = 1000000000 RQ = 1 TQ = \"1e30\" BQ = \"-1e30\" LUCQ = 0 RUCQ = 0 "
            "LLCQ = 0 RLCQ = 0 Right { x1 = 15 y1 = 2 size1 = 2 id1 = 1 } }");
  std::string out = Output([&] { board->loadFrame(damaged); });
  EXPECT_EQ(Pieces(), (std::vector<FramePiece>{{1, 15, 2, 2, 1}}));
  EXPECT_EQ(CountOf(out, "asks for more pieces than a frame can hold"), 2);
  EXPECT_NE(out.find("Frame::LQ asks for more pieces"), std::string::npos);
  EXPECT_NE(out.find("Frame::TQ asks for more pieces"), std::string::npos);
  EXPECT_EQ(CountOf(out, "does not exist"), 0);
}

}  // namespace
