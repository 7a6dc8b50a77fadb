// The keys of a headless run: held spans of frames read from a script file.
#pragma once
#include <string>
#include <vector>

#include "services/input_frame.h"

// One line per held span, "FIRST[-LAST] KEY[+KEY...]", frames counted from 0; '#' starts a
// comment. KEY is a name (Left Up Right Down Return Escape PageUp Home F1..F7), one letter or
// digit, or a virtual-key number of two or more digits.
class KeyScript {
 public:
  // False with a one-line reason (file and line) in `error` for a script that cannot be read.
  bool Load(const std::string& path, std::string& error);
  // The keys held during frame `frame`.
  InputFrame FrameAt(long frame) const;

 private:
  struct Span {
    long first;
    long last;
    int key;
  };
  std::vector<Span> spans_;
};

// The virtual-key code of a key name, or -1.
int VirtualKeyFromName(const std::string& name);
