#include <gtest/gtest.h>

#include <vector>

#include "platform/headless.h"
#include "platform/input.h"
#include "toolkit/button.h"
#include "toolkit_fixtures.h"

namespace {

using tk::Frame;
using tk::Near;
using tk::PixelAt;

class Buttons : public ::testing::Test {
 protected:
  void SetUp() override { tk::OpenScreen(); }

  // Runs `frames` frames from now, answering what State gave on each.
  static std::vector<int> Poll(const ButtonPtr& b, int frames) {
    std::vector<int> out;
    for (int i = 0; i < frames; ++i) out.push_back(Frame([&] { return b->State(); }));
    return out;
  }
  static std::vector<std::vector<int>> PollBoth(const ButtonPtr& a, const ButtonPtr& b, int frames) {
    std::vector<std::vector<int>> out(2);
    for (int i = 0; i < frames; ++i)
      Frame([&] {
        out[0].push_back(a->State());
        out[1].push_back(b->State());
        return 0;
      });
    return out;
  }
};

// A 2-frame strip of 40 x 30 cells: the out frame blue, the over frame white.
AnimButtonPtr Anim(float x, float y, int id, int style) {
  return CreateAnimButton(tk::Strip(40, 30, {tk::kBlue, tk::kWhite}), CreateDim(x, y), id, 2, 1,
                          0, 1.0f, style);
}
ImageButtonPtr ImageAt(float x, float y, int id, int style, float alpha = 1.0f) {
  return CreateImageButton(tk::SolidImage(40, 30, tk::kWhite), CreateDim(x, y), id, alpha, style);
}

TEST_F(Buttons, HeldAnimButtonAnswersEveryFrameImageButtonOnlyOnThePress) {
  AnimButtonPtr anim = Anim(100, 100, 7, -1);
  ImageButtonPtr image = ImageAt(100, 100, 9, 0);
  headless::MouseMoveAt(0, 120, 115);
  headless::MouseButtonAt(1, 1, true);
  headless::MouseButtonAt(5, 1, false);
  auto got = PollBoth(anim, image, 7);
  EXPECT_EQ(got[0], (std::vector<int>{0, 7, 7, 7, 7, 0, 0}));
  EXPECT_EQ(got[1], (std::vector<int>{0, 9, 0, 0, 0, 0, 0}));
}

TEST_F(Buttons, PressDraggedOntoAButtonCountsOnlyForAnimButtons) {
  AnimButtonPtr anim = Anim(100, 100, 7, -1);
  ImageButtonPtr image = ImageAt(100, 100, 9, 0);
  headless::MouseMoveAt(0, 10, 10);
  headless::MouseButtonAt(1, 1, true);
  headless::MouseMoveAt(3, 120, 115);
  auto got = PollBoth(anim, image, 5);
  EXPECT_EQ(got[0], (std::vector<int>{0, 0, 0, 7, 7}));
  EXPECT_EQ(got[1], (std::vector<int>{0, 0, 0, 0, 0}));
}

TEST_F(Buttons, ClickTurnedIntoARightButtonReachesOnlyAnimButtons) {
  AnimButtonPtr anim = Anim(100, 100, 7, -1);
  ImageButtonPtr image = ImageAt(100, 100, 9, 0);
  headless::MouseMoveAt(0, 120, 115);
  Poll(anim, 1);
  for (int key : {KEY_LCONTROL, KEY_LSHIFT, KEY_LALT, KEY_SPACE}) {
    const int f = headless::FrameNumber();
    if (key == KEY_SPACE) {
      headless::KeyPressAt(f + 1, key);
    } else {
      headless::KeyAt(f, key, true);
      headless::KeyAt(f + 3, key, false);
    }
    headless::MouseClickAt(f + 1, 1);
    auto got = PollBoth(anim, image, 4);
    EXPECT_EQ(got[0], (std::vector<int>{0, 7, 0, 0})) << key;
    EXPECT_EQ(got[1], (std::vector<int>{0, 0, 0, 0})) << key;
  }
  // Without a modifier the image button takes the click.
  headless::MouseClickAt(headless::FrameNumber() + 1, 1);
  EXPECT_EQ(Poll(image, 3), (std::vector<int>{0, 9, 0}));
}

TEST_F(Buttons, PointerOnTheEdgeIsOutside) {
  ImageButtonPtr b = ImageAt(100, 100, 1, 0);
  struct {
    int x, y, over;
  } cases[] = {{100, 115, 0}, {101, 115, 1}, {140, 115, 0}, {139, 115, 1},
               {120, 100, 0}, {120, 101, 1}, {120, 130, 0}, {120, 129, 1}};
  for (auto& c : cases) {
    headless::MouseMoveAt(headless::FrameNumber(), c.x, c.y);
    Poll(b, 1);
    EXPECT_EQ(b->over, c.over) << c.x << ", " << c.y;
  }
}

TEST_F(Buttons, HoverBookkeepingAndTheClickLatch) {
  ImageButtonPtr b = ImageAt(100, 100, 4, 0);
  headless::MouseMoveAt(0, 120, 115);
  headless::MouseClickAt(1, 1);
  headless::MouseClickAt(3, 1);
  headless::MouseMoveAt(4, 300, 300);
  EXPECT_EQ(Poll(b, 2), (std::vector<int>{0, 4}));
  EXPECT_EQ(b->over, 1);
  EXPECT_EQ(b->isClicked(), 1);
  EXPECT_EQ(b->isClicked(), 0);
  EXPECT_EQ(Poll(b, 2), (std::vector<int>{0, 4}));
  EXPECT_EQ(b->clicked, 1);
  EXPECT_EQ(Poll(b, 1), (std::vector<int>{0}));  // the pointer leaves: the latch is cleared
  EXPECT_EQ(b->over, 0);
  EXPECT_EQ(b->isClicked(), 0);
}

TEST_F(Buttons, DisabledOrHiddenButtonKeepsItsHoverState) {
  AnimButtonPtr b = Anim(100, 100, 3, 0);
  headless::MouseMoveAt(0, 120, 115);
  headless::MouseButtonAt(1, 1, true);
  headless::MouseMoveAt(3, 300, 300);
  Poll(b, 1);
  ASSERT_EQ(b->over, 1);
  b->setState(0, 1);
  EXPECT_EQ(Poll(b, 3), (std::vector<int>{0, 0, 0}));  // held, then the pointer leaves
  EXPECT_EQ(b->over, 1);
  EXPECT_EQ(b->clicked, 0);
  Frame([&] { return b->Draw(); });
  EXPECT_TRUE(Near(PixelAt(120, 115), {100, 255, 200}));  // still the glowed look
  b->setState(1, 1);
  Poll(b, 1);
  EXPECT_EQ(b->over, 0);
  Frame([&] { return b->Draw(); });
  EXPECT_TRUE(Near(PixelAt(120, 115), {0, 0, 255}));
  b->setState(0, 0);
  EXPECT_EQ(b->enabled + b->visible, 0);
  Frame([&] { return b->Draw(); });
  EXPECT_TRUE(Near(PixelAt(120, 115), {0, 0, 0}));
}

struct LookCase {
  int style;
  tk::Rgb centre;
  bool grown;  // lit just outside the unscaled rectangle
};

// Hovers a 40 x 30 button at (100, 100) and draws it once.
void DrawHovered(const ButtonPtr& b) {
  headless::MouseMoveAt(headless::FrameNumber(), 120, 115);
  Frame([&] {
    b->State();
    return b->Draw();
  });
}

void ExpectCleanState(const ButtonPtr& b) {
  int r, g, bl;
  GetColor(r, g, bl);
  EXPECT_EQ(r + g + bl, 3 * 255);
  float sx, sy;
  GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 1.0f);
  EXPECT_FLOAT_EQ(sy, 1.0f);
  EXPECT_FLOAT_EQ(b->dim->scaleX, 1.0f);
  EXPECT_FLOAT_EQ(b->dim->scaleY, 1.0f);
}

