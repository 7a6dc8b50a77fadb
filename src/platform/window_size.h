// The game window's first size: the largest whole multiple of 640 x 480 that fits the display's
// usable area together with the window's borders, or the multiple the player asked for.
#pragma once

struct WindowBorders {
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
};

struct WindowSize {
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};

// The client area's size in the window system's units for a picture of `scale` times 640 x 480
// real pixels; `scale` 0 picks the largest that fits `usable` (at least 1). `pixelsPerUnit` is the
// display's real pixels per unit of window size (above 1 on HiDPI displays), so a picture there is
// sized in real pixels.
WindowSize InitialWindowSize(WindowSize usable, WindowBorders borders, double pixelsPerUnit,
                             int scale);
