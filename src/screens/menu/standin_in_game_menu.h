// STAND-IN until the menu window exists: the in-game menu the board games open, reduced to its
// backing and four rows of captions (resume, restart, main menu, quit game) that answer a left
// click. Replace with the menu window's showInGameMenu and remove this file.
#pragma once
#include <cstdint>

// The pause menu over the frozen level scene: pauses the level timer, runs its own frame loop
// until a choice, resumes the timer, moves the board's petrification clock on by the time spent
// here and flushes keys and mouse. 0 resume (or Escape), 2 restart, 3 main menu, 4 quit game
// (or the window's close request).
int32_t showInGameMenu();

namespace standin {
// The rows of the stand-in menu: results 0, 2, 3 and 4 from the top, each a band of the screen
// from kMenuRowLeft to kMenuRowRight, kMenuRowHeight high, the first at kMenuFirstRowTop.
inline constexpr int32_t kMenuRowResults[4] = {0, 2, 3, 4};
inline constexpr int32_t kMenuRowLeft = 290;
inline constexpr int32_t kMenuRowRight = 510;
inline constexpr int32_t kMenuFirstRowTop = 230;
inline constexpr int32_t kMenuRowHeight = 50;
// The centre of the row of a result (for scripted clicks).
int32_t MenuRowCentreY(int32_t result);
}  // namespace standin
