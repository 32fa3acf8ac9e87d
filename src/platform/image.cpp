// Images: frames of pixels kept on the CPU, their renderer textures, and drawing them.
#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/graphics.h"
#include "platform/draw_recorder.h"
#include "platform/graphics_internal.h"
#include "platform/internal.h"

namespace {

int ResolveFlags(int flags) { return flags == DEFAULT_IMAGE_FLAGS ? (MASKEDIMAGE | FILTEREDIMAGE) : flags; }

// In a picture without an alpha channel, pixels of the mask colour become fully transparent.
void ApplyMask(TPixmap& pixmap, int r, int g, int b) {
  uint32_t key = (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
  for (auto& px : pixmap.pixels) {
    if ((px & 0x00FFFFFFu) == key) px = key;  // alpha 0
  }
}

ImagePtr NewImage(int width, int height, int flags) {
  auto image = std::make_shared<TImage>();
  image->width = width;
  image->height = height;
  image->flags = ResolveFlags(flags);
  const gfx::DrawState& st = gfx::State();
  image->maskR = static_cast<uint8_t>(st.maskR);
  image->maskG = static_cast<uint8_t>(st.maskG);
  image->maskB = static_cast<uint8_t>(st.maskB);
  return image;
}

// Adds a frame: a copy of the picture, masked when the image asks for it.
void AddFrame(TImage& image, const PixmapPtr& picture) {
  auto frame = CopyPixmap(picture);
  if ((image.flags & MASKEDIMAGE) && !frame->hadAlpha) ApplyMask(*frame, image.maskR, image.maskG, image.maskB);
  image.frames.push_back(frame);
  image.textures.push_back(std::make_shared<ImageTexture>());
}

bool ValidFrame(const ImagePtr& image, int frame) {
  return image && frame >= 0 && frame < static_cast<int>(image->frames.size()) && image->frames[frame];
}

SDL_Texture* MakeTexture(SDL_Renderer* r, const TPixmap& pixels, int flags) {
  SDL_Texture* tex = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                       std::max(pixels.width, 1), std::max(pixels.height, 1));
  if (!tex) return nullptr;
  if (pixels.width > 0 && pixels.height > 0) SDL_UpdateTexture(tex, nullptr, pixels.pixels.data(), pixels.Pitch());
  SDL_SetTextureScaleMode(tex, (flags & FILTEREDIMAGE) ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  return tex;
}

// Draws a rectangle of a frame (sx0..sx1, sy0..sy1 in image pixels) onto the quad given by
// corners relative to the drawing point (x, y), after rotation, scale and origin.
void DrawFrameQuad(const ImagePtr& image, int frame, float sx0, float sy0, float sx1, float sy1,
                   float lx0, float ly0, float lx1, float ly1, float x, float y) {
  SDL_Renderer* r = gfx::BeginDraw();
  if (!r || !ValidFrame(image, frame) || image->width <= 0 || image->height <= 0) return;
  gfx::BlendSetup b = gfx::CurrentBlend(true);
  if (b.skip) return;
  SDL_Texture* tex = gfx::FrameTexture(image, frame, b.maskThreshold);
  if (!tex) return;
  SDL_SetTextureBlendMode(tex, b.mode);
  const gfx::DrawState& st = gfx::State();
  const float px = x + st.originX, py = y + st.originY;
  auto corners = [&]() {
    const float lx[4] = {lx0, lx1, lx1, lx0};
    const float ly[4] = {ly0, ly0, ly1, ly1};
    const float u[4] = {sx0, sx1, sx1, sx0};
    const float v[4] = {sy0, sy0, sy1, sy1};
    std::vector<SDL_Vertex> verts(4);
    for (size_t i = 0; i < 4; ++i) {
      float tx, ty;
      gfx::Transform(lx[i], ly[i], tx, ty);
      verts[i].position = SDL_FPoint{px + tx, py + ty};
      verts[i].color = b.color;
      verts[i].tex_coord = SDL_FPoint{u[i] / image->width, v[i] / image->height};
    }
    return verts;
  };
  std::vector<SDL_Vertex> verts = corners();
  if (!gfx::FitsTheRenderer(verts[0], verts[1], verts[2], image->width, image->height) ||
      !gfx::FitsTheRenderer(verts[0], verts[2], verts[3], image->width, image->height)) {
    // Zoomed past what the renderer can take: only the texels that land in the viewport.
    if (!gfx::CutQuadToView(sx0, sy0, sx1, sy1, lx0, ly0, lx1, ly1, px, py)) return;
    verts = corners();
  }
  gfx::RenderTriangles(r, tex, &image, frame, b.maskThreshold, b.mode, std::move(verts),
                       {0, 1, 2, 0, 2, 3});
}

}  // namespace

ImageTexture::~ImageTexture() {
  // Textures of a renderer that is gone were freed with it.
  if (platform_internal::Renderer() && generation == gfx::Generation() && SDL_WasInit(SDL_INIT_VIDEO)) {
    if (texture) SDL_DestroyTexture(texture);
    if (maskTexture) SDL_DestroyTexture(maskTexture);
  }
}

TImage::~TImage() = default;

namespace gfx {

SDL_Texture* FrameTexture(const ImagePtr& image, int frame, int maskThreshold) {
  SDL_Renderer* r = platform_internal::Renderer();
  if (!r || !ValidFrame(image, frame)) return nullptr;
  if (image->textures.size() < image->frames.size()) image->textures.resize(image->frames.size());
  auto& slot = image->textures[static_cast<size_t>(frame)];
  if (!slot) slot = std::make_shared<ImageTexture>();
  ImageTexture& t = *slot;
  if (t.generation != Generation()) {
    // Made for a renderer that no longer exists: its textures went with it.
    t.texture = nullptr;
    t.maskTexture = nullptr;
    t.maskThreshold = -1;
    t.binaryAlpha = -1;
    t.generation = Generation();
    t.dirty = true;
  }
  const TPixmap& pixels = *image->frames[static_cast<size_t>(frame)];
  if (t.dirty) {
    if (t.texture) SDL_DestroyTexture(t.texture);
    if (t.maskTexture) SDL_DestroyTexture(t.maskTexture);
    t.texture = nullptr;
    t.maskTexture = nullptr;
    t.maskThreshold = -1;
    t.binaryAlpha = -1;
    t.dirty = false;
  }
  if (maskThreshold >= 0 && t.binaryAlpha < 0) {
    t.binaryAlpha = std::all_of(pixels.pixels.begin(), pixels.pixels.end(), [](uint32_t px) {
      uint32_t a = px >> 24;
      return a == 0 || a == 255;
    }) ? 1 : 0;
  }
  // A frame whose pixels are either clear or opaque looks the same cut at any threshold.
  if (maskThreshold < 0 || t.binaryAlpha == 1) {
    if (!t.texture) t.texture = MakeTexture(r, pixels, image->flags);
    return t.texture;
  }
  if (!t.maskTexture || t.maskThreshold != maskThreshold) {
    if (t.maskTexture) SDL_DestroyTexture(t.maskTexture);
    TPixmap cut = pixels;
    for (auto& px : cut.pixels) {
      px = (static_cast<int>(px >> 24) >= maskThreshold) ? (px | 0xFF000000u) : (px & 0x00FFFFFFu);
    }
    t.maskTexture = MakeTexture(r, cut, image->flags);
    t.maskThreshold = maskThreshold;
  }
  return t.maskTexture;
}

}  // namespace gfx

// ---- Loading and making images -----------------------------------------------------------------

ImagePtr LoadImage(const std::string& path, int flags) { return LoadImage(LoadPixmap(path), flags); }
ImagePtr LoadImage(const String& path, int flags) { return LoadImage(ToPath(path), flags); }

ImagePtr LoadImage(const PixmapPtr& pixmap, int flags) {
  if (!pixmap || pixmap->width <= 0 || pixmap->height <= 0) return nullptr;
  ImagePtr image = NewImage(pixmap->width, pixmap->height, flags);
  AddFrame(*image, pixmap);
  return image;
}

ImagePtr LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int first, int count, int flags) {
  return LoadAnimImage(LoadPixmap(path), cellWidth, cellHeight, first, count, flags);
}
ImagePtr LoadAnimImage(const String& path, int cellWidth, int cellHeight, int first, int count, int flags) {
  return LoadAnimImage(ToPath(path), cellWidth, cellHeight, first, count, flags);
}

