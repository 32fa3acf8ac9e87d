// The screen (one SDL window and renderer drawing into an off-screen back buffer), display
// modes, the global drawing state, shapes, and reading the back buffer.
#include "platform/graphics.h"

#include <SDL.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>

#include "platform/draw_recorder.h"
#include "platform/graphics_internal.h"
#include "platform/headless.h"
#include "platform/internal.h"
#include "platform/system.h"

namespace {

SDL_Window* g_window = nullptr;
SDL_Renderer* g_renderer = nullptr;
SDL_Texture* g_backBuffer = nullptr;
int g_generation = 0;
GraphicsPtr g_graphics;

GraphicsDriverPtr g_driver;
int g_driverFlags = 0;
int g_driverSelections = 0;
int g_graphicsCalls = 0;
int g_failGraphics = 0;

bool g_customModes = false;
std::vector<GraphicsMode> g_modes;

double g_nextFrameMs = 0.0;  // real-time pacing of Flip

gfx::DrawState g_state;

const std::vector<GraphicsMode>& DefaultHeadlessModes() {
  static const std::vector<GraphicsMode> modes = {
      {640, 480, 32, 60}, {800, 600, 32, 60}, {1024, 768, 32, 60}, {1280, 720, 32, 60}};
  return modes;
}

// The modes of the display: every full-screen mode SDL lists, plus 800 x 600 x 32, which desktop
// full screen can always show by scaling the picture.
std::vector<GraphicsMode> DisplayModes() {
  if (headless::Enabled()) return g_customModes ? g_modes : DefaultHeadlessModes();
  std::vector<GraphicsMode> modes;
  platform_internal::EnsureVideo();
  if (!SDL_WasInit(SDL_INIT_VIDEO) || SDL_GetNumVideoDisplays() < 1) return modes;
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode dm;
    if (SDL_GetDisplayMode(0, i, &dm) != 0) continue;
    int depth = SDL_BYTESPERPIXEL(dm.format) == 4 ? 32 : static_cast<int>(SDL_BITSPERPIXEL(dm.format));
    GraphicsMode m{dm.w, dm.h, depth, dm.refresh_rate};
    bool seen = std::any_of(modes.begin(), modes.end(), [&](const GraphicsMode& o) {
      return o.width == m.width && o.height == m.height && o.depth == m.depth && o.hertz == m.hertz;
    });
    if (!seen) modes.push_back(m);
  }
  bool has800 = std::any_of(modes.begin(), modes.end(), [](const GraphicsMode& o) {
    return o.width == 800 && o.height == 600 && o.depth == 32;
  });
  if (!has800) modes.push_back({800, 600, 32, 60});
  return modes;
}

int ScreenW() { return g_graphics ? g_graphics->width : 0; }
int ScreenH() { return g_graphics ? g_graphics->height : 0; }

