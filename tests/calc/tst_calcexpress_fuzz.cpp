#include "calc/calcexpress.h"

#include "common/gbk.h"
#include "support/fakemessages.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

// Random formulas against the evaluator: it must neither crash nor hang, and the
// few promises it makes hold for every input. The seed is fixed so a failure
// repeats; the failing formula is printed.
class TestCalcExpressFuzz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void randomBytes();
    void chineseBytes();
    void tokenSoup();
    void grammarFormulasParse();
    void mutatedFormulas();
    void deepNesting();
    void longFormulas();

private:
    // Sets the formula and checks the invariants; returns whether it parsed.
    bool check(const QString &formula);
    QString generateExpression(int depth, bool signAllowed);
    QString generateExponent();
    QString generateNumber(bool negativeAllowed);
    QString blanks();
    template<typename T>
    const T &pick(std::initializer_list<T> list)
    {
        return list.begin()[m_random.bounded(int(list.size()))];
    }

    QRandomGenerator m_random;
    FakeMessages m_messages;
    quor::TCalcExpress m_calc{&m_messages};
    const QStringList m_variables{u"x"_s, u"y"_s, u"gz1"_s, u"a_b"_s};
    const std::vector<long double> m_values{3, -0.5, 1e300L, 0};
};

namespace {

const QLatin1StringView functionNames[] = {
    "cos"_L1,  "sin"_L1,    "tg"_L1,     "ctg"_L1,    "abs"_L1,    "sgn"_L1,  "sign"_L1,
    "sqrt"_L1, "ln"_L1,     "exp"_L1,    "arcsin"_L1, "arccos"_L1, "arctg"_L1, "arctan"_L1,
    "arcctg"_L1, "sh"_L1,   "sinh"_L1,   "ch"_L1,     "cosh"_L1,   "th"_L1,   "tanh"_L1,
    "cth"_L1,  "coth"_L1,   "heaviside"_L1, "h"_L1,
};

const QStringList chineseNames{u"基本工资"_s, u"岗位工资"_s, u"&个税"_s, u"应发工资|合计"_s, u"（"_s, u"１"_s};

QString lowerAscii(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(char16_t(c.unicode() + 32));
    }
    return text;
}

} // namespace

void TestCalcExpressFuzz::init()
{
    m_random.seed(20240611u + quint32(qHash(QByteArray(QTest::currentTestFunction()))));
    m_calc.setVariables(m_variables);
}

bool TestCalcExpressFuzz::check(const QString &formula)
{
    const auto fail = [&](const char *what) {
        QTest::qFail(qPrintable(QString::fromLatin1(what) + u": \""_s + formula.left(300) + u'"'), __FILE__,
                     __LINE__);
        return false;
    };
    m_messages.clear();
    m_calc.setFormula(formula);
    if (m_calc.formula() != lowerAscii(formula))
        return fail("stored formula differs");
    if (m_calc.hasError()) {
        if (m_messages.texts() != QStringList{u"Error in formula."_s})
            return fail("parse error without exactly one message");
        try {
            m_calc.Calc(m_values);
            return fail("Calc after a parse error returned");
        } catch (const quor::CalcError &) {
        }
        return false;
    }
    if (!m_messages.entries.isEmpty())
        return fail("message without a parse error");
    try {
        if (!std::isfinite(m_calc.Calc(m_values)))
            return fail("non-finite result");
    } catch (const quor::CalcError &e) {
        if (e.reason().isEmpty())
            return fail("evaluation error without a reason");
    } catch (...) {
        return fail("unexpected exception");
    }
    return true;
}

void TestCalcExpressFuzz::randomBytes()
{
    for (int i = 0; i < 1500; ++i) {
        QByteArray bytes(m_random.bounded(80), '\0');
        const bool printable = i % 2 == 0; // half of them close to formula text
        for (char &b : bytes)
            b = char(printable ? 32 + m_random.bounded(95) : m_random.bounded(256));
        check(QString::fromUtf8(bytes));
        check(QString::fromLatin1(bytes));
        if (QTest::currentTestFailed())
            return;
    }
}

