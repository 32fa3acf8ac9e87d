#include "platform/input_script.h"

#include <cctype>
#include <cstdint>
#include <sstream>

#include "platform/headless.h"

namespace {

// Frame numbers and key codes a script may use.
constexpr long kMaxFrame = 100000000;
constexpr int kMaxKey = 255;
constexpr int kScriptScreenWidth = 800, kScriptScreenHeight = 600;
constexpr int kLeftButton = 1, kRightButton = 2;

// A whole number made of decimal digits only, within [lo, hi].
bool Number(const std::string& word, long lo, long hi, long& value) {
  if (word.empty() || word.size() > 9) return false;
  for (char c : word)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  value = std::stol(word);
  return value >= lo && value <= hi;
}

bool Button(const std::string& word, int& button) {
  if (word == "left") button = kLeftButton;
  else if (word == "right") button = kRightButton;
  else return false;
  return true;
}

bool ShotName(const std::string& name) {
  if (name.empty() || name[0] == '.') return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') return false;
  return true;
}

// Shots and stops happen after a frame's flip: frame 1 is the first.
bool AfterAFlip(int frame, std::string& why) {
  if (frame >= 1) return true;
  why = "shot and stop come after a frame: frame 1 or later";
  return false;
}

// The words of `text` up to a "#".
std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text.substr(0, text.find('#')));
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// Parses one line that is not blank; false with `why` set when it is malformed.
bool ParseLine(const std::string& line, ScriptEvent& e, std::string& why) {
  const std::vector<std::string> words = Words(line);
  if (words.empty()) return true;  // a comment
  long frame = 0;
  if (!Number(words[0], 0, kMaxFrame, frame)) {
    why = "a frame number (0 to " + std::to_string(kMaxFrame) + ") comes first";
    return false;
  }
  e.frame = static_cast<int>(frame);
  if (words.size() < 2) {
    why = "an event follows the frame number";
    return false;
  }
  const std::string& verb = words[1];
  const size_t argc = words.size() - 2;
  auto arity = [&](size_t n, const char* form) {
    if (argc == n) return true;
    why = std::string("expected \"FRAME ") + form + "\"";
    return false;
  };
  if (verb == "move") {
    if (!arity(2, "move X Y")) return false;
    long x = 0, y = 0;
    if (!Number(words[2], 0, kScriptScreenWidth - 1, x) ||
        !Number(words[3], 0, kScriptScreenHeight - 1, y)) {
      why = "the point lies on the 800 x 600 screen";
      return false;
    }
    e.kind = ScriptEvent::Kind::Move;
    e.x = static_cast<int>(x);
    e.y = static_cast<int>(y);
  } else if (verb == "click" || verb == "down" || verb == "up") {
    if (!arity(1, (verb + " left|right").c_str())) return false;
    if (!Button(words[2], e.button)) {
      why = "the button is left or right";
      return false;
    }
    e.kind = verb == "click" ? ScriptEvent::Kind::Click
             : verb == "down" ? ScriptEvent::Kind::Down
                              : ScriptEvent::Kind::Up;
  } else if (verb == "key") {
    if (!arity(1, "key CODE")) return false;
    long key = 0;
    if (!Number(words[2], 1, kMaxKey, key)) {
      why = "the key code is 1 to " + std::to_string(kMaxKey);
      return false;
    }
    e.kind = ScriptEvent::Kind::Key;
    e.key = static_cast<int>(key);
  } else if (verb == "type") {
    // The text runs from after one blank to the end of the line, "#" included.
    const size_t at = line.find("type") + 4;
    std::string text = at < line.size() ? line.substr(at + 1) : std::string();
    if (text.empty()) {
      why = "expected \"FRAME type TEXT\"";
      return false;
    }
    e.kind = ScriptEvent::Kind::Type;
    e.text = FromUtf8(text);
  } else if (verb == "close") {
    if (!arity(0, "close")) return false;
    e.kind = ScriptEvent::Kind::Close;
  } else if (verb == "stop") {
    if (!arity(0, "stop") || !AfterAFlip(e.frame, why)) return false;
    e.kind = ScriptEvent::Kind::Stop;
  } else if (verb == "shot") {
    if (!arity(1, "shot NAME") || !AfterAFlip(e.frame, why)) return false;
    if (!ShotName(words[2])) {
      why = "NAME is letters, digits, \"-\", \"_\" and \".\", not starting with \".\"";
      return false;
    }
    e.kind = ScriptEvent::Kind::Shot;
    e.name = words[2];
  } else {
    why = "unknown event \"" + verb + "\"";
    return false;
  }
  return true;
}

}  // namespace

bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error) {
  events.clear();
  std::istringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ScriptEvent e;
    e.line = number;
    std::string why;
    if (!ParseLine(line, e, why)) {
      error = "line " + std::to_string(number) + ": " + why;
      events.clear();
      return false;
    }
    if (!Words(line).empty()) events.push_back(e);
  }
  return true;
}

void ScheduleInputEvents(const std::vector<ScriptEvent>& events) {
  for (const ScriptEvent& e : events) {
    switch (e.kind) {
      case ScriptEvent::Kind::Move: headless::MouseMoveAt(e.frame, e.x, e.y); break;
      case ScriptEvent::Kind::Click: headless::MouseClickAt(e.frame, e.button); break;
      case ScriptEvent::Kind::Down: headless::MouseButtonAt(e.frame, e.button, true); break;
      case ScriptEvent::Kind::Up: headless::MouseButtonAt(e.frame, e.button, false); break;
      case ScriptEvent::Kind::Key: headless::KeyPressAt(e.frame, e.key); break;
      case ScriptEvent::Kind::Type: headless::TypeAt(e.frame, e.text); break;
      case ScriptEvent::Kind::Close: headless::CloseRequestAt(e.frame); break;
      case ScriptEvent::Kind::Shot:
      case ScriptEvent::Kind::Stop: break;
    }
  }
}
