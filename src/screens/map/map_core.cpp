#include "screens/map/map_core.h"

#include "services/data_folders.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "datafiles/bca_archive.h"
#include "game/levels/level_sequencer.h"
#include "platform/image_font.h"
#include "platform/input.h"
#include "platform/system.h"
#include "toolkit/font.h"

MapCorePtr map;

namespace {

// Where the fixed parts of the screen stand.
constexpr float kHeaderTextX = 400.0f;   // replaced by the header layout on every showing
constexpr float kHeaderTextY = 564.0f;
constexpr float kHeaderWordY = 572.0f;
constexpr float kHeaderCentreX = 392.0f;
constexpr int32_t kHeaderGap = 7;        // pixels between neighbouring header pieces
constexpr float kMapMenuButtonX = 194.0f, kPlayButtonX = 520.0f, kButtonY = 566.0f;
constexpr int kDarkenedHover = 2;
constexpr float kEditorLabelX = 500.0f, kEditorLabelY = 50.0f;

// Each fade lasts this long; a fade ends in the first pass past it.
constexpr float kFadeMs = 250.0f;

const char* const kMapMusic = "sfx/glyphor-map.ogg";

void MidHandleIfLoaded(const ImagePtr& image) {
  if (image) MidHandleImage(image);
}

// A header number text: empty until Show fills it, top-left at (400, 564).
TextPtr HeaderText() {
  const FontPtr textFont = fonts.size() > 1 ? fonts[1] : nullptr;
  return CreateText(String(), CreateDim(kHeaderTextX, kHeaderTextY, 0, 0, 0, 1.0f, 1.0f, 0),
                    textFont, 1.0f, 0, 0.0f, 0.0f);
}

ButtonPtr MapButton(const char* picture, float x, int id) {
  return CreateImageButton(bundleDir + picture, CreateDim(x, kButtonY, 0, 0, 0, 1.0f, 1.0f, 0),
                           id, 1.0f, kDarkenedHover);
}

// A number read from the map file: its first value, cut toward zero.
int32_t MapNumber(const TSCFilePtr& file, const String& path, const char* key) {
  return GetTSCWholeNumberKey(file, path, S(key), 0);
}

}  // namespace

TMapCore::TMapCore()
    : levels(CreateList<MapLevelPtr>()),
      stages(CreateList<MapStagePtr>()),
      buttons(std::make_shared<TMenu>()) {}

ImagePtr TMapCore::loadPicture(const std::string& path) {
  ImagePtr image = LoadImage(bundleDir + path, DEFAULT_IMAGE_FLAGS);
  if (!image) ReportMissingMapPicture(bundleDir + path);
  return image;
}

void TMapCore::Load() {
  backgroundImage = loadPicture("gfx/mapa/mapa.jpg");
  glowImages[0] = loadPicture("gfx/mapa/k1c.png");
  glowImages[1] = loadPicture("gfx/mapa/k2c.png");
  glowImages[2] = loadPicture("gfx/mapa/k3c.png");
  headerImages[0] = loadPicture("gfx/mapa/level.png");
  headerImages[1] = loadPicture("gfx/mapa/of.png");
  kindImages[0][0] = loadPicture("gfx/mapa/k1b.png");
  kindImages[0][1] = loadPicture("gfx/mapa/k1.png");
  // Kinds 2 and 4 look like kind 1: the same picture objects, not copies.
  kindImages[1] = kindImages[0];
  kindImages[3] = kindImages[0];
  kindImages[2][0] = loadPicture("gfx/mapa/k2b.png");
  kindImages[2][1] = loadPicture("gfx/mapa/k2.png");
  kindImages[4][0] = loadPicture("gfx/mapa/k3b.png");
  kindImages[4][1] = loadPicture("gfx/mapa/k3.png");
  // Markers and glows are placed by their centres; everything else by its top-left corner.
  for (const auto& row : kindImages) {
    MidHandleIfLoaded(row[0]);
    MidHandleIfLoaded(row[1]);
  }
  for (const ImagePtr& glow : glowImages) MidHandleIfLoaded(glow);

  headerTexts[0] = HeaderText();
  headerTexts[1] = HeaderText();
  buttons->AddItem(MapButton("gfx/fonts/menu_mapa.png", kMapMenuButtonX, kMapMenuButton));
  buttons->AddItem(MapButton("gfx/fonts/play_mapa.png", kPlayButtonX, kMapPlayButton));

  // An archive without the entry, or with a damaged one, leaves the map without markers.
  TSCFilePtr file = CreateTSCFile();
  LoadTSCFileBB(file, bundleDir + "data/settings_lp.bca", S("map.tsc"));
  readMap(file);
}

