// Looping music tracks: modal melodies over pads, plucked harps, bells, bass and soft drums.
#pragma once
#include <string>
#include <vector>
#include "ogg_writer.h"

struct SongSpec {
  std::string path;          // relative to the game folder
  unsigned seed = 1;
  int tonic = 57;            // MIDI note of the key's tonic (middle octave)
  std::vector<int> mode;     // seven semitone offsets from the tonic
  double bpm = 96;
  int bars = 32;             // a whole number of 8-bar sections
  std::vector<int> progression;  // scale degree of each chord, cycled
  int chordBars = 1;
  std::string form;          // one letter per 8-bar section: A theme, B answer, C quiet
  double drums = 0.0;        // 0 = no percussion
  double harp = 1.0, pad = 1.0, bells = 0.5, lead = 1.0, bass = 0.8;
  int leadVoice = 0;         // 0 flute, 1 plucked, 2 bell
  int harpPattern = 0;       // 0 rolling eighths, 1 broken quarters, 2 sixteenth ripples
  double reverb = 0.35;
};

// Every music track of the game.
std::vector<SongSpec> AllSongs();
// Renders a track whose last sample runs straight on into its first.
Audio RenderSong(const SongSpec& spec, int rate);
