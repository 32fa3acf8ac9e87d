// The gallery screen: the visit's frame loop, the cross-fading pictures, the buttons and the
// replay of a picture's puzzle.
#include "program/gallery.h"

#include "services/data_folders.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "program/main_loop.h"
#include "program/start_up.h"
#include "game/levels/slides_manager.h"
#include "play/puzzle/puzzle_manager.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/menu/options_window.h"
#include "program/title_screen.h"
#include "toolkit/button.h"
#include "toolkit/dim.h"
#include "toolkit/image_loaders.h"
#include "toolkit/spark.h"

GalleryPtr gallery;

namespace {

// The exit codes of the visit's loop: below kLeave it runs on.
constexpr int32_t kLeave = 3;
constexpr int32_t kCloseAsked = 4;

// The difficulty screen's buttons.
constexpr int32_t kEasy = 51;
constexpr int32_t kNormal = 52;
constexpr int32_t kHard = 53;
constexpr int32_t kBackFromSizes = 54;

// Columns x rows of the three puzzle sizes, smallest first.
constexpr int32_t kPuzzleSizes[3][2] = {{6, 5}, {8, 6}, {8, 8}};

// Revealed pictures load filtered (and mip-mapped, which changes nothing here).
constexpr int kSlideFlags = FILTEREDIMAGE | MIPMAPPEDIMAGE;
// The wallpaper button needs a system of this version or later.
constexpr int32_t kWallpaperVersion = 5;

void ClickSound() {
  if (globalSnd) globalSnd->click();
}

void DrawCursor() {
  if (mouse) mouse->Draw();
}

// One spark at the mouse, its random draws in this order.
void SparkAtMouse() {
  const int32_t mx = mouse ? mouse->x : 0, my = mouse ? mouse->y : 0;
  const int32_t x = mx + Rand(-2, 2);
  const int32_t y = my + Rand(-2, 2);
  const auto scale = static_cast<float>(Rnd(0.2, 0.6));
  const int32_t life = Rand(20, 50);
  const int32_t red = Rand(150, 200);
  const int32_t green = Rand(100, 200);
  const int32_t blue = Rand(100, 200);
  SparkPtr spark = TSpark::Create(sparkImages[0], x, y, scale, life, red, green, blue, 1, 0);
  const auto vx = static_cast<float>(Rnd(-0.5, 0.5));
  const auto vy = static_cast<float>(Rnd(-0.5, 0.5));
  spark->setVelocity(vx, vy);
}

}  // namespace

void TGallery::updateTitleMusic() {
  if (titleScreen) titleScreen->updateMusic();
}

String TGallery::entry() const {
  if (!pictures || index < 1 || index > pictures->Count()) return String();
  return pictures->ValueAtIndex(index - 1);
}

int32_t TGallery::loadGfx() {
  backgroundPixmap = LoadJPEG2000(bundleDir + "gfx/title/galeria.jp2");
  return 0;
}

int32_t TGallery::loadSlide() {
  const String path = entry();
  incomingSlide = path.empty() ? nullptr : LoadImage(path, kSlideFlags);
  return 0;
}

void TGallery::buildMenu() {
  menu = std::make_shared<TMenu>();
  auto place = [](float x, float y) { return CreateDim(x, y, 0, 0, 0, 1.0f, 1.0f, 0); };
  auto animButton = [&](const char* path, float x, float y, int32_t id) {
    return CreateAnimButton(bundleDir + path, place(x, y), id, 2, 1, 0, 1.0f, -1);
  };
  const ImagePtr previous = optionsWindow ? optionsWindow->arrows[0] : nullptr;
  const ImagePtr next = optionsWindow ? optionsWindow->arrows[1] : nullptr;
  menu->AddItem(CreateImageButton(previous, place(365, 502), kPrevious, 1.0f, 1));
  menu->AddItem(CreateImageButton(next, place(420, 502), kNext, 1.0f, 1));
  menu->AddItem(animButton("gfx/fonts/galeria_03.png", 100, 500, kWallpaper));
  menu->AddItem(animButton("gfx/fonts/galeria_05.png", 600, 497, kPlayPuzzle));
  menu->AddItem(animButton("gfx/fonts/galeria_07.png", 335, 571, kBack));
  if (VersionInfo.versionPart2 < kWallpaperVersion) {
    if (ButtonPtr wallpaper = menu->GetItem(kWallpaper)) wallpaper->visible = 0;
  }
}

int32_t TGallery::Start(int32_t first) {
  background = backgroundPixmap ? LoadImage(backgroundPixmap, -1) : nullptr;
  titleImage = LoadImage(bundleDir + "gfx/fonts/galeria_11.png", -1);
  currentSlide = nullptr;
  incomingSlide = nullptr;
  slideAlpha = 0.0f;
  fade = 0.0f;
  index = first != 0 ? 0 : (index - 1 < 0 ? 0 : index - 1);
  // Read anew at every visit: a picture revealed by a game not kept in the profile goes. With
  // no current profile there is no list, and the gallery shows an empty one.
  TListPtr<String> list = profile ? profile->GetList(u"revealedImages") : nullptr;
  if (!list) list = CreateList<String>();
  if (slides) slides->revealedImages = list;
  pictures = list;
  if (!pictures->IsEmpty()) nextImage();
  buildMenu();
  return 0;
}

int32_t TGallery::Update() {
  slideAlpha += kFadeStep;
  if (slideAlpha > 1.0f) slideAlpha = 1.0f;
  fade -= kFadeStep;
  if (fade < 0.0f) fade = 0.0f;
  if (fade == 0.0f && incomingSlide) {
    currentSlide = incomingSlide;
    incomingSlide = nullptr;
  }
  return 0;
}

