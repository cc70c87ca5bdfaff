// Fuzzes what a user's skin file reaches first: the LZH decoder and the package reader. The first
// byte picks the input's form: even, a skin stream (size + bit stream); odd, a decoded package.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::span<const uint8_t> input(data + 1, size - 1);
  skin::TSkinReader reader([](std::string_view) {});
  bool loaded;
  if (data[0] % 2 == 0) {
    // LoadPackage is DecodeStream + ParsePackage; decode once and check the size on the way.
    const skin::LzhResult r = skin::TLZH::DecodeStream(input);
    if (r.status != skin::LzhStatus::kOk) return 0;
    const uint32_t announced = input[0] | input[1] << 8 | input[2] << 16 | uint32_t{input[3]} << 24;
    if (r.bytes.size() != announced) __builtin_trap();
    loaded = reader.ParsePackage(r.bytes);
  } else {
    loaded = reader.ParsePackage(input);
  }
  if (!loaded) {
    if (reader.Count() != 0) __builtin_trap();
    return 0;
  }
  // Every entry lies inside the data; lookups by each name find that entry or an earlier twin.
  skin::TMemoryStream out;
  for (size_t i = 0; i < reader.Count(); ++i) {
    reader.FindEntry(reader.Names()[i], out);
    if (out.Size() != reader.Sizes()[reader.IndexOf(reader.Names()[i])]) __builtin_trap();
  }
  std::string name;
  reader.FindEntryContaining(".ini", out, name);
  skin::TQuickIni ini;
  ini.LoadFromStream(out);
  skin::ReadSkinDefinition(ini, [&](const std::string& entry) {
    const auto bytes = reader.Entry(entry);
    // Stand-in for the image decoder: a size derived from the entry, so image rules get exercised.
    const int w = bytes.empty() ? 0 : 1 + bytes[0] % 64,
              h = bytes.size() < 2 ? 1 : 1 + bytes[1] % 32;
    return w ? skin::PixelBuffer(w, h) : skin::PixelBuffer();
  });
  return 0;
}
