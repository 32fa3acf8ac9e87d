#include "toolkit/button_e.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless.h"
#include "platform/image_font.h"
#include "platform/input.h"
#include "toolkit_fixtures.h"

namespace {

using tk::Frame;
using tk::Near;
using tk::PixelAt;

class ButtonsE : public ::testing::Test {
 protected:
  void SetUp() override {
    tk::OpenScreen();
    SetBlend(SOLIDBLEND);
  }
  // Moves the pointer (and sets the left button) from the next frame on.
  static void Pointer(int x, int y, bool down) {
    const int f = headless::FrameNumber();
    headless::MouseMoveAt(f, x, y);
    headless::MouseButtonAt(f, 1, down);
  }
  static std::vector<int> Poll(const ButtonEPtr& b, int frames) {
    std::vector<int> out;
    for (int i = 0; i < frames; ++i)
      out.push_back(Frame([&] {
        int r = b->State();
        b->Draw();
        return r;
      }));
    return out;
  }
};

// A strip of two 120 x 40 frames: out blue, over white.
TextAnimButtonEPtr AnimStrip(float x, float y, int id) {
  return CreateTextAnimButtonE(
      LoadAnimImage(tk::Strip(120, 40, {tk::kBlue, tk::kWhite}), 120, 40, 0, 2, 0), x, y, id, u"",
      nullptr, 0, 0, 0);
}
TextImageButtonAPtr Image(float x, float y, int id, int style, int w = 120, int h = 40) {
  return CreateTextImageButtonA(tk::SolidImage(w, h, tk::kWhite), x, y, id, u"", nullptr, style, 0,
                                0, 0);
}

TEST_F(ButtonsE, PointerOnAnEdgeIsOutside) {
  struct Case {
    int x, y;
    int inside;
  };
  for (const Case& c :
       {Case{100, 220, 0}, Case{101, 220, 1}, Case{219, 220, 1}, Case{220, 220, 0},
        Case{150, 200, 0}, Case{150, 201, 1}, Case{150, 239, 1}, Case{150, 240, 0}}) {
    for (bool image : {false, true}) {
      ButtonEPtr b = image ? ButtonEPtr(Image(100, 200, 5, 0)) : ButtonEPtr(AnimStrip(100, 200, 5));
      Pointer(c.x, c.y, true);
      EXPECT_EQ(Poll(b, 1)[0], c.inside ? 5 : 0)
          << c.x << ", " << c.y << (image ? " image" : " strip");
      EXPECT_EQ(b->over, c.inside);
    }
  }
}

TEST_F(ButtonsE, StripButtonFollowsThePointerAndAnswersEveryHeldFrame) {
  TextAnimButtonEPtr b = AnimStrip(100, 200, 7);
  Pointer(10, 10, true);  // a press that starts elsewhere
  EXPECT_EQ(Poll(b, 1), (std::vector<int>{0}));
  EXPECT_TRUE(Near(PixelAt(150, 220), {0, 0, 255}));
  Pointer(150, 220, true);  // dragged onto the button
  EXPECT_EQ(Poll(b, 3), (std::vector<int>{7, 7, 7}));
  EXPECT_TRUE(Near(PixelAt(150, 220), {255, 255, 255}));
  Pointer(150, 220, false);  // hovered without a press: over look, no answer
  EXPECT_EQ(Poll(b, 2), (std::vector<int>{0, 0}));
  EXPECT_TRUE(Near(PixelAt(150, 220), {255, 255, 255}));
  Pointer(300, 300, false);
  EXPECT_EQ(Poll(b, 1), (std::vector<int>{0}));
  EXPECT_EQ(b->over, 0);
  EXPECT_TRUE(Near(PixelAt(150, 220), {0, 0, 255}));
}

TEST_F(ButtonsE, ImageButtonIgnoresHoverAndLatchesOnAPress) {
  TextImageButtonAPtr b = Image(100, 200, 9, 2);
  Pointer(150, 220, false);
  EXPECT_EQ(Poll(b, 2), (std::vector<int>{0, 0}));
  EXPECT_EQ(b->over, 0);
  EXPECT_TRUE(Near(PixelAt(150, 220), {255, 255, 255}));
  Pointer(150, 220, true);
  EXPECT_EQ(Poll(b, 3), (std::vector<int>{9, 9, 9}));
  EXPECT_TRUE(Near(PixelAt(150, 220), {200, 200, 200}));
  Pointer(400, 400, false);  // released and gone: the look stays
  EXPECT_EQ(Poll(b, 2), (std::vector<int>{0, 0}));
  EXPECT_EQ(b->over, 1);
  EXPECT_TRUE(Near(PixelAt(150, 220), {200, 200, 200}));
  Pointer(400, 400, true);  // a press outside changes nothing
  EXPECT_EQ(Poll(b, 1), (std::vector<int>{0}));
  EXPECT_EQ(b->over, 1);
}

TEST_F(ButtonsE, OverLooksOfTheImageButton) {
  struct Case {
    int style;
    int probeX, probeY;
    tk::Rgb colour;
  };
  // The enlarged look of 100 x 40 at (300, 50): corner (292, 46), 115 x 46.
  for (const Case& c :
       {Case{0, 350, 70, {100, 255, 200}}, Case{2, 350, 70, {200, 200, 200}},
        Case{1, 293, 47, {255, 255, 255}}, Case{1, 406, 91, {255, 255, 255}},
        Case{1, 291, 70, {0, 0, 0}}, Case{1, 350, 45, {0, 0, 0}}, Case{1, 408, 70, {0, 0, 0}},
        Case{1, 350, 93, {0, 0, 0}}, Case{7, 350, 70, {0, 0, 0}}}) {
    SCOPED_TRACE(c.style);
    TextImageButtonAPtr b = Image(300, 50, 1, c.style, 100, 40);
    b->over = 1;
    Cls();
    b->Draw();
    EXPECT_TRUE(Near(PixelAt(c.probeX, c.probeY), c.colour)) << c.probeX << ", " << c.probeY;
    int r, g, bl;
    GetColor(r, g, bl);
    EXPECT_EQ((std::vector<int>{r, g, bl}), (std::vector<int>{255, 255, 255}));
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1.0f);
  }
}

