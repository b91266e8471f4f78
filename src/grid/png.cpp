#include "grid/png.h"

#include <fstream>
#include <vector>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#endif
#include <stb_image_write.h>  // its code is compiled in canvas.cpp
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace antraid {

namespace {
void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}
}  // namespace

std::string EncodePng(int width, int height, const uint32_t* pixels) {
  if (width <= 0 || height <= 0) return {};
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  for (size_t i = 0, n = rgb.size() / 3; i < n; ++i) {
    const uint32_t p = pixels[i];
    rgb[3 * i] = static_cast<unsigned char>(p >> 16);
    rgb[3 * i + 1] = static_cast<unsigned char>(p >> 8);
    rgb[3 * i + 2] = static_cast<unsigned char>(p);
  }
  std::string png;
  if (stbi_write_png_to_func(Append, &png, width, height, 3, rgb.data(), width * 3) == 0) return {};
  return png;
}

bool WritePng(const std::string& path, int width, int height, const uint32_t* pixels) {
  const std::string png = EncodePng(width, height, pixels);
  if (png.empty()) return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace antraid
