// The three kinds of exception that cross the game.
#pragma once
#include <stdexcept>
#include <string>
#include "platform/text.h"

// An error of the key/group text format: only a message text. The game catches it where it says so.
class TextError {
 public:
  explicit TextError(String message) : message_(std::move(message)) {}
  const String& message() const { return message_; }
  std::string what() const { return ToUtf8(message_); }

 private:
  String message_;
};

// The framework's own errors (a runtime error, "Error reading from stream"). Game code never
// catches these; main prints the text on standard error, runs the end hooks and exits with 255.
class FrameworkError : public std::runtime_error {
 public:
  explicit FrameworkError(const std::string& message) : std::runtime_error(message) {}
};

// The exit status of a program that ends on a failure: a framework error, or a start-up that
// cannot go on (damaged level packs, no window at all).
constexpr int kFailureStatus = 255;

// Thrown by End() in headless runs instead of ending the process, after the end hooks have run.
class ProgramEnded : public std::exception {
 public:
  explicit ProgramEnded(int status = 0) : status_(status) {}
  int status() const { return status_; }
  const char* what() const noexcept override { return "program ended"; }

 private:
  int status_;
};

// Raises the framework's runtime error.
[[noreturn]] void RuntimeError(const std::string& message);
