// The screen (one SDL window and renderer drawing into an off-screen back buffer), display
// modes, the global drawing state, shapes, and reading the back buffer.
#include "platform/graphics.h"

#include <SDL.h>
#include <malloc.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

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

// An OpenGL driver that draws on the CPU (Mesa's llvmpipe: what a desktop without a graphics
// driver has) takes and frees tens of megabytes in 64 KB blocks every frame of a busy scene.
// glibc's malloc gives the top of the heap back to the system whenever that much lies free there,
// and the next frame faults every page of it in again: in the busiest scene that cost three times
// the drawing itself (160 ms a frame against 55). So the heap keeps what it has taken (its peak
// is the same either way), and blocks up to 32 MB come from it, as glibc's own adjustment would
// have them (setting a threshold turns that adjustment off).
void KeepHeapForTheDriver() {
  static bool done = false;
  if (done) return;
  done = true;
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
}

SDL_Renderer* MakeRenderer(SDL_Window* window) {
  SDL_Renderer* renderer = nullptr;
  if (!headless::DummyVideo()) {
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (renderer) KeepHeapForTheDriver();
  }
  if (!renderer) {
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
  }
  return renderer;
}

// With the environment variable MIRETHORN_SCREEN_FILE set, every screen opened adds a line to
// that file: the SDL renderer's name, "accelerated" or "software", and the size. The test of the
// game in a desktop's window reads it; a player never sets it.
void ReportScreen(SDL_Renderer* renderer, int width, int height) {
  const char* path = getenv("MIRETHORN_SCREEN_FILE");
  if (!path || !*path) return;
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0) return;
  if (FILE* f = std::fopen(path, "a")) {
    std::fprintf(f, "%s %s %d x %d\n", info.name ? info.name : "?",
                 info.flags & SDL_RENDERER_ACCELERATED ? "accelerated" : "software", width, height);
    std::fclose(f);
  }
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
  gfx::RenderTriangles(r, nullptr, nullptr, 0, -1, b.mode, std::move(verts), std::move(indices));
}