// The viewport as a rectangle inside the screen (may be empty).
SDL_Rect ViewRect() {
  int sw = ScreenW(), sh = ScreenH();
  if (g_state.fullViewport) return SDL_Rect{0, 0, sw, sh};
  int x0 = std::max(g_state.viewX, 0), y0 = std::max(g_state.viewY, 0);
  int x1 = std::min(g_state.viewX + std::max(g_state.viewW, 0), sw);
  int y1 = std::min(g_state.viewY + std::max(g_state.viewH, 0), sh);
  return SDL_Rect{x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
}

// Where the back buffer lands in the window's output: scaled to fit, centred, bars around.
SDL_FRect Letterbox(int outW, int outH) {
  int sw = std::max(ScreenW(), 1), sh = std::max(ScreenH(), 1);
  float scale = std::min(static_cast<float>(outW) / sw, static_cast<float>(outH) / sh);
  float w = sw * scale, h = sh * scale;
  return SDL_FRect{(outW - w) / 2.0f, (outH - h) / 2.0f, w, h};
}

void ApplyClip() {
  if (!g_renderer) return;
  SDL_Rect view = ViewRect();
  if (view.x == 0 && view.y == 0 && view.w == ScreenW() && view.h == ScreenH()) {
    SDL_RenderSetClipRect(g_renderer, nullptr);
  } else if (view.w > 0 && view.h > 0) {
    SDL_RenderSetClipRect(g_renderer, &view);
  }
}

void DestroyScreen() {
  if (g_backBuffer) SDL_DestroyTexture(g_backBuffer);
  if (g_renderer) SDL_DestroyRenderer(g_renderer);
  if (g_window) SDL_DestroyWindow(g_window);
  g_backBuffer = nullptr;
  g_renderer = nullptr;
  g_window = nullptr;
  // Textures of the old renderer are gone with it.
  ++g_generation;
}

SDL_Renderer* MakeRenderer(SDL_Window* window) {
  SDL_Renderer* renderer = nullptr;
  if (!platform_internal::Headless()) {
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
  }
  if (!renderer) {
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
  }
  return renderer;
}

void PaceFrame() {
  int hz = (g_graphics && g_graphics->hertz > 0) ? g_graphics->hertz : 60;
  double period = 1000.0 / hz;
  double now = static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 /
               static_cast<double>(SDL_GetPerformanceFrequency());
  if (g_nextFrameMs <= 0.0 || now > g_nextFrameMs + 4 * period) g_nextFrameMs = now;
  if (g_nextFrameMs > now) SDL_Delay(static_cast<Uint32>(g_nextFrameMs - now));
  g_nextFrameMs += period;
}

Uint8 Clamp255(int v) { return static_cast<Uint8>(std::clamp(v, 0, 255)); }

// A shape in the drawing state's colour: the renderer ready with colour and blend, or null.
SDL_Renderer* BeginShape() {
  SDL_Renderer* r = gfx::BeginDraw();
  if (!r) return nullptr;
  gfx::BlendSetup b = gfx::CurrentBlend(false);
  if (b.skip) return nullptr;
  SDL_SetRenderDrawBlendMode(r, b.mode);
  SDL_SetRenderDrawColor(r, b.color.r, b.color.g, b.color.b, b.color.a);
  return r;
}

// A filled shape given by points relative to the drawing position (handle already subtracted),
// drawn as a triangle fan after rotation, scale and origin.
void FillFan(const float* lx, const float* ly, int count, float x, float y) {
  SDL_Renderer* r = gfx::BeginDraw();
  if (!r || count < 3) return;
  gfx::BlendSetup b = gfx::CurrentBlend(false);
  if (b.skip) return;
  SDL_SetRenderDrawBlendMode(r, b.mode);
  std::vector<SDL_Vertex> verts(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    float tx, ty;
    gfx::Transform(lx[i], ly[i], tx, ty);
    verts[i].position = SDL_FPoint{x + g_state.originX + tx, y + g_state.originY + ty};
    verts[i].color = b.color;
    verts[i].tex_coord = SDL_FPoint{0, 0};
  }
  std::vector<int> indices;
  for (int i = 1; i + 1 < count; ++i) {
    indices.push_back(0);
    indices.push_back(i);
    indices.push_back(i + 1);
  }
  if (drawrec::hooks::recording)
    drawrec::hooks::Geometry(r, nullptr, 0, -1, b.mode, verts.data(), count, indices.data(),
                             static_cast<int>(indices.size()));
  SDL_RenderGeometry(r, nullptr, verts.data(), count, indices.data(), static_cast<int>(indices.size()));
}

}  // namespace

// ---- Internal services -------------------------------------------------------------------------

namespace platform_internal {

SDL_Window* Window() { return g_window; }
SDL_Renderer* Renderer() { return g_renderer; }

void WindowToScreen(int wx, int wy, int& sx, int& sy) {
  if (!g_window || !g_graphics) {
    sx = wx;
    sy = wy;
    return;
  }
  int ww = 0, wh = 0;
  SDL_GetWindowSize(g_window, &ww, &wh);
  SDL_FRect box = Letterbox(ww, wh);
  float scale = box.w / std::max(ScreenW(), 1);
  if (scale <= 0.0f) scale = 1.0f;
  sx = static_cast<int>((wx - box.x) / scale);
  sy = static_cast<int>((wy - box.y) / scale);
}

void EnsureVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return;
  if (Headless()) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  }
  SDL_InitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace platform_internal

