// Fuzzes the skin definition reader: arbitrary ini text through TQuickIni, the value formats and
// the whole catalogue (with stand-in images so the caption-button rules run).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "skin/data/WinSkinIni.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  skin::TQuickIni ini;
  ini.LoadFromText(text);
  int32_t v;
  skin::ParseIniInteger(text.substr(0, 40), v);
  skin::ParseColourTriple(text.substr(0, 80));
  skin::ImageEntryName(text.substr(0, 80));
  const skin::SkinDefinition d = skin::ReadSkinDefinition(ini, [](const std::string& entry) {
    return skin::PixelBuffer(1 + static_cast<int>(entry.size() % 50),
                             1 + static_cast<unsigned char>(entry[0]) % 20);
  });
  if (d.CaptionButtons.size() < 3) __builtin_trap();  // the MDI buttons always exist
  return 0;
}
