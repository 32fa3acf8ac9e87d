#include <gtest/gtest.h>

#include <vector>

#include "platform/headless.h"
#include "toolkit/button_e.h"
#include "toolkit/menu_e.h"
#include "toolkit_fixtures.h"

namespace {

using tk::Frame;
using tk::Near;
using tk::PixelAt;

class MenusE : public ::testing::Test {
 protected:
  void SetUp() override { tk::OpenScreen(); }
  static void Pointer(int x, int y, bool down) {
    const int f = headless::FrameNumber();
    headless::MouseMoveAt(f, x, y);
    headless::MouseButtonAt(f, 1, down);
  }
};

TextAnimButtonEPtr Strip(float x, float y, int id) {
  return CreateTextAnimButtonE(
      LoadAnimImage(tk::Strip(40, 30, {tk::kWhite, tk::kWhite}), 40, 30, 0, 2, 0), x, y, id, u"",
      nullptr, 0, 0, 0);
}
TextImageButtonAPtr Radio(float x, float y, int id) {
  return CreateTextImageButtonA(tk::SolidImage(40, 30, tk::kWhite), x, y, id, u"", nullptr, 2, 0, 0,
                                0);
}

TEST_F(MenusE, FirstPressedButtonWinsOnEveryHeldFrame) {
  TMenuE menu;
  TextAnimButtonEPtr first = Strip(100, 100, 1);
  TextAnimButtonEPtr second = Strip(110, 100, 2);  // overlaps the first
  menu.AddItem(first);
  menu.AddItem(second);
  Pointer(130, 115, false);
  EXPECT_EQ(Frame([&] { return menu.State(); }), 0);
  EXPECT_EQ(second->over, 1);  // no press: every button was polled
  second->over = 0;
  Pointer(130, 115, true);
  std::vector<int> got;
  for (int i = 0; i < 3; ++i) got.push_back(Frame([&] { return menu.State(); }));
  EXPECT_EQ(got, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(second->over, 0);  // not polled once the first answered
}

TEST_F(MenusE, GetItemAnswersTheFirstButtonOfAnIdInBothMenus) {
  TMenuE plain;
  TMenuA group;
  TextAnimButtonEPtr a = Strip(0, 0, 4);
  TextAnimButtonEPtr b = Strip(0, 0, 4);
  for (const ButtonEPtr& x : {ButtonEPtr(a), ButtonEPtr(b), ButtonEPtr(a)}) {
    plain.AddItem(x);
    group.AddItem(x);
  }
  EXPECT_EQ(plain.GetItem(4), a);
  EXPECT_EQ(group.GetItem(4), a);
  EXPECT_EQ(plain.GetItem(5), nullptr);
  EXPECT_EQ(group.GetItem(5), nullptr);
  EXPECT_EQ(plain.items->Count(), 3);
}

TEST_F(MenusE, RadioGroupKeepsTheLastPressedButtonSelected) {
  TMenuA group;
  std::vector<TextImageButtonAPtr> b{Radio(100, 100, 1), Radio(200, 100, 2), Radio(300, 100, 3)};
  for (const auto& x : b) group.AddItem(x);
  auto selected = [&] { return group.GetSelectedItem(); };
  EXPECT_EQ(selected(), nullptr);

  Pointer(120, 115, true);
  EXPECT_EQ(Frame([&] { return group.State(); }), 0);
  EXPECT_EQ(selected(), b[0]);
  Pointer(220, 115, false);  // hovering another one changes nothing
  Frame([&] { return group.State(); });
  EXPECT_EQ(selected(), b[0]);

  Pointer(320, 115, true);
  EXPECT_EQ(Frame([&] {
              int r = group.State();
              group.Draw(1.0f);
              return r;
            }),
            0);
  EXPECT_EQ(selected(), b[2]);
  EXPECT_EQ((std::vector<int>{b[0]->over, b[1]->over, b[2]->over}), (std::vector<int>{0, 0, 1}));
  EXPECT_TRUE(Near(PixelAt(120, 115), {255, 255, 255}));
  EXPECT_TRUE(Near(PixelAt(320, 115), {200, 200, 200}));

  // Hidden or disabled: no polling, the selection stays.
  for (int flag : {0, 1}) {
    group.visible = flag;
    group.enabled = 1 - flag;
    Pointer(120, 115, true);
    Frame([&] { return group.State(); });
    EXPECT_EQ(selected(), b[2]);
  }
}

TEST_F(MenusE, RadioGroupLeavesIdZeroAndSharedIdsSelected) {
  TMenuA group;
  TextImageButtonAPtr zero = Radio(100, 100, 0);
  TextImageButtonAPtr one = Radio(200, 100, 1);
  TextImageButtonAPtr twin = Radio(300, 100, 1);
  for (const auto& x : {zero, one, twin}) group.AddItem(x);

  Pointer(220, 115, true);
  Frame([&] { return group.State(); });
  EXPECT_EQ(group.GetSelectedItem(), one);
  Pointer(120, 115, true);  // id 0: latches, but the group sees no press
  Frame([&] { return group.State(); });
  EXPECT_EQ((std::vector<int>{zero->over, one->over}), (std::vector<int>{1, 1}));
  EXPECT_EQ(group.GetSelectedItem(), zero);
  Pointer(320, 115, true);  // the twin shares the id of the selected one
  Frame([&] { return group.State(); });
  EXPECT_EQ((std::vector<int>{zero->over, one->over, twin->over}), (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(group.GetSelectedItem(), one);
}

TEST_F(MenusE, OnlyCaptionedImageButtonsCanBeTheSelection) {
  TMenuA group;
  auto plain = std::make_shared<TImageButtonA>();
  plain->x = 100;
  plain->y = 100;
  plain->width = 40;
  plain->height = 30;
  plain->id = 1;
  TextAnimButtonEPtr strip = Strip(200, 100, 2);
  group.AddItem(plain);
  group.AddItem(strip);
  Pointer(120, 115, true);
  Frame([&] { return group.State(); });
  EXPECT_EQ(plain->over, 1);
  Pointer(220, 115, false);
  Frame([&] { return group.State(); });
  EXPECT_EQ(strip->over, 1);
  EXPECT_EQ(group.GetSelectedItem(), nullptr);
}

TEST_F(MenusE, DrawSetsTheAlphaForTheButtonsAndEndsAtOne) {
  TMenuE plain;
  TMenuA group;
  plain.AddItem(Strip(100, 100, 1));
  group.AddItem(Radio(300, 100, 2));
  SetBlend(ALPHABLEND);
  Cls();
  plain.Draw(0.5f);
  EXPECT_EQ(GetAlpha(), 1.0f);
  group.Draw(0.5f);
  EXPECT_EQ(GetAlpha(), 1.0f);
  EXPECT_TRUE(Near(PixelAt(120, 115), {128, 128, 128}, 4));
  EXPECT_TRUE(Near(PixelAt(320, 115), {128, 128, 128}, 4));

  plain.visible = 0;
  group.visible = 0;
  SetAlpha(0.3f);
  Cls();
  plain.Draw(0.5f);
  group.Draw(0.5f);
  EXPECT_EQ(GetAlpha(), 0.3f);
  EXPECT_TRUE(Near(PixelAt(120, 115), {0, 0, 0}));
  EXPECT_TRUE(Near(PixelAt(320, 115), {0, 0, 0}));
}

TEST_F(MenusE, HiddenOrDisabledPlainMenuPollsNothing) {
  TMenuE menu;
  TextAnimButtonEPtr b = Strip(100, 100, 5);
  menu.AddItem(b);
  Pointer(120, 115, true);
  for (int flag : {0, 1}) {
    menu.visible = flag;
    menu.enabled = 1 - flag;
    EXPECT_EQ(Frame([&] { return menu.State(); }), 0);
    EXPECT_EQ(b->over, 0);
  }
  menu.visible = 1;
  menu.enabled = 1;
  EXPECT_EQ(Frame([&] { return menu.State(); }), 5);
}

}  // namespace
