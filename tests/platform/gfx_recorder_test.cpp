// The draw recorder: a frame's drawing replayed straight to SDL leaves the very picture the
// frame drew, whatever the frame used (every blend, colour, alpha, scale, rotation, handles,
// text, shapes, the viewport, pixmaps, a clear); frames are kept apart by the presents.
#include "gfx_support.h"
#include "platform/draw_recorder.h"
#include "platform/image_font.h"

namespace gfx_test {
namespace {

// A picture with soft edges: alpha and colour change over it, so masked, scaled and blended
// drawing all show their differences.
ImagePtr Gradient(int w, int h, int flags) {
  PixmapPtr p = CreatePixmap(w, h, PF_BGRA8888);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      p->Set(x, y, Argb((x * 255) / (w - 1), 255 - (y * 200) / h, (x * 90) / w + 40, 160));
  return LoadImage(p, flags);
}

// One frame of everything the platform draws.
void DrawEverything() {
  SetClsColor(20, 30, 60);
  Cls();
  ImagePtr soft = Gradient(40, 30, FILTEREDIMAGE);
  ImagePtr sharp = Gradient(24, 24, MASKEDIMAGE);
  const int blends[] = {MASKBLEND, SOLIDBLEND, ALPHABLEND, LIGHTBLEND, SHADEBLEND};
  int i = 0;
  for (int blend : blends) {
    SetBlend(blend);
    SetColor(255 - 30 * i, 200, 120 + 20 * i);
    SetAlpha(0.35f + 0.15f * i);
    SetTransform(15.0f * i, 1.0f + 0.25f * i, 1.5f - 0.2f * i);
    MidHandleImage(soft);
    DrawImage(soft, 60.0f + 120 * i, 80.0f);
    SetImageHandle(sharp, 3, 5);
    DrawImageRect(sharp, 60.0f + 120 * i, 200.0f, 50, 20);
    DrawSubImageRect(soft, 60.0f + 120 * i, 260.0f, 30, 30, 5, 5, 20, 15);
    DrawRect(40.0f + 120 * i, 330.0f, 60, 20);
    DrawOval(40.0f + 120 * i, 370.0f, 50, 30);
    DrawLine(40.0f + 120 * i, 420.0f, 100.0f + 120 * i, 450.0f);
    Plot(50.0f + 120 * i, 460.0f);
    DrawText(u"Runes and text", 40.0f + 120 * i, 480.0f);
    ++i;
  }
  SetTransform(0, 1, 1);
  SetBlend(ALPHABLEND);
  SetAlpha(0.8f);
  std::vector<TexturedVertex> fan = {{600, 500, 0, 0}, {700, 510, 0.6f, 0}, {690, 580, 0.6f, 0.5f},
                                     {610, 570, 0, 0.5f}};
  DrawTexturedPoly(soft, fan);
  // Clipped drawing, and a clear of the viewport only.
  SetViewport(300, 520, 150, 60);
  SetClsColor(90, 10, 10);
  Cls();
  SetColor(10, 220, 30);
  DrawOval(280, 500, 120, 120);
  SetViewport(0, 0, 800, 600);
  DrawPixmap(SolidPixmap(30, 20, Argb(160, 250, 250, 0)), 740, 20);
}

class Recorder : public ScreenTest {};

TEST_F(Recorder, ReplayDrawsThePictureTheFrameDrew) {
  // Something under the frame: the replay starts from the same back buffer.
  SetClsColor(5, 80, 5);
  Cls();
  PixmapPtr before = headless::CaptureBackBuffer();
  drawrec::Recording recording;
  drawrec::Start(recording);
  DrawEverything();
  Flip(-1);
  drawrec::Stop();
  PixmapPtr drawn = headless::CaptureBackBuffer();
  ASSERT_EQ(recording.frames(), 1);

  // The picture before the frame back, through a plain copy, then the replay over it.
  ResetDrawingState();
  SetBlend(SOLIDBLEND);
  SetColor(255, 255, 255);
  DrawImage(LoadImage(before, 0), 0, 0);
  ASSERT_EQ(ReadPixel(headless::CaptureBackBuffer(), 400, 300), ReadPixel(before, 400, 300));
  drawrec::Replay(recording, 0, false);
  PixmapPtr replayed = headless::CaptureBackBuffer();
  int differing = 0;
  for (size_t k = 0; k < drawn->pixels.size(); ++k) differing += drawn->pixels[k] != replayed->pixels[k];
  EXPECT_EQ(differing, 0);
  EXPECT_NE(drawn->pixels, before->pixels) << "the frame drew nothing";
}

TEST_F(Recorder, FramesEndAtEachPresentAndNothingIsKeptWhenStopped) {
  drawrec::Recording recording;
  drawrec::Start(recording);
  EXPECT_TRUE(drawrec::Active());
  SetColor(200, 0, 0);
  DrawRect(0, 0, 10, 10);
  Flip(-1);
  Flip(-1);  // a frame that draws nothing
  DrawLine(0, 0, 5, 5);
  Plot(3, 3);
  Flip(-1);
  drawrec::Stop();
  EXPECT_FALSE(drawrec::Active());
  DrawRect(0, 0, 10, 10);
  Flip(-1);
  ASSERT_EQ(recording.frames(), 3);
  EXPECT_EQ(recording.frameEnds[0], 2u);  // the rectangle and the present
  EXPECT_EQ(recording.frameEnds[1], 3u);
  EXPECT_EQ(recording.frameEnds[2], 6u);
  EXPECT_EQ(recording.commands[3].kind, drawrec::Command::kLine);
  EXPECT_EQ(recording.commands[4].kind, drawrec::Command::kPoint);

  // A frame out of range replays nothing; a recording started again starts empty.
  SetClsColor(0, 0, 0);
  Cls();
  drawrec::Replay(recording, 3);
  drawrec::Replay(recording, -1);
  EXPECT_EQ(ReadPixel(headless::CaptureBackBuffer(), 5, 5), Opaque(0, 0, 0));
  drawrec::Start(recording);
  drawrec::Stop();
  EXPECT_EQ(recording.frames(), 0);
  EXPECT_TRUE(recording.commands.empty());
}

TEST_F(Recorder, ReplayedImagesLiveOnAfterTheGameLetsThemGo) {
  drawrec::Recording recording;
  drawrec::Start(recording);
  {
    ImagePtr image = Gradient(16, 16, 0);
    SetBlend(SOLIDBLEND);
    DrawImage(image, 100, 100);
    Flip(-1);
  }
  drawrec::Stop();
  PixmapPtr drawn = headless::CaptureBackBuffer();
  SetClsColor(0, 0, 0);
  Cls();
  drawrec::Replay(recording, 0, true);
  EXPECT_EQ(ReadPixel(headless::CaptureBackBuffer(), 108, 108), ReadPixel(drawn, 108, 108));
}

}  // namespace
}  // namespace gfx_test