int32_t TGallery::Draw() {
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetScale(kSlideScale, kSlideScale);
  if (fade == 0.0f) {
    SetAlpha(slideAlpha);
    if (currentSlide) DrawImage(currentSlide, kSlideX, kSlideY, 0);
  } else {
    SetAlpha(fade);
    if (currentSlide) DrawImage(currentSlide, kSlideX, kSlideY, 0);
    SetAlpha(1.0f - fade);
    if (incomingSlide) DrawImage(incomingSlide, kSlideX, kSlideY, 0);
  }
  SetTransform(0.0f, 1.0f, 1.0f);
  SetAlpha(1.0f);
  if (background) DrawImage(background, 0, 0, 0);
  if (titleImage) DrawImage(titleImage, 347, 8, 0);
  SetAlpha(1.0f);
  SetScale(1.0f, 1.0f);
  if (menu) menu->Draw(1.0f);
  return 0;
}

int32_t TGallery::nextImage() {
  if (!pictures || pictures->IsEmpty() || fade != 0.0f) return 0;
  if (++index > pictures->Count()) index = 1;
  fade = 1.0f;
  updateTitleMusic();
  loadSlide();
  updateTitleMusic();
  return 0;
}

int32_t TGallery::prevImage() {
  if (!pictures || pictures->IsEmpty() || fade != 0.0f) return 0;
  if (--index < 1) index = pictures->Count();
  fade = 1.0f;
  loadSlide();
  return 0;
}

int32_t TGallery::show() {
  Start(1);
  updateTitleMusic();
  int32_t exitCode = 0;
  while (exitCode < kLeave) {
    if (mouse) mouse->fetchState();
    Cls();
    Update();
    Draw();
    SparkAtMouse();
    TSpark::UpdateAll();
    DrawCursor();
    Flip(-1);
    switch (menu ? menu->State() : 0) {
      case kPrevious:
        ClickSound();
        prevImage();
        break;
      case kNext:
        ClickSound();
        nextImage();
        break;
      case kPlayPuzzle:
        ClickSound();
        playPuzzles();
        // The animated buttons answer while held: the press that chose must not count again.
        FlushMouse();
        break;
      case kWallpaper:
        SetWallpaper();
        break;
      case kBack:
        ClickSound();
        exitCode = kLeave;
        break;
      case kFullscreen:
        if (currentSlide) {
          ClickSound();
          if (showFullscreen() == 1) exitCode = kCloseAsked;
        }
        break;
      default:
        break;
    }
    if (AppTerminate() != 0) exitCode = kCloseAsked;
    PollSystem();
    updateTitleMusic();
  }
  if (exitCode == kCloseAsked) End();
  finish();
  if (optionsWindow) {
    optionsWindow->SetState(TOptionsWindow::kMainMenu, 1, TOptionsWindow::kOriginX,
                            TOptionsWindow::kOriginY);
    optionsWindow->levelMusic = titleScreen ? titleScreen->music : nullptr;
  }
  PollSystem();
  return 0;
}

int32_t TGallery::showFullscreen() {
  FlushMouse();
  if (!pictures || pictures->IsEmpty()) return 0;
  while (MouseHit(1) == 0) {
    Cls();
    if (currentSlide) DrawImage(currentSlide, 0, 0, 0);
    PollSystem();
    Flip(-1);
    updateTitleMusic();
    if (AppTerminate() != 0) return 1;
  }
  return 0;
}

int32_t TGallery::playPuzzles() {
  if (index == 0) return 0;
  optionsWindow->SetState(TOptionsWindow::kPuzzleSize, 1, TOptionsWindow::kOriginX,
                          TOptionsWindow::kOriginY);
  int32_t size = 0;
  bool closeAsked = false;
  while (size == 0 && !closeAsked) {
    if (mouse) mouse->fetchState();
    Cls();
    Update();
    Draw();
    optionsWindow->Update();
    optionsWindow->Draw();
    DrawCursor();
    switch (optionsWindow->result) {
      case kEasy: size = 1; break;
      case kNormal: size = 2; break;
      case kHard: size = 3; break;
      // Unflipped; the difficulty screen stays set until the window's next SetState.
      case kBackFromSizes: return 0;
      default: break;
    }
    PollSystem();
    Flip(-1);
    if (AppTerminate() != 0) closeAsked = true;
    updateTitleMusic();
  }
  if (closeAsked) End();
  optionsWindow->freeState();
  finish();
  // A replay always starts anew, never from the game saved in the profile.
  const int32_t savedReadFromProfile = readFromProfile;
  readFromProfile = 0;
  if (puzzle) {
    puzzle->width = kPuzzleSizes[size - 1][0];
    puzzle->height = kPuzzleSizes[size - 1][1];
    puzzle->musicPath = FromPath(bundleDir + "sfx/glyphor-puzzle.ogg");
  }
  if (titleScreen) titleScreen->stopMusic();
  if (puzzle) puzzle->show(0, entry(), 1);
  readFromProfile = savedReadFromProfile;
  if (titleScreen) titleScreen->playMusic();
  TSpark::destroyAll();
  Start(0);
  return 0;
}

int32_t TGallery::finish() {
  background = nullptr;
  menu = nullptr;
  currentSlide = nullptr;
  incomingSlide = nullptr;
  return 0;
}

int32_t TGallery::SetWallpaper() { return 0; }