void TestCalcExpressFuzz::chineseBytes()
{
    const QStringList pieces{u"("_s, u")"_s, u"+"_s, u"*"_s, u"0.15"_s, u"["_s, u"]"_s, u" "_s};
    for (int i = 0; i < 1000; ++i) {
        QString text;
        const int n = 1 + m_random.bounded(8);
        for (int k = 0; k < n; ++k)
            text += m_random.bounded(2) ? chineseNames.at(m_random.bounded(chineseNames.size()))
                                        : pieces.at(m_random.bounded(pieces.size()));
        QByteArray gbk = quor::encodeGbk(text);
        QByteArray utf8 = text.toUtf8();
        // Cut inside a double-byte character now and then.
        if (m_random.bounded(3) == 0 && gbk.size() > 1)
            gbk.chop(1 + m_random.bounded(int(gbk.size() - 1)));
        if (m_random.bounded(3) == 0 && utf8.size() > 1)
            utf8.chop(1 + m_random.bounded(int(utf8.size() - 1)));
        check(QString::fromLatin1(gbk));
        check(quor::decodeGbk(gbk));
        check(QString::fromUtf8(utf8));
        check(QString::fromLatin1(utf8));
        if (QTest::currentTestFailed())
            return;
    }
}

void TestCalcExpressFuzz::tokenSoup()
{
    QStringList tokens{u"("_s,  u")"_s,   u"+"_s,   u"-"_s,    u"*"_s,   u"/"_s,   u"^"_s,   u" "_s,
                       u"0"_s,  u"1"_s,   u"2.5"_s, u"1e3"_s,  u"1E-3"_s, u"1e4000"_s, u"-3"_s, u"0."_s,
                       u".5"_s, u"1e"_s,  u"x"_s,   u"Y"_s,    u"q"_s,   u"e"_s,   u","_s,   u"\t"_s,
                       u"2147483647"_s, u"2147483648"_s, u"0.5"_s};
    for (const QLatin1StringView f : functionNames)
        tokens.append(f);
    for (int i = 0; i < 3000; ++i) {
        QString text;
        const int n = 1 + m_random.bounded(24);
        for (int k = 0; k < n; ++k)
            text += tokens.at(m_random.bounded(tokens.size()));
        check(text);
        if (QTest::currentTestFailed())
            return;
    }
}

QString TestCalcExpressFuzz::blanks()
{
    return m_random.bounded(4) == 0 ? u" "_s.repeated(1 + m_random.bounded(2)) : QString();
}

QString TestCalcExpressFuzz::generateNumber(bool negativeAllowed)
{
    QString digits = QString::number(m_random.bounded(pick({10, 1000, 100000})));
    if (m_random.bounded(3) == 0)
        digits += u'.' + QString::number(m_random.bounded(100));
    if (m_random.bounded(6) == 0)
        digits += pick({u"e"_s, u"E"_s, u"e+"_s, u"e-"_s}) + QString::number(m_random.bounded(pick({5, 40, 6000})));
    if (negativeAllowed && m_random.bounded(3) == 0)
        digits.prepend(u'-');
    return digits;
}

QString TestCalcExpressFuzz::generateExponent()
{
    const QString operand = m_random.bounded(4) == 0 ? m_variables.at(m_random.bounded(m_variables.size()))
                                                     : generateNumber(false);
    if (m_random.bounded(2) == 0)
        return operand;
    const QString inner = m_random.bounded(4) == 0 ? generateNumber(true) : operand;
    return u"("_s + blanks() + inner + blanks() + u")"_s;
}

