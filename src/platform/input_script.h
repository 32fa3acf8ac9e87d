// Input scripts: a run of the whole game driven from a text file, one event a line, for tests
// from outside the code (the screenshot runner's --script). The parser checks the whole file
// before anything runs; the events then go into the headless input script by frame number.
//
//   FRAME move X Y              the mouse to (X, Y) of the 800 x 600 screen
//   FRAME click left|right      the button down at FRAME, up at FRAME + 1
//   FRAME down|up left|right    one button change
//   FRAME key CODE              the framework key CODE (1..255) pressed, released a frame later
//   FRAME type TEXT             the characters of TEXT (UTF-8, to the end of the line) typed
//   FRAME close                 the window's close request
//   FRAME shot NAME             the back buffer after that frame's flip, as NAME.png
//   FRAME stop                  the run ends after that frame
//
// Shots and stops need FRAME 1 or later. An event at FRAME happens at the first poll of the system events after FRAME frames have been
// shown. Blank lines are ignored; "#" starts a comment, to the end of the line, except inside the
// text of "type". NAME is letters, digits, "-", "_" and ".", not starting with ".".
#pragma once
#include <string>
#include <vector>

#include "platform/text.h"

struct ScriptEvent {
  enum class Kind { Move, Click, Down, Up, Key, Type, Close, Shot, Stop };
  int line = 0;   // 1-based, for messages
  int frame = 0;
  Kind kind = Kind::Stop;
  int x = 0, y = 0;  // Move
  int button = 0;    // Click, Down, Up: 1 left, 2 right
  int key = 0;       // Key
  String text;       // Type
  std::string name;  // Shot
};

// Reads a whole script. On the first malformed line returns false with `error` naming its line
// ("line 3: ...") and leaves `events` empty.
bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error);

// Puts the input events (all but Shot and Stop) into the headless input script.
void ScheduleInputEvents(const std::vector<ScriptEvent>& events);
