#include "toolkit/drawing.h"

#include "platform/system.h"

int findNextPowerOf2(int n) {
  int p = 1;
  while (p < n) p *= 2;
  return p;
}

void drawVial(const ImagePtr& image, int x, int y, float top, float bottom) {
  const int w = ImageWidth(image);
  const int h = ImageHeight(image);
  const float pw = static_cast<float>(findNextPowerOf2(w));
  const float ph = static_cast<float>(findNextPowerOf2(h));
  const float vTop = (static_cast<float>(h) / ph) * top;
  const float vBottom = (static_cast<float>(h) / ph) * bottom;
  const float yTop = static_cast<float>(y) + static_cast<float>(h) * top;
  const float yBottom = static_cast<float>(y) + static_cast<float>(h) * bottom;
  const float uRight = static_cast<float>(w) / pw;
  const float left = static_cast<float>(x);
  const float right = static_cast<float>(x + w);
  DrawTexturedPoly(image,
                   {left, yTop, 0.0f, vTop, right, yTop, uRight, vTop, right, yBottom, uRight,
                    vBottom, left, yBottom, 0.0f, vBottom},
                   0, -1);
}

void drawCroppedImage(const ImagePtr& image, int x, int y, int left, int top, int right,
                      int bottom) {
  const float pw = static_cast<float>(findNextPowerOf2(ImageWidth(image)));
  const float ph = static_cast<float>(findNextPowerOf2(ImageHeight(image)));
  const float uLeft = static_cast<float>(left) / pw;
  const float uRight = static_cast<float>(right) / pw;
  const float vTop = static_cast<float>(top) / ph;
  const float vBottom = static_cast<float>(bottom) / ph;
  const float x0 = static_cast<float>(x + left);
  const float x1 = static_cast<float>(x + right);
  const float y0 = static_cast<float>(y + top);
  const float y1 = static_cast<float>(y + bottom);
  DrawTexturedPoly(
      image,
      {x0, y0, uLeft, vTop, x1, y0, uRight, vTop, x1, y1, uRight, vBottom, x0, y1, uLeft, vBottom},
      0, -1);
}

void drawInViewPort(const ImagePtr& image, int x, int y, int viewX, int viewY, int viewWidth,
                    int viewHeight) {
  if (!image) return;
  const int w = ImageWidth(image);
  const int h = ImageHeight(image);
  const int ix = static_cast<int>(static_cast<float>(x) - image->handleX);
  const int iy = static_cast<int>(static_cast<float>(y) - image->handleY);
  const int imageRight = ix + w;
  const int imageBottom = iy + h;
  const int viewRight = viewX + viewWidth;
  const int viewBottom = viewY + viewHeight;
  // Touching an edge still counts as inside.
  if (imageRight < viewX || iy > viewBottom || ix > viewRight || imageBottom < viewY) return;
  const int left = ix < viewX ? viewX - ix : 0;
  const int right = imageRight > viewRight ? viewRight - ix : w;
  const int top = iy < viewY ? viewY - iy : 0;
  const int bottom = imageBottom > viewBottom ? viewBottom - iy : h;
  drawCroppedImage(image, ix, iy, left, top, right, bottom);
}

int isTextInViewport(int y, int viewTop, int viewHeight) {
  return (viewTop - 50 < y && y < viewTop + viewHeight + 10) ? 1 : 0;
}

void DrawTexturedPoly(const ImagePtr& image, const std::vector<float>& xyuv, int frame,
                      int vertexCount) {
  float handleX = 0.0f, handleY = 0.0f, originX = 0.0f, originY = 0.0f;
  GetHandle(handleX, handleY);
  GetOrigin(originX, originY);
  GraphicsDriverPtr driver = GetGraphicsDriver();
  if (!driver || !driver->IsGL()) return;
  DrawTexturedPolyOGL(image, frame, xyuv, handleX, handleY, originX, originY, vertexCount * 4);
}

void DrawTexturedPolyOGL(const ImagePtr& image, int frame, const std::vector<float>& xyuv,
                         float handleX, float handleY, float originX, float originY, int limit) {
  if (xyuv.size() < 6) return;
  float sx = 1.0f, sy = 1.0f;
  GetScale(sx, sy);
  const double r = GetRotation();
  const double s = Sin(r);
  const double c = Cos(r);
  // The factors stay fractional: cut to whole numbers they would collapse any polygon drawn
  // below scale 1 or turned by other than a multiple of 90 degrees.
  const float ix = static_cast<float>(c * sx);
  const float iy = static_cast<float>(-s * sy);
  const float jx = static_cast<float>(s * sx);
  const float jy = static_cast<float>(c * sy);
  std::vector<TexturedVertex> points;
  for (size_t i = 0; i + 3 < xyuv.size(); i += 4) {
    if (limit > -1 && static_cast<int64_t>(i) >= limit) break;
    const float px = xyuv[i] + handleX;
    const float py = xyuv[i + 1] + handleY;
    points.push_back(
        {px * ix + py * iy + originX, px * jx + py * jy + originY, xyuv[i + 2], xyuv[i + 3]});
  }
  DrawTexturedPoly(image, points, frame);
}
