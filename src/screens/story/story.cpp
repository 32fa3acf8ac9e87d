// The story screen: opening, loading a part, the page loop with its timers, cross-fades and
// buttons, the voice, and the closing fade.
#include "screens/story/story.h"

#include <algorithm>
#include <array>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "platform/graphics.h"
#include "platform/image_font.h"
#include "platform/input.h"
#include "platform/system.h"
#include "platform/text.h"
#include "screens/story/draw_story_text.h"
#include "screens/title_pictures.h"
#include "toolkit/image_loaders.h"

namespace {

constexpr const char* kArchive = "data/story.bca";
constexpr const char* kMusic = "sfx/runes-lost-in-velmar.ogg";
constexpr float kMusicVolume = 0.6f;
constexpr float kVoiceVolume = 1.2f;
constexpr int kFontSize = 22;

// Frame counts of the three fades (each counts frames, not time).
constexpr int kOpeningFadeSteps = 20;      // 21 frames, alpha i / 20
constexpr int kFirstPageFadeSteps = 30;    // 31 frames, alpha i / 30
constexpr int kClosingFadeSteps = 20;      // 21 frames, alpha i / 20
// A cross-fade counter starts at 100 and falls by 2 per unit of delta: 50 frames at 60 fps.
constexpr float kCrossFadeStart = 100.0f;
constexpr double kCrossFadeStep = 2.0;

// Where things stand on the 800 x 600 screen.
constexpr float kLoadingX = 400.0f, kLoadingY = 300.0f;
constexpr float kBottomY = 381.0f;
constexpr float kSkipX = 319.0f, kNextX = 413.0f, kButtonsY = 572.0f;
// The buttons' hover boxes, bounds included.
constexpr int kSkipLeft = 320, kSkipRight = 382;
constexpr int kNextLeft = 414, kNextRight = 470;
constexpr int kButtonsTop = 573, kButtonsBottom = 591;
constexpr int kHoverGrey = 200;

// How a call of showStory ends.
enum Leave : int32_t {
  kStay = 0,      // the part runs
  kFinished = 1,  // Escape, or Next after the last page
  kSkipped = 2,   // Skip
};

// A page picture "<<" (from page 2 on) means the previous page's very picture.
const String kSamePicture = u"<<";

bool Inside(int v, int low, int high) { return v >= low && v <= high; }

// One frame shown: the cursor, the flip and the system's events.
void ShowFrame() {
  if (mouse) mouse->Draw();
  Flip(-1);
  PollSystem();
}

void UpdateStream(const AudioStreamPtr& stream) {
  if (stream) stream->update();
}

void StopAndFree(const AudioStreamPtr& stream) {
  if (!stream) return;
  stream->stop();
  stream->free();
}

ImagePtr LoadingImage() { return loadingPicture ? loadingPicture() : nullptr; }

// The working state of one call, released when it returns.
class StoryPlayer {
 public:
  explicit StoryPlayer(int32_t part) : part_(part), group_(S("Story") + FromInt(part)) {}

  int32_t Play(int32_t fadeIn) {
    if (fadeIn != 0) OpeningFade();
    LoadingFrame();
    LoadScreenImages();
    if (!LoadPart()) {
      SetColor(255, 255, 255);
      SetBlend(ALPHABLEND);
      return 0;
    }
    LoadPictures();
    ReadFirstPage();
    musicStream_ = playMusicStream(bundleDir + kMusic, 1, kMusicVolume);
    FadeToFirstPage();
    StartVoice();
    SetAlpha(1.0f);
    page_ = 1;
    pageStart_ = MilliSecs();
    if (deltaTime) deltaTime->Update();
    while (leave_ == kStay) PageFrame();
    Close();
    return 0;
  }

 private:
  // ---- Opening and loading ----

  // The screen as it is darkens while the loading picture comes up.
  void OpeningFade() {
    SetTransform(0.0f, 1.0f, 1.0f);
    SetBlend(ALPHABLEND);
    for (int i = 0; i <= kOpeningFadeSteps; ++i) {
      SetAlpha(static_cast<float>(i) / static_cast<float>(kOpeningFadeSteps));
      SetColor(0, 0, 0);
      DrawRect(0.0f, 0.0f, 800.0f, 600.0f);
      SetColor(255, 255, 255);
      DrawImage(LoadingImage(), kLoadingX, kLoadingY, 0);
      Flip(-1);
      PollSystem();
    }
  }