TEST_F(Buttons, AnimButtonLooksWhileHovered) {
  const LookCase cases[] = {{0, {100, 255, 200}, false}, {1, {255, 255, 255}, true},
                            {2, {200, 200, 200}, false}, {-1, {255, 255, 255}, false},
                            {7, {255, 255, 255}, false}};
  for (const LookCase& c : cases) {
    SCOPED_TRACE(c.style);
    AnimButtonPtr b = Anim(100, 100, 1, c.style);
    DrawHovered(b);
    EXPECT_TRUE(Near(PixelAt(120, 115), c.centre));
    EXPECT_TRUE(Near(PixelAt(98, 115), c.grown ? tk::Rgb{255, 255, 255} : tk::Rgb{0, 0, 0}));
    ExpectCleanState(b);
    headless::MouseMoveAt(headless::FrameNumber(), 300, 300);
    Frame([&] {
      b->State();
      return b->Draw();
    });
    EXPECT_TRUE(Near(PixelAt(120, 115), {0, 0, 255}));  // the out frame, untinted
  }
}

TEST_F(Buttons, ImageButtonLooksWhileHovered) {
  const LookCase cases[] = {{0, {100, 255, 200}, false}, {1, {255, 255, 255}, true},
                            {2, {200, 200, 200}, false}, {5, {0, 0, 0}, false}};
  for (const LookCase& c : cases) {
    SCOPED_TRACE(c.style);
    ImageButtonPtr b = ImageAt(100, 100, 1, c.style);
    DrawHovered(b);
    EXPECT_TRUE(Near(PixelAt(120, 115), c.centre));
    EXPECT_TRUE(Near(PixelAt(98, 115), c.grown ? tk::Rgb{255, 255, 255} : tk::Rgb{0, 0, 0}));
    EXPECT_FLOAT_EQ(b->scale, 1.0f);
    ExpectCleanState(b);
  }
}

