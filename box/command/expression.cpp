// A recursive-descent evaluator over a token list. Failures set a sticky flag instead of throwing:
// once it is set every step returns at once and the result is discarded.
#include "box/command/expression.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "box/storage/text_codec.h"

namespace velmo {

namespace {

// Bounds that keep every input cheap: the preview evaluates on each keystroke.
constexpr std::size_t kMaxTextLength = 1024;
constexpr std::size_t kMaxStringLength = 65535;
constexpr int kMaxDepth = 32;  // nested parentheses and function calls

enum class Type { kBoolean, kInteger, kLong, kDouble, kString };

struct Value {
  Type type = Type::kInteger;
  std::int32_t whole = 0;  // Boolean (True is -1), Integer and Long
  double real = 0;
  std::u16string text;
};

Value Of(Type type, std::int32_t whole) {
  Value v;
  v.type = type;
  v.whole = whole;
  return v;
}

Value Of(double real) {
  Value v;
  v.type = Type::kDouble;
  v.real = real;
  return v;
}

bool IsWhole(Type t) { return t == Type::kBoolean || t == Type::kInteger || t == Type::kLong; }

// A whole value as a number: Boolean becomes Integer.
Value AsNumber(const Value& v) {
  return Of(v.type == Type::kLong ? Type::kLong : Type::kInteger, v.whole);
}

Value Boolean(bool b) { return Of(Type::kBoolean, b ? -1 : 0); }

std::u16string Ascii(std::string_view s) { return std::u16string(s.begin(), s.end()); }

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; }
char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }

int DigitValue(char16_t c) {
  if (IsDigit(c)) return c - u'0';
  c = Lower(c);
  return c >= u'a' && c <= u'f' ? c - u'a' + 10 : 99;
}

int RadixAfterAmpersand(std::u16string_view s, std::size_t pos) {
  if (pos + 2 >= s.size() || s[pos] != u'&') return 0;
  int radix = Lower(s[pos + 1]) == u'h' ? 16 : Lower(s[pos + 1]) == u'o' ? 8 : 0;
  return radix != 0 && DigitValue(s[pos + 2]) < radix ? radix : 0;
}

// A numeric literal at `pos`: digits with an optional fraction and exponent, or &H / &O digits.
// Whole decimals are Integer or Long when they fit; &H and &O take the bits of a 16-bit Integer
// when the value fits in 16 bits, else of a 32-bit Long (&HFFFF is -1).
std::optional<Value> ReadNumber(std::u16string_view s, std::size_t& pos) {
  if (int radix = RadixAfterAmpersand(s, pos)) {
    pos += 2;
    std::uint64_t v = 0;
    for (; pos < s.size() && DigitValue(s[pos]) < radix; ++pos) {
      v = v * radix + DigitValue(s[pos]);
      if (v > 0xFFFFFFFFu) return std::nullopt;
    }
    if (v <= 0xFFFF) return Of(Type::kInteger, static_cast<std::int16_t>(v));
    return Of(Type::kLong, static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
  }
  std::string ascii;
  auto digits = [&] {
    for (; pos < s.size() && IsDigit(s[pos]); ++pos) ascii += static_cast<char>(s[pos]);
  };
  digits();
  bool whole = true;
  if (pos < s.size() && s[pos] == u'.') {
    whole = false;
    ascii += '.';
    ++pos;
    digits();
  }
  if (ascii.empty() || ascii == ".") return std::nullopt;
  if (pos < s.size() && Lower(s[pos]) == u'e') {
    std::size_t sign = pos + 1 < s.size() && (s[pos + 1] == u'+' || s[pos + 1] == u'-') ? 1 : 0;
    if (pos + 1 + sign < s.size() && IsDigit(s[pos + 1 + sign])) {
      whole = false;
      ascii += 'e';
      if (sign) ascii += static_cast<char>(s[pos + 1]);
      pos += 1 + sign;
      digits();
    }
  }
  if (whole) {
    std::int64_t v = 0;
    for (char c : ascii) {
      v = v * 10 + (c - '0');
      if (v > std::numeric_limits<std::int32_t>::max()) break;
    }
    if (v <= std::numeric_limits<std::int16_t>::max()) return Of(Type::kInteger, int(v));
    if (v <= std::numeric_limits<std::int32_t>::max()) return Of(Type::kLong, int(v));
  }
  double d = 0;
  auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), d);
  if (ec != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(d)) {
    return std::nullopt;
  }
  return Of(d);
}

