// Reading a document: the tokenizer's tokens fed to the document builder;
// and the file around it.
#include "rtf/rtf_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "rtf/rtf_document_builder.h"
#include "rtf/rtf_tokenizer.h"

namespace antraid {

namespace {

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
    rtf::Tokenizer tokens(bytes);
    rtf::DocumentBuilder builder(doc);
    for (rtf::Token t = tokens.Next(); t.kind != rtf::Token::Kind::kEnd; t = tokens.Next()) builder.Take(t);
    builder.Finish();
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
