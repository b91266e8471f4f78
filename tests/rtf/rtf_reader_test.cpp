#include "rtf/rtf_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>

#include "../../fuzz/rtf_checks.h"

namespace antraid {
namespace {

// The run that holds the text (whole or part of it), or null.
const RtfRun* RunWith(const RtfDocument& doc, std::string_view text) {
  for (const RtfParagraph& p : doc.paragraphs)
    for (const RtfRun& r : p.runs)
      if (r.text.find(text) != std::string::npos) return &r;
  return nullptr;
}

std::string Text(std::string_view rtf) { return ReadRtf(rtf).PlainText(); }

TEST(RtfReaderTest, CharacterFormatSwitchesOnAndOffAndIsScopedByGroups) {
  RtfDocument doc = ReadRtf(
      "{\\rtf1 a{\\b b{\\i c\\b0 d}e}f\\ul g\\ul0 h\\ul i\\ulnone j"
      "\\fs36\\b\\i\\ul k\\plain l{\\fs9 m}}");
  EXPECT_EQ(doc.PlainText(), "abcdefghijklm");
  // Bold, italic, underline and the font size of the run holding each letter.
  const std::pair<const char*, const char*> kFormats[] = {
      {"a", "/12"},  {"b", "b/12"}, {"c", "bi/12"}, {"d", "i/12"}, {"e", "b/12"},   {"f", "/12"},
      {"g", "u/12"}, {"h", "/12"},  {"j", "/12"},   {"k", "biu/18"}, {"l", "/12"}, {"m", "/4.5"}};
  for (auto [letter, format] : kFormats) {
    const RtfRun* r = RunWith(doc, letter);
    ASSERT_NE(r, nullptr) << letter;
    std::ostringstream f;
    f << (r->bold ? "b" : "") << (r->italic ? "i" : "") << (r->underline ? "u" : "") << "/" << r->font_size;
    EXPECT_EQ(f.str(), format) << letter;
  }
  // Neighbouring text of one format shares a run.
  EXPECT_EQ(ReadRtf("{a{\\b0 b}\\b0 c}").paragraphs.at(0).runs.size(), 1u);
}

TEST(RtfReaderTest, ParagraphsTabsAndEscapedCharacters) {
  EXPECT_EQ(Text("{one\\par two\\line three\\par\\par five\\par}"), "one\ntwo\nthree\n\nfive");
  EXPECT_EQ(Text("{a\\tab b\tc}"), "a\tb\tc");
  EXPECT_EQ(Text("{\\\\ \\{x\\} }"), "\\ {x} ");
  EXPECT_EQ(Text("{a\\~b\\-c\\_d}"), "a\u00A0b\u00ADc\u2011d");
  EXPECT_EQ(Text("{line\r\nbreaks\nvanish\\\nbut this is a par}"), "linebreaksvanish\nbut this is a par");
  // \'hh is Windows-1252: its 0x80..0x9F block differs from Latin-1.
  EXPECT_EQ(Text("{\\'e9\\'80\\'93\\'FC\\'81}"), "\u00E9\u20AC\u201C\u00FC\uFFFD");
  EXPECT_EQ(Text("{caf\xe9}"), "caf\u00E9");
  // The block's edges: DEL is no text, 0x9F is its last entry, 0xA0 is Latin-1 again.
  EXPECT_EQ(Text("{\\'7f\\'9F\\'a0}"), "\u0178\u00A0");
}

// Named characters, table cells and the other breaks; every underline style
// underlines.
TEST(RtfReaderTest, NamedCharactersTablesAndUnderlineStyles) {
  EXPECT_EQ(Text("{\\bullet\\emdash\\endash\\lquote x\\rquote\\ldblquote y\\rdblquote\\emspace\\enspace\\qmspace}"),
            "\u2022\u2014\u2013\u2018x\u2019\u201Cy\u201D\u2003\u2002\u2005");
  EXPECT_EQ(Text("{\\trowd a\\cell b\\cell\\row c\\cell d\\cell\\row}"), "a\tb\t\nc\td\t");
  EXPECT_EQ(Text("{p\\page q\\sect r}"), "p\nq\nr");
  EXPECT_TRUE(ReadRtf("{a\\par\\par b}").paragraphs.at(1).runs.empty());  // a blank line has no runs
  for (const char* style : {"ul", "uld", "uldash", "uldb", "ulth", "ulw", "ulwave"}) {
    RtfDocument doc = ReadRtf(std::string("{a\\") + style + " b\\ulnone c}");
    EXPECT_TRUE(RunWith(doc, "b") && RunWith(doc, "b")->underline) << style;
    EXPECT_TRUE(RunWith(doc, "c") && !RunWith(doc, "c")->underline) << style;
  }
}

TEST(RtfReaderTest, UnicodeSkipsItsFallbackCharacters) {
  EXPECT_EQ(Text("{\\u8364?x}"), "\u20ACx");
  EXPECT_EQ(Text("{\\uc2\\u8364 EUx}"), "\u20ACx");
  EXPECT_EQ(Text("{\\uc0\\u8364 x}"), "\u20ACx");
  EXPECT_EQ(Text("{\\uc1\\u8364\\'80x}"), "\u20ACx");  // a control sequence is one fallback character
  EXPECT_EQ(Text("{\\u-3?x}"), "\uFFFDx");             // negative: N + 65536
  EXPECT_EQ(Text("{\\u-4064?}"), "\uF020");
  EXPECT_EQ(Text("{\\u-10179?\\u-8704?}"), "\U0001F600");  // surrogate pair
  EXPECT_EQ(Text("{\\u-10179?x\\u-8704?}"), "\uFFFDx\uFFFD");
  EXPECT_EQ(Text("{x\\u-10179?"), "x\uFFFD");  // a lone surrogate at the very end is not lost
  EXPECT_EQ(Text("{\\uc2{\\u8364}x}{\\uc3 y}\\u8364 abcz"), "\u20ACxy\u20ACbcz");  // a group ends the fallback; \uc is scoped
  EXPECT_EQ(Text("{\\u8364{x}}"), "\u20ACx");
}

TEST(RtfReaderTest, DestinationsWithoutVisibleTextAreSkipped) {
  RtfDocument doc = ReadRtf(
      "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Sans;}}{\\stylesheet{\\s0 Normal;}}"
      "{\\info{\\title T}{\\author A}}{\\*\\generator G;}{\\header H\\par}{\\footer F}"
      "{\\pict\\pngblip 89504e47}{\\object{\\*\\objdata 01}}{\\*\\unknown U{\\b V}}"
      "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}{\\pict\\bin6 {}}\\}a}|"
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;;}"
      "\\cf1 red \\cf2 navy \\cf3 auto \\cf0 zero \\cf4 beyond {\\cf1 r}\\cf2\\plain  back}");
  EXPECT_EQ(doc.PlainText(), "link|red navy auto zero beyond r back");
  const std::pair<const char*, std::optional<uint32_t>> kColours[] = {
      {"red", 0xFF0000u}, {"navy", 0x000080u}, {"auto", {}}, {"zero", {}}, {"beyond", {}}, {"back", {}}};
  for (const auto& [text, colour] : kColours) {
    const RtfRun* r = RunWith(doc, text);
    ASSERT_NE(r, nullptr) << text;
    EXPECT_EQ(r->color, colour) << text;
  }
}

// A control word ends at its parameter (a '-' is the parameter's only before
// a digit) and one blank; \binN passes over exactly N bytes; a leading UTF-8
// byte-order mark is not text.
TEST(RtfReaderTest, ControlWordsEndAtTheirParameterAndOneBlank) {
  RtfDocument doc = ReadRtf("\xEF\xBB\xBF{\\b1x\\b0  y\\i-z\\plain\\fs-4 w\\bin2 \\}v}");
  EXPECT_EQ(doc.PlainText(), "x y-zwv");
  const RtfRun* x = RunWith(doc, "x");
  const RtfRun* y = RunWith(doc, " y");
  const RtfRun* z = RunWith(doc, "-z");
  const RtfRun* w = RunWith(doc, "wv");
  ASSERT_TRUE(x && y && z && w);
  EXPECT_TRUE(x->bold && !y->bold && !y->italic && z->italic && !z->bold && !w->italic);
  EXPECT_EQ(w->font_size, 12.0);
}

// Colour components clamp to a byte, a font size of 0 or none is the default
// 12 points, and control characters are not text in any spelling but a tab.
TEST(RtfReaderTest, OutOfRangeFormatsAndControlCharacters) {
  RtfDocument doc = ReadRtf(
      "{\\colortbl;\\red300\\green-5\\blue128;}{\\cf1 c}{\\fs0 d}{\\fs e}{\\fs7 f}"
      "{\\*\\colortbl;\\red1;}{\\cf1 g}{\\colortbl;\\blue7;}{\\cf1 h}");
  EXPECT_EQ(doc.PlainText(), "cdefgh");
  const std::tuple<const char*, double, std::optional<uint32_t>> kRuns[] = {
      {"c", 12, 0xFF0080u}, {"d", 12, {}}, {"e", 12, {}}, {"f", 3.5, {}}, {"g", 12, 0xFF0080u}, {"h", 12, 0x000007u}};
  for (const auto& [text, size, colour] : kRuns) {
    const RtfRun* r = RunWith(doc, text);
    ASSERT_NE(r, nullptr) << text;
    EXPECT_EQ(r->font_size, size) << text;
    EXPECT_EQ(r->color, colour) << text;
  }
  EXPECT_EQ(Text("{a\\'09b\\'0ac\x01\x7f\\u7?d\\u9?e\\'4z{\\*\\b hidden}}"), "a\tbcd\tez");
}

TEST(RtfReaderTest, MalformedAndTruncatedInputGivesBestEffortText) {
  EXPECT_EQ(Text("}}x}{\\b y"), "xy");
  EXPECT_EQ(Text("{\\fs99999999999999999999999 a\\cf-99999999999 b\\u99999999999?c\\u70000?\\uc-5\\u65d\\bin999999999"),
            "ab\uFFFDc\uFFFDAd");
  EXPECT_EQ(ReadRtf("{\\fs4294967295 a}").paragraphs.at(0).runs.at(0).font_size, 1638.0);
  const std::string whole = "{\\rtf1{\\fonttbl{\\f0 S;}}\\b caf\\'e9 \\u-10179?\\u-8704? {\\pict\\bin3 }}}x\\par}";
  for (std::size_t n = 0; n <= whole.size(); ++n) EXPECT_TRUE(fuzzing::IsValidUtf8(Text(whole.substr(0, n)))) << n;
  std::mt19937 rng(7);
  std::string garbage(1 << 16, '\0');
  for (char& c : garbage) c = static_cast<char>(rng());
  EXPECT_TRUE(fuzzing::KeepsItsPromises(ReadRtf(garbage)));
}

// Nesting far deeper than any document uses needs no recursion; inputs far
// beyond the fuzzer's 64 kB read whole (how fast is for the benchmark).
TEST(RtfReaderTest, DeepNestingAndLargeInputReadWhole) {
  const std::string open(100000, '{'), close(100000, '}');
  RtfDocument deep = ReadRtf("{a" + open + "\\b deep" + close + "b}");
  EXPECT_EQ(deep.PlainText(), "adeepb");
  ASSERT_TRUE(RunWith(deep, "deep") && RunWith(deep, "b"));
  EXPECT_TRUE(RunWith(deep, "deep")->bold);
  EXPECT_FALSE(RunWith(deep, "b")->bold);

  // 2 MB: some 5,000 paragraphs of a few runs each, then one paragraph of
  // over 10,000 runs.
  const std::string filler(160, 'x');
  std::string big = "{\\rtf1 ";
  while (big.size() < (1u << 20)) big += filler + " {\\b bold} caf\\'e9 \\u8364? \\par ";
  while (big.size() < (1u << 21)) big += "{\\i i}" + filler;
  RtfDocument doc = ReadRtf(big + "}");
  ASSERT_GT(doc.paragraphs.size(), 5000u);
  EXPECT_EQ(doc.paragraphs[doc.paragraphs.size() - 2].runs.back().text, " caf\u00E9 \u20AC ");
  EXPECT_GT(doc.paragraphs.back().runs.size(), 10000u);
  EXPECT_EQ(doc.paragraphs.back().runs.back().text, filler);
}

TEST(RtfReaderTest, LoadsFilesAndReportsUnreadableOnes) {
  std::string error;
  EXPECT_FALSE(LoadRtfFile("/nonexistent/help.rtf", &error).has_value());
  EXPECT_NE(error.find("help.rtf"), std::string::npos);
  EXPECT_FALSE(LoadRtfFile(std::filesystem::temp_directory_path().string(), nullptr).has_value());
  // A file of exactly the largest size reads; one byte more is refused.
  const std::filesystem::path large =
      std::filesystem::temp_directory_path() / ("antraid_large_help_" + std::to_string(::getpid()) + ".rtf");
  std::ofstream(large, std::ios::binary | std::ios::trunc).close();
  std::filesystem::resize_file(large, kRtfMaxFileBytes);
  EXPECT_TRUE(LoadRtfFile(large.string(), nullptr).has_value());
  std::filesystem::resize_file(large, kRtfMaxFileBytes + 1);
  EXPECT_FALSE(LoadRtfFile(large.string(), &error).has_value());
  EXPECT_EQ(error, "cannot read " + large.string() + ": file too large");
  std::filesystem::remove(large);

  // The program's own help document reads as styled text.
  std::optional<RtfDocument> help = LoadRtfFile(std::string(ANTRAID_SOURCE_DIR) + "/assets/help.rtf", &error);
  ASSERT_TRUE(help.has_value()) << error;
  const RtfRun* title = RunWith(*help, "Model Information");
  ASSERT_NE(title, nullptr);
  EXPECT_TRUE(title->bold);
  EXPECT_GT(title->font_size, 12.0);
  const std::string text = help->PlainText();
  for (const char* caption : {"Total #:", "Ants / patch:", "Stagger Leave times:", "Save every", "Run Time:",
                              "Swarm Width:", "Plot Pher.", "TrackAnts0.bmp", "\\results\\"}) {
    EXPECT_NE(text.find(caption), std::string::npos) << caption;
  }
}

}  // namespace
}  // namespace antraid
