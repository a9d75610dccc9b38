#include "calcexpress.h"

#include <QtGlobal>

#include <cmath>
#include <locale.h>
#include <stdlib.h>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

// Token and node kinds; one numbering serves both.
enum Kind : int {
    End = 0,
    LParen = 1,
    RParen = 2,
    Plus = 3,
    Minus = 4,
    Mul = 5,
    Div = 6,
    Number = 7,
    Variable = 8,
    Negate = 9,
    Cos = 10,
    Sin = 11,
    Tg = 12,
    Ctg = 13,
    Abs = 14,
    Sgn = 15,
    Sqrt = 16,
    Ln = 17,
    Exp = 18,
    ArcSin = 19,
    ArcCos = 20,
    ArcTg = 21,
    ArcCtg = 22,
    Sh = 23,
    Ch = 24,
    Th = 25,
    Cth = 26,
    Heaviside = 27,
    Power = 31,
};

struct FunctionName
{
    QLatin1StringView name;
    int kind;
};

constexpr FunctionName functionNames[] = {
    {"cos"_L1, Cos},       {"sin"_L1, Sin},       {"tg"_L1, Tg},           {"ctg"_L1, Ctg},
    {"abs"_L1, Abs},       {"sgn"_L1, Sgn},       {"sign"_L1, Sgn},        {"sqrt"_L1, Sqrt},
    {"ln"_L1, Ln},         {"exp"_L1, Exp},       {"arcsin"_L1, ArcSin},   {"arccos"_L1, ArcCos},
    {"arctg"_L1, ArcTg},   {"arctan"_L1, ArcTg},  {"arcctg"_L1, ArcCtg},   {"sh"_L1, Sh},
    {"sinh"_L1, Sh},       {"ch"_L1, Ch},         {"cosh"_L1, Ch},         {"th"_L1, Th},
    {"tanh"_L1, Th},       {"cth"_L1, Cth},       {"coth"_L1, Cth},        {"heaviside"_L1, Heaviside},
    {"h"_L1, Heaviside},
};

bool isFunction(int kind)
{
    return kind >= Cos && kind <= Heaviside;
}

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isNameStart(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || u == u'_';
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || isDigit(c);
}

// Only ASCII letters: double-byte characters and letters such as the Kelvin sign,
// which Unicode lowers to an ASCII "k", stay as they are.
QString lowerAscii(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(char16_t(c.unicode() + 32));
    }
    return result;
}

// The literal has been checked by the tokenizer, so only the C locale's "." can
// stand in it; strtold_l keeps the process locale out. An overflowing literal
// comes back infinite and fails when evaluated, an underflowing one as 0 or denormal.
long double toLongDouble(const QString &literal)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const QByteArray bytes = literal.toLatin1();
    return strtold_l(bytes.constData(), nullptr, cLocale);
}

const QString reasonDivByZero = u"除数为零"_s;
const QString reasonInvalid = u"无效的浮点运算"_s;
const QString reasonOverflow = u"浮点运算溢出"_s;

[[noreturn]] void fail(const QString &reason)
{
    throw CalcError(reason);
}

long double checked(long double value)
{
    if (std::isnan(value))
        fail(reasonInvalid);
    if (std::isinf(value))
        fail(reasonOverflow);
    return value;
}

long double checkedExp(long double x)
{
    return checked(std::exp(x));
}

long double power(long double x, long double y)
{
    if (y == 0)
        return 1;
    if (x == 0 && y > 0)
        return 0;
    if (y == std::trunc(y) && std::fabs(y) <= 2147483647.0L) {
        auto n = static_cast<quint32>(std::fabs(y));
        long double base = x;
        long double result = 1;
        while (n != 0) {
            if (n & 1)
                result *= base;
            n >>= 1;
            if (n != 0)
                base *= base;
        }
        if (y < 0) {
            if (result == 0) {
                // 0 to a negative power divides by zero; any other base only
                // underflowed on the way to a value too large to hold.
                fail(x == 0 ? reasonDivByZero : reasonOverflow);
            }
            result = 1 / result; // an infinite power gives 0: an underflow, not an error
        }
        return checked(result);
    }
    if (x < 0)
        fail(reasonInvalid);
    if (x == 0)
        fail(reasonDivByZero); // ln 0
    return checkedExp(y * std::log(x));
}

struct ParseFailure
{
};

} // namespace

// Recursive descent over the lowered formula. Each level reads its tokens itself;
// "current" is the token read last and "previous" the one before it.
class CalcParser
{
public:
    CalcParser(const QString &text, const QStringList &variables, std::vector<TCalcExpress::Node> &nodes)
        : m_text(text)
        , m_variables(variables)
        , m_nodes(nodes)
    {
    }

    int parse()
    {
        const int root = expression();
        if (m_depth != 0) // a stray ")" leaves -1, an unclosed "(" more than 0
            throw ParseFailure();
        return root;
    }

private:
    int add(int kind, int left = -1, int right = -1)
    {
        TCalcExpress::Node node;
        node.kind = kind;
        node.left = left;
        node.right = right;
        m_nodes.push_back(std::move(node));
        return int(m_nodes.size()) - 1;
    }

