// Loading pictures (PNG, JPEG), masks, strips of cells, locking and grabbing images, pixmaps.
#include <cstdio>
// libjpeg needs FILE and size_t declared first.
#include <jpeglib.h>
#include <png.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "gfx_support.h"
#include "platform/files.h"
#include "support/test_support.h"

namespace gfx_test {
namespace {

std::string HomeFile(const std::string& name) { return test_support::TempHome() + "/" + name; }

void WriteBytesTo(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytesFrom(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// An RGB PNG (no alpha channel) of w x h pixels given as R, G, B bytes.
void WriteRgbPng(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = w;
  image.height = h;
  image.format = PNG_FORMAT_RGB;
  ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr));
}

// A JPEG of w x h pixels, every pixel (r, g, b), written with libjpeg.
void WriteJpeg(const std::string& path, int w, int h, int r, int g, int b) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = w;
  cinfo.image_height = h;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
  for (int x = 0; x < w; ++x) {
    row[x * 3] = static_cast<uint8_t>(r);
    row[x * 3 + 1] = static_cast<uint8_t>(g);
    row[x * 3 + 2] = static_cast<uint8_t>(b);
  }
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  WriteBytesTo(path, std::vector<uint8_t>(buffer, buffer + size));
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
}

TEST(PictureFiles, PngKeepsEveryPixelAndItsAlpha) {
  PixmapPtr p = CreatePixmap(3, 2);
  const uint32_t colours[6] = {Argb(255, 1, 2, 3), Argb(0, 0, 0, 0), Argb(128, 255, 0, 255),
                               Argb(255, 255, 255, 255), Argb(10, 20, 30, 40), Argb(200, 9, 8, 7)};
  for (int i = 0; i < 6; ++i) p->Set(i % 3, i / 3, colours[i]);
  std::string path = HomeFile("round.png");
  ASSERT_TRUE(SavePixmapPNG(p, path));
  PixmapPtr back = LoadPixmap(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 3);
  EXPECT_EQ(back->height, 2);
  EXPECT_TRUE(back->hadAlpha);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(back->Get(i % 3, i / 3), colours[i]) << i;
  // The same through a stream.
  PixmapPtr viaStream = LoadPixmap(ReadFile(path));
  ASSERT_TRUE(viaStream);
  EXPECT_EQ(viaStream->pixels, back->pixels);
}

TEST(PictureFiles, RgbPngAndJpegHaveNoAlpha) {
  std::string png = HomeFile("rgb.png");
  WriteRgbPng(png, 2, 1, {10, 20, 30, 255, 0, 255});
  PixmapPtr p = LoadPixmap(png);
  ASSERT_TRUE(p);
  EXPECT_FALSE(p->hadAlpha);
  EXPECT_EQ(p->Get(0, 0), Opaque(10, 20, 30));
  EXPECT_EQ(p->Get(1, 0), Opaque(255, 0, 255));

  std::string jpg = HomeFile("plain.jpg");
  WriteJpeg(jpg, 16, 8, 200, 100, 50);
  PixmapPtr j = LoadPixmap(jpg);
  ASSERT_TRUE(j);
  EXPECT_FALSE(j->hadAlpha);
  EXPECT_EQ(j->width, 16);
  EXPECT_EQ(j->height, 8);
  EXPECT_EQ(j->Get(5, 5) >> 24, 255u);
  EXPECT_TRUE(ColorNear(j->Get(5, 5), 200, 100, 50, 3));
}

TEST(PictureFiles, PathsAreMatchedWithoutRegardToCase) {
  CreateDir(HomeFile("Gfx"));
  ASSERT_TRUE(SavePixmapPNG(SolidPixmap(2, 2, Opaque(1, 2, 3)), HomeFile("Gfx/Tile.png")));
  EXPECT_TRUE(LoadPixmap(HomeFile("gfx/tile.png")));
  EXPECT_TRUE(LoadImage(HomeFile("gfx\\TILE.png")));
}

TEST(PictureFiles, DamagedOrMissingFilesGiveNull) {
  ASSERT_TRUE(SavePixmapPNG(SolidPixmap(20, 20, Opaque(1, 2, 3)), HomeFile("whole.png")));
  std::vector<uint8_t> whole = ReadBytesFrom(HomeFile("whole.png"));
  WriteJpeg(HomeFile("whole.jpg"), 8, 8, 1, 2, 3);
  std::vector<uint8_t> jpeg = ReadBytesFrom(HomeFile("whole.jpg"));
  const std::vector<std::vector<uint8_t>> damaged = {
      {},
      {'h', 'e', 'l', 'l', 'o'},
      std::vector<uint8_t>(whole.begin(), whole.begin() + 30),         // a PNG cut short
      std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 20),           // a JPEG cut inside its header
      {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1},  // a JPEG header only
  };
  for (size_t i = 0; i < damaged.size(); ++i) {
    std::string path = HomeFile("damaged" + std::to_string(i) + ".png");
    WriteBytesTo(path, damaged[i]);
    EXPECT_FALSE(LoadPixmap(path)) << i;
    EXPECT_FALSE(LoadImage(path)) << i;
    EXPECT_FALSE(LoadAnimImage(path, 2, 2, 0, 1)) << i;
  }
  EXPECT_FALSE(LoadPixmap(HomeFile("missing.png")));
  EXPECT_FALSE(LoadImage(S("no/such/picture.jpg")));
}

