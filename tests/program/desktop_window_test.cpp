// The built game started as a player starts it, in a window on an X display (a virtual X server
// of the test's own): it opens SDL's accelerated renderer when the display offers one (OpenGL;
// Mesa's drawing on the CPU where there is no graphics card), the software renderer when the
// player asks for it with SDL_RENDER_DRIVER=software, and either way the window shows the title.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/pixmap.h"
#include "support/process_fixtures.h"
#include "support/test_support.h"
#include "support/virtual_display.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Generous: under the sanitizers, on a busy machine, the loading alone takes many seconds.
constexpr int kTitleWaitS = 50;

int64_t NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// The game started in its folder with this process's environment but for the video settings
// and the home folder; its standard output and error go to `log`.
pid_t StartGame(const std::string& home, const std::vector<std::string>& env,
                const std::string& log) {
  std::vector<std::string> vars;
  for (char** e = environ; *e; ++e) {
    const std::string v = *e;
    const std::string key = v.substr(0, v.find('='));
    if (key != "SDL_VIDEODRIVER" && key != "SDL_RENDER_DRIVER" && key != "DISPLAY" &&
        key != "HOME" && key != "MIRETHORN_SCREEN_FILE")
      vars.push_back(v);
  }
  vars.push_back("HOME=" + home);
  vars.insert(vars.end(), env.begin(), env.end());
  // The sanitizer build's executable lies outside the game folder that it shares with the normal
  // build, and the game reads its data beside itself: the game folder's own one is started then.
  const std::filesystem::path built = MIRETHORN_EXECUTABLE;
  const std::filesystem::path gameFolder = MIRETHORN_GAME_DIR;
  const bool outside = built.parent_path() != gameFolder;
  const std::string exe =
      (outside && std::filesystem::exists(gameFolder / "mirethorn") ? gameFolder / "mirethorn"
                                                                    : built).string();
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (!std::freopen(log.c_str(), "w", stdout) || !std::freopen(log.c_str(), "a", stderr))
      _exit(121);
    std::vector<char*> envp;
    for (std::string& v : vars) envp.push_back(v.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(exe.c_str()), nullptr};
    execve(exe.c_str(), argv, envp.data());
    _exit(122);
  }
  return pid;
}

struct Case {
  const char* name;
  std::vector<std::string> env;
  const char* renderer;  // the word the screen report gives
};

TEST(DesktopWindow, TheGameDrawsItsTitleOnTheAcceleratedRendererOrOnTheSoftwareOneWhenAsked) {
  const std::string shots = test_support::TempHome() + "/x";
  fs::create_directories(shots);
  test_support::VirtualDisplay display(800, 600, shots);
  ASSERT_TRUE(display.Running()) << display.Error();
  const PixmapPtr title = LoadPixmap("gfx/title/glyphor-title.jpg");
  ASSERT_TRUE(title && title->width == 800 && title->height == 600);

  const Case cases[] = {
      {"a player's desktop", {}, "accelerated"},
      {"the software renderer asked for", {"SDL_RENDER_DRIVER=software"}, "software"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string home = test_support::TempHome() + "/home" + std::to_string(n++);
    fs::create_directories(home);
    const std::string report = home + "/screen.txt", log = home + "/game.log";
    std::vector<std::string> env = {"DISPLAY=" + display.Name(), "SDL_AUDIODRIVER=dummy",
                                    "MIRETHORN_SCREEN_FILE=" + report};
    env.insert(env.end(), c.env.begin(), c.env.end());
    const pid_t game = StartGame(home, env, log);
    ASSERT_GT(game, 0);

    // The window shows the title (the picture behind the menu) within the time allowed.
    double share = 0;
    bool ended = false;
    const int64_t deadline = NowMs() + kTitleWaitS * 1000;
    while (NowMs() < deadline) {
      share = std::max(share, display.ShowsPicture(*title));
      if (share >= 0.6) break;
      int status = 0;
      if (waitpid(game, &status, WNOHANG) == game) {
        ended = true;
        break;
      }
      usleep(250 * 1000);
    }
    if (!ended) {
      kill(game, SIGKILL);
      int status = 0;
      waitpid(game, &status, 0);
    }
    EXPECT_FALSE(ended) << "the game ended: " << app_test::ReadText(log);
    EXPECT_GE(share, 0.6) << "the window did not show the title; the game said: "
                          << app_test::ReadText(log);

    // The renderer the game opened its window with (one screen, in a window of 800 x 600).
    const std::string opened = app_test::ReadText(report);
    EXPECT_NE(opened.find(std::string(" ") + c.renderer + " 800 x 600\n"), std::string::npos)
        << "the game opened: " << opened
        << (std::string(c.renderer) == "accelerated"
                ? " (an accelerated renderer needs OpenGL on the display: the packages "
                  "libgl1-mesa-dri and libglx-mesa0)"
                : "");
    EXPECT_EQ(std::count(opened.begin(), opened.end(), '\n'), 1) << opened;
  }
}

}  // namespace
