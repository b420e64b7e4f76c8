#pragma once
// Quillant2's symbol as a label printer's own commands (ZPL II or EPL2): the
// printer draws every module on its own dots, at the place, size and turn
// the properties give, converted to dots at DeviceResolution (203 when 0).
// Positions are read in twips, as without a drawing object.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/label_properties.h"

namespace quillant::render {

enum class CommandLanguage { kZpl, kEpl };

// "ZPL" or "EPL", in any case; none for anything else.
std::optional<CommandLanguage> FindCommandLanguage(std::u16string_view name);

// The resolution the commands are written for.
constexpr int32_t kDefaultLabelResolution = 203;

// One label holding the symbol: values are its symbol values (start through
// check character), modules its module string. Errors 5 and 380 name what
// the language cannot print exactly (printer_field_data.h, vb_error.h).
std::string LabelCommands(const LabelProperties& properties, const std::vector<int>& values,
                          std::string_view modules, CommandLanguage language);

}  // namespace quillant::render
