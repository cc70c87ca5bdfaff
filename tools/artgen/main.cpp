// artgen OUTDIR: draws the program's icons (Tarvimo.ico, Form2.ico), the credit badge strip
// (credits.bmp) and a preview sheet (artwork-preview.png) into OUTDIR.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "Artwork.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen OUTDIR\n");
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(argv[1], ec);
  if (ec) {
    std::fprintf(stderr, "artgen: cannot create %s: %s\n", argv[1], ec.message().c_str());
    return 1;
  }
  try {
    if (const std::string error = skin::art::WriteArtwork(argv[1]); !error.empty()) {
      std::fprintf(stderr, "artgen: %s\n", error.c_str());
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "artgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
