// Every popup we ship loads without a word, shows its picture, and fits: each line within its
// panel, the text and the icon above the OK button.
#include <filesystem>

#include "datafiles/bca_archive.h"
#include "platform/image_font.h"
#include "popups_fixtures.h"
#include "game/spells/bonus_manager_a.h"

namespace popups_test {
namespace {

// Room kept free between the text and each side of the panel (its gold trim).
constexpr int kSideMargin = 20;

// The popup files of the popup archive, as the content folder holds them.
std::vector<std::string> PopupFiles() {
  std::vector<std::string> names;
  for (const auto& entry :
       std::filesystem::directory_iterator(test_support::SourceDir() + "/content/popups_lp"))
    if (entry.path().extension() == ".tsc" && entry.path().filename() != "pack.tsc")
      names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ShippedPopups, EveryPopupLoadsAndFitsItsPanel) {
  if (FileType("data/popups_lp.bca") != FILETYPE_FILE || FileType("gfx/info/ok.png") == 0)
    GTEST_SKIP() << "the game folder holds no generated content";
  test_support::OpenScreen();
  TPopupManager manager;
  manager.Load();
  // The popups show the spell manager's icons.
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  bonusManagerAlt->LoadResources();
  ASSERT_TRUE(manager.font);
  ASSERT_TRUE(manager.okButton && manager.okButton->image);
  SetImageFont(manager.font);
  const int okHeight = ImageHeight(manager.okButton->image);
  const std::vector<std::string> files = PopupFiles();
  ASSERT_FALSE(files.empty());
  int popups = 0;
  for (const std::string& file : files) {
    TSCFilePtr tsc = CreateTSCFile();
    ASSERT_EQ(LoadTSCFileBB(tsc, "data/popups_lp.bca", FromUtf8(file)), 1) << file;
    TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, String());
    for (const TSCGroupPtr& group : *groups) {
      const std::string name = file + " " + ToUtf8(group->name);
      PopupPtr popup;
      const std::string out = Output([&] {
        GetTSCNumberKey(tsc, group->name, S("Level"), 0);
        popup = TPopup::Create(tsc, group);
      });
      ++popups;
      EXPECT_EQ(out, "") << name;
      ASSERT_TRUE(popup->image) << name;
      const int w = ImageWidth(popup->image);
      EXPECT_GT(popup->lineCount, 0) << name;
      int h = 0;
      for (int i = 0; i < popup->lineCount; ++i) {
        const String& line = popup->lines[static_cast<size_t>(i)];
        EXPECT_LE(TextWidth(line), w - 2 * kSideMargin) << name << " line " << i + 1;
        h += TextHeight(line);
      }
      int bottom = popup->textY + h;
      if (popup->spell >= 1 && popup->spell <= 6) {
        ImagePtr icon = bonusManagerAlt->icons[static_cast<size_t>(popup->spell)];
        ASSERT_TRUE(icon) << name;
        bottom = popup->textY + h + 20 + ImageHeight(icon) / 2;
      }
      if (popup->spell == TPopup::kOwnIcon) {
        ASSERT_TRUE(popup->iconImage) << name;
        EXPECT_GE(popup->y + popup->iconY, popup->textY + h) << name << ": icon over the text";
        bottom = popup->y + popup->iconY + ImageHeight(popup->iconImage);
        EXPECT_LE(popup->x + popup->iconX + ImageWidth(popup->iconImage),
                  popup->x + w - kSideMargin)
            << name;
      }
      EXPECT_LT(bottom, popup->buttonY) << name << ": runs into OK";
      EXPECT_LE(popup->buttonY + okHeight, popup->y + ImageHeight(popup->image)) << name;
      EXPECT_GE(popup->x, 0) << name;
      EXPECT_LE(popup->x + w, 800) << name;
      EXPECT_LE(popup->y + ImageHeight(popup->image), 600) << name;
    }
  }
  EXPECT_GE(popups, 9);
}

}  // namespace
}  // namespace popups_test
