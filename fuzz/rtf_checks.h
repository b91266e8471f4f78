// The promises of the RTF reader whatever its input: every run is non-empty
// valid UTF-8 with a positive font size and a 24-bit colour, and neighbouring
// runs of one paragraph differ in format. The RTF fuzzer and the reader's
// tests share them.
#pragma once

#include <cstddef>
#include <string_view>

#include "rtf/rtf_reader.h"

namespace antraid::fuzzing {

// Shortest forms only, no surrogates, nothing beyond U+10FFFF.
inline bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t len =
        c < 0x80 ? 1 : c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xF0 && c < 0xF5 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    char32_t cp = len == 1 ? c : c & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
      const unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    const char32_t least = len == 1 ? 0 : len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

inline bool KeepsItsPromises(const RtfDocument& doc) {
  for (const RtfParagraph& paragraph : doc.paragraphs)
    for (std::size_t i = 0; i < paragraph.runs.size(); ++i) {
      const RtfRun& run = paragraph.runs[i];
      if (run.text.empty() || !IsValidUtf8(run.text) || !(run.font_size > 0.0)) return false;
      if ((run.color && *run.color > 0xFFFFFF) || (i > 0 && run.SameFormat(paragraph.runs[i - 1]))) return false;
    }
  return true;
}

}  // namespace antraid::fuzzing
