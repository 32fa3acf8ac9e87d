// The level's background search, its music, the summary's resources, Draw and finish.
#include "levels_fixtures.h"
#include "platform/graphics.h"
#include "platform/sound.h"
#include "toolkit/spark.h"

namespace {

class ResourcesTest : public testing::Test {
 protected:
  void SetUp() override {
    levels::MakeSingletons();
    bundleDir = test_support::TempHome() + "/game/";
    levels::WritePicture(bundleDir + "gfx/slides/1a.jpg", 0xFF102030u);
  }
  // loadGfx for a background name; true when it loaded a new picture.
  static bool LoadBackground(const std::string& name) {
    level->backgroundImage = FromUtf8(name);
    const ImagePtr before = level->background;
    level->loadGfx();
    return level->background != before;
  }
};

TEST_F(ResourcesTest, TheBackgroundIsSearchedInFourPlaces) {
  const std::string own =
      levels::WritePicture(test_support::TempHome() + "/own/sky.jpg", 0xFF0000FFu);
  levels::WritePicture(myDocsFolder + "/custom-art/mine.jpg", 0xFF00FF00u);
  levels::WritePicture(myDocsFolder + "/custom-art/both.jpg", 0xFF00FF00u);
  levels::WritePicture(bundleDir + "gfx/slides/both.jpg", 0xFFFF0000u);
  levels::WritePicture(bundleDir + "gfx/slides/7a.jpg", 0xFFFF0000u);
  struct Case {
    std::string name;
    std::string loadedFrom;
  };
  for (const Case& c : {Case{own, own}, Case{"art/mine.jpg", myDocsFolder + "/custom-art/mine.jpg"},
                        Case{"x/both.jpg", myDocsFolder + "/custom-art/both.jpg"},
                        Case{"levels/7a.jpg", bundleDir + "gfx/slides/7a.jpg"},
                        Case{"missing.jpg", bundleDir + "gfx/slides/1a.jpg"},
                        Case{"", bundleDir + "gfx/slides/1a.jpg"}}) {
    EXPECT_TRUE(LoadBackground(c.name)) << c.name;
    EXPECT_EQ(level->loadedBackground, c.loadedFrom) << c.name;
    EXPECT_NE(level->background, nullptr) << c.name;
  }
}

TEST_F(ResourcesTest, APictureUnderItsOwnPathIsLoadedOnceWhileFoundOnesAreLoadedAgain) {
  const std::string own =
      levels::WritePicture(test_support::TempHome() + "/own/sky.jpg", 0xFF0000FFu);
  levels::WritePicture(bundleDir + "gfx/slides/7a.jpg", 0xFFFF0000u);
  EXPECT_TRUE(LoadBackground(own));
  EXPECT_FALSE(LoadBackground(own)) << "same name, same picture";
  EXPECT_TRUE(LoadBackground("7a.jpg"));
  EXPECT_TRUE(LoadBackground("7a.jpg")) << "the found path differs from the name";
  const std::string letterCase = own.substr(0, own.size() - 7) + "SKY.jpg";
  EXPECT_TRUE(LoadBackground(own));
  EXPECT_TRUE(LoadBackground(letterCase)) << "the comparison counts letter case";
}

TEST_F(ResourcesTest, MusicIsCreatedPausedOnlyWhileALevelIsPlayed) {
  level->songName = S("sfx/none.ogg");
  struct Case {
    int32_t state;
    bool music;
  };
  for (const Case& c :
       {Case{0, false}, Case{2, false}, Case{10, false}, Case{1, true}, Case{-3, true}}) {
    level->music = nullptr;
    gameState = c.state;
    level->loadGfx();
    EXPECT_EQ(level->music != nullptr, c.music) << "state " << c.state;
  }
  // Without music the music operations do nothing.
  level->music = nullptr;
  level->pauseMusic();
  level->continueMusic();
  level->stopAndFreeMusic();
  EXPECT_EQ(level->music, nullptr);
}

TEST_F(ResourcesTest, DrawShowsTheBackgroundOpaqueAndNothingWithout) {
  ASSERT_TRUE(Graphics(800, 600, 0) != nullptr);
  SetClsColor(0, 0, 0);
  Cls();
  level->Draw();  // no picture yet
  EXPECT_EQ(ReadPixel(headless::CaptureBackBuffer(), 1, 1) & 0xFFFFFFu, 0u);
  PixmapPtr half = test_support::SolidPixmap(4, 4, 0x80FF0000u);
  level->background = LoadImage(half);
  SetColor(0, 0, 0);
  SetAlpha(0.2f);
  SetScale(3.0f, 3.0f);
  level->Draw();
  EXPECT_EQ(ReadPixel(headless::CaptureBackBuffer(), 1, 1) & 0xFFFFFFu, 0xFF0000u);
  EXPECT_EQ(ReadPixel(headless::CaptureBackBuffer(), 6, 6) & 0xFFFFFFu, 0u) << "scale 1";
}

TEST_F(ResourcesTest, FinishBanksTheLevelPoints) {
  points->totalPoints = 3000;
  points->levelPoints = 120;
  blocks->currentBlock = std::make_shared<TBlock>();
  TSpark::Create(nullptr, 1, 1, 1.0f, 10, 255, 255, 255, 1, 0);
  level->finish();
  EXPECT_EQ(points->totalPoints, 3120);
  EXPECT_EQ(points->levelPoints, 0);
  EXPECT_EQ(blocks->currentBlock, nullptr);
  EXPECT_EQ(TSpark::allDestroyed(), 1);
}

TEST(LevelSoundsTest, TheSummaryResourcesLoadFromTheGameFolder) {
  levels::MakeSingletons();
  level->loadSfx();
  for (const SoundPtr& sound : {level->endLoopSound, level->endHitSound, level->endMusic,
                                level->countOutSound, level->countShowSound, level->countSound})
    EXPECT_NE(sound, nullptr);
  for (const auto& side : level->doorsImages)
    for (const ImagePtr& piece : side) EXPECT_NE(piece, nullptr);
  for (const ImagePtr& image : level->summaryImages) EXPECT_NE(image, nullptr);
  ASSERT_NE(level->levelCompleteImage, nullptr);
  ASSERT_NE(level->newHiscoreImage, nullptr);
  EXPECT_EQ(ImageWidth(level->doorsImages[1][4]), 128) << "the right door's second lower piece";
  for (const ImagePtr& centred : {level->levelCompleteImage, level->newHiscoreImage}) {
    EXPECT_EQ(centred->handleX, centred->width / 2.0f);
    EXPECT_EQ(centred->handleY, centred->height / 2.0f);
  }
}

}  // namespace