TEST_F(ButtonsE, IdZeroDisabledAndHiddenButtons) {
  TextAnimButtonEPtr zero = AnimStrip(100, 200, 0);
  Pointer(150, 220, true);
  EXPECT_EQ(Poll(zero, 2), (std::vector<int>{0, 0}));
  EXPECT_EQ(zero->over, 1);

  TextImageButtonAPtr disabled = Image(100, 300, 4, 0);
  disabled->enabled = 0;
  TextImageButtonAPtr hidden = Image(300, 300, 4, 0);
  hidden->visible = 0;
  hidden->label = u"Hidden";
  for (int x : {150, 350}) {
    Pointer(x, 320, true);
    Frame([&] {
      EXPECT_EQ(disabled->State(), 0);
      EXPECT_EQ(hidden->State(), 0);
      disabled->Draw();
      hidden->Draw();
      return 0;
    });
  }
  EXPECT_EQ(disabled->over, 0);
  EXPECT_EQ(hidden->over, 0);
  EXPECT_TRUE(Near(PixelAt(150, 320), {255, 255, 255}));  // still drawn
  PixmapPtr shot = headless::CaptureBackBuffer();
  for (int y = 290; y < 350; ++y)
    for (int x = 290; x < 430; ++x)
      ASSERT_EQ(ReadPixel(shot, x, y) & 0xFFFFFFu, 0u) << x << ", " << y;
}

TEST_F(ButtonsE, CaptionIsCentredPlusItsOffsetsInEitherArgumentOrder) {
  ImageFontPtr font = LoadImageFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 14);
  ASSERT_NE(font, nullptr);
  const String label = u"Cancel";
  SetImageFont(font);
  const int tw = TextWidth(label), th = TextHeight(label);
  ImagePtr strip = LoadAnimImage(tk::Strip(120, 40, {tk::kBlue, tk::kBlue}), 120, 40, 0, 2, 0);
  ImagePtr plain = tk::SolidImage(120, 40, tk::kBlue);
  // Vertical offset first for the strip button, horizontal first for the image button.
  TextAnimButtonEPtr a = CreateTextAnimButtonE(strip, 100, 200, 1, label, font, 0, -3.0f, 5.0f);
  TextImageButtonAPtr b =
      CreateTextImageButtonA(plain, 100, 200, 1, label, font, 0, 0, 5.0f, -3.0f);
  const float cx = 100 + 60 - static_cast<float>(tw / 2) + 5.0f;
  const float cy = 200 + 20 - static_cast<float>(th / 2) - 3.0f;

  Cls();
  SetImageFont(nullptr);
  DrawImage(plain, 100, 200);
  SetImageFont(font);
  DrawText(label, cx, cy);
  PixmapPtr want = headless::CaptureBackBuffer();
  for (ButtonEPtr button : {ButtonEPtr(a), ButtonEPtr(b)}) {
    Cls();
    SetImageFont(nullptr);
    button->Draw();
    EXPECT_EQ(GetImageFont(), font);  // the font stays selected
    PixmapPtr got = headless::CaptureBackBuffer();
    EXPECT_EQ(got->pixels, want->pixels);
  }
}

