// The menu window's frame protocol: screen changes and the buttons they leave in `data`, the
// fade-in, clicks reported by key with one click sound, hover looks and overlapping buttons.
#include <gtest/gtest.h>

#include <cmath>

#include "menu_fixtures.h"

namespace {

using menu_test::kClickLevel;
using menu_test::MenuWindow;
using test_support::Argb;
using test_support::ScreenPixel;
using test_support::SolidImage;

class MenuWindowStates : public MenuWindow {};

TEST_F(MenuWindowStates, ScreenChangesFreeTheOldButtonsSharedKeysIncluded) {
  struct Case {
    const char* name;
    std::vector<int> opened;  // states opened in turn
    std::vector<int> one;     // keys holding exactly one item afterwards
    std::vector<int> none;    // keys holding none
  };
  const Case cases[] = {
      {"puzzle size, then modes: 54 shared", {4, 5}, {62, 63, 54}, {51, 52, 53}},
      {"modes, then puzzle size", {5, 4}, {51, 52, 53, 54}, {62, 63}},
      {"options, then in-game options", {1, 7}, {40, 41, 42, 43, 44, 45, 46}, {12, 13}},
      {"in-game options, then options", {7, 1}, {40, 41, 42, 43, 44, 45, 46, 12, 13}, {}},
      {"main menu twice", {0, 0}, {10, 11, 14, 15, 61, 81}, {}},
      {"exit confirmation, then new game", {9, 10}, {92, 93}, {90, 91}},
      {"main menu, then a state beyond 10", {0, 11}, {}, {10, 11, 14, 15, 61, 81}},
      {"main menu, then state -1", {0, -1}, {}, {10, 11, 14, 15, 61, 81}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    data->Clear();
    for (int s : c.opened) Open(s);
    for (int key : c.one) EXPECT_EQ(Items(key), 1) << "key " << key;
    for (int key : c.none) EXPECT_EQ(Items(key), 0) << "key " << key;
    EXPECT_EQ(optionsWindow->state, c.opened.back());
  }
}

TEST_F(MenuWindowStates, ButtonsAHostLeftBehindGoAtTheNextSetState) {
  Open(5);
  // The host leaves without freeState, and has filed a button of its own under a window key.
  data->Add(ButtonPtr(CreateImageButton(SolidImage(10, 10, 0xFFFFFFFFu), CreateDim(0, 0), 1, -1,
                                        1)),
            54);
  data->Add(SolidImage(4, 4, 0xFFFFFFFFu), 2001);  // another user's item, not the window's
  EXPECT_EQ(Items(54), 2);
  Open(0);
  EXPECT_EQ(Items(54), 0);
  EXPECT_EQ(Items(62), 0);
  EXPECT_EQ(Items(2001), 1);
}

TEST_F(MenuWindowStates, AStateOutsideTheTableHasNoButtonsReportsNothingAndDrawsTheFirstBacking) {
  optionsWindow->greetingBlot = SolidImage(128, 64, Argb(255, 255, 0, 0));
  MidHandleImage(optionsWindow->greetingBlot);
  optionsWindow->background = SolidImage(342, 350, Argb(255, 0, 255, 0));
  for (int s : {11, -1}) {
    SCOPED_TRACE(s);
    Open(0, 1);
    Open(s);
    EXPECT_EQ(data->Count(), 0);
    headless::MouseMoveAt(headless::FrameNumber(), 400, 290);
    for (int i = 0; i < 55; ++i) headless::MouseClickAt(headless::FrameNumber() + 2 * i + 1, 1);
    for (int r : HostFrames(55)) EXPECT_EQ(r, 0);
    EXPECT_EQ(app_test::MixedLevel(), 0);
    EXPECT_EQ(ScreenPixel(220, 150), Argb(255, 255, 0, 0));  // the stretched blot
    EXPECT_EQ(ScreenPixel(240, 540), Argb(255, 0, 255, 0));  // the panel at (x, y)
  }
}

TEST_F(MenuWindowStates, FadeInStepsInSinglePrecisionAndIsNotClamped) {
  Open(0, 1);
  EXPECT_EQ(optionsWindow->alpha, 0.0f);
  for (int i = 0; i < 50; ++i) optionsWindow->Update();
  EXPECT_EQ(optionsWindow->alpha, 0.99999958f);
  optionsWindow->Update();
  EXPECT_EQ(optionsWindow->alpha, 1.0199996f);
  for (int i = 0; i < 20; ++i) optionsWindow->Update();
  EXPECT_EQ(optionsWindow->alpha, 1.0199996f);
  // Every button of the keys 0 to 100 takes the window's alpha, also those of other users;
  // a key above 100 is left alone.
  for (int key : {0, 100, 101})
    data->Add(ButtonPtr(CreateImageButton(SolidImage(4, 4, 0xFFFFFFFFu), CreateDim(0, 0), 1, 0.5f,
                                          1)),
              key);
  optionsWindow->Update();
  for (int key : {0, 10, 61, 81, 100}) EXPECT_EQ(data->GetButton(key)->extraValue, 1.0199996f);
  EXPECT_EQ(data->GetButton(101)->extraValue, 0.5f);
}

TEST_F(MenuWindowStates, ScreenChangeWithoutResetKeepsTheAlpha) {
  Open(0, 1);
  for (int i = 0; i < 20; ++i) optionsWindow->Update();
  const float reached = optionsWindow->alpha;
  Open(5, 0);
  EXPECT_EQ(optionsWindow->alpha, reached);
  Open(0, 1);
  EXPECT_EQ(optionsWindow->alpha, 0.0f);
}

TEST_F(MenuWindowStates, TheGreetingStaysOpaqueWhileTheRestFadesIn) {
  optionsWindow->background = SolidImage(342, 350, Argb(255, 0, 255, 0));
  Open(0, 1);
  HostFrame();  // alpha 0.02
  // The first inked pixel of the "h" of "hello", drawn with its top-left at (353, 164).
  LetterPtr h = fonts[0]->GetLetter(u"h");
  ASSERT_TRUE(h && h->image);
  PixmapPtr glyph = h->image->frames[0];
  int gx = -1, gy = -1;
  for (int yy = 0; yy < glyph->height && gx < 0; ++yy)
    for (int xx = 0; xx < glyph->width; ++xx)
      if ((glyph->Get(xx, yy) >> 24) == 255 && test_support::Red(glyph->Get(xx, yy)) > 128) {
        gx = xx;
        gy = yy;
        break;
      }
  ASSERT_GE(gx, 0);
  const uint32_t lit = ScreenPixel(353 + gx, 164 + gy);
  EXPECT_NEAR(test_support::Red(lit), test_support::Red(glyph->Get(gx, gy)), 6);
  // The panel is still almost transparent.
  EXPECT_LE(test_support::Green(ScreenPixel(240, 540)), 8);
}

// Every shown button of the screens the title, the gallery and the confirmations open: the key
// comes on the click frame only, with one click sound.
TEST_F(MenuWindowStates, ScriptedClicksReportTheKeyOnTheClickFrameWithOneClickSound) {
  struct Case {
    int state;
    int screenMode;
    int savedGame;  // gameState when the screen opens
    int key;        // 0: nothing may be reported
    int x, y;
  };
  const Case cases[] = {
      {0, 2, 0, 61, 400, 290}, {0, 2, 0, 10, 400, 335}, {0, 2, 0, 14, 400, 375},
      {0, 2, 0, 15, 400, 415}, {0, 2, 0, 11, 400, 488}, {0, 2, 0, 81, 97, 550},
      {1, 2, 0, 40, 304, 300}, {1, 2, 0, 41, 497, 300}, {1, 2, 0, 42, 304, 360},
      {1, 2, 0, 43, 497, 360}, {1, 2, 0, 45, 474, 408}, {1, 1, 0, 44, 474, 408},
      {1, 2, 0, 12, 400, 450}, {1, 2, 0, 13, 400, 485}, {1, 2, 0, 46, 400, 520},
      {3, 2, 1, 1, 400, 290},  {3, 2, 1, 2, 400, 335},  {3, 2, 1, 3, 400, 400},
      {3, 2, 0, 2, 400, 300},  {3, 2, 0, 3, 400, 365},
      {3, 2, 0, 0, 400, 275},  // where the hidden continue button lies alone
      {4, 2, 0, 51, 400, 198}, {4, 2, 0, 52, 400, 243}, {4, 2, 0, 53, 400, 288},
      {4, 2, 0, 54, 400, 358}, {5, 2, 0, 62, 400, 335}, {5, 2, 0, 63, 400, 380},
      {5, 2, 0, 54, 400, 470}, {7, 2, 0, 40, 304, 213}, {7, 2, 0, 41, 497, 213},
      {7, 2, 0, 42, 304, 273}, {7, 2, 0, 43, 497, 273}, {7, 2, 0, 45, 474, 321},
      {7, 1, 0, 44, 474, 321}, {7, 2, 0, 46, 400, 368},
      {7, 2, 0, 0, 400, 450},  // no hiscores button in a game
      {9, 2, 0, 90, 360, 400}, {9, 2, 0, 91, 440, 400}, {10, 2, 0, 92, 360, 400},
      {10, 2, 0, 93, 440, 400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state " << c.state << " key " << c.key);
    StopAllChannels();
    options->screenMode = c.screenMode;
    gameState = c.savedGame;
    PointAt(0, 0);
    HostFrame();
    Open(c.state, 1);
    const std::vector<int> got = ClickAt(c.x, c.y);
    EXPECT_EQ(got, (std::vector<int>{0, c.key, 0, 0}));
    const double clicks = c.key != 0 ? 1.0 : 0.0;
    EXPECT_NEAR(app_test::MixedLevel(), clicks * kClickLevel * options->soundVol, 1.0);
  }
}

TEST_F(MenuWindowStates, ChangeProfileDarkensUnderThePointerTheOthersGrowWithTheGlow) {
  Open(0, 1);
  PointAt(0, 0);
  HostFrames(60);
  // The brightest opaque pixel of the change-profile picture, placed by its top-left corner.
  PixmapPtr picture = optionsWindow->profileChangeImage->frames[0];
  int px = 0, py = 0, best = -1;
  for (int yy = 0; yy < picture->height; ++yy)
    for (int xx = 0; xx < picture->width; ++xx) {
      const uint32_t v = picture->Get(xx, yy);
      const int bright = test_support::Red(v) + test_support::Green(v);
      if ((v >> 24) == 255 && bright > best) {
        best = bright;
        px = xx;
        py = yy;
      }
    }
  const uint32_t normal = ScreenPixel(22 + px, 525 + py);
  for (int key : {61, 10, 14, 15, 11}) {
    SCOPED_TRACE(key);
    ImageButtonPtr b = Button(key);
    ASSERT_TRUE(b);
    PointAt(static_cast<int>(b->dim->x), static_cast<int>(b->dim->y));
    HostFrames(10);
    EXPECT_EQ(b->over, 1);
    EXPECT_EQ(b->scale, 1.14f);
    EXPECT_EQ(b->glowImage, optionsWindow->buttonGlow);
    EXPECT_EQ(b->dim->handleMode, 1);
  }
  ImageButtonPtr change = Button(81);
  PointAt(97, 550);
  HostFrames(10);
  EXPECT_EQ(change->over, 1);
  EXPECT_EQ(change->scale, 1.0f);
  EXPECT_EQ(change->glowImage, nullptr);
  EXPECT_EQ(change->dim->handleMode, 0);
  EXPECT_EQ(change->dim->x, 22.0f);
  EXPECT_EQ(change->dim->y, 525.0f);
  const uint32_t dark = ScreenPixel(22 + px, 525 + py);
  ASSERT_GT(test_support::Red(normal) + test_support::Green(normal), 100);
  EXPECT_NEAR(test_support::Red(dark), test_support::Red(normal) * 200 / 255, 3);
  EXPECT_NEAR(test_support::Green(dark), test_support::Green(normal) * 200 / 255, 3);
}

TEST_F(MenuWindowStates, OverlappingButtonsReportTheKeyPolledLater) {
  struct Case {
    const char* name;
    int state;
    int entry;  // caption replaced by a large test picture
    int w, h;
    int x, y;
    int key;
  };
  const Case cases[] = {
      {"wide yes over no on the exit confirmation", 9, 12, 200, 36, 420, 400, 91},
      {"wide yes over no on the new-game confirmation", 10, 12, 200, 36, 420, 400, 93},
      {"wide no over yes", 9, 13, 200, 36, 380, 400, 91},
      {"tall play-quest over options", 0, 25, 300, 300, 400, 415, 61},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    optionsWindow->loadGfx();
    optionsWindow->captionImages[c.entry] = SolidImage(c.w, c.h, 0xFFFFFFFFu);
    Open(c.state, 1);
    EXPECT_EQ(ClickAt(c.x, c.y), (std::vector<int>{0, c.key, 0, 0}));
  }
}

}  // namespace
