// Number and text rules of the program: the only place that rounds reals to
// whole numbers, reads numbers from texts and writes numbers as texts.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace antraid {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Adding and subtracting 1.5 * 2^52 makes the FPU round to an integer in its
// default mode (nearest, ties to even) as long as |v| < 2^51. From 2^51 to 2^52
// halves still exist and the sum would round them wrongly, so larger
// magnitudes (and NaN) take the library's rounding, which is rarely needed.
// Inline: the model step rounds several times per ant.
inline double RoundHalfEven(double v) {
  constexpr double kMagic = 6755399441055744.0;  // 1.5 * 2^52
  if (!(v < 2251799813685248.0 && v > -2251799813685248.0)) return std::nearbyint(v);
  double t = v + kMagic;
#if defined(__GNUC__) && defined(__x86_64__)
  __asm__("" : "+x"(t));  // the sum must be rounded to a double here, never folded away
#endif
  return t - kMagic;
}

// Nearest multiple of 10^-decimals, halves to even on the scaled value.
double RoundDecimals(double v, int decimals);

// A real rounded half to even into a 16/32-bit signed integer. Values whose
// rounded form lies outside the type's range, and non-finite values, are
// refused (nullopt), never wrapped.
std::optional<int16_t> ToInt16(double v);
std::optional<int32_t> ToInt32(double v);

enum class ParseStatus { Ok, Empty, NotANumber, OutOfRange };

struct ParsedNumber {
  ParseStatus status = ParseStatus::Empty;
  double value = 0.0;  // meaningful only when status is Ok
  bool ok() const { return status == ParseStatus::Ok; }
};

// The numeric value of a text: optional blanks, optional sign, digits with an
// optional decimal point, an optional exponent, optional blanks. The empty
// (or all-blank) text is Empty; anything else malformed is NotANumber; a value
// beyond the range of a 64-bit float is OutOfRange. Tiny values underflow to 0.
ParsedNumber ParseNumber(std::string_view text);

// Text of numbers: plain decimal, no leading blank, no exponent for magnitudes
// from 1e-15 up to 1e15; a whole value has no decimal point.
// 32-bit floats keep up to 7 significant digits, 64-bit floats up to 15.
// The *To forms write into buf (at least kNumberBufSize chars) and return the
// written text; they allocate nothing.
inline constexpr int kNumberBufSize = 48;
std::string_view FormatIntTo(char* buf, long long v);
std::string_view FormatSingleTo(char* buf, float v);
std::string_view FormatDoubleTo(char* buf, double v);

// "<prefix><number><suffix>" written into buf, as the *To forms write the
// number; buf holds at least prefix.size() + kNumberBufSize + suffix.size()
// chars. Hot captions and per-step messages are composed this way.
std::string_view ComposeInt(char* buf, std::string_view prefix, long long v, std::string_view suffix);
std::string_view ComposeSingle(char* buf, std::string_view prefix, float v, std::string_view suffix);
std::string_view ComposeDouble(char* buf, std::string_view prefix, double v, std::string_view suffix);

std::string FormatInt(long long v);
std::string FormatSingle(float v);
std::string FormatDouble(double v);
inline const char* FormatBool(bool b) { return b ? "True" : "False"; }

// 24-bit colour: r + 256 g + 65536 b, each component 0..255.
constexpr uint32_t RGB(int r, int g, int b) {
  return static_cast<uint32_t>(r & 255) | (static_cast<uint32_t>(g & 255) << 8) |
         (static_cast<uint32_t>(b & 255) << 16);
}

}  // namespace antraid
