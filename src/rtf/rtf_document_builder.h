// The second half of the RTF reader: tokens into a document. It keeps the
// formatting of every open group, decides which text is visible (the body,
// not the font table, a picture or a \* group the reader does not know),
// reads the colour table, counts the fallback characters that follow a
// Unicode escape, and gathers styled runs into paragraphs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "rtf/rtf_reader.h"
#include "rtf/rtf_tokenizer.h"

namespace antraid::rtf {

class DocumentBuilder {
 public:
  explicit DocumentBuilder(RtfDocument& doc);

  void Take(const Token& token);
  // The input has ended: the paragraph in progress, if it holds text, is
  // the document's last.
  void Finish();

 private:
  enum class Destination : uint8_t { kText, kColorTable, kSkip };
  static constexpr int kDefaultHalfPoints = 24;  // 12 pt

  struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = kDefaultHalfPoints;  // font size
    int colorIndex = 0;                   // into the colour table
    int unicodeSkip = 1;                  // fallback characters that follow each \uN
    Destination destination = Destination::kText;
  };

  GroupState& State() { return stack_.back(); }

  void OpenGroup();
  void CloseGroup();
  void Text(std::string_view bytes);
  void Symbol(unsigned char c);
  void Hex(int value, int digits);
  void Word(std::string_view word, bool hasParam, int param);
  void Unicode(int n);
  bool ConsumeFallback();
  void ResetColorEntry();
  void EndColorEntry();
  void FlushHighSurrogate();
  void EmitChar(char32_t cp);
  void Emit(std::string_view utf8);
  void Append(std::string_view utf8);
  void EndParagraph();

  RtfDocument& doc_;
  std::vector<GroupState> stack_;
  std::size_t overflowDepth_ = 0;  // groups opened beyond the depth limit
  bool atGroupStart_ = false;      // no token yet since the last '{'
  bool ignorable_ = false;         // "\*" seen at the start of this group
  int fallbackLeft_ = 0;
  char32_t highSurrogate_ = 0;
  std::vector<std::optional<uint32_t>> colors_;
  uint32_t entry_ = 0;  // the colour table entry being read, 0xRRGGBB
  bool entrySet_ = false;
  RtfParagraph paragraph_;
};

}  // namespace antraid::rtf
