// The screens' set-ups that the screenshot scenarios share with the bench: what start-up and
// the loading screen give each screen, made fresh. Each expects the 800 x 600 screen open unless
// it says it opens it.
#pragma once

namespace screenshot {

// The singletons the loading and portal screens reach; opens the screen. False without one.
bool SetupLoading();
// Everything the title and its hiscores and credits screens draw with, and a player "morwen";
// opens the screen. False without one.
bool SetupTitle();

// The menu window on the options screen over the title, as the hiscores and credits buttons
// leave it, the title music playing, and the pointer moving onto the window on the next frame.
void OptionsOverTitle();

// What start-up and the loading screen give the map: the text font, the cursor, the options,
// the interface sounds, the quest's sequence (started), and the map itself. Opens the screen.
void LoadMap();

// The singletons both mini-games draw with: options, the scroll's pictures and fonts, the
// cursor, the frame timer, the interface sounds, a score of 7400 and the quest's sequence.
void StartMinigame();
// The ring game over StartMinigame: its pictures, 90 s, sequences of three, the first rune.
void StartRing();
// One frame of the ring screen as its play loop draws it.
void RingFrame();

// The singletons the tutorial pages draw from, and a profile with the tutorial on.
void LoadTutorialScene();

// What the story screen reaches: options, music, sounds, the frame timer, the cursor, the
// loading screen's pictures.
void StartStory();

}  // namespace screenshot