TEST_F(ButtonsE, FactoriesPlaceAndSizeTheButton) {
  // A 201-pixel strip gives 100-pixel frames; "Cancel" shares the image of "OK".
  const std::string path = tk::SavePng(tk::Strip(100, 30, {tk::kBlue, tk::kWhite}), "wide.png");
  PixmapPtr odd = CreatePixmap(201, 30);
  const std::string oddPath = tk::SavePng(odd, "odd.png");
  TextAnimButtonEPtr ok = CreateTextAnimButtonE(oddPath, 100, 200, 1, u"OK", nullptr, 0, 0, 0);
  EXPECT_EQ(ok->width, 100.0f);
  EXPECT_EQ(ok->height, 30.0f);
  EXPECT_EQ(ImageFrames(ok->image), 2);
  TextAnimButtonEPtr cancel =
      CreateTextAnimButtonE(ok->image, 250, 200, 2, u"Cancel", nullptr, 0, 0, 0);
  EXPECT_EQ(cancel->image, ok->image);
  EXPECT_EQ(cancel->width, 100.0f);
  EXPECT_EQ((std::vector<float>{cancel->x, cancel->y}), (std::vector<float>{250, 200}));

  TextAnimButtonEPtr centred = CreateTextAnimButtonE(path, 400, 300, 3, u"", nullptr, 1, 0, 0);
  EXPECT_EQ((std::vector<float>{centred->x, centred->y, centred->width, centred->height}),
            (std::vector<float>{350, 285, 100, 30}));
  TextImageButtonAPtr image = CreateTextImageButtonA(path, 400, 300, 3, u"", nullptr, 0, 1, 0, 0);
  EXPECT_EQ((std::vector<float>{image->x, image->y, image->width, image->height}),
            (std::vector<float>{300, 285, 200, 30}));
  TextImageButtonAPtr stray = CreateTextImageButtonA(path, 400, 300, 3, u"", nullptr, 0, 2, 0, 0);
  EXPECT_EQ((std::vector<float>{stray->x, stray->y}), (std::vector<float>{0, 0}));
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(ButtonsE, FactoriesReportBadSourcesAndStillAnswerAButton) {
  struct Case {
    ImageSource source;
    String message;
  };
  const Case cases[] = {
      {ImageSource(std::string("no/such.png")), u"Can't load image: no/such.png"},
      {ImageSource(std::string("")), u"Invalid object type"},
      {ImageSource(tk::SolidPixmap(4, 4, tk::kWhite)), u"Invalid object type"},
      {ImageSource(), u"Invalid object type"},
  };
  size_t seen = 0;
  for (const Case& c : cases) {
    for (bool strip : {true, false}) {
      ButtonEPtr b =
          strip
              ? ButtonEPtr(CreateTextAnimButtonE(c.source, 10, 20, 1, u"x", nullptr, 0, 0, 0))
              : ButtonEPtr(CreateTextImageButtonA(c.source, 10, 20, 1, u"x", nullptr, 0, 0, 0, 0));
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->image, nullptr);
      EXPECT_EQ((std::vector<float>{b->x, b->y, b->width, b->height}),
                (std::vector<float>{10, 20, 0, 0}));
      ASSERT_EQ(headless::MessageBoxes().size(), ++seen);
      EXPECT_EQ(headless::MessageBoxes().back().text, c.message);
      b->over = 1;
      b->Draw();  // nothing to draw, and no failure
    }
  }
}

}  // namespace
