// The program's embedded artwork: the twenty credit badges of the credit lists. The images are
// drawn by the artwork tool and linked in as resource data; the program only loads them.
#pragma once

#include <windows.h>

#include "ui/ImgList.h"

namespace app {

// Fills `images` with the badges (1-5 hearts, diamonds, crowns, golden crowns; 88 x 16 each at
// 96 dpi, magenta is transparent) at `ppi`: the list takes the scaled badge size and whatever it
// held is replaced. The badges are scaled here, once per DPI; whole factors replicate pixels, so
// a 200 % badge is as crisp as its art. A module without them (a test program) leaves the list
// empty: the credit lists then show their blank captions, and everything else works alike.
void LoadCreditBadges(ui::TCustomImageList& images, HINSTANCE instance, int ppi = 96);

}  // namespace app
