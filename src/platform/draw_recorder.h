// The draw recorder: every drawing call the platform sends to the renderer (the triangles of
// images, text glyphs and shapes with their texture, colour, alpha and blend; lines, points,
// clears, pixmap copies; the viewport's clip; each frame's present) kept frame by frame, and
// replayed straight to SDL with no game code. The bench times the replay as the floor under a
// frame: what the drawing itself costs.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/graphics.h"
#include "platform/pixmap.h"

namespace drawrec {

struct Command {
  enum Kind : uint8_t { kGeometry, kLine, kPoint, kClear, kFillRect, kPixmap, kPresent };
  Kind kind = kGeometry;
  SDL_BlendMode blend = SDL_BLENDMODE_NONE;
  SDL_Color color{255, 255, 255, 255};  // the draw colour of lines, points and clears
  bool clipped = false;                 // the viewport's clip rectangle applies
  SDL_Rect clip{0, 0, 0, 0};
  // Geometry: an image frame's texture (null image: untextured), the masked copy's threshold.
  ImagePtr image;
  int frame = 0;
  int maskThreshold = -1;
  uint32_t firstVertex = 0, vertexCount = 0, firstIndex = 0, indexCount = 0;
  // Lines and points: the end points; fill rectangles and pixmaps: the destination.
  SDL_FPoint a{0, 0}, b{0, 0};
  SDL_Rect rect{0, 0, 0, 0};
  PixmapPtr pixmap;  // a copy of the pixels as they were drawn
  SDL_FRect box{0, 0, 0, 0};  // present: where the back buffer lands in the window
};

// One recording: the commands of every frame, each frame ending with its present.
struct Recording {
  std::vector<Command> commands;
  std::vector<SDL_Vertex> vertices;
  std::vector<int> indices;
  std::vector<size_t> frameEnds;  // commands[frameEnds[i - 1] .. frameEnds[i]) make frame i
  int frames() const { return static_cast<int>(frameEnds.size()); }
  void clear();
};

// Starts recording into `into` (cleared); stops any recording before.
void Start(Recording& into);
void Stop();
// Goes on recording into `into`, keeping what it holds.
void Resume(Recording& into);
bool Active();

// Replays frame `frame` of the recording onto the back buffer of the open screen, present
// included (`present` false leaves it out, so the back buffer can be compared). The drawing
// state the platform keeps is not touched but for the renderer's clip, which is put back.
void Replay(const Recording& recording, int frame, bool present = true);

// ---- Hooks of the platform's drawing (no effect unless recording) ----------------------------

namespace hooks {
extern bool recording;
void Geometry(SDL_Renderer* renderer, const ImagePtr* image, int frame, int maskThreshold,
              SDL_BlendMode blend, const SDL_Vertex* vertices, int vertexCount, const int* indices,
              int indexCount);
void Line(SDL_Renderer* renderer, float x1, float y1, float x2, float y2);
void Point(SDL_Renderer* renderer, float x, float y);
void Clear(SDL_Renderer* renderer, const SDL_Rect* rect);  // null: the whole target
void Pixmap(SDL_Renderer* renderer, const PixmapPtr& pixmap, const SDL_Rect& dst);
// After the back buffer has been presented: ends the recorded frame. With the environment
// variable MIRETHORN_FIRST_FRAME_FILE set, the first present writes the monotonic clock in
// nanoseconds to that file and ends the process (start-up timing).
void Present(const SDL_FRect& box);
}  // namespace hooks

}  // namespace drawrec