TEST_F(Buttons, ImageButtonsDrawAtTheirOwnAlphaAnimButtonsAtTheAlphaInForce) {
  ImageButtonPtr follows = ImageAt(100, 100, 1, 0, -1.0f);
  ImageButtonPtr own = ImageAt(200, 100, 2, 0, 0.5f);
  AnimButtonPtr anim = Anim(300, 100, 3, 0);
  anim->extraValue = 0.2f;
  Frame([&] {
    SetAlpha(0.4f);
    follows->Draw();
    EXPECT_FLOAT_EQ(GetAlpha(), 0.4f);
    own->Draw();
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
    SetAlpha(0.6f);
    anim->Draw();
    EXPECT_FLOAT_EQ(GetAlpha(), 0.6f);
    return 0;
  });
  EXPECT_TRUE(Near(PixelAt(120, 115), {102, 102, 102}));
  EXPECT_TRUE(Near(PixelAt(220, 115), {128, 128, 128}));
  EXPECT_TRUE(Near(PixelAt(320, 115), {0, 0, 153}));
}

TEST_F(Buttons, AnimatedImageButtonGrowsAndShrinksByFixedStepsWithItsGlow) {
  ImageButtonPtr b = CreateImageButton(tk::SolidImage(20, 20, tk::kWhite), CreateDim(400, 300), 1,
                                       1.0f, 1);
  ImagePtr glow = tk::SolidImage(300, 100, tk::kRed);
  MidHandleImage(glow);
  b->setView(1, 1, glow);
  EXPECT_EQ(b->dim->handleMode, 1);
  headless::MouseMoveAt(headless::FrameNumber(), 400, 300);
  const float growing[] = {1.025f, 1.05f, 1.075f, 1.1f, 1.125f, 1.14f, 1.14f};
  const int glowRed[] = {0, 11, 22, 33, 45, 56, 64};  // 0.25 x (scale before the step - 1) / 0.14
  for (int i = 0; i < 7; ++i) {
    Frame([&] {
      b->State();
      return b->Draw();
    });
    EXPECT_FLOAT_EQ(b->scale, growing[i]) << i;
    EXPECT_TRUE(Near(PixelAt(280, 300), {glowRed[i], 0, 0}, 4)) << i;
    EXPECT_TRUE(Near(PixelAt(280, 262), {0, 0, 0})) << i;  // squeezed to 0.7: 265 .. 335
    ExpectCleanState(b);
  }
  EXPECT_TRUE(Near(PixelAt(389, 300), {255, 255, 255}));  // 1.14: 388.6 .. 411.4
  EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);

  // Away from the pointer each draw shows the scale, then takes 0.02 off in single precision,
  // never going below 1: 1.12, 1.10, ... and a last tiny step, since seven steps leave a hair
  // above 1.
  headless::MouseMoveAt(headless::FrameNumber(), 100, 100);
  std::vector<float> shrinking;
  for (float s = 1.14f; s > 1.0f;) {
    s -= 0.02f;
    if (s < 1.0f) s = 1.0f;
    shrinking.push_back(s);
  }
  ASSERT_EQ(shrinking.size(), 8u);
  for (size_t i = 0; i < shrinking.size(); ++i) {
    Frame([&] {
      b->State();
      return b->Draw();
    });
    EXPECT_EQ(b->scale, shrinking[i]) << i;
    if (i == 0) {
      EXPECT_TRUE(Near(PixelAt(389, 300), {255, 255, 255}));
    }
  }
  Frame([&] { return b->Draw(); });
  EXPECT_FLOAT_EQ(b->scale, 1.0f);
}

