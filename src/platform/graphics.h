// The screen, display modes, the global drawing state and drawing.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "platform/pixmap.h"
#include "platform/text.h"

// ---- Images ----------------------------------------------------------------------------------

enum ImageFlags : int {
  MASKEDIMAGE = 1,     // in a picture without alpha, pixels of the mask colour become transparent
  FILTEREDIMAGE = 2,   // linear scaling
  MIPMAPPEDIMAGE = 4,  // accepted, no effect
  DYNAMICIMAGE = 8,    // accepted, no effect
  DEFAULT_IMAGE_FLAGS = -1,  // masked and filtered
};

struct ImageTexture;  // the renderer's copy of one frame (platform-internal)

class TImage {
 public:
  int width = 0;
  int height = 0;
  int flags = 0;
  float handleX = 0.0f;
  float handleY = 0.0f;
  uint8_t maskR = 0, maskG = 0, maskB = 0;  // the mask colour when the image was made
  std::vector<PixmapPtr> frames;            // one pixmap per frame, the CPU copy of the pixels
  std::vector<std::shared_ptr<ImageTexture>> textures;  // renderer copies, made when drawn
  ~TImage();
};
using ImagePtr = std::shared_ptr<TImage>;

// Flags -1 are the default flags (masked and filtered). Null when the file cannot be loaded,
// without a message.
ImagePtr LoadImage(const std::string& path, int flags = DEFAULT_IMAGE_FLAGS);
ImagePtr LoadImage(const String& path, int flags = DEFAULT_IMAGE_FLAGS);
ImagePtr LoadImage(const PixmapPtr& pixmap, int flags = DEFAULT_IMAGE_FLAGS);
// Cuts a strip (left to right, then top to bottom) into `count` cells from `first`.
ImagePtr LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int first, int count,
                       int flags = DEFAULT_IMAGE_FLAGS);
ImagePtr LoadAnimImage(const String& path, int cellWidth, int cellHeight, int first, int count,
                       int flags = DEFAULT_IMAGE_FLAGS);
ImagePtr LoadAnimImage(const PixmapPtr& pixmap, int cellWidth, int cellHeight, int first, int count,
                       int flags = DEFAULT_IMAGE_FLAGS);
// A blank (transparent) image of `frames` frames.
ImagePtr CreateImage(int width, int height, int frames = 1, int flags = DEFAULT_IMAGE_FLAGS);
int ImageWidth(const ImagePtr& image);   // 0 for a null image
int ImageHeight(const ImagePtr& image);  // 0 for a null image
int ImageFrames(const ImagePtr& image);
void MidHandleImage(const ImagePtr& image);
void SetImageHandle(const ImagePtr& image, float x, float y);
// The pixmap of a frame, to read or change; UnlockImage makes the change visible.
PixmapPtr LockImage(const ImagePtr& image, int frame = 0);
void UnlockImage(const ImagePtr& image, int frame = 0);
// Copies a rectangle of the back buffer into a frame of the image (at its top-left).
void GrabImage(const ImagePtr& image, int x, int y, int frame = 0);
// The framework's texture size for an image: the next powers of two of its sides.
int TextureSide(int side);

// ---- Display modes and the screen ------------------------------------------------------------

struct GraphicsMode {
  int width = 0, height = 0, depth = 0, hertz = 0;
};

class TGraphicsDriver {
 public:
  virtual ~TGraphicsDriver() = default;
  virtual bool IsGL() const { return true; }
};
using GraphicsDriverPtr = std::shared_ptr<TGraphicsDriver>;
// The 2-D OpenGL driver (one instance, returned on every call).
GraphicsDriverPtr GLDriver2D();
void SetGraphicsDriver(const GraphicsDriverPtr& driver, int defaultFlags = 0);
GraphicsDriverPtr GetGraphicsDriver();

