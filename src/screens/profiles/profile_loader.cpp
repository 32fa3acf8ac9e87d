#include "screens/profiles/profile_loader.h"

#include "services/data_folders.h"
#include "services/mouse.h"
#include "services/options.h"
#include "game/saved/new_profile.h"
#include "game/saved/saved_game.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/menu/options_window.h"
#include "screens/title_pictures.h"
#include "screens/title_sparks.h"
#include "toolkit/button.h"
#include "toolkit/dim.h"
#include "toolkit/spark.h"

ProfileLoaderPtr profileLoader;

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kBackspace = 8;
constexpr int kSpace = 32;

constexpr float kLoaderCentreX = 400.0f;
constexpr float kEntryY = 332.0f;
// The names stand in rows 22 px apart from y 254; a name's box is as tall as the font's line
// (30 px), so neighbouring boxes overlap by 8 px and a click there selects the lower name.
constexpr float kFirstNameY = 254.0f;
constexpr float kNameSpacing = 22.0f;

// The selected name's bar: the menu window's highlight, tinted and squashed under the name.
constexpr int kBarRed = 255;
constexpr int kBarGreen = 200;
constexpr int kBarBlue = 200;
constexpr float kBarAlpha = 0.25f;
constexpr float kBarWidthFactor = 1.25f;
constexpr float kBarHeightScale = 0.35f;
constexpr float kBarDy = 11.0f;

constexpr float kLoaderFadeStep = 0.02f;

constexpr int kLoaderDarkened = 2;

struct ButtonSpec {
  int id;
  const char* path;  // null: the image of the list menu's button of the same id
  float x, y;
};
const ButtonSpec kListButtons[] = {
    {TProfileLoader::kOk, "gfx/gui/profile-ok.png", 339, 485},
    {TProfileLoader::kCancel, "gfx/gui/profile-cancel.png", 381, 485},
    {TProfileLoader::kNew, "gfx/gui/profile-new.png", 291, 513},
    {TProfileLoader::kRenameButton, "gfx/gui/profile-rename.png", 348, 513},
    {TProfileLoader::kDelete, "gfx/gui/profile-delete.png", 434, 513},
};

ButtonPtr MakeButton(const ImageSource& image, float x, float y, int id) {
  return CreateImageButton(image, CreateDim(x, y, 0, 0, 0, 1, 1, 0), id, 1.0f, kLoaderDarkened);
}

bool IsLetterOrDigit(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

void SaveLastProfile() {
  if (options) options->SaveOptionsOnly();
}

}  // namespace

// ---- Loading ---------------------------------------------------------------------------------

void TProfileLoader::Load() {
  font = fonts[0];
  for (const ButtonSpec& b : kListButtons)
    listMenu->AddItem(MakeButton(FromPath(bundleDir + b.path), b.x, b.y, b.id));
  // The entry's and the messages' buttons share the list's OK and Cancel pictures.
  auto picture = [this](int id) {
    ButtonPtr b = listMenu->GetItem(id);
    return ImageSource(b ? b->image : nullptr);
  };
  confirmMenu->AddItem(MakeButton(picture(kOk), 339, 380, kOk));
  confirmMenu->AddItem(MakeButton(picture(kCancel), 381, 380, kCancel));
  okMenu->AddItem(MakeButton(picture(kOk), 381, 380, kOk));

  auto text = [this](const char16_t* t, float x, float y) {
    return CreateText(t, CreateDim(x, y, 0, 0, 0, 1, 1, 0), TextFont(font), 1.0f, 0, 0, 0);
  };
  namePrompt = {text(u"enter your", 306, 276), text(u"name", 361, 299)};
  entryText = text(u"", kLoaderCentreX, kEntryY);
  nameExistsText = text(u"name exist", 319, 445);
  notSavedText = text(u"can not save", kLoaderCentreX, 445);
  notSavedText->dim->x -= notSavedText->Width() / 2.0f;
  deletePrompt = {text(u"do you really", 276, 276), text(u"want delete", 305, 299)};
  lastProfileMessage = {text(u"you can not", 295, 276), text(u"delete last", 302, 299),
                        text(u"profile", 339, 322)};
  limitMessage = {text(u"you can not", 295, 276), text(u"create more", 294, 299),
                  text(u"profiles", 333, 322)};
}

