// skingen OUTDIR [--skin NAME] [--preview PREFIX]: draws a shipped skin (the default one unless
// NAME says otherwise) into OUTDIR: its images, its definition and order.txt for skinpack. With
// --preview it also writes PREFIX-sheet.png (every image enlarged) and PREFIX-mock.png (mock
// windows) for looking at.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ArtKit.h"
#include "DefaultSkin.h"
#include "Preview.h"
#include "SkinStyle.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: skingen OUTDIR [--skin NAME] [--preview PREFIX]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string dir = args[0];
  std::string skinName = "default", preview;
  for (size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage();
    if (args[i] == "--skin")
      skinName = args[i + 1];
    else if (args[i] == "--preview")
      preview = args[i + 1];
    else
      return Usage();
  }
  const skin::art::SkinStyle* style = skin::art::FindStyle(skinName);
  if (!style) {
    std::fprintf(stderr, "skingen: no shipped skin named '%s'\n", skinName.c_str());
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "skingen: cannot create %s: %s\n", dir.c_str(), ec.message().c_str());
    return 1;
  }
  try {
    const auto entries = skin::art::BuildSkin(*style);
    if (const std::string error = skin::art::WriteSkinFolder(entries, dir); !error.empty()) {
      std::fprintf(stderr, "skingen: %s\n", error.c_str());
      return 1;
    }
    if (!preview.empty()) {
      if (!skin::art::WritePng(skin::art::RenderContactSheet(entries, 3),
                               (preview + "-sheet.png").c_str()) ||
          !skin::art::WritePng(skin::art::RenderMockWindows(*style, entries),
                               (preview + "-mock.png").c_str(), 2)) {
        std::fprintf(stderr, "skingen: cannot write the preview images\n");
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skingen: %s\n", e.what());
    return 1;
  }
  return 0;
}