// Sutherland-Hodgman: the part of a convex polygon on the inner side of one edge of the view.
// `axis` 0 cuts on x, 1 on y; `keepBelow` keeps the side below `limit`.
std::vector<SDL_Vertex> CutPolygon(const std::vector<SDL_Vertex>& polygon, int axis, float limit,
                                   bool keepBelow) {
  auto coord = [axis](const SDL_Vertex& v) { return axis == 0 ? v.position.x : v.position.y; };
  auto inside = [&](const SDL_Vertex& v) { return keepBelow ? coord(v) <= limit : coord(v) >= limit; };
  auto lerp8 = [](Uint8 a, Uint8 b, float t) {
    return static_cast<Uint8>(std::lround(a + (static_cast<float>(b) - a) * t));
  };
  std::vector<SDL_Vertex> out;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const SDL_Vertex& p = polygon[i];
    const SDL_Vertex& q = polygon[(i + 1) % polygon.size()];
    const bool pIn = inside(p), qIn = inside(q);
    if (pIn) out.push_back(p);
    if (pIn == qIn) continue;
    // The point where the edge p-q crosses the limit; it lies on the limit exactly.
    const float t = (limit - coord(p)) / (coord(q) - coord(p));
    SDL_Vertex v;
    v.position.x = axis == 0 ? limit : p.position.x + (q.position.x - p.position.x) * t;
    v.position.y = axis == 1 ? limit : p.position.y + (q.position.y - p.position.y) * t;
    v.tex_coord.x = p.tex_coord.x + (q.tex_coord.x - p.tex_coord.x) * t;
    v.tex_coord.y = p.tex_coord.y + (q.tex_coord.y - p.tex_coord.y) * t;
    v.color = SDL_Color{lerp8(p.color.r, q.color.r, t), lerp8(p.color.g, q.color.g, t),
                        lerp8(p.color.b, q.color.b, t), lerp8(p.color.a, q.color.a, t)};
    out.push_back(v);
  }
  return out;
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
  if (headless::DummyVideo()) {
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
        // Compared before it becomes a whole number: a faint alpha makes it far larger than an
        // int holds.
        const float threshold = std::ceil(127.5f / a);
        if (threshold > 255.0f) {
          s.skip = true;
          break;
        }
        s.maskThreshold = static_cast<int>(threshold);
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

bool FitsTheRenderer(const SDL_Vertex& a, const SDL_Vertex& b, const SDL_Vertex& c, int texW,
                     int texH) {
  const double twiceArea = std::fabs(
      (static_cast<double>(b.position.x) - a.position.x) * (static_cast<double>(c.position.y) - a.position.y) -
      (static_cast<double>(b.position.y) - a.position.y) * (static_cast<double>(c.position.x) - a.position.x));
  // The largest number a vertex carries: a texel coordinate, or a colour channel.
  double most = 255.0;
  for (const SDL_Vertex* v : {&a, &b, &c}) {
    most = std::max({most, std::fabs(static_cast<double>(v->tex_coord.x)) * texW,
                     std::fabs(static_cast<double>(v->tex_coord.y)) * texH});
  }
  // Positions count in half pixels: the area the renderer multiplies by is four times this one.
  return std::isfinite(twiceArea) && 4.0 * twiceArea * (most + 1.0) < 2147483648.0;
}

void ClipToView(std::vector<SDL_Vertex>& verts, std::vector<int>& indices, int texW, int texH) {
  const int count = static_cast<int>(verts.size());
  auto fits = [&](const SDL_Vertex& a, const SDL_Vertex& b, const SDL_Vertex& c) {
    return FitsTheRenderer(a, b, c, texW, texH);
  };
  bool allFit = true;
  for (size_t i = 0; i + 2 < indices.size() && allFit; i += 3) {
    for (size_t k = i; k < i + 3; ++k)
      if (indices[k] < 0 || indices[k] >= count) return;  // the renderer refuses the call itself
    allFit = fits(verts[static_cast<size_t>(indices[i])], verts[static_cast<size_t>(indices[i + 1])],
                  verts[static_cast<size_t>(indices[i + 2])]);
  }
  if (allFit) return;
  const SDL_Rect view = ViewRect();
  std::vector<SDL_Vertex> outVerts;
  std::vector<int> outIndices;
  auto emit = [&](const SDL_Vertex& a, const SDL_Vertex& b, const SDL_Vertex& c) {
    const int base = static_cast<int>(outVerts.size());
    outVerts.insert(outVerts.end(), {a, b, c});
    outIndices.insert(outIndices.end(), {base, base + 1, base + 2});
  };
  // A triangle cut to a rectangle of the view and fanned again; a piece that is still too big
  // is cut to the rectangle's quarters in turn.
  std::function<void(const SDL_Vertex&, const SDL_Vertex&, const SDL_Vertex&, float, float, float,
                     float, int)>
      cut = [&](const SDL_Vertex& a, const SDL_Vertex& b, const SDL_Vertex& c, float x0, float y0,
                float x1, float y1, int depth) {
        std::vector<SDL_Vertex> polygon = {a, b, c};
        polygon = CutPolygon(polygon, 0, x0, false);
        polygon = CutPolygon(polygon, 0, x1, true);
        polygon = CutPolygon(polygon, 1, y0, false);
        polygon = CutPolygon(polygon, 1, y1, true);
        for (size_t k = 1; k + 1 < polygon.size(); ++k) {
          const SDL_Vertex &p = polygon[0], &q = polygon[k], &r = polygon[k + 1];
          if (fits(p, q, r) || depth == 0) {
            emit(p, q, r);
            continue;
          }
          const float mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
          cut(p, q, r, x0, y0, mx, my, depth - 1);
          cut(p, q, r, mx, y0, x1, my, depth - 1);
          cut(p, q, r, x0, my, mx, y1, depth - 1);
          cut(p, q, r, mx, my, x1, y1, depth - 1);
        }
      };
  auto finite = [](const SDL_Vertex& v) {
    return std::isfinite(v.position.x) && std::isfinite(v.position.y) &&
           std::isfinite(v.tex_coord.x) && std::isfinite(v.tex_coord.y);
  };
  for (size_t i = 0; i + 2 < indices.size(); i += 3) {
    const SDL_Vertex& a = verts[static_cast<size_t>(indices[i])];
    const SDL_Vertex& b = verts[static_cast<size_t>(indices[i + 1])];
    const SDL_Vertex& c = verts[static_cast<size_t>(indices[i + 2])];
    if (fits(a, b, c)) {
      emit(a, b, c);
    } else if (finite(a) && finite(b) && finite(c)) {
      cut(a, b, c, static_cast<float>(view.x), static_cast<float>(view.y),
          static_cast<float>(view.x + view.w), static_cast<float>(view.y + view.h), 6);
    }
  }
  verts = std::move(outVerts);
  indices = std::move(outIndices);
}

bool CutQuadToView(float& sx0, float& sy0, float& sx1, float& sy1, float& lx0, float& ly0,
                   float& lx1, float& ly1, float px, float py) {
  if (sx0 == sx1 || sy0 == sy1 || lx0 == lx1 || ly0 == ly1) return true;
  // Local point -> screen: (px, py) + M (lx, ly); M from the drawing state's turn and scale.
  float ax, ay, bx, by;
  Transform(1.0f, 0.0f, ax, ay);
  Transform(0.0f, 1.0f, bx, by);
  const double det = static_cast<double>(ax) * by - static_cast<double>(bx) * ay;
  if (det == 0.0 || !std::isfinite(det)) return true;
  // Texels per local unit along each side.
  const double su = (static_cast<double>(sx1) - sx0) / (static_cast<double>(lx1) - lx0);
  const double sv = (static_cast<double>(sy1) - sy0) / (static_cast<double>(ly1) - ly0);
  const SDL_Rect view = ViewRect();
  double smin = INFINITY, smax = -INFINITY, tmin = INFINITY, tmax = -INFINITY;
  for (int corner = 0; corner < 4; ++corner) {
    const double qx = view.x + (corner & 1 ? view.w : 0) - static_cast<double>(px);
    const double qy = view.y + (corner & 2 ? view.h : 0) - static_cast<double>(py);
    const double lx = (by * qx - bx * qy) / det;
    const double ly = (-ay * qx + ax * qy) / det;
    const double s = sx0 + (lx - lx0) * su, t = sy0 + (ly - ly0) * sv;
    smin = std::min(smin, s);
    smax = std::max(smax, s);
    tmin = std::min(tmin, t);
    tmax = std::max(tmax, t);
  }
  // Cut on whole texels, so every texel keeps the place it had in the whole quad.
  const double lo_s = std::max<double>(std::min(sx0, sx1), std::floor(smin));
  const double hi_s = std::min<double>(std::max(sx0, sx1), std::ceil(smax));
  const double lo_t = std::max<double>(std::min(sy0, sy1), std::floor(tmin));
  const double hi_t = std::min<double>(std::max(sy0, sy1), std::ceil(tmax));
  if (!(lo_s < hi_s) || !(lo_t < hi_t)) return false;
  auto cutSide = [](float& s0, float& s1, float& l0, float& l1, double lo, double hi) {
    const double perTexel = (static_cast<double>(l1) - l0) / (static_cast<double>(s1) - s0);
    const double first = s0 < s1 ? lo : hi, last = s0 < s1 ? hi : lo;
    if (first != s0) {
      l0 = static_cast<float>(l0 + (first - s0) * perTexel);
      s0 = static_cast<float>(first);
    }
    if (last != s1) {
      l1 = static_cast<float>(l0 + (last - s0) * perTexel);
      s1 = static_cast<float>(last);
    }
  };
  cutSide(sx0, sx1, lx0, lx1, lo_s, hi_s);
  cutSide(sy0, sy1, ly0, ly1, lo_t, hi_t);
  return true;
}

void RenderTriangles(SDL_Renderer* renderer, SDL_Texture* texture, const ImagePtr* image, int frame,
                     int maskThreshold, SDL_BlendMode mode, std::vector<SDL_Vertex> verts,
                     std::vector<int> indices) {
  const bool textured = texture && image && *image;
  ClipToView(verts, indices, textured ? (*image)->width : 0, textured ? (*image)->height : 0);
  if (indices.empty()) return;
  const int vertexCount = static_cast<int>(verts.size());
  const int indexCount = static_cast<int>(indices.size());
  if (drawrec::hooks::recording)
    drawrec::hooks::Geometry(renderer, image, frame, maskThreshold, mode, verts.data(), vertexCount,
                             indices.data(), indexCount);
  SDL_RenderGeometry(renderer, texture, verts.data(), vertexCount, indices.data(), indexCount);
}

SDL_FRect ShowBackBuffer(SDL_Renderer* renderer, SDL_Texture* backBuffer, const SDL_FRect* at) {
  // The window's size, not the back buffer's: while a target is set, SDL answers its size.
  SDL_SetRenderTarget(renderer, nullptr);
  int ow = 0, oh = 0;
  SDL_GetRendererOutputSize(renderer, &ow, &oh);
  const SDL_FRect box = at ? *at : Letterbox(ow, oh);
  // A window of the screen's own size shows the back buffer pixel for pixel: all of the window
  // is copied over, and each pixel is its texel, so neither the clear nor filtering is needed.
  // Both cost a pass over every pixel where an OpenGL driver draws on the CPU.
  const bool whole = box.x == 0.0f && box.y == 0.0f && box.w == static_cast<float>(ow) &&
                     box.h == static_cast<float>(oh) && ow == ScreenW() && oh == ScreenH();
  if (!whole) {
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
  }
  const SDL_ScaleMode scale = whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
  SDL_ScaleMode current = SDL_ScaleModeLinear;
  if (SDL_GetTextureScaleMode(backBuffer, &current) != 0 || current != scale)
    SDL_SetTextureScaleMode(backBuffer, scale);
  SDL_RenderCopyF(renderer, backBuffer, nullptr, &box);
  SDL_RenderPresent(renderer);
  return box;
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
  SDL_Rect place{static_cast<int>(SDL_WINDOWPOS_CENTERED), static_cast<int>(SDL_WINDOWPOS_CENTERED),
                 width, height};
  if (depth != 0) {
    windowFlags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    // The full-screen window is made where and as large as the desktop itself. Asked for at the
    // screen's size, it would cover the desktop only once a window manager enlarged it: with
    // none, the window stays 800 x 600 while SDL takes it for the desktop's size, so the
    // letterboxed picture came out cropped and zoomed and the pointer off by the bars' width.
    SDL_Rect desktop;
    if (SDL_GetDisplayBounds(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) place = desktop;
  }
  std::string title = ToUtf8(AppTitle);
  g_window = SDL_CreateWindow(title.c_str(), place.x, place.y, place.w, place.h, windowFlags);
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
  ReportScreen(g_renderer, width, height);
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
    const SDL_FRect box = gfx::ShowBackBuffer(g_renderer, g_backBuffer, nullptr);
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
