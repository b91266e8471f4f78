#include "rtf/rtf_document_builder.h"

#include <algorithm>
#include <array>
#include <utility>

#include "rtf/rtf_keywords.h"

namespace antraid::rtf {

namespace {

constexpr int kMaxHalfPoints = 3276;
constexpr std::size_t kMaxColors = 1u << 16;
constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 bytes 0x80..0x9F; the five unassigned ones become U+FFFD.
// Every other byte is the code point of the same number.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char32_t FromCp1252(unsigned char b) {
  return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b;
}

// A code point as UTF-8 in a small buffer; surrogates and values beyond
// U+10FFFF become U+FFFD.
class Utf8Char {
 public:
  explicit Utf8Char(char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
      Put(cp);
    } else if (cp < 0x800) {
      Put(0xC0 | (cp >> 6));
      Put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      Put(0xE0 | (cp >> 12));
      Put(0x80 | ((cp >> 6) & 0x3F));
      Put(0x80 | (cp & 0x3F));
    } else {
      Put(0xF0 | (cp >> 18));
      Put(0x80 | ((cp >> 12) & 0x3F));
      Put(0x80 | ((cp >> 6) & 0x3F));
      Put(0x80 | (cp & 0x3F));
    }
  }
  std::string_view view() const { return {bytes_, size_}; }

 private:
  void Put(char32_t byte) { bytes_[size_++] = static_cast<char>(byte); }
  char bytes_[4] = {};
  std::size_t size_ = 0;
};

// Stray control bytes are not text; a tab is.
bool IsControl(int c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

}  // namespace

DocumentBuilder::DocumentBuilder(RtfDocument& doc) : doc_(doc) { stack_.emplace_back(); }

void DocumentBuilder::Take(const Token& token) {
  switch (token.kind) {
    case Token::Kind::kOpen:
      OpenGroup();
      break;
    case Token::Kind::kClose:
      CloseGroup();
      break;
    case Token::Kind::kText:
      Text(token.text);
      break;
    case Token::Kind::kSymbol:
      Symbol(token.symbol);
      break;
    case Token::Kind::kHex:
      Hex(token.value, token.hexDigits);
      break;
    case Token::Kind::kWord:
      Word(token.text, token.hasParam, token.param);
      break;
    case Token::Kind::kEnd:
      break;
  }
}

void DocumentBuilder::Finish() {
  FlushHighSurrogate();
  if (!paragraph_.runs.empty()) doc_.paragraphs.push_back(std::move(paragraph_));
}

// Nesting deeper than kRtfMaxGroupDepth shares the formatting of the deepest
// kept level instead of growing the stack.
void DocumentBuilder::OpenGroup() {
  fallbackLeft_ = 0;
  if (stack_.size() <= kRtfMaxGroupDepth) {
    stack_.push_back(stack_.back());
  } else {
    ++overflowDepth_;
  }
  atGroupStart_ = true;
  ignorable_ = false;
}

// A '}' with no open group is ignored.
void DocumentBuilder::CloseGroup() {
  fallbackLeft_ = 0;
  atGroupStart_ = false;
  ignorable_ = false;
  if (overflowDepth_ > 0) {
    --overflowDepth_;
  } else if (stack_.size() > 1) {
    stack_.pop_back();
  }
}

void DocumentBuilder::Text(std::string_view bytes) {
  atGroupStart_ = false;
  const Destination dest = State().destination;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const unsigned char c = static_cast<unsigned char>(bytes[pos]);
    if (dest == Destination::kText && fallbackLeft_ == 0 && c >= 0x20 && c < 0x7F) {
      // Fast path: a whole stretch of printable ASCII goes in one append.
      std::size_t end = pos + 1;
      while (end < bytes.size()) {
        const unsigned char d = static_cast<unsigned char>(bytes[end]);
        if (d < 0x20 || d >= 0x7F) break;
        ++end;
      }
      Emit(bytes.substr(pos, end - pos));
      pos = end;
      continue;
    }
    ++pos;
    if (IsControl(c)) continue;
    if (ConsumeFallback()) continue;
    if (dest == Destination::kColorTable) {
      if (c == ';') EndColorEntry();
    } else if (dest == Destination::kText) {
      EmitChar(FromCp1252(c));
    }
  }
}

void DocumentBuilder::Symbol(unsigned char c) {
  if (c == '*') {
    // Marks a destination this reader may not know: the group is skipped.
    if (atGroupStart_) ignorable_ = true;
    return;
  }
  atGroupStart_ = false;
  if (ConsumeFallback() || State().destination != Destination::kText) return;
  switch (c) {
    case '\\':
    case '{':
    case '}':
      EmitChar(c);
      break;
    case '~':
      EmitChar(0x00A0);
      break;
    case '-':
      EmitChar(0x00AD);
      break;
    case '_':
      EmitChar(0x2011);
      break;
    case '\r':
    case '\n':
      EndParagraph();
      break;
    default:
      break;  // other symbols (index and formula marks) show nothing
  }
}

// \'hh: one Windows-1252 character; with fewer than two digits, none.
void DocumentBuilder::Hex(int value, int digits) {
  atGroupStart_ = false;
  if (ConsumeFallback() || digits < 2) return;
  if (State().destination != Destination::kText) return;
  if (IsControl(value)) return;
  EmitChar(FromCp1252(static_cast<unsigned char>(value)));
}

