// The names of the form's fields that MainForm::FieldText reads (scripted
// sessions and tests).
#pragma once

#include <string>
#include <vector>

namespace antraid {

std::vector<std::string> FormFieldNames();

}  // namespace antraid
