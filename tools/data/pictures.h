// Every picture of the Data folder, one maker per file of it.
#pragma once
#include <vector>

#include "image.h"

namespace datagen {

Picture MakePlanetSheet();    // planet.bmp
Picture MakeIcon();           // icon.bmp
Picture MakeBursts();         // baku.bmp
Picture MakeBlackHole();      // blackhole.bmp
Picture MakeWhiteHole();      // whitehole.bmp
Picture MakeSun();            // sun.bmp
Picture MakeStars();          // fixed.bmp
Picture MakeLine();           // line.bmp
Picture MakeUniverse();       // universe.bmp
Picture MakeUprightFrame();   // waku_tate.bmp
Picture MakeSidewaysFrame();  // waku_yoko.bmp
Picture MakePanel();          // back.bmp
Picture MakeShuttle();        // spaceshuttle.bmp
Picture MakeTitle();          // title.bmp
Picture MakeMenu();           // menu.bmp

// The window icon's art at size x size pixels; icon.bmp is the 32-pixel one.
Image DrawIcon(int size);
// The sizes of the desktop's icons, drawn by DrawIcon.
constexpr int kDesktopIconSizes[] = {16, 32, 48, 64, 128, 256};

// All of them, in the order of the game's picture table, then the icon.
std::vector<Picture> MakeAllPictures();

}  // namespace datagen
