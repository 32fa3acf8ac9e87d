#include "game/spells/to_sphere_emiter.h"

#include "game/spells/magic_sphere.h"

TList<ToSphereEmiterPtr> toSphereStreams;

void TToSphereEmiter::add(float x, float y, int32_t red, int32_t green, int32_t blue,
                          int32_t column, int32_t row, int32_t colour) {
  auto stream = std::make_shared<TToSphereEmiter>();
  stream->x = x;
  stream->y = y;
  stream->red = red;
  stream->green = green;
  stream->blue = blue;
  stream->column = column;
  stream->row = row;
  stream->colour = colour;
  if (magicSphere) magicSphere->GetColorXY(colour, stream->targetX, stream->targetY);
  toSphereStreams.AddLast(stream);
}
