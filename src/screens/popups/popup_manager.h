// The popup manager: shows the information popups of the quest board levels over the frozen
// level scene, and owns what every popup shares (the OK button and the font, also used by the
// picture puzzle and the ring game) and the pictures, buttons and sound of the game-over popup.
//
// The quest level loop queues game events (AddEvent) and calls check once a frame; check shows,
// one after the other in a modal loop each, the level's popups that answer the queued events,
// with the level timer paused and the petrification clock moved on by the time spent. Every
// popup shows at most once after a Prepare.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "platform/image_font.h"
#include "platform/list.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "screens/popups/popup.h"
#include "toolkit/button.h"

class TPopupManager {
 public:
  // Screen places of the game-over popup.
  static constexpr float kScreenCentreX = 400.0f;
  static constexpr float kScreenCentreY = 300.0f;
  static constexpr float kRetryX = 318.0f;
  static constexpr float kRetryY = 302.0f;
  static constexpr float kMenuX = 318.0f;
  static constexpr float kMenuY = 348.0f;
  static constexpr int32_t kReasonY = 235;         // top of the settled cause picture
  static constexpr float kReasonRise = 65.0f;      // how far above the centre it settles
  static constexpr int32_t kSkipImageX = 318;      // the skip picture's top-left corner
  static constexpr int32_t kSkipImageY = 395;
  // The skip area, edges excluded: kSkipLeft < x < kSkipRight, kSkipTop < y < kSkipBottom.
  static constexpr int32_t kSkipLeft = 330;
  static constexpr int32_t kSkipRight = 474;
  static constexpr int32_t kSkipTop = 400;
  static constexpr int32_t kSkipBottom = 420;
  // The opening zoom grows by this much a frame (fixed, not scaled by delta).
  static constexpr float kZoomStep = 0.025f;

  // Results of GameOverPopup.
  static constexpr int32_t kRetry = 1;      // retry, or skip with skipLevel set
  static constexpr int32_t kToMenu = 2;
  static constexpr int32_t kCloseAsked = 3;  // the window's close request

  // Indices of reasonImages and skipImages.
  static constexpr int kNoMoreMoves = 0;
  static constexpr int kTimeOut = 1;
  static constexpr int kSkipHovered = 0;
  static constexpr int kSkipNormal = 1;

  TListPtr<PopupPtr> popups = CreateList<PopupPtr>();  // current level's popups not yet shown
  TListPtr<String> events = CreateList<String>();      // queued event names, one per name
  AnimButtonPtr okButton;       // OK of every popup; each Update moves it
  ImageButtonPtr retryButton;   // game over: retry
  ImageButtonPtr menuButton;    // game over: back to the menu
  ImagePtr panelImage;          // game-over panel, handle at its centre
  std::array<ImagePtr, 2> skipImages{};    // kSkipHovered, kSkipNormal
  ImageFontPtr font;            // text font of every popup
  std::array<ImagePtr, 2> reasonImages{};  // kNoMoreMoves, kTimeOut
  SoundPtr loseSound;           // played as the game-over popup opens

  virtual ~TPopupManager() = default;

  // Loads every shared resource; once, at start-up.
  virtual int32_t Load();
  // Replaces the popups with those of "info.tsc" whose Level is the sequencer's current level.
  virtual int32_t Prepare();
  // The groups of `tsc` whose Level is `levelIndex`, as popups, in file order.
  virtual int32_t PrepareFrom(const TSCFilePtr& tsc, int32_t levelIndex);
  // Shows the popups answering the queued events. 1 when the program was asked to close
  // during a popup (the level timer then stays paused and the queue stays), else 0.
  virtual int32_t check();
  // Queues `e` unless an equal name is queued.
  virtual int32_t AddEvent(const String& e);
  // Drops the popups and the queued events.
  virtual int32_t Free();
  // One frame of the frozen quest scene, without clear or flip and without the blocks.
  virtual int32_t DrawBase();
  // The modal loop of one popup: 0 once it closed with OK, 1 when the program was asked to close.
  virtual int32_t ShowPopup(const PopupPtr& popup);
  // The game-over popup over the frozen scene: kRetry, kToMenu or kCloseAsked.
  virtual int32_t GameOverPopup();

 private:
  // The cause picture that the level timer asks for this frame.
  ImagePtr ReasonImage() const;
  // One frame of the game-over popup's choice; 0 when it goes on, else its result.
  int32_t GameOverChoiceFrame();
  // The end of every popup frame: cursor, events, flip, mouse poll, level music.
  void EndGameOverFrame();
};
using PopupManagerPtr = std::shared_ptr<TPopupManager>;

// Created by start-up among the singletons.
extern PopupManagerPtr popupManager;