// ---- The loop --------------------------------------------------------------------------------

int32_t TProfileLoader::show(int32_t startMode) {
  UpdateList();
  mode = startMode;
  if (startMode != kFirstRun) selectedName = currentName();
  // The flag describes this entry, not one typed on an earlier visit.
  if (startMode == kFirstRun) recomputeNameExists();
  for (;;) {
    if (Update() == 1) break;
    Draw();
    if (AppTerminate()) End();
  }
  if (mouse) mouse->hit1 = 0;
  FlushKeys();
  return 0;
}

int32_t TProfileLoader::Update() {
  if (mouse) mouse->fetchState();
  // Each block runs when the mode holds its value at that moment, so a block that changes the
  // mode hands the same frame on to the next one.
  int32_t result = 0;
  if (mode == kList) result = updateListMode();
  if (mode == kNewName) updateNameEntry();
  if (mode == kRename) updateRename();
  if (mode == kDeleteConfirm) updateDeleteConfirm();
  if (mode == kFirstRun) result = updateFirstRun();
  if (mode == kLastProfile || mode == kProfileLimit) updateMessage();
  return result;
}

int32_t TProfileLoader::updateListMode() {
  if (mouse && mouse->hit1) {
    const float mx = static_cast<float>(mouse->x);
    const float my = static_cast<float>(mouse->y);
    for (const TextPtr& t : *nameTexts) {
      const float x = t->dim->x;
      const float y = t->dim->y;
      if (mx > x && mx < x + t->Width() && my > y && my < y + t->Height()) selectedName = t->text;
    }
  }
  switch (listMenu->State()) {
    case kOk:
      if (profile) profile->SelectProfile(selectedName);
      LoadProfile();
      SaveLastProfile();
      return 1;
    case kCancel:
      return 1;
    case kNew:
      if (nameTexts->Count() >= kMaxProfiles) {
        mode = kProfileLimit;
      } else {
        openEntry(kNewName, u"");
        recomputeNameExists();
      }
      break;
    case kRenameButton:
      openEntry(kRename, selectedName);
      break;
    case kDelete:
      if (profile && profile->profiles->Count() > 1) {
        openEntry(kDeleteConfirm, selectedName);
        centreEntry();
      } else {
        mode = kLastProfile;
      }
      break;
    default:
      break;
  }
  return 0;
}

void TProfileLoader::updateNameEntry() {
  UpdateText();
  centreEntry();
  const int32_t k = confirmChoice();
  if (k == kOk && entryValid()) {
    if (!createProfileFromEntry()) return;
    profile->SelectProfile(entryText->text);
    LoadProfile();
    SaveLastProfile();
    UpdateList();
    selectedName = currentName();
    mode = kList;
  } else if (k == kCancel) {
    mode = kList;
  }
}

void TProfileLoader::updateRename() {
  UpdateText();
  centreEntry();
  const int32_t k = confirmChoice();
  if (k == kOk && entryValid() && profile) {
    // The manager makes its first profile current after a rename; the profile that was current
    // stays so, under its new name when it was the one renamed.
    const String wasCurrent = currentName();
    const bool renamingCurrent = wasCurrent == selectedName;
    if (profile->RenameProfile(selectedName, entryText->text) == 0) {
      nameExists = 1;  // refused: the entry stays open
      return;
    }
    UpdateList();
    mode = kList;
    selectedName = entryText->text;
    profile->SelectProfile(renamingCurrent ? selectedName : wasCurrent);
    if (renamingCurrent) SaveLastProfile();
  } else if (k == kCancel) {
    mode = kList;
  }
}

