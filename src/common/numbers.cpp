#include "common/numbers.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace antraid {

double RoundDecimals(double v, int decimals) {
  static constexpr double kScales[] = {1, 10, 100, 1000, 1e4, 1e5, 1e6, 1e7, 1e8};
  double scale = decimals >= 0 && decimals <= 8 ? kScales[decimals] : std::pow(10.0, decimals);
  return RoundHalfEven(v * scale) / scale;
}

std::optional<int16_t> ToInt16(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  double r = RoundHalfEven(v);
  if (r < -32768.0 || r > 32767.0) return std::nullopt;
  return static_cast<int16_t>(r);
}

std::optional<int32_t> ToInt32(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  double r = RoundHalfEven(v);
  if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
  return static_cast<int32_t>(r);
}

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

ParsedNumber ParseNumber(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  if (b == e) return {ParseStatus::Empty, 0.0};
  std::string_view s = text.substr(b, e - b);

  // Validate the shape first: [sign] digits [. digits] [e [sign] digits]
  size_t i = 0;
  bool negative = false;
  if (s[i] == '+' || s[i] == '-') {
    negative = s[i] == '-';
    ++i;
  }
  size_t mantissaStart = i;
  size_t intDigits = 0, fracDigits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++intDigits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++fracDigits;
  }
  if (intDigits + fracDigits == 0) return {ParseStatus::NotANumber, 0.0};
  bool negativeExponent = false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
      negativeExponent = s[i] == '-';
      ++i;
    }
    size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return {ParseStatus::NotANumber, 0.0};
  }
  if (i != s.size()) return {ParseStatus::NotANumber, 0.0};

  // std::from_chars is locale independent (the window toolkit may set a
  // locale with a decimal comma) and needs no terminating zero.
  std::string_view body = s.substr(mantissaStart);
  double value = 0.0;
  auto res = std::from_chars(body.data(), body.data() + body.size(), value,
                             std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    if (negativeExponent) {
      value = 0.0;  // underflow: the text names a number too small to hold
    } else {
      return {ParseStatus::OutOfRange, 0.0};
    }
  } else if (res.ec != std::errc() || res.ptr != body.data() + body.size()) {
    return {ParseStatus::NotANumber, 0.0};
  }
  if (negative) value = -value;
  if (value == 0.0) value = 0.0;  // "-0" reads as 0
  return {ParseStatus::Ok, value};
}

std::string_view FormatIntTo(char* buf, long long v) {
  auto res = std::to_chars(buf, buf + kNumberBufSize, v);
  return {buf, static_cast<size_t>(res.ptr - buf)};
}

namespace {

// Writes v rounded to `digits` significant digits. Plain decimal for decimal
// exponents from -15 to 14, otherwise mantissa and exponent ("1.5E+20").
std::string_view FormatSignificant(char* buf, double v, int digits) {
  if (v == 0.0 || !std::isfinite(v)) {
    if (std::isnan(v)) return {strcpy(buf, "NaN"), 3};
    if (std::isinf(v)) {
      if (v > 0) return {strcpy(buf, "Infinity"), 8};
      return {strcpy(buf, "-Infinity"), 9};
    }
    buf[0] = '0';
    return {buf, 1};
  }
  // Scientific form with digits-1 decimals gives correctly rounded digits.
  char sci[40];
  auto res = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific, digits - 1);
  std::string_view s(sci, static_cast<size_t>(res.ptr - sci));
  bool negative = s[0] == '-';
  if (negative) s.remove_prefix(1);
  size_t ePos = s.find('e');
  int exponent = 0;
  std::from_chars(s.data() + ePos + 1 + (s[ePos + 1] == '+' ? 1 : 0), s.data() + s.size(), exponent);
  char mant[24];
  size_t n = 0;
  for (size_t k = 0; k < ePos; ++k)
    if (s[k] != '.') mant[n++] = s[k];
  while (n > 1 && mant[n - 1] == '0') --n;  // drop trailing zeros

  char* out = buf;
  if (negative) *out++ = '-';
  if (exponent < -15 || exponent >= 15) {
    *out++ = mant[0];
    if (n > 1) {
      *out++ = '.';
      for (size_t k = 1; k < n; ++k) *out++ = mant[k];
    }
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    int a = exponent < 0 ? -exponent : exponent;
    if (a < 10) *out++ = '0';
    auto r2 = std::to_chars(out, buf + kNumberBufSize, a);
    out = r2.ptr;
  } else if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    for (int k = -1; k > exponent; --k) *out++ = '0';
    for (size_t k = 0; k < n; ++k) *out++ = mant[k];
  } else {
    size_t intLen = static_cast<size_t>(exponent) + 1;
    for (size_t k = 0; k < intLen; ++k) *out++ = k < n ? mant[k] : '0';
    if (n > intLen) {
      *out++ = '.';
      for (size_t k = intLen; k < n; ++k) *out++ = mant[k];
    }
  }
  return {buf, static_cast<size_t>(out - buf)};
}

}  // namespace

std::string_view FormatSingleTo(char* buf, float v) {
  float a = std::fabs(v);
  if (a < 1e15f && v == std::trunc(v)) return FormatIntTo(buf, static_cast<long long>(v));
  return FormatSignificant(buf, static_cast<double>(v), 7);
}

std::string_view FormatDoubleTo(char* buf, double v) {
  double a = std::fabs(v);
  if (a < 1e15 && v == std::trunc(v)) return FormatIntTo(buf, static_cast<long long>(v));
  return FormatSignificant(buf, v, 15);
}

namespace {
// Completes buf, which holds the number's text right after the prefix.
std::string_view Compose(char* buf, std::string_view prefix, std::string_view number, std::string_view suffix) {
  prefix.copy(buf, prefix.size());
  suffix.copy(buf + prefix.size() + number.size(), suffix.size());
  return {buf, prefix.size() + number.size() + suffix.size()};
}
}  // namespace

std::string_view ComposeInt(char* buf, std::string_view prefix, long long v, std::string_view suffix) {
  return Compose(buf, prefix, FormatIntTo(buf + prefix.size(), v), suffix);
}
std::string_view ComposeSingle(char* buf, std::string_view prefix, float v, std::string_view suffix) {
  return Compose(buf, prefix, FormatSingleTo(buf + prefix.size(), v), suffix);
}
std::string_view ComposeDouble(char* buf, std::string_view prefix, double v, std::string_view suffix) {
  return Compose(buf, prefix, FormatDoubleTo(buf + prefix.size(), v), suffix);
}

std::string FormatInt(long long v) {
  char buf[kNumberBufSize];
  return std::string(FormatIntTo(buf, v));
}
std::string FormatSingle(float v) {
  char buf[kNumberBufSize];
  return std::string(FormatSingleTo(buf, v));
}
std::string FormatDouble(double v) {
  char buf[kNumberBufSize];
  return std::string(FormatDoubleTo(buf, v));
}

}  // namespace antraid
