// The main button family: immediate-mode buttons polled with State and drawn with Draw once per
// frame, each with four looks while the pointer is over it (glowed, enlarged, darkened, normal).
#pragma once
#include <memory>
#include "platform/graphics.h"
#include "platform/text.h"
#include "toolkit/dim.h"
#include "toolkit/image_loaders.h"
#include "toolkit/text.h"

class TButton {
 public:
  virtual ~TButton() = default;

  int visible = 1;   // drawn and polled only while 1
  int enabled = 1;   // polled only while 1
  int clicked = 0;   // latch: set by OnClick, cleared by OnOut and isClicked
  int id = 0;        // what State answers on a click; 0 means nothing was clicked
  DimPtr dim;        // shared with the creator
  ImagePtr image;    // null when the picture did not load: nothing is drawn
  String text;
  float extraValue = 1.0f;  // the button's alpha; -1 keeps the alpha in force
  float scale = 1.0f;       // the enlargement of an animated image button, 1.0 .. 1.14
  int over = 0;             // 1 while the pointer is over the button, as State last found it
  int reserved = 0;

  virtual int Draw() { return 0; }
  virtual int Add(const std::shared_ptr<void>& object) {
    (void)object;
    return 0;
  }
  virtual int State() { return 0; }
  virtual int OnOver() { return 0; }
  virtual int OnOut();
  virtual int OnClick();
  virtual int isClicked();
  virtual int setView(int handleMode, int animated, const ImagePtr& glowImage) {
    (void)handleMode;
    (void)animated;
    (void)glowImage;
    return 0;
  }
  virtual int setState(int enabledFlag, int visibleFlag);

 protected:
  // The hover bookkeeping shared by every type; `click` is the type's click test.
  int Poll(bool (*click)());
  // Draws frame `frame` of the image at the rectangle's Left and Top (nothing without a picture).
  void DrawPicture(int frame);
};
using ButtonPtr = std::shared_ptr<TButton>;

// Frames side by side in one image; clicked on every frame the left button is held over it.
class TAnimButton : public TButton {
 public:
  int overFrame = 1;
  int outFrame = 0;
  int frameCount = 2;
  int overStyle = 0;  // 0 glowed, 1 enlarged, 2 darkened, anything else normal

  int Draw() override;
  int State() override;
  virtual int DrawOnOver();
  virtual int DrawNormal();
  virtual int DrawGlowed();
  virtual int DrawEnlarged();
  virtual int DrawDarkned();
  virtual int DrawOnOut();
};
using AnimButtonPtr = std::shared_ptr<TAnimButton>;

// Two frames with a caption on top, drawn at the button's alpha.
class TTextAnimButton : public TAnimButton {
 public:
  TextPtr label;

  int DrawNormal() override;
  int DrawGlowed() override;
  int DrawEnlarged() override;
  int DrawDarkned() override;
  int DrawOnOut() override;

 private:
  void DrawLabel();
};
using TextAnimButtonPtr = std::shared_ptr<TTextAnimButton>;

// One image; clicked once per press (the frame's left-button hit of the mouse state).
class TImageButton : public TButton {
 public:
  int overStyle = 0;  // 0 glowed, 1 enlarged, 2 darkened; anything else draws nothing hovered
  int animated = 0;   // 1: the enlarged look grows and shrinks step by step
  ImagePtr glowImage;

  int Draw() override;
  int State() override;
  int setView(int handleMode, int animatedFlag, const ImagePtr& glow) override;
  virtual int DrawOnOver();
  virtual int DrawOnOut();
  virtual int DrawGlowed();
  virtual int DrawEnlarged();
  virtual int DrawDarkned();
};
using ImageButtonPtr = std::shared_ptr<TImageButton>;

// One image with a caption on top; the enlarged look is a fixed 1.15.
class TTextImageButton : public TImageButton {
 public:
  TextPtr label;

  int DrawOnOut() override;
  int DrawGlowed() override;
  int DrawEnlarged() override;
  int DrawDarkned() override;

 private:
  void DrawLabel();
};
using TextImageButtonPtr = std::shared_ptr<TTextImageButton>;

AnimButtonPtr CreateAnimButton(const ImageSource& source, const DimPtr& dim, int id, int frames,
                               int overFrame, int outFrame, float value, int overStyle);
TextAnimButtonPtr CreateTextAnimButton(const ImageSource& source, const DimPtr& dim, int id,
                                       const TextPtr& label, float labelOffsetX,
                                       float labelOffsetY, int overStyle);
ImageButtonPtr CreateImageButton(const ImageSource& source, const DimPtr& dim, int id, float alpha,
                                 int overStyle);
// Note the order: the over style comes before the caption offsets here.
TextImageButtonPtr CreateTextImageButton(const ImageSource& source, const DimPtr& dim, int id,
                                         const TextPtr& label, int overStyle, float labelOffsetX,
                                         float labelOffsetY);
