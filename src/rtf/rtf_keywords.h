// The RTF control words the reader acts on, and what each does. Control
// words not listed here are ignored.
#pragma once

#include <cstdint>
#include <string_view>

namespace antraid::rtf {

enum class Action : uint8_t {
  kBold, kItalic, kUnderline, kUnderlineOff, kPlain, kFontSize, kColor,
  kRed, kGreen, kBlue, kColorTable, kSkipDestination,
  kPar, kTab, kUnicode, kUnicodeSkip, kBin, kChar,
};

struct Keyword {
  std::string_view word;
  Action action;
  char32_t ch;  // for kChar
};

// The keyword of a control word, or nullptr for a word the reader ignores.
const Keyword* FindKeyword(std::string_view word);

}  // namespace antraid::rtf
