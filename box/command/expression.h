// The "#" calculator: VBScript expressions evaluated with the language's own types, operators and
// built-in functions, without a script engine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmo {

// Evaluates a VBScript expression; the result as CStr gives it, or nullopt on any failure
// (syntax, division by zero, overflow, type mismatch, unknown name, too deep).
std::optional<std::u16string> EvaluateExpression(std::u16string_view text);

}  // namespace velmo
