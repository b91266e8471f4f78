// Pictures as PNG files (24-bit RGB, written by stb_image_write): the same
// pixels always give the same bytes.
#pragma once

#include <cstdint>
#include <string>

namespace antraid {

// The PNG file of a width x height raster of 0xFFRRGGBB pixels, row after
// row from the top left; empty when it cannot be encoded.
std::string EncodePng(int width, int height, const uint32_t* pixels);

// Writes EncodePng's bytes to `path`; false when it cannot.
bool WritePng(const std::string& path, int width, int height, const uint32_t* pixels);

}  // namespace antraid