double AsDouble(const Value& v) { return IsWhole(v.type) ? v.whole : v.real; }

// A string used as a number: blanks around, an optional sign, then a numeric literal.
std::optional<double> ParseNumericText(std::u16string_view t) {
  while (!t.empty() && (t.front() == u' ' || t.front() == u'\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == u' ' || t.back() == u'\t')) t.remove_suffix(1);
  bool negative = !t.empty() && t.front() == u'-';
  if (!t.empty() && (t.front() == u'-' || t.front() == u'+')) t.remove_prefix(1);
  std::size_t pos = 0;
  std::optional<Value> v = ReadNumber(t, pos);
  if (!v || pos != t.size()) return std::nullopt;
  return negative ? -AsDouble(*v) : AsDouble(*v);
}

double RoundHalfEven(double x) {
  double f = std::floor(x);
  double rest = x - f;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(f, 2) != 0)) f += 1;
  return f;
}

// Up to 15 significant digits; exponent form below 1E-04 and from 1E+15 on.
std::u16string FormatDouble(double x) {
  if (x == 0) return u"0";  // also negative zero
  char buf[40];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
  std::string_view s(buf, end - buf);  // [-]d.ddddddddddddddde[+-]dd
  std::string out;
  if (s.front() == '-') {
    out = "-";
    s.remove_prefix(1);
  }
  std::size_t e = s.find('e');
  std::string digits = std::string(1, s[0]) + std::string(s.substr(2, e - 2));
  while (digits.back() == '0') digits.pop_back();
  std::string_view exponent_text = s.substr(e + 1);
  bool negative_exponent = exponent_text.front() == '-';
  int exponent = 0;
  std::from_chars(exponent_text.data() + 1, exponent_text.data() + exponent_text.size(), exponent);
  if (negative_exponent) exponent = -exponent;
  int point = exponent + 1;  // digits before the decimal point
  if (exponent < -4 || exponent >= 15) {
    out += digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    std::string magnitude = std::to_string(std::abs(exponent));
    if (magnitude.size() < 2) magnitude = "0" + magnitude;
    out += (negative_exponent ? "E-" : "E+") + magnitude;
  } else if (point <= 0) {
    out += "0." + std::string(-point, '0') + digits;
  } else if (digits.size() <= std::size_t(point)) {
    out += digits + std::string(point - digits.size(), '0');
  } else {
    out += digits.substr(0, point) + "." + digits.substr(point);
  }
  return Ascii(out);
}

std::u16string ToText(const Value& v) {
  switch (v.type) {
    case Type::kBoolean:
      return v.whole ? u"True" : u"False";
    case Type::kInteger:
    case Type::kLong:
      return Ascii(std::to_string(v.whole));
    case Type::kDouble:
      return FormatDouble(v.real);
    case Type::kString:
      return v.text;
  }
  return {};
}

struct Token {
  enum class Kind { kEnd, kLiteral, kName, kSymbol } kind = Kind::kEnd;
  std::u16string text;  // a name in lower case, or an operator or punctuation symbol
  Value value;          // a literal
};

