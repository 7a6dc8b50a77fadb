// astorine-close-window WINDOW_ID: asks a window to close the way a window manager's close button
// does, with a WM_DELETE_WINDOW client message (Xvfb runs no window manager to send it).
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: astorine-close-window WINDOW_ID\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "astorine-close-window: no X display\n");
    return 1;
  }
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
  close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  close.xclient.data.l[1] = CurrentTime;
  Status sent = XSendEvent(display, close.xclient.window, False, NoEventMask, &close);
  XSync(display, False);
  XCloseDisplay(display);
  return sent != 0 ? 0 : 1;
}
