// A small reader for the rich-text files the help window shows. It turns the
// bytes of an RTF file into paragraphs of styled runs and knows nothing of any
// window toolkit; the viewer renders the result.
//
// What it understands: groups with their formatting scope, \par, \line (read
// as a paragraph break, like \page, \sect and the table's \row), \tab (and
// \cell as a tab), \b \i \ul (with a 0 parameter to switch off),
// \ulnone, \plain, \fsN, \cfN with the colour table, the escapes \\ \{ \},
// \'hh (Windows-1252), \uN with its \ucN fallback count, \~ \- \_, a few named
// characters (\bullet, \emdash, quotes), and it skips destinations that carry
// no visible text (font and style tables, document info, pictures, objects,
// headers and footers, \* groups, \binN data). Everything else is ignored.
//
// It accepts any input: malformed or truncated files, binary data, unbalanced
// braces and absurd parameters give a best-effort document, never an
// exception or undefined behaviour. Time and memory grow linearly with the
// input; group nesting deeper than kRtfMaxGroupDepth shares the formatting of
// the deepest kept level instead of growing a stack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace antraid {

inline constexpr std::size_t kRtfMaxGroupDepth = 10000;
// LoadRtfFile refuses files larger than this.
inline constexpr std::size_t kRtfMaxFileBytes = 64u << 20;

// A stretch of text with one character format. Adjacent text with the same
// format always lands in one run, and no run is empty.
struct RtfRun {
  std::string text;  // UTF-8; a tab is '\t'
  bool bold = false;
  bool italic = false;
  bool underline = false;
  double font_size = 12.0;        // points
  std::optional<uint32_t> color;  // 0xRRGGBB; empty: the viewer's default colour

  bool SameFormat(const RtfRun& other) const {
    return bold == other.bold && italic == other.italic && underline == other.underline &&
           font_size == other.font_size && color == other.color;
  }
};

// An empty paragraph (no runs) is a blank line.
struct RtfParagraph {
  std::vector<RtfRun> runs;
};

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;

  // The text without formatting, paragraphs separated by '\n'.
  std::string PlainText() const;
};

// Reads RTF bytes. Never throws; on exhausted memory it returns what it had
// read so far.
RtfDocument ReadRtf(std::string_view bytes) noexcept;

// Reads the file at path. A file that cannot be opened or read, or is larger
// than kRtfMaxFileBytes, gives nullopt and, when error is given, a short
// message naming the path and the reason. Never throws.
std::optional<RtfDocument> LoadRtfFile(const std::string& path, std::string* error) noexcept;

}  // namespace antraid