  // The loading picture alone; it stays on the screen while the rest loads.
  void LoadingFrame() {
    SetTransform(0.0f, 1.0f, 1.0f);
    SetColor(255, 255, 255);
    Cls();
    SetAlpha(1.0f);
    DrawImage(LoadingImage(), kLoadingX, kLoadingY, 0);
    Flip(-1);
    PollSystem();
  }

  void LoadScreenImages() {
    font_ = LoadImageFont(bundleDir + "gfx/fonts/Lombardic.ttf", kFontSize, SMOOTHFONT);
    SetImageFont(font_);
    top_ = LoadImage(bundleDir + "gfx/story/top.png", 0);
    bottom_ = LoadImage(LoadJPEG2000(bundleDir + "gfx/story/bottom.jp2"), 0);
    next_ = LoadImage(bundleDir + "gfx/story/next-g.png", DEFAULT_IMAGE_FLAGS);
    skip_ = LoadImage(bundleDir + "gfx/story/skip-g.png", DEFAULT_IMAGE_FLAGS);
  }

  // Reads the part file and its own keys. False (after a line naming the part) when there is
  // nothing to play: no such entry, a text that does not load, or no pages.
  bool LoadPart() {
    tsc_ = CreateTSCFile();
    const String entry = S("part-") + FromInt(part_) + S(".tsc");
    if (LoadTSCFileBB(tsc_, bundleDir + kArchive, entry) != 1) {
      Print(S("Story part ") + FromInt(part_) + S(" is not shown: ") + FromPath(kArchive) +
            S(" has no readable entry ") + entry);
      return false;
    }
    GetTSCStringKey(tsc_, group_, S("Music"), 0);  // the screen plays its own track
    pageCount_ = GetTSCWholeNumberKey(tsc_, group_, S("Pages"), 0);
    if (pageCount_ < 1) {
      Print(S("Story part ") + FromInt(part_) + S(" is not shown: it has no pages (Pages ") +
            FromInt(pageCount_) + S(")"));
      return false;
    }
    if (pageCount_ > kStoryMaxPages) {
      Print(S("Story part ") + FromInt(part_) + S(": Pages ") + FromInt(pageCount_) +
            S(" is more than ") + FromInt(kStoryMaxPages) + S("; the first ") +
            FromInt(kStoryMaxPages) + S(" pages play"));
      pageCount_ = kStoryMaxPages;
    }
    ReadVoice();
    return true;
  }

  // A voice that names no file (as given or in the custom-art folder) is not played: the music
  // player would put a random game song in its place, over the story's own music.
  void ReadVoice() {
    voice_ = GetTSCStringKey(tsc_, group_, S("Voice"), 0);
    if (voice_.empty()) return;
    voiceStopAfter_ = GetTSCWholeNumberKey(tsc_, group_, S("voiceStopAfter"), 0);
    const std::string found = FindMusicFile(ToPath(voice_));
    if (found.empty()) {
      Print(S("Story part ") + FromInt(part_) + S(": the voice \"") + voice_ +
            S("\" was not found; the part plays without it"));
      voice_.clear();
      voiceStopAfter_ = 0;
      return;
    }
    if (!songManager) songManager = std::make_shared<TSongManager>();
    songManager->loadSong(found, 1);  // cached as looping: it plays until stopped
  }

  // Slot i - 1 holds page i's picture; "<<" from page 2 on shares the slot before.
  void LoadPictures() {
    for (int32_t i = 1; i <= pageCount_; ++i) {
      const String picture = GetTSCStringKey(tsc_, PageGroup(i), S("Picture"), 0);
      const size_t slot = static_cast<size_t>(i - 1);
      if (i >= 2 && picture == kSamePicture) {
        pictures_[slot] = pictures_[slot - 1];
        continue;
      }
      pictures_[slot] = LoadImage(picture, 0);
      if (!pictures_[slot]) {
        Print(S("Story part ") + FromInt(part_) + S(", page ") + FromInt(i) +
              S(": the picture \"") + picture + S("\" could not be loaded; the page shows without it"));
      }
    }
  }

  String PageGroup(int32_t page) const { return group_ + S("::Page") + FromInt(page); }

  int32_t PageNumber(int32_t page, const char* key) const {
    return GetTSCWholeNumberKey(tsc_, PageGroup(page), S(key), 0);
  }