void TProfileLoader::updateDeleteConfirm() {
  const int32_t k = confirmChoice();
  if (k == kOk) {
    if (!profile || profile->profiles->Count() <= 1) return;
    const String wasCurrent = currentName();
    const bool deleted = profile->DeleteProfile(selectedName) != 0;
    UpdateList();
    if (deleted && selectedName == wasCurrent) {
      // The loaded game belonged to the deleted player: the new current profile takes over.
      LoadProfile();
      SaveLastProfile();
    } else {
      profile->SelectProfile(wasCurrent);
    }
    mode = kList;
    selectedName = currentName();
  } else if (k == kCancel) {
    mode = kList;
  }
}

int32_t TProfileLoader::updateFirstRun() {
  UpdateText();
  centreEntry();
  int32_t k = okMenu->State();
  if (KeyHit(kEnter)) k = kOk;
  if (k != 0 && entryValid()) {
    if (!createProfileFromEntry()) return 0;
    LoadProfile();
    SaveLastProfile();
    mode = kList;
    return 1;
  }
  return 0;
}

void TProfileLoader::updateMessage() {
  if (KeyHit(kEnter)) {
    mode = kList;
  } else if (okMenu->State() != 0) {
    mode = kList;
  }
}

int32_t TProfileLoader::confirmChoice() {
  int32_t k = confirmMenu->State();
  // Both keys are read every frame; Escape wins over Enter.
  if (KeyHit(kEnter)) k = kOk;
  if (KeyHit(kEscape)) k = kCancel;
  return k;
}

// ---- The entry -------------------------------------------------------------------------------

void TProfileLoader::openEntry(int32_t newMode, const String& text) {
  mode = newMode;
  entryText->text = text;
  notSaved = 0;
  FlushKeys();
}

void TProfileLoader::centreEntry() {
  entryText->dim->x = kLoaderCentreX - entryText->Width() / 2.0f;
}

void TProfileLoader::UpdateText() {
  const int c = GetChar();
  String& entry = entryText->text;
  if (c == kBackspace) {
    if (entry.empty()) return;
    entry.pop_back();
    recomputeNameExists();
  } else if (IsLetterOrDigit(c) || (c == kSpace && !entry.empty())) {
    if (static_cast<int32_t>(entry.size()) < maxNameLength) {
      entry.push_back(static_cast<char16_t>(c));
      entry = Lower(entry);
    }
    recomputeNameExists();
  }
}

void TProfileLoader::recomputeNameExists() {
  nameExists = 0;
  notSaved = 0;
  for (const TextPtr& t : *nameTexts)
    if (t->text == entryText->text) nameExists = 1;
}

bool TProfileLoader::entryValid() const { return nameExists == 0 && !entryText->text.empty(); }

bool TProfileLoader::createProfileFromEntry() {
  int32_t answer = 0;
  CreateNewProfile(entryText->text, &answer);
  // The manager refuses a name another file of the folder already has, or one it cannot use
  // as a file name: the entry stays open and nothing is loaded or remembered.
  if (currentName() == entryText->text && profile && profile->current) return true;
  // A file that could not be written is no fault of the name: the entry stays open and may be
  // confirmed again once the folder takes files.
  if (answer == TProfileManager::kNotWritten) {
    notSaved = 1;
    return false;
  }
  nameExists = 1;
  return false;
}

void TProfileLoader::UpdateList() {
  nameTexts->Clear();
  TListPtr<String> names = profile ? profile->GetProfilesList() : nullptr;
  if (!names) return;
  int32_t i = 0;
  for (const String& name : *names) {
    const float y = kFirstNameY + kNameSpacing * static_cast<float>(i);
    TextPtr t = CreateText(name, CreateDim(kLoaderCentreX, y, 0, 0, 0, 1, 1, 0), TextFont(font),
                           1.0f, 0, 0, 0);
    t->dim->x -= t->Width() / 2.0f;
    nameTexts->AddLast(t);
    ++i;
  }
}

String TProfileLoader::currentName() const {
  return profile && profile->current ? profile->current->name : String();
}

