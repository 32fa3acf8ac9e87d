// The magic sphere's vials: loading, filling, easing, the full vial's burst, glow and wipe.
#include "game/spells/magic_sphere.h"

#include <algorithm>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/sfx.h"
#include "game/levels/level_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/ring_emiter.h"
#include "platform/system.h"
#include "toolkit/container.h"
#include "toolkit/drawing.h"
#include "toolkit/spark.h"
#include "toolkit/string_utils.h"

MagicSpherePtr magicSphere;

namespace {

constexpr int32_t kLineImageId = 5000;  // "gfx/gui/lina.png" in the shared container
constexpr int32_t kNotFull = -1;
constexpr float kEaseStep = 0.01f;  // drawn level per unit of delta
// The full vial's timeline from the frame it is first drawn full (ms).
constexpr int32_t kGlowRiseMs = 300;
constexpr int32_t kGlowFallFromMs = 1700;
constexpr int32_t kGlowEndMs = 2000;
constexpr int32_t kWipeMs = 500;
constexpr float kGlowAlpha = 0.7f;
constexpr int32_t kGlowTurnDivisor = 3;  // the glow turns one degree per 3 ms
// The full vial's ring burst.
constexpr float kBurstRadius = 26.0f;
constexpr float kBurstMinScale = 0.8f;
constexpr float kBurstMaxScale = 1.2f;
constexpr int32_t kBurstImage = 1;
constexpr int32_t kSymbolInset = 15;  // the symbol's corner inside the vial

const char* const kVoiceFiles[5] = {"sfx/eve/v-exelent.ogg", "sfx/eve/v-1mgo.ogg",
                                    "sfx/eve/v-j2m.ogg", "sfx/eve/v-perfect2.ogg",
                                    "sfx/eve/v-great2.ogg"};

std::string TwoDigits(int32_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The n-th value of a split list as an integer; a missing or empty value reads as 0.
int32_t ValueAt(const TListPtr<String>& values, int32_t n) {
  return values && n < values->Count() ? ToInt(values->ValueAtIndex(n)) : 0;
}

}  // namespace

TMagicSphere::TMagicSphere() {
  emitter.centreX = x + 85;
  emitter.centreY = y + 85;
  emitter.maxRadius = 30;
}

void TMagicSphere::LoadResources() {
  sphereImage = LoadImage(bundleDir + "gfx/ring/kulki.png");
  vialFrameImage = LoadImage(bundleDir + "gfx/ring/k-black.png");
  extraImages[0] = LoadImage(bundleDir + "gfx/gwiazdki/volum04.png");
  extraImages[1] = LoadImage(bundleDir + "gfx/gwiazdki/volum05.png");
  for (const ImagePtr& glow : extraImages)
    if (glow) MidHandleImage(glow);
  colourGetSound = LoadSound(bundleDir + "sfx/fx4/playgame-colorget.ogg", 0);
  for (size_t i = 0; i < voiceSounds.size(); ++i)
    voiceSounds[i] = LoadSound(bundleDir + kVoiceFiles[i], 0);
}

void TMagicSphere::Load(const TSCFilePtr& levelFile) {
  ResetSettings();
  TListPtr<String> colourList = splitString(
      GetTSCStringKey(levelFile, S("Settings::Level"), S("SpheresColors"), 0), S(" "));
  TListPtr<String> capacityList = splitString(
      GetTSCStringKey(levelFile, S("Settings::Level"), S("SpheresCapacities"), 0), S(" "));
  for (int32_t slot = 0; slot < kVials; ++slot) {
    const auto s = static_cast<size_t>(slot);
    int32_t colour = ValueAt(colourList, slot);
    if (colour < 0 || colour > kColours) {
      // No colour table entry and no pictures: the vial is left out.
      Print(S("Level ") + (level ? level->fileName : String()) + S(": vial colour ") +
            FromInt(colour) + S(" is no rune colour, the vial is left out"));
      colour = 0;
    }
    colours[s] = colour;
    capacities[s] = static_cast<float>(ValueAt(capacityList, slot));
    const int32_t n = colourImageIndex[static_cast<size_t>(colour)];
    if (n <= 0) continue;
    const auto c = static_cast<size_t>(colour - 1);
    if (!symbolImages[c])
      symbolImages[c] = LoadImage(bundleDir + "gfx/ring/s-" + TwoDigits(n) + ".png");
    if (!vialImages[c])
      vialImages[c] = LoadImage(bundleDir + "gfx/ring/k-" + TwoDigits(n) + ".png");
  }
  // Pictures of colours no vial uses now are let go; those in use stay for the next level.
  for (int32_t colour = 1; colour <= kColours; ++colour) {
    if (std::find(colours.begin(), colours.end(), colour) != colours.end()) continue;
    symbolImages[static_cast<size_t>(colour - 1)] = nullptr;
    vialImages[static_cast<size_t>(colour - 1)] = nullptr;
  }
}

int32_t TMagicSphere::OpenBallsCount() {
  int32_t open = 0;
  for (size_t slot = 0; slot < kVials; ++slot)
    if (colours[slot] != 0 && shownFill[slot] < 1.0f) ++open;
  return open;
}

float TMagicSphere::target(size_t slot) const {
  // A vial that holds nothing is full from the start.
  if (capacities[slot] <= 0.0f) return 1.0f;
  return fills[slot] / capacities[slot];
}

void TMagicSphere::easeVial(size_t slot) {
  float& shown = shownFill[slot];
  const float goal = target(slot);
  if (!(shown < goal)) return;
  shown += kEaseStep * static_cast<float>(delta);
  if (shown > goal) shown = goal;
  if (shown > 1.0f) shown = 1.0f;
  if (shown < 0.0f) shown = 0.0f;
}

void TMagicSphere::burstVial(size_t slot, int32_t cx, int32_t cy, int32_t now) {
  filledAt[slot] = now;
  const int32_t colour = colours[slot];
  const int32_t red = runes ? runes->getRuneRGB(colour, 1) : 0;
  const int32_t green = runes ? runes->getRuneRGB(colour, 2) : 0;
  const int32_t blue = runes ? runes->getRuneRGB(colour, 3) : 0;
  const auto half = static_cast<int32_t>(vialWidth / 2.0f) - 1;
  TRingEmiter::Create(cx + half, cy + half, kBurstRadius, red, green, blue, kBurstMinScale,
                      kBurstMaxScale, kBurstImage);
  playSound2(colourGetSound, nullptr, 0);
  // Counted now: this vial no longer counts as open, later slots still have last frame's level.
  const int32_t open = OpenBallsCount();
  const size_t line = open >= 1 && open <= 4 ? static_cast<size_t>(open) : 0;
  playSound2(voiceSounds[line], nullptr, 0);
}

void TMagicSphere::drawFilling(size_t slot, int32_t cx, int32_t cy) {
  const auto c = static_cast<size_t>(colours[slot] - 1);
  DrawImage(vialFrameImage, static_cast<float>(cx), static_cast<float>(cy), 0);
  // The liquid's lower part, as high as the drawn level.
  drawVial(vialImages[c], cx, cy, 1.0f - shownFill[slot], 1.0f);
  DrawImage(symbolImages[c], static_cast<float>(cx + kSymbolInset),
            static_cast<float>(cy + kSymbolInset), 0);
}

void TMagicSphere::drawFull(size_t slot, int32_t cx, int32_t cy, int32_t elapsed) {
  const auto c = static_cast<size_t>(colours[slot] - 1);
  // After the glow the vial is wiped upward from its bottom edge.
  float wipe = 1.0f;
  if (elapsed > kGlowEndMs)
    wipe = 1.0f - static_cast<float>(elapsed - kGlowEndMs) / static_cast<float>(kWipeMs);
  wipe = std::clamp(wipe, 0.0f, 1.0f);
  drawVial(vialFrameImage, cx, cy, 0.0f, wipe);
  drawVial(vialImages[c], cx, cy, 0.0f, wipe);
  if (elapsed < kGlowEndMs) drawGlow(slot, cx, cy, elapsed);
  drawVial(symbolImages[c], cx + kSymbolInset, cy + kSymbolInset, 0.0f, wipe);
}

void TMagicSphere::drawGlow(size_t slot, int32_t cx, int32_t cy, int32_t elapsed) {
  const int32_t turn = elapsed / kGlowTurnDivisor;
  float level = 1.0f;
  if (elapsed < kGlowRiseMs)
    level = static_cast<float>(elapsed) / static_cast<float>(kGlowRiseMs);
  else if (elapsed > kGlowFallFromMs)
    level = 1.0f - static_cast<float>(elapsed - kGlowFallFromMs) /
                       static_cast<float>(kGlowEndMs - kGlowFallFromMs);
  // Drawn anew each frame, so the glow flickers within the rune's colours.
  const int32_t colour = colours[slot];
  const int32_t red = runes ? runes->getRuneRGB(colour, 1) : 255;
  const int32_t green = runes ? runes->getRuneRGB(colour, 2) : 255;
  const int32_t blue = runes ? runes->getRuneRGB(colour, 3) : 255;
  SetBlend(LIGHTBLEND);
  SetColor(red, green, blue);
  SetAlpha(kGlowAlpha * level);
  const auto centreX = static_cast<float>(cx) + vialWidth / 2.0f;
  const auto centreY = static_cast<float>(cy) + vialHeight / 2.0f;
  for (int32_t angle : {turn, turn + 45, turn + 90, turn + 135}) {
    SetRotation(static_cast<float>(angle));
    DrawImage(extraImages[0], centreX, centreY, 0);
    DrawImage(extraImages[1], centreX, centreY, 0);
  }
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetRotation(0.0f);
  SetAlpha(1.0f);
}

void TMagicSphere::Update(int32_t withSparks) {
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  SetRotation(0.0f);
  SetScale(1.0f, 1.0f);
  SetColor(255, 255, 255);
  if (data) {
    const ImagePtr line = data->GetImage(kLineImageId);
    DrawImage(line, static_cast<float>(x + 53), static_cast<float>(y + 165), 0);
    DrawImage(line, static_cast<float>(x + 111), static_cast<float>(y + 165), 0);
  }
  DrawImage(sphereImage, static_cast<float>(x), static_cast<float>(y), 0);
  for (size_t slot = 0; slot < kVials; ++slot) {
    if (colours[slot] == 0) continue;
    const int32_t cx = x + slotOffsets[slot][0];
    const int32_t cy = y + slotOffsets[slot][1];
    const int32_t now = MilliSecs();
    easeVial(slot);
    if (shownFill[slot] >= 1.0f && filledAt[slot] == kNotFull) burstVial(slot, cx, cy, now);
    if (filledAt[slot] == kNotFull)
      drawFilling(slot, cx, cy);
    else
      drawFull(slot, cx, cy, ElapsedMs(now, filledAt[slot]));
  }
  if (blocks) blocks->DrawNextBlock(static_cast<float>(x + 92), static_cast<float>(y + 95));
  if (withSparks != 0) emitter.Update();
}

void TMagicSphere::Fill(int32_t colour) {
  if (colour == 0) return;
  for (size_t slot = 0; slot < kVials; ++slot)
    if (colours[slot] == colour && fills[slot] < capacities[slot]) fills[slot] += 1.0f;
}

int32_t TMagicSphere::IsFull() {
  for (size_t slot = 0; slot < kVials; ++slot)
    if (colours[slot] != 0 && fills[slot] < capacities[slot]) return 0;
  return 1;
}

void TMagicSphere::ResetSettings() {
  colours.fill(0);
  capacities.fill(0.0f);
  fills.fill(0.0f);
  shownFill.fill(0.0f);
  filledAt.fill(kNotFull);
}

int32_t TMagicSphere::GetColorXY(int32_t colour, int32_t& targetX, int32_t& targetY) {
  if (colour != 0) {
    for (size_t slot = 0; slot < kVials; ++slot) {
      if (colours[slot] != colour) continue;
      targetX = static_cast<int32_t>(static_cast<float>(x + slotOffsets[slot][0]) +
                                     vialWidth / 2.0f);
      targetY = static_cast<int32_t>(static_cast<float>(y + slotOffsets[slot][1]) +
                                     vialHeight / 2.0f);
      return 1;
    }
  }
  targetX = x + 85;
  targetY = y + 85;
  return 0;
}

void TMagicSphereEmiter::Update() {
  if (Rand(0, 100) > chance) return;
  // Into locals in the order drawn.
  const int32_t red = Rand(140, 180);
  const int32_t green = Rand(140, 180);
  const int32_t blue = Rand(140, 180);
  const int32_t angle = Rand(0, 360);
  const int32_t radius = Rand(3, maxRadius);
  const int32_t life = Rand(20, 70);
  const auto scale = static_cast<float>(Rnd(0.5, 0.7));
  const auto px = static_cast<int32_t>(centreX + Cos(angle) * radius);
  const auto py = static_cast<int32_t>(centreY + Sin(angle) * radius);
  const ImagePtr& image = sparkImages[static_cast<size_t>(Rand(1, 3))];
  SparkPtr spark = TSpark::Create(image, px, py, scale, life, red, green, blue, 1, 0);
  if (spark) spark->setMovementType(angle, radius, centreX, centreY);
}
