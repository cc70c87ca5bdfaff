// Helpers of the skin data tests: a component loaded from an in-memory test skin, a recording fake
// of the skin manager, the default skin from the native build, and pixels of element bitmaps.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TestSkin.h"
#include "skin/data/WinSkinData.h"

namespace skindatatest {

// A stream holding a form's binary property payload.
inline std::unique_ptr<ui::TMemoryStream> PayloadStream(const std::vector<uint8_t>& payload) {
  auto stream = std::make_unique<ui::TMemoryStream>();
  if (!payload.empty()) stream->WriteBuffer(payload.data(), static_cast<int64_t>(payload.size()));
  stream->SetPosition(0);
  return stream;
}

// A component without owner whose older-file messages are collected instead of shown.
struct Component {
  std::unique_ptr<skin::TSkinData> data = std::make_unique<skin::TSkinData>(nullptr);
  std::vector<std::string> messages;

  Component() {
    data->MessageReporter = [this](std::string_view m) { messages.emplace_back(m); };
  }
  skin::TSkinData* operator->() const { return data.get(); }

  // As the form reader hands the property over.
  void Read(const std::vector<uint8_t>& payload) { data->ReadSkinStream(*PayloadStream(payload)); }
  void Read(const testskin::TestSkin& skin) { Read(skin.PropertyPayload()); }
};

// Frame `frame` (1-based) of an element's side-by-side frames: the colour in its middle.
inline skin::Colour FrameMiddle(skin::TDataSkinObject* e, int frame) {
  const skin::PixelBuffer p = skin::PixelsOf(*e->Bitmap);
  const int w = p.width() / std::max(e->Frame, 1);
  return p.Get(w * (frame - 1) + w / 2, p.height() / 2) & 0xFFFFFF;
}

inline skin::Colour PixelAt(ui::TBitmap& bitmap, int x, int y) {
  return skin::PixelsOf(bitmap).Get(x, y) & 0xFFFFFF;
}

// The default skin stream drawn by a native build (tools/skingen + skinpack). Looked for in
// TARVIMO_DEFAULT_SKN, then in the usual native build trees; empty when none was built.
inline std::vector<uint8_t> DefaultSkinStream() {
  std::vector<std::string> candidates;
  if (const char* env = std::getenv("TARVIMO_DEFAULT_SKN")) candidates.emplace_back(env);
  for (const char* tree : {"skindata-native", "native"})
    candidates.push_back(std::string(TARVIMO_SOURCE_DIR) + "/build/" + tree +
                         "/assets/default.skn");
  for (std::string path : candidates) {
    // Wine maps the Unix root to drive Z:.
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::ifstream in(path, std::ios::binary);
    if (!in) continue;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (!bytes.empty()) return bytes;
  }
  return {};
}

// A form payload around a skin stream.
inline std::vector<uint8_t> Framed(const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> out(4 + stream.size());
  const auto n = static_cast<uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(n >> (8 * i));
  std::copy(stream.begin(), stream.end(), out.begin() + 4);
  return out;
}

// Records what the component asks of the skin manager.
class FakeManager : public skin::ISkinScheduler, public skin::ISkinSchedulerProvider {
 public:
  FakeManager() { skin::SetSkinSchedulerProvider(this); }
  ~FakeManager() { skin::SetSkinSchedulerProvider(nullptr); }

  std::vector<std::string> calls;
  std::vector<skin::TSkinData*> registered;
  skin::TSkinData* current = nullptr;
  bool running = false;
  bool exists = false;

  skin::ISkinScheduler* Existing() override { return exists ? this : nullptr; }
  skin::ISkinScheduler* Ensure() override {
    if (!exists) calls.push_back("Create");
    exists = true;
    return this;
  }
  void AddSkinData(skin::TSkinData* s) override {
    registered.push_back(s);
    calls.push_back("AddSkinData");
  }
  void RemoveSkinData(skin::TSkinData* s) override {
    std::erase(registered, s);
    calls.push_back("RemoveSkinData");
  }
  void SetCurrentSkinData(skin::TSkinData* s) override {
    current = s;
    calls.push_back("SetCurrentSkinData");
  }
  void Schedule(int action, int delayMs) override {
    calls.push_back("Schedule(" + std::to_string(action) + "," + std::to_string(delayMs) + ")");
  }
  bool Running() const override { return running; }
  void SetRunning() override {
    running = true;
    calls.push_back("SetRunning");
  }
  void EnableForSkin() override { calls.push_back("EnableForSkin"); }
  void InstallHook() override { calls.push_back("InstallHook"); }
  void SkinFormIfVisible(ui::TCustomForm*) override { calls.push_back("SkinFormIfVisible"); }
  void RefreshForms(skin::TSkinData*) override { calls.push_back("RefreshForms"); }
};

}  // namespace skindatatest
