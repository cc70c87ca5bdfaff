// Writes the zoo's skins as skin files (NAME.skn) into a folder, where the gallery's "Open skin
// file" and `skinpack lint` take them: skinzoo OUT-FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ZooSkins.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skinzoo OUT-FOLDER\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::filesystem::create_directories(out);
  for (const testskin::ZooStyle& style : testskin::ZooStyles()) {
    const std::vector<uint8_t> stream = testskin::ZooSkin(style).Stream();
    const std::filesystem::path file = out / (style.name + ".skn");
    std::ofstream f(file, std::ios::binary);
    f.write(reinterpret_cast<const char*>(stream.data()), static_cast<std::streamsize>(stream.size()));
    if (!f) {
      std::fprintf(stderr, "skinzoo: cannot write %s\n", file.string().c_str());
      return 1;
    }
  }
  return 0;
}