ImagePtr LoadAnimImage(const PixmapPtr& pixmap, int cellWidth, int cellHeight, int first, int count, int flags) {
  if (!pixmap || cellWidth <= 0 || cellHeight <= 0 || first < 0 || count <= 0) return nullptr;
  int perRow = pixmap->width / cellWidth;
  int rows = pixmap->height / cellHeight;
  // Every cell asked for must lie wholly inside the picture.
  if (perRow <= 0 || static_cast<int64_t>(first) + count > static_cast<int64_t>(perRow) * rows) return nullptr;
  ImagePtr image = NewImage(cellWidth, cellHeight, flags);
  for (int i = first; i < first + count; ++i) {
    AddFrame(*image, PixmapWindow(pixmap, (i % perRow) * cellWidth, (i / perRow) * cellHeight, cellWidth, cellHeight));
  }
  return image;
}

ImagePtr CreateImage(int width, int height, int frames, int flags) {
  if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
  ImagePtr image = NewImage(width, height, flags);
  for (int i = 0; i < frames; ++i) {
    image->frames.push_back(CreatePixmap(width, height, PF_BGRA8888));
    image->textures.push_back(std::make_shared<ImageTexture>());
  }
  return image;
}

int ImageWidth(const ImagePtr& image) { return image ? image->width : 0; }
int ImageHeight(const ImagePtr& image) { return image ? image->height : 0; }
int ImageFrames(const ImagePtr& image) { return image ? static_cast<int>(image->frames.size()) : 0; }

