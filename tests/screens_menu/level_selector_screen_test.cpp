// The level selector (state 6) and the pause menus (states 2 and 8) as screens of the menu
// window: their buttons, where they stand and how they look, the keys their clicks report, the
// hidden buttons that report nothing, and the selector's tick, caption and preview, drawn last.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "menu_fixtures.h"
#include "screens/menu/board_selector.h"
#include "screens/menu/menu_buttons.h"
#include "program/title_screen.h"

namespace {

using menu_test::MenuWindow;
using test_support::Argb;
using test_support::ScreenPixel;
using test_support::SolidImage;

constexpr uint32_t kTickColour = Argb(255, 0, 250, 0);
constexpr uint32_t kCaptionColour = Argb(255, 250, 0, 250);
constexpr uint32_t kPreviewColour = Argb(255, 0, 0, 250);

// A selector whose preview is a picture of one colour over the whole screen, and counts its
// frames.
class MarkedSelector : public TBoardSelector {
 public:
  void DrawMiniBoard() override {
    ++draws;
    if (cover) {
      SetAlpha(1.0f);
      DrawImage(cover, 0, 0, 0);
    }
  }
  ImagePtr cover;
  int draws = 0;
};

class MenuScreens : public MenuWindow {
 protected:
  void SetUp() override {
    MenuWindow::SetUp();
    titleScreen = std::make_shared<TTitleScreen>();
    titleScreen->selectorCaption = SolidImage(20, 20, kCaptionColour);
    optionsWindow->checkMark = SolidImage(9, 9, kTickColour);
    MidHandleImage(optionsWindow->checkMark);
    selector_ = std::make_shared<MarkedSelector>();
    boardSelector = selector_;
  }
  std::shared_ptr<MarkedSelector> selector_;
};

struct Place {
  int key;
  ImagePtr image;
  float x, y;
};

TEST_F(MenuScreens, EachScreenBuildsItsCentredGlowingButtonsAtTheirPoints) {
  const auto& c = optionsWindow->captionImages;
  const auto& arrows = optionsWindow->arrows;
  struct Case {
    int state;
    std::vector<Place> buttons;
    int hidden;  // the key built hidden and disabled; 0 none
  };
  const Case cases[] = {
      {6,
       {{71, c[36], 280, 310},
        {72, arrows[1], 515, 510},
        {73, arrows[0], 460, 510},
        {54, c[6], 280, 500},
        {74, c[32], 280, 380},
        {75, c[33], 280, 410},
        {76, c[34], 280, 410}},
       0},
      {2,
       {{20, c[17], 400, 240},
        {21, c[9], 400, 270},
        {22, c[7], 400, 300},
        {25, c[35], 400, 330},
        {23, c[6], 400, 360},
        {24, c[8], 400, 380}},
       24},
      {8,
       {{20, c[17], 400, 240}, {22, c[7], 400, 270}, {23, c[6], 400, 330}, {24, c[8], 400, 375}},
       24},
  };
  for (const Case& cs : cases) {
    SCOPED_TRACE(cs.state);
    data->Clear();
    Open(cs.state, 1);
    for (const Place& p : cs.buttons) {
      SCOPED_TRACE(p.key);
      ASSERT_EQ(Items(p.key), 1);
      ImageButtonPtr b = Button(p.key);
      ASSERT_TRUE(b);
      EXPECT_EQ(b->image, p.image);
      EXPECT_EQ(b->dim->x, p.x);
      EXPECT_EQ(b->dim->y, p.y);
      EXPECT_EQ(b->dim->handleMode, 1);
      EXPECT_EQ(b->animated, 1);
      EXPECT_EQ(b->glowImage, optionsWindow->buttonGlow);
      EXPECT_EQ(b->overStyle, menu_buttons::kEnlarged);
      const int shown = p.key == cs.hidden ? 0 : 1;
      EXPECT_EQ(b->visible, shown);
      EXPECT_EQ(b->enabled, shown);
    }
    EXPECT_EQ(data->items->Count(), static_cast<int>(cs.buttons.size()));
  }
}

TEST_F(MenuScreens, ClicksReportTheKeyOfTheShownButtonAndHiddenOnesNothing) {
  struct Case {
    int state;
    int hiddenList;  // the selector's list button the title hides: 75 or 76; 0 none
    int x, y;
    int key;
  };
  const Case cases[] = {
      {6, 76, 280, 310, 71}, {6, 76, 515, 510, 72}, {6, 76, 460, 510, 73},
      {6, 76, 280, 500, 54}, {6, 76, 280, 380, 74}, {6, 76, 280, 410, 75},
      {6, 75, 280, 410, 76}, {6, 0, 280, 410, 76},  // both shown: the later key
      {2, 0, 400, 240, 20},  {2, 0, 400, 270, 21},  {2, 0, 400, 300, 22},
      {2, 0, 400, 330, 25},  {2, 0, 400, 360, 23},  {2, 0, 400, 392, 0},  // the quit's place
      {8, 0, 400, 240, 20},  {8, 0, 400, 270, 22},  {8, 0, 400, 330, 23},
      {8, 0, 400, 380, 0},  // the quit's place
  };
  for (const Case& cs : cases) {
    SCOPED_TRACE(testing::Message() << "state " << cs.state << " at " << cs.x << ", " << cs.y);
    PointAt(0, 0);
    HostFrame();
    Open(cs.state, 1);
    if (cs.hiddenList != 0) menu_buttons::Show(cs.hiddenList, false);
    EXPECT_EQ(ClickAt(cs.x, cs.y), (std::vector<int>{0, cs.key, 0, 0}));
  }
}

TEST_F(MenuScreens, TheSelectorsTickMarksTheListOnShowAndThePreviewIsDrawnLast) {
  struct Case {
    int mode;
    int tickY, otherY;
  };
  for (const Case& c : {Case{0, 380, 410}, Case{1, 410, 380}, Case{2, 410, 380}}) {
    SCOPED_TRACE(c.mode);
    selector_->mode = c.mode;
    selector_->draws = 0;
    selector_->cover = nullptr;
    Open(6, 1);
    PointAt(0, 0);
    HostFrames(60);
    EXPECT_EQ(ScreenPixel(350, c.tickY), kTickColour);
    EXPECT_NE(ScreenPixel(350, c.otherY), kTickColour);
    EXPECT_EQ(ScreenPixel(209, 450), kCaptionColour);
    EXPECT_EQ(selector_->draws, 60) << "one preview frame a drawn frame";
  }
  // The preview covers everything drawn before it.
  selector_->cover = SolidImage(800, 600, kPreviewColour);
  HostFrame();
  EXPECT_EQ(ScreenPixel(350, 410), kPreviewColour);
  EXPECT_EQ(ScreenPixel(209, 450), kPreviewColour);
  EXPECT_EQ(ScreenPixel(280, 310), kPreviewColour);
}

}  // namespace