namespace gfx {

DrawState& State() { return g_state; }
int Generation() { return g_generation; }

SDL_Renderer* BeginDraw() {
  if (!g_renderer || !g_backBuffer || headless::SkippingPixels()) return nullptr;
  SDL_Rect view = ViewRect();
  if (view.w <= 0 || view.h <= 0) return nullptr;
  return g_renderer;
}

BlendSetup CurrentBlend(bool textured) {
  BlendSetup s;
  float a = std::clamp(g_state.alpha, 0.0f, 1.0f);
  if (std::isnan(g_state.alpha)) a = 0.0f;
  Uint8 alpha8 = static_cast<Uint8>(std::lround(a * 255.0f));
  s.color = SDL_Color{Clamp255(g_state.r), Clamp255(g_state.g), Clamp255(g_state.b), alpha8};
  switch (g_state.blend) {
    case MASKBLEND:
      // Pixels whose alpha (times the drawing alpha) is below one half are left out; the rest
      // are drawn opaque.
      s.color.a = 255;
      if (textured) {
        if (a <= 0.0f) {
          s.skip = true;
          break;
        }
        int threshold = static_cast<int>(std::ceil(127.5f / a));
        if (threshold > 255) {
          s.skip = true;
          break;
        }
        s.maskThreshold = threshold;
        s.mode = SDL_BLENDMODE_BLEND;
      } else {
        s.skip = a < 0.5f;
        s.mode = SDL_BLENDMODE_NONE;
      }
      break;
    case SOLIDBLEND:
      s.color.a = 255;
      s.mode = SDL_BLENDMODE_NONE;
      break;
    case LIGHTBLEND:
      // Adds colour x alpha: with either at zero the screen stays as it is, so nothing is sent.
      s.mode = SDL_BLENDMODE_ADD;
      s.skip = alpha8 == 0 || (s.color.r == 0 && s.color.g == 0 && s.color.b == 0);
      break;
    case SHADEBLEND:
      s.mode = SDL_BLENDMODE_MOD;
      break;
    case ALPHABLEND:
    default:
      // At alpha zero the screen stays as it is (fading sparks end their lives there).
      s.mode = SDL_BLENDMODE_BLEND;
      s.skip = alpha8 == 0;
      break;
  }
  return s;
}

void Transform(float lx, float ly, float& x, float& y) {
  if (g_state.rotation == 0.0f) {
    x = lx * g_state.scaleX;
    y = ly * g_state.scaleY;
    return;
  }
  double rad = static_cast<double>(g_state.rotation) * M_PI / 180.0;
  float c = static_cast<float>(std::cos(rad)), s = static_cast<float>(std::sin(rad));
  x = c * g_state.scaleX * lx - s * g_state.scaleY * ly;
  y = s * g_state.scaleX * lx + c * g_state.scaleY * ly;
}

}  // namespace gfx

// ---- Drivers and modes ---------------------------------------------------------------------------

GraphicsDriverPtr GLDriver2D() {
  static const GraphicsDriverPtr driver = std::make_shared<TGraphicsDriver>();
  return driver;
}

void SetGraphicsDriver(const GraphicsDriverPtr& driver, int defaultFlags) {
  ++g_driverSelections;
  g_driver = driver;
  g_driverFlags = defaultFlags;
}

GraphicsDriverPtr GetGraphicsDriver() {
  if (!g_driver) g_driver = GLDriver2D();
  return g_driver;
}

int CountGraphicsModes() { return static_cast<int>(DisplayModes().size()); }

