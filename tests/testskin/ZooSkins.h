// The skin zoo: skins the engine was not made with, each a flat-colour test skin shaped by a row
// of style data, together spanning what a definition allows: captions from 18 to 60 pixels,
// borders from none to 16 pixels, strips of one frame and of the most frames, tiled and stretched
// middles, transparent and opaque borders, caption buttons left, right and mixed, every text
// alignment, optional elements present and missing, 1-pixel margins and 512-pixel images, and a
// skin for right-to-left windows. Test data: never shipped. Portable.
#pragma once

#include <string>
#include <vector>

#include "TestSkin.h"

namespace testskin {

enum class ButtonSide { kRight, kLeft, kMixed };  // mixed: close right, the others left

struct ZooStyle {
  std::string name;
  int captionHeight = 28;  // the top border's height
  int borderWidth = 4;     // the side borders' width and the bottom border's height; 0: none
  int borderFrames = 2;    // 1: the inactive window looks like the active one
  bool stretch = true;     // the borders' middles stretched (false: tiled)
  bool transparentBorders = true;
  int cornerKey = 0;  // magenta corners of this size on the top border (a rounded window)
  ButtonSide buttons = ButtonSide::kRight;
  int textAlignment = 0;  // 0 left, 1 centre, 2 right
  bool sunkEdge = false, menuBar = true;
  bool tileControls = false;  // the control strips tile their middles
  bool singleFrames = false;  // every strip whose definition gives a count has one frame
  bool mostFrames = false;    // ... or the most its element takes
  int margin = 2;             // the control strips' nine-slice margins
  int controlScale = 1;       // the control strips' frames this many times their usual size
  bool huge = false;          // backgrounds (menu, tab page, group box) of 512 x 512 pixels
  bool sparse = false;        // every optional element left out
};

// At least ten styles; their names are the zoo skins' names ("zoo-tall", ...).
const std::vector<ZooStyle>& ZooStyles();
TestSkin ZooSkin(const ZooStyle& style);

}  // namespace testskin
