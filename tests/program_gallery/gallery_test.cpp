// The gallery: what a visit reads from the profile, the cross-fades and their timing, stepping
// with wrap-around and during a fade, the picture under the frame, the buttons with and without
// pictures, the difficulty window and the replayed puzzle, and leaving.
#include "platform/errors.h"
#include <algorithm>

#include "gallery_fixtures.h"

namespace gallery_test {
namespace {

constexpr uint32_t kRed = Argb(255, 220, 20, 20);
constexpr uint32_t kGreen = Argb(255, 20, 220, 20);
constexpr uint32_t kBlue = Argb(255, 20, 20, 220);

using Gallery = GalleryVisit;

// 51 frames of the fades.
void Settle() {
  for (int i = 0; i < 51; ++i) gallery->Update();
}

TEST_F(Gallery, StartReadsTheListAnewFromTheProfileAndShowsItsFirstPicture) {
  const String red = WritePicture("red.png", kRed), green = WritePicture("green.png", kGreen);
  Reveal({red, green});
  slides->addRevealedImage(u"gfx/slides/endless.jpg");  // a game not kept in the profile
  gallery->Start(1);
  TGallery& g = *gallery;
  ASSERT_EQ(g.pictures->Count(), 2);
  EXPECT_EQ(g.pictures, slides->revealedImages) << "the very list slides holds";
  EXPECT_EQ(g.pictures->First(), red);
  EXPECT_EQ(g.index, 1);
  EXPECT_EQ(g.fade, 1.0f);
  EXPECT_TRUE(g.incomingSlide);
  EXPECT_FALSE(g.currentSlide);
  ASSERT_TRUE(g.menu);
  EXPECT_EQ(g.menu->items->Count(), 5);
  EXPECT_EQ(g.menu->GetItem(TGallery::kWallpaper)->visible, 0);
  EXPECT_EQ(g.menu->GetItem(TGallery::kPlayPuzzle)->visible, 1);
}

TEST_F(Gallery, WithNoListOrNoProfileTheGalleryIsEmpty) {
  for (bool withProfile : {true, false}) {
    if (!withProfile) profile->current = nullptr;
    slides->addRevealedImage(u"gfx/slides/endless.jpg");
    gallery->Start(1);
    EXPECT_TRUE(gallery->pictures->IsEmpty()) << withProfile;
    EXPECT_EQ(gallery->pictures, slides->revealedImages);
    EXPECT_EQ(gallery->index, 0);
    EXPECT_EQ(gallery->fade, 0.0f);
    gallery->nextImage();
    gallery->prevImage();
    EXPECT_EQ(gallery->index, 0);
    EXPECT_EQ(gallery->playPuzzles(), 0);
    EXPECT_EQ(optionsWindow->state, TOptionsWindow::kMainMenu);
  }
}

// A fade from 1 and slideAlpha from 0 both take 51 single-precision steps.
TEST_F(Gallery, CrossFadeEndsOnTheFiftyFirstFrameWithTheIncomingPictureShown) {
  Reveal({WritePicture("red.png", kRed)});
  gallery->Start(1);
  TGallery& g = *gallery;
  const ImagePtr incoming = g.incomingSlide;
  for (int i = 0; i < 50; ++i) g.Update();
  EXPECT_GT(g.fade, 0.0f);
  EXPECT_LT(g.slideAlpha, 1.0f);
  EXPECT_EQ(g.incomingSlide, incoming);
  g.Update();
  EXPECT_EQ(g.fade, 0.0f);
  EXPECT_EQ(g.slideAlpha, 1.0f);
  EXPECT_EQ(g.currentSlide, incoming);
  EXPECT_FALSE(g.incomingSlide);
  // One picture: next loads it again and cross-fades it into itself.
  g.nextImage();
  EXPECT_EQ(g.index, 1);
  EXPECT_EQ(g.fade, 1.0f);
  EXPECT_TRUE(g.incomingSlide);
  EXPECT_NE(g.incomingSlide, incoming);
}

TEST_F(Gallery, NextAndPreviousWrapBothWaysAndDoNothingMidFade) {
  Reveal({WritePicture("red.png", kRed), WritePicture("green.png", kGreen),
          WritePicture("blue.png", kBlue)});
  gallery->Start(1);
  TGallery& g = *gallery;
  g.nextImage();  // mid-fade: nothing
  g.prevImage();
  EXPECT_EQ(g.index, 1);
  struct Step {
    bool next;
    int index;
  };
  const Step steps[] = {{false, 3}, {true, 1}, {true, 2}, {true, 3}, {true, 1}, {false, 3},
                        {false, 2}};
  for (const Step& s : steps) {
    Settle();
    s.next ? g.nextImage() : g.prevImage();
    EXPECT_EQ(g.index, s.index);
    EXPECT_EQ(g.fade, 1.0f);
  }
}

TEST_F(Gallery, PictureIsDrawnAtSevenTenthsFrom120By80UnderTheFrame) {
  Reveal({WritePicture("red.png", kRed)});
  // A frame opaque blue except for a clear window over the picture's area, left open by one
  // pixel more on the right so that the picture's own edge shows.
  PixmapPtr frame = SolidPixmap(800, 600, kBlue);
  for (int y = 90; y < 500; ++y)
    for (int x = 130; x < 700; ++x) WritePixel(frame, x, y, 0);
  gallery->backgroundPixmap = frame;
  gallery->Start(1);
  Settle();
  Cls();
  gallery->Draw();
  EXPECT_EQ(ScreenPixel(131, 91), kRed);
  EXPECT_EQ(ScreenPixel(676, 496), kRed);  // filtered: the last pixels blend
  EXPECT_EQ(ScreenPixel(683, 300), Argb(255, 0, 0, 0)) << "560 pixels wide";
  EXPECT_EQ(ScreenPixel(129, 300), kBlue) << "the frame over the picture";
}

TEST_F(Gallery, AnUnloadablePictureFadesTheShownOneOutAndLeavesItShownAfter) {
  const String red = WritePicture("red.png", kRed);
  Reveal({red, u"slides/missing.png"});
  gallery->Start(1);
  Settle();
  TGallery& g = *gallery;
  const ImagePtr shown = g.currentSlide;
  ASSERT_TRUE(shown);
  g.nextImage();
  EXPECT_EQ(g.index, 2);
  EXPECT_FALSE(g.incomingSlide);
  Settle();
  EXPECT_EQ(g.currentSlide, shown);
  EXPECT_EQ(g.index, 2);
}

// Clicks on the previous, next and puzzle buttons of an empty gallery only click; the back
// button leaves, the menu window on its main menu with the title music as its music.
TEST_F(Gallery, EmptyGalleryButtonsOnlyClickAndBackLeavesToTheMainMenu) {
  titleScreen->stopMusic();  // only the clicks in the mix
  ClickAt(1, kPrevious);
  ClickAt(5, kNext);
  ClickAt(9, kPlayPuzzle);
  headless::KeyPressAt(At(12), 27);  // Esc does nothing
  ClickAt(20, kBack);
  EXPECT_EQ(gallery->show(), 0);
  EXPECT_EQ(headless::FrameNumber() - start_, 22);
  EXPECT_EQ(app_test::MixedLevel(), 4 * kClickLevel);
  EXPECT_TRUE(Puzzle()->calls.empty());
  EXPECT_EQ(optionsWindow->state, TOptionsWindow::kMainMenu);
  EXPECT_EQ(optionsWindow->x, 229);
  EXPECT_EQ(optionsWindow->y, 200);
  EXPECT_EQ(optionsWindow->alpha, 0.0f) << "its fade restarted";
  EXPECT_FALSE(gallery->menu) << "the visit's buttons dropped";
}

TEST_F(Gallery, ClicksAreCountedOnePerButtonAndASparkFollowsTheMouse) {
  Reveal({WritePicture("red.png", kRed), WritePicture("green.png", kGreen)});
  titleScreen->stopMusic();  // only the clicks in the mix
  ClickAt(1, kNext);   // mid-fade: a click sound only
  ClickAt(60, kNext);  // after the fade: the next picture
  ClickAt(64, kBack);
  std::vector<int> indexes;
  int sparks = 0;
  headless::SetFrameCallback([&](int) {
    indexes.push_back(gallery->index);
    sparks = SparkList->Count();
  });
  gallery->show();
  EXPECT_EQ(indexes[10], 1);
  EXPECT_EQ(indexes.back(), 2);
  EXPECT_EQ(app_test::MixedLevel(), 3 * kClickLevel) << "one click sound per click";
  EXPECT_GT(sparks, 10);
}

// Every frame of the gallery and of its difficulty window draws the gallery once and flips once,
// except the frame that sees back (54).
class CountingGallery : public TGallery {
 public:
  int draws = 0;
  int32_t Draw() override {
    ++draws;
    return TGallery::Draw();
  }
};

TEST_F(Gallery, BackFromTheDifficultyWindowReturnsWithoutAPuzzleOrAFlip) {
  auto counting = std::make_shared<CountingGallery>();
  gallery = counting;
  const String red = WritePicture("red.png", kRed);
  Reveal({red});
  const AudioStreamPtr titleMusic = titleScreen->music;
  int flips = 0;
  headless::SetFrameCallback([&](int) { ++flips; });
  ClickAt(60, kPlayPuzzle);
  ClickAt(70, kSizesBack);
  ClickAt(90, kBack);
  gallery->show();
  EXPECT_EQ(counting->draws, flips + 1);
  EXPECT_EQ(gallery->index, 1) << "the same picture";
  EXPECT_TRUE(Puzzle()->calls.empty());
  EXPECT_EQ(titleScreen->music, titleMusic) << "the title music plays on";
  EXPECT_TRUE(TitleMusicPlays());
  EXPECT_EQ(optionsWindow->state, TOptionsWindow::kMainMenu);
  EXPECT_EQ(optionsWindow->levelMusic, titleMusic);
}

TEST_F(Gallery, ReplayAtEachSizeStopsTheTitleMusicKeepsNothingAndRestoresAfter) {
  struct Case {
    Spot size;
    int width, height;
  };
  for (const Case& c : {Case{kEasy, 6, 5}, Case{kNormal, 8, 6}, Case{kHard, 8, 8}}) {
    SetUp();
    const String green = WritePicture("green.png", kGreen);
    Reveal({WritePicture("red.png", kRed), green});
    readFromProfile = 1;
    ClickAt(60, kNext);
    ClickAt(120, kPlayPuzzle);
    ClickAt(130, c.size);
    int indexAfter = 0;
    float fadeAfter = 0.0f;
    bool musicAfter = false;
    int sparksAfter = -1;
    headless::SetFrameCallback([&](int) {
      if (Puzzle()->calls.size() == 1 && sparksAfter < 0) {
        indexAfter = gallery->index;
        fadeAfter = gallery->fade;
        musicAfter = TitleMusicPlays();
        sparksAfter = SparkList->Count();
      }
    });
    headless::CloseRequestAt(At(150));
    EXPECT_THROW(gallery->show(), ProgramEnded);
    ASSERT_EQ(Puzzle()->calls.size(), 1u) << c.width;
    const RecordingPuzzle::Call& call = Puzzle()->calls[0];
    EXPECT_EQ(call.picture, green);
    EXPECT_EQ(call.fromGallery, 1);
    EXPECT_EQ(call.width, c.width);
    EXPECT_EQ(call.height, c.height);
    EXPECT_EQ(call.readFromProfile, 0) << "a replay never resumes";
    EXPECT_EQ(call.musicPath, u"sfx/glyphor-puzzle.ogg");
    EXPECT_TRUE(call.titleMusicStopped);
    EXPECT_EQ(readFromProfile, 1);
    EXPECT_EQ(indexAfter, 2) << "the same picture";
    EXPECT_EQ(fadeAfter, 1.0f - 0.02f) << "fading in anew";
    EXPECT_TRUE(musicAfter) << "the title music restarted";
    EXPECT_EQ(sparksAfter, 1) << "only the new frame's spark";
    headless::SetFrameCallback(nullptr);
    headless::ClearScript();
  }
}

// No button opens the full-screen view; it still shows the picture whole until a left click.
TEST_F(Gallery, FullScreenViewShowsThePictureUntilAClickOrAClose) {
  EXPECT_EQ(gallery->showFullscreen(), 0) << "nothing revealed: back at once";
  Reveal({WritePicture("red.png", kRed)});
  gallery->Start(1);
  Settle();
  const int from = headless::FrameNumber();
  headless::MouseClickAt(from + 5, 1);
  EXPECT_EQ(gallery->showFullscreen(), 0);
  EXPECT_EQ(headless::FrameNumber() - from, 6);
  EXPECT_EQ(ScreenPixel(5, 5), kRed);
  EXPECT_EQ(ScreenPixel(795, 595), kRed);
  headless::CloseRequestAt(headless::FrameNumber() + 3);
  EXPECT_EQ(gallery->showFullscreen(), 1);
}

TEST_F(Gallery, CloseRequestEndsTheProgram) {
  headless::CloseRequestAt(At(3));
  EXPECT_THROW(gallery->show(), ProgramEnded);
}

}  // namespace
}  // namespace gallery_test

