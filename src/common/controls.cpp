#include "common/controls.h"

namespace antraid {

void TextControl::Store(std::string_view t) { text_.assign(t.data(), t.size()); }

}  // namespace antraid
