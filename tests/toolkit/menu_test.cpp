#include <gtest/gtest.h>

#include "platform/headless.h"
#include "toolkit/menu.h"
#include "toolkit_fixtures.h"

namespace {

using tk::Frame;
using tk::Near;
using tk::PixelAt;

class Menus : public ::testing::Test {
 protected:
  void SetUp() override { tk::OpenScreen(); }
};

AnimButtonPtr Anim(float x, float y, int id) {
  return CreateAnimButton(tk::Strip(40, 30, {tk::kWhite, tk::kWhite}), CreateDim(x, y), id, 2, 1,
                          0, 1.0f, -1);
}
ImageButtonPtr Image(float x, float y, int id, float alpha) {
  return CreateImageButton(tk::SolidImage(40, 30, tk::kWhite), CreateDim(x, y), id, alpha, 0);
}

TEST_F(Menus, FirstClickedButtonInAddingOrderWinsAndTheRestWait) {
  TMenu menu;
  AnimButtonPtr first = Anim(100, 100, 1);
  AnimButtonPtr second = Anim(110, 100, 2);  // overlaps the first
  menu.AddItem(first);
  menu.AddItem(second);
  headless::MouseMoveAt(0, 130, 115);
  headless::MouseButtonAt(1, 1, true);
  EXPECT_EQ(Frame([&] { return menu.State(); }), 0);
  EXPECT_EQ(second->over, 1);  // nothing clicked: every button was polled
  second->over = 0;
  EXPECT_EQ(Frame([&] { return menu.State(); }), 1);
  EXPECT_EQ(second->over, 0);  // not polled in the frame the first one answered
  EXPECT_EQ(menu.GetItem(2), second);
  EXPECT_EQ(menu.GetItem(3), nullptr);
}

TEST_F(Menus, GetItemAnswersTheFirstButtonOfAnId) {
  TMenu menu;
  AnimButtonPtr a = Anim(0, 0, 4);
  AnimButtonPtr b = Anim(0, 0, 4);
  menu.AddItem(a);
  menu.AddItem(b);
  menu.AddItem(a);  // no check for duplicates
  EXPECT_EQ(menu.GetItem(4), a);
  EXPECT_EQ(menu.items->Count(), 3);
}

TEST_F(Menus, HiddenOrDisabledMenuPollsNothing) {
  TMenu menu;
  AnimButtonPtr b = Anim(100, 100, 5);
  menu.AddItem(b);
  headless::MouseMoveAt(0, 120, 115);
  headless::MouseButtonAt(0, 1, true);
  menu.visible = 0;
  EXPECT_EQ(Frame([&] {
              int id = menu.State();
              menu.Draw(1.0f);
              return id;
            }),
            0);
  EXPECT_EQ(b->over, 0);
  EXPECT_TRUE(Near(PixelAt(120, 115), {0, 0, 0}));

  menu.visible = 1;
  EXPECT_EQ(Frame([&] { return menu.State(); }), 5);
  // Disabled but visible: still drawn, not polled, and the hover look stays.
  menu.enabled = 0;
  headless::MouseMoveAt(headless::FrameNumber(), 300, 300);
  EXPECT_EQ(Frame([&] {
              int id = menu.State();
              menu.Draw(1.0f);
              return id;
            }),
            0);
  EXPECT_EQ(b->over, 1);
  EXPECT_TRUE(Near(PixelAt(120, 115), {255, 255, 255}));
}

TEST_F(Menus, EmptyMenuAnswersZeroAndOnlyResetsTheAlpha) {
  TMenu menu;
  EXPECT_EQ(Frame([&] { return menu.State(); }), 0);
  SetAlpha(0.3f);
  menu.Draw(0.5f);
  EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
}

TEST_F(Menus, ButtonsDrawAtTheMenuAlphaUntilAnImageButtonSetsItsOwn) {
  TMenu menu;
  menu.AddItem(Anim(100, 100, 1));
  menu.AddItem(Image(200, 100, 2, 1.0f));
  menu.AddItem(Anim(300, 100, 3));
  menu.AddItem(Image(400, 100, 4, -1.0f));
  Frame([&] { return menu.Draw(0.5f); });
  EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
  EXPECT_TRUE(Near(PixelAt(120, 115), {128, 128, 128}));
  EXPECT_TRUE(Near(PixelAt(220, 115), {255, 255, 255}));
  EXPECT_TRUE(Near(PixelAt(320, 115), {255, 255, 255}));
  EXPECT_TRUE(Near(PixelAt(420, 115), {255, 255, 255}));
}

TEST_F(Menus, AdvancedMenuDrawsItsBackgroundAtTheAlphaInForce) {
  DimPtr dim = CreateDim(50, 50);
  AdvancedMenuPtr menu = CreateAdvancedMenu(tk::SolidImage(300, 200, tk::kBlue), dim);
  EXPECT_EQ(menu->dim, dim);
  EXPECT_FLOAT_EQ(dim->width, 0.0f);  // the rectangle's size is left alone
  EXPECT_EQ(menu->items->Count(), 0);
  EXPECT_EQ(menu->enabled + menu->visible, 2);
  menu->AddItem(Anim(100, 100, 1));
  Frame([&] {
    SetAlpha(1.0f);
    return menu->Draw(0.3f);
  });
  EXPECT_TRUE(Near(PixelAt(60, 60), {0, 0, 255}));
  EXPECT_TRUE(Near(PixelAt(120, 115), {77, 77, 255}, 4));
  EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);

  menu->visible = 0;
  Frame([&] { return menu->Draw(1.0f); });
  EXPECT_TRUE(Near(PixelAt(60, 60), {0, 0, 0}));

  AdvancedMenuPtr broken = CreateAdvancedMenu(S("gfx/none/menu.png"), CreateDim(0, 0));
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  broken->AddItem(Anim(100, 100, 1));
  Frame([&] { return broken->Draw(1.0f); });
  EXPECT_TRUE(Near(PixelAt(120, 115), {255, 255, 255}));
}

}  // namespace
