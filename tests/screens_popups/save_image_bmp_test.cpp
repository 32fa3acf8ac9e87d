// The BMP writer: the header fields, rows padded to four bytes and stored bottom-up, alpha
// dropped, and failures that say so and leave no partial file.
#include "screens/popups/save_image_bmp.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/files.h"
#include "popups_fixtures.h"

namespace popups_test {
namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint32_t U16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }

// An image of w x h whose pixel (x, y) is red x * 40 + 10, green y * 40 + 20, blue 200.
ImagePtr Gradient(int w, int h, int alpha = 255) {
  PixmapPtr p = CreatePixmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p->Set(x, y, Argb(alpha, x * 40 + 10, y * 40 + 20, 200));
  return LoadImage(p);
}

std::string Out(const std::string& name) { return test_support::TempHome() + "/" + name; }

TEST(BmpWriter, WritesTheHeaderFieldsOfTheTable) {
  ASSERT_EQ(SaveImageBMP(Gradient(3, 2), Out("a.bmp")), 0);
  const std::vector<uint8_t> b = ReadAll(Out("a.bmp"));
  ASSERT_EQ(b.size(), 54u + 2 * 12);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  struct Field {
    size_t at;
    int bytes;
    uint32_t value;
  } fields[] = {{2, 4, 78},  {6, 4, 0},  {10, 4, 54},   {14, 4, 40},   {18, 4, 3},
                {22, 4, 2},  {26, 2, 1}, {28, 2, 24},   {30, 4, 0},    {34, 4, 24},
                {38, 4, 2834}, {42, 4, 2834}, {46, 4, 0}, {50, 4, 0}};
  for (const Field& f : fields)
    EXPECT_EQ(f.bytes == 4 ? U32(b, f.at) : U16(b, f.at), f.value) << "offset " << f.at;
}

TEST(BmpWriter, RowsArePaddedToFourBytesAndStoredBottomUp) {
  for (int w = 1; w <= 4; ++w) {
    const int rowLength = (w * 3 + 3) / 4 * 4;
    ASSERT_EQ(SaveImageBMP(Gradient(w, 2), Out("w.bmp")), 0);
    const std::vector<uint8_t> b = ReadAll(Out("w.bmp"));
    ASSERT_EQ(b.size(), static_cast<size_t>(54 + 2 * rowLength)) << w;
    EXPECT_EQ(U32(b, 34), static_cast<uint32_t>(2 * rowLength)) << w;
    for (int fileRow = 0; fileRow < 2; ++fileRow) {
      const int y = 1 - fileRow;  // the bottom row first
      const size_t row = 54 + static_cast<size_t>(fileRow * rowLength);
      for (int x = 0; x < w; ++x) {
        EXPECT_EQ(b[row + x * 3], 200) << w << " blue " << x << "," << y;
        EXPECT_EQ(b[row + x * 3 + 1], y * 40 + 20) << w << " green " << x << "," << y;
        EXPECT_EQ(b[row + x * 3 + 2], x * 40 + 10) << w << " red " << x << "," << y;
      }
      for (int pad = w * 3; pad < rowLength; ++pad) EXPECT_EQ(b[row + pad], 0) << w;
    }
  }
}

TEST(BmpWriter, AnImageOfHeightZeroIsTheHeaderAlone) {
  auto flat = std::make_shared<TImage>();
  flat->width = 5;
  flat->frames.push_back(CreatePixmap(5, 0));
  ASSERT_EQ(SaveImageBMP(flat, Out("flat.bmp")), 0);
  const std::vector<uint8_t> b = ReadAll(Out("flat.bmp"));
  ASSERT_EQ(b.size(), 54u);
  EXPECT_EQ(U32(b, 2), 54u);
  EXPECT_EQ(U32(b, 34), 0u);
}

TEST(BmpWriter, AlphaIsDropped) {
  ASSERT_EQ(SaveImageBMP(Gradient(3, 3, 255), Out("opaque.bmp")), 0);
  ASSERT_EQ(SaveImageBMP(Gradient(3, 3, 40), Out("faint.bmp")), 0);
  EXPECT_EQ(ReadAll(Out("opaque.bmp")), ReadAll(Out("faint.bmp")));
}

TEST(BmpWriter, AFailureIsReportedAndLeavesNoPartialFile) {
  const std::string target = Out("keep.bmp");
  ASSERT_EQ(SaveImageBMP(Gradient(2, 2), target), 0);
  const std::vector<uint8_t> before = ReadAll(target);
  // No frame-0 pixmap: nothing happens to the file there.
  auto empty = std::make_shared<TImage>();
  EXPECT_EQ(SaveImageBMP(empty, target), -1);
  EXPECT_EQ(SaveImageBMP(ImagePtr(), target), -1);
  EXPECT_EQ(ReadAll(target), before);
  // A destination that cannot be opened.
  EXPECT_EQ(SaveImageBMP(Gradient(2, 2), Out("missing/folder/x.bmp")), -1);
  EXPECT_FALSE(std::filesystem::exists(Out("missing")));
  // A stream that refuses the bytes.
  StreamPtr readOnly = CreateRamStream(std::vector<uint8_t>{}, true, false);
  EXPECT_EQ(SaveImageBMP(Gradient(2, 2), readOnly), -1);
  // No temporary file is left behind.
  for (const auto& entry : std::filesystem::directory_iterator(test_support::TempHome()))
    EXPECT_NE(entry.path().extension(), ".part") << entry.path();
}

// The save goes through a temporary of the platform's own choosing: a file of the player's
// named like a temporary beside the picture is neither truncated nor taken.
TEST(BmpWriter, AFileNamedLikeTheTemporarySurvives) {
  const std::string target = Out("shot.bmp");
  for (const std::string& name : {target + ".part", target + ".tmp"})
    std::ofstream(name, std::ios::binary) << "the player's own";
  ASSERT_EQ(SaveImageBMP(Gradient(2, 2), target), 0);
  for (const std::string& name : {target + ".part", target + ".tmp"}) {
    const std::vector<uint8_t> kept = ReadAll(name);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "the player's own") << name;
  }
  EXPECT_EQ(ReadAll(target).size(), 54u + 2 * 8);
}

TEST(BmpWriter, WritesIntoAGivenStream) {
  StreamPtr ram = CreateRamStream(std::vector<uint8_t>{}, true, true);
  EXPECT_EQ(SaveImageBMP(Gradient(4, 1), ram), 0);
  const std::vector<uint8_t> bytes = RamStreamBytes(ram);
  ASSERT_EQ(bytes.size(), 54u + 12);
  EXPECT_EQ(bytes[54 + 9 + 2], 3 * 40 + 10);  // the red of the last pixel
}

}  // namespace
}  // namespace popups_test
