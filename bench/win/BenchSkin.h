// The skin a Win32 benchmark runs with: the default skin stream named on the command line (or by
// TARVIMO_DEFAULT_SKN), else an in-memory test skin; and a skin data component loading it the way
// the form reader does.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TestSkin.h"
#include "skin/data/WinSkinData.h"
#include "ui/Forms.h"

namespace bench {

inline std::vector<uint8_t> SkinPayload(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : "";
  if (path.empty())
    if (const char* env = std::getenv("TARVIMO_DEFAULT_SKN")) path = env;
  std::vector<uint8_t> stream;
  if (!path.empty()) {
    if (path[0] == '/') path = "Z:" + path;  // Wine's view of the Unix root
    std::ifstream in(path, std::ios::binary);
    stream.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (stream.empty()) return testskin::TestSkin().PropertyPayload();
  std::vector<uint8_t> payload(4 + stream.size());
  const auto n = static_cast<uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i) payload[static_cast<size_t>(i)] = static_cast<uint8_t>(n >> (8 * i));
  std::copy(stream.begin(), stream.end(), payload.begin() + 4);
  return payload;
}

inline skin::TSkinData* AddSkin(ui::TForm* form, const std::vector<uint8_t>& payload) {
  auto* data = new skin::TSkinData(form);
  data->MessageReporter = [](std::string_view) {};
  data->SetLoading(true);
  data->SetActive(true);
  ui::TMemoryStream stream;
  stream.WriteBuffer(payload.data(), static_cast<int64_t>(payload.size()));
  stream.SetPosition(0);
  data->ReadSkinStream(stream);
  data->Loaded();
  return data;
}

}  // namespace bench