void GetGraphicsMode(int index, int& width, int& height, int& depth, int& hertz) {
  std::vector<GraphicsMode> modes = DisplayModes();
  if (index < 0 || index >= static_cast<int>(modes.size())) {
    width = height = depth = hertz = 0;
    return;
  }
  const GraphicsMode& m = modes[static_cast<size_t>(index)];
  width = m.width;
  height = m.height;
  depth = m.depth;
  hertz = m.hertz;
}

// ---- The screen --------------------------------------------------------------------------------

GraphicsPtr Graphics(int width, int height, int depth, int hertz, int flags) {
  ++g_graphicsCalls;
  EndGraphics();
  if (g_failGraphics > 0) {
    --g_failGraphics;
    return nullptr;
  }
  if (width <= 0 || height <= 0) return nullptr;
  platform_internal::EnsureVideo();
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;

  Uint32 windowFlags = SDL_WINDOW_SHOWN;
  if (depth != 0) windowFlags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  std::string title = ToUtf8(AppTitle);
  g_window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                              height, windowFlags);
  if (!g_window) return nullptr;
  g_renderer = MakeRenderer(g_window);
  if (g_renderer) {
    g_backBuffer = SDL_CreateTexture(g_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                     width, height);
  }
  if (!g_renderer || !g_backBuffer) {
    DestroyScreen();
    return nullptr;
  }
  ++g_generation;
  SDL_SetTextureScaleMode(g_backBuffer, SDL_ScaleModeLinear);
  SDL_SetTextureBlendMode(g_backBuffer, SDL_BLENDMODE_NONE);

  auto graphics = std::make_shared<TGraphics>();
  graphics->width = width;
  graphics->height = height;
  graphics->depth = depth;
  graphics->hertz = hertz;
  graphics->flags = flags | g_driverFlags;
  g_graphics = graphics;
  g_nextFrameMs = 0.0;

  SDL_SetRenderTarget(g_renderer, g_backBuffer);
  SDL_SetRenderDrawBlendMode(g_renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(g_renderer, 0, 0, 0, 255);
  SDL_RenderClear(g_renderer);
  ApplyClip();
  return graphics;
}

void EndGraphics() {
  if (!g_window && !g_renderer && !g_graphics) return;
  DestroyScreen();
  g_graphics = nullptr;
}

GraphicsPtr CurrentGraphics() { return g_graphics; }
int GraphicsWidth() { return ScreenW(); }
int GraphicsHeight() { return ScreenH(); }

void Cls() {
  SDL_Renderer* r = gfx::BeginDraw();
  if (!r) return;
  SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(r, Clamp255(g_state.clsR), Clamp255(g_state.clsG), Clamp255(g_state.clsB), 255);
  SDL_Rect view = ViewRect();
  if (view.w == ScreenW() && view.h == ScreenH()) {
    if (drawrec::hooks::recording) drawrec::hooks::Clear(r, nullptr);
    SDL_RenderClear(r);
  } else {
    // Only the viewport is cleared.
    if (drawrec::hooks::recording) drawrec::hooks::Clear(r, &view);
    SDL_RenderFillRect(r, &view);
  }
}

void SetClsColor(int r, int g, int b) {
  g_state.clsR = std::clamp(r, 0, 255);
  g_state.clsG = std::clamp(g, 0, 255);
  g_state.clsB = std::clamp(b, 0, 255);
}