void TMapCore::readMap(const TSCFilePtr& file) {
  // Keep the group lists in variables: the store hands out lists that only the caller holds.
  TListPtr<TSCGroupPtr> levelGroups = GetTSCGroupList(file, S("Levels"));
  for (const TSCGroupPtr& group : *levelGroups) {
    const String path = S("Levels::") + group->name;
    const int32_t number = MapNumber(file, path, "Number");
    const int32_t stage = MapNumber(file, path, "Stage");
    const int32_t kind = MapNumber(file, path, "Kind");
    const int32_t x = MapNumber(file, path, "X");
    const int32_t y = MapNumber(file, path, "Y");
    AddLevel(number, stage, kind, x, y);
  }
  TListPtr<TSCGroupPtr> stageGroups = GetTSCGroupList(file, S("Stages"));
  for (const TSCGroupPtr& group : *stageGroups) {
    const String path = S("Stages::") + group->name;
    const int32_t number = MapNumber(file, path, "Number");
    const String image = GetTSCStringKey(file, path, S("Image"), 0);
    const int32_t x = MapNumber(file, path, "X");
    const int32_t y = MapNumber(file, path, "Y");
    AddStage(number, image, x, y);
  }
}

void TMapCore::AddLevel(int32_t number, int32_t stage, int32_t kind, int32_t x, int32_t y) {
  if (kind < 1 || kind > kMapKindCount) return;
  const auto& pictures = kindImages[static_cast<size_t>(kind - 1)];
  levels->AddLast(TMapLevel::Create(number, stage, kind, x, y, pictures[0], pictures[1]));
}

void TMapCore::AddStage(int32_t number, const String& imagePath, int32_t x, int32_t y) {
  stages->AddLast(TMapStage::Create(number, imagePath, x, y));
}

int32_t TMapCore::Draw() {
  // The texts and buttons draw at an alpha of their own: give them the fade's.
  for (int i = 0; i < 2; ++i)
    if (headerTexts[static_cast<size_t>(i)]) headerTexts[static_cast<size_t>(i)]->alpha = fadeAlpha;
  for (int id : {kMapMenuButton, kMapPlayButton})
    if (ButtonPtr button = buttons->GetItem(id)) button->extraValue = fadeAlpha;

  Cls();
  SetAlpha(fadeAlpha);
  DrawMapPicture(backgroundImage, 0.0f, 0.0f);
  if (headerTexts[0]) headerTexts[0]->Draw();
  if (headerTexts[1]) headerTexts[1]->Draw();
  SetAlpha(fadeAlpha);
  DrawMapPicture(headerImages[1], static_cast<float>(headerX[1]), kHeaderWordY);
  DrawMapPicture(headerImages[0], static_cast<float>(headerX[0]), kHeaderWordY);
  buttons->Draw(fadeAlpha);
  for (const MapLevelPtr& marker : *levels) marker->Draw(currentLevel, fadeAlpha);
  // Stage pictures lie over the markers (they are clear where a marker stands).
  for (const MapStagePtr& stage : *stages) stage->Draw(currentStage, fadeAlpha);
  // The cursor leaves alpha blending, white, no rotation and scale 1 for the next frame.
  if (mouse) mouse->Draw();
  SetAlpha(1.0f);
  if (editMode != 0) {
    DrawText(S("Level.Stage ") + FromInt(currentStage), kEditorLabelX, kEditorLabelY);
  }
  PollSystem();
  Flip(-1);
  return 0;
}

