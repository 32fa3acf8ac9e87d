#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "services/data_folders.h"
#include "platform/files.h"
#include "support/process_fixtures.h"
#include "support/test_support.h"

using app_test::UserFolder;

TEST(DataFolders, FirstStartCreatesTheUserFolderWithItsParentsAndSubfolders) {
  const std::string home = test_support::TempHome();
  ASSERT_EQ(FileType(home + "/Library"), FILETYPE_NONE);
  EXPECT_EQ(GetDataFolders(), 0);
  EXPECT_EQ(myDocsFolder, UserFolder(home));
  EXPECT_EQ(FileType(myDocsFolder), FILETYPE_DIR);
  EXPECT_EQ(FileType(myDocsFolder + "/data"), FILETYPE_DIR);
  EXPECT_EQ(FileType(myDocsFolder + "/profiles-levelpack"), FILETYPE_DIR);
  // Those two are the player's own and never made by the game.
  EXPECT_EQ(FileType(myDocsFolder + "/custom-levels"), FILETYPE_NONE);
  EXPECT_EQ(FileType(myDocsFolder + "/custom-art"), FILETYPE_NONE);
}

TEST(DataFolders, ExistingFoldersAndFilesAreLeftAsTheyAre) {
  const std::string docs = UserFolder(test_support::TempHome());
  ASSERT_TRUE(CreateDir(docs + "/profiles-levelpack", true));
  ASSERT_TRUE(SaveText(u"kept", docs + "/profiles-levelpack/anna.dat"));
  // A file where the data folder belongs stays a file.
  ASSERT_TRUE(SaveText(u"not a folder", docs + "/data"));
  GetDataFolders();
  EXPECT_EQ(LoadText(docs + "/profiles-levelpack/anna.dat"), u"kept");
  EXPECT_EQ(FileType(docs + "/data"), FILETYPE_FILE);
  EXPECT_EQ(LoadText(docs + "/data"), u"not a folder");
  // A later start finds everything in place.
  GetDataFolders();
  EXPECT_EQ(FileType(docs + "/profiles-levelpack"), FILETYPE_DIR);
}

TEST(DataFolders, MissingDataSubfolderAloneIsCreated) {
  const std::string docs = UserFolder(test_support::TempHome());
  ASSERT_TRUE(CreateDir(docs + "/profiles-levelpack", true));
  GetDataFolders();
  EXPECT_EQ(FileType(docs + "/data"), FILETYPE_DIR);
}

TEST(DataFolders, HomePathBytesReachTheFileSystemUnchanged) {
  // "é" in UTF-8 followed by a byte that is not UTF-8 at all.
  const std::string home = test_support::TempHome() + "/h\xC3\xA9\xFFme";
  ASSERT_TRUE(CreateDir(home));
  setenv("HOME", home.c_str(), 1);
  GetDataFolders();
  EXPECT_EQ(myDocsFolder, UserFolder(home));
  EXPECT_EQ(FileType(home + "/Library/Preferences/.Glyphor/data"), FILETYPE_DIR);
  setenv("HOME", test_support::TempHome().c_str(), 1);
}

TEST(DataFolders, DataPathPrefixIsEmpty) {
  EXPECT_EQ(bundleDir, "");
  EXPECT_EQ(GetBundleResourceURL(u"", u""), "");
}

TEST(DataFolders, UnusedFolderAndIconHelpersAnswerNothing) {
  EXPECT_EQ(GetSpecialFolder(), "");
  EXPECT_EQ(ccSetIcon(u"gfx/icon.png"), 0);
  EXPECT_EQ(myDocsFolder, "");  // neither sets the user folder
}
