#include <gtest/gtest.h>

#include "platform/headless.h"
#include "toolkit/container.h"
#include "toolkit_fixtures.h"

namespace {

using tk::Frame;
using tk::Near;
using tk::PixelAt;

ImageButtonPtr Image(float x, float y, int id) {
  return CreateImageButton(tk::SolidImage(40, 30, tk::kGreen), CreateDim(x, y), id, 1.0f, 0);
}

TEST(Container, TypedGettersLookOnlyAtTheFirstItemOfAnId) {
  TContainer c;
  ImagePtr image = tk::SolidImage(4, 4, tk::kRed);
  ImageButtonPtr button = Image(0, 0, 1);
  DimPtr rect = CreateDim(1, 2);
  c.Add(image, 10, rect);
  c.Add(button, 10);
  EXPECT_EQ(c.GetButton(10), nullptr);
  EXPECT_EQ(c.GetImage(10), image);
  EXPECT_EQ(c.Get(10)->dim, rect);
  EXPECT_EQ(std::get<ImagePtr>(c.GetObject(10)), image);
  EXPECT_EQ(c.GetDim(10), nullptr);  // the item's own rectangle is never answered
  EXPECT_EQ(c.GetImage(11), nullptr);
  EXPECT_EQ(c.Get(11), nullptr);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(c.GetObject(11)));

  FontPtr font = CreateFont(tk::GlyphRow(10, {{3, tk::kRed}}), u"a", 10, 0);
  TextPtr text = CreateText(u"a", CreateDim(0, 0), font);
  MemoPtr memo = CreateMemo(font, u"a", CreateDim(0, 0), 0, 1.0f);
  ColorFramePtr frame = CreateColorFrame(CreateDim(0, 0), CreateColor(0), 0, CreateColor(0), 1, 0);
  SFXPtr sfx = CreateSFX("sfx/none.ogg", 0);
  PixmapPtr pixmap = tk::SolidPixmap(2, 2, tk::kRed);
  ImageFontPtr ttf = std::make_shared<TImageFont>();
  c.Add(text, 1);
  c.Add(memo, 2);
  c.Add(frame, 3);
  c.Add(sfx, 4);
  c.Add(pixmap, 5);
  c.Add(font, 6);
  c.Add(ttf, 7);
  c.Add(rect, 8);
  c.Add(button, 9);
  EXPECT_EQ(c.GetText(1), text);
  EXPECT_EQ(c.GetMemo(2), memo);
  EXPECT_EQ(c.GetFrame(3), frame);
  EXPECT_EQ(c.GetSFX(4), sfx);
  EXPECT_EQ(c.GetPixmap(5), pixmap);
  EXPECT_EQ(c.GetFont(6), font);
  EXPECT_EQ(c.GetTTFont(7), ttf);
  EXPECT_EQ(c.GetDim(8), rect);
  EXPECT_EQ(c.GetButton(9), button);
  EXPECT_EQ(c.GetText(2), nullptr);
  EXPECT_EQ(c.GetFont(1), nullptr);
  EXPECT_EQ(c.Count(), 11);
}

TEST(Container, DrawAndRemoveActOnEveryItemOfAnId) {
  tk::OpenScreen();
  TContainer c;
  EXPECT_EQ(c.Count(), 0);
  c.Add(tk::SolidImage(20, 20, tk::kRed), 10, CreateDim(100, 100));
  c.Add(Image(200, 100, 1), 10);
  c.Add(tk::SolidImage(20, 20, tk::kBlue), 11, CreateDim(300, 100));
  c.Add(tk::SolidImage(20, 20, tk::kBlue), 10);  // no rectangle: skipped
  Frame([&] {
    c.Draw(10);
    return 0;
  });
  EXPECT_TRUE(Near(PixelAt(110, 110), {255, 0, 0}));
  EXPECT_TRUE(Near(PixelAt(210, 110), {0, 255, 0}));
  EXPECT_TRUE(Near(PixelAt(310, 110), {0, 0, 0}));
  c.Remove(10);
  EXPECT_EQ(c.Count(), 1);
  EXPECT_NE(c.GetImage(11), nullptr);
  c.Remove(42);
  EXPECT_EQ(c.Count(), 1);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
}

TEST(Container, ItemsDrawTheirOwnKinds) {
  tk::OpenScreen();
  TContainer c;
  c.Add(tk::SolidPixmap(10, 10, tk::kRed), 1, CreateDim(10.9f, 50.9f));
  FontPtr font = CreateFont(tk::GlyphRow(10, {{10, tk::kWhite}}), u"a", 10, 0);
  c.Add(CreateText(u"a", CreateDim(100, 50), font), 1);
  c.Add(CreateMemo(font, u"a", CreateDim(150, 50), 0, 1.0f), 1);
  c.Add(CreateColorFrame(CreateDim(200, 50, 10, 10), CreateColor(0), 1,
                         CreateColor(0x0000FF), 1.0f, 0),
        1);
  c.Add(font, 1);
  c.Add(CreateDim(0, 0, 800, 600), 1);
  Frame([&] {
    c.Draw(1);
    return 0;
  });
  // The pixmap at the truncated Left and Top: x 10 .. 19, y 50 .. 59.
  EXPECT_TRUE(Near(PixelAt(10, 50), {255, 0, 0}));
  EXPECT_TRUE(Near(PixelAt(19, 59), {255, 0, 0}));
  EXPECT_TRUE(Near(PixelAt(20, 55), {0, 0, 0}));
  EXPECT_TRUE(Near(PixelAt(105, 55), {255, 255, 255}));
  EXPECT_TRUE(Near(PixelAt(155, 55), {255, 255, 255}));
  EXPECT_TRUE(Near(PixelAt(205, 55), {0, 0, 255}));
  EXPECT_TRUE(Near(PixelAt(400, 300), {0, 0, 0}));
}

TEST(Container, StatePollsEveryButtonOfAnIdAndDropsTheAnswers) {
  tk::OpenScreen();
  TContainer c;
  ImageButtonPtr a = Image(100, 100, 5);
  ImageButtonPtr b = Image(110, 100, 6);
  c.Add(a, 5);
  c.Add(b, 5);
  c.Add(tk::SolidImage(2, 2, tk::kRed), 5, CreateDim(0, 0));
  headless::MouseMoveAt(0, 130, 115);
  headless::MouseClickAt(1, 1);
  Frame([&] {
    c.State(5);
    return 0;
  });
  EXPECT_EQ(a->over + b->over, 2);
  Frame([&] {
    c.State(5);
    return 0;
  });
  EXPECT_EQ(c.GetButton(5), a);
  EXPECT_EQ(c.GetButton(5)->isClicked(), 1);
  EXPECT_EQ(b->isClicked(), 1);
}

TEST(Container, SoundsThatDidNotLoadPlayAndStopQuietly) {
  TContainer c;
  SFXPtr sfx = CreateSFX(S("sfx/none.ogg"), 3);
  EXPECT_EQ(sfx->sound, nullptr);
  EXPECT_EQ(sfx->loadFlags, 3);
  c.Add(sfx, 1);
  c.Stop(1);
  c.Play(1);
  c.Stop(1);
  EXPECT_EQ(sfx->channel, nullptr);
  c.Play(99);
}

}  // namespace