  // The count of `lines` lines (held to the six slots) and the page's lines into `text`.
  void SetLines(int32_t page, int32_t lines, TDrawStoryText& text) const {
    text.count = std::clamp(lines, 0, kStoryTextSlots);
    if (text.count != lines) {
      Print(S("Story part ") + FromInt(part_) + S(", page ") + FromInt(page) + S(": Lines ") +
            FromInt(lines) + S(" is held to ") + FromInt(text.count));
    }
    for (int32_t k = 1; k <= text.count; ++k)
      text.setLine(k - 1, GetTSCStringKey(tsc_, PageGroup(page), S("Line") + FromInt(k), 0));
  }

  // The first page's keys, in their reading order: PosY, Lines, Time, then the lines.
  void ReadFirstPage() {
    posY_ = PageNumber(1, "PosY");
    const int32_t lines = PageNumber(1, "Lines");
    pageTime_ = PageNumber(1, "Time");
    SetLines(1, lines, storyText_);
  }

  ImagePtr Picture(int32_t page) const {
    if (page < 1 || page > pageCount_) return nullptr;
    return pictures_[static_cast<size_t>(page - 1)];
  }

  void DrawButton(const ImagePtr& image, float x) { DrawImage(image, x, kButtonsY, 0); }

  // From the loading picture to the first page, counting frames; no input, no page timer.
  void FadeToFirstPage() {
    SetColor(255, 255, 255);
    for (int i = 0; i <= kFirstPageFadeSteps; ++i) {
      const float step = static_cast<float>(i) / static_cast<float>(kFirstPageFadeSteps);
      if (mouse) mouse->fetchState();
      Cls();
      SetAlpha(1.0f - step);
      DrawImage(LoadingImage(), kLoadingX, kLoadingY, 0);
      SetAlpha(step);
      DrawImage(Picture(1), 0.0f, static_cast<float>(posY_), 0);
      DrawImage(top_, 0.0f, 0.0f, 0);
      DrawImage(bottom_, 0.0f, kBottomY, 0);
      DrawButton(skip_, kSkipX);
      DrawButton(next_, kNextX);
      storyText_.Draw(step);
      ShowFrame();
      UpdateStream(musicStream_);
    }
  }

  void StartVoice() {
    if (voice_.empty()) return;
    voiceStream_ = playMusicStream(ToPath(voice_), 0, kVoiceVolume);
    voiceStart_ = MilliSecs();
  }

  // ---- The page loop ----

  void PageFrame() {
    if (deltaTime) {
      deltaTime->Update();
      delta = deltaTime->CurrDelta();
    }
    if (mouse) mouse->fetchState();
    const int mx = mouse ? mouse->x : 0;
    const int my = mouse ? mouse->y : 0;
    const bool clicked = mouse && mouse->hit1 != 0;

    PageTimer();
    DrawPictures();
    SetAlpha(1.0f);
    DrawImage(top_, 0.0f, 0.0f, 0);
    DrawImage(bottom_, 0.0f, kBottomY, 0);
    DrawLines();
    if (advance_) PageStep();
    DrawButtons();
    ShowFrame();
    if (KeyHit(KEY_ESCAPE)) leave_ = kFinished;
    skipHover_ = Inside(mx, kSkipLeft, kSkipRight) && Inside(my, kButtonsTop, kButtonsBottom);
    nextHover_ = Inside(mx, kNextLeft, kNextRight) && Inside(my, kButtonsTop, kButtonsBottom);
    if (clicked) Click();
    Voice();
    UpdateStream(musicStream_);
  }

  // Timers turn pages until the player first clicks Next or the last page's timer fires.
  void PageTimer() {
    if (pageTime_ < 0 || autoAdvanceOff_) return;
    if (ElapsedMs(MilliSecs(), pageStart_) <= pageTime_) return;
    advance_ = true;
    if (page_ == pageCount_) autoAdvanceOff_ = true;
  }

  // One step of a cross-fade counter, never below 0.
  static void FadeStep(float& fade) {
    fade = static_cast<float>(fade - kCrossFadeStep * delta);
    if (fade < 0.0f) fade = 0.0f;
  }

  void DrawPictures() {
    if (pictureFade_ > 0.0f) {
      FadeStep(pictureFade_);
      // The previous picture under the new one; at the change to page 2 too, so the first
      // picture fades out as every later one does.
      SetAlpha(pictureFade_ / kCrossFadeStart);
      DrawImage(Picture(page_ - 1), 0.0f, static_cast<float>(previousPosY_), 0);
      SetAlpha(1.0f - pictureFade_ / kCrossFadeStart);
    } else {
      SetAlpha(1.0f);
    }
    DrawImage(Picture(page_), 0.0f, static_cast<float>(posY_), 0);
  }

