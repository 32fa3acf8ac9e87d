// The rune catalogue read from key/group text, its lookups, its drawing by cell size, the
// spark colours of a colour number and the rune sparks.
#include <gtest/gtest.h>

#include "pieces_fixtures.h"
#include "platform/system.h"

using namespace pieces;

namespace {

// One rune group; an empty file name leaves the key out.
std::string RuneGroup(int n, const std::string& id, const std::string& colour,
                      const std::string& file, const std::string& extra = "") {
  std::string g = "Rune" + std::to_string(n) + " {\n id = \"" + id + "\"\n color = \"" + colour +
                  "\"\n";
  if (!file.empty()) g += " fileName = \"" + file + "\"\n";
  return g + extra + "}\n";
}

class RuneCatalogue : public testing::Test {
 protected:
  void SetUp() override {
    MakeSingletons();
    red_ = SavePicture("runes/red.png", 32, 32, kRed);
    green40_ = SavePicture("runes/green40.png", 40, 40, kGreen);
  }
  std::string red_, green40_;
};

TEST_F(RuneCatalogue, ReadsIdsColoursStonesAndSparkRanges) {
  const std::string text =
      "List {\n Quantity = 4\n" +
      RuneGroup(1, "1", "1", red_,
                " fileName2 = \"" + green40_ + "\"\n blocked = 0\n blockedID = \"101\"\n"
                " width = 1\n height = 2.9\n title = \"Red\"\n description = \"A red rune\"\n"
                " rgb = \"200,255:40,90:0,30\"\n") +
      RuneGroup(2, "101", "1", red_,
                " blocked = 1\n unblocked = \"1\"\n blockedID = \"101\"\n"
                " rgb = \"1,2:3,4:5,6\"\n") +
      RuneGroup(3, "7", "03", red_, " blocked = 0\n unblocked = \"5\"\n") +
      RuneGroup(4, "1", "9", red_) + "}\n";
  std::string out = Output([&] { runes->readCatalogue(Store(text)); });

  ASSERT_EQ(runes->runes->Count(), 4);
  RunePtr first = runes->_findRuneByID(u"1");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->color, u"1");  // the first of two runes with the same id
  EXPECT_EQ(first->blockedId, u"101");
  EXPECT_EQ(first->title, u"Red");
  EXPECT_EQ(first->description, u"A red rune");
  EXPECT_EQ(first->width, 1);
  EXPECT_EQ(first->height, 2);
  EXPECT_EQ(ImageWidth(first->image), 32);
  EXPECT_EQ(ImageWidth(first->image40), 40);
  EXPECT_EQ((std::vector<int>{first->redMin, first->redMax, first->greenMin, first->greenMax,
                              first->blueMin, first->blueMax}),
            (std::vector<int>{200, 255, 40, 90, 0, 30}));

  EXPECT_EQ(runes->isBlocked(101), 1);
  EXPECT_EQ(runes->isBlocked(1), 0);
  EXPECT_EQ(runes->isBlocked(55), 0);
  EXPECT_EQ(runes->unblocked(101), 1);
  // The unblocked key is read only for a stone.
  EXPECT_EQ(runes->_findRuneByID(u"7")->unblockedId, u"");
  EXPECT_EQ(runes->getRuneColor(u"7"), 3);
  EXPECT_EQ(runes->getRuneColor(u"1"), 1);
  EXPECT_EQ(runes->getRuneColor(u"55"), 0);
  EXPECT_EQ(runes->_findRuneByID(u"55"), nullptr);
  EXPECT_EQ(runes->_findRuneByID(u"01"), nullptr);  // ids compare as text
  // Keys left out of a group are reported by the store, and the rune is built all the same.
  EXPECT_NE(out.find("The key List::Rune4::rgb does not exist"), std::string::npos) << out;
  EXPECT_EQ(runes->_findRuneByID(u"7")->redMax, 0);
}

TEST_F(RuneCatalogue, RuneWhoseImageDoesNotLoadIsReportedAndLeftOut) {
  const std::string text = "List {\n Quantity = 2\n" +
                           RuneGroup(1, "1", "1", test_support::TempHome() + "/missing.png") +
                           RuneGroup(2, "2", "2", red_) + "}\n";
  std::string out = Output([&] { runes->readCatalogue(Store(text)); });
  EXPECT_EQ(runes->runes->Count(), 1);
  EXPECT_EQ(runes->_findRuneByID(u"1"), nullptr);
  EXPECT_EQ(runes->getRuneColor(u"1"), 0);
  EXPECT_NE(out.find("Rune 1 left out: cannot load its image"), std::string::npos) << out;
  EXPECT_NE(out.find("missing.png"), std::string::npos);
}

TEST_F(RuneCatalogue, MissingQuantityLeavesTheCatalogueEmpty) {
  std::string out = Output([&] { runes->readCatalogue(Store("Other { a = 1 }\n")); });
  EXPECT_EQ(runes->runes->Count(), 0);
  EXPECT_NE(out.find("The key List::Quantity does not exist"), std::string::npos);
}

TEST_F(RuneCatalogue, DrawUsesThePictureOfTheBoardsCellSize) {
  OpenScreen();
  runes->readCatalogue(Store("List {\n Quantity = 1\n" +
                             RuneGroup(1, "4", "4", red_, " fileName2 = \"" + green40_ + "\"\n") +
                             "}\n"));
  struct Case {
    int cellSize;
    bool (*match)(int, int, int);
    int side;
  };
  for (const Case& c : {Case{32, Reddish, 32}, Case{40, Greenish, 40}}) {
    SCOPED_TRACE(c.cellSize);
    Cls();
    SetBlend(ALPHABLEND);
    board->cellSize = c.cellSize;
    runes->Draw(4, 100.0f, 50);
    runes->Draw(99, 300.0f, 300);  // not in the catalogue: nothing drawn
    Box box = FindBox([](int r, int g, int b) { return r + g + b > 0; });
    Box wanted = FindBox(c.match);
    EXPECT_EQ(wanted.left, 100);
    EXPECT_EQ(wanted.top, 50);
    EXPECT_EQ(wanted.Width(), c.side);
    EXPECT_EQ(box.right, wanted.right);
  }
}