void Flip(int sync) {
  if (g_renderer && g_backBuffer && !headless::SkippingPixels()) {
    SDL_SetRenderTarget(g_renderer, nullptr);
    SDL_SetRenderDrawBlendMode(g_renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(g_renderer, 0, 0, 0, 255);
    SDL_RenderClear(g_renderer);
    int ow = 0, oh = 0;
    SDL_GetRendererOutputSize(g_renderer, &ow, &oh);
    SDL_FRect box = Letterbox(ow, oh);
    SDL_RenderCopyF(g_renderer, g_backBuffer, nullptr, &box);
    SDL_RenderPresent(g_renderer);
    drawrec::hooks::Present(box);
    SDL_SetRenderTarget(g_renderer, g_backBuffer);
    ApplyClip();
  }
  if (sync != 0 && !platform_internal::Headless()) PaceFrame();
  platform_internal::AfterFlip();
}

// ---- Drawing state -----------------------------------------------------------------------------

void SetColor(int r, int g, int b) {
  g_state.r = std::clamp(r, 0, 255);
  g_state.g = std::clamp(g, 0, 255);
  g_state.b = std::clamp(b, 0, 255);
}
void GetColor(int& r, int& g, int& b) {
  r = g_state.r;
  g = g_state.g;
  b = g_state.b;
}
void SetAlpha(float alpha) { g_state.alpha = alpha; }
float GetAlpha() { return g_state.alpha; }
void SetBlend(int mode) { g_state.blend = mode; }
int GetBlend() { return g_state.blend; }
void SetScale(float sx, float sy) {
  g_state.scaleX = sx;
  g_state.scaleY = sy;
}
void GetScale(float& sx, float& sy) {
  sx = g_state.scaleX;
  sy = g_state.scaleY;
}
void SetRotation(float degrees) { g_state.rotation = degrees; }
float GetRotation() { return g_state.rotation; }
void SetTransform(float rotation, float sx, float sy) {
  SetRotation(rotation);
  SetScale(sx, sy);
}
void SetOrigin(float x, float y) {
  g_state.originX = x;
  g_state.originY = y;
}
void GetOrigin(float& x, float& y) {
  x = g_state.originX;
  y = g_state.originY;
}
void SetHandle(float x, float y) {
  g_state.handleX = x;
  g_state.handleY = y;
}
void GetHandle(float& x, float& y) {
  x = g_state.handleX;
  y = g_state.handleY;
}
void SetMaskColor(int r, int g, int b) {
  g_state.maskR = std::clamp(r, 0, 255);
  g_state.maskG = std::clamp(g, 0, 255);
  g_state.maskB = std::clamp(b, 0, 255);
}
void GetMaskColor(int& r, int& g, int& b) {
  r = g_state.maskR;
  g = g_state.maskG;
  b = g_state.maskB;
}

void SetViewport(int x, int y, int width, int height) {
  g_state.fullViewport = false;
  g_state.viewX = x;
  g_state.viewY = y;
  g_state.viewW = width;
  g_state.viewH = height;
  ApplyClip();
}

void GetViewport(int& x, int& y, int& width, int& height) {
  if (g_state.fullViewport) {
    x = y = 0;
    width = ScreenW();
    height = ScreenH();
    return;
  }
  x = g_state.viewX;
  y = g_state.viewY;
  width = g_state.viewW;
  height = g_state.viewH;
}

void ResetDrawingState() {
  gfx::DrawState fresh;
  fresh.maskR = g_state.maskR;
  fresh.maskG = g_state.maskG;
  fresh.maskB = g_state.maskB;
  fresh.clsR = g_state.clsR;
  fresh.clsG = g_state.clsG;
  fresh.clsB = g_state.clsB;
  g_state = fresh;
  ApplyClip();
}

// ---- Shapes ------------------------------------------------------------------------------------

void DrawRect(float x, float y, float width, float height) {
  float hx = g_state.handleX, hy = g_state.handleY;
  const float lx[4] = {-hx, width - hx, width - hx, -hx};
  const float ly[4] = {-hy, -hy, height - hy, height - hy};
  FillFan(lx, ly, 4, x, y);
}

void DrawOval(float x, float y, float width, float height) {
  float rx = width / 2.0f, ry = height / 2.0f;
  float cx = rx - g_state.handleX, cy = ry - g_state.handleY;
  int segments = std::clamp(static_cast<int>((std::fabs(rx) + std::fabs(ry)) * 1.5f), 12, 180);
  std::vector<float> lx(static_cast<size_t>(segments)), ly(static_cast<size_t>(segments));
  for (int i = 0; i < segments; ++i) {
    double t = 2.0 * M_PI * i / segments;
    lx[i] = cx + rx * static_cast<float>(std::cos(t));
    ly[i] = cy + ry * static_cast<float>(std::sin(t));
  }
  FillFan(lx.data(), ly.data(), segments, x, y);
}

void DrawLine(float x1, float y1, float x2, float y2) {
  SDL_Renderer* r = BeginShape();
  if (!r) return;
  float ax, ay, bx, by;
  gfx::Transform(-g_state.handleX, -g_state.handleY, ax, ay);
  gfx::Transform(x2 - x1 - g_state.handleX, y2 - y1 - g_state.handleY, bx, by);
  float ox = x1 + g_state.originX, oy = y1 + g_state.originY;
  if (drawrec::hooks::recording) drawrec::hooks::Line(r, ox + ax, oy + ay, ox + bx, oy + by);
  SDL_RenderDrawLineF(r, ox + ax, oy + ay, ox + bx, oy + by);
}

void Plot(float x, float y) {
  SDL_Renderer* r = BeginShape();
  if (!r) return;
  if (drawrec::hooks::recording) drawrec::hooks::Point(r, x + g_state.originX, y + g_state.originY);
  SDL_RenderDrawPointF(r, x + g_state.originX, y + g_state.originY);
}

void DrawPixmap(const PixmapPtr& pixmap, int x, int y) {
  SDL_Renderer* r = gfx::BeginDraw();
  if (!r || !pixmap || pixmap->width <= 0 || pixmap->height <= 0) return;
  SDL_Texture* tex = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                       pixmap->width, pixmap->height);
  if (!tex) return;
  SDL_UpdateTexture(tex, nullptr, pixmap->pixels.data(), pixmap->Pitch());
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  SDL_Rect dst{x + static_cast<int>(g_state.originX), y + static_cast<int>(g_state.originY),
               pixmap->width, pixmap->height};
  if (drawrec::hooks::recording) drawrec::hooks::Pixmap(r, pixmap, dst);
  SDL_RenderCopy(r, tex, nullptr, &dst);
  SDL_DestroyTexture(tex);
}