// Full-screen modes of the current driver, indexed from 0. Always holds 800 x 600 x 32 when
// full screen is possible (desktop full screen with the picture scaled).
int CountGraphicsModes();
void GetGraphicsMode(int index, int& width, int& height, int& depth, int& hertz);

class TGraphics {
 public:
  int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
};
using GraphicsPtr = std::shared_ptr<TGraphics>;
// Closes the open graphics, then opens new ones: depth 0 a window, any other depth full
// screen. Null when the screen cannot be opened.
GraphicsPtr Graphics(int width, int height, int depth = 0, int hertz = 60, int flags = 0);
void EndGraphics();
GraphicsPtr CurrentGraphics();
int GraphicsWidth();   // 800 while the screen is open
int GraphicsHeight();

// Clears the back buffer to the clear colour (black by default).
void Cls();
void SetClsColor(int r, int g, int b);
// Shows the back buffer and paces the loop at 60 frames per second (sync -1 default, 0 none).
// The back buffer keeps its contents.
void Flip(int sync = -1);

// ---- Global drawing state --------------------------------------------------------------------

enum BlendMode : int {
  MASKBLEND = 1,   // pixels with alpha below 0.5 are not drawn, the rest opaque
  SOLIDBLEND = 2,  // source replaces the screen
  ALPHABLEND = 3,  // source x alpha + screen x (1 - alpha)
  LIGHTBLEND = 4,  // source x alpha added to the screen
  SHADEBLEND = 5,  // multiplied with the screen
};

void SetColor(int r, int g, int b);  // each clamped to 0..255
void GetColor(int& r, int& g, int& b);
void SetAlpha(float alpha);  // kept as set; clamped to 0..1 when drawing
float GetAlpha();
void SetBlend(int mode);
int GetBlend();
void SetScale(float sx, float sy);
void GetScale(float& sx, float& sy);
void SetRotation(float degrees);
float GetRotation();
void SetTransform(float rotation = 0.0f, float sx = 1.0f, float sy = 1.0f);
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);
void SetHandle(float x, float y);  // the drawing handle for rectangles and text
void GetHandle(float& x, float& y);
void SetMaskColor(int r, int g, int b);
void GetMaskColor(int& r, int& g, int& b);
// Clipping: drawing outside the viewport is discarded. Default: the whole screen.
void SetViewport(int x, int y, int width, int height);
void GetViewport(int& x, int& y, int& width, int& height);
void ResetDrawingState();  // white, alpha 1, blend mask, no transform, origin/handle 0, full viewport

// ---- Drawing ---------------------------------------------------------------------------------

// Draws a frame with the image's handle at (x, y), scaled and rotated about the handle.
void DrawImage(const ImagePtr& image, float x, float y, int frame = 0);
// Draws the image stretched to width x height (before the global scale).
void DrawImageRect(const ImagePtr& image, float x, float y, float width, float height, int frame = 0);
// Draws a part of a frame (sx, sy, sw, sh in image pixels) into a rectangle at (x, y).
void DrawSubImageRect(const ImagePtr& image, float x, float y, float width, float height, float sx,
                      float sy, float sw, float sh, int frame = 0);
void DrawRect(float x, float y, float width, float height);
void DrawLine(float x1, float y1, float x2, float y2);
void DrawOval(float x, float y, float width, float height);
void Plot(float x, float y);
// Copies a pixmap's pixels to the back buffer at (x, y), unscaled, with its own alpha.
void DrawPixmap(const PixmapPtr& pixmap, int x, int y);

// A textured polygon: screen points with texture coordinates in the framework's convention
// (relative to a texture whose sides are TextureSide of the image's, the image at its top-left).
// Drawn in the current colour, alpha and blend; a triangle fan over the points.
struct TexturedVertex {
  float x, y, u, v;
};
void DrawTexturedPoly(const ImagePtr& image, const std::vector<TexturedVertex>& points, int frame = 0);

// Reads the back buffer (for tests, captures and grabs).
PixmapPtr GrabPixmap(int x, int y, int width, int height);
