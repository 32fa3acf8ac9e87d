#include "toolkit/button.h"

#include "services/mouse.h"
#include "platform/input.h"

namespace {

constexpr float kEnlarged = 1.15f;
constexpr float kImageEnlarged = 1.14f;
constexpr float kGrowStep = 0.025f;
constexpr float kShrinkStep = 0.02f;

bool LeftButtonHeld() { return MouseDown(1) != 0; }
bool LeftButtonHitThisFrame() { return mouse && mouse->hit1 != 0; }

void SetDimScale(const DimPtr& dim, float s) {
  if (!dim) return;
  dim->scaleX = s;
  dim->scaleY = s;
}

}  // namespace

// ---- TButton ---------------------------------------------------------------------------------

int TButton::OnOut() {
  clicked = 0;
  return 0;
}

int TButton::OnClick() {
  clicked = 1;
  return 0;
}

int TButton::isClicked() {
  if (clicked) {
    clicked = 0;
    return 1;
  }
  return 0;
}

int TButton::setState(int enabledFlag, int visibleFlag) {
  enabled = enabledFlag;
  visible = visibleFlag;
  return 0;
}

int TButton::Poll(bool (*click)()) {
  if (enabled == 0 || visible == 0) return 0;
  const bool inside =
      dim && dim->InXY(static_cast<float>(MouseX()), static_cast<float>(MouseY())) != 0;
  if (inside) {
    if (over == 0) OnOver();
    over = 1;
    if (click()) {
      OnClick();
      return id;
    }
    return 0;
  }
  if (over == 1) OnOut();
  over = 0;
  return 0;
}

void TButton::DrawPicture(int frame) {
  if (!dim || !HasPicture(image) || frame < 0 || frame >= ImageFrames(image)) return;
  DrawImage(image, dim->Left(), dim->Top(), frame);
}

// ---- TAnimButton -----------------------------------------------------------------------------

int TAnimButton::State() { return Poll(LeftButtonHeld); }

int TAnimButton::Draw() {
  if (visible == 0) return 0;
  if (over == 1) DrawOnOver();
  else DrawOnOut();
  return 0;
}

int TAnimButton::DrawOnOver() {
  switch (overStyle) {
    case 0: return DrawGlowed();
    case 1: return DrawEnlarged();
    case 2: return DrawDarkned();
    default: return DrawNormal();
  }
}

int TAnimButton::DrawNormal() {
  DrawPicture(overFrame);
  return 0;
}

int TAnimButton::DrawGlowed() {
  SetColor(100, 255, 200);
  DrawPicture(overFrame);
  SetColor(255, 255, 255);
  return 0;
}

int TAnimButton::DrawEnlarged() {
  SetScale(kEnlarged, kEnlarged);
  SetDimScale(dim, kEnlarged);
  DrawPicture(overFrame);
  SetScale(1.0f, 1.0f);
  SetDimScale(dim, 1.0f);
  return 0;
}

int TAnimButton::DrawDarkned() {
  SetColor(200, 200, 200);
  DrawPicture(overFrame);
  SetColor(255, 255, 255);
  return 0;
}

int TAnimButton::DrawOnOut() {
  DrawPicture(outFrame);
  return 0;
}

// ---- TTextAnimButton -------------------------------------------------------------------------

void TTextAnimButton::DrawLabel() {
  if (!label) return;
  label->alpha = extraValue;
  label->Draw();
}

int TTextAnimButton::DrawNormal() {
  DrawPicture(overFrame);
  DrawLabel();
  return 0;
}

int TTextAnimButton::DrawGlowed() {
  SetColor(100, 255, 200);
  DrawPicture(overFrame);
  DrawLabel();
  SetColor(255, 255, 255);
  return 0;
}

int TTextAnimButton::DrawEnlarged() {
  if (label) SetDimScale(label->dim, kEnlarged);
  SetScale(kEnlarged, kEnlarged);
  SetDimScale(dim, kEnlarged);
  DrawPicture(overFrame);
  SetScale(1.0f, 1.0f);
  SetDimScale(dim, 1.0f);
  DrawLabel();
  if (label) SetDimScale(label->dim, 1.0f);
  return 0;
}