TEST(Images, MaskColourIsTransparentOnlyInPicturesWithoutAlpha) {
  SetMaskColor(255, 0, 255);
  PixmapPtr rgb = SolidPixmap(2, 1, Opaque(255, 0, 255), PF_RGB888);  // no alpha of its own
  rgb->Set(1, 0, Opaque(254, 0, 255));
  PixmapPtr rgba = SolidPixmap(2, 1, Opaque(255, 0, 255));

  ImagePtr masked = LoadImage(rgb, DEFAULT_IMAGE_FLAGS);
  ASSERT_TRUE(masked);
  EXPECT_EQ(masked->flags, MASKEDIMAGE | FILTEREDIMAGE);
  EXPECT_EQ(LockImage(masked)->Get(0, 0) >> 24, 0u);
  EXPECT_EQ(LockImage(masked)->Get(1, 0), Opaque(254, 0, 255));
  EXPECT_EQ(rgb->Get(0, 0), Opaque(255, 0, 255)) << "the source pixmap is left alone";

  EXPECT_EQ(LockImage(LoadImage(rgb, FILTEREDIMAGE))->Get(0, 0), Opaque(255, 0, 255));
  EXPECT_EQ(LockImage(LoadImage(rgba, DEFAULT_IMAGE_FLAGS))->Get(0, 0), Opaque(255, 0, 255));

  // A window of a picture without alpha is still a picture without alpha.
  ImagePtr part = LoadImage(PixmapWindow(CopyPixmap(rgb), 0, 0, 1, 1), -1);
  EXPECT_EQ(LockImage(part)->Get(0, 0) >> 24, 0u);

  // The mask colour at start is black, and a JPEG is masked by it.
  SetMaskColor(0, 0, 0);
  std::string jpg = HomeFile("black.jpg");
  WriteJpeg(jpg, 8, 8, 0, 0, 0);
  EXPECT_EQ(LockImage(LoadImage(jpg))->Get(3, 3) >> 24, 0u);
}

TEST(Images, MaskedImageShowsTheScreenThroughItsMaskPixels) {
  OpenScreen();
  SetClsColor(0, 0, 90);
  Cls();
  SetMaskColor(255, 0, 255);
  PixmapPtr p = SolidPixmap(4, 4, Opaque(255, 0, 255), PF_RGB888);
  p->Set(0, 0, Opaque(0, 255, 0));
  DrawImage(LoadImage(p, -1), 10, 10);
  PixmapPtr shot = headless::CaptureBackBuffer();
  EXPECT_TRUE(ColorNear(ReadPixel(shot, 10, 10), 0, 255, 0));
  EXPECT_TRUE(ColorNear(ReadPixel(shot, 12, 12), 0, 0, 90));
}

