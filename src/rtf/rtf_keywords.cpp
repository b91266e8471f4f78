#include "rtf/rtf_keywords.h"

#include <algorithm>
#include <iterator>

namespace antraid::rtf {

namespace {

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

}  // namespace

const Keyword* FindKeyword(std::string_view word) {
  auto it = std::lower_bound(std::begin(kKeywords), std::end(kKeywords), word,
                             [](const Keyword& k, std::string_view w) { return k.word < w; });
  return it != std::end(kKeywords) && it->word == word ? it : nullptr;
}

}  // namespace antraid::rtf
