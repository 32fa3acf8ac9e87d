// The packing tool's encoder, checked through the game's own reader.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "../../tools/bcapack/bca_encoder.h"
#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "datafiles_test_util.h"
#include "platform/files.h"
#include "support/test_support.h"

namespace {

std::vector<uint8_t> Repeat(const std::string& unit, int times) {
  std::vector<uint8_t> out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), unit.begin(), unit.end());
  return out;
}

}  // namespace

TEST(BcaPack, ReaderRestoresEveryPackedEntry) {
  std::mt19937 rng(7);
  std::vector<uint8_t> noise(3000);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(rng());
  std::vector<uint8_t> allBytes;
  for (int i = 0; i < 512; ++i) allBytes.push_back(static_cast<uint8_t>(i));
  const std::vector<std::vector<uint8_t>> contents = {
      {},
      Repeat("x", 1),
      Repeat("ab", 64),                   // exactly whole blocks
      Repeat("Level{\n\tNumber=3.00000000\n}\n", 150),
      Repeat("\x01\x02\x03", 700),
      noise,
      allBytes,
  };
  std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
  for (size_t i = 0; i < contents.size(); ++i)
    entries.emplace_back("f" + std::to_string(i) + ".tsc.bbc", bca::EncodeEntry(contents[i]));
  const StreamPtr archive = CreateRamStream(bca::BuildArchive(entries));
  for (size_t i = 0; i < contents.size(); ++i) {
    ASSERT_EQ(SeekStream(archive, 0), 0);
    std::vector<uint8_t> content;
    ASSERT_EQ(ReadBBEntry(archive, FromPath("f" + std::to_string(i) + ".tsc"), content),
              BBEntryStatus::Found) << i;
    EXPECT_EQ(content, contents[i]) << i;
  }
}

TEST(BcaPack, CodesRepeatsSmallerAndTakesFurtherPassesWhileTheyGain) {
  const std::vector<uint8_t> text = Repeat("Level{\n\tNumber=3.00000000\n}\n", 200);
  const std::vector<uint8_t> data = bca::EncodeEntry(text);
  EXPECT_LT(data.size(), text.size() / 3);
  EXPECT_GE(data[4], 2);  // pass count
  // A single pass over data with no repeats stores its blocks: a few bytes of overhead only.
  std::vector<uint8_t> noise(1000);
  std::mt19937 rng(3);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(rng());
  const std::vector<uint8_t> stored = bca::EncodeEntry(noise);
  EXPECT_EQ(stored[4], 1);
  EXPECT_LE(stored.size(), noise.size() + 9 + 4 + noise.size() / 32 + 1);
}

TEST(BcaPack, PackedKeyGroupFileLoadsThroughTheArchiveReader) {
  const std::string text = "Settings{\n\tscreenMode=0.00000000\n\tlastProfile=\"morvell\"\n}\n";
  const std::string path = test_support::TempHome() + "/settings.bca";
  ASSERT_TRUE(SaveBytesSafely(
      path, bca::BuildArchive({{"options.tsc.bbc", bca::EncodeEntry(std::vector<uint8_t>(text.begin(), text.end()))}})));
  TSCFilePtr file = CreateTSCFile();
  EXPECT_EQ(LoadTSCFileBB(file, path, u"OPTIONS.TSC"), 1);
  EXPECT_EQ(datafiles_test::U8(file->SaveToText()), text);
}
