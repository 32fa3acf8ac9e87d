// Filling the map: the map file read into markers and stage pictures (names, letter case,
// nesting, numbers cut toward zero, missing keys), and Load over the game folder (its pictures,
// their handles, the header texts and the buttons), with pictures that do not load.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "map_fixtures.h"
#include "platform/graphics.h"
#include "support/test_support.h"
#include "toolkit/font.h"

namespace {

using map_test::MapTest;
using test_support::Output;
using test_support::Store;

struct MarkerValues {
  int32_t number, stage, kind, x, y;
  bool operator==(const MarkerValues&) const = default;
};

std::vector<MarkerValues> Markers() {
  std::vector<MarkerValues> out;
  for (const MapLevelPtr& m : *map->levels)
    out.push_back({m->number, m->stage, m->kind, static_cast<int32_t>(m->x), static_cast<int32_t>(m->y)});
  return out;
}

struct StageValues {
  int32_t number;
  std::string image;
  int32_t x, y;
  bool operator==(const StageValues&) const = default;
};

std::vector<StageValues> Stages() {
  std::vector<StageValues> out;
  for (const MapStagePtr& s : *map->stages) out.push_back({s->number, ToUtf8(s->imagePath), s->x, s->y});
  return out;
}

using MapReader = MapTest;

TEST_F(MapReader, EverySubgroupInFileOrderWhateverItsNameAndCase) {
  const std::string output = Output([] {
    map->readMap(Store(R"(
      levels {
        B { number = 2  Stage = 1  KIND = 3  x = 120  Y = 80 }
        A { Number = 1  Stage = 1  Kind = 1  X = 100  Y = 90
            Inner { Number = 9  Stage = 9  Kind = 1  X = 9  Y = 9 }
        }
      }
      STAGES {
        Second { Number = 2  Image = "gfx/two.png"  X = 300  Y = 10 }
        First { Number = 1  Image = "gfx/one.png"  X = 0  Y = 0 }
      }
      Other { Level1 { Number = 5  Stage = 1  Kind = 1  X = 1  Y = 1 } }
    )"));
  });
  EXPECT_EQ(Markers(), (std::vector<MarkerValues>{{2, 1, 3, 120, 80}, {1, 1, 1, 100, 90}}));
  EXPECT_EQ(Stages(), (std::vector<StageValues>{{2, "gfx/two.png", 300, 10}, {1, "gfx/one.png", 0, 0}}));
  // Only the two stage pictures, which do not exist, are reported.
  EXPECT_EQ(output,
            "The map picture gfx/two.png could not be loaded\n"
            "The map picture gfx/one.png could not be loaded\n");
}

TEST_F(MapReader, NumbersAreCutTowardZeroFromTheirFirstValue) {
  struct Case {
    const char* text;
    int32_t x;
  };
  const Case cases[] = {
      {"12.9", 12},
      {"-3.7", -3},
      {"0.99", 0},
      {"5, 9", 5},
      {"\" 7 apples\"", 7},
      {"\"none\"", 0},
      // Beyond the int range, or beyond any float: 0 rather than an undefined conversion.
      {"3000000000", 0},
      {"-3000000000", 0},
      {"2147483520", 2147483520},
      {"1000000000000000000000000000000000000000.0", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    map = std::make_shared<TMapCore>();
    map->readMap(Store(std::string("Levels { L { Number = 1 Stage = 1 Kind = 1 X = ") + c.text +
                       " Y = 4 } }"));
    ASSERT_EQ(map->levels->Count(), 1);
    EXPECT_EQ(map->levels->First()->x, static_cast<float>(c.x));
  }
}

TEST_F(MapReader, MissingKeysAreReportedAndAMarkerNeedsAKindOfOneToFive) {
  const std::string output = Output([] {
    map->readMap(Store(R"(
      Levels {
        NoKind { Number = 1 Stage = 1 X = 1 Y = 1 }
        Zero { Number = 2 Stage = 1 Kind = 0 X = 2 Y = 2 }
        Six { Number = 3 Stage = 1 Kind = 6 X = 3 Y = 3 }
        Bare { Kind = 5 }
      }
      Stages { NoImage { Number = 4 } }
    )"));
  });
  EXPECT_EQ(Markers(), (std::vector<MarkerValues>{{0, 0, 5, 0, 0}}));
  EXPECT_EQ(Stages(), (std::vector<StageValues>{{4, "", 0, 0}}));
  EXPECT_EQ(output,
            "The key Levels::NoKind::Kind does not exist\n"
            "The key Levels::Bare::Number does not exist\n"
            "The key Levels::Bare::Stage does not exist\n"
            "The key Levels::Bare::X does not exist\n"
            "The key Levels::Bare::Y does not exist\n"
            "The key Stages::NoImage::Image does not exist\n"
            "The key Stages::NoImage::X does not exist\n"
            "The key Stages::NoImage::Y does not exist\n"
            "The map picture  could not be loaded\n");
}

TEST_F(MapReader, AnEmptyStoreGivesNoMarkersAndNoStages) {
  EXPECT_EQ(Output([] { map->readMap(CreateTSCFile()); }), "");
  EXPECT_EQ(map->levels->Count(), 0);
  EXPECT_EQ(map->stages->Count(), 0);
}

TEST_F(MapReader, MarkersOfOneKindShareTheirPicturesAndKeepTheOrderOfTheCalls) {
  FillLikeLoad();
  for (int32_t kind : {1, 2, 3, 4, 5, 0, -1, 6}) map->AddLevel(kind, 1, kind, 10 * kind, 0);
  ASSERT_EQ(map->levels->Count(), 5);
  int32_t expectedKind = 1;
  for (const MapLevelPtr& marker : *map->levels) {
    SCOPED_TRACE(expectedKind);
    EXPECT_EQ(marker->kind, expectedKind);
    const auto& row = map->kindImages[static_cast<size_t>(expectedKind - 1)];
    EXPECT_EQ(marker->image, row[0]);
    EXPECT_EQ(marker->doneImage, row[1]);
    ++expectedKind;
  }
  // Kinds 1, 2 and 4 share the very same picture objects.
  const MapLevelPtr first = map->levels->First();
  int shared = 0;
  for (const MapLevelPtr& marker : *map->levels) shared += marker->image == first->image ? 1 : 0;
  EXPECT_EQ(shared, 3);
  // Before the pictures are loaded a marker gets empty ones.
  map = std::make_shared<TMapCore>();
  map->AddLevel(1, 1, 1, 0, 0);
  EXPECT_FALSE(map->levels->First()->image);
}

TEST_F(MapReader, ANewMapIsEmptyAndFullyOpaque) {
  const TMapCore fresh;
  EXPECT_EQ(fresh.levels->Count(), 0);
  EXPECT_EQ(fresh.stages->Count(), 0);
  EXPECT_EQ(fresh.buttons->items->Count(), 0);
  EXPECT_EQ(fresh.fadeAlpha, 1.0f);
  EXPECT_EQ(fresh.currentLevel, 0);
  EXPECT_EQ(fresh.editMode, 0);
}

// Load over the built game folder.
class MapLoad : public MapTest {
 protected:
  void SetUp() override {
    MapTest::SetUp();
    fonts[1] = map_test::DigitFont();
  }
};

TEST_F(MapLoad, PicturesHandlesHeaderTextsAndButtons) {
  EXPECT_EQ(Output([] { map->Load(); }), "");
  EXPECT_TRUE(headless::MessageBoxes().empty());
  ASSERT_TRUE(map->backgroundImage);
  EXPECT_EQ(ImageWidth(map->backgroundImage), 800);
  // Markers and glows are placed by their centres, the rest by the top-left corner.
  auto mid = [](const ImagePtr& image) {
    return image && image->handleX == image->width / 2.0f && image->handleY == image->height / 2.0f;
  };
  auto topLeft = [](const ImagePtr& image) {
    return image && image->handleX == 0.0f && image->handleY == 0.0f;
  };
  EXPECT_TRUE(topLeft(map->backgroundImage));
  EXPECT_TRUE(topLeft(map->headerImages[0]));
  EXPECT_TRUE(topLeft(map->headerImages[1]));
  for (const ImagePtr& glow : map->glowImages) EXPECT_TRUE(mid(glow));
  for (const auto& row : map->kindImages) {
    EXPECT_TRUE(mid(row[0]));
    EXPECT_TRUE(mid(row[1]));
    EXPECT_NE(row[0], row[1]);
  }
  EXPECT_EQ(map->kindImages[1], map->kindImages[0]);
  EXPECT_EQ(map->kindImages[3], map->kindImages[0]);
  EXPECT_NE(map->kindImages[2][0], map->kindImages[0][0]);
  EXPECT_NE(map->kindImages[4][0], map->kindImages[2][0]);
  EXPECT_EQ(ImageWidth(map->kindImages[4][0]), 48);  // the boss marker is the larger one

  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const TextPtr& text = map->headerTexts[i];
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text, String());
    EXPECT_EQ(text->font.bitmap, fonts[1]);
    EXPECT_EQ(text->dim->x, 400.0f);
    EXPECT_EQ(text->dim->y, 564.0f);
    EXPECT_EQ(text->dim->handleMode, 0);
    EXPECT_EQ(text->alpha, 1.0f);
  }
  EXPECT_FALSE(map->headerTexts[2]);
  EXPECT_FALSE(map->headerTexts[3]);

  ASSERT_EQ(map->buttons->items->Count(), 2);
  struct Expected {
    int id;
    float x;
  };
  const Expected buttons[] = {{kMapMenuButton, 194.0f}, {kMapPlayButton, 520.0f}};
  size_t i = 0;
  for (const ButtonPtr& button : *map->buttons->items) {
    SCOPED_TRACE(i);
    EXPECT_EQ(button->id, buttons[i].id);
    EXPECT_EQ(button->dim->x, buttons[i].x);
    EXPECT_EQ(button->dim->y, 566.0f);
    EXPECT_EQ(button->dim->width, 84.0f);
    EXPECT_EQ(button->dim->height, 28.0f);
    EXPECT_EQ(button->extraValue, 1.0f);
    auto image = std::dynamic_pointer_cast<TImageButton>(button);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->overStyle, 2);
    ++i;
  }
  // The shipped map file is read: a marker per level and a picture per stage, pictures loaded.
  EXPECT_GT(map->levels->Count(), 0);
  EXPECT_GT(map->stages->Count(), 0);
  for (const MapStagePtr& stage : *map->stages) EXPECT_TRUE(stage->image) << ToUtf8(stage->imagePath);
}

TEST_F(MapLoad, TheShippedMapShowsAfterEachOfTheFirstLevels) {
  for (int32_t finished : {1, 2, 3}) {
    SCOPED_TRACE(finished);
    NextCase();
    fonts[1] = map_test::DigitFont();
    map->Load();
    sequencer->Start(1);
    ClickInPass(20, 560, 580);  // Play
    EXPECT_EQ(ShowWith(finished), kMapPlayOn);
    EXPECT_EQ(map->currentLevel, finished + 1);
    EXPECT_EQ(map->currentStage, 1);
    EXPECT_EQ(map->headerTexts[0]->text, FromInt(finished + 1));
    EXPECT_EQ(map->headerTexts[1]->text, FromInt(sequencer->lastLevel));
  }
}

TEST_F(MapLoad, FixedPicturesThatDoNotLoadAreReportedOnceAndLeftOut) {
  // A game folder holding the archives but, of the map's own pictures, only the map picture
  // and the played marker of kind 1.
  namespace fs = std::filesystem;
  const fs::path root = fs::path(test_support::TempHome()) / "game";
  fs::create_directories(root / "gfx/mapa");
  fs::create_directory_symlink(fs::current_path() / "data", root / "data");
  fs::copy_file("gfx/mapa/mapa.jpg", root / "gfx/mapa/mapa.jpg");
  fs::copy_file("gfx/mapa/k1.png", root / "gfx/mapa/k1.png");
  bundleDir = root.string() + "/";
  const std::string output = Output([] { map->Load(); });
  const std::string prefix = "The map picture " + bundleDir + "gfx/mapa/";
  EXPECT_EQ(output, prefix + "k1c.png could not be loaded\n" + prefix + "k2c.png could not be loaded\n" +
                        prefix + "k3c.png could not be loaded\n" + prefix +
                        "level.png could not be loaded\n" + prefix + "of.png could not be loaded\n" +
                        prefix + "k1b.png could not be loaded\n" + prefix +
                        "k2b.png could not be loaded\n" + prefix + "k2.png could not be loaded\n" +
                        prefix + "k3b.png could not be loaded\n" + prefix +
                        "k3.png could not be loaded\n");
  EXPECT_TRUE(map->backgroundImage);
  ASSERT_TRUE(map->kindImages[0][1]);
  EXPECT_EQ(map->kindImages[0][1]->handleX, 20.0f);
  EXPECT_FALSE(map->kindImages[0][0]);
  // The buttons' own loader tells of their pictures; the map still has both buttons.
  EXPECT_EQ(headless::MessageBoxes().size(), 2u);
  EXPECT_EQ(map->buttons->items->Count(), 2);
  // The map draws and shows without the missing pictures.
  map->levels->AddLast(TMapLevel::Create(1, 1, 5, 100, 100, nullptr, nullptr));
  ClickInPass(20, 400, 300);
  EXPECT_EQ(ShowWith(0), kMapPlayOn);
}

}  // namespace
