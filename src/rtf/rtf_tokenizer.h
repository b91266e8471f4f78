// The first half of the RTF reader: bytes into tokens. It knows the syntax
// only (braces, control words with their parameter, control symbols, hex
// escapes and the raw data of \binN); what the tokens mean is the document
// builder's business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace antraid::rtf {

struct Token {
  enum class Kind : uint8_t {
    kOpen,    // '{'
    kClose,   // '}'
    kWord,    // a control word: text holds its letters
    kSymbol,  // a control symbol other than \' : symbol holds the character
    kHex,     // \'hh: value holds the digits read, hexDigits how many (0 to 2)
    kText,    // bytes up to the next brace, backslash or line end
    kEnd,     // no more input
  };
  Kind kind = Kind::kEnd;
  std::string_view text;   // kWord, kText; a view into the input
  bool hasParam = false;   // kWord
  int param = 0;           // kWord
  unsigned char symbol = 0;  // kSymbol
  int value = 0;           // kHex
  int hexDigits = 0;       // kHex
};

class Tokenizer {
 public:
  // A byte order mark at the start is passed over.
  explicit Tokenizer(std::string_view in);

  // The next token. Line ends between tokens carry no meaning and give none;
  // a backslash at the very end of the input gives kEnd. The raw data after
  // \binN (N > 0) is passed over whole, whatever bytes it holds.
  Token Next();

 private:
  Token Word();

  std::string_view in_;
  std::size_t pos_ = 0;
};

}  // namespace antraid::rtf
