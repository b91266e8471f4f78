// SHA-256 of a text as 64 lower-case hexadecimal digits (OpenSSL's digest:
// a well-kept library rather than a hash of our own).
#pragma once

#include <string>
#include <string_view>

namespace antraid::experiments {

std::string Sha256Hex(std::string_view data);

}  // namespace antraid::experiments
