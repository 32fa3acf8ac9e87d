// The platform's drawing on one screen: blend modes, tints, rotation and scale about handles,
// textured polygons, clipping and shapes, with pictures made in code.
#include <cmath>

#include "platform/graphics.h"
#include "platform/headless.h"
#include "scenario.h"

namespace {

uint32_t Argb(int a, int r, int g, int b) {
  return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}

// A soft white disc: opaque in the middle, fading to clear at the rim.
ImagePtr Glow(int size) {
  PixmapPtr p = CreatePixmap(size, size);
  float r = size / 2.0f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float d = std::hypot(x + 0.5f - r, y + 0.5f - r) / r;
      int a = d >= 1.0f ? 0 : static_cast<int>(255 * (1.0f - d * d));
      p->Set(x, y, Argb(a, 255, 255, 255));
    }
  }
  ImagePtr image = LoadImage(p, FILTEREDIMAGE);
  MidHandleImage(image);
  return image;
}

// A gold and violet checker board, 8 squares of 8 pixels, with a red corner square.
ImagePtr Checker() {
  PixmapPtr p = CreatePixmap(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      bool even = ((x / 8) + (y / 8)) % 2 == 0;
      p->Set(x, y, even ? Argb(255, 230, 180, 60) : Argb(255, 90, 40, 150));
      if (x < 8 && y < 8) p->Set(x, y, Argb(255, 220, 30, 30));
    }
  }
  return LoadImage(p, 0);
}

// An arrow pointing right, 60 x 20, with its handle at the tail's middle.
ImagePtr Arrow() {
  PixmapPtr p = CreatePixmap(60, 20);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 60; ++x) {
      bool shaft = x < 40 && y >= 7 && y < 13;
      bool head = x >= 40 && std::abs(y - 10) * 2 < (60 - x);
      if (shaft || head) p->Set(x, y, Argb(255, 255, 255, 255));
    }
  }
  ImagePtr image = LoadImage(p, FILTEREDIMAGE);
  SetImageHandle(image, 0, 10);
  return image;
}

void DemoBackground() {
  SetBlend(SOLIDBLEND);
  SetAlpha(1.0f);
  for (int y = 0; y < 600; y += 4) {
    SetColor(20 + y / 20, 16 + y / 40, 60 + y / 8);
    DrawRect(0, static_cast<float>(y), 800, 4);
  }
}

void Panel(float x, float y) {
  SetBlend(SOLIDBLEND);
  SetColor(150, 60, 40);
  DrawRect(x, y, 110, 110);
  SetColor(60, 110, 170);
  DrawRect(x + 55, y, 55, 110);
}

void DrawScene(const ImagePtr& glow, const ImagePtr& checker, const ImagePtr& arrow, int frame) {
  ResetDrawingState();
  DemoBackground();

  // Blend modes over a two-coloured panel: mask, solid, alpha 0.5, light, shade.
  const int modes[5] = {MASKBLEND, SOLIDBLEND, ALPHABLEND, LIGHTBLEND, SHADEBLEND};
  for (int i = 0; i < 5; ++i) {
    float x = 30.0f + i * 150.0f;
    Panel(x, 30);
    SetBlend(modes[i]);
    SetAlpha(modes[i] == ALPHABLEND ? 0.5f : 1.0f);
    SetColor(255, 230, 160);
    DrawImage(glow, x + 55, 85);
  }

  // Tints: the white disc multiplied by colours, light-blended in a row.
  SetBlend(LIGHTBLEND);
  SetAlpha(0.9f);
  const int tints[6][3] = {{255, 60, 60}, {255, 170, 40}, {240, 240, 60}, {60, 220, 90}, {60, 140, 255}, {200, 80, 255}};
  for (int i = 0; i < 6; ++i) {
    SetColor(tints[i][0], tints[i][1], tints[i][2]);
    DrawImage(glow, 80.0f + i * 70.0f, 210);
  }

  // Rotation and scale about the handle: a ring of arrows turning with the frame.
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  for (int i = 0; i < 12; ++i) {
    float turn = i * 30.0f + frame * 3.0f;
    float scale = 0.6f + 0.05f * i;
    SetTransform(turn, scale, scale);
    SetColor(255, 200 - i * 10, 80 + i * 14);
    DrawImage(arrow, 640, 230);
  }
  SetTransform(0, 1, 1);
  SetColor(255, 255, 255);
  DrawOval(634, 224, 12, 12);

  // Textured polygons: the checker on a trapezoid and on a hexagon (a fan), in the framework's
  // power-of-two texture coordinates (64 is its own power of two).
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  DrawTexturedPoly(checker, {{60, 330, 0, 0}, {200, 330, 1, 0}, {250, 450, 1, 1}, {10, 450, 0, 1}});
  std::vector<TexturedVertex> hexagon;
  for (int i = 0; i < 6; ++i) {
    double a = i * M_PI / 3.0;
    hexagon.push_back({static_cast<float>(350 + 60 * std::cos(a)), static_cast<float>(390 + 60 * std::sin(a)),
                       static_cast<float>(0.5 + 0.5 * std::cos(a)), static_cast<float>(0.5 + 0.5 * std::sin(a))});
  }
  SetColor(180, 255, 200);
  DrawTexturedPoly(checker, hexagon);

  // Clipping: a large turned checker seen through a viewport, with its frame drawn around it.
  SetViewport(470, 330, 140, 120);
  SetTransform(20.0f, 3.0f, 3.0f);
  SetColor(255, 255, 255);
  MidHandleImage(checker);
  DrawImage(checker, 540, 390);
  SetImageHandle(checker, 0, 0);
  SetTransform(0, 1, 1);
  SetViewport(0, 0, 800, 600);
  SetColor(255, 215, 120);
  DrawLine(469, 329, 610, 329);
  DrawLine(469, 450, 610, 450);
  DrawLine(469, 329, 469, 450);
  DrawLine(610, 329, 610, 450);

  // Shapes: a rectangle turned about the drawing handle, ovals, points.
  SetBlend(ALPHABLEND);
  SetAlpha(0.7f);
  SetColor(90, 200, 255);
  SetHandle(30, 15);
  SetRotation(-25.0f);
  DrawRect(710, 390, 60, 30);
  SetHandle(0, 0);
  SetRotation(0);
  SetColor(255, 120, 160);
  DrawOval(650, 470, 120, 50);
  SetAlpha(1.0f);
  SetColor(255, 255, 255);
  for (int i = 0; i < 40; ++i) Plot(40.0f + i * 18.0f, 560.0f + 10.0f * static_cast<float>(std::sin(i * 0.5)));
}

}  // namespace

SCENARIO("platform-demo", "blends, tints, rotation, textured polygons and clipping of the platform layer") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  ImagePtr glow = Glow(100);
  ImagePtr checker = Checker();
  ImagePtr arrow = Arrow();
  ctx.capture(1, "platform-demo.png");
  ctx.capture(20, "platform-demo-faded.png");
  for (int frame = 0; frame < 20; ++frame) {
    if (frame < 10) {
      DrawScene(glow, checker, arrow, frame);
    } else {
      // The back buffer keeps the last frame: a dark veil drawn over it, frame after frame.
      SetViewport(0, 0, 800, 600);
      SetTransform(0, 1, 1);
      SetBlend(ALPHABLEND);
      SetAlpha(0.15f);
      SetColor(0, 0, 0);
      DrawRect(400, 0, 400, 600);
    }
    Flip(-1);
  }
}
