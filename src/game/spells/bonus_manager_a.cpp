// Spells on the board: placing, setting off, casting, the chain's caption, drawing.
#include "game/spells/bonus_manager_a.h"

#include <algorithm>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/sfx.h"
#include "game/board/board_manager.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/points_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/volcano_emiter.h"
#include "platform/system.h"

BunusManagerAPtr bonusManagerAlt;

namespace {

// What each kind is: its delay from set off to cast and the block freeze of its cast (ms).
struct KindTimes {
  int32_t delay;
  int32_t duration;
};
constexpr std::array<KindTimes, 7> kTimes = {{
    {0, 0},
    {600, 1100},  // holy fire
    {500, 800},   // vanish
    {600, 1000},  // bomb
    {600, 1000},  // drain
    {600, 1000},  // heal
    {600, 1000},  // teleport
}};

constexpr const char* kIconFiles[7] = {
    nullptr,
    "gfx/bonusy/mag_06.png",
    "gfx/bonusy/mag_03.png",
    "gfx/bonusy/mag_04.png",
    "gfx/bonusy/mag_01.png",
    "gfx/bonusy/mag_05.png",
    "gfx/bonusy/mag_02.png",
};
constexpr const char* kCaptionFiles[7] = {
    "gfx/fonts/bonus-multibonus.png", "gfx/fonts/spell-holyfire.png",
    "gfx/fonts/spell-vanish.png",     "gfx/fonts/spell-bomb.png",
    "gfx/fonts/spell-drain.png",      "gfx/fonts/spell-heal.png",
    "gfx/fonts/spell-teleport.png",
};
// Sound slots 1..6 are the kinds' cast sounds; 7 and 8 the bomb's other two.
constexpr const char* kSoundFiles[9] = {
    nullptr,
    "sfx/fx/playgame-magic-1-fire.ogg",
    "sfx/fx/playgame-magic-3-rndcolor.ogg",
    "sfx/fx/playgame-magic-5-firebomb.ogg",
    "sfx/fx/playgame-magic-2-removecolor.ogg",
    "sfx/fx/playgame-magic-4-removeblocks.ogg",
    "sfx/fx/playgame-magic-7-swirlcolor.ogg",
    "sfx/fx/playgame-magic-5-firebomb2.ogg",
    "sfx/fx/playgame-magic-5-firebomb3.ogg",
};
constexpr const char* kGlowFiles[4] = {
    "gfx/bonusy/posw2a.png",
    "gfx/bonusy/posw2b.png",
    "gfx/bonusy/posw2a-duza.png",
    "gfx/bonusy/posw2b-duza.png",
};
constexpr int32_t kIconFlags = MASKEDIMAGE | FILTEREDIMAGE;
constexpr int32_t kBombFirstSoundSlot = 3;
constexpr int32_t kBombOtherSoundFirst = 7;
constexpr int32_t kBombOtherSoundLast = 8;

// The chain caption's place is kept within these bounds, and its parts' offsets.
constexpr int32_t kCaptionMaxX = 550;
constexpr int32_t kCaptionMinY = 100;
constexpr int32_t kCaptionMaxY = 500;
constexpr int32_t kCaptionPointsDy = -40;
constexpr int32_t kCaptionImageDx = 100;
constexpr int32_t kCaptionImageDy = 60;

// Drawing of a spell: its fade-in a frame, its glow's swing per unit of delta, the spin-out's
// turn, growth and fade over the delay, and the glow pictures' offsets from the cell.
constexpr float kFadeInStep = 0.05f;
constexpr float kGlowStep = 0.025f;
constexpr float kSpinDegrees = 270.0f;
constexpr float kSpinGrowth = 0.5f;
constexpr float kSpinFade = 0.5f;
constexpr int32_t kSmallCell = 32;
constexpr int32_t kSmallGlowOffset = 9;
constexpr int32_t kLargeGlowOffset = 14;

const String kHealText = u"5";

bool ValidKind(int32_t kind) { return kind >= 1 && kind <= TBunusManagerA::kKinds; }

int32_t CentreX(const TBonusA& spell) {
  const int32_t cs = BoardCellSize();
  return (board ? board->originX : 0) + cs * spell.cellX + cs / 2;
}

int32_t CentreY(const TBonusA& spell) {
  const int32_t cs = BoardCellSize();
  return (board ? board->originY : 0) + cs * spell.cellY + cs / 2;
}

}  // namespace

