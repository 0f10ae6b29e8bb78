#include "box/command/expression.h"

namespace velmo {

std::optional<std::u16string> EvaluateExpression(std::u16string_view) { return std::nullopt; }

}  // namespace velmo
