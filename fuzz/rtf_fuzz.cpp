// Fuzz target for the help window's RTF reader. Besides crashes and sanitizer
// findings it traps on a broken promise of the reader: every run is non-empty
// valid UTF-8 with a positive font size and a 24-bit colour, and neighbouring
// runs of one paragraph differ in format.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/rtf_reader.h"

namespace {

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t len;
    char32_t cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c < 0xE0) {
      len = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c < 0xF0) {
      len = 3;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c < 0xF5) {
      len = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      const unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    const char32_t min = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const antraid::RtfDocument doc =
      antraid::ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const antraid::RtfParagraph& paragraph : doc.paragraphs) {
    for (std::size_t i = 0; i < paragraph.runs.size(); ++i) {
      const antraid::RtfRun& run = paragraph.runs[i];
      if (run.text.empty() || !IsValidUtf8(run.text)) __builtin_trap();
      if (!(run.font_size > 0.0)) __builtin_trap();
      if (run.color && *run.color > 0xFFFFFF) __builtin_trap();
      if (i > 0 && run.SameFormat(paragraph.runs[i - 1])) __builtin_trap();
    }
  }
  return 0;
}