// ---- One spell ---------------------------------------------------------------------------------

std::shared_ptr<TBonusA> TBonusA::Create(int32_t x, int32_t y, int32_t kind, int32_t colour) {
  auto spell = std::make_shared<TBonusA>();
  spell->cellX = x;
  spell->cellY = y;
  spell->kind = kind;
  spell->colour = colour;
  return spell;
}

void TBonusA::SetImages(const ImagePtr& newIcon, const std::array<ImagePtr, 4>& glow) {
  icon = newIcon;
  images = glow;
}

void TBonusA::SetTimes(int32_t newDelay, int32_t newDuration) {
  delay = newDelay;
  duration = newDuration;
}

void TBonusA::Draw() {
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  const int32_t cs = BoardCellSize();
  const int32_t ox = board ? board->originX : 0;
  const int32_t oy = board ? board->originY : 0;
  // The fade-in counts calls; the glow follows delta.
  fadeIn = std::min(fadeIn + kFadeInStep, 1.0f);
  const float glowStep = kGlowStep * static_cast<float>(delta);
  alpha += alphaRising == 1 ? glowStep : -glowStep;
  if (alpha > 1.0f) {
    alpha = 1.0f;
    alphaRising = 0;
  }
  if (alpha < 0.0f) {
    alpha = 0.0f;
    alphaRising = 1;
  }
  const float cellScale = static_cast<float>(cs) / static_cast<float>(kSmallCell);
  const auto cx = static_cast<float>(CentreX(*this));
  const auto cy = static_cast<float>(CentreY(*this));
  if (active == 0) {
    SetAlpha(fadeIn);
    SetScale(cellScale, cellScale);
  } else {
    // The spin-out follows the clock over the delay.
    const float t = delay != 0 ? static_cast<float>(ElapsedMs(MilliSecs(), activatedAt)) /
                                     static_cast<float>(delay)
                               : 1.0f;
    SetAlpha(1.0f - kSpinFade * t);
    SetRotation(kSpinDegrees * t);
    SetScale(cellScale + kSpinGrowth * t, cellScale + kSpinGrowth * t);
  }
  DrawImage(icon, cx, cy, 0);
  SetScale(1.0f, 1.0f);
  SetRotation(0.0f);
  if (active != 0) return;
  const bool small = cs == kSmallCell;
  const int32_t offset = small ? kSmallGlowOffset : kLargeGlowOffset;
  const size_t first = small ? 0 : 2;
  const auto gx = static_cast<float>(ox + cs * cellX - offset);
  const auto gy = static_cast<float>(oy + cs * cellY - offset);
  SetAlpha(alpha * fadeIn);
  DrawImage(images[first], gx, gy, 0);
  SetAlpha((1.0f - alpha) * fadeIn);
  DrawImage(images[first + 1], gx, gy, 0);
}

void TBonusA::Update() {}

void TBonusA::Activate() {
  activatedAt = MilliSecs();
  active = 1;
}

int32_t TBonusA::CanGo() { return ElapsedMs(MilliSecs(), activatedAt) > delay ? 1 : 0; }

// ---- The manager -------------------------------------------------------------------------------

void TBunusManagerA::LoadResources() {
  for (int32_t kind = 1; kind <= kKinds; ++kind) {
    ImagePtr& icon = icons[static_cast<size_t>(kind)];
    icon = LoadImage(bundleDir + kIconFiles[kind], kIconFlags);
    if (icon) SetImageHandle(icon, static_cast<float>(ImageWidth(icon) / 2),
                             static_cast<float>(ImageHeight(icon) / 2));
  }
  for (size_t slot = 0; slot < captionImages.size(); ++slot) {
    captionImages[slot] = LoadImage(bundleDir + kCaptionFiles[slot], kIconFlags);
    if (captionImages[slot]) MidHandleImage(captionImages[slot]);
  }
  for (size_t slot = 1; slot < sounds.size(); ++slot)
    sounds[slot] = LoadSound(bundleDir + kSoundFiles[slot], 0);
  for (size_t slot = 0; slot < extraImages.size(); ++slot)
    extraImages[slot] = LoadImage(bundleDir + kGlowFiles[slot], DEFAULT_IMAGE_FLAGS);
}

