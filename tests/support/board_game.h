// The board game as start-up leaves it, for tests that play the game's loops headless: every
// singleton the quest, endless and time-attack loops reach, with the shipped rune and block
// catalogues, pictures and sounds of the built game folder, the frame timer, a current profile
// and an empty hiscore table. Also level files written as plain files under the test's home.
#pragma once
#include <string>
#include <vector>

namespace test_support {

// Creates the singletons fresh and loads their resources; the current profile is `player`. The
// screen must be open. Neither this nor the scripted player needs the test framework: the
// screenshot runner builds them in too.
void MakeBoardGame(const std::string& player = "Tess");

// The shared pictures and fonts of the summary's scroll and the level timer's rope, as the
// loading screen registers them in `data`.
void LoadSharedResources();
// The part of them that the screenshot runner shares: a fresh `data` with the scroll's three
// pieces (2001-2003) and the fonts 4001, 4002 and 4005, then the spark pictures.
void LoadScrollFontsAndSparks();

// A level file under the home folder ($HOME); returns its path (a plain file name the level
// loader reads). `levelKeys` are lines of Settings::Level, `rows` the 15 rows of the board's
// shape ("1" a cell, "0" a hole; missing rows are holes).
std::string WriteLevelFile(const std::string& name, const std::string& levelKeys,
                           const std::vector<std::string>& rows);

// The pause menu of the board games: the centre of the button that answers `choice` (0 resume,
// 2 restart, 3 main menu).
void InGameMenuButton(int choice, int& x, int& y);
// Answers `choice` in the pause menu: the pointer moves onto its button at `frame` and clicks
// on the frame after. The menu has no quit button: 4 is a close request on the frame after.
void ChooseInGameMenu(int frame, int choice);

}  // namespace test_support