int TTextAnimButton::DrawDarkned() {
  SetColor(200, 200, 200);
  DrawPicture(overFrame);
  DrawLabel();
  SetColor(255, 255, 255);
  return 0;
}

int TTextAnimButton::DrawOnOut() {
  DrawPicture(outFrame);
  DrawLabel();
  return 0;
}

// ---- TImageButton ----------------------------------------------------------------------------

int TImageButton::State() { return Poll(LeftButtonHitThisFrame); }

int TImageButton::Draw() {
  if (visible == 0) return 0;
  if (extraValue != -1.0f) SetAlpha(extraValue);
  if (over == 1) DrawOnOver();
  else DrawOnOut();
  if (extraValue != -1.0f) SetAlpha(1.0f);
  return 0;
}

int TImageButton::setView(int handleMode, int animatedFlag, const ImagePtr& glow) {
  if (dim) dim->handleMode = handleMode;
  animated = animatedFlag;
  glowImage = glow;
  return 0;
}

int TImageButton::DrawOnOver() {
  switch (overStyle) {
    case 0: return DrawGlowed();
    case 1: return DrawEnlarged();
    case 2: return DrawDarkned();
    default: return 0;  // nothing drawn while hovered
  }
}

int TImageButton::DrawOnOut() {
  if (animated == 0) {
    DrawPicture(0);
    return 0;
  }
  SetScale(scale, scale);
  SetDimScale(dim, scale);
  DrawPicture(0);
  SetScale(1.0f, 1.0f);
  SetDimScale(dim, 1.0f);
  if (scale > 1.0f) {
    scale -= kShrinkStep;
    if (scale < 1.0f) scale = 1.0f;
  }
  return 0;
}

int TImageButton::DrawGlowed() {
  SetColor(100, 255, 200);
  DrawPicture(0);
  SetColor(255, 255, 255);
  return 0;
}

int TImageButton::DrawEnlarged() {
  if (glowImage) {
    const float previous = GetAlpha();
    SetAlpha(0.25f * (scale - 1.0f) / 0.14f);
    SetScale(1.0f, 0.7f);
    if (dim && HasPicture(glowImage)) DrawImage(glowImage, dim->x, dim->y, 0);
    SetAlpha(previous);
  }
  if (animated == 1) {
    scale += kGrowStep;
    if (scale > kImageEnlarged) scale = kImageEnlarged;
    SetScale(scale, scale);
    SetDimScale(dim, scale);
  } else if (animated == 0) {
    SetScale(kImageEnlarged, kImageEnlarged);
    SetDimScale(dim, kImageEnlarged);
  }
  DrawPicture(0);
  SetScale(1.0f, 1.0f);
  SetDimScale(dim, 1.0f);
  return 0;
}

int TImageButton::DrawDarkned() {
  SetColor(200, 200, 200);
  DrawPicture(0);
  SetColor(255, 255, 255);
  return 0;
}

// ---- TTextImageButton ------------------------------------------------------------------------

void TTextImageButton::DrawLabel() {
  if (!label) return;
  label->alpha = extraValue;
  label->Draw();
}

int TTextImageButton::DrawOnOut() {
  DrawPicture(0);
  DrawLabel();
  return 0;
}

int TTextImageButton::DrawGlowed() {
  SetColor(100, 255, 200);
  DrawPicture(0);
  DrawLabel();
  SetColor(255, 255, 255);
  return 0;
}

int TTextImageButton::DrawEnlarged() {
  if (label) SetDimScale(label->dim, kEnlarged);
  SetScale(kEnlarged, kEnlarged);
  SetDimScale(dim, kEnlarged);
  DrawPicture(0);
  SetScale(1.0f, 1.0f);
  SetDimScale(dim, 1.0f);
  DrawLabel();
  if (label) SetDimScale(label->dim, 1.0f);
  return 0;
}