int32_t TBunusManagerA::GetRandomPlace(int32_t& x, int32_t& y, int32_t& colour) {
  if (!board) return 0;
  struct Candidate {
    int32_t x, y, colour;
  };
  std::vector<Candidate> candidates;
  for (int32_t cx = 0; cx < kBoardCells; ++cx) {
    for (int32_t cy = 0; cy < kBoardCells; ++cy) {
      const auto c = static_cast<size_t>(cx);
      const auto r = static_cast<size_t>(cy);
      const int32_t id = board->runeIds[c][r];
      if (board->usable[c][r] == 0 || id == 0) continue;
      // A rune the catalogue does not know is no stone.
      RunePtr rune = runes ? runes->_findRuneByID(FromInt(id)) : nullptr;
      if (rune && rune->blocked != 0) continue;
      if (FindBonus(cx, cy) != 0) continue;
      // Nor is a rune without a colour: a drain placed on it would drain the empty cells.
      if (board->colours[c][r] == 0) continue;
      candidates.push_back({cx, cy, board->colours[c][r]});
    }
  }
  if (candidates.empty()) return 0;
  const Candidate& pick =
      candidates[static_cast<size_t>(Rand(0, static_cast<int32_t>(candidates.size()) - 1))];
  x = pick.x;
  y = pick.y;
  colour = pick.colour;
  return 1;
}

int32_t TBunusManagerA::FindBonus(int32_t x, int32_t y) {
  BonusAPtr spell = GetBonus(x, y);
  return spell ? spell->kind : 0;
}

BonusAPtr TBunusManagerA::GetBonus(int32_t x, int32_t y) {
  for (const BonusAPtr& spell : *boardSpells)
    if (spell->cellX == x && spell->cellY == y) return spell;
  return nullptr;
}

void TBunusManagerA::AddBonus(int32_t kind) {
  if (!level) return;
  const TListPtr<String>& allowed = level->availableSpells;
  const int32_t count = allowed ? allowed->Count() : 0;
  if (kind == 0) {
    if (count == 0) return;
    kind = ToInt(allowed->ValueAtIndex(Rand(0, count - 1)));
  }
  if (kind == kHeal && StonesOnBoard() == 0) {
    // Nothing to heal: another kind of the level's list, if it has one.
    if (count < 2) return;
    std::vector<String> others;
    for (const String& entry : *allowed)
      if (entry != kHealText) others.push_back(entry);
    if (others.empty()) return;
    kind = ToInt(others[static_cast<size_t>(Rand(0, static_cast<int32_t>(others.size()) - 1))]);
  }
  int32_t x = 0;
  int32_t y = 0;
  int32_t colour = 0;
  if (GetRandomPlace(x, y, colour) == 0) return;
  ++level->receivedSpells;
  AddBonusExt(kind, x, y, colour);
}

void TBunusManagerA::AddBonusExt(int32_t kind, int32_t x, int32_t y, int32_t colour) {
  if (!ValidKind(kind)) return;
  BonusAPtr spell = TBonusA::Create(x, y, kind, kind == kDrain ? colour : 0);
  spell->SetImages(icons[static_cast<size_t>(kind)], extraImages);
  const KindTimes& times = kTimes[static_cast<size_t>(kind)];
  spell->SetTimes(times.delay, times.duration);
  boardSpells->AddLast(spell);
}

int32_t TBunusManagerA::castEffect(const TBonusA& spell) {
  switch (spell.kind) {
    case kHolyFire:
      return BonusRemoveCross(spell.cellX, spell.cellY);
    case kVanish:
      return BonusRemoveRandomColors(spell.cellX, spell.cellY);
    case kBomb:
      return BonusRemoveBlock(spell.cellX, spell.cellY);
    case kDrain:
      return BonusRemoveColor(spell.colour, spell.cellX, spell.cellY);
    case kHeal:
      BonusHeal();
      return 0;
    case kTeleport:
      return 0;
    default:
      return 0;
  }
}

