// The effects that run over a board game's scene whatever screen is on top of it (the game's own
// frame, the in-game menu, a popup): comets, spell emitters, ring bursts, sparks, floating
// captions and the queued sounds.
#pragma once

// The running effects of a quest frame, in its order: comets, spell emitters, ring bursts,
// sparks, floating captions, then the sounds that have come due.
void UpdateSceneEffects();

// Leaving a game for the menu: the comet sparks, captions, sparks and queued sounds go.
void DropSceneLists();
