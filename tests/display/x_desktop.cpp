// A look at an X display from outside the game (see x_desktop.h).
#include "x_desktop.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace x_desktop {

namespace {
Display* g_display = nullptr;
}

bool Open(const std::string& name) {
  Close();
  g_display = XOpenDisplay(name.c_str());
  return g_display != nullptr;
}

void Close() {
  if (g_display) XCloseDisplay(g_display);
  g_display = nullptr;
}

bool ScreenSize(int& width, int& height) {
  if (!g_display) return false;
  width = DisplayWidth(g_display, DefaultScreen(g_display));
  height = DisplayHeight(g_display, DefaultScreen(g_display));
  return true;
}

unsigned long Pixel(int x, int y) {
  if (!g_display) return 0xFFFFFFFFul;
  XImage* image = XGetImage(g_display, DefaultRootWindow(g_display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0xFFFFFFFFul;
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFFul;
  XDestroyImage(image);
  return pixel;
}

void MovePointer(int x, int y) {
  if (!g_display) return;
  XWarpPointer(g_display, None, DefaultRootWindow(g_display), 0, 0, 0, 0, x, y);
  XFlush(g_display);
}

}  // namespace x_desktop