// A formula the grammar accepts. "signAllowed" is true at the start of the text
// and right after "(": the only places a sign or a negative literal may stand.
QString TestCalcExpressFuzz::generateExpression(int depth, bool signAllowed)
{
    auto primary = [&](bool negativeAllowed) -> QString {
        const int choice = m_random.bounded(depth > 0 ? 5 : 3);
        switch (choice) {
        case 0:
        case 1:
            return generateNumber(negativeAllowed);
        case 2:
            return pick({u"x"_s, u"Y"_s, u"gz1"_s, u"A_B"_s});
        case 3:
            return u"("_s + generateExpression(depth - 1, true) + u")"_s;
        default:
            return functionNames[m_random.bounded(int(std::size(functionNames)))] + blanks() + u"("_s
                + generateExpression(depth - 1, true) + u")"_s;
        }
    };
    auto factor = [&](bool negativeAllowed) {
        QString text = primary(negativeAllowed);
        while (m_random.bounded(5) == 0)
            text += blanks() + u"^"_s + blanks() + generateExponent();
        return text;
    };
    auto term = [&](bool first) {
        QString text;
        bool negativeAllowed = first && signAllowed;
        if (negativeAllowed && m_random.bounded(4) == 0) {
            // A sign, then the first primary must not be a negative literal.
            text += pick({u"-"_s, u"+"_s, u"-+"_s, u"- "_s});
            negativeAllowed = false;
        }
        text += blanks() + factor(negativeAllowed);
        while (m_random.bounded(3) == 0)
            text += blanks() + pick({u"*"_s, u"/"_s}) + blanks() + factor(false);
        return text;
    };
    QString text = blanks() + term(true);
    while (m_random.bounded(2) == 0)
        text += blanks() + pick({u"+"_s, u"-"_s}) + blanks() + term(false);
    return text + blanks();
}

void TestCalcExpressFuzz::grammarFormulasParse()
{
    int evaluated = 0;
    for (int i = 0; i < 3000; ++i) {
        const QString formula = generateExpression(1 + m_random.bounded(5), true);
        if (!check(formula)) {
            if (!QTest::currentTestFailed())
                QFAIL(qPrintable(u"grammar formula rejected: "_s + formula));
            return;
        }
        try {
            m_calc.Calc(m_values);
            ++evaluated;
        } catch (const quor::CalcError &) {
        }
    }
    // The generator must reach the evaluator's success path, not only its errors.
    QVERIFY2(evaluated > 1000, qPrintable(QString::number(evaluated)));
}

void TestCalcExpressFuzz::mutatedFormulas()
{
    const QString alphabet = u"()+-*/^.e 0123456789xh,_工"_s;
    for (int i = 0; i < 3000; ++i) {
        QString formula = generateExpression(1 + m_random.bounded(4), true);
        const int edits = 1 + m_random.bounded(3);
        for (int k = 0; k < edits; ++k) {
            const int pos = m_random.bounded(int(formula.size()) + 1);
            const QChar c = alphabet.at(m_random.bounded(alphabet.size()));
            switch (m_random.bounded(3)) {
            case 0:
                formula.insert(pos, c);
                break;
            case 1:
                if (pos < formula.size())
                    formula.remove(pos, 1);
                break;
            default:
                if (pos < formula.size())
                    formula[pos] = c;
            }
        }
        check(formula);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestCalcExpressFuzz::deepNesting()
{
    const int bound = quor::TCalcExpress::MaxDepth;
    for (int i = 0; i < 300; ++i) {
        const int depth = bound - 20 + m_random.bounded(60);
        QString open;
        for (int k = 0; k < depth; ++k)
            open += m_random.bounded(2) ? u"("_s : functionNames[m_random.bounded(int(std::size(functionNames)))] + u"("_s;
        const QString formula = open + generateExpression(0, true) + u")"_s.repeated(depth);
        const bool parsed = check(formula);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(parsed, depth <= bound);
    }
    // Far beyond the bound, closed or not.
    for (const int depth : {1000, 100000}) {
        QVERIFY(!check(u"("_s.repeated(depth) + u"1"_s + u")"_s.repeated(depth)));
        QVERIFY(!check(u"sin("_s.repeated(depth)));
        QVERIFY(!check(u"-("_s.repeated(depth)));
    }
}

void TestCalcExpressFuzz::longFormulas()
{
    const qsizetype bound = quor::TCalcExpress::MaxFormulaLength;
    for (int i = 0; i < 60; ++i) {
        QString formula = generateExpression(2, true);
        while (formula.size() < bound - 200 + m_random.bounded(400))
            formula += pick({u"+"_s, u"*"_s, u"-"_s, u"/"_s, u"^"_s}) + generateNumber(false);
        const bool parsed = check(formula);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(parsed, formula.size() <= bound);
    }
    QVERIFY(!check(u"1+"_s.repeated(500000) + u"1"_s));
}

QTEST_GUILESS_MAIN(TestCalcExpressFuzz)
#include "tst_calcexpress_fuzz.moc"
