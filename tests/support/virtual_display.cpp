// The virtual X server: Xvfb started with -displayfd (it writes the display number it took once
// it accepts clients) and -fbdir (its screen lives in an XWD file there).
#include "support/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <fstream>

namespace test_support {

namespace {

int64_t NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

uint32_t BigEndian32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | p[3];
}

}  // namespace

VirtualDisplay::VirtualDisplay(int width, int height, const std::string& screenFolder,
                               int timeoutS) {
  int fds[2];
  if (pipe(fds) != 0) {
    error_ = "pipe failed";
    return;
  }
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const std::string fd = std::to_string(fds[1]);
  std::fflush(nullptr);
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ == 0) {
    // The server goes when the process that wanted it goes, however that ends (a test killed
    // at its timeout leaves no X server behind).
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(1);
    close(fds[0]);
    const int devnull = open("/dev/null", O_RDWR);
    if (devnull >= 0) {
      dup2(devnull, STDIN_FILENO);
      dup2(devnull, STDOUT_FILENO);
      dup2(devnull, STDERR_FILENO);
    }
    std::vector<std::string> args = {"Xvfb", "-displayfd", fd, "-screen", "0", screen,
                                     "-nolisten", "tcp", "-noreset"};
    if (!screenFolder.empty()) args.insert(args.end(), {"-fbdir", screenFolder});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp("Xvfb", argv.data());
    _exit(127);
  }
  close(fds[1]);
  if (pid_ < 0) {
    close(fds[0]);
    error_ = "fork failed";
    return;
  }
  // The display number, then a new line, once the server is ready; nothing if it fails.
  std::string number;
  const int64_t deadline = NowMs() + static_cast<int64_t>(timeoutS) * 1000;
  while (number.find('\n') == std::string::npos) {
    const int64_t left = deadline - NowMs();
    if (left <= 0) break;
    pollfd p{fds[0], POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char buf[32];
    const ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    number.append(buf, static_cast<size_t>(n));
  }
  close(fds[0]);
  if (number.find('\n') == std::string::npos || number.size() < 2) {
    int status = 0;
    const bool ended = waitpid(pid_, &status, WNOHANG) == pid_;
    error_ = ended && WIFEXITED(status) && WEXITSTATUS(status) == 127
                 ? "Xvfb is not installed (the package xvfb)"
                 : "Xvfb did not start within " + std::to_string(timeoutS) + " s";
    if (!ended) {
      kill(pid_, SIGTERM);
      waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    return;
  }
  name_ = ":" + number.substr(0, number.find('\n'));
  if (!screenFolder.empty()) screenFile_ = screenFolder + "/Xvfb_screen0";
}

VirtualDisplay::~VirtualDisplay() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
}

bool VirtualDisplay::ReadScreen(std::vector<uint32_t>& pixels, int& width, int& height) const {
  if (screenFile_.empty()) return false;
  std::ifstream in(screenFile_, std::ios::binary);
  std::vector<unsigned char> head(100);
  if (!in.read(reinterpret_cast<char*>(head.data()), 100)) return false;
  // XWD: a header of big-endian words, a colour map of 12-byte entries, then the pixels.
  const uint32_t headerSize = BigEndian32(&head[0]);
  const uint32_t depth = BigEndian32(&head[12]);
  const uint32_t w = BigEndian32(&head[16]), h = BigEndian32(&head[20]);
  const uint32_t byteOrder = BigEndian32(&head[28]);
  const uint32_t bitsPerPixel = BigEndian32(&head[44]);
  const uint32_t bytesPerLine = BigEndian32(&head[48]);
  const uint32_t colours = BigEndian32(&head[76]);
  if (depth != 24 || bitsPerPixel != 32 || w == 0 || h == 0 || w > 8192 || h > 8192 ||
      bytesPerLine < w * 4 || colours > 65536)
    return false;
  in.seekg(static_cast<std::streamoff>(headerSize) + static_cast<std::streamoff>(colours) * 12);
  std::vector<unsigned char> row(bytesPerLine);
  pixels.assign(static_cast<size_t>(w) * h, 0);
  for (uint32_t y = 0; y < h; ++y) {
    if (!in.read(reinterpret_cast<char*>(row.data()), bytesPerLine)) return false;
    for (uint32_t x = 0; x < w; ++x) {
      const unsigned char* p = &row[x * 4];
      const uint32_t v =
          byteOrder == 0 ? p[0] | p[1] << 8 | p[2] << 16 : p[3] | p[2] << 8 | p[1] << 16;
      pixels[static_cast<size_t>(y) * w + x] = v & 0xFFFFFFu;
    }
  }
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

double VirtualDisplay::ShowsPicture(const TPixmap& picture) const {
  std::vector<uint32_t> screen;
  int width = 0, height = 0;
  if (!ReadScreen(screen, width, height) || width != picture.width || height != picture.height)
    return 0;
  int matched = 0, sampled = 0;
  for (int y = 2; y < height; y += 8)
    for (int x = 2; x < width; x += 8) {
      const uint32_t want = picture.Get(x, y);
      const uint32_t got = screen[static_cast<size_t>(y) * width + x];
      int most = 0;
      for (int shift : {0, 8, 16})
        most = std::max(most, std::abs(static_cast<int>((want >> shift) & 0xFF) -
                                       static_cast<int>((got >> shift) & 0xFF)));
      ++sampled;
      if (most <= 12) ++matched;
    }
  return sampled ? static_cast<double>(matched) / sampled : 0;
}

}  // namespace test_support