    void next()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos) == u' ')
            ++m_pos;
        int kind = End;
        if (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            switch (c.unicode()) {
            case u'(': kind = LParen; ++m_pos; break;
            case u')': kind = RParen; ++m_pos; break;
            case u'+': kind = Plus; ++m_pos; break;
            case u'*': kind = Mul; ++m_pos; break;
            case u'/': kind = Div; ++m_pos; break;
            case u'^': kind = Power; ++m_pos; break;
            case u'-':
                // At the start and after "(" a minus before a digit belongs to the literal.
                if ((m_current == End || m_current == LParen) && m_pos + 1 < m_text.size()
                    && isDigit(m_text.at(m_pos + 1))) {
                    readNumber();
                    kind = Number;
                } else {
                    kind = Minus;
                    ++m_pos;
                }
                break;
            default:
                if (isDigit(c)) {
                    readNumber();
                    kind = Number;
                } else if (isNameStart(c)) {
                    kind = readName();
                } else {
                    throw ParseFailure();
                }
            }
        }
        m_previous = m_current;
        m_current = kind;
    }

    void requireDigit(qsizetype p) const
    {
        if (p >= m_text.size() || !isDigit(m_text.at(p)))
            throw ParseFailure(); // a malformed number
    }

    void readNumber()
    {
        const qsizetype start = m_pos;
        qsizetype p = m_text.at(m_pos) == u'-' ? m_pos + 1 : m_pos;
        auto skipDigits = [&] {
            while (p < m_text.size() && isDigit(m_text.at(p)))
                ++p;
        };
        skipDigits();
        if (p < m_text.size() && m_text.at(p) == u'.') {
            requireDigit(++p);
            skipDigits();
        }
        if (p < m_text.size() && (m_text.at(p) == u'e' || m_text.at(p) == u'E')) {
            ++p;
            if (p < m_text.size() && (m_text.at(p) == u'+' || m_text.at(p) == u'-'))
                ++p;
            requireDigit(p);
            skipDigits();
        }
        m_pos = p;
        m_number = toLongDouble(m_text.mid(start, p - start));
    }

    int readName()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && isNameChar(m_text.at(m_pos)))
            ++m_pos;
        m_name = m_text.mid(start, m_pos - start);
        for (const FunctionName &f : functionNames) {
            if (m_name == f.name)
                return f.kind;
        }
        m_index = -1;
        for (qsizetype i = 0; i < m_variables.size(); ++i) {
            if (m_variables.at(i).compare(m_name, Qt::CaseInsensitive) == 0) {
                m_index = int(i);
                break;
            }
        }
        return Variable;
    }

    // Expression := Term { ("+" | "-") Term }, ended by the end of the text or ")".
    int expression()
    {
        int node = term();
        for (;;) {
            switch (m_current) {
            case Plus:
            case Minus: {
                const int op = m_current;
                const int right = term();
                node = add(op, node, right);
                break;
            }
            case End:
                return node;
            case RParen:
                --m_depth;
                return node;
            default:
                throw ParseFailure();
            }
        }
    }

    // Term := [sign] Factor { ("*" | "/") Factor }; a sign only at the start of the
    // formula or right after "(", and it negates the whole product.
    int term()
    {
        next();
        bool negate = false;
        if (m_previous == End || m_previous == LParen) {
            if (m_current == Minus) {
                negate = true;
                next();
            }
            if (m_current == Plus)
                next();
        }
        int node = factor();
        while (m_current == Mul || m_current == Div) {
            const int op = m_current;
            next();
            const int right = factor();
            node = add(op, node, right);
        }
        return negate ? add(Negate, node) : node;
    }

    // Factor := Primary { "^" Exponent }, left-associative.
    int factor()
    {
        int node = primary();
        while (m_current == Power) {
            const int exponent = this->exponent();
            node = add(Power, node, exponent);
        }
        return node;
    }

    // The current token starts the primary; on return the token after it is current.
    int primary()
    {
        if (m_current == Number || m_current == Variable) {
            const int node = leaf();
            next();
            return node;
        }
        int function = -1;
        if (isFunction(m_current)) {
            function = m_current;
            next();
        } else if (m_current != LParen) {
            throw ParseFailure();
        }
        if (m_current != LParen)
            throw ParseFailure(); // a function name needs "(" right after it
        if (++m_depth > TCalcExpress::MaxDepth)
            throw ParseFailure();
        const int inner = expression();
        if (m_current != RParen)
            throw ParseFailure(); // unclosed at the end of the text
        next();
        return function < 0 ? inner : add(function, inner);
    }

    // Exponent := number | variable | "(" (number | variable) ")"; these
    // parentheses are not a group and do not count in the depth.
    int exponent()
    {
        next();
        if (m_current == Number || m_current == Variable) {
            const int node = leaf();
            next();
            return node;
        }
        if (m_current != LParen)
            throw ParseFailure();
        next();
        if (m_current != Number && m_current != Variable)
            throw ParseFailure();
        const int node = leaf();
        next();
        if (m_current != RParen)
            throw ParseFailure();
        next();
        return node;
    }

    int leaf()
    {
        const int node = add(m_current);
        if (m_current == Number) {
            m_nodes[node].value = m_number;
        } else {
            m_nodes[node].index = m_index;
            m_nodes[node].name = m_name;
        }
        return node;
    }

    const QString &m_text;
    const QStringList &m_variables;
    std::vector<TCalcExpress::Node> &m_nodes;
    qsizetype m_pos = 0;
    int m_previous = End;
    int m_current = End;
    int m_depth = 0;
    long double m_number = 0; // of the current number token
    int m_index = -1;         // of the current variable token
    QString m_name;
};

