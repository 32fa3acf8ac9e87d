// The second button family: buttons with their own float rectangle, polled straight from the
// framework's mouse. State answers the id on every frame the left button is held over a button.
// The image buttons latch their over look on a press; only a menu or the owner clears it.
#pragma once
#include <memory>

#include "platform/graphics.h"
#include "platform/image_font.h"
#include "platform/text.h"
#include "toolkit/image_loaders.h"

class TButtonE {
 public:
  virtual ~TButtonE() = default;

  int visible = 1;  // 0: draws nothing and State answers 0
  int enabled = 1;  // 0: State answers 0, the button still draws
  int id = 0;       // what State answers while the button is pressed
  float x = 0.0f;
  float y = 0.0f;
  float width = 0.0f;  // one frame's width for the strip buttons
  float height = 0.0f;
  ImagePtr image;  // shared; null when the picture did not load
  String text;
  int over = 0;  // the over look is shown
  int selected = 0;

  virtual int Draw() { return 0; }
  virtual int Add(const std::shared_ptr<void>& object) {
    (void)object;
    return 0;
  }
  virtual int State() { return 0; }
  virtual int OnOver() { return 0; }
  virtual int OnOut() { return 0; }
  virtual int OnClick() { return 0; }

 protected:
  // Strictly inside the rectangle, on all four edges.
  bool PointerInside() const;
};
using ButtonEPtr = std::shared_ptr<TButtonE>;

// A strip of frames: the over frame while the pointer is over the button, the out frame otherwise.
class TAnimButtonE : public TButtonE {
 public:
  int overFrame = 1;
  int outFrame = 0;
  int frameCount = 2;

  int Draw() override;
  int State() override;
  virtual int DrawOnOver();
  virtual int DrawOnOut();
};
using AnimButtonEPtr = std::shared_ptr<TAnimButtonE>;

// A strip button with a caption centred on it in the button's own font, no shadow.
class TTextAnimButtonE : public TAnimButtonE {
 public:
  String label;
  ImageFontPtr font;
  float labelOffsetX = 0.0f;
  float labelOffsetY = 0.0f;

  int Draw() override;
};
using TextAnimButtonEPtr = std::shared_ptr<TTextAnimButtonE>;

// One image, latched in its over look by a press inside.
class TImageButtonA : public TButtonE {
 public:
  int overStyle = 0;  // 0 glowed, 1 enlarged, 2 darkened; anything else draws no image hovered

  int Draw() override;
  int State() override;
  virtual int DrawOnOver();
  virtual int DrawOnOut();
  virtual int DrawGlowed();
  virtual int DrawEnlarged();
  virtual int DrawDarkned();
};
using ImageButtonAPtr = std::shared_ptr<TImageButtonA>;

// An image button with a caption centred on it.
class TTextImageButtonA : public TImageButtonA {
 public:
  String label;
  ImageFontPtr font;
  float labelOffsetX = 0.0f;
  float labelOffsetY = 0.0f;

  int Draw() override;
};
using TextImageButtonAPtr = std::shared_ptr<TTextImageButtonA>;

// A path is cut into a strip of two frames side by side; an image is shared as it is.
// handleMode 0: (x, y) is the top-left corner; 1: the centre; anything else places it at (0, 0).
// Note the order: the vertical caption offset comes first here.
TextAnimButtonEPtr CreateTextAnimButtonE(const ImageSource& source, float x, float y, int id,
                                         const String& label, const ImageFontPtr& font,
                                         int handleMode, float labelOffsetY, float labelOffsetX);
TextImageButtonAPtr CreateTextImageButtonA(const ImageSource& source, float x, float y, int id,
                                           const String& label, const ImageFontPtr& font,
                                           int overStyle, int handleMode, float labelOffsetX,
                                           float labelOffsetY);
