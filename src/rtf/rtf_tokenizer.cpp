#include "rtf/rtf_tokenizer.h"

#include <algorithm>

namespace antraid::rtf {

namespace {

// Parameters are read digit by digit and saturate here, so no digit string
// can overflow; every meaningful RTF parameter is far smaller.
constexpr long long kParamLimit = 1000000000;

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

int HexValue(unsigned char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool EndsText(unsigned char c) { return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n'; }

}  // namespace

Tokenizer::Tokenizer(std::string_view in) : in_(in) {
  if (in_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

Token Tokenizer::Next() {
  Token t;
  while (pos_ < in_.size()) {
    const unsigned char c = static_cast<unsigned char>(in_[pos_]);
    if (c == '\r' || c == '\n') {
      ++pos_;
      continue;
    }
    if (c == '{' || c == '}') {
      ++pos_;
      t.kind = c == '{' ? Token::Kind::kOpen : Token::Kind::kClose;
      return t;
    }
    if (c != '\\') {
      const std::size_t start = pos_;
      while (pos_ < in_.size() && !EndsText(static_cast<unsigned char>(in_[pos_]))) ++pos_;
      t.kind = Token::Kind::kText;
      t.text = in_.substr(start, pos_ - start);
      return t;
    }
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) break;
    const unsigned char s = static_cast<unsigned char>(in_[pos_]);
    if (IsLetter(s)) return Word();
    ++pos_;
    if (s != '\'') {
      t.kind = Token::Kind::kSymbol;
      t.symbol = s;
      return t;
    }
    t.kind = Token::Kind::kHex;
    while (t.hexDigits < 2 && pos_ < in_.size()) {
      const int h = HexValue(static_cast<unsigned char>(in_[pos_]));
      if (h < 0) break;
      t.value = t.value * 16 + h;
      ++t.hexDigits;
      ++pos_;
    }
    return t;
  }
  t.kind = Token::Kind::kEnd;
  return t;
}

// A control word: letters, then an optional parameter (a '-' counts only
// when a digit follows), then an optional delimiting blank.
Token Tokenizer::Word() {
  Token t;
  t.kind = Token::Kind::kWord;
  const std::size_t start = pos_;
  while (pos_ < in_.size() && IsLetter(static_cast<unsigned char>(in_[pos_]))) ++pos_;
  t.text = in_.substr(start, pos_ - start);

  bool negative = false;
  long long magnitude = 0;
  if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
    negative = true;
    ++pos_;
  }
  while (pos_ < in_.size() && IsDigit(static_cast<unsigned char>(in_[pos_]))) {
    t.hasParam = true;
    magnitude = std::min(kParamLimit, magnitude * 10 + (in_[pos_] - '0'));
    ++pos_;
  }
  if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
  t.param = static_cast<int>(negative ? -magnitude : magnitude);

  if (t.text == "bin" && t.hasParam && t.param > 0)
    pos_ += std::min(static_cast<std::size_t>(t.param), in_.size() - pos_);
  return t;
}

}  // namespace antraid::rtf