int TTextImageButton::DrawDarkned() {
  SetColor(200, 200, 200);
  DrawPicture(0);
  DrawLabel();
  SetColor(255, 255, 255);
  return 0;
}

// ---- Factories -------------------------------------------------------------------------------

namespace {

// Cuts `frames` cells side by side from the pixmap and sizes the rectangle to one cell. A
// picture that did not load leaves no image and a rectangle of 0 x 0.
ImagePtr CutFrames(const ImageSource& source, const DimPtr& dim, int frames) {
  PixmapPtr pixmap = FLoadPixmap(source);
  const int width = (pixmap && frames > 0) ? PixmapWidth(pixmap) / frames : 0;
  const int height = pixmap ? PixmapHeight(pixmap) : 0;
  if (dim) {
    dim->width = static_cast<float>(width);
    dim->height = static_cast<float>(height);
  }
  if (width <= 0 || height <= 0) return nullptr;
  return LoadAnimImage(pixmap, width, height, 0, frames, DEFAULT_IMAGE_FLAGS);
}

void SizeToImage(const DimPtr& dim, const ImagePtr& image) {
  if (!dim) return;
  dim->width = static_cast<float>(ImageWidth(image));
  dim->height = static_cast<float>(ImageHeight(image));
}

// Anchors the caption's rectangle on the button's centre, shifted by the offsets, and sizes it
// to the caption. Done once, with the button's handle mode of that moment.
void PlaceLabel(const TextPtr& label, const DimPtr& dim, float offsetX, float offsetY) {
  if (!label || !label->dim || !dim) return;
  label->dim->offsetX = offsetX;
  label->dim->offsetY = offsetY;
  label->dim->x = dim->Left() + dim->width / 2.0f;
  label->dim->y = dim->Top() + dim->height / 2.0f;
  label->dim->width = label->Width();
  label->dim->height = label->Height();
}

}  // namespace

AnimButtonPtr CreateAnimButton(const ImageSource& source, const DimPtr& dim, int id, int frames,
                               int overFrame, int outFrame, float value, int overStyle) {
  auto b = std::make_shared<TAnimButton>();
  b->id = id;
  b->overFrame = overFrame;
  b->outFrame = outFrame;
  b->frameCount = frames;
  b->dim = dim;
  b->extraValue = value;
  b->overStyle = overStyle;
  b->image = CutFrames(source, dim, frames);
  return b;
}

TextAnimButtonPtr CreateTextAnimButton(const ImageSource& source, const DimPtr& dim, int id,
                                       const TextPtr& label, float labelOffsetX,
                                       float labelOffsetY, int overStyle) {
  auto b = std::make_shared<TTextAnimButton>();
  b->id = id;
  b->dim = dim;
  b->overStyle = overStyle;
  b->image = CutFrames(source, dim, 2);
  b->label = label;
  PlaceLabel(label, dim, labelOffsetX, labelOffsetY);
  return b;
}

ImageButtonPtr CreateImageButton(const ImageSource& source, const DimPtr& dim, int id, float alpha,
                                 int overStyle) {
  auto b = std::make_shared<TImageButton>();
  b->overStyle = overStyle;
  b->id = id;
  b->dim = dim;
  b->image = FLoadImage(source);
  SizeToImage(dim, b->image);
  b->extraValue = alpha;
  return b;
}

TextImageButtonPtr CreateTextImageButton(const ImageSource& source, const DimPtr& dim, int id,
                                         const TextPtr& label, int overStyle, float labelOffsetX,
                                         float labelOffsetY) {
  auto b = std::make_shared<TTextImageButton>();
  b->dim = dim;
  b->overStyle = overStyle;
  b->id = id;
  b->image = FLoadImage(source);
  SizeToImage(dim, b->image);
  b->label = label;
  PlaceLabel(label, dim, labelOffsetX, labelOffsetY);
  return b;
}
