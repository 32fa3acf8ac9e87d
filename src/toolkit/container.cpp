#include "toolkit/container.h"

ContainerPtr data;

namespace {
template <typename T>
std::shared_ptr<T> As(const ContainerObject& object) {
  if (const auto* p = std::get_if<std::shared_ptr<T>>(&object)) return *p;
  return nullptr;
}
}  // namespace

// ---- TContainerItem --------------------------------------------------------------------------

void TContainerItem::Draw() {
  if (ImagePtr image = As<TImage>(object)) {
    if (dim && HasPicture(image)) DrawImage(image, dim->Left(), dim->Top(), 0);
  }
  if (PixmapPtr pixmap = As<TPixmap>(object)) {
    if (dim) DrawPixmap(pixmap, static_cast<int>(dim->Left()), static_cast<int>(dim->Top()));
  }
  if (MemoPtr memo = As<TMemo>(object)) memo->Draw();
  if (FramePtr frame = As<TFrame>(object)) frame->Draw();
  if (TextPtr text = As<TText>(object)) text->Draw();
  if (ButtonPtr button = As<TButton>(object)) button->Draw();
}

void TContainerItem::State() {
  if (ButtonPtr button = As<TButton>(object)) button->State();
}

void TContainerItem::Play() {
  if (SFXPtr sfx = As<TSFX>(object)) sfx->Play();
}

void TContainerItem::Stop() {
  if (SFXPtr sfx = As<TSFX>(object)) sfx->Stop();
}

ContainerItemPtr CreateContainerItem(int id, ContainerObject object, const DimPtr& dim) {
  auto item = std::make_shared<TContainerItem>();
  item->id = id;
  item->object = std::move(object);
  item->dim = dim;
  return item;
}

// ---- TContainer ------------------------------------------------------------------------------

void TContainer::Add(ContainerObject object, int id, const DimPtr& dim) {
  items->AddLast(CreateContainerItem(id, std::move(object), dim));
}

ContainerItemPtr TContainer::Get(int id) {
  for (const ContainerItemPtr& item : *items)
    if (item && item->id == id) return item;
  return nullptr;
}

ContainerObject TContainer::GetObject(int id) {
  ContainerItemPtr item = Get(id);
  return item ? item->object : ContainerObject{};
}

template <typename T>
std::shared_ptr<T> TContainer::FirstAs(int id) {
  ContainerItemPtr item = Get(id);
  return item ? As<T>(item->object) : nullptr;
}

ImagePtr TContainer::GetImage(int id) { return FirstAs<TImage>(id); }
PixmapPtr TContainer::GetPixmap(int id) { return FirstAs<TPixmap>(id); }
TextPtr TContainer::GetText(int id) { return FirstAs<TText>(id); }
FontPtr TContainer::GetFont(int id) { return FirstAs<TFont>(id); }
ImageFontPtr TContainer::GetTTFont(int id) { return FirstAs<TImageFont>(id); }
MemoPtr TContainer::GetMemo(int id) { return FirstAs<TMemo>(id); }
FramePtr TContainer::GetFrame(int id) { return FirstAs<TFrame>(id); }
SFXPtr TContainer::GetSFX(int id) { return FirstAs<TSFX>(id); }
DimPtr TContainer::GetDim(int id) { return FirstAs<TDim>(id); }
ButtonPtr TContainer::GetButton(int id) { return FirstAs<TButton>(id); }

void TContainer::Draw(int id) {
  for (const ContainerItemPtr& item : *items)
    if (item && item->id == id) item->Draw();
}

void TContainer::State(int id) {
  for (const ContainerItemPtr& item : *items)
    if (item && item->id == id) item->State();
}

void TContainer::Play(int id) {
  for (const ContainerItemPtr& item : *items)
    if (item && item->id == id) item->Play();
}

void TContainer::Stop(int id) {
  for (const ContainerItemPtr& item : *items)
    if (item && item->id == id) item->Stop();
}

void TContainer::Remove(int id) {
  items->RemoveIf([id](const ContainerItemPtr& item) { return item && item->id == id; });
}

int TContainer::Count() { return items->Count(); }

void TContainer::Clear() { items->Clear(); }