TEST(Images, AnimStripIsCutLeftToRightThenTopToBottom) {
  // Three cells per row, two rows; cell i is grey level 10 * (i + 1).
  PixmapPtr strip = CreatePixmap(6, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      int cell = (y / 2) * 3 + x / 2;
      int v = 10 * (cell + 1);
      strip->Set(x, y, Opaque(v, v, v));
    }
  }
  ImagePtr image = LoadAnimImage(strip, 2, 2, 1, 4, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(ImageFrames(image), 4);
  EXPECT_EQ(ImageWidth(image), 2);
  EXPECT_EQ(ImageHeight(image), 2);
  for (int f = 0; f < 4; ++f) {
    PixmapPtr frame = LockImage(image, f);
    EXPECT_EQ(frame->Get(1, 1), Opaque(10 * (f + 2), 10 * (f + 2), 10 * (f + 2))) << f;
  }
  // Through a file, all cells.
  std::string path = HomeFile("strip.png");
  ASSERT_TRUE(SavePixmapPNG(strip, path));
  ImagePtr all = LoadAnimImage(path, 2, 2, 0, 6);
  ASSERT_TRUE(all);
  EXPECT_EQ(LockImage(all, 5)->Get(0, 0), Opaque(60, 60, 60));
  // More cells than the strip holds, or no cell size.
  EXPECT_FALSE(LoadAnimImage(strip, 2, 2, 3, 4));
  EXPECT_FALSE(LoadAnimImage(strip, 0, 2, 0, 1));
  EXPECT_FALSE(LoadAnimImage(strip, 7, 2, 0, 1));
}

TEST(Images, SizesOfNullAndMadeImages) {
  EXPECT_EQ(ImageWidth(nullptr), 0);
  EXPECT_EQ(ImageHeight(nullptr), 0);
  EXPECT_EQ(ImageFrames(nullptr), 0);
  ImagePtr image = CreateImage(5, 3, 2);
  ASSERT_TRUE(image);
  EXPECT_EQ(ImageWidth(image), 5);
  EXPECT_EQ(ImageHeight(image), 3);
  EXPECT_EQ(ImageFrames(image), 2);
  EXPECT_EQ(LockImage(image, 1)->Get(4, 2), 0u);
  EXPECT_FALSE(LockImage(image, 2));
  EXPECT_FALSE(CreateImage(0, 3));
  // Drawing nothing, or a frame that does not exist, is harmless.
  OpenScreen();
  DrawImage(nullptr, 0, 0);
  DrawImage(image, 0, 0, 7);
  DrawTexturedPoly(nullptr, {{0, 0, 0, 0}, {1, 0, 1, 0}, {1, 1, 1, 1}});
}

TEST(Images, TextureSideIsTheNextPowerOfTwo) {
  const int cases[][2] = {{-5, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 4}, {100, 128}, {128, 128}, {129, 256}, {800, 1024}};
  for (const auto& c : cases) EXPECT_EQ(TextureSide(c[0]), c[1]) << c[0];
}

TEST(Images, UnlockShowsChangedPixelsAndGrabReadsTheScreen) {
  OpenScreen();
  ImagePtr image = SolidImage(4, 4, Opaque(255, 0, 0));
  DrawImage(image, 0, 0);
  LockImage(image)->Set(1, 1, Opaque(0, 255, 0));
  UnlockImage(image);
  DrawImage(image, 10, 0);
  PixmapPtr shot = headless::CaptureBackBuffer();
  EXPECT_TRUE(ColorNear(ReadPixel(shot, 1, 1), 255, 0, 0));
  EXPECT_TRUE(ColorNear(ReadPixel(shot, 11, 1), 0, 255, 0));

  ImagePtr grabbed = CreateImage(6, 2, 1, 0);
  PixmapPtr before = LockImage(grabbed);
  GrabImage(grabbed, 9, 0);
  EXPECT_EQ(before->Get(0, 1), Opaque(0, 0, 0));
  EXPECT_EQ(before->Get(1, 1), Opaque(255, 0, 0));
  EXPECT_EQ(before->Get(2, 1), Opaque(0, 255, 0));
  DrawImage(grabbed, 100, 100);
  EXPECT_TRUE(ColorNear(ReadPixel(headless::CaptureBackBuffer(), 102, 101), 0, 255, 0));

  PixmapPtr part = GrabPixmap(-1, 0, 3, 2);  // one column off the screen
  EXPECT_EQ(ReadPixel(part, 0, 0), 0u);
  EXPECT_EQ(ReadPixel(part, 1, 1), Opaque(255, 0, 0));
}

