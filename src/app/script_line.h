// The lines and words of an antraid-script, as the script runner reads them
// and as parameter files and recorded sessions are read and written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace antraid {

// The lines of a script: split at each line feed, with a carriage return
// just before it dropped.
std::vector<std::string_view> SplitLines(std::string_view text);

// A text as one script line can carry it: each line break (CR LF, CR or LF)
// becomes one blank.
std::string OneLine(std::string_view text);
inline bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// A word or line of a script as a message quotes it: in double quotes,
// control characters shown as '?', cut after 40 characters with "...".
std::string ShownInMessage(std::string_view text);

// The words of one line, separated by blanks and tabs.
class LineWords {
 public:
  explicit LineWords(std::string_view line) : rest_(line) {}

  // The next word; nullopt at the end of the line.
  std::optional<std::string_view> Next();
  // Everything after the single blank that follows the last word read: the
  // text of `type NAME TEXT`, which may be empty and may hold blanks.
  std::string_view RestOfLine();
  // Everything after the blanks that follow the last word read.
  std::string_view Rest();

  static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

 private:
  std::string_view rest_;
};

}  // namespace antraid