// ---- Drawing ---------------------------------------------------------------------------------

void TProfileLoader::Draw() {
  Cls();
  SetBlend(ALPHABLEND);
  SetTransform(0.0f, 1.0f, 1.0f);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  if (titlePicture) DrawImage(titlePicture(), 0, 0, 0);
  if (mode == kFirstRun) {
    fadeAlpha += kLoaderFadeStep;
    if (fadeAlpha > 1.0f) fadeAlpha = 1.0f;
    SetAlpha(fadeAlpha);
    for (const TextPtr& t : namePrompt) t->alpha = fadeAlpha;
  }
  if (optionsWindow)
    DrawImage(optionsWindow->background, static_cast<float>(optionsWindow->x),
              static_cast<float>(optionsWindow->y), 0);
  drawContent();
  UpdateSparks();
  if (mouse) mouse->Draw();
  Flip(-1);
  PollSystem();
}

void TProfileLoader::drawContent() {
  switch (mode) {
    case kList:
      listMenu->Draw(1.0f);
      drawNameList();
      break;
    case kNewName:
    case kRename:
      confirmMenu->Draw(1.0f);
      drawEntry(namePrompt, nameExists == 1);
      break;
    case kDeleteConfirm:
      confirmMenu->Draw(1.0f);
      drawEntry(deletePrompt, false);
      break;
    case kFirstRun:
      okMenu->Draw(1.0f);
      drawEntry(namePrompt, nameExists == 1);
      break;
    case kLastProfile:
      okMenu->Draw(1.0f);
      for (const TextPtr& t : lastProfileMessage) t->Draw();
      break;
    case kProfileLimit:
      okMenu->Draw(1.0f);
      for (const TextPtr& t : limitMessage) t->Draw();
      break;
    default:
      break;
  }
}

void TProfileLoader::drawNameList() {
  const ImagePtr bar = optionsWindow ? optionsWindow->buttonGlow : nullptr;
  for (const TextPtr& t : *nameTexts) {
    if (t->text == selectedName) {
      SetColor(kBarRed, kBarGreen, kBarBlue);
      SetAlpha(kBarAlpha);
      const float barWidth = static_cast<float>(ImageWidth(bar));
      const float sx = barWidth > 0.0f ? t->Width() / barWidth * kBarWidthFactor : 0.0f;
      SetScale(sx, kBarHeightScale);
      DrawImage(bar, kLoaderCentreX, t->dim->y + kBarDy, 0);
      SetAlpha(1.0f);
      SetScale(1.0f, 1.0f);
    }
    t->Draw();
    SetColor(255, 255, 255);
  }
}

void TProfileLoader::drawEntry(const std::array<TextPtr, 2>& prompt, bool warn) {
  SetColor(kBarRed, kBarGreen, kBarBlue);
  entryText->Draw();
  SetColor(255, 255, 255);
  for (const TextPtr& t : prompt) t->Draw();
  if (notSaved == 1) {
    notSavedText->Draw();
  } else if (warn) {
    nameExistsText->Draw();
  }
}

void TProfileLoader::UpdateSparks() {
  constexpr int32_t kLight = 1;
  // Each spark's gate (and side) is drawn first, then its values, the last argument first.
  if (Rand(0, 1) == 1) {
    const int32_t blue = Rand(100, 200);
    const int32_t green = Rand(100, 200);
    const int32_t red = Rand(150, 200);
    const int32_t life = Rand(20, 50);
    const float scale = static_cast<float>(Rnd(0.3, 0.6));
    SparkPtr s = TSpark::Create(sparkImages[0], 395, 46, scale, life, red, green, blue, kLight, 0);
    const float vy = static_cast<float>(Rnd(-0.7, 0.2));
    const float vx = static_cast<float>(Rnd(-0.5, 0.5));
    s->setVelocity(vx, vy);
  }
  // Then the title's own two: a slow spark over the picture now and then, one at the cursor.
  EmitTitleBurstSpark();
  EmitCursorSpark();
  TSpark::UpdateAll();
}
