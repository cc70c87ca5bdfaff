// The lint for skin authors: what the engine would silently get wrong in a skin, said before it
// happens. It reads the package, the definition and the images with the program's own readers, so
// it sees the skin exactly as the engine does, and reports every image that is missing or does not
// decode, strips that do not divide into their frames, margins wider than a frame, magenta where
// the element is drawn opaque, sections and keys the engine never reads (with the nearest name it
// does read), an unknown package version, entries out of order, shadowed or unused, and text
// colours too close to what they are drawn on (SkinContrast.h). Portable.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "SkinPack.h"

namespace skinpack {

struct LintFinding {
  std::string file;   // the skin file or folder, and the entry: "dark.skn:checkbox.bmp"
  int line = 0;       // line of the definition, 0 when the finding is not about a line
  std::string where;  // "[Section] Key", "[Section]" or empty
  std::string what;

  // "file[:line]: [Section] Key: what"
  std::string Format() const;
};

// A skin stream (the content of a .skn file). `label` names it in the findings.
std::vector<LintFinding> LintSkinStream(std::span<const uint8_t> stream, const std::string& label);

// The entries of a skin folder, in the order skinpack packs them. `unlisted` are the files of the
// folder that order.txt leaves out (they would not be packed).
struct SkinFolder {
  std::vector<PackageEntry> entries;
  std::vector<std::string> unlisted;
};
// Throws std::runtime_error when the folder cannot be read or order.txt names a missing file.
SkinFolder ReadSkinFolder(const std::string& dir);
std::vector<LintFinding> LintSkinFolder(const SkinFolder& folder, const std::string& label);

// A folder or a .skn file, by what the path is.
std::vector<LintFinding> LintPath(const std::string& path);

// Edit distance, for "did you mean": case-insensitive.
int NameDistance(std::string_view a, std::string_view b);

}  // namespace skinpack
