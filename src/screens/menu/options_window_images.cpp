// The menu window's images and its two texts, loaded once during start-up loading. The screens
// only arrange these objects; no screen loads a picture of its own.
#include <string>
#include <utility>

#include "services/data_folders.h"
#include "screens/menu/options_window.h"
#include "toolkit/dim.h"
#include "toolkit/font.h"
#include "toolkit/image_loaders.h"

namespace {

// Three ways of loading: with the default flags (masked and filtered); filtered only, so black
// stays opaque; and through the ".jp2" rule, which reads the ".png" of the same base name.
ImagePtr Plain(const char* path) { return LoadImage(bundleDir + path, DEFAULT_IMAGE_FLAGS); }
ImagePtr FilteredOnly(const char* path) { return LoadImage(bundleDir + path, FILTEREDIMAGE); }
ImagePtr Jp2(const char* path) {
  return LoadImage(LoadJPEG2000(bundleDir + path), DEFAULT_IMAGE_FLAGS);
}

// The caption entries in the order they load; entries not listed hold no image.
const std::pair<int, const char*> kCaptions[] = {
    {0, "gfx/fonts/playQ_07.png"},          {1, "gfx/fonts/menu-exit.png"},
    {4, "gfx/fonts/menu-resume.png"},       {5, "gfx/fonts/menu-new-game.png"},
    {15, "gfx/fonts/menu-gallery.png"},     {16, "gfx/fonts/menu-options-big.png"},
    {30, "gfx/fonts/menu-hiscores.png"},    {18, "gfx/fonts/menu-back2game.png"},
    {25, "gfx/fonts/playQ_03.png"},         {6, "gfx/fonts/menu-main.png"},
    {7, "gfx/fonts/menu-options.png"},      {8, "gfx/fonts/menu-quit-game.png"},
    {9, "gfx/fonts/menu-restart.png"},      {12, "gfx/fonts/menu-yes.png"},
    {13, "gfx/fonts/menu-no.png"},          {17, "gfx/fonts/menu-resume-small.png"},
    {19, "gfx/fonts/menu-music-vol.png"},   {20, "gfx/fonts/menu-sound-vol.png"},
    {21, "gfx/fonts/menu-fullscreen.png"},  {22, "gfx/fonts/menu-easy.png"},
    {23, "gfx/fonts/menu-normal.png"},      {24, "gfx/fonts/menu-hard.png"},
    {26, "gfx/fonts/menu-timeattack.png"},  {27, "gfx/fonts/menu-endless.png"},
    {31, "gfx/fonts/menu-credits.png"},     {32, "gfx/fonts/menu-quest-lvl.png"},
    {33, "gfx/fonts/menu-timed-lvl.png"},   {34, "gfx/fonts/menu-endless-lvl.png"},
    {35, "gfx/fonts/help.png"},             {36, "gfx/fonts/menu-play.png"},
    {37, "gfx/fonts/menu-back.png"},
};
// The three labels of the options screens are drawn centred on their points.
constexpr int kCentredCaptions[] = {19, 20, 21};

// "hello" and the name under it, in the menu font at full opacity, placed by their top-left.
TextPtr MenuText(const char16_t* text, float px, float py) {
  return CreateText(text, CreateDim(px, py, 0, 0, 0, 1, 1, 0), TextFont(fonts[0]), 1.0f, 0, 0, 0);
}

}  // namespace

int32_t TOptionsWindow::loadGfx() {
  background = Jp2("gfx/gui/pod-menu.jp2");
  buttonGlow = Plain("gfx/gui/podswietlacz2.png");
  tickedBox = Plain("gfx/gui/ptaszek.png");
  emptyBox = Plain("gfx/gui/ptaszek-brak.png");
  volumeSegment = Plain("gfx/gui/suwak.png");
  minusImage = Plain("gfx/gui/minus.png");
  plusImage = Plain("gfx/gui/plus.png");
  profileChangeImage = Plain("gfx/gui/profile-change.png");
  greetingBlot = FilteredOnly("gfx/gui/hello-plama2.png");
  checkMark = Plain("gfx/gui/ptaszek_01.png");
  pausedCaption = Plain("gfx/fonts/game-paused.png");
  confirmCaption = Plain("gfx/fonts/menu-are-you-sure.png");
  arrows[0] = Plain("gfx/gui/galeria_05.png");
  arrows[1] = Plain("gfx/gui/galeria_03.png");

  for (const ImagePtr& image :
       {checkMark, pausedCaption, buttonGlow, volumeSegment, greetingBlot, confirmCaption})
    MidHandleImage(image);

  greeting = MenuText(u"", 0, 185);
  helloText = MenuText(u"hello", 353, 164);

  for (const auto& [entry, path] : kCaptions) captionImages[entry] = Plain(path);
  for (int entry : kCentredCaptions) MidHandleImage(captionImages[entry]);
  return 0;
}