void DocumentBuilder::Word(std::string_view word, bool hasParam, int param) {
  const Keyword* kw = FindKeyword(word);
  const bool groupStart = atGroupStart_;
  const bool ignorable = ignorable_;
  atGroupStart_ = false;
  ignorable_ = false;

  if (kw && kw->action == Action::kBin) {
    // The tokenizer has passed over the data.
    ConsumeFallback();
    return;
  }
  if (ConsumeFallback()) return;

  // A destination word right after '{' decides what the group holds.
  GroupState& st = State();
  if (groupStart && st.destination != Destination::kSkip) {
    if (kw && kw->action == Action::kColorTable && !ignorable) {
      st.destination = Destination::kColorTable;
      colors_.clear();
      ResetColorEntry();
      return;
    }
    if (ignorable || (kw && kw->action == Action::kSkipDestination)) {
      st.destination = Destination::kSkip;
      return;
    }
  }
  if (!kw || st.destination == Destination::kSkip) return;

  if (st.destination == Destination::kColorTable) {
    const int component = std::clamp(param, 0, 255);
    switch (kw->action) {
      case Action::kRed:
        entry_ = (entry_ & 0x00FFFF) | (static_cast<uint32_t>(component) << 16);
        entrySet_ = true;
        break;
      case Action::kGreen:
        entry_ = (entry_ & 0xFF00FF) | (static_cast<uint32_t>(component) << 8);
        entrySet_ = true;
        break;
      case Action::kBlue:
        entry_ = (entry_ & 0xFFFF00) | static_cast<uint32_t>(component);
        entrySet_ = true;
        break;
      default:
        break;
    }
    return;
  }

  const bool on = !hasParam || param != 0;
  switch (kw->action) {
    case Action::kBold:
      st.bold = on;
      break;
    case Action::kItalic:
      st.italic = on;
      break;
    case Action::kUnderline:
      st.underline = on;
      break;
    case Action::kUnderlineOff:
      st.underline = false;
      break;
    case Action::kPlain:
      st.bold = st.italic = st.underline = false;
      st.halfPoints = kDefaultHalfPoints;
      st.colorIndex = 0;
      break;
    case Action::kFontSize:
      st.halfPoints = hasParam && param > 0 ? std::min(param, kMaxHalfPoints) : kDefaultHalfPoints;
      break;
    case Action::kColor:
      st.colorIndex = std::max(param, 0);
      break;
    case Action::kUnicodeSkip:
      st.unicodeSkip = std::clamp(param, 0, 0xFFFF);
      break;
    case Action::kUnicode:
      if (hasParam) Unicode(param);
      break;
    case Action::kPar:
      EndParagraph();
      break;
    case Action::kTab:
      EmitChar('\t');
      break;
    case Action::kChar:
      EmitChar(kw->ch);
      break;
    default:
      break;
  }
}

// \uN: N is a signed 16-bit value; a high and a low surrogate in a row make
// one character.
void DocumentBuilder::Unicode(int n) {
  fallbackLeft_ = State().unicodeSkip;
  long long cp = n < 0 ? n + 65536LL : n;
  if (cp < 0 || cp > 0xFFFF) cp = kReplacement;
  if (cp >= 0xD800 && cp <= 0xDBFF) {
    FlushHighSurrogate();
    highSurrogate_ = static_cast<char32_t>(cp);
    return;
  }
  if (cp >= 0xDC00 && cp <= 0xDFFF) {
    if (highSurrogate_ == 0) {
      EmitChar(kReplacement);
    } else {
      char32_t joined = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (static_cast<char32_t>(cp) - 0xDC00);
      highSurrogate_ = 0;
      EmitChar(joined);
    }
    return;
  }
  if (cp < 0x20 && cp != '\t') return;
  EmitChar(static_cast<char32_t>(cp));
}

// After \uN the next unicodeSkip characters are the fallback for readers
// without Unicode: each text byte or control sequence counts as one.
bool DocumentBuilder::ConsumeFallback() {
  if (fallbackLeft_ == 0) return false;
  --fallbackLeft_;
  return true;
}

void DocumentBuilder::ResetColorEntry() {
  entry_ = 0;
  entrySet_ = false;
}

// An entry without components is the "auto" colour: the viewer's default.
void DocumentBuilder::EndColorEntry() {
  if (colors_.size() < kMaxColors) colors_.push_back(entrySet_ ? std::optional<uint32_t>(entry_) : std::nullopt);
  ResetColorEntry();
}

// A high surrogate with no low one after it stands for U+FFFD.
void DocumentBuilder::FlushHighSurrogate() {
  if (highSurrogate_ == 0) return;
  highSurrogate_ = 0;
  Append(Utf8Char(kReplacement).view());
}

void DocumentBuilder::EmitChar(char32_t cp) { Emit(Utf8Char(cp).view()); }

void DocumentBuilder::Emit(std::string_view utf8) {
  if (State().destination != Destination::kText) return;
  FlushHighSurrogate();
  Append(utf8);
}

// Text with the same format as the run before it joins that run.
void DocumentBuilder::Append(std::string_view utf8) {
  const GroupState& st = State();
  const double size = st.halfPoints / 2.0;
  std::optional<uint32_t> color;
  if (static_cast<std::size_t>(st.colorIndex) < colors_.size()) color = colors_[st.colorIndex];
  std::vector<RtfRun>& runs = paragraph_.runs;
  if (runs.empty() || runs.back().bold != st.bold || runs.back().italic != st.italic ||
      runs.back().underline != st.underline || runs.back().font_size != size || runs.back().color != color) {
    RtfRun& run = runs.emplace_back();
    run.bold = st.bold;
    run.italic = st.italic;
    run.underline = st.underline;
    run.font_size = size;
    run.color = color;
  }
  runs.back().text.append(utf8);
}

void DocumentBuilder::EndParagraph() {
  if (State().destination != Destination::kText) return;
  FlushHighSurrogate();
  doc_.paragraphs.push_back(std::move(paragraph_));
  paragraph_ = RtfParagraph();
}

}  // namespace antraid::rtf
