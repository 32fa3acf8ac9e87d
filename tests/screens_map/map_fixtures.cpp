#include "map_fixtures.h"

#include <cmath>
#include <cstdlib>

#include "platform/graphics.h"
#include "platform/sound.h"
#include "toolkit/button.h"
#include "toolkit/dim.h"
#include "toolkit/font.h"

namespace map_test {

using test_support::SolidImage;

ImagePtr MidHandled(int side, uint32_t argb) {
  ImagePtr image = SolidImage(side, side, argb);
  MidHandleImage(image);
  return image;
}

uint32_t Over(uint32_t argb, float alpha, uint32_t under) {
  const float a = alpha < 0 ? 0 : alpha > 1 ? 1 : alpha;
  auto mixed = [&](int top, int bottom) {
    return static_cast<int>(std::lround(top * a + bottom * (1.0f - a)));
  };
  using test_support::Blue;
  using test_support::Green;
  using test_support::Red;
  return Argb(255, mixed(Red(argb), Red(under)), mixed(Green(argb), Green(under)),
              mixed(Blue(argb), Blue(under)));
}

bool Near(uint32_t a, uint32_t b) {
  using test_support::Blue;
  using test_support::Green;
  using test_support::Red;
  return std::abs(Red(a) - Red(b)) <= 3 && std::abs(Green(a) - Green(b)) <= 3 &&
         std::abs(Blue(a) - Blue(b)) <= 3;
}

FontPtr DigitFont() {
  auto font = std::make_shared<TFont>();
  font->lineHeight = 32.0f;
  for (char16_t c = u'0'; c <= u'9'; ++c) {
    font->letters->AddLast(CreateLetter(SolidImage(static_cast<int>(kDigitWidth), 32,
                                                   Argb(255, 255, 255, 255)),
                                        String(1, c), CreateDim(0, 0, kDigitWidth, 32.0f)));
  }
  return font;
}

void MapTest::SetUp() {
  test_support::OpenScreen();
  map = std::make_shared<TMapCore>();
  mouse = std::make_shared<TMouse>();
  options = std::make_shared<TOptions>();
  options->musicVol = 0.5f;
  options->soundVol = 1.0f;
  globalSnd = std::make_shared<TGlobalSnd>();
  globalSnd->sounds[6] = app_test::ConstantSound(kClickLevel);
  songManager = std::make_shared<TSongManager>();
  auto song = std::make_shared<TMusicFile>();
  song->name = kMapMusicPath;
  song->loaded = 1;
  song->sound = app_test::ConstantSound(kMusicLevel, true);
  songManager->songs->AddLast(song);
  sequencer = std::make_shared<TLevelSequencer>();
  sequencer->lastLevel = 10;
  headless::SetFrameCap(headless::FrameNumber() + 2000);
  firstFrame_ = headless::FrameNumber();
}

void MapTest::TearDown() {
  headless::SetFrameCallback(nullptr);
  headless::ClearScript();
  StopAllChannels();
}

void MapTest::FillLikeLoad() {
  map->backgroundImage = SolidImage(800, 600, kBackgroundColour);
  map->glowImages = {MidHandled(kGlowSide, kUnusedGlowColour), MidHandled(kGlowSide, kGlowColour),
                     MidHandled(kGlowSide, kBossGlowColour)};
  map->headerImages = {SolidImage(kWordLevelWidth, 24, Argb(255, 200, 160, 60)),
                       SolidImage(kWordOfWidth, 24, Argb(255, 200, 160, 60))};
  const ImagePtr ahead = MidHandled(kMarkerSide, kAheadColour);
  const ImagePtr done = MidHandled(kMarkerSide, kDoneColour);
  map->kindImages[0] = {ahead, done};
  map->kindImages[1] = map->kindImages[0];
  map->kindImages[3] = map->kindImages[0];
  map->kindImages[2] = {MidHandled(kMarkerSide, kMiniGameColour), MidHandled(kMarkerSide, kDoneColour)};
  map->kindImages[4] = {MidHandled(kMarkerSide, kBossColour), MidHandled(kMarkerSide, kDoneColour)};
  const FontPtr digits = DigitFont();
  for (size_t i = 0; i < 2; ++i)
    map->headerTexts[i] = CreateText(String(), CreateDim(400, 564, 0, 0, 0, 1.0f, 1.0f, 0), digits);
  map->buttons->AddItem(CreateImageButton(SolidImage(84, 28, Argb(255, 90, 60, 20)),
                                          CreateDim(194, 566, 0, 0, 0, 1.0f, 1.0f, 0),
                                          kMapMenuButton, 1.0f, 2));
  map->buttons->AddItem(CreateImageButton(SolidImage(84, 28, Argb(255, 90, 60, 20)),
                                          CreateDim(520, 566, 0, 0, 0, 1.0f, 1.0f, 0),
                                          kMapPlayButton, 1.0f, 2));
  mouse->cursor = SolidImage(4, 4, kCursorColour);
}

int32_t MapTest::ShowWith(int32_t finishedLevel, const std::function<void(int pass)>& perPass) {
  const int first = firstFrame_;
  headless::SetFrameCallback([first, perPass](int frame) {
    if (perPass) perPass(frame - first);
  });
  const int32_t result = map->Show(finishedLevel);
  headless::SetFrameCallback(nullptr);
  return result;
}

void MapTest::ClickInPass(int pass, int x, int y) {
  headless::MouseMoveAt(FrameReadInPass(pass), x, y);
  headless::MouseClickAt(FrameReadInPass(pass), 1);
}

}  // namespace map_test
