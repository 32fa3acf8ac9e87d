// Shared by the screen, drawing and image sources of the platform only.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/graphics.h"

// The renderer's copy of one image frame. Textures belong to one renderer; when the renderer is
// replaced (a new screen) the old pointers are dropped and the texture is made again from the
// frame's pixels when the frame is next drawn.
struct ImageTexture {
  SDL_Texture* texture = nullptr;
  SDL_Texture* maskTexture = nullptr;  // alpha cut to 0 / 255 for masked blending
  int maskThreshold = -1;              // the alpha from which maskTexture's pixels are opaque
  int binaryAlpha = -1;                // 1: every alpha is 0 or 255 (no masked copy needed); -1 unknown
  int generation = -1;                 // the renderer the textures belong to
  bool dirty = true;                   // the frame's pixels changed since the textures were made
  ~ImageTexture();
};

namespace gfx {

struct DrawState {
  int r = 255, g = 255, b = 255;
  float alpha = 1.0f;
  int blend = MASKBLEND;
  float scaleX = 1.0f, scaleY = 1.0f;
  float rotation = 0.0f;
  float originX = 0.0f, originY = 0.0f;
  float handleX = 0.0f, handleY = 0.0f;
  int maskR = 0, maskG = 0, maskB = 0;
  int clsR = 0, clsG = 0, clsB = 0;
  bool fullViewport = true;  // the viewport follows the screen's size
  int viewX = 0, viewY = 0, viewW = 0, viewH = 0;
};
DrawState& State();

// The current renderer's number; every new renderer gets a new one.
int Generation();
// The renderer, with the back buffer as its target and the viewport's clip applied, or null when
// no screen is open or the viewport is empty (nothing can be drawn).
SDL_Renderer* BeginDraw();

// How the current blend mode draws: the SDL blend mode and the vertex colour, or skip (nothing
// would show). Masked drawing of textures uses a copy whose alpha is cut at maskThreshold.
struct BlendSetup {
  bool skip = false;
  SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
  SDL_Color color{255, 255, 255, 255};
  int maskThreshold = -1;  // >= 0: draw the masked copy of the texture
};
BlendSetup CurrentBlend(bool textured);

// Rotation and scale of the drawing state applied to a point relative to the drawing position.
void Transform(float lx, float ly, float& x, float& y);

// SDL's software renderer multiplies a vertex's texel coordinates (and colours) by the area of
// its triangle in 32-bit arithmetic: a triangle of a picture zoomed many screens wide overflows
// it, and the renderer then reads outside the picture. True when the triangle stays within.
bool FitsTheRenderer(const SDL_Vertex& a, const SDL_Vertex& b, const SDL_Vertex& c, int texW,
                     int texH);
// Triangles (three indices each) of a texture texW x texH (0 x 0: none) that all fit the
// renderer are left as they are, so ordinary drawing keeps its pixels. Otherwise each triangle
// too big is cut to the viewport (position, colour and texture coordinates interpolated along
// the cuts) and fanned again, a piece still too big to the viewport's quarters in turn, and a
// triangle with a point that is not a number is dropped.
void ClipToView(std::vector<SDL_Vertex>& verts, std::vector<int>& indices, int texW, int texH);
// An image quad, texels sx0..sx1 x sy0..sy1 on the local rectangle lx0..lx1 x ly0..ly1 placed
// at (px, py) with the drawing state's turn and scale, cut to the texels that can land in the
// viewport, on whole texels, so each texel keeps the pixels it had. False when none can.
bool CutQuadToView(float& sx0, float& sy0, float& sx1, float& sy1, float& lx0, float& ly0,
                   float& lx1, float& ly1, float px, float py);
// Draws triangles, textured or not, cut to the viewport, into the draw recorder too when it
// records. The texture's blend mode is set by the caller.
void RenderTriangles(SDL_Renderer* renderer, SDL_Texture* texture, const ImagePtr* image, int frame,
                     int maskThreshold, SDL_BlendMode mode, std::vector<SDL_Vertex> verts,
                     std::vector<int> indices);

// The frame's texture for the current renderer (made or refreshed as needed); null on failure.
SDL_Texture* FrameTexture(const ImagePtr& image, int frame, int maskThreshold);

// Shows the back buffer in the window at `at`, or letterboxed to the window's size when `at` is
// null (black bars around), and presents; returns the box it showed it at. The render target is
// the window's afterwards.
SDL_FRect ShowBackBuffer(SDL_Renderer* renderer, SDL_Texture* backBuffer, const SDL_FRect* at);

}  // namespace gfx
