// The links from the lower layers up to the ones above them. A few things that the game's design
// asks of a lower layer live higher up: saving the options also saves the profile and the game in
// progress; the sequencer prepares each kind of quest level; a mode game stops the title music;
// some screens draw pictures that the title and loading screens own. Each lower layer declares
// what it calls as a hook, and LinkLayers points every hook at its owner here, so that the
// includes of src/ only ever run downward (src/layers.txt).
#pragma once

// Points every hook of the lower layers at its owner. The start-up calls it before anything
// else; programs that make the game's singletons without the start-up (the tests, the
// screenshot runner, the bench, the fuzzers) call it first too. Calling it again changes nothing.
void LinkLayers();