  void DrawLines() {
    if (textFade_ > 0.0f) {
      FadeStep(textFade_);
      previousText_.Draw(textFade_ / kCrossFadeStart);
      storyText_.Draw(1.0f - textFade_ / kCrossFadeStart);
    } else {
      storyText_.Draw(1.0f);
    }
  }

  // The step a timer or a click asked for: the next page, or past the last one.
  void PageStep() {
    advance_ = false;
    if (page_ + 1 > pageCount_) {
      pastLastPage_ = true;
      return;
    }
    pastLastPage_ = false;
    page_ += 1;
    // Pages that share a picture through "<<" change without a picture fade.
    if (Picture(page_) != Picture(page_ - 1)) pictureFade_ = kCrossFadeStart;
    textFade_ = kCrossFadeStart;
    previousPosY_ = posY_;
    posY_ = PageNumber(page_, "PosY");
    pageTime_ = PageNumber(page_, "Time");
    pageStart_ = MilliSecs();
    previousText_.Copy(storyText_);
    storyText_.Clear();
    SetLines(page_, PageNumber(page_, "Lines"), storyText_);
  }

  // Drawn grey by the hover of the previous frame's test.
  void DrawButtons() {
    SetAlpha(1.0f);
    SetColor(255, 255, 255);
    if (!skipHover_) DrawButton(skip_, kSkipX);
    if (!nextHover_) DrawButton(next_, kNextX);
    if (skipHover_) {
      SetColor(kHoverGrey, kHoverGrey, kHoverGrey);
      DrawButton(skip_, kSkipX);
    }
    if (nextHover_) {
      SetColor(kHoverGrey, kHoverGrey, kHoverGrey);
      DrawButton(next_, kNextX);
    }
    SetColor(255, 255, 255);
  }

  // A click on Next asks for a page step in the next frame and ends the page timers; on the
  // last page, once a step has found no further page, it leaves.
  void Click() {
    if (nextHover_) {
      advance_ = true;
      if (globalSnd) globalSnd->click();
      autoAdvanceOff_ = true;
      if (pastLastPage_) leave_ = kFinished;
    }
    if (skipHover_) {
      leave_ = kSkipped;
      if (globalSnd) globalSnd->click();
    }
  }

  // The voice loops until it has played voiceStopAfter ms, then is stopped in every frame.
  void Voice() {
    if (voice_.empty() || !voiceStream_) return;
    if (ElapsedMs(MilliSecs(), voiceStart_) > voiceStopAfter_) {
      voiceStream_->stop();
    } else {
      voiceStream_->update();
    }
  }

  // ---- Closing ----

  // The last page darkens to black; then the music stops.
  void Close() {
    if (!voice_.empty()) StopAndFree(voiceStream_);
    SetBlend(ALPHABLEND);
    for (int i = 0; i <= kClosingFadeSteps; ++i) {
      SetColor(0, 0, 0);
      SetAlpha(static_cast<float>(i) / static_cast<float>(kClosingFadeSteps));
      DrawRect(0.0f, 0.0f, 800.0f, 600.0f);
      ShowFrame();
      UpdateStream(musicStream_);
    }
    SetColor(255, 255, 255);
    StopAndFree(musicStream_);
  }

  const int32_t part_;
  const String group_;  // "Story" + part
  TSCFilePtr tsc_;
  ImageFontPtr font_;
  ImagePtr top_, bottom_, next_, skip_;
  std::array<ImagePtr, kStoryMaxPages> pictures_{};
  TDrawStoryText storyText_;
  TDrawStoryText previousText_;
  int32_t page_ = 0;
  int32_t pageCount_ = 0;
  int32_t posY_ = 0;
  int32_t previousPosY_ = 0;
  int32_t pageTime_ = 0;   // ms; negative: the page waits for the player
  int32_t pageStart_ = 0;  // MilliSecs when the page was shown
  bool autoAdvanceOff_ = false;
  bool advance_ = false;
  bool pastLastPage_ = false;
  int32_t leave_ = kStay;
  float pictureFade_ = 0.0f;
  float textFade_ = 0.0f;
  bool skipHover_ = false;
  bool nextHover_ = false;
  String voice_;                // "" without a voice
  int32_t voiceStart_ = 0;      // ms
  int32_t voiceStopAfter_ = 0;  // ms
  AudioStreamPtr musicStream_;
  AudioStreamPtr voiceStream_;
};

}  // namespace

int32_t showStory(int32_t part, int32_t fadeIn) {
  StoryPlayer player(part);
  return player.Play(fadeIn);
}