void TMapCore::layoutHeader() {
  const int32_t wordLevel = ImageWidth(headerImages[0]);
  const int32_t wordOf = ImageWidth(headerImages[1]);
  const TextPtr& current = headerTexts[0];
  const TextPtr& last = headerTexts[1];
  const float currentWidth = current ? current->Width() : 0.0f;
  const float lastWidth = last ? last->Width() : 0.0f;
  // Float sums in this order: the rounding of the centre depends on it.
  float width = static_cast<float>(wordLevel + kHeaderGap);
  width += currentWidth;
  width += static_cast<float>(kHeaderGap);
  width += static_cast<float>(wordOf);
  width += static_cast<float>(kHeaderGap);
  width += lastWidth;
  headerX[0] = static_cast<int32_t>(kHeaderCentreX - width / 2.0f);
  const float currentX = static_cast<float>(headerX[0] + wordLevel + kHeaderGap);
  if (current && current->dim) current->dim->x = currentX;
  headerX[1] = static_cast<int32_t>(currentX + currentWidth + static_cast<float>(kHeaderGap));
  if (last && last->dim) last->dim->x = static_cast<float>(headerX[1] + wordOf + kHeaderGap);
}

int32_t TMapCore::Show(int32_t finishedLevel) {
  if (finishedLevel < 0) return kMapPlayOn;
  SetBlend(ALPHABLEND);
  SetScale(1.0f, 1.0f);
  // The level after the largest one there can be is that level itself.
  currentLevel = finishedLevel < INT32_MAX ? finishedLevel + 1 : INT32_MAX;
  for (const MapLevelPtr& marker : *levels) {
    if (marker->number == currentLevel) {
      currentStage = marker->stage;
      break;
    }
  }
  fadeStart = MilliSecs();
  fadeState = kMapFadingIn;
  fadeAlpha = 0.0f;
  finished = 0;
  music = playMusicStream(bundleDir + kMapMusic, 1, 1.0f);
  music->update();
  if (headerTexts[1]) headerTexts[1]->text = FromInt(sequencer ? sequencer->lastLevel : 0);
  if (headerTexts[0]) headerTexts[0]->text = FromInt(currentLevel);
  layoutHeader();
  if (editMode != 0) discardEditorKeys();

  for (;;) {
    if (AppTerminate()) quitProgram();
    music->update();
    if (mouse) mouse->fetchState();
    Draw();
    fadeStep();
    choiceStep();
    if (finished != 0) {
      music->stop();
      music->free();
      return result;
    }
    if (editMode != 0) editorStep();
  }
}

void TMapCore::fadeStep() {
  if (fadeState == kMapFadingIn) {
    fadeAlpha = static_cast<float>(ElapsedMs(MilliSecs(), fadeStart)) / kFadeMs;
    if (fadeAlpha > 1.0f) {
      fadeAlpha = 1.0f;
      fadeState = kMapShown;
    }
  }
  if (fadeState == kMapFadingOut) {
    fadeAlpha = 1.0f - static_cast<float>(ElapsedMs(MilliSecs(), fadeStart)) / kFadeMs;
    if (fadeAlpha < 0.0f) finished = 1;
    if (fadeAlpha > 0.0f) music->setVolume(fadeAlpha * (options ? options->musicVol : 0.0f));
  }
}

void TMapCore::choiceStep() {
  // Only while the map is fully shown. A click on a button is also a click anywhere: the button
  // is asked first, and its fade-out ends the choice, so one click plays one sound.
  if (fadeState == kMapShown) {
    const int choice = buttons->State();
    if (choice == kMapMenuButton) startFadeOut(kMapBackToMenu);
    if (choice == kMapPlayButton) startFadeOut(kMapPlayOn);
  }
  if (fadeState == kMapShown && mouse && mouse->hit1 != 0) startFadeOut(kMapPlayOn);
}

void TMapCore::startFadeOut(int32_t choice) {
  if (globalSnd) globalSnd->click();
  result = choice;
  fadeState = kMapFadingOut;
  fadeStart = MilliSecs();
}

void TMapCore::quitProgram() {
  music->stop();
  music->free();
  music = nullptr;
  End();
}
