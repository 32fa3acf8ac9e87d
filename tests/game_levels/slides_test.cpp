// The list of revealed pictures: names once each, in the order first added, case counting.
#include "datafiles/bca_archive.h"
#include "levels_fixtures.h"

namespace {

TEST(RevealedPicturesTest, NamesAreKeptOnceInTheOrderFirstAdded) {
  TSlidesManager list;
  for (const char* name :
       {"gfx/slides/2a.jpg", "gfx/slides/1a.jpg", "gfx/slides/2a.jpg", "gfx/slides/2A.jpg", "", ""})
    list.addRevealedImage(FromUtf8(name));
  EXPECT_EQ(levels::Items(list.revealedImages),
            (std::vector<std::string>{"gfx/slides/2a.jpg", "gfx/slides/1a.jpg", "gfx/slides/2A.jpg",
                                      ""}));
}

TEST(RevealedPicturesTest, EveryLevelLoadRevealsItsBackgroundOnce) {
  levels::MakeSingletons();
  // An endless level from the selector, a quest level, the endless level again.
  const std::vector<std::pair<const char*, int32_t>> loads = {
      {"level_endless_01.tsc", 1}, {"level_02.tsc", 0}, {"level_endless_01.tsc", 1}};
  for (const auto& [entry, timed] : loads) {
    level->Set(S(entry));
    levels::Output([timed = timed] { level->Load(timed); });
  }
  TSCFilePtr endless = CreateTSCFile();
  TSCFilePtr quest = CreateTSCFile();
  ASSERT_EQ(LoadTSCFileBB(endless, "data/runes_levels_lp.bca", S("level_endless_01.tsc")), 1);
  ASSERT_EQ(LoadTSCFileBB(quest, "data/runes_levels_lp.bca", S("level_02.tsc")), 1);
  const auto background = [](const TSCFilePtr& tsc) {
    return ToUtf8(GetTSCStringKey(tsc, S("Settings::Graphics"), S("BackgroundImage")));
  };
  EXPECT_EQ(levels::Items(slides->revealedImages),
            (std::vector<std::string>{background(endless), background(quest)}));
}

}  // namespace
