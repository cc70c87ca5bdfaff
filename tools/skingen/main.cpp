// skingen OUTDIR [--preview PREFIX]: draws the default skin into OUTDIR (the 36 images, the
// definition and order.txt for skinpack). With --preview it also writes PREFIX-sheet.png (every
// image enlarged) and PREFIX-mock.png (mock windows) for looking at.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "ArtKit.h"
#include "DefaultSkin.h"
#include "Preview.h"

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--preview") == 0)) {
    std::fprintf(stderr, "usage: skingen OUTDIR [--preview PREFIX]\n");
    return 2;
  }
  const std::string dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "skingen: cannot create %s: %s\n", dir.c_str(), ec.message().c_str());
    return 1;
  }
  try {
    const auto entries = skin::art::BuildDefaultSkin();
    if (const std::string error = skin::art::WriteSkinFolder(entries, dir); !error.empty()) {
      std::fprintf(stderr, "skingen: %s\n", error.c_str());
      return 1;
    }
    if (argc == 4) {
      const std::string prefix = argv[3];
      if (!skin::art::WritePng(skin::art::RenderContactSheet(entries, 3),
                               (prefix + "-sheet.png").c_str()) ||
          !skin::art::WritePng(skin::art::RenderMockWindows(entries),
                               (prefix + "-mock.png").c_str(), 2)) {
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