TEST(RuneSparks, ColourComponentsComeFromTheFirstOrdinaryRuneOfTheColour) {
  MakeSingletons();
  auto range = [](RunePtr r, int r0, int r1, int g0, int g1, int b0, int b1) {
    r->redMin = r0; r->redMax = r1; r->greenMin = g0; r->greenMax = g1;
    r->blueMin = b0; r->blueMax = b1;
  };
  RunePtr stone = AddRune("103", "3", kRed);
  stone->blocked = 1;
  range(stone, 250, 250, 250, 250, 250, 250);
  range(AddRune("3", "3", kRed), 10, 10, 20, 20, 30, 30);
  range(AddRune("33", "3", kRed), 99, 99, 99, 99, 99, 99);
  range(AddRune("5", "5", kRed), 90, 40, 0, 255, 7, 8);
  range(AddRune("6", "06", kRed), 1, 1, 1, 1, 1, 1);

  for (int k = 0; k < 50; ++k) {
    EXPECT_EQ(runes->getRuneRGB(3, 1), 10);
    EXPECT_EQ(runes->getRuneRGB(3, 2), 20);
    EXPECT_EQ(runes->getRuneRGB(3, 3), 30);
    const int red5 = runes->getRuneRGB(5, 1);  // written high bound first
    EXPECT_GE(red5, 40);
    EXPECT_LE(red5, 90);
    const int blue5 = runes->getRuneRGB(5, 3);
    EXPECT_GE(blue5, 7);
    EXPECT_LE(blue5, 8);
  }
  EXPECT_EQ(runes->getRuneRGB(3, 4), 0);  // no such component
  EXPECT_EQ(runes->getRuneRGB(6, 1), 0);  // "06" is not the text of 6
  EXPECT_EQ(runes->getRuneRGB(8, 1), 0);  // no rune of that colour
  EXPECT_EQ(runes->getRuneColor(u"6"), 6);
}

TEST(RuneSparks, SparkIsPlacedAndColouredWithTheRandomDrawsInOrder) {
  MakeSingletons();
  RunePtr r = AddRune("2", "2", kRed);
  r->redMin = 100; r->redMax = 200; r->greenMin = 0; r->greenMax = 50;
  r->blueMin = 60; r->blueMax = 70;
  RunePtr fast = AddRune("12", "12", kRed);
  fast->redMin = fast->redMax = 5;
  board->originX = 252;
  board->originY = 60;
  board->cellSize = 40;
  for (size_t i = 1; i <= 3; ++i) sparkImages[i] = LoadImage(CreatePixmap(int(i), 1), 0);

  struct Case {
    int colour, cellX, cellY, screenX, screenY;
  };
  for (const Case& c : {Case{2, 3, 4, 0, 0}, Case{2, 3, 4, 0, 250}, Case{2, 1, 1, 500, 0},
                        Case{12, 0, 0, 0, 0}}) {
    SCOPED_TRACE(c.colour * 1000 + c.screenX + c.screenY);
    TSpark::destroyAll();
    SeedRnd(1234);
    const bool slow = c.colour < 10;
    const int red = slow ? Rand(100, 200) : Rand(5, 5);
    const int green = slow ? Rand(0, 50) : Rand(0, 0);
    const int blue = slow ? Rand(60, 70) : Rand(0, 0);
    int x = 252 + c.cellX * 40 + Rand(-7, 12);
    int y = 60 + c.cellY * 40 + Rand(-7, 12);
    if (c.screenX != 0) x = c.screenX + Rand(-7, 12);
    if (c.screenY != 0) y = c.screenY + Rand(-7, 12);
    const float scale = static_cast<float>(slow ? Rnd(0.6, 1.0) : Rnd(0.5, 0.9));
    const int life = Rand(10, 40);
    const int image = Rand(1, 3);

    SeedRnd(1234);
    runes->particleRune(c.colour, c.cellX, c.cellY, 3.0f, -2.0f, c.screenX, c.screenY);
    ASSERT_EQ(SparkList->Count(), 1);
    SparkPtr s = SparkList->First();
    EXPECT_EQ(s->red, red);
    EXPECT_EQ(s->green, green);
    EXPECT_EQ(s->blue, blue);
    EXPECT_EQ(s->x, static_cast<float>(x));
    EXPECT_EQ(s->y, static_cast<float>(y));
    EXPECT_EQ(s->scale, scale);
    EXPECT_EQ(s->maxLife, static_cast<float>(life));
    EXPECT_EQ(s->image, sparkImages[static_cast<size_t>(image)]);
    EXPECT_EQ(s->blend, 1);
    EXPECT_EQ(s->alphaMode, 0);
    EXPECT_EQ(s->vx, slow ? 0.0f : 3.0f);
    EXPECT_EQ(s->vy, slow ? 0.0f : -2.0f);
  }
}

TEST(RuneSparks, SparksOfAColourWithoutRunesAreBlack) {
  MakeSingletons();
  runes->particleRune(4, 0, 0, 0, 0, 0, 0);
  ASSERT_EQ(SparkList->Count(), 1);
  SparkPtr s = SparkList->First();
  EXPECT_EQ(s->red + s->green + s->blue, 0);
}

}  // namespace
