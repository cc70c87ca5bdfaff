// Helpers of the skin-stream tests: SHA-256 for the reference streams' digests, file reading, and
// a reader for the BMP files the test skins contain.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace streamtest {

std::string Sha256Hex(std::span<const uint8_t> data);
std::vector<uint8_t> ReadFile(const std::string& path);
// Bottom-up 24/32-bit BI_RGB BMP, as skin::EncodeBmp writes it; empty buffer for anything else.
skin::PixelBuffer DecodeTestBmp(std::span<const uint8_t> bmp);
std::vector<uint8_t> Bytes(std::string_view text);

}  // namespace streamtest
