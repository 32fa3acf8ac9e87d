// A bag of screen resources and widgets keyed by small integer ids.
#pragma once
#include <cstddef>
#include <memory>
#include <variant>
#include "platform/graphics.h"
#include "platform/image_font.h"
#include "platform/list.h"
#include "platform/pixmap.h"
#include "platform/sound.h"
#include "toolkit/button.h"
#include "toolkit/dim.h"
#include "toolkit/font.h"
#include "toolkit/frame.h"
#include "toolkit/memo.h"
#include "toolkit/sfx.h"
#include "toolkit/text.h"

// What an item may hold. Subtypes of buttons and frames are held as their base type.
using ContainerObject =
    std::variant<std::monostate, ImagePtr, PixmapPtr, ImageFontPtr, TextPtr, FontPtr, MemoPtr,
                 FramePtr, SFXPtr, DimPtr, ButtonPtr, SoundPtr>;

class TContainerItem {
 public:
  virtual ~TContainerItem() = default;

  int id = 0;
  DimPtr dim;  // where an image or pixmap is drawn; may be null
  ContainerObject object;

  virtual void Draw();
  // Polls a button (its answer is dropped); other kinds do nothing.
  virtual void State();
  virtual void Play();
  virtual void Stop();
};
using ContainerItemPtr = std::shared_ptr<TContainerItem>;

ContainerItemPtr CreateContainerItem(int id, ContainerObject object, const DimPtr& dim);

class TContainer {
 public:
  TContainer() : items(CreateList<ContainerItemPtr>()) {}
  virtual ~TContainer() = default;

  TListPtr<ContainerItemPtr> items;  // in insertion order; an id may occur any number of times

  // Note the order: object first. An id already present gets a further item.
  virtual void Add(ContainerObject object, int id, const DimPtr& dim = nullptr);
  // The first item of the id, or null.
  virtual ContainerItemPtr Get(int id);
  virtual ContainerObject GetObject(int id);
  // The first item's object as the asked type; null when it holds another kind (later items
  // of the id are not looked at) or when there is no such id.
  virtual ImagePtr GetImage(int id);
  virtual PixmapPtr GetPixmap(int id);
  virtual TextPtr GetText(int id);
  virtual FontPtr GetFont(int id);
  virtual ImageFontPtr GetTTFont(int id);
  virtual MemoPtr GetMemo(int id);
  virtual FramePtr GetFrame(int id);
  virtual SFXPtr GetSFX(int id);
  virtual DimPtr GetDim(int id);  // a rectangle filed as the object, never the item's own
  virtual ButtonPtr GetButton(int id);
  // These act on every item of the id, in insertion order.
  virtual void Draw(int id);
  virtual void State(int id);
  virtual void Play(int id);
  virtual void Stop(int id);
  virtual void Remove(int id);
  virtual int Count();
  virtual void Clear();

 private:
  template <typename T>
  std::shared_ptr<T> FirstAs(int id);
};
using ContainerPtr = std::shared_ptr<TContainer>;

// The program-wide container of shared images and fonts; made by start-up.
extern ContainerPtr data;
