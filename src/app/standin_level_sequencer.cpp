// STAND-IN until the levels subsystem exists (see the header).
#include "app/standin_level_sequencer.h"

LevelSequencerPtr sequencer;
