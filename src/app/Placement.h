// Where the program's windows open: centred on the screen, then raised by a fixed amount (96-dpi
// pixels, scaled by the forms to their DPI).
// Portable arithmetic, kept apart from the forms so it can be checked without a screen.
#pragma once

namespace app {

// Origin of a window of `window` pixels on a screen of `screen` pixels, centred and then moved
// `raise` pixels up (towards negative). The halving truncates toward zero, also when the window
// is larger than the screen, and the raise applies after it.
constexpr int CentredOrigin(int screen, int window, int raise = 0) {
  return (screen - window) / 2 - raise;
}

// How far each window is raised above the centre.
inline constexpr int kMainFormRaise = 40;
inline constexpr int kAdvancedFormRaise = 10;

}  // namespace app
