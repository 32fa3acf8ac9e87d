// The menu window's images: each field from its file of the game folder, with its loading flags
// and handle, every one present without a message, and a second load replacing them all.
#include <gtest/gtest.h>

#include <string>

#include "menu_fixtures.h"
#include "toolkit/image_loaders.h"

namespace {

using menu_test::MenuWindow;

class MenuImages : public MenuWindow {
 protected:
  // Every image object the window holds, with a name for messages.
  static std::vector<std::pair<std::string, ImagePtr>> AllImages() {
    TOptionsWindow& w = *optionsWindow;
    std::vector<std::pair<std::string, ImagePtr>> all = {
        {"background", w.background},     {"buttonGlow", w.buttonGlow},
        {"tickedBox", w.tickedBox},       {"emptyBox", w.emptyBox},
        {"volumeSegment", w.volumeSegment}, {"minusImage", w.minusImage},
        {"plusImage", w.plusImage},       {"profileChangeImage", w.profileChangeImage},
        {"greetingBlot", w.greetingBlot}, {"checkMark", w.checkMark},
        {"pausedCaption", w.pausedCaption}, {"confirmCaption", w.confirmCaption},
        {"arrows 0", w.arrows[0]},        {"arrows 1", w.arrows[1]},
    };
    for (int e = 0; e < TOptionsWindow::kCaptionCount; ++e)
      if (w.captionImages[e]) all.push_back({"caption " + std::to_string(e), w.captionImages[e]});
    return all;
  }
};

TEST_F(MenuImages, EachFieldHoldsItsFileWithItsFlagsAndHandle) {
  struct Case {
    const char* field;
    ImagePtr TOptionsWindow::*member;
    int caption;             // entry of captionImages when member is null
    const char* file;        // the file whose pixels the image holds
    int flags;
    bool centred;
  };
  using W = TOptionsWindow;
  constexpr int kDefault = MASKEDIMAGE | FILTEREDIMAGE;
  const Case cases[] = {
      {"background", &W::background, -1, "gfx/gui/pod-menu.png", kDefault, false},
      {"buttonGlow", &W::buttonGlow, -1, "gfx/gui/podswietlacz2.png", kDefault, true},
      {"tickedBox", &W::tickedBox, -1, "gfx/gui/ptaszek.png", kDefault, false},
      {"emptyBox", &W::emptyBox, -1, "gfx/gui/ptaszek-brak.png", kDefault, false},
      {"volumeSegment", &W::volumeSegment, -1, "gfx/gui/suwak.png", kDefault, true},
      {"minusImage", &W::minusImage, -1, "gfx/gui/minus.png", kDefault, false},
      {"plusImage", &W::plusImage, -1, "gfx/gui/plus.png", kDefault, false},
      {"profileChangeImage", &W::profileChangeImage, -1, "gfx/gui/profile-change.png", kDefault,
       false},
      {"greetingBlot", &W::greetingBlot, -1, "gfx/gui/hello-plama2.png", FILTEREDIMAGE, true},
      {"checkMark", &W::checkMark, -1, "gfx/gui/ptaszek_01.png", kDefault, true},
      {"pausedCaption", &W::pausedCaption, -1, "gfx/fonts/game-paused.png", kDefault, true},
      {"confirmCaption", &W::confirmCaption, -1, "gfx/fonts/menu-are-you-sure.png", kDefault,
       true},
      {"caption 0", nullptr, 0, "gfx/fonts/playQ_07.png", kDefault, false},
      {"caption 6", nullptr, 6, "gfx/fonts/menu-main.png", kDefault, false},
      {"caption 12", nullptr, 12, "gfx/fonts/menu-yes.png", kDefault, false},
      {"caption 18", nullptr, 18, "gfx/fonts/menu-back2game.png", kDefault, false},
      {"caption 19", nullptr, 19, "gfx/fonts/menu-music-vol.png", kDefault, true},
      {"caption 20", nullptr, 20, "gfx/fonts/menu-sound-vol.png", kDefault, true},
      {"caption 21", nullptr, 21, "gfx/fonts/menu-fullscreen.png", kDefault, true},
      {"caption 25", nullptr, 25, "gfx/fonts/playQ_03.png", kDefault, false},
      {"caption 37", nullptr, 37, "gfx/fonts/menu-back.png", kDefault, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    ImagePtr image = c.member ? (*optionsWindow).*c.member : optionsWindow->captionImages[c.caption];
    ASSERT_TRUE(image);
    PixmapPtr file = LoadPixmap(c.file);
    ASSERT_TRUE(file);
    ASSERT_EQ(image->width, file->width);
    ASSERT_EQ(image->height, file->height);
    EXPECT_EQ(image->frames[0]->pixels, file->pixels);
    EXPECT_EQ(image->flags, c.flags);
    EXPECT_EQ(image->handleX, c.centred ? image->width * 0.5f : 0.0f);
    EXPECT_EQ(image->handleY, c.centred ? image->height * 0.5f : 0.0f);
  }
  // The arrows: 0 the previous, 1 the next; top-left handles.
  EXPECT_EQ(optionsWindow->arrows[0]->frames[0]->pixels,
            LoadPixmap("gfx/gui/galeria_05.png")->pixels);
  EXPECT_EQ(optionsWindow->arrows[1]->frames[0]->pixels,
            LoadPixmap("gfx/gui/galeria_03.png")->pixels);
  EXPECT_EQ(optionsWindow->arrows[1]->handleX, 0.0f);
  // Only the listed caption entries hold images.
  for (int e : {2, 3, 10, 11, 14, 28, 29}) EXPECT_FALSE(optionsWindow->captionImages[e]) << e;
}

TEST_F(MenuImages, TextsStartAsAnEmptyNameAndHelloInTheMenuFont) {
  ASSERT_TRUE(optionsWindow->greeting && optionsWindow->helloText);
  EXPECT_EQ(optionsWindow->greeting->text, u"");
  EXPECT_EQ(optionsWindow->helloText->text, u"hello");
  EXPECT_EQ(optionsWindow->greeting->font.bitmap, fonts[0]);
  EXPECT_EQ(optionsWindow->helloText->font.bitmap, fonts[0]);
  EXPECT_EQ(optionsWindow->greeting->dim->y, 185.0f);
  EXPECT_EQ(optionsWindow->helloText->dim->x, 353.0f);
  EXPECT_EQ(optionsWindow->helloText->dim->y, 164.0f);
  EXPECT_EQ(optionsWindow->helloText->alpha, 1.0f);
}

TEST_F(MenuImages, EveryImageOfTheGameFolderLoadsAndEveryScreenBuildsWithoutAMessage) {
  const auto all = AllImages();
  EXPECT_EQ(all.size(), 14u + 31u);
  for (const auto& [name, image] : all) EXPECT_TRUE(HasPicture(image)) << name;
  for (int state = 0; state < TOptionsWindow::kStateCount; ++state) {
    Open(state, 1);
    HostFrame();
  }
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(MenuImages, ASecondLoadReplacesEveryObject) {
  const auto first = AllImages();
  TextPtr greeting = optionsWindow->greeting;
  TextPtr hello = optionsWindow->helloText;
  optionsWindow->loadGfx();
  const auto second = AllImages();
  ASSERT_EQ(first.size(), second.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].first, second[i].first);
    EXPECT_NE(first[i].second, second[i].second) << first[i].first;
  }
  EXPECT_NE(optionsWindow->greeting, greeting);
  EXPECT_NE(optionsWindow->helloText, hello);
}

}  // namespace