std::optional<std::vector<Token>> Tokenize(std::u16string_view s) {
  std::vector<Token> tokens;
  std::size_t pos = 0;
  while (true) {
    while (pos < s.size() && (s[pos] == u' ' || s[pos] == u'\t')) ++pos;
    if (pos == s.size()) break;
    char16_t c = s[pos];
    Token token;
    if (IsDigit(c) || (c == u'.' && pos + 1 < s.size() && IsDigit(s[pos + 1])) ||
        RadixAfterAmpersand(s, pos)) {
      std::optional<Value> v = ReadNumber(s, pos);
      if (!v) return std::nullopt;
      token = {Token::Kind::kLiteral, {}, *v};
    } else if (c == u'"') {
      token.kind = Token::Kind::kLiteral;
      token.value.type = Type::kString;
      while (true) {
        if (++pos == s.size()) return std::nullopt;
        if (s[pos] == u'"' && (pos + 1 == s.size() || s[pos + 1] != u'"')) break;
        if (s[pos] == u'"') ++pos;
        token.value.text += s[pos];
      }
      ++pos;
    } else if (IsLetter(c)) {
      token.kind = Token::Kind::kName;
      for (; pos < s.size() && (IsLetter(s[pos]) || IsDigit(s[pos]) || s[pos] == u'_'); ++pos) {
        token.text += Lower(s[pos]);
      }
    } else if (std::u16string_view(u"+-*/\\^&=(),<>").find(c) != std::u16string_view::npos) {
      token.kind = Token::Kind::kSymbol;
      token.text = c;
      ++pos;
      if (pos < s.size() &&
          ((c == u'<' && (s[pos] == u'=' || s[pos] == u'>')) || (c == u'>' && s[pos] == u'='))) {
        token.text += s[pos++];
      }
    } else {
      return std::nullopt;
    }
    tokens.push_back(std::move(token));
  }
  tokens.push_back(Token{});
  return tokens;
}

enum class Op {
  kImp,
  kEqv,
  kXor,
  kOr,
  kAnd,
  kEq,
  kNe,
  kLt,
  kGt,
  kLe,
  kGe,
  kConcat,
  kAdd,
  kSub,
  kMod,
  kIdiv,
  kMul,
  kDiv,
  kPow
};

// Binary operators from the loosest level to the tightest; Not sits between And and the
// comparisons, and negation binds tighter than ^.
struct BinaryOperator {
  int level;
  std::u16string_view text;
  Op op;
};
constexpr BinaryOperator kOperators[] = {
    {0, u"imp", Op::kImp}, {1, u"eqv", Op::kEqv}, {2, u"xor", Op::kXor}, {3, u"or", Op::kOr},
    {4, u"and", Op::kAnd}, {6, u"=", Op::kEq},    {6, u"<>", Op::kNe},   {6, u"<", Op::kLt},
    {6, u">", Op::kGt},    {6, u"<=", Op::kLe},   {6, u">=", Op::kGe},   {7, u"&", Op::kConcat},
    {8, u"+", Op::kAdd},   {8, u"-", Op::kSub},   {9, u"mod", Op::kMod}, {10, u"\\", Op::kIdiv},
    {11, u"*", Op::kMul},  {11, u"/", Op::kDiv},  {12, u"^", Op::kPow},
};
constexpr int kNotLevel = 5;
constexpr int kUnaryLevel = 13;

bool IsKeyword(std::u16string_view name) {
  if (name == u"not") return true;
  for (const BinaryOperator& o : kOperators) {
    if (o.text == name) return true;
  }
  return false;
}

