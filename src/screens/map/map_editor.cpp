// The map editor of TMapCore: keyboard moves, kinds, level stepping and saving the map file.
#include <cstdint>
#include <set>

#include "platform/input.h"
#include "platform/text.h"
#include "screens/map/map_core.h"

namespace {

// A marker moves by a tenth of a pixel per frame, with left Shift by a whole pixel; a stage
// picture, placed by whole pixels, by one pixel per frame either way.
constexpr float kMarkerFineStep = 0.1f;
constexpr float kMarkerCoarseStep = 1.0f;
constexpr int32_t kStageStep = 1;

// "Level" + the number, as long as no group of this save has that name yet and the number has
// no minus sign (a name the reader cannot read). Otherwise the sign is written "_" and "_2",
// "_3", ... is added until the name is free. Names compare as the reader compares them.
String UniqueGroupName(const char* prefix, int32_t number, std::set<String>& used) {
  String base = S(prefix) + FromInt(number);
  for (char16_t& c : base)
    if (c == u'-') c = u'_';
  String name = base;
  for (int64_t suffix = 2; used.count(Lower(name)) != 0; ++suffix) name = base + u"_" + FromInt(suffix);
  used.insert(Lower(name));
  return name;
}

}  // namespace

void TMapCore::discardEditorKeys() {
  for (int key : {KEY_K, KEY_1, KEY_2, KEY_S}) KeyHit(key);
}

void TMapCore::editorStep() {
  // The selection is made afresh every step and lives for this step only.
  MapLevelPtr marker;
  for (const MapLevelPtr& m : *levels) {
    if (m->number == currentLevel) {
      marker = m;
      break;
    }
  }
  MapStagePtr stage;
  if (marker) {
    if (headerTexts[0]) headerTexts[0]->text = FromInt(marker->number);
    for (const MapStagePtr& s : *stages) {
      if (s->number == marker->stage) {
        stage = s;
        currentStage = s->number;
        break;
      }
    }
  }
  moveSelection(marker, stage);
  // Each key acts once however many presses were counted; each count is read once per step.
  if (KeyHit(KEY_K)) cycleKind(marker);
  stepLevel();
  if (KeyHit(KEY_S)) saveMap(kMapEditorFile);
}

void TMapCore::moveSelection(const MapLevelPtr& marker, const MapStagePtr& stage) {
  const bool control = KeyDown(KEY_LCONTROL) != 0;
  const bool shift = KeyDown(KEY_LSHIFT) != 0;
  if (control) {
    if (!stage) return;
    if (KeyDown(KEY_UP)) stage->y -= kStageStep;
    if (KeyDown(KEY_DOWN)) stage->y += kStageStep;
    if (KeyDown(KEY_LEFT)) stage->x -= kStageStep;
    if (KeyDown(KEY_RIGHT)) stage->x += kStageStep;
    return;
  }
  if (!marker) return;
  // Each step is a float sum stored as a float: fine steps carry the float's rounding along.
  const float step = shift ? kMarkerCoarseStep : kMarkerFineStep;
  if (KeyDown(KEY_UP)) marker->y = marker->y - step;
  if (KeyDown(KEY_DOWN)) marker->y = marker->y + step;
  if (KeyDown(KEY_LEFT)) marker->x = marker->x - step;
  if (KeyDown(KEY_RIGHT)) marker->x = marker->x + step;
}

void TMapCore::cycleKind(const MapLevelPtr& marker) {
  if (!marker) return;
  int32_t kind = marker->kind + 1;
  // Kinds run 1..5 and round again; a marker can hold no other (the map drops them on reading).
  if (kind > kMapKindCount || kind < 1) kind = 1;
  marker->kind = kind;
  const auto& pictures = kindImages[static_cast<size_t>(kind - 1)];
  marker->image = pictures[0];
  marker->doneImage = pictures[1];
}

void TMapCore::stepLevel() {
  // Counted wide, so that stepping past the largest level there can be wraps as it should.
  int64_t level = currentLevel;
  if (KeyHit(KEY_1)) --level;
  if (KeyHit(KEY_2)) ++level;
  // Bounded by the number of markers, not by their numbers, in every step.
  const int64_t count = levels->Count();
  if (level > count) level = 1;
  if (level < 1) level = count;
  currentLevel = static_cast<int32_t>(level);
}

TSCFilePtr TMapCore::editorStore() {
  TSCFilePtr file = CreateTSCFile();
  std::set<String> used;
  CreateTSCGroup(file, String(), S("Levels"));
  for (const MapLevelPtr& m : *levels) {
    const String name = UniqueGroupName("Level", m->number, used);
    CreateTSCGroup(file, S("Levels"), name);
    const String path = S("Levels::") + name;
    SetTSCNumberKey(file, path, S("Number"), static_cast<float>(m->number), 0);
    SetTSCNumberKey(file, path, S("Stage"), static_cast<float>(m->stage), 0);
    SetTSCNumberKey(file, path, S("Kind"), static_cast<float>(m->kind), 0);
    SetTSCNumberKey(file, path, S("X"), m->x, 0);
    SetTSCNumberKey(file, path, S("Y"), m->y, 0);
  }
  CreateTSCGroup(file, String(), S("Stages"));
  for (const MapStagePtr& s : *stages) {
    const String name = UniqueGroupName("Stage", s->number, used);
    CreateTSCGroup(file, S("Stages"), name);
    const String path = S("Stages::") + name;
    SetTSCNumberKey(file, path, S("Number"), static_cast<float>(s->number), 0);
    SetTSCStringKey(file, path, S("Image"), s->imagePath, 0);
    SetTSCNumberKey(file, path, S("X"), static_cast<float>(s->x), 0);
    SetTSCNumberKey(file, path, S("Y"), static_cast<float>(s->y), 0);
  }
  return file;
}

bool TMapCore::saveMap(const std::string& path) {
  if (editorStore()->Save(path)) return true;
  Print(S("The map could not be saved to ") + FromPath(path));
  return false;
}
