// Cells of comma-separated tables, as the program's tools write and read them.
#pragma once

#include <string>
#include <string_view>

namespace antraid {

// One cell: quoted when it holds a comma, a quote or a line break.
inline std::string CsvCell(std::string_view v) {
  if (v.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(v);
  std::string q = "\"";
  for (char c : v) {
    if (c == '"') q += '"';
    q += c;
  }
  q += '"';
  return q;
}

}  // namespace antraid