void MidHandleImage(const ImagePtr& image) {
  if (!image) return;
  image->handleX = image->width * 0.5f;
  image->handleY = image->height * 0.5f;
}

void SetImageHandle(const ImagePtr& image, float x, float y) {
  if (!image) return;
  image->handleX = x;
  image->handleY = y;
}

PixmapPtr LockImage(const ImagePtr& image, int frame) {
  if (!ValidFrame(image, frame)) return nullptr;
  return image->frames[static_cast<size_t>(frame)];
}

void UnlockImage(const ImagePtr& image, int frame) {
  if (!ValidFrame(image, frame)) return;
  if (static_cast<size_t>(frame) < image->textures.size() && image->textures[static_cast<size_t>(frame)]) {
    image->textures[static_cast<size_t>(frame)]->dirty = true;
  }
}

void GrabImage(const ImagePtr& image, int x, int y, int frame) {
  if (!ValidFrame(image, frame)) return;
  PixmapPtr grabbed = GrabPixmap(x, y, image->width, image->height);
  if (image->flags & MASKEDIMAGE) ApplyMask(*grabbed, image->maskR, image->maskG, image->maskB);
  // The frame keeps its identity: a pixmap from LockImage sees the grab.
  image->frames[static_cast<size_t>(frame)]->pixels = grabbed->pixels;
  UnlockImage(image, frame);
}

int TextureSide(int side) {
  int n = 1;
  while (n < side) n *= 2;
  return n;
}

// ---- Drawing images ----------------------------------------------------------------------------

void DrawImage(const ImagePtr& image, float x, float y, int frame) {
  if (!image) return;
  float x0 = -image->handleX, y0 = -image->handleY;
  DrawFrameQuad(image, frame, 0, 0, static_cast<float>(image->width), static_cast<float>(image->height), x0, y0,
                x0 + image->width, y0 + image->height, x, y);
}

void DrawImageRect(const ImagePtr& image, float x, float y, float width, float height, int frame) {
  if (!image || image->width <= 0 || image->height <= 0) return;
  float x0 = -image->handleX * width / image->width, y0 = -image->handleY * height / image->height;
  DrawFrameQuad(image, frame, 0, 0, static_cast<float>(image->width), static_cast<float>(image->height), x0, y0,
                x0 + width, y0 + height, x, y);
}

void DrawSubImageRect(const ImagePtr& image, float x, float y, float width, float height, float sx, float sy,
                      float sw, float sh, int frame) {
  if (!image || sw == 0.0f || sh == 0.0f) return;
  float x0 = -image->handleX * width / sw, y0 = -image->handleY * height / sh;
  DrawFrameQuad(image, frame, sx, sy, sx + sw, sy + sh, x0, y0, x0 + width, y0 + height, x, y);
}

void DrawTexturedPoly(const ImagePtr& image, const std::vector<TexturedVertex>& points, int frame) {
  SDL_Renderer* r = gfx::BeginDraw();
  if (!r || !ValidFrame(image, frame) || points.size() < 3 || image->width <= 0 || image->height <= 0) return;
  gfx::BlendSetup b = gfx::CurrentBlend(true);
  if (b.skip) return;
  SDL_Texture* tex = gfx::FrameTexture(image, frame, b.maskThreshold);
  if (!tex) return;
  SDL_SetTextureBlendMode(tex, b.mode);
  // The points address a texture of power-of-two sides holding the image at its top-left; the
  // real texture is exactly the image's size.
  float fu = static_cast<float>(TextureSide(image->width)) / image->width;
  float fv = static_cast<float>(TextureSide(image->height)) / image->height;
  std::vector<SDL_Vertex> verts(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    verts[i].position = SDL_FPoint{points[i].x, points[i].y};
    verts[i].color = b.color;
    verts[i].tex_coord = SDL_FPoint{points[i].u * fu, points[i].v * fv};
  }
  std::vector<int> indices;
  for (size_t i = 1; i + 1 < points.size(); ++i) {
    indices.push_back(0);
    indices.push_back(static_cast<int>(i));
    indices.push_back(static_cast<int>(i + 1));
  }
  gfx::RenderTriangles(r, tex, &image, frame, b.maskThreshold, b.mode, std::move(verts),
                       std::move(indices));
}
