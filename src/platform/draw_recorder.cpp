// The draw recorder and its replay straight to SDL.
#include "platform/draw_recorder.h"

#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

#include "platform/graphics_internal.h"
#include "platform/internal.h"

namespace drawrec {

namespace {

Recording* g_into = nullptr;

// A command with the renderer's current blend, draw colour and clip.
Command& Add(SDL_Renderer* renderer, Command::Kind kind) {
  Command& c = g_into->commands.emplace_back();
  c.kind = kind;
  SDL_GetRenderDrawBlendMode(renderer, &c.blend);
  SDL_GetRenderDrawColor(renderer, &c.color.r, &c.color.g, &c.color.b, &c.color.a);
  c.clipped = SDL_RenderIsClipEnabled(renderer) == SDL_TRUE;
  if (c.clipped) SDL_RenderGetClipRect(renderer, &c.clip);
  return c;
}

// The first present of a start-up timing run.
void ProbeFirstFrame() {
  static bool checked = false;
  if (checked) return;
  checked = true;
  const char* path = getenv("MIRETHORN_FIRST_FRAME_FILE");
  if (!path || !*path) return;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  if (FILE* f = std::fopen(path, "w")) {
    std::fprintf(f, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fclose(f);
  }
  _exit(0);
}

// The replay's view of the renderer state, so that unchanged state is not set again.
struct ReplayState {
  bool clipKnown = false;
  bool clipped = false;
  SDL_Rect clip{0, 0, 0, 0};
};

void ApplyClip(SDL_Renderer* r, ReplayState& s, const Command& c) {
  if (s.clipKnown && s.clipped == c.clipped &&
      (!c.clipped || SDL_RectEquals(&s.clip, &c.clip) == SDL_TRUE))
    return;
  SDL_RenderSetClipRect(r, c.clipped ? &c.clip : nullptr);
  s.clipKnown = true;
  s.clipped = c.clipped;
  s.clip = c.clip;
}

void SetDraw(SDL_Renderer* r, const Command& c) {
  SDL_SetRenderDrawBlendMode(r, c.blend);
  SDL_SetRenderDrawColor(r, c.color.r, c.color.g, c.color.b, c.color.a);
}

}  // namespace

void Recording::clear() {
  commands.clear();
  vertices.clear();
  indices.clear();
  frameEnds.clear();
}

void Start(Recording& into) {
  Stop();
  into.clear();
  g_into = &into;
  hooks::recording = true;
}

void Resume(Recording& into) {
  g_into = &into;
  hooks::recording = true;
}

void Stop() {
  hooks::recording = false;
  g_into = nullptr;
}

bool Active() { return hooks::recording; }

void Replay(const Recording& recording, int frame, bool present) {
  SDL_Renderer* r = platform_internal::Renderer();
  if (!r || frame < 0 || frame >= recording.frames()) return;
  SDL_Texture* backBuffer = SDL_GetRenderTarget(r);
  SDL_Rect savedClip{0, 0, 0, 0};
  const bool savedClipped = SDL_RenderIsClipEnabled(r) == SDL_TRUE;
  if (savedClipped) SDL_RenderGetClipRect(r, &savedClip);

  ReplayState state;
  const size_t first = frame == 0 ? 0 : recording.frameEnds[static_cast<size_t>(frame) - 1];
  const size_t end = recording.frameEnds[static_cast<size_t>(frame)];
  for (size_t i = first; i < end; ++i) {
    const Command& c = recording.commands[i];
    if (c.kind != Command::kPresent) ApplyClip(r, state, c);
    switch (c.kind) {
      case Command::kGeometry: {
        SDL_Texture* texture = nullptr;
        if (c.image) {
          texture = gfx::FrameTexture(c.image, c.frame, c.maskThreshold);
          if (!texture) break;
          SDL_SetTextureBlendMode(texture, c.blend);
        } else {
          SDL_SetRenderDrawBlendMode(r, c.blend);
        }
        SDL_RenderGeometry(r, texture, recording.vertices.data() + c.firstVertex,
                           static_cast<int>(c.vertexCount), recording.indices.data() + c.firstIndex,
                           static_cast<int>(c.indexCount));
        break;
      }
      case Command::kLine:
        SetDraw(r, c);
        SDL_RenderDrawLineF(r, c.a.x, c.a.y, c.b.x, c.b.y);
        break;
      case Command::kPoint:
        SetDraw(r, c);
        SDL_RenderDrawPointF(r, c.a.x, c.a.y);
        break;
      case Command::kClear:
        SetDraw(r, c);
        SDL_RenderClear(r);
        break;
      case Command::kFillRect:
        SetDraw(r, c);
        SDL_RenderFillRect(r, &c.rect);
        break;
      case Command::kPixmap: {
        SDL_Texture* texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                                 c.pixmap->width, c.pixmap->height);
        if (!texture) break;
        SDL_UpdateTexture(texture, nullptr, c.pixmap->pixels.data(), c.pixmap->Pitch());
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        SDL_RenderCopy(r, texture, nullptr, &c.rect);
        SDL_DestroyTexture(texture);
        break;
      }
      case Command::kPresent:
        if (!present) break;
        gfx::ShowBackBuffer(r, backBuffer, &c.box);
        SDL_SetRenderTarget(r, backBuffer);
        state.clipKnown = false;
        break;
    }
  }
  SDL_RenderSetClipRect(r, savedClipped ? &savedClip : nullptr);
}

namespace hooks {

bool recording = false;

void Geometry(SDL_Renderer* renderer, const ImagePtr* image, int frame, int maskThreshold,
              SDL_BlendMode blend, const SDL_Vertex* vertices, int vertexCount, const int* indices,
              int indexCount) {
  if (!g_into || vertexCount <= 0) return;
  Command& c = Add(renderer, Command::kGeometry);
  c.blend = blend;
  if (image) c.image = *image;
  c.frame = frame;
  c.maskThreshold = maskThreshold;
  c.firstVertex = static_cast<uint32_t>(g_into->vertices.size());
  c.vertexCount = static_cast<uint32_t>(vertexCount);
  c.firstIndex = static_cast<uint32_t>(g_into->indices.size());
  c.indexCount = static_cast<uint32_t>(indexCount);
  g_into->vertices.insert(g_into->vertices.end(), vertices, vertices + vertexCount);
  g_into->indices.insert(g_into->indices.end(), indices, indices + indexCount);
}

void Line(SDL_Renderer* renderer, float x1, float y1, float x2, float y2) {
  if (!g_into) return;
  Command& c = Add(renderer, Command::kLine);
  c.a = SDL_FPoint{x1, y1};
  c.b = SDL_FPoint{x2, y2};
}

void Point(SDL_Renderer* renderer, float x, float y) {
  if (!g_into) return;
  Add(renderer, Command::kPoint).a = SDL_FPoint{x, y};
}

void Clear(SDL_Renderer* renderer, const SDL_Rect* rect) {
  if (!g_into) return;
  Command& c = Add(renderer, rect ? Command::kFillRect : Command::kClear);
  if (rect) c.rect = *rect;
}

void Pixmap(SDL_Renderer* renderer, const PixmapPtr& pixmap, const SDL_Rect& dst) {
  if (!g_into || !pixmap) return;
  Command& c = Add(renderer, Command::kPixmap);
  c.pixmap = CopyPixmap(pixmap);
  c.rect = dst;
}

void Present(const SDL_FRect& box) {
  ProbeFirstFrame();
  if (!g_into) return;
  Command& c = g_into->commands.emplace_back();
  c.kind = Command::kPresent;
  c.box = box;
  g_into->frameEnds.push_back(g_into->commands.size());
}

}  // namespace hooks

}  // namespace drawrec
