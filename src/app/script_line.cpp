#include "app/script_line.h"

namespace antraid {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t b = 0; b < text.size();) {
    size_t e = text.find('\n', b);
    if (e == std::string_view::npos) e = text.size();
    std::string_view line = text.substr(b, e - b);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    b = e + 1;
  }
  return lines;
}

std::string OneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // CR LF: one break
    line += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
  }
  return line;
}

std::string ShownInMessage(std::string_view text) {
  constexpr size_t kShown = 40;
  std::string s = "\"";
  for (size_t i = 0; i < text.size() && i < kShown; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    s += (c < 0x20 || c == 0x7f) ? '?' : static_cast<char>(c);
  }
  if (text.size() > kShown) s += "...";
  return s + "\"";
}

std::optional<std::string_view> LineWords::Next() {
  size_t b = 0;
  while (b < rest_.size() && IsBlank(rest_[b])) ++b;
  if (b == rest_.size()) {
    rest_ = {};
    return std::nullopt;
  }
  size_t e = b;
  while (e < rest_.size() && !IsBlank(rest_[e])) ++e;
  std::string_view word = rest_.substr(b, e - b);
  rest_.remove_prefix(e);
  return word;
}

std::string_view LineWords::RestOfLine() {
  std::string_view r = rest_.empty() ? rest_ : rest_.substr(1);
  rest_ = {};
  return r;
}

std::string_view LineWords::Rest() {
  size_t b = 0;
  while (b < rest_.size() && IsBlank(rest_[b])) ++b;
  std::string_view r = rest_.substr(b);
  rest_ = {};
  return r;
}

}  // namespace antraid
