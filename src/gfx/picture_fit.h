// Where the 640 x 480 picture lies in an output of any size: in a window by whole factors, in full
// screen as the largest 4:3 picture that fits, and the whole factor a fractional picture is drawn
// at.
#pragma once

struct PictureRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PictureRect&) const = default;
};

// The largest whole multiple of 640 x 480 that fits the output, centred; an output smaller than
// 640 x 480 gets the largest 4:3 picture that fits it instead, so something is always shown.
PictureRect WindowPicture(int outputWidth, int outputHeight);
// The largest 4:3 picture that fits the output (its height on a wide screen), centred.
PictureRect FullScreenPicture(int outputWidth, int outputHeight);
// The whole factor a picture of this height is first enlarged to, nearest-neighbour, before it is
// smoothed down to that height: the factor itself when the height is a whole multiple of 480, so
// no smoothing is needed, else the factor above.
int EnlargementFactor(int pictureHeight);
