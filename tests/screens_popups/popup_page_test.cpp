// Popup pages: built from a group of a popup file (places, lines, icons, bad numbers), their
// fade and OK button frame by frame, and which events they answer.
#include "screens/popups/popup.h"

#include <cmath>

#include "game/spells/bonus_manager_a.h"
#include "popups_fixtures.h"

namespace popups_test {
namespace {

class PopupPage : public testing::Test {
 protected:
  void SetUp() override { MakeScene(); }

  // Moves the pointer over the OK button of `popup` (where its last Update put it), with the
  // left button held or not.
  void PointAtOk(const PopupPtr& popup, bool held) {
    headless::MouseMoveAt(headless::FrameNumber(), popup->buttonX + 20, popup->buttonY + 10);
    headless::MouseButtonAt(headless::FrameNumber(), 1, held);
    PollSystem();
  }
};

TEST_F(PopupPage, AutomaticPlacesFollowThePictureAndTheButtonIsCentred) {
  PopupPtr popup = PopupFrom(Group("Info", PanelKeys("BEGIN_LEVEL", 0)));
  EXPECT_EQ(popup->active, 1);
  EXPECT_EQ(popup->alpha, 0.0f);
  EXPECT_EQ(popup->buttonX, 372);
  EXPECT_EQ(popup->buttonY, 316);
  EXPECT_EQ(popup->textY, 160);
  EXPECT_EQ(ToUtf8(popup->lines[0]), "Hello");
}

TEST_F(PopupPage, OffsetsAreAutomaticGivenOrZero) {
  const std::string odd = WritePicture("odd.png", 401, 250, Argb(255, 1, 2, 3));
  struct Case {
    std::string offsets;
    int buttonY, textY;
  } cases[] = {
      {"ButtonY = -1\nTextY = -1\n", 30 + 180, 30 + 50},  // 250 x 0.72 and 250 x 0.2, cut
      {"ButtonY = 120\nTextY = 7\n", 150, 37},
      {"", 30, 30},  // missing: the picture's top edge
  };
  for (const Case& c : cases) {
    PopupPtr popup = PopupFrom(Group("P", "Image = \"" + odd + "\"\nX = 10\nY = 30\n" + c.offsets));
    EXPECT_EQ(popup->buttonX, 10 + 200 - 28) << c.offsets;
    EXPECT_EQ(popup->buttonY, c.buttonY) << c.offsets;
    EXPECT_EQ(popup->textY, c.textY) << c.offsets;
  }
}

TEST_F(PopupPage, BadCountsAndNumbersAreHeldInRange) {
  struct Case {
    std::string keys;
    int lineCount, x;
    std::string printed;
  } cases[] = {
      {"Lines = 150\nX = 5\n", 100, 5, "Popup P: Lines 150 taken as 100"},
      {"Lines = -3\nX = 5\n", 0, 5, "Popup P: Lines -3 taken as 0"},
      {"Lines = 2\nX = 3000000000\n", 2, 0, ""},
      {"Lines = 2\nX = -1" + std::string(40, '0') + "\n", 2, 0, ""},  // beyond float: -inf
  };
  for (const Case& c : cases) {
    PopupPtr popup;
    const std::string out = Output([&] { popup = PopupFrom(Group("P", c.keys)); });
    EXPECT_EQ(popup->lineCount, c.lineCount) << c.keys;
    EXPECT_EQ(popup->x, c.x) << c.keys;
    if (!c.printed.empty()) {
      EXPECT_NE(out.find(c.printed), std::string::npos) << out;
    }
  }
}

// Places and offsets at the ends of the int range (2147483500 reads back as 2147483520) are
// held to two screen widths either way, so that the drawing's sums cannot overflow.
TEST_F(PopupPage, PlacesAndOffsetsNearTheIntRangeAreHeldAndDraw) {
  const std::string panel = WritePicture("panel.png", 400, 300, Argb(255, 200, 180, 140));
  const std::string icon = WritePicture("icon.png", 48, 48, Argb(255, 9, 9, 9));
  struct Case {
    std::string places;
    int x, y, buttonY, textY, iconX, iconY;
  } cases[] = {
      {"X = 2147483500\nY = 2147483500\nButtonY = 2147483500\nTextY = 2147483500\n"
       "IconX = 2147483500\nIconY = 2147483500\n",
       1600, 1600, 3200, 3200, 1600, 1600},
      {"X = -2147483500\nY = -2147483500\nButtonY = -2147483500\nTextY = -2147483500\n"
       "IconX = -2147483500\nIconY = -2147483500\n",
       -1600, -1600, -3200, -3200, -1600, -1600},
      {"X = 1601\nY = -1601\nButtonY = 1600\nTextY = -1600\nIconX = 0\nIconY = 7\n", 1600,
       -1600, 0, -3200, 0, 7},
  };
  for (const Case& c : cases) {
    const PopupPtr popup = PopupFrom(Group(
        "P", "Image = \"" + panel + "\"\nLines = 2\nLine1 = \"Hi\"\nLine2 = \"there\"\n" +
                 "Spell = -1\nIconImg = \"" + icon + "\"\n" + c.places));
    EXPECT_EQ(popup->x, c.x) << c.places;
    EXPECT_EQ(popup->y, c.y) << c.places;
    EXPECT_EQ(popup->buttonX, c.x + 200 - TPopup::kButtonHalfWidth) << c.places;
    EXPECT_EQ(popup->buttonY, c.buttonY) << c.places;
    EXPECT_EQ(popup->textY, c.textY) << c.places;
    EXPECT_EQ(popup->iconX, c.iconX) << c.places;
    EXPECT_EQ(popup->iconY, c.iconY) << c.places;
    EXPECT_EQ(popup->Update(popupManager->okButton), 0);
  }
}

// The puzzle and the ring game take the popups of their level by its number, uncut: 1.5 and
// 1.9 belong to no level 1, and a level 2.5 has its own.
TEST_F(PopupPage, LevelPopupsAreChosenByTheWholeNumberOfTheirLevel) {
  struct Case {
    float level;
    std::vector<std::string> chosen;
  } cases[] = {
      {1.0f, {"A", "D"}},
      {2.5f, {"E"}},
      {2.0f, {}},
  };
  std::string text;
  for (const auto& [name, level] : std::vector<std::pair<std::string, std::string>>{
           {"A", "1"}, {"B", "1.5"}, {"C", "1.9"}, {"D", "1.0"}, {"E", "2.5"}})
    text += Group(name, "Level = " + level + "\nEvent = \"" + name + "\"\n");
  for (const Case& c : cases) {
    auto popups = CreateList<PopupPtr>();
    Output([&] { AddLevelPopups(Store(text), c.level, popups); });
    std::vector<std::string> chosen;
    for (const PopupPtr& popup : *popups) chosen.push_back(ToUtf8(popup->event));
    EXPECT_EQ(chosen, c.chosen) << c.level;
  }
}

TEST_F(PopupPage, TheOwnIconIsReadOnlyForSpellMinusOne) {
  const std::string icon = WritePicture("icon.png", 48, 48, Argb(255, 9, 9, 9));
  const std::string iconKeys = "IconImg = \"" + icon + "\"\nIconX = 12\nIconY = 34\n";
  struct Case {
    std::string keys;
    bool loaded;
    int iconX;
  } cases[] = {
      {"Spell = -1\n" + iconKeys, true, 12},
      {"Spell = -1\n", false, 0},
      {"Spell = 2\n" + iconKeys, false, 0},
  };
  for (const Case& c : cases) {
    std::string out;
    PopupPtr popup;
    out = Output([&] { popup = PopupFrom(Group("P", c.keys)); });
    EXPECT_EQ(popup->iconImage != nullptr, c.loaded) << c.keys;
    EXPECT_EQ(popup->iconX, c.iconX) << c.keys;
    // Keys of the own icon are asked for only when it is wanted.
    EXPECT_EQ(out.find("P::IconImg does not exist") != std::string::npos,
              c.keys == "Spell = -1\n")
        << out;
  }
}

TEST_F(PopupPage, APictureThatDoesNotLoadIsNamedAndMeasuresZero) {
  PopupPtr popup;
  const std::string out = Output([&] {
    popup = PopupFrom(Group("Lost", "Image = \"gfx/info/none.png\"\nX = 100\nY = 50\n"
                                    "ButtonY = -1\nTextY = -1\nLines = 1\nLine1 = \"Hi\"\n"));
  });
  EXPECT_NE(out.find("Popup Lost: the Image picture \"gfx/info/none.png\" cannot be loaded"),
            std::string::npos)
      << out;
  EXPECT_EQ(popup->buttonX, 100 - 28);
  EXPECT_EQ(popup->buttonY, 50);
  // Text and button still show.
  popup->alpha = 1.0f;
  ButtonPtr ok = popupManager->okButton;
  EXPECT_EQ(popup->Update(ok), 0);
  EXPECT_EQ(ok->dim->x, 72.0f);
}

TEST_F(PopupPage, FadesInInTenCallsAndOutInElevenAfterOk) {
  PopupPtr popup = PopupFrom(Group("Info", PanelKeys("BEGIN_LEVEL", 0)));
  ButtonPtr ok = popupManager->okButton;
  for (int call = 1; call <= 10; ++call) {
    EXPECT_LT(popup->alpha, 1.0f) << call;
    EXPECT_EQ(popup->Update(ok), 0);
  }
  EXPECT_GE(popup->alpha, 1.0f);
  PointAtOk(popup, true);
  EXPECT_EQ(popup->Update(ok), 0);  // the press: drawn at full opacity, now closing
  EXPECT_EQ(popup->active, 0);
  for (int call = 1; call <= 10; ++call) EXPECT_EQ(popup->Update(ok), 0) << call;
  EXPECT_EQ(popup->Update(ok), 1);
  EXPECT_EQ(app_test::MixedLevel(), kCloseLevel);  // one click-out sound
}

TEST_F(PopupPage, APressDuringTheFadeInClosesFromTheOpacityReachedWithOneSound) {
  PopupPtr popup = PopupFrom(Group("Info", PanelKeys("BEGIN_LEVEL", 0)));
  ButtonPtr ok = popupManager->okButton;
  for (int call = 0; call < 3; ++call) popup->Update(ok);
  PointAtOk(popup, true);
  int calls = 0;
  while (popup->Update(ok) == 0 && calls < 100) ++calls;
  // Up to 0.4 on the press frame, then down through 0.3, 0.2, 0.1 and a float's hair above 0.
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(app_test::MixedLevel(), kCloseLevel);  // holding the button plays nothing more
}

TEST_F(PopupPage, APressHeldFromBeforeThePopupDoesNotCloseIt) {
  PopupPtr first = PopupFrom(Group("Info", PanelKeys("BEGIN_LEVEL", 0)));
  ButtonPtr ok = popupManager->okButton;
  first->Update(ok);  // puts the button in place
  PointAtOk(first, true);
  PopupPtr popup = PopupFrom(Group("Info", PanelKeys("BEGIN_LEVEL", 0)));
  for (int call = 0; call < 30; ++call) EXPECT_EQ(popup->Update(ok), 0);
  EXPECT_EQ(popup->active, 1);
  PointAtOk(popup, false);
  popup->Update(ok);
  PointAtOk(popup, true);
  popup->Update(ok);
  EXPECT_EQ(popup->active, 0);
}

TEST_F(PopupPage, DrawsTheTextCentredAndTheSpellIconUnderItOnlyForKinds1To6) {
  const std::string panel = WritePicture("white.png", 400, 300, Argb(255, 255, 255, 255));
  for (int spell : {-2, 0, 1, 7}) {
    test_support::OpenScreen();
    // The spell manager's icons: a green square in every slot, the empty slot 0 included.
    bonusManagerAlt = std::make_shared<TBunusManagerA>();
    for (ImagePtr& icon : bonusManagerAlt->icons) {
      icon = SolidImage(16, 16, Argb(255, 0, 200, 0));
      MidHandleImage(icon);
    }
    PopupPtr popup = PopupFrom(Group(
        "P", "Image = \"" + panel + "\"\nX = 200\nY = 100\nTextY = -1\nButtonY = -1\n"
             "Lines = 0\nSpell = " + std::to_string(spell) + "\n"));
    popup->alpha = 1.0f;
    SetBlend(ALPHABLEND);
    popup->Update(popupManager->okButton);
    // With no lines the icon's centre sits at (x + W/2 - 2, textY + 20).
    const uint32_t centre = ScreenPixel(200 + 200 - 2, 160 + 20);
    const bool iconDrawn = test_support::Red(centre) < 200 || test_support::Blue(centre) < 200;
    EXPECT_EQ(iconDrawn, spell == 1) << spell;
  }
}

TEST_F(PopupPage, CanGoAnswersByNameAndClearingCount) {
  struct Case {
    const char* event;
    int condition, matches;
    const char* asked;
    int expected;
  } cases[] = {
      {"BEGIN_LEVEL", 5, 0, "BEGIN_LEVEL", 1},
      {"BEGIN_LEVEL", 0, 0, "begin_level", 0},
      {"MAKE_MATCH", 2, 2, "MAKE_MATCH", 1},
      {"MAKE_MATCH", 2, 1, "MAKE_MATCH", 0},
      {"MAKE_MATCH", 2, 3, "MAKE_MATCH", 0},
      {"RIGHT_UNUSED", 2, 2, "RIGHT_UNUSED", 1},
      {"RIGHT_UNUSED", 2, 0, "RIGHT_UNUSED", 0},
      {"RIGHT_UNUSED", 2, 2, "MAKE_MATCH", 0},
      {"DRAGON", 9, 0, "DRAGON", 1},
      {"DRAGON", 9, 0, "DRAGONS", 0},
  };
  for (const Case& c : cases) {
    TPopup popup;
    popup.event = FromUtf8(c.event);
    popup.condition = c.condition;
    level->matches = c.matches;
    EXPECT_EQ(popup.CanGo(FromUtf8(c.asked)), c.expected)
        << c.event << " " << c.condition << " at " << c.matches << " asked " << c.asked;
  }
}

}  // namespace
}  // namespace popups_test
