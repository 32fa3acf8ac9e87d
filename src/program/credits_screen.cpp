// The title's credits screen: the title picture dissolves into the credits background, sixteen
// pages are written out one after another, five seconds each, and the background dissolves back
// into the title while the menu fades in. A left click, Enter or Space cuts the pages short.
#include <vector>

#include "services/mouse.h"
#include "platform/system.h"
#include "program/credits_page.h"
#include "program/title_screen.h"

namespace {

constexpr int32_t kPageWrittenMs = 4000;  // drawn at alpha 1 up to here
constexpr int32_t kPageFadeMs = 500;      // then fading to 0
constexpr int32_t kPageMs = 5000;         // the next page after more than this

constexpr const char16_t* kTeam = u"the mirethorn team";

}  // namespace

float CreditsPageAlpha(int32_t t) {
  if (t <= kPageWrittenMs) return 1.0f;
  if (t <= kPageWrittenMs + kPageFadeMs)
    return 1.0f - static_cast<float>(t - kPageWrittenMs) / static_cast<float>(kPageFadeMs);
  return -1.0f;
}

const std::vector<CreditsPageText>& CreditsTable() {
  static const std::vector<CreditsPageText> table = {
      {u"created by", {kTeam}},
      {u"team leader", {kTeam}},
      {u"programing",
       {kTeam, u"sdl2 under the zlib licence", u"freetype under the freetype licence"}},
      {u"graphics",
       {kTeam, u"cairo under lgpl 2 1 or mpl 1 1", u"libpng under the libpng licence"}},
      {u"music", {kTeam, u"libvorbis and libogg bsd 3 clause"}},
      {u"design", {kTeam, u"blankenburg font ofl 1 1", u"gotico antiqua font ofl 1 1"}},
      {u"director of production", {kTeam}},
      {u"associate producer", {kTeam}},
      {u"story", {kTeam}},
      {u"qa supervisor", {kTeam}},
      {u"qa team",
       {kTeam, u"googletest bsd 3 clause licence", u"libfuzzer apache 2 0 with llvm exception"}},
      {u"director of digital sales", {kTeam}},
      {u"director of digital distribution", {kTeam}},
      {u"business development manager", {kTeam}},
      {u"special thanks to",
       {u"cardo font ofl 1 1", u"junicode font ofl 1 1", u"dejavu fonts bitstream vera licence"}},
      {u"special thanks to",
       {u"libjpeg turbo ijg bsd and zlib licences", u"zlib under the zlib licence",
        u"espeak ng under the gpl 3 or later", u"and beta testers"}},
  };
  return table;
}

int32_t TTitleScreen::showCredits() {
  std::vector<CreditsPagePtr> pages;
  for (const CreditsPageText& text : CreditsTable()) {
    CreditsPagePtr page = std::make_shared<TCreditsPage>();
    page->AddTitle(text.title);
    for (const char16_t* field : text.fields) page->AddField(field);
    page->Prepare();
    pages.push_back(page);
  }
  alpha = 0.0f;
  crossFade(titleImage, nullptr, creditsImage, nullptr, false, false);
  size_t shown = 0;
  int32_t pageStart = MilliSecs();
  while (terminateRequested == 0 && choice == kNoChoice) {
    beginDisplayFrame(creditsImage);
    const float pageAlpha = CreditsPageAlpha(ElapsedMs(MilliSecs(), pageStart));
    if (pageAlpha >= 0.0f) pages[shown]->Update(pageAlpha);
    showDisplayFrame();
    if (ElapsedMs(MilliSecs(), pageStart) > kPageMs) {
      ++shown;
      // The end of the last page leaves the screen, over a close request of the same frame.
      if (shown >= pages.size()) choice = kLeaveScreen;
      pageStart = MilliSecs();
    }
    updateMusic();
  }
  leaveDisplay();
  crossFade(creditsImage, nullptr, titleImage, nullptr, false, true);
  mouse->fetchState();
  return 0;
}