class Evaluator {
 public:
  explicit Evaluator(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  std::optional<Value> Run() {
    Value v = Parse(0);
    if (tokens_[pos_].kind != Token::Kind::kEnd) Fail();
    if (failed_) return std::nullopt;
    return v;
  }

 private:
  Value Fail() {
    failed_ = true;
    return {};
  }

  bool Accept(std::u16string_view text) {
    const Token& t = tokens_[pos_];
    if (t.kind == Token::Kind::kLiteral || t.kind == Token::Kind::kEnd || t.text != text) {
      return false;
    }
    ++pos_;
    return true;
  }

  Value Parse(int level) {
    if (level == kNotLevel) {
      int nots = 0;
      while (Accept(u"not")) ++nots;
      Value v = Parse(level + 1);
      for (; nots > 0 && !failed_; --nots) v = Not(v);
      return v;
    }
    if (level == kUnaryLevel) return Unary();
    Value left = Parse(level + 1);
    while (!failed_) {
      const BinaryOperator* found = nullptr;
      for (const BinaryOperator& o : kOperators) {
        if (o.level == level && Accept(o.text)) {
          found = &o;
          break;
        }
      }
      if (!found) break;
      Value right = Parse(level + 1);
      if (failed_) break;
      left = Apply(found->op, left, right);
    }
    return left;
  }

  Value Unary() {
    int negations = 0;
    while (true) {
      if (Accept(u"-")) {
        ++negations;
      } else if (!Accept(u"+")) {
        break;
      }
    }
    Value v = Primary();
    for (; negations > 0 && !failed_; --negations) v = Negate(v);
    return v;
  }

  Value Primary() {
    const Token& t = tokens_[pos_];
    if (t.kind == Token::Kind::kLiteral) {
      ++pos_;
      return t.value;
    }
    if (Accept(u"true")) return Boolean(true);
    if (Accept(u"false")) return Boolean(false);
    if (Accept(u"(")) {
      Value v = Nested();
      if (!Accept(u")")) return Fail();
      return v;
    }
    if (t.kind != Token::Kind::kName || IsKeyword(t.text)) return Fail();
    std::u16string name = t.text;
    ++pos_;
    if (!Accept(u"(")) return Fail();
    std::vector<Value> args;
    if (!Accept(u")")) {
      do {
        args.push_back(Nested());
      } while (!failed_ && Accept(u","));
      if (!Accept(u")")) return Fail();
    }
    if (failed_) return {};
    return Call(name, args);
  }

  Value Nested() {
    if (++depth_ > kMaxDepth) return Fail();
    Value v = Parse(0);
    --depth_;
    return v;
  }

  // Conversions. On failure they set the flag and return 0.
  double Number(const Value& v) {
    if (v.type != Type::kString) return AsDouble(v);
    std::optional<double> d = ParseNumericText(v.text);
    if (!d) Fail();
    return d.value_or(0);
  }

  std::int32_t Long(const Value& v) {
    if (IsWhole(v.type)) return v.whole;
    double d = RoundHalfEven(Number(v));
    if (d < std::numeric_limits<std::int32_t>::min() ||
        d > std::numeric_limits<std::int32_t>::max()) {
      Fail();
      return 0;
    }
    return static_cast<std::int32_t>(d);
  }

  Value Real(double d) {
    if (!std::isfinite(d)) return Fail();
    return Of(d);
  }

  // The narrowest of `narrowest`, Long and Double that holds v.
  Value Whole(std::int64_t v, Type narrowest) {
    if (narrowest == Type::kInteger && v >= std::numeric_limits<std::int16_t>::min() &&
        v <= std::numeric_limits<std::int16_t>::max()) {
      return Of(Type::kInteger, static_cast<std::int32_t>(v));
    }
    if (v >= std::numeric_limits<std::int32_t>::min() &&
        v <= std::numeric_limits<std::int32_t>::max()) {
      return Of(Type::kLong, static_cast<std::int32_t>(v));
    }
    return Real(static_cast<double>(v));
  }

  Value Text(std::u16string s) {
    if (s.size() > kMaxStringLength) return Fail();
    return {Type::kString, 0, 0, std::move(s)};
  }

  // Integer for Boolean and Integer operands, Long when either is wider.
  static Type WholeType(const Value& a, const Value& b) {
    bool narrow = (a.type == Type::kBoolean || a.type == Type::kInteger) &&
                  (b.type == Type::kBoolean || b.type == Type::kInteger);
    return narrow ? Type::kInteger : Type::kLong;
  }

  Value Negate(const Value& v) {
    if (IsWhole(v.type)) {
      return Whole(-std::int64_t{v.whole}, v.type == Type::kLong ? Type::kLong : Type::kInteger);
    }
    return Real(-Number(v));
  }

  Value Not(const Value& v) {
    if (v.type == Type::kBoolean) return Boolean(!v.whole);
    if (v.type == Type::kInteger) return Of(Type::kInteger, ~v.whole);
    return Of(Type::kLong, ~Long(v));
  }

  Value Apply(Op op, const Value& a, const Value& b) {
    switch (op) {
      case Op::kImp:
      case Op::kEqv:
      case Op::kXor:
      case Op::kOr:
      case Op::kAnd:
        return Logical(op, a, b);
      case Op::kEq:
        return Boolean(Compare(a, b) == 0);
      case Op::kNe:
        return Boolean(Compare(a, b) != 0);
      case Op::kLt:
        return Boolean(Compare(a, b) < 0);
      case Op::kGt:
        return Boolean(Compare(a, b) > 0);
      case Op::kLe:
        return Boolean(Compare(a, b) <= 0);
      case Op::kGe:
        return Boolean(Compare(a, b) >= 0);
      case Op::kConcat:
        return Text(ToText(a) + ToText(b));
      case Op::kAdd:
        if (a.type == Type::kString && b.type == Type::kString) return Text(a.text + b.text);
        [[fallthrough]];
      case Op::kSub:
      case Op::kMul:
        return Arithmetic(op, a, b);
      case Op::kMod:
      case Op::kIdiv:
        return IntegerDivision(op, a, b);
      case Op::kDiv: {
        double x = Number(a), y = Number(b);
        if (failed_ || y == 0) return Fail();
        return Real(x / y);
      }
      case Op::kPow: {
        double x = Number(a), y = Number(b);
        if (failed_) return {};
        return Real(std::pow(x, y));
      }
    }
    return Fail();
  }

  Value Logical(Op op, const Value& a, const Value& b) {
    std::int32_t x = Long(a), y = Long(b);
    if (failed_) return {};
    std::int32_t r = op == Op::kAnd   ? x & y
                     : op == Op::kOr  ? x | y
                     : op == Op::kXor ? x ^ y
                     : op == Op::kEqv ? ~(x ^ y)
                                      : ~x | y;
    if (a.type == Type::kBoolean && b.type == Type::kBoolean) return Boolean(r != 0);
    // Double and String operands were rounded to Long.
    return Of(IsWhole(a.type) && IsWhole(b.type) ? WholeType(a, b) : Type::kLong, r);
  }

  // A number is less than a string; strings compare by code unit.
  int Compare(const Value& a, const Value& b) {
    bool sa = a.type == Type::kString, sb = b.type == Type::kString;
    if (sa && sb) return a.text.compare(b.text) < 0 ? -1 : a.text == b.text ? 0 : 1;
    if (sa != sb) return sa ? 1 : -1;
    double x = AsDouble(a), y = AsDouble(b);
    return (x > y) - (x < y);
  }

  // + - * stay whole while both operands are whole, widening Integer to Long to Double as the
  // result needs.
  Value Arithmetic(Op op, const Value& a, const Value& b) {
    if (IsWhole(a.type) && IsWhole(b.type)) {
      std::int64_t x = a.whole, y = b.whole;
      return Whole(op == Op::kAdd ? x + y : op == Op::kSub ? x - y : x * y, WholeType(a, b));
    }
    double x = Number(a), y = Number(b);
    if (failed_) return {};
    return Real(op == Op::kAdd ? x + y : op == Op::kSub ? x - y : x * y);
  }

  Value IntegerDivision(Op op, const Value& a, const Value& b) {
    std::int64_t x = Long(a), y = Long(b);
    if (failed_ || y == 0) return Fail();
    Type type = IsWhole(a.type) && IsWhole(b.type) ? WholeType(a, b) : Type::kLong;
    return Whole(op == Op::kMod ? x % y : x / y, type);
  }

  // Integer and Long stay as they are (Boolean becomes Integer); anything else is a Double.
  Value KeepWhole(const Value& v, double (*f)(double)) {
    if (IsWhole(v.type)) return AsNumber(v);
    return Real(f(Number(v)));
  }

  Value RoundTo(const Value& v, std::int32_t digits) {
    if (digits < 0) return Fail();
    if (IsWhole(v.type)) return AsNumber(v);
    double x = Number(v);
    if (digits > 22) return Real(x);
    double scale = std::pow(10.0, digits);
    double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 0x1p52) return Real(x);
    return Real(RoundHalfEven(scaled) / scale);
  }

