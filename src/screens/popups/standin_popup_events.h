// STAND-IN until the popups exist: the popup events a quest level raises, the per-frame popup
// test and the game-over popup, as free functions in namespace standin named after the
// operations of TPopupManager they stand in for. No information popup is shown yet. The
// game-over popup is its panel and three hot areas (retry, menu, and skip from the second loss
// of a level on). Replace every call with the real operation and remove this file.
#pragma once
#include <cstdint>

#include "platform/list.h"
#include "platform/text.h"

namespace standin {

// The events queued since the last Free, each at most once, in the order queued.
extern TListPtr<String> popupEvents;

// TPopupManager::AddEvent: queues the event unless it is queued already.
void AddEvent(const String& name);
// TPopupManager::Free: drops the pending events.
void FreePopups();
// TPopupManager::check: no popup is shown; 0.
int32_t CheckPopups();
// TPopupManager::GameOverPopup: counts the try in levelReplays, then runs its frame loop until a
// choice: 1 retry (also the skip area, which sets skipLevel), 2 back to the menu, 3 when the
// window is asked to close.
int32_t GameOverPopup();

// Hot areas of the game-over popup, in screen pixels (left, top, right, bottom; edges in).
inline constexpr int32_t kRetryArea[4] = {318, 302, 481, 341};
inline constexpr int32_t kMenuArea[4] = {318, 348, 481, 387};
// The skip area is open: 330 < x < 474 and 400 < y < 420.
inline constexpr int32_t kSkipArea[4] = {330, 400, 474, 420};

}  // namespace standin
