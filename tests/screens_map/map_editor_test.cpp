// The map editor, one step at a time and inside the map screen: selection, moves with the
// single-precision steps, kinds, level stepping with its wrap, and the save (its text, reading
// it back, failures, and presses made before the map opened).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "map_fixtures.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/system.h"
#include "support/test_support.h"

namespace {

using map_test::MapTest;
using test_support::Output;
using test_support::Store;

class MapEditor : public MapTest {
 protected:
  void SetUp() override {
    MapTest::SetUp();
    FillLikeLoad();
    map->editMode = 1;
  }
  // Keys go down (and up) now, before the next step.
  static void Hold(const std::vector<int>& keys, bool down = true) {
    for (int key : keys) headless::KeyAt(headless::FrameNumber(), key, down);
    PollSystem();
  }
  static void Press(int key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      Hold({key}, true);
      Hold({key}, false);
    }
  }
  // `frames` editor steps, a frame apart.
  static void Steps(int frames) {
    for (int i = 0; i < frames; ++i) {
      map->editorStep();
      Flip(-1);
      PollSystem();
    }
  }
  MapStagePtr AddStage(int32_t number, int32_t x, int32_t y) {
    auto stage = std::make_shared<TMapStage>();
    stage->number = number;
    stage->x = x;
    stage->y = y;
    stage->imagePath = S("gfx/mapa/stage-") + FromInt(number) + S(".png");
    map->stages->AddLast(stage);
    return stage;
  }
};

