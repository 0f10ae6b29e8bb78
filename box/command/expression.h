// The "#" calculator: evaluates a VBScript expression.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmo {

// The value as text, as VBScript's CStr writes it; nullopt when the expression fails.
std::optional<std::u16string> EvaluateExpression(std::u16string_view expression);

}  // namespace velmo