CalcError::CalcError(QString reason)
    : m_reason(std::move(reason))
    , m_what(m_reason.toUtf8())
{
}

const char *CalcError::what() const noexcept
{
    return m_what.constData();
}

TCalcExpress::TCalcExpress(Messages *messages)
    : m_messages(messages)
{
    setFormula(u"0"_s);
}

void TCalcExpress::setFormula(const QString &formula)
{
    m_formula = lowerAscii(formula);
    parse();
}

void TCalcExpress::setVariables(const QStringList &names)
{
    m_variables = names;
    parse();
}

void TCalcExpress::parse()
{
    m_nodes.clear();
    m_root = -1;
    m_error = false;
    try {
        if (m_formula.size() > MaxFormulaLength)
            throw ParseFailure();
        CalcParser parser(m_formula, m_variables, m_nodes);
        m_root = parser.parse();
    } catch (const ParseFailure &) {
        m_error = true;
        m_nodes.clear();
        m_root = -1;
        if (m_messages)
            m_messages->showMessage(u"Error in formula."_s);
    }
}

long double TCalcExpress::Calc(std::span<const long double> values) const
{
    if (m_root < 0)
        fail(u"公式错误，无法计算"_s);
    return checked(evaluate(m_root, values));
}

long double TCalcExpress::evaluate(int index, std::span<const long double> values) const
{
    const Node &node = m_nodes[std::size_t(index)];
    switch (node.kind) {
    case Number:
        return checked(node.value);
    case Variable:
        if (node.index < 0 || std::size_t(node.index) >= values.size())
            fail(u"未定义的名称："_s + node.name);
        return values[std::size_t(node.index)];
    default:
        break;
    }

    const long double x = evaluate(node.left, values);
    switch (node.kind) {
    case Plus:
        return checked(x + evaluate(node.right, values));
    case Minus:
        return checked(x - evaluate(node.right, values));
    case Mul:
        return checked(x * evaluate(node.right, values));
    case Div: {
        const long double y = evaluate(node.right, values);
        if (y == 0)
            fail(x == 0 ? reasonInvalid : reasonDivByZero);
        return checked(x / y);
    }
    case Power:
        return power(x, evaluate(node.right, values));
    case Negate:
        return -x;
    case Cos:
        return checked(std::cos(x));
    case Sin:
        return checked(std::sin(x));
    case Tg:
        return checked(std::tan(x));
    case Ctg: {
        const long double t = std::tan(x);
        if (t == 0)
            fail(reasonDivByZero);
        return checked(1 / t);
    }
    case Abs:
        return std::fabs(x);
    case Sgn:
        return x < 0 ? -1 : (x > 0 ? 1 : 0);
    case Sqrt:
        if (x < 0)
            fail(reasonInvalid);
        return std::sqrt(x);
    case Ln:
        if (x < 0)
            fail(reasonInvalid);
        if (x == 0)
            fail(reasonDivByZero);
        return std::log(x);
    case Exp:
        return checkedExp(x);
    case ArcSin:
        if (std::fabs(x) > 1)
            fail(reasonInvalid);
        return std::atan2(x, std::sqrt(1 - x * x));
    case ArcCos:
        if (std::fabs(x) > 1)
            fail(reasonInvalid);
        return std::atan2(std::sqrt(1 - x * x), x);
    case ArcTg:
        return std::atan(x);
    case ArcCtg:
        return std::numbers::pi_v<long double> / 2 - std::atan(x);
    case Sh:
        return checked((checkedExp(x) - checkedExp(-x)) / 2);
    case Ch:
        return checked((checkedExp(x) + checkedExp(-x)) / 2);
    case Th: {
        const long double p = checkedExp(x);
        const long double m = checkedExp(-x);
        return checked((p - m) / (p + m));
    }
    case Cth: {
        const long double p = checkedExp(x);
        const long double m = checkedExp(-x);
        if (p - m == 0)
            fail(reasonDivByZero);
        return checked((p + m) / (p - m));
    }
    case Heaviside:
        return x >= 0 ? 1 : 0;
    default:
        Q_UNREACHABLE();
        return 0;
    }
}

} // namespace quor