void TBunusManagerA::playCastSound(int32_t kind) {
  int32_t slot = kind;
  if (kind == kBomb)
    slot = Rand(0, 2) == 0 ? kBombFirstSoundSlot : Rand(kBombOtherSoundFirst, kBombOtherSoundLast);
  if (slot >= 1 && slot < static_cast<int32_t>(sounds.size()))
    playSound2(sounds[static_cast<size_t>(slot)], nullptr, 0);
}

void TBunusManagerA::Update() {
  for (const BonusAPtr& spell : *boardSpells) spell->Update();
  for (const BonusAPtr& spell : *activeSpells) {
    spell->Update();
    if (spell->CanGo() != 1) continue;
    const BonusAPtr keep = spell;
    // The effect's random draws come before the sound's.
    const int32_t removed = castEffect(*keep);
    playCastSound(keep->kind);
    if (keep->kind == kTeleport) teleportProgress = 0.0f;
    castCells += removed;
    castPoints += kPointsPerRune * removed;
    if (points) points->add(kPointsPerRune * removed);
    if (blocks) blocks->Freze(keep->duration);
    activeSpells->Remove(keep);
  }
  if (activeSpells->IsEmpty() && captionKind != 0) {
    showChainCaption();
    captionKind = 0;
  }
  if (teleportProgress < 1.0f) BonusReplacer(teleportProgress, teleportCells);
}

void TBunusManagerA::showChainCaption() {
  // Shown when the freeze of the last cast ends.
  const int32_t wait = blocks ? blocks->ToDefreze() : 0;
  TCaptions::addCaption(TCaptions::kPoints, castPoints, captionX, captionY + kCaptionPointsDy,
                        1.0f, 0, wait, nullptr);
  TCaptions::addCaption(TCaptions::kMatch, castCells, captionX, captionY, 1.0f, 0, wait, nullptr);
  const size_t slot = captionKind > 0 && captionKind <= kKinds ? static_cast<size_t>(captionKind)
                                                               : 0;
  TCaptions::addCaption(TCaptions::kImage, castColours, captionX + kCaptionImageDx,
                        captionY + kCaptionImageDy, 1.0f, 0, wait, captionImages[slot]);
}

void TBunusManagerA::Draw() {
  for (const BonusAPtr& spell : *boardSpells) spell->Draw();
  for (const BonusAPtr& spell : *activeSpells) spell->Draw();
}

void TBunusManagerA::Clear(int32_t x, int32_t y) {
  for (const BonusAPtr& spell : *boardSpells) {
    if (spell->cellX != x || spell->cellY != y) continue;
    const BonusAPtr keep = spell;
    activeSpells->AddLast(keep);
    boardSpells->Remove(keep);
    keep->Activate();
    if (level) ++level->spellsCast;
  }
}

void TBunusManagerA::ClearSilent(int32_t x, int32_t y) {
  if (BonusAPtr spell = GetBonus(x, y)) boardSpells->Remove(spell);
}

int32_t TBunusManagerA::BonusActive() { return activeSpells->IsEmpty() ? 0 : 1; }

void TBunusManagerA::AddCaption(int32_t cells, int32_t points, int32_t colours) {
  castCells = cells;
  castPoints = points;
  castColours = colours;
  if (BonusAPtr last = activeSpells->Last()) {
    captionX = std::min(CentreX(*last), kCaptionMaxX);
    captionY = std::clamp(CentreY(*last), kCaptionMinY, kCaptionMaxY);
  }
  BonusAPtr first = activeSpells->First();
  captionKind = first ? first->kind : 0;
}

void TBunusManagerA::ClearSpells() {
  boardSpells->Clear();
  activeSpells->Clear();
}

void TBunusManagerA::ClearEfects() {
  if (volcanoList) volcanoList->Clear();
  if (blocks) blocks->Freze(-1);
  teleportProgress = 1.0f;
  teleportCells.Clear();
  captionKind = 0;
}

int32_t TBunusManagerA::StonesOnBoard() {
  if (!board || !runes) return 0;
  for (const auto& column : board->runeIds)
    for (int32_t id : column)
      if (runes->isBlocked(id) != 0) return 1;
  return 0;
}
