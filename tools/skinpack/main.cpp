// skinpack: the command-line face of the package writer and encoder.
//   skinpack pack DIR STREAM      entries in DIR/order.txt order (else the default skin's order)
//   skinpack list STREAM          name and size of each entry
//   skinpack extract STREAM DIR   every entry into DIR
//   skinpack decode STREAM OUT    the raw decoded bytes, read with the program's own decoder
//   skinpack lint DIR|STREAM      what the engine would get wrong in a skin, one line per finding;
//                                 exit 0 when there is nothing, 1 when there is, 2 on bad usage
//   skinpack ranges               every number the definition reads: its range and meaning
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "SkinLint.h"
#include "SkinPack.h"
#include "skin/data/SkinNumbers.h"
#include "skin/data/SkinRead.h"

namespace fs = std::filesystem;

namespace {

struct ToolError {
  std::string message;
};

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ToolError{"cannot open " + path.string()};
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, std::span<const uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw ToolError{"cannot write " + path.string()};
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw ToolError{"cannot write " + path.string()};
}

int Pack(const fs::path& dir, const fs::path& streamPath) {
  const std::vector<skinpack::PackageEntry> entries = skinpack::ReadSkinFolder(dir).entries;
  const std::vector<uint8_t> package = skinpack::BuildPackage(entries);
  const std::vector<uint8_t> stream = skinpack::EncodeSkinStream(package);
  // Never ship a stream the program could not read back.
  const skin::LzhResult check = skin::TLZH::DecodeStream(stream);
  if (check.status != skin::LzhStatus::kOk || check.bytes != package)
    throw ToolError{"internal error: the encoded stream does not decode to the package"};
  WriteFile(streamPath, stream);
  std::printf("%zu entries, package %zu bytes, stream %zu bytes\n", entries.size(), package.size(),
              stream.size());
  return 0;
}

skin::TSkinReader LoadReader(const fs::path& streamPath) {
  std::optional<std::string> reported;
  skin::TSkinReader reader([&](std::string_view m) { reported = std::string(m); });
  if (!reader.LoadPackage(ReadFile(streamPath)))
    throw ToolError{streamPath.string() + ": " + reader.LastError()};
  return reader;
}

int List(const fs::path& streamPath) {
  const skin::TSkinReader reader = LoadReader(streamPath);
  for (size_t i = 0; i < reader.Count(); ++i)
    std::printf("%s %u\n", reader.Names()[i].c_str(), reader.Sizes()[i]);
  return 0;
}

int Extract(const fs::path& streamPath, const fs::path& dir) {
  const skin::TSkinReader reader = LoadReader(streamPath);
  fs::create_directories(dir);
  std::string order;
  for (size_t i = 0; i < reader.Count(); ++i) {
    const std::string& name = reader.Names()[i];
    // Entry names come from the file: keep them inside the target folder.
    if (name.empty() || name.find_first_of("/\\:") != std::string::npos || name == "." ||
        name == "..")
      throw ToolError{"refusing unsafe entry name '" + name + "'"};
    WriteFile(dir / name, reader.EntryData(i));
    order += name + "\n";
  }
  WriteFile(dir / "order.txt",
            std::span(reinterpret_cast<const uint8_t*>(order.data()), order.size()));
  std::printf("%zu entries extracted\n", reader.Count());
  return 0;
}

int Decode(const fs::path& streamPath, const fs::path& outPath) {
  const skin::LzhResult result = skin::TLZH::DecodeStream(ReadFile(streamPath));
  switch (result.status) {
    case skin::LzhStatus::kOk:
      break;
    case skin::LzhStatus::kTruncated:
      throw ToolError{streamPath.string() + ": the stream is truncated"};
    case skin::LzhStatus::kTooLarge:
      throw ToolError{streamPath.string() + ": the announced size is implausible"};
  }
  WriteFile(outPath, result.bytes);
  return 0;
}

int Lint(const std::string& path) {
  const std::vector<skinpack::LintFinding> findings = skinpack::LintPath(path);
  for (const skinpack::LintFinding& f : findings) std::printf("%s\n", f.Format().c_str());
  return findings.empty() ? 0 : 1;
}

int Ranges() {
  for (const skin::NumberRule& r : skin::NumberRules())
    std::printf("%-22s %-14s %s\n", std::string(r.key).c_str(), skin::RangeText(r).c_str(),
                std::string(r.what).c_str());
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: skinpack pack DIR STREAM\n"
               "       skinpack list STREAM\n"
               "       skinpack extract STREAM DIR\n"
               "       skinpack decode STREAM OUT\n"
               "       skinpack lint DIR|STREAM\n"
               "       skinpack ranges\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
    if (args.size() == 2 && args[0] == "list") return List(args[1]);
    if (args.size() == 3 && args[0] == "extract") return Extract(args[1], args[2]);
    if (args.size() == 3 && args[0] == "decode") return Decode(args[1], args[2]);
    if (args.size() == 2 && args[0] == "lint") return Lint(args[1]);
    if (args.size() == 1 && args[0] == "ranges") return Ranges();
    return Usage();
  } catch (const ToolError& e) {
    std::fprintf(stderr, "skinpack: %s\n", e.message.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinpack: %s\n", e.what());
  }
  return 1;
}
