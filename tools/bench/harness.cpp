// The frame clock of one scene run, inside the child process that runs it.
#include "harness.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <cmath>

#include "platform/draw_recorder.h"
#include "platform/errors.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/internal.h"

namespace bench {

std::vector<Scene>& Scenes() {
  static std::vector<Scene> scenes;
  return scenes;
}

SceneRegistrar::SceneRegistrar(SceneFunction run, const char* name, const char* description) {
  Scenes().push_back(Scene{name, description, run});
}

int64_t ThreadCpuNs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

int64_t ProcessCpuNs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

int64_t MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

namespace {

// Thrown from the frame callback once the run has what it came for: it leaves the screen's
// loop the way a frame-cap failure would, and nothing in the game catches it.
struct Finished {};

struct RunState {
  Pass pass = Pass::kTime;
  bool accelerated = false;
  int warmup = 0;
  int frames = 0;
  int shown = 0;
  int64_t last = -1;
  int64_t lastCpu = -1;
  std::function<void(int)> script;
  drawrec::Recording recording;
  bool check = false;
  bool breakdown = false;
  int64_t slowNs = 0;
  PixmapPtr before;
  RunResult* result = nullptr;
};

RunState& S() {
  static RunState state;
  return state;
}

void CompareReplay(RunState& s);

// Waits until the renderer has carried out every call so far. Reading back a pixel of the back
// buffer makes SDL send the calls it queues and the driver finish them: an OpenGL renderer
// returns from a frame's calls, and even from its present, long before their pixels are there.
void WaitForRenderer() {
  SDL_Renderer* r = platform_internal::Renderer();
  if (!r) return;
  const SDL_Rect one{0, 0, 1, 1};
  Uint32 pixel = 0;
  SDL_RenderReadPixels(r, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, sizeof pixel);
}

// The clock a frame is timed on (see RunResult).
int64_t FrameClock(const RunState& s) { return s.accelerated ? MonotonicNs() : ThreadCpuNs(); }

void FrameShown(int) {
  RunState& s = S();
  WaitForRenderer();
  const int64_t now = FrameClock(s);
  const int64_t cpu = ProcessCpuNs();
  const int k = ++s.shown;
  if (k > s.warmup && s.last >= 0) {
    s.result->frameNs.push_back(now - s.last);
    if (s.accelerated) s.result->frameCpuNs.push_back(cpu - s.lastCpu);
    if (s.slowNs > 0 && now - s.last >= s.slowNs)
      std::fprintf(stderr, "slow frame %d: %.2f ms\n", k, static_cast<double>(now - s.last) / 1e6);
  }
  if (k >= s.warmup + s.frames) {
    drawrec::Stop();
    throw Finished{};
  }
  if (s.check && k == s.warmup + 1) CompareReplay(s);
  if (s.script) s.script(k);
  if (k == s.warmup && s.pass == Pass::kFloor) {
    if (s.check) s.before = headless::CaptureBackBuffer();
    drawrec::Start(s.recording);
  }
  s.last = FrameClock(s);
  s.lastCpu = ProcessCpuNs();
}

// Puts a captured picture back into the back buffer as it was, whatever the drawing state.
void Restore(const PixmapPtr& picture) {
  SDL_Renderer* r = platform_internal::Renderer();
  if (!r || !picture) return;
  SDL_Texture* texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                           picture->width, picture->height);
  if (!texture) return;
  SDL_UpdateTexture(texture, nullptr, picture->pixels.data(), picture->Pitch());
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
  SDL_RenderSetClipRect(r, nullptr);
  SDL_RenderCopy(r, texture, nullptr, nullptr);
  SDL_DestroyTexture(texture);
}

// The first recorded frame replayed over the picture before it, compared with the game's own
// picture, which is then put back: the recording goes on as if nothing had happened.
void CompareReplay(RunState& s) {
  RunResult& r = *s.result;
  r.checked = true;
  PixmapPtr after = headless::CaptureBackBuffer();
  if (!s.before || !after || s.recording.frames() < 1) {
    r.differingPixels = -1;
    return;
  }
  drawrec::Recording& rec = s.recording;
  drawrec::Stop();
  Restore(s.before);
  drawrec::Replay(rec, 0, false);
  PixmapPtr replayed = headless::CaptureBackBuffer();
  r.comparedPixels = static_cast<int64_t>(after->pixels.size());
  r.differingPixels = 0;
  for (size_t i = 0; i < after->pixels.size(); ++i)
    if (replayed->pixels[i] != after->pixels[i]) ++r.differingPixels;
  Restore(after);
  drawrec::Resume(rec);
}

// What the recorded frames draw, image by image, largest area first (on standard error).
void PrintBreakdown(const drawrec::Recording& rec) {
  struct Use {
    long draws = 0;
    double area = 0;
    int width = 0, height = 0;
  };
  std::map<std::pair<const void*, int>, Use> uses;
  long invisible = 0;
  for (const drawrec::Command& c : rec.commands) {
    if (c.kind != drawrec::Command::kGeometry) continue;
    const SDL_Vertex* v = rec.vertices.data() + c.firstVertex;
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    bool clear = true;
    for (uint32_t k = 0; k < c.vertexCount; ++k) {
      x0 = std::min(x0, v[k].position.x);
      x1 = std::max(x1, v[k].position.x);
      y0 = std::min(y0, v[k].position.y);
      y1 = std::max(y1, v[k].position.y);
      clear = clear && v[k].color.a == 0;
    }
    if (clear && (c.blend == SDL_BLENDMODE_BLEND || c.blend == SDL_BLENDMODE_ADD)) ++invisible;
    Use& u = uses[{c.image.get(), static_cast<int>(c.blend)}];
    ++u.draws;
    u.area += std::max(0.0f, std::min(x1, 800.0f) - std::max(x0, 0.0f)) *
              std::max(0.0f, std::min(y1, 600.0f) - std::max(y0, 0.0f));
    if (c.image) {
      u.width = c.image->width;
      u.height = c.image->height;
    }
  }
  const double frames = std::max(rec.frames(), 1);
  std::vector<std::pair<double, std::string>> rows;
  for (const auto& [key, u] : uses) {
    char line[160];
    std::snprintf(line, sizeof line, "  %4d x %-4d blend %-2d %8.1f draws %10.0f pixels a frame",
                  u.width, u.height, key.second, u.draws / frames, u.area / frames);
    rows.emplace_back(u.area, line);
  }
  std::sort(rows.rbegin(), rows.rend());
  std::fprintf(stderr, "%.0f drawing calls a frame, %.1f of them fully transparent; by image:\n",
               static_cast<double>(rec.commands.size()) / frames - 1, invisible / frames);
  for (size_t i = 0; i < rows.size() && i < 10; ++i) std::fprintf(stderr, "%s\n", rows[i].second.c_str());
}

void ReplayFloor(RunState& s) {
  WaitForRenderer();
  for (int i = 0; i < s.recording.frames(); ++i) {
    const int64_t start = FrameClock(s), startCpu = ProcessCpuNs();
    drawrec::Replay(s.recording, i, true);
    WaitForRenderer();
    s.result->floorNs.push_back(FrameClock(s) - start);
    if (s.accelerated) s.result->floorCpuNs.push_back(ProcessCpuNs() - startCpu);
  }
  if (s.recording.frames() > 0)
    s.result->drawsPerFrame = static_cast<double>(s.recording.commands.size() - s.recording.frames()) /
                              s.recording.frames();
  if (s.breakdown) PrintBreakdown(s.recording);
}


// The open screen's renderer: its SDL name, "accelerated" or "software", and for OpenGL the
// driver's own name and version ("llvmpipe (LLVM 15.0.6, 256 bits), 4.5 (Compatibility Profile)
// Mesa 22.3.6": OpenGL drawn on the CPU).
std::string DescribeRenderer() {
  SDL_Renderer* r = platform_internal::Renderer();
  SDL_RendererInfo info{};
  if (!r || SDL_GetRendererInfo(r, &info) != 0) return "none";
  std::string text = std::string(info.name ? info.name : "?") +
                     (info.flags & SDL_RENDERER_ACCELERATED ? " accelerated" : " software");
  if (std::string(info.name ? info.name : "").rfind("opengl", 0) == 0) {
    using GetString = const unsigned char* (*)(unsigned);
    const auto glGetString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned kRenderer = 0x1F01, kVersion = 0x1F02;  // GL_RENDERER, GL_VERSION
    const unsigned char* name = glGetString ? glGetString(kRenderer) : nullptr;
    const unsigned char* version = glGetString ? glGetString(kVersion) : nullptr;
    if (name && version)
      text += std::string(" (") + reinterpret_cast<const char*>(name) + ", " +
              reinterpret_cast<const char*>(version) + ")";
  }
  return text;
}

}  // namespace