// ---- Reading the back buffer -------------------------------------------------------------------

PixmapPtr GrabPixmap(int x, int y, int width, int height) {
  auto out = CreatePixmap(width, height, PF_BGRA8888);
  out->hadAlpha = false;  // the screen has no alpha of its own
  if (!g_renderer || !g_backBuffer) return out;
  SDL_Rect want{x, y, std::max(width, 0), std::max(height, 0)};
  SDL_Rect screen{0, 0, ScreenW(), ScreenH()};
  SDL_Rect part;
  if (!SDL_IntersectRect(&want, &screen, &part)) return out;
  std::vector<uint32_t> buf(static_cast<size_t>(part.w) * part.h);
  if (SDL_RenderReadPixels(g_renderer, &part, SDL_PIXELFORMAT_ARGB8888, buf.data(), part.w * 4) != 0) {
    return out;
  }
  for (int row = 0; row < part.h; ++row) {
    for (int col = 0; col < part.w; ++col) {
      out->Set(part.x - x + col, part.y - y + row, buf[static_cast<size_t>(row) * part.w + col] | 0xFF000000u);
    }
  }
  return out;
}

// ---- Headless services -------------------------------------------------------------------------

namespace headless {

PixmapPtr CaptureBackBuffer() {
  if (!g_renderer || !g_backBuffer) return nullptr;
  return GrabPixmap(0, 0, ScreenW(), ScreenH());
}

bool CaptureBackBufferPNG(const std::string& path) {
  PixmapPtr pixmap = CaptureBackBuffer();
  return pixmap && SavePixmapPNG(pixmap, path);
}

void SetModeList(const std::vector<GraphicsMode>& modes) {
  g_customModes = true;
  g_modes = modes;
}

void ResetModeList() {
  g_customModes = false;
  g_modes.clear();
}

void FailGraphics(int count) { g_failGraphics = std::max(count, 0); }
int GraphicsCalls() { return g_graphicsCalls; }
int DriverSelections() { return g_driverSelections; }

}  // namespace headless