namespace gallery_test {
namespace {

// The whole way through: the gallery shows the revealed picture, replays its puzzle at the
// smallest size with the real puzzle, whose menu button leaves it, and the visit goes on.
TEST_F(Gallery, ReplaysTheShownPicturesPuzzleAndComesBackToIt) {
  puzzle = std::make_shared<TPuzzleManager>();
  puzzle->loadGfx();
  const String red = WritePicture("red.png", kRed);
  Reveal({red});
  int mostPieces = 0;
  uint32_t puzzleCentre = 0;
  headless::SetFrameCallback([&](int frame) {
    mostPieces = std::max(mostPieces, puzzle->grid->cells->Count());
    if (frame == At(300)) puzzleCentre = ScreenPixel(400, 300);
  });
  ClickAt(60, kPlayPuzzle);
  ClickAt(70, kEasy);
  ClickAt(400, Spot{300, 580});  // the puzzle's menu button
  ClickAt(460, kBack);
  EXPECT_EQ(gallery->show(), 0);
  EXPECT_EQ(mostPieces, 30) << "6 x 5 pieces";
  EXPECT_EQ(puzzleCentre, kRed) << "the picture cut into pieces";
  EXPECT_TRUE(puzzle->grid->cells->IsEmpty());
  EXPECT_TRUE(TitleMusicPlays());
  EXPECT_EQ(optionsWindow->state, TOptionsWindow::kMainMenu);
}

}  // namespace
}  // namespace gallery_test