void OnFrame(std::function<void(int shown)> script) { S().script = std::move(script); }
int WarmupFrames() { return S().warmup; }

void Forever(const std::function<void()>& frame) {
  for (;;) frame();
}

void RunScene(const Scene& scene, Pass pass, const RunOptions& options, RunResult& result) {
  RunState& s = S();
  s.accelerated = options.accelerated;
  if (pass == Pass::kProbe) {
    if (Graphics(800, 600, 0, 60, 0)) result.renderer = DescribeRenderer();
    else result.error = "the screen did not open";
    EndGraphics();
    return;
  }
  const int warmup = options.warmup, frames = options.frames;
  s.breakdown = options.breakdown && pass == Pass::kFloor;
  s.slowNs = pass == Pass::kTime ? static_cast<int64_t>(options.slowMs * 1e6) : 0;
  const bool check = options.check;
  s.pass = pass;
  s.check = check && pass == Pass::kFloor;
  s.warmup = warmup;
  s.frames = frames;
  s.result = &result;
  headless::SetFrameCallback(FrameShown);
  try {
    scene.run();
    result.error = "the scene's loop ended after " + std::to_string(s.shown) + " frames";
  } catch (const Finished&) {
  } catch (const ProgramEnded&) {
    result.error = "the game ended after " + std::to_string(s.shown) + " frames";
  } catch (const FrameworkError& e) {
    result.error = std::string(e.what()) + " after " + std::to_string(s.shown) + " frames";
  } catch (const TextError& e) {
    result.error = e.what() + " after " + std::to_string(s.shown) + " frames";
  }
  headless::SetFrameCallback(nullptr);
  drawrec::Stop();
  result.renderer = DescribeRenderer();
  if (!result.error.empty()) return;
  if (pass == Pass::kFloor) ReplayFloor(s);
}

Stats Summarise(std::vector<int64_t> ns) {
  Stats st;
  if (ns.empty()) return st;
  std::sort(ns.begin(), ns.end());
  const auto at = [&](double q) {
    size_t rank = static_cast<size_t>(std::ceil(q * static_cast<double>(ns.size())));
    rank = std::clamp<size_t>(rank, 1, ns.size());
    return static_cast<double>(ns[rank - 1]) / 1e6;
  };
  st.count = static_cast<int>(ns.size());
  st.median = ns.size() % 2 ? static_cast<double>(ns[ns.size() / 2]) / 1e6
                            : (static_cast<double>(ns[ns.size() / 2 - 1]) +
                               static_cast<double>(ns[ns.size() / 2])) / 2e6;
  st.p95 = at(0.95);
  st.max = static_cast<double>(ns.back()) / 1e6;
  return st;
}

}  // namespace bench
