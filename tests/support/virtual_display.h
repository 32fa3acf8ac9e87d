// A virtual X server (Xvfb) of a run's own, for what needs a real window without a desktop: the
// bench's timing on the accelerated renderer and the test of the game in a window. Xvfb picks a
// free display number; its screen is kept in a file that can be read back as the X server
// shows it. The server ends with the object (or with the process that started it).
#pragma once
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/pixmap.h"

namespace test_support {

class VirtualDisplay {
 public:
  // Starts Xvfb with one screen of `width` x `height` at 24 bits; the screen's file goes into
  // `screenFolder` when one is given. Waits up to `timeoutS` seconds for the server.
  VirtualDisplay(int width, int height, const std::string& screenFolder = "", int timeoutS = 30);
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  bool Running() const { return !name_.empty(); }
  const std::string& Error() const { return error_; }
  // What DISPLAY names it by (":99"), empty when it did not start.
  const std::string& Name() const { return name_; }
  pid_t Pid() const { return pid_; }

  // The screen as the X server holds it, each pixel 0xRRGGBB, row by row; false when there is
  // no screen file or it cannot be read.
  bool ReadScreen(std::vector<uint32_t>& pixels, int& width, int& height) const;
  // The share (0 to 1) of a picture of the screen's size that the screen shows now, judged on a
  // grid of its pixels, each within a small difference: enough to tell a screen the game fills
  // with that picture (under its menu and sparks, rounded by either renderer) from any other.
  double ShowsPicture(const TPixmap& picture) const;

 private:
  pid_t pid_ = -1;
  std::string name_;
  std::string screenFile_;
  std::string error_;
};

}  // namespace test_support