  Value Radix(const Value& v, int bits_per_digit) {
    std::uint32_t bits = v.type == Type::kBoolean || v.type == Type::kInteger
                             ? static_cast<std::uint16_t>(v.whole)
                             : static_cast<std::uint32_t>(Long(v));
    if (failed_) return {};
    std::u16string out;
    do {
      out.insert(out.begin(), u"0123456789ABCDEF"[bits & ((1u << bits_per_digit) - 1)]);
      bits >>= bits_per_digit;
    } while (bits != 0);
    return Text(out);
  }

  // Chr in the GBK code page: one byte below 256, else a lead and a trail byte.
  Value Character(std::int32_t code) {
    if (code < -32768 || code > 65535) return Fail();
    if (code < 0) code += 65536;
    std::string bytes;
    if (code > 255) bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
    DecodedText decoded = DecodeGbk(bytes);
    if (decoded.invalid_bytes != 0 || decoded.text.size() != 1) return Fail();
    return Text(decoded.text);
  }

  Value Call(std::u16string_view name, std::vector<Value>& args) {
    const std::size_t n = args.size();
    auto takes = [&](std::size_t min, std::size_t max) { return n >= min && n <= max; };
    auto text = [&](std::size_t i) { return ToText(args[i]); };

    struct Math {
      std::u16string_view name;
      double (*f)(double);
      double low;  // the argument must be above this
    };
    constexpr double kAny = -std::numeric_limits<double>::infinity();
    static constexpr Math kMath[] = {
        {u"atn", [](double x) { return std::atan(x); }, kAny},
        {u"cos", [](double x) { return std::cos(x); }, kAny},
        {u"exp", [](double x) { return std::exp(x); }, kAny},
        {u"sin", [](double x) { return std::sin(x); }, kAny},
        {u"tan", [](double x) { return std::tan(x); }, kAny},
        {u"log", [](double x) { return std::log(x); }, 0},
    };
    for (const Math& m : kMath) {
      if (name != m.name) continue;
      if (!takes(1, 1)) return Fail();
      double x = Number(args[0]);
      if (failed_ || !(x > m.low)) return Fail();
      return Real(m.f(x));
    }

    if (name == u"sqr" && takes(1, 1)) {
      double x = Number(args[0]);
      if (failed_ || x < 0) return Fail();
      return Real(std::sqrt(x));
    }
    if (name == u"abs" && takes(1, 1)) {
      if (!IsWhole(args[0].type)) return Real(std::fabs(Number(args[0])));
      return Whole(std::abs(std::int64_t{args[0].whole}),
                   args[0].type == Type::kLong ? Type::kLong : Type::kInteger);
    }
    if (name == u"fix" && takes(1, 1))
      return KeepWhole(args[0], [](double x) { return std::trunc(x); });
    if (name == u"int" && takes(1, 1))
      return KeepWhole(args[0], [](double x) { return std::floor(x); });
    if (name == u"sgn" && takes(1, 1)) {
      double x = Number(args[0]);
      return Of(Type::kInteger, (x > 0) - (x < 0));
    }
    if (name == u"round" && takes(1, 2)) return RoundTo(args[0], n == 2 ? Long(args[1]) : 0);
    if (name == u"cint" && takes(1, 1)) {
      std::int32_t v = Long(args[0]);
      if (v < std::numeric_limits<std::int16_t>::min() ||
          v > std::numeric_limits<std::int16_t>::max()) {
        return Fail();
      }
      return Of(Type::kInteger, v);
    }
    if (name == u"clng" && takes(1, 1)) return Of(Type::kLong, Long(args[0]));
    if (name == u"cdbl" && takes(1, 1)) return Real(Number(args[0]));
    if (name == u"cbool" && takes(1, 1)) {
      std::u16string t = text(0);
      for (char16_t& c : t) c = Lower(c);
      if (args[0].type == Type::kString && (t == u"true" || t == u"false")) {
        return Boolean(t == u"true");
      }
      return Boolean(Number(args[0]) != 0);
    }
    if (name == u"cstr" && takes(1, 1)) return Text(text(0));
    if (name == u"hex" && takes(1, 1)) return Radix(args[0], 4);
    if (name == u"oct" && takes(1, 1)) return Radix(args[0], 3);
    if (name == u"len" && takes(1, 1)) return Of(Type::kLong, static_cast<int>(text(0).size()));
    if ((name == u"lcase" || name == u"ucase") && takes(1, 1)) {
      std::u16string t = text(0);
      for (char16_t& c : t) c = name == u"lcase" ? Lower(c) : Upper(c);
      return Text(t);
    }
    if ((name == u"trim" || name == u"ltrim" || name == u"rtrim") && takes(1, 1)) {
      std::u16string t = text(0);
      std::size_t first = name == u"rtrim" ? 0 : t.find_first_not_of(u' ');
      std::size_t last = name == u"ltrim" ? t.size() : t.find_last_not_of(u' ') + 1;
      if (first == std::u16string::npos) return Text(u"");
      return Text(t.substr(first, last - first));
    }
    if ((name == u"left" || name == u"right") && takes(2, 2)) {
      std::u16string t = text(0);
      std::int32_t count = Long(args[1]);
      if (failed_ || count < 0) return Fail();
      std::size_t keep = std::min<std::size_t>(count, t.size());
      return Text(name == u"left" ? t.substr(0, keep) : t.substr(t.size() - keep));
    }
    if (name == u"mid" && takes(2, 3)) {
      std::u16string t = text(0);
      std::int32_t start = Long(args[1]);
      std::int32_t count = n == 3 ? Long(args[2]) : std::numeric_limits<std::int32_t>::max();
      if (failed_ || start < 1 || count < 0) return Fail();
      if (std::size_t(start) > t.size()) return Text(u"");
      return Text(t.substr(start - 1, count));
    }
    if (name == u"space" && takes(1, 1)) {
      std::int32_t count = Long(args[0]);
      if (failed_ || count < 0 || std::size_t(count) > kMaxStringLength) return Fail();
      return Text(std::u16string(count, u' '));
    }
    if (name == u"string" && takes(2, 2)) {
      std::int32_t count = Long(args[0]);
      Value c =
          args[1].type == Type::kString ? args[1] : Character((Long(args[1]) % 256 + 256) % 256);
      if (failed_ || count < 0 || std::size_t(count) > kMaxStringLength || c.text.empty()) {
        return Fail();
      }
      return Text(std::u16string(count, c.text[0]));
    }
    if (name == u"instr" && takes(2, 3)) {
      std::int32_t start = n == 3 ? Long(args[0]) : 1;
      std::u16string haystack = text(n - 2), needle = text(n - 1);
      if (failed_ || start < 1) return Fail();
      if (haystack.empty()) return Of(Type::kLong, 0);
      if (needle.empty()) return Of(Type::kLong, start);
      if (std::size_t(start) > haystack.size()) return Of(Type::kLong, 0);
      std::size_t at = haystack.find(needle, start - 1);
      return Of(Type::kLong, at == std::u16string::npos ? 0 : static_cast<int>(at) + 1);
    }
    if (name == u"strreverse" && takes(1, 1)) {
      std::u16string t = text(0);
      return Text(std::u16string(t.rbegin(), t.rend()));
    }
    if (name == u"chr" && takes(1, 1)) return Character(Long(args[0]));
    if (name == u"chrw" && takes(1, 1)) {
      std::int32_t code = Long(args[0]);
      if (failed_ || code < -32768 || code > 65535) return Fail();
      return Text(std::u16string(1, static_cast<char16_t>(code & 0xFFFF)));
    }
    if ((name == u"asc" || name == u"ascw") && takes(1, 1)) {
      std::u16string t = text(0);
      if (t.empty()) return Fail();
      if (name == u"ascw") return Of(Type::kInteger, static_cast<std::int16_t>(t[0]));
      std::optional<std::string> bytes = EncodeGbk(t.substr(0, 1));
      if (!bytes || bytes->empty()) return Fail();
      std::uint16_t code = 0;
      for (char b : *bytes) code = static_cast<std::uint16_t>(code << 8 | std::uint8_t(b));
      return Of(Type::kInteger, bytes->size() == 1 ? code : static_cast<std::int16_t>(code));
    }
    return Fail();
  }

  std::vector<Token> tokens_;  // ends with a kEnd token
  std::size_t pos_ = 0;
  int depth_ = 0;
  bool failed_ = false;
};

}  // namespace

std::optional<std::u16string> EvaluateExpression(std::u16string_view text) {
  if (text.size() > kMaxTextLength) return std::nullopt;
  std::optional<std::vector<Token>> tokens = Tokenize(text);
  if (!tokens) return std::nullopt;
  std::optional<Value> result = Evaluator(std::move(*tokens)).Run();
  if (!result) return std::nullopt;
  return ToText(*result);
}

}  // namespace velmo
