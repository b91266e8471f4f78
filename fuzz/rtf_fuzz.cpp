// Fuzz target for the help window's RTF reader. Besides crashes and sanitizer
// findings it traps on a broken promise of the reader (see rtf_checks.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rtf_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (!antraid::fuzzing::KeepsItsPromises(antraid::ReadRtf(input))) __builtin_trap();
  return 0;
}
