// The headless record of files asked for reading that could not be opened: what a long scripted
// run checks to find game files that are missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/headless.h"
#include "platform/pixmap.h"
#include "platform/sound.h"
#include "support/test_support.h"

namespace {

TEST(FailedOpens, EveryReadThatFindsNoFileIsRecordedAndFoundFilesAreNot) {
  const std::string home = test_support::TempHome();
  StreamPtr written = WriteFile(home + "/there.txt");
  ASSERT_TRUE(written);
  WriteLine(written, "here");
  CloseFile(written);
  ASSERT_TRUE(CreateDir(home + "/folder", false));

  const size_t before = headless::FailedOpens().size();
  EXPECT_TRUE(ReadFile(home + "/THERE.txt")) << "found without regard to case";
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(LoadBytes(home + "/there.txt", bytes));
  EXPECT_EQ(headless::FailedOpens().size(), before);

  EXPECT_FALSE(ReadFile(home + "/missing.txt"));
  EXPECT_FALSE(ReadFile(home + "/folder"));
  EXPECT_FALSE(LoadPixmap(home + "/gone.png"));
  EXPECT_FALSE(LoadSound(home + "/gone.ogg"));
  const std::vector<std::string>& failed = headless::FailedOpens();
  ASSERT_EQ(failed.size(), before + 4);
  EXPECT_EQ(failed[before], home + "/missing.txt");
  EXPECT_EQ(failed[before + 1], home + "/folder");
  EXPECT_EQ(failed[before + 2], home + "/gone.png");
  EXPECT_EQ(failed[before + 3], home + "/gone.ogg");
}

}  // namespace