TEST_F(Buttons, FactoriesSizeTheRectangleFromThePicture) {
  DimPtr dim = CreateDim(5, 6);
  AnimButtonPtr a = CreateAnimButton(tk::SolidPixmap(101, 20, tk::kWhite), dim, 3, 2, 1, 0, 0.5f, 2);
  EXPECT_EQ(a->dim, dim);
  EXPECT_FLOAT_EQ(dim->width, 50.0f);
  EXPECT_FLOAT_EQ(dim->height, 20.0f);
  EXPECT_EQ(ImageWidth(a->image), 50);
  EXPECT_EQ(ImageFrames(a->image), 2);
  EXPECT_EQ(a->id, 3);
  EXPECT_FLOAT_EQ(a->extraValue, 0.5f);
  EXPECT_EQ(a->overStyle, 2);
  EXPECT_EQ(a->visible + a->enabled, 2);

  DimPtr three = CreateDim(0, 0);
  AnimButtonPtr t = CreateAnimButton(tk::SolidPixmap(90, 10, tk::kWhite), three, 1, 3, 2, 1, 1.0f, 0);
  EXPECT_FLOAT_EQ(three->width, 30.0f);
  EXPECT_EQ(ImageFrames(t->image), 3);
  EXPECT_EQ(t->overFrame, 2);
  EXPECT_EQ(t->outFrame, 1);
  EXPECT_EQ(t->frameCount, 3);

  std::string path = tk::SavePng(tk::SolidPixmap(33, 17, tk::kRed), "button.png");
  ImageButtonPtr i = CreateImageButton(path, CreateDim(0, 0), 8, -1.0f, 1);
  EXPECT_FLOAT_EQ(i->dim->width, 33.0f);
  EXPECT_FLOAT_EQ(i->dim->height, 17.0f);
  EXPECT_FLOAT_EQ(i->extraValue, -1.0f);
  EXPECT_FLOAT_EQ(i->scale, 1.0f);
  EXPECT_EQ(i->animated, 0);
  a->setView(1, 1, nullptr);  // no effect on anim buttons
  EXPECT_EQ(dim->handleMode, 0);
}

TEST_F(Buttons, CaptionsAreCentredOnTheButtonOnceAtCreation) {
  FontPtr font = CreateFont(tk::GlyphRow(20, {{6, tk::kWhite}, {8, tk::kWhite}}), u"ab", 20, 0);
  TextPtr label = CreateText(u"ab", CreateDim(0, 0), font, 1.0f, 1);
  TextAnimButtonPtr ta = CreateTextAnimButton(tk::SolidPixmap(200, 40, tk::kBlue), CreateDim(100, 50), 5,
                                              label, 0, 0, 2);
  EXPECT_FLOAT_EQ(ta->dim->width, 100.0f);
  EXPECT_FLOAT_EQ(label->dim->x, 150.0f);
  EXPECT_FLOAT_EQ(label->dim->y, 70.0f);
  EXPECT_FLOAT_EQ(label->dim->width, 14.0f);
  EXPECT_FLOAT_EQ(label->dim->height, 20.0f);
  EXPECT_EQ(ta->overStyle, 2);
  EXPECT_EQ(ta->frameCount, 2);
  EXPECT_FLOAT_EQ(ta->extraValue, 1.0f);

  // The image family takes the over style before the offsets.
  TextPtr label2 = CreateText(u"a", CreateDim(0, 0), font);
  DimPtr dim = CreateDim(10, 10);
  TextImageButtonPtr ti =
      CreateTextImageButton(tk::SolidImage(80, 20, tk::kBlue), dim, 6, label2, 1, 5, -6);
  EXPECT_EQ(ti->overStyle, 1);
  EXPECT_FLOAT_EQ(label2->dim->offsetX, 5.0f);
  EXPECT_FLOAT_EQ(label2->dim->offsetY, -6.0f);
  EXPECT_FLOAT_EQ(label2->dim->x, 50.0f);
  EXPECT_FLOAT_EQ(label2->dim->y, 20.0f);
  ti->setView(1, 1, nullptr);  // the caption is not placed again
  EXPECT_FLOAT_EQ(label2->dim->x, 50.0f);
  EXPECT_EQ(dim->handleMode, 1);
}