TEST(Pixmaps, WindowsPixelsAndOutsideReads) {
  PixmapPtr p = SolidPixmap(4, 3, Opaque(9, 9, 9));
  WritePixel(p, 3, 2, Opaque(1, 2, 3));
  WritePixel(p, 4, 0, Opaque(7, 7, 7));  // outside: ignored
  WritePixel(p, -1, 0, Opaque(7, 7, 7));
  EXPECT_EQ(ReadPixel(p, 3, 2), Opaque(1, 2, 3));
  EXPECT_EQ(ReadPixel(p, 4, 2), 0u);
  EXPECT_EQ(ReadPixel(p, 0, -1), 0u);
  EXPECT_EQ(ReadPixel(nullptr, 0, 0), 0u);
  EXPECT_EQ(PixmapWidth(p), 4);
  EXPECT_EQ(PixmapHeight(nullptr), 0);

  PixmapPtr w = PixmapWindow(p, 2, 1, 4, 4);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->width, 4);
  EXPECT_EQ(w->Get(1, 1), Opaque(1, 2, 3));
  EXPECT_EQ(w->Get(0, 0), Opaque(9, 9, 9));
  EXPECT_EQ(w->Get(2, 0), 0u);
  EXPECT_EQ(w->Get(0, 2), 0u);

  PixmapPtr copy = CopyPixmap(p);
  copy->Set(0, 0, 0);
  EXPECT_EQ(p->Get(0, 0), Opaque(9, 9, 9));
}

TEST(Pixmaps, ResizeIsBilinear) {
  PixmapPtr p = CreatePixmap(2, 1);
  p->Set(0, 0, Opaque(0, 0, 0));
  p->Set(1, 0, Opaque(200, 100, 40));
  PixmapPtr r = ResizePixmap(p, 4, 2);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->width, 4);
  EXPECT_EQ(r->height, 2);
  EXPECT_EQ(r->Get(0, 0), Opaque(0, 0, 0));
  EXPECT_EQ(r->Get(1, 1), Opaque(50, 25, 10));
  EXPECT_EQ(r->Get(2, 0), Opaque(150, 75, 30));
  EXPECT_EQ(r->Get(3, 1), Opaque(200, 100, 40));
  PixmapPtr flat = ResizePixmap(SolidPixmap(7, 5, Argb(100, 1, 2, 3)), 3, 11);
  for (uint32_t px : flat->pixels) EXPECT_EQ(px, Argb(100, 1, 2, 3));
}

TEST(Pixmaps, PixelLayoutsConvert) {
  PixmapPtr p = SolidPixmap(2, 1, Argb(0x40, 0x11, 0x22, 0x33));
  uint8_t* bytes = PixelPtr(p, 1, 0);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes[0], 0x33);  // B, G, R, A
  EXPECT_EQ(bytes[3], 0x40);
  EXPECT_FALSE(PixelPtr(p, 2, 0));

  struct Case {
    int format;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {PF_BGRA8888, {0x33, 0x22, 0x11, 0x40}}, {PF_RGBA8888, {0x11, 0x22, 0x33, 0x40}},
      {PF_RGB888, {0x11, 0x22, 0x33}},         {PF_BGR888, {0x33, 0x22, 0x11}},
      {PF_A8, {0x40}},                         {PF_I8, {0x22}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BytesPerPixel(c.format), static_cast<int>(c.bytes.size()));
    std::vector<uint8_t> out(c.bytes.size() * 2, 0);
    ConvertPixels(PixelPtr(p, 0, 0), PF_BGRA8888, out.data(), c.format, 2);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + c.bytes.size()), c.bytes) << c.format;
  }
  // Back from RGB: opaque.
  const uint8_t rgb[3] = {1, 2, 3};
  uint8_t bgra[4];
  ConvertPixels(rgb, PF_RGB888, bgra, PF_BGRA8888, 1);
  EXPECT_EQ(bgra[0] + bgra[1] * 256 + bgra[2] * 65536 + (bgra[3] << 24), static_cast<int>(Opaque(1, 2, 3)));
}

}  // namespace
}  // namespace gfx_test
