// The program's version, as the window's About box, saved sessions and
// parameter files and the sweep's about.txt name it.
#pragma once

#include <string_view>

namespace antraid {

inline constexpr std::string_view kVersion = "1.1.0";

}  // namespace antraid
