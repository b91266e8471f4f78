#include "app/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace antraid {

namespace {

// Parameters are read digit by digit and saturate here, so no digit string
// can overflow; every meaningful RTF parameter is far smaller.
constexpr long long kParamLimit = 1000000000;
constexpr int kDefaultHalfPoints = 24;
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

// Sorted by word for binary search.
constexpr Keyword kKeywords[] = {
    {"aftncn", Action::kSkipDestination, 0},
    {"aftnsep", Action::kSkipDestination, 0},
    {"aftnsepc", Action::kSkipDestination, 0},
    {"annotation", Action::kSkipDestination, 0},
    {"atnauthor", Action::kSkipDestination, 0},
    {"atnid", Action::kSkipDestination, 0},
    {"author", Action::kSkipDestination, 0},
    {"b", Action::kBold, 0},
    {"bin", Action::kBin, 0},
    {"bkmkend", Action::kSkipDestination, 0},
    {"bkmkstart", Action::kSkipDestination, 0},
    {"blue", Action::kBlue, 0},
    {"bullet", Action::kChar, 0x2022},
    {"cell", Action::kTab, 0},
    {"cf", Action::kColor, 0},
    {"colortbl", Action::kColorTable, 0},
    {"comment", Action::kSkipDestination, 0},
    {"datastore", Action::kSkipDestination, 0},
    {"doccomm", Action::kSkipDestination, 0},
    {"emdash", Action::kChar, 0x2014},
    {"emspace", Action::kChar, 0x2003},
    {"endash", Action::kChar, 0x2013},
    {"enspace", Action::kChar, 0x2002},
    {"fldinst", Action::kSkipDestination, 0},
    {"fonttbl", Action::kSkipDestination, 0},
    {"footer", Action::kSkipDestination, 0},
    {"footerf", Action::kSkipDestination, 0},
    {"footerl", Action::kSkipDestination, 0},
    {"footerr", Action::kSkipDestination, 0},
    {"footnote", Action::kSkipDestination, 0},
    {"fs", Action::kFontSize, 0},
    {"ftncn", Action::kSkipDestination, 0},
    {"ftnsep", Action::kSkipDestination, 0},
    {"ftnsepc", Action::kSkipDestination, 0},
    {"generator", Action::kSkipDestination, 0},
    {"green", Action::kGreen, 0},
    {"header", Action::kSkipDestination, 0},
    {"headerf", Action::kSkipDestination, 0},
    {"headerl", Action::kSkipDestination, 0},
    {"headerr", Action::kSkipDestination, 0},
    {"i", Action::kItalic, 0},
    {"info", Action::kSkipDestination, 0},
    {"keywords", Action::kSkipDestination, 0},
    {"ldblquote", Action::kChar, 0x201C},
    {"line", Action::kPar, 0},
    {"listoverridetable", Action::kSkipDestination, 0},
    {"listtable", Action::kSkipDestination, 0},
    {"lquote", Action::kChar, 0x2018},
    {"nonshppict", Action::kSkipDestination, 0},
    {"object", Action::kSkipDestination, 0},
    {"operator", Action::kSkipDestination, 0},
    {"page", Action::kPar, 0},
    {"par", Action::kPar, 0},
    {"pict", Action::kSkipDestination, 0},
    {"plain", Action::kPlain, 0},
    {"pn", Action::kSkipDestination, 0},
    {"private", Action::kSkipDestination, 0},
    {"qmspace", Action::kChar, 0x2005},
    {"rdblquote", Action::kChar, 0x201D},
    {"red", Action::kRed, 0},
    {"revtbl", Action::kSkipDestination, 0},
    {"row", Action::kPar, 0},
    {"rquote", Action::kChar, 0x2019},
    {"rsidtbl", Action::kSkipDestination, 0},
    {"sect", Action::kPar, 0},
    {"stylesheet", Action::kSkipDestination, 0},
    {"subject", Action::kSkipDestination, 0},
    {"tab", Action::kTab, 0},
    {"tc", Action::kSkipDestination, 0},
    {"template", Action::kSkipDestination, 0},
    {"title", Action::kSkipDestination, 0},
    {"u", Action::kUnicode, 0},
    {"uc", Action::kUnicodeSkip, 0},
    {"ul", Action::kUnderline, 0},
    {"uld", Action::kUnderline, 0},
    {"uldash", Action::kUnderline, 0},
    {"uldb", Action::kUnderline, 0},
    {"ulnone", Action::kUnderlineOff, 0},
    {"ulth", Action::kUnderline, 0},
    {"ulw", Action::kUnderline, 0},
    {"ulwave", Action::kUnderline, 0},
    {"xe", Action::kSkipDestination, 0},
};

static_assert(std::is_sorted(std::begin(kKeywords), std::end(kKeywords),
                             [](const Keyword& a, const Keyword& b) { return a.word < b.word; }));

const Keyword* FindKeyword(std::string_view word) {
  auto it = std::lower_bound(std::begin(kKeywords), std::end(kKeywords), word,
                             [](const Keyword& k, std::string_view w) { return k.word < w; });
  return it != std::end(kKeywords) && it->word == word ? it : nullptr;
}

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

int HexValue(unsigned char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
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

char32_t FromCp1252(unsigned char b) {
  return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b;
}

enum class Destination : uint8_t { kText, kColorTable, kSkip };

struct GroupState {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int half_points = kDefaultHalfPoints;
  int color_index = 0;
  int unicode_skip = 1;  // fallback characters that follow each \uN
  Destination destination = Destination::kText;
};

class Parser {
 public:
  explicit Parser(RtfDocument& doc) : doc_(doc) { stack_.emplace_back(); }

  void Run(std::string_view in) {
    in_ = in;
    if (in_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    while (pos_ < in_.size()) {
      unsigned char c = static_cast<unsigned char>(in_[pos_]);
      if (c == '{') {
        ++pos_;
        OpenGroup();
      } else if (c == '}') {
        ++pos_;
        CloseGroup();
      } else if (c == '\\') {
        ControlSequence();
      } else if (c == '\r' || c == '\n') {
        ++pos_;  // line structure of the file carries no meaning
      } else {
        TextBytes();
      }
    }
    EndOfInput();
  }

 private:
  GroupState& State() { return stack_.back(); }

  void OpenGroup() {
    fallback_left_ = 0;
    if (stack_.size() <= kRtfMaxGroupDepth) {
      stack_.push_back(stack_.back());
    } else {
      ++overflow_depth_;
    }
    at_group_start_ = true;
    ignorable_ = false;
  }

  void CloseGroup() {
    fallback_left_ = 0;
    at_group_start_ = false;
    ignorable_ = false;
    if (overflow_depth_ > 0) {
      --overflow_depth_;
    } else if (stack_.size() > 1) {
      stack_.pop_back();
    }
    // A '}' with no open group is ignored.
  }

  // Plain bytes up to the next brace, backslash or line end.
  void TextBytes() {
    at_group_start_ = false;
    const Destination dest = State().destination;
    while (pos_ < in_.size()) {
      unsigned char c = static_cast<unsigned char>(in_[pos_]);
      if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n') return;
      if (dest == Destination::kText && fallback_left_ == 0 && c >= 0x20 && c < 0x7F) {
        // Fast path: a whole stretch of printable ASCII goes in one append.
        std::size_t end = pos_ + 1;
        while (end < in_.size()) {
          unsigned char d = static_cast<unsigned char>(in_[end]);
          if (d < 0x20 || d >= 0x7F || d == '{' || d == '}' || d == '\\') break;
          ++end;
        }
        Emit(in_.substr(pos_, end - pos_));
        pos_ = end;
        continue;
      }
      ++pos_;
      if ((c < 0x20 && c != '\t') || c == 0x7F) continue;  // stray control bytes are not text
      if (ConsumeFallback()) continue;
      if (dest == Destination::kColorTable) {
        if (c == ';') EndColorEntry();
      } else if (dest == Destination::kText) {
        EmitChar(FromCp1252(c));
      }
    }
  }

  void ControlSequence() {
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) return;
    unsigned char c = static_cast<unsigned char>(in_[pos_]);
    if (IsLetter(c)) {
      ControlWord();
    } else {
      ++pos_;
      ControlSymbol(c);
    }
  }

  void ControlSymbol(unsigned char c) {
    if (c == '*') {
      // Marks a destination this reader may not know: the group is skipped.
      if (at_group_start_) ignorable_ = true;
      return;
    }
    at_group_start_ = false;
    if (c == '\'') {
      int value = 0;
      int digits = 0;
      while (digits < 2 && pos_ < in_.size()) {
        int h = HexValue(static_cast<unsigned char>(in_[pos_]));
        if (h < 0) break;
        value = value * 16 + h;
        ++digits;
        ++pos_;
      }
      if (ConsumeFallback() || digits < 2) return;
      if (State().destination != Destination::kText) return;
      if ((value < 0x20 && value != '\t') || value == 0x7F) return;
      EmitChar(FromCp1252(static_cast<unsigned char>(value)));
      return;
    }
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

  void ControlWord() {
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(static_cast<unsigned char>(in_[pos_]))) ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);

    bool has_param = false;
    bool negative = false;
    long long magnitude = 0;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && IsDigit(static_cast<unsigned char>(in_[pos_]))) {
      has_param = true;
      magnitude = std::min(kParamLimit, magnitude * 10 + (in_[pos_] - '0'));
      ++pos_;
    }
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiting blank
    const int param = static_cast<int>(negative ? -magnitude : magnitude);

    const Keyword* kw = FindKeyword(word);
    const bool group_start = at_group_start_;
    const bool ignorable = ignorable_;
    at_group_start_ = false;
    ignorable_ = false;

    if (kw && kw->action == Action::kBin) {
      // Raw data follows whatever the destination; it may hold any byte.
      if (has_param && param > 0) {
        pos_ += std::min(static_cast<std::size_t>(param), in_.size() - pos_);
      }
      ConsumeFallback();
      return;
    }
    if (ConsumeFallback()) return;

    GroupState& st = State();
    if (group_start && st.destination != Destination::kSkip) {
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
          entry_set_ = true;
          break;
        case Action::kGreen:
          entry_ = (entry_ & 0xFF00FF) | (static_cast<uint32_t>(component) << 8);
          entry_set_ = true;
          break;
        case Action::kBlue:
          entry_ = (entry_ & 0xFFFF00) | static_cast<uint32_t>(component);
          entry_set_ = true;
          break;
        default:
          break;
      }
      return;
    }