TEST_F(Buttons, CaptionsDrawAtTheButtonAlphaAndGrowWithTheEnlargedLook) {
  // The caption: one white 10 x 10 letter, centred on the button at (120, 115).
  FontPtr font = CreateFont(tk::GlyphRow(10, {{10, tk::kWhite}}), u"a", 10, 0);
  for (int family = 0; family < 2; ++family) {
    SCOPED_TRACE(family);
    TextPtr label = CreateText(u"a", CreateDim(0, 0), font, 1.0f, 1);
    ButtonPtr b;
    if (family == 0)
      b = CreateTextAnimButton(tk::Strip(40, 30, {tk::kBlue, tk::kBlue}), CreateDim(100, 100), 1,
                               label, 0, 0, 1);
    else
      b = CreateTextImageButton(tk::SolidImage(40, 30, tk::kBlue), CreateDim(100, 100), 1, label,
                                1, 0, 0);
    b->extraValue = 0.5f;
    Frame([&] { return b->Draw(); });
    EXPECT_FLOAT_EQ(label->alpha, 0.5f);
    EXPECT_TRUE(Near(PixelAt(120, 115), family == 0 ? tk::Rgb{128, 128, 255}
                                                    : tk::Rgb{128, 128, 191}));
    EXPECT_TRUE(Near(PixelAt(114, 115), family == 0 ? tk::Rgb{0, 0, 255} : tk::Rgb{0, 0, 128}));
    // Enlarged: the caption grows by 1.15 about its centre too (10 -> 11.5 wide).
    b->extraValue = 1.0f;
    DrawHovered(b);
    EXPECT_TRUE(Near(PixelAt(114, 115), {255, 255, 255}));
    EXPECT_FLOAT_EQ(label->dim->scaleX, 1.0f);
    ExpectCleanState(b);
  }
}

TEST_F(Buttons, TintedLooksTintTheCaptionToo) {
  // A white caption on a black button: the caption shows the tint of the look.
  FontPtr font = CreateFont(tk::GlyphRow(10, {{10, tk::kWhite}}), u"a", 10, 0);
  const LookCase cases[] = {{0, {100, 255, 200}, false}, {2, {200, 200, 200}, false}};
  for (const LookCase& c : cases) {
    for (int family = 0; family < 2; ++family) {
      SCOPED_TRACE(testing::Message() << c.style << " " << family);
      TextPtr label = CreateText(u"a", CreateDim(0, 0), font, 1.0f, 1);
      ButtonPtr b;
      if (family == 0)
        b = CreateTextAnimButton(tk::Strip(40, 30, {0xFF000000u, 0xFF000000u}),
                                 CreateDim(100, 100), 1, label, 0, 0, c.style);
      else
        b = CreateTextImageButton(tk::SolidImage(40, 30, 0xFF000000u), CreateDim(100, 100), 1,
                                  label, c.style, 0, 0);
      DrawHovered(b);
      EXPECT_TRUE(Near(PixelAt(120, 115), c.centre));
      ExpectCleanState(b);
    }
  }
}

TEST_F(Buttons, ButtonWhosePictureFailedDrawsNothingAndMeasuresZero) {
  ImageButtonPtr i = CreateImageButton(S("gfx/none/button.png"), CreateDim(100, 100), 1, 1.0f, 1);
  AnimButtonPtr a = CreateAnimButton(S("gfx/none/anim.png"), CreateDim(100, 100), 2, 2, 1, 0, 1.0f, 1);
  TextImageButtonPtr ti = CreateTextImageButton(tk::SolidPixmap(4, 4, tk::kRed), CreateDim(100, 100), 3,
                                                nullptr, 0, 0, 0);
  TextAnimButtonPtr ta = CreateTextAnimButton(S(""), CreateDim(100, 100), 4, nullptr, 0, 0, 0);
  ASSERT_EQ(headless::MessageBoxes().size(), 4u);
  EXPECT_EQ(headless::MessageBoxes()[0].text, u"Nie mozna zaladowac obrazka: gfx/none/button.png");
  EXPECT_EQ(headless::MessageBoxes()[1].text, u"Nie mozna zaladowac obrazka: gfx/none/anim.png");
  for (ButtonPtr b : std::vector<ButtonPtr>{i, a, ti, ta}) {
    EXPECT_FLOAT_EQ(b->dim->width, 0.0f);
    EXPECT_FLOAT_EQ(b->dim->height, 0.0f);
    headless::MouseMoveAt(headless::FrameNumber(), 100, 100);
    DrawHovered(b);
    Frame([&] { return b->Draw(); });
    EXPECT_TRUE(Near(PixelAt(100, 100), {0, 0, 0}));
  }
}

}  // namespace
