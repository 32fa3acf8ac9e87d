#include "toolkit/button_e.h"

#include "platform/input.h"
#include "platform/system.h"

namespace {

constexpr float kEnlarge = 0.15f;

void DrawCaption(const TButtonE& b, const String& label, const ImageFontPtr& font, float offsetX,
                 float offsetY) {
  SetImageFont(font);
  const float captionX =
      (b.x + b.width / 2.0f) - static_cast<float>(TextWidth(label) / 2) + offsetX;
  const float captionY =
      (b.y + b.height / 2.0f) - static_cast<float>(TextHeight(label) / 2) + offsetY;
  DrawText(label, captionX, captionY);
}

// The over look while the pointer is over the button (or the look is latched), the out look
// otherwise; an invisible button draws nothing.
template <class Button>
int DrawOverOrOut(Button& b) {
  if (b.visible == 0) return 0;
  if (b.over != 0) {
    b.DrawOnOver();
  } else {
    b.DrawOnOut();
  }
  return 0;
}

void Place(TButtonE& b, float x, float y, int handleMode) {
  if (handleMode == 0) {
    b.x = x;
    b.y = y;
  } else if (handleMode == 1) {
    b.x = x - b.width / 2.0f;
    b.y = y - b.height / 2.0f;
  }
}

void CannotLoad(const String& path) { Notify(u"Can't load image: " + path); }
void InvalidSource() { Notify(u"Invalid object type"); }

}  // namespace

// ---- TButtonE --------------------------------------------------------------------------------

bool TButtonE::PointerInside() const {
  const float mx = static_cast<float>(MouseX());
  const float my = static_cast<float>(MouseY());
  return x < mx && mx < x + width && y < my && my < y + height;
}

// ---- TAnimButtonE ----------------------------------------------------------------------------

int TAnimButtonE::State() {
  if (enabled == 0 || visible == 0) return 0;
  if (PointerInside()) {
    if (over == 0) OnOver();
    over = 1;
    if (MouseDown(1)) {
      OnClick();
      return id;
    }
    return 0;
  }
  if (over != 0) OnOut();
  over = 0;
  return 0;
}

int TAnimButtonE::Draw() { return DrawOverOrOut(*this); }

int TAnimButtonE::DrawOnOver() {
  DrawImage(image, x, y, overFrame);
  return 0;
}

int TAnimButtonE::DrawOnOut() {
  DrawImage(image, x, y, outFrame);
  return 0;
}

int TTextAnimButtonE::Draw() {
  if (visible == 0) return 0;
  TAnimButtonE::Draw();
  DrawCaption(*this, label, font, labelOffsetX, labelOffsetY);
  return 0;
}

// ---- TImageButtonA ---------------------------------------------------------------------------

int TImageButtonA::State() {
  if (enabled == 0 || visible == 0) return 0;
  if (!MouseDown(1)) return 0;
  if (!PointerInside()) return 0;  // the latched look stays
  if (over == 0) OnOver();
  over = 1;
  OnClick();
  return id;
}

int TImageButtonA::Draw() { return DrawOverOrOut(*this); }

int TImageButtonA::DrawOnOut() {
  DrawImage(image, x, y, 0);
  return 0;
}

int TImageButtonA::DrawOnOver() {
  switch (overStyle) {
    case 0:
      DrawGlowed();
      break;
    case 1:
      DrawEnlarged();
      break;
    case 2:
      DrawDarkned();
      break;
    default:
      break;
  }
  return 0;
}

int TImageButtonA::DrawGlowed() {
  SetColor(100, 255, 200);
  DrawImage(image, x, y, 0);
  SetColor(255, 255, 255);
  return 0;
}

int TImageButtonA::DrawDarkned() {
  SetColor(200, 200, 200);
  DrawImage(image, x, y, 0);
  SetColor(255, 255, 255);
  return 0;
}

int TImageButtonA::DrawEnlarged() {
  // Worked out in double precision from the single-precision factor, then cut to whole pixels.
  const double e = kEnlarge;
  const int left = static_cast<int>(static_cast<double>(x) - static_cast<double>(width) * e / 2.0);
  const int top = static_cast<int>(static_cast<double>(y) - static_cast<double>(height) * e / 2.0);
  SetScale(1.0f + kEnlarge, 1.0f + kEnlarge);
  DrawImage(image, static_cast<float>(left), static_cast<float>(top), 0);
  SetScale(1.0f, 1.0f);
  return 0;
}

int TTextImageButtonA::Draw() {
  if (visible == 0) return 0;
  TImageButtonA::Draw();
  DrawCaption(*this, label, font, labelOffsetX, labelOffsetY);
  return 0;
}

// ---- Factories -------------------------------------------------------------------------------

TextAnimButtonEPtr CreateTextAnimButtonE(const ImageSource& source, float x, float y, int id,
                                         const String& label, const ImageFontPtr& font,
                                         int handleMode, float labelOffsetY, float labelOffsetX) {
  auto b = std::make_shared<TTextAnimButtonE>();
  b->id = id;
  b->label = label;
  b->font = font;
  b->labelOffsetX = labelOffsetX;
  b->labelOffsetY = labelOffsetY;
  if (source.kind() == ImageSource::PATH && !source.path().empty()) {
    PixmapPtr strip = LoadPixmap(ToPath(source.path()));
    if (!strip) CannotLoad(source.path());
    const int frameWidth = PixmapWidth(strip) / 2;
    const int frameHeight = PixmapHeight(strip);
    b->width = static_cast<float>(frameWidth);
    b->height = static_cast<float>(frameHeight);
    if (strip) b->image = LoadAnimImage(strip, frameWidth, frameHeight, 0, 2, DEFAULT_IMAGE_FLAGS);
  } else if (source.kind() == ImageSource::IMAGE && source.image()) {
    b->image = source.image();
    b->width = static_cast<float>(ImageWidth(b->image));
    b->height = static_cast<float>(ImageHeight(b->image));
  } else {
    InvalidSource();
  }
  Place(*b, x, y, handleMode);
  return b;
}

TextImageButtonAPtr CreateTextImageButtonA(const ImageSource& source, float x, float y, int id,
                                           const String& label, const ImageFontPtr& font,
                                           int overStyle, int handleMode, float labelOffsetX,
                                           float labelOffsetY) {
  auto b = std::make_shared<TTextImageButtonA>();
  b->overStyle = overStyle;
  b->id = id;
  b->label = label;
  b->font = font;
  b->labelOffsetX = labelOffsetX;
  b->labelOffsetY = labelOffsetY;
  if (source.kind() == ImageSource::PATH && !source.path().empty()) {
    b->image = LoadImage(source.path(), DEFAULT_IMAGE_FLAGS);
    if (!b->image) CannotLoad(source.path());
  } else if (source.kind() == ImageSource::IMAGE && source.image()) {
    b->image = source.image();
  } else {
    InvalidSource();
  }
  b->width = static_cast<float>(ImageWidth(b->image));
  b->height = static_cast<float>(ImageHeight(b->image));
  Place(*b, x, y, handleMode);
  return b;
}