    const bool on = !has_param || param != 0;
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
        st.half_points = kDefaultHalfPoints;
        st.color_index = 0;
        break;
      case Action::kFontSize:
        st.half_points = has_param && param > 0 ? std::min(param, kMaxHalfPoints) : kDefaultHalfPoints;
        break;
      case Action::kColor:
        st.color_index = std::max(param, 0);
        break;
      case Action::kUnicodeSkip:
        st.unicode_skip = std::clamp(param, 0, 0xFFFF);
        break;
      case Action::kUnicode:
        if (has_param) Unicode(param);
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

  // \uN: N is a signed 16-bit value; a high and a low surrogate in a row
  // make one character.
  void Unicode(int n) {
    fallback_left_ = State().unicode_skip;
    long long cp = n < 0 ? n + 65536LL : n;
    if (cp < 0 || cp > 0xFFFF) cp = kReplacement;
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      FlushHighSurrogate();
      high_surrogate_ = static_cast<char32_t>(cp);
      return;
    }
    if (cp >= 0xDC00 && cp <= 0xDFFF) {
      if (high_surrogate_ == 0) {
        EmitChar(kReplacement);
      } else {
        char32_t joined = 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (static_cast<char32_t>(cp) - 0xDC00);
        high_surrogate_ = 0;
        EmitChar(joined);
      }
      return;
    }
    if (cp < 0x20 && cp != '\t') return;
    EmitChar(static_cast<char32_t>(cp));
  }

  // After \uN the next unicode_skip characters are the fallback for readers
  // without Unicode: each text byte or control sequence counts as one.
  bool ConsumeFallback() {
    if (fallback_left_ == 0) return false;
    --fallback_left_;
    return true;
  }

  void ResetColorEntry() {
    entry_ = 0;
    entry_set_ = false;
  }

  // An entry without components is the "auto" colour: the viewer's default.
  void EndColorEntry() {
    if (colors_.size() < kMaxColors) {
      colors_.push_back(entry_set_ ? std::optional<uint32_t>(entry_) : std::nullopt);
    }
    ResetColorEntry();
  }

  void FlushHighSurrogate() {
    if (high_surrogate_ == 0) return;
    high_surrogate_ = 0;
    Append(Utf8Char(kReplacement).view());
  }

  void EmitChar(char32_t cp) { Emit(Utf8Char(cp).view()); }

  void Emit(std::string_view utf8) {
    if (State().destination != Destination::kText) return;
    FlushHighSurrogate();
    Append(utf8);
  }

  void Append(std::string_view utf8) {
    const GroupState& st = State();
    const double size = st.half_points / 2.0;
    std::optional<uint32_t> color;
    if (static_cast<std::size_t>(st.color_index) < colors_.size()) color = colors_[st.color_index];
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

  void EndParagraph() {
    if (State().destination != Destination::kText) return;
    FlushHighSurrogate();
    doc_.paragraphs.push_back(std::move(paragraph_));
    paragraph_ = RtfParagraph();
  }

  void EndOfInput() {
    FlushHighSurrogate();
    if (!paragraph_.runs.empty()) doc_.paragraphs.push_back(std::move(paragraph_));
  }

  RtfDocument& doc_;
  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;
  std::size_t overflow_depth_ = 0;  // groups opened beyond the depth limit
  bool at_group_start_ = false;     // no token yet since the last '{'
  bool ignorable_ = false;          // "\*" seen at the start of this group
  int fallback_left_ = 0;
  char32_t high_surrogate_ = 0;
  std::vector<std::optional<uint32_t>> colors_;
  uint32_t entry_ = 0;
  bool entry_set_ = false;
  RtfParagraph paragraph_;
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::string RtfDocument::PlainText() const {
  std::string out;
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) out += '\n';
    for (const RtfRun& run : paragraphs[i].runs) out += run.text;
  }
  return out;
}

RtfDocument ReadRtf(std::string_view bytes) noexcept {
  RtfDocument doc;
  try {
    Parser parser(doc);
    parser.Run(bytes);
  } catch (...) {
    // Only allocation can fail; keep the paragraphs completed so far.
  }
  return doc;
}

std::optional<RtfDocument> LoadRtfFile(const std::string& path, std::string* error) noexcept {
  auto fail = [&](const char* reason) -> std::optional<RtfDocument> {
    if (error) {
      try {
        *error = "cannot read " + path + ": " + reason;
      } catch (...) {
      }
    }
    return std::nullopt;
  };
  try {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return fail(errno ? std::strerror(errno) : "cannot open");
    std::string data;
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
      if (data.size() + got > kRtfMaxFileBytes) return fail("file too large");
      data.append(buffer, got);
    }
    if (std::ferror(file.get())) return fail(errno ? std::strerror(errno) : "read error");
    return ReadRtf(data);
  } catch (...) {
    return fail("out of memory");
  }
}

}  // namespace antraid
