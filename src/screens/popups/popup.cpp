#include "screens/popups/popup.h"

#include <algorithm>

#include "services/sfx.h"
#include "game/levels/level_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "platform/image_font.h"
#include "platform/input.h"

namespace {

// Interface sound of a popup closed with OK.
constexpr int32_t kPopupClickOutSound = 2;
// Automatic places of the button and the first line, as fractions of the picture's height.
constexpr float kAutoButtonY = 0.72f;
constexpr float kAutoTextY = 0.2f;

int32_t Number(const TSCFilePtr& tsc, const String& group, const char* key) {
  return GetTSCWholeNumberKey(tsc, group, S(key), 0);
}

// A place or an offset further off than two screen widths shows nothing of the popup anyway.
// Held to that, every sum of the drawing (x + w / 2, y + ButtonY, x + IconX, ...) stays far
// inside the int range, whatever a popup file says.
constexpr int32_t kFarthest = 1600;
int32_t Place(const TSCFilePtr& tsc, const String& group, const char* key) {
  return std::clamp(Number(tsc, group, key), -kFarthest, kFarthest);
}

// The popup pictures load as written; one that does not load is named here and measures 0.
ImagePtr LoadPopupPicture(const String& path, const String& group, const char* key) {
  ImagePtr image = LoadImage(path);
  if (!image)
    Print(S("Popup ") + group + u": the " + S(key) + u" picture \"" + path +
          u"\" cannot be loaded");
  return image;
}

}  // namespace

PopupPtr TPopup::Create(const TSCFilePtr& tsc, const TSCGroupPtr& group) {
  auto popup = std::make_shared<TPopup>();
  popup->active = 1;
  popup->alpha = 0.0f;
  const String name = group ? group->name : String();
  popup->image = LoadPopupPicture(GetTSCStringKey(tsc, name, S("Image"), 0), name, "Image");
  popup->x = Place(tsc, name, "X");
  popup->y = Place(tsc, name, "Y");
  popup->event = GetTSCStringKey(tsc, name, S("Event"), 0);
  const int32_t lines = Number(tsc, name, "Lines");
  popup->lineCount = std::clamp(lines, 0, kMaxLines);
  if (popup->lineCount != lines)
    Print(S("Popup ") + name + u": Lines " + FromInt(lines) + u" taken as " +
          FromInt(popup->lineCount));
  popup->condition = Number(tsc, name, "Condition");
  popup->spell = Number(tsc, name, "Spell");
  const int32_t buttonOffset = Place(tsc, name, "ButtonY");
  const int32_t textOffset = Place(tsc, name, "TextY");

  const int32_t w = ImageWidth(popup->image);
  const float h = static_cast<float>(ImageHeight(popup->image));
  // Whatever ButtonY says, the button is centred under the picture.
  popup->buttonX = popup->x + w / 2 - kButtonHalfWidth;
  popup->buttonY = buttonOffset == kAutoPlace
                       ? static_cast<int32_t>(static_cast<float>(popup->y) + h * kAutoButtonY)
                       : popup->y + buttonOffset;
  popup->textY = textOffset == kAutoPlace
                     ? static_cast<int32_t>(static_cast<float>(popup->y) + h * kAutoTextY)
                     : popup->y + textOffset;

  for (int32_t n = 1; n <= popup->lineCount; ++n)
    popup->lines[static_cast<size_t>(n - 1)] =
        GetTSCStringKey(tsc, name, S("Line") + FromInt(n), 0);

  if (popup->spell == kOwnIcon) {
    const String iconPath = GetTSCStringKey(tsc, name, S("IconImg"), 0);
    if (!iconPath.empty()) popup->iconImage = LoadPopupPicture(iconPath, name, "IconImg");
    popup->iconX = Place(tsc, name, "IconX");
    popup->iconY = Place(tsc, name, "IconY");
  }
  return popup;
}

void AddLevelPopups(const TSCFilePtr& info, float level, const TListPtr<PopupPtr>& popups) {
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(info, String());
  for (const TSCGroupPtr& group : *groups)
    if (GetTSCNumberKey(info, group->name, S("Level"), 0) == level)
      popups->AddLast(TPopup::Create(info, group));
}

int32_t TPopup::Update(const ButtonPtr& okButton) {
  if (active == 1 && alpha < 1.0f) alpha += kFadeStep;
  if (active == 0 && alpha > 0.0f) alpha -= kFadeStep;
  if (active == 0 && alpha <= 0.0f) return 1;

  // The button is polled where the previous frame drew it, then moved to this popup's place.
  if (MouseDown(1) == 0) leftButtonSeenUp_ = true;
  if (okButton && okButton->State() != 0 && leftButtonSeenUp_) {
    if (active == 1 && globalSnd) globalSnd->play(kPopupClickOutSound);
    active = 0;
  }
  if (okButton && okButton->dim) {
    okButton->dim->x = static_cast<float>(buttonX);
    okButton->dim->y = static_cast<float>(buttonY);
  }

  const int32_t w = ImageWidth(image);
  SetTransform(0.0f, 1.0f, 1.0f);
  SetAlpha(alpha);
  if (image) DrawImage(image, static_cast<float>(x), static_cast<float>(y));

  SetColor(0, 0, 0);
  SetAlpha(alpha * kTextAlpha);
  int32_t h = 0;
  for (int32_t i = 0; i < lineCount; ++i) {
    const String& line = lines[static_cast<size_t>(i)];
    DrawText(line, static_cast<float>(x + w / 2 - TextWidth(line) / 2),
             static_cast<float>(textY + h));
    h += TextHeight(line);
  }
  SetColor(255, 255, 255);

  if (spell >= kFirstSpell && spell <= kLastSpell) {
    // The spell manager's icon of the kind, handle at its centre.
    const ImagePtr icon =
        bonusManagerAlt ? bonusManagerAlt->icons[static_cast<size_t>(spell)] : nullptr;
    if (icon)
      DrawImage(icon, static_cast<float>(x + w / 2 - kSpellIconShift),
                static_cast<float>(textY + h + kSpellIconGap));
  }
  if (iconImage)
    DrawImage(iconImage, static_cast<float>(x + iconX), static_cast<float>(y + iconY));
  if (okButton) okButton->Draw();
  return 0;
}

int32_t TPopup::CanGo(const String& e) {
  if (event != e) return 0;
  if (event == kBeginLevelEvent) return 1;
  if (event == kMakeMatchEvent || event == kRightUnusedEvent)
    return level && level->matches == condition ? 1 : 0;
  return 1;
}
