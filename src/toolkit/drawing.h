// Drawing parts of images as textured quadrilaterals, and drawing through a viewport band.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/graphics.h"

// The smallest power of two not below n; 1 for any n up to 1.
int findNextPowerOf2(int n);

// The band of the image between the fractions top and bottom of its height (0 its top row,
// 1 below its last row), the image's top-left corner at (x, y); its handle plays no part.
void drawVial(const ImagePtr& image, int x, int y, float top, float bottom);
// The pixel rectangle (left, top)-(right, bottom) of the image, drawn where it would lie if the
// whole image were drawn with its top-left corner at (x, y).
void drawCroppedImage(const ImagePtr& image, int x, int y, int left, int top, int right,
                      int bottom);
// The image placed as DrawImage places it at (x, y), clipped to the viewport rectangle.
void drawInViewPort(const ImagePtr& image, int x, int y, int viewX, int viewY, int viewWidth,
                    int viewHeight);
// 1 when a text line at y lies near enough to the band (50 pixels above it, 10 below) to be drawn.
int isTextInViewport(int y, int viewTop, int viewHeight);

// A polygon of four floats per vertex (x, y, u, v; u, v relative to the image's power-of-two
// texture), drawn with a frame of the image under the current rotation and scale about the
// drawing origin. vertexCount -1 draws every vertex of the array.
void DrawTexturedPoly(const ImagePtr& image, const std::vector<float>& xyuv, int frame,
                      int vertexCount);
// The vertex pass: limit is a count of array values, any value below 0 meaning no limit.
void DrawTexturedPolyOGL(const ImagePtr& image, int frame, const std::vector<float>& xyuv,
                         float handleX, float handleY, float originX, float originY, int limit);