TEST_F(MapEditor, ArrowsMoveTheMarkerInFloatStepsAndWithLeftControlItsStagePicture) {
  struct Case {
    const char* name;
    std::vector<int> keys;
    float startX, startY;
    int frames;
    double x, y;             // the marker afterwards, exactly
    int32_t stageX, stageY;  // the picture afterwards (from 50, 60)
  };
  const Case cases[] = {
      {"ten fine Up steps", {KEY_UP}, 10.0f, 100.0f, 10, 10.0, 99.0000152587890625, 50, 60},
      {"ten fine Down steps", {KEY_DOWN}, 10.0f, 100.0f, 10, 10.0, 100.9999847412109375, 50, 60},
      {"Shift, Up and Down near zero", {KEY_LSHIFT, KEY_UP, KEY_DOWN}, 0.2f, 0.2f, 1, 0.2f,
       0.199999988079071044921875, 50, 60},
      {"Shift-Left past the edge", {KEY_LSHIFT, KEY_LEFT}, 0.5f, 3.0f, 1, -0.5, 3.0, 50, 60},
      {"Shift-Right three frames", {KEY_LSHIFT, KEY_RIGHT}, 412.5f, 3.0f, 3, 415.5, 3.0, 50, 60},
      {"Control, Shift and Up five frames", {KEY_LCONTROL, KEY_LSHIFT, KEY_UP}, 1.0f, 2.0f, 5, 1.0,
       2.0, 50, 55},
      {"Control alone: one pixel too", {KEY_LCONTROL, KEY_RIGHT, KEY_DOWN}, 1.0f, 2.0f, 3, 1.0, 2.0,
       53, 63},
      {"Control, Shift, Left and Right", {KEY_LCONTROL, KEY_LSHIFT, KEY_LEFT, KEY_RIGHT}, 1.0f, 2.0f,
       4, 1.0, 2.0, 50, 60},
      {"right-hand modifiers: the fine marker step",
       {KEY_RCONTROL, KEY_RSHIFT, KEY_RIGHT}, 10.0f, 2.0f, 1, 10.0f + 0.1f, 2.0, 50, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NextCase();
    map->AddLevel(1, 1, 1, 0, 0);
    const MapLevelPtr marker = map->levels->First();
    marker->x = c.startX;
    marker->y = c.startY;
    const MapStagePtr stage = AddStage(1, 50, 60);
    map->currentLevel = 1;
    Hold(c.keys);
    Steps(c.frames);
    EXPECT_EQ(static_cast<double>(marker->x), c.x);
    EXPECT_EQ(static_cast<double>(marker->y), c.y);
    EXPECT_EQ(stage->x, c.stageX);
    EXPECT_EQ(stage->y, c.stageY);
    Hold(c.keys, false);
  }
}

TEST_F(MapEditor, SelectsTheFirstMarkerOfTheLevelAndThePictureOfItsStage) {
  map->AddLevel(2, 7, 1, 100, 100);
  map->AddLevel(2, 8, 1, 200, 100);  // the same number: never selected
  const MapLevelPtr twin = map->levels->Last();
  map->AddLevel(3, 9, 1, 300, 100);  // a stage without a picture
  AddStage(8, 0, 0);
  const MapStagePtr seven = AddStage(7, 10, 10);
  AddStage(7, 20, 20);
  map->headerTexts[0]->text = S("x");
  map->currentStage = 4;

  map->currentLevel = 2;
  Hold({KEY_LSHIFT, KEY_RIGHT});
  Steps(1);
  EXPECT_EQ(map->levels->First()->x, 101.0f);
  EXPECT_EQ(twin->x, 200.0f);
  EXPECT_EQ(map->headerTexts[0]->text, S("2"));
  EXPECT_EQ(map->currentStage, 7);
  Hold({KEY_LCONTROL});
  Steps(1);
  EXPECT_EQ(seven->x, 11);
  Hold({KEY_LCONTROL}, false);

  // Level 3's stage has no picture: the stage stays, the marker still moves, Control moves
  // nothing.
  map->currentLevel = 3;
  Steps(1);
  EXPECT_EQ(map->headerTexts[0]->text, S("3"));
  EXPECT_EQ(map->currentStage, 7);
  EXPECT_EQ(map->levels->Last()->x, 301.0f);
  Hold({KEY_LCONTROL});
  Steps(1);
  EXPECT_EQ(map->levels->Last()->x, 301.0f);
  Hold({KEY_LCONTROL, KEY_LSHIFT, KEY_RIGHT}, false);

  // No marker of the level: nothing is selected or moved, K does nothing, the header and the
  // stage stay.
  map->levels->RemoveLast();
  map->currentLevel = 3;
  map->headerTexts[0]->text = S("y");
  Hold({KEY_LSHIFT, KEY_RIGHT});
  Press(KEY_K);
  map->editorStep();
  EXPECT_EQ(map->headerTexts[0]->text, S("y"));
  EXPECT_EQ(map->currentStage, 7);
  EXPECT_EQ(map->levels->First()->x, 101.0f);
  EXPECT_EQ(map->levels->First()->kind, 1);
  EXPECT_EQ(map->currentLevel, 1);  // beyond the two markers: wrapped
}

TEST_F(MapEditor, KGivesTheNextKindAndItsPicturesOncePerStep) {
  map->AddLevel(1, 1, 5, 0, 0);
  const MapLevelPtr marker = map->levels->First();
  map->currentLevel = 1;
  const int32_t expected[] = {1, 2, 3, 4, 5};
  for (int32_t kind : expected) {
    SCOPED_TRACE(kind);
    Press(KEY_K);
    Steps(1);
    EXPECT_EQ(marker->kind, kind);
    EXPECT_EQ(marker->image, map->kindImages[static_cast<size_t>(kind - 1)][0]);
    EXPECT_EQ(marker->doneImage, map->kindImages[static_cast<size_t>(kind - 1)][1]);
  }
  // Two presses counted between two steps act once.
  Press(KEY_K, 2);
  Steps(1);
  EXPECT_EQ(marker->kind, 1);
  // Nothing else of the marker changes.
  EXPECT_EQ(marker->x, 0.0f);
  EXPECT_EQ(marker->number, 1);
  EXPECT_EQ(marker->pulse, 1.0f);
}

TEST_F(MapEditor, LevelKeysStepAndEveryStepWrapsIntoTheMarkerCount) {
  struct Case {
    const char* name;
    int32_t level;
    int markers;
    bool down, up;
    int32_t expected;
  };
  const Case cases[] = {
      {"1 at level 1", 1, 3, true, false, 3},
      {"2 at the count", 3, 3, false, true, 1},
      {"both keys", 2, 3, true, true, 2},
      {"no key", 2, 3, false, false, 2},
      {"a level beyond the markers", 7, 3, false, false, 1},
      {"the largest level, 2", INT32_MAX, 3, false, true, 1},
      {"no markers at 1", 1, 0, false, false, 1},
      {"no markers at 0", 0, 0, false, false, 0},
      {"no markers, 1 at 1", 1, 0, true, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NextCase();
    for (int i = 1; i <= c.markers; ++i) map->AddLevel(i, 1, 1, 100 * i, 100);
    map->currentLevel = c.level;
    if (c.down) Press(KEY_1);
    if (c.up) Press(KEY_2);
    Steps(1);
    EXPECT_EQ(map->currentLevel, c.expected);
  }
}

TEST_F(MapEditor, SaveWritesLevelsThenStagesInTheStoresNumberText) {
  map->AddLevel(3, 1, 3, 412, 80);
  map->levels->First()->x = 412.1f;
  map->AddLevel(4, 2, 5, 0, -7);
  map->levels->Last()->x = 412.5f;
  AddStage(1, -5, 12);
  EXPECT_EQ(ToUtf8(map->editorStore()->SaveToText()),
            "Levels{\n"
            "\tLevel3{\n"
            "\t\tNumber=3.00000000\n"
            "\t\tStage=1.00000000\n"
            "\t\tKind=3.00000000\n"
            "\t\tX=412.100006\n"
            "\t\tY=80.0000000\n"
            "\t}\n"
            "\tLevel4{\n"
            "\t\tNumber=4.00000000\n"
            "\t\tStage=2.00000000\n"
            "\t\tKind=5.00000000\n"
            "\t\tX=412.500000\n"
            "\t\tY=-7.00000000\n"
            "\t}\n"
            "}\n"
            "Stages{\n"
            "\tStage1{\n"
            "\t\tNumber=1.00000000\n"
            "\t\tImage=\"gfx/mapa/stage-1.png\"\n"
            "\t\tX=-5.00000000\n"
            "\t\tY=12.0000000\n"
            "\t}\n"
            "}\n");
  // An empty map: the two empty groups.
  map = std::make_shared<TMapCore>();
  EXPECT_EQ(ToUtf8(map->editorStore()->SaveToText()), "Levels{\n}\nStages{\n}\n");
}

TEST_F(MapEditor, ASavedMapReadsBackIntoEqualLists) {
  // Negative and repeated numbers get names of their own; a path with a quote and a backslash
  // comes back unchanged.
  map->AddLevel(2, 1, 1, 10, 20);
  map->AddLevel(-3, 1, 3, 30, 40);
  map->AddLevel(2, 2, 5, 50, 60);
  map->AddLevel(-3, 2, 1, 70, 80);
  map->levels->First()->x = 10.5f;  // cut toward zero when read back
  AddStage(1, 1, 2);
  AddStage(1, 3, 4)->imagePath = S("gfx/a \"quoted\" \\ path.png");
  AddStage(-1, 5, 6);
  const String text = map->editorStore()->SaveToText();
  EXPECT_NE(text.find(S("Level2_2{")), String::npos);
  EXPECT_NE(text.find(S("Level_3{")), String::npos);
  EXPECT_NE(text.find(S("Level_3_2{")), String::npos);
  EXPECT_NE(text.find(S("Stage_1{")), String::npos);

  const MapCorePtr saved = map;
  map = std::make_shared<TMapCore>();
  FillLikeLoad();
  Output([&] { map->readMap(Store(ToUtf8(text))); });
  ASSERT_EQ(map->levels->Count(), saved->levels->Count());
  auto a = saved->levels->begin();
  for (const MapLevelPtr& m : *map->levels) {
    EXPECT_EQ(m->number, (*a)->number);
    EXPECT_EQ(m->stage, (*a)->stage);
    EXPECT_EQ(m->kind, (*a)->kind);
    EXPECT_EQ(m->x, static_cast<float>(static_cast<int32_t>((*a)->x)));
    EXPECT_EQ(m->y, (*a)->y);
    ++a;
  }
  ASSERT_EQ(map->stages->Count(), saved->stages->Count());
  auto b = saved->stages->begin();
  for (const MapStagePtr& s : *map->stages) {
    EXPECT_EQ(s->number, (*b)->number);
    EXPECT_EQ(s->imagePath, (*b)->imagePath);
    EXPECT_EQ(s->x, (*b)->x);
    EXPECT_EQ(s->y, (*b)->y);
    ++b;
  }
}

class MapEditorSave : public MapEditor {
 protected:
  void SetUp() override {
    MapEditor::SetUp();
    // A working folder of its own, with a data folder and an earlier map file.
    folder = std::filesystem::path(test_support::TempHome()) / "work";
    std::filesystem::create_directories(folder / "data");
    ASSERT_TRUE(ChangeDir(folder.string()));
    ASSERT_TRUE(SaveText(S("old"), kMapEditorFile));
    map->AddLevel(1, 1, 1, 10, 20);
    AddStage(1, 0, 0);
    map->currentLevel = 1;
  }
  static std::string MapFileText() { return ToUtf8(LoadText(kMapEditorFile)); }
  std::filesystem::path folder;
};

TEST_F(MapEditorSave, SWritesTheMapFileSilently) {
  Press(KEY_S, 2);
  EXPECT_EQ(Output([] { Steps(1); }), "");
  EXPECT_EQ(MapFileText(), ToUtf8(map->editorStore()->SaveToText()));
}

TEST_F(MapEditorSave, AFailedSaveKeepsTheOldFileAndSaysSo) {
  // A name so long that no temporary file can be made beside it, whoever runs the test.
  const std::string longName = "data/" + std::string(250, 'm');
  std::ofstream(longName) << "old";
  EXPECT_EQ(Output([&] { EXPECT_FALSE(map->saveMap(longName)); }),
            "The map could not be saved to " + longName + "\n");
  EXPECT_EQ(ToUtf8(LoadText(longName)), "old");
  // No data folder at all.
  std::filesystem::remove_all(folder / "data");
  Press(KEY_S);
  EXPECT_EQ(Output([] { Steps(1); }), "The map could not be saved to data/map.tsc\n");
}

TEST_F(MapEditorSave, PressesMadeBeforeTheMapOpenedDoNothing) {
  map->AddLevel(2, 1, 1, 30, 20);
  Press(KEY_S);
  Press(KEY_K);
  Press(KEY_2);
  ClickInPass(20, 400, 300);
  ShowWith(0);
  EXPECT_EQ(MapFileText(), "old");
  EXPECT_EQ(map->levels->First()->kind, 1);
  EXPECT_EQ(map->currentLevel, 1);
}

TEST_F(MapEditor, StepRunsInEveryPassButTheLastAndShowsFromTheNextFrame) {
  map->AddLevel(1, 1, 1, 100, 100);
  const MapLevelPtr marker = map->levels->First();
  // Right alone (left Shift would turn the click into a right-button one): 0.1 per step.
  Hold({KEY_RIGHT});
  ClickInPass(20, 400, 300);
  std::vector<float> drawnAt;
  ShowWith(0, [&](int) { drawnAt.push_back(marker->x); });
  ASSERT_EQ(drawnAt.size(), 36u);
  // Each frame shows the moves of the passes before it, in every fade state.
  float x = 100.0f;
  for (size_t pass = 0; pass < drawnAt.size(); ++pass) {
    EXPECT_EQ(drawnAt[pass], x) << pass + 1;
    x = x + 0.1f;
  }
  // None in the pass that returned.
  EXPECT_EQ(marker->x, drawnAt.back());
}

}  // namespace
