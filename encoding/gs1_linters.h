#pragma once
// The content checks GS1 names for AI data components (gs1_ai_table.h). Each
// decides from the component's characters alone; the character set and the
// length have been checked before.

#include <optional>
#include <string>
#include <string_view>

#include "encoding/gs1_ai_table.h"

namespace quillant::gs1 {

// The fault, worded for the person who typed the data ("check digit 4 should
// be 3"), or nothing when the component passes.
std::optional<std::string> Lint(Linter linter, std::string_view component);

}  // namespace quillant::gs1
