#include "numtext.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

// A value split into its 15 significant decimal digits and the power of ten of
// the last one: value = sign * digits * 10^exponent.
struct DecimalDigits
{
    bool negative = false;
    QByteArray digits; // exactly 15 characters '0'..'9'
    int exponent = 0;
};

DecimalDigits decimalDigits(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value); // d.dddddddddddddde±xx
    const QByteArray text(buffer);
    DecimalDigits result;
    qsizetype pos = 0;
    if (text.startsWith('-')) {
        result.negative = true;
        pos = 1;
    }
    const qsizetype ePos = text.indexOf('e');
    result.digits = text.mid(pos, ePos - pos);
    result.digits.remove(1, 1); // the decimal point
    result.exponent = text.mid(ePos + 1).toInt() - 14;
    return result;
}

// [+-] digits [. digits] [e [+-] digits], with digits on at least one side of the point.
// A hand-written check: every item field is read this way on each keystroke.
bool isPlainNumber(const QString &s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    const auto digits = [&]() {
        const qsizetype start = i;
        while (i < n && s.at(i) >= u'0' && s.at(i) <= u'9')
            ++i;
        return i - start;
    };
    if (i < n && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    qsizetype mantissa = digits();
    if (i < n && s.at(i) == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < n && (s.at(i) == u'e' || s.at(i) == u'E')) {
        ++i;
        if (i < n && (s.at(i) == u'+' || s.at(i) == u'-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == n;
}

QString nonFiniteText(double value)
{
    if (std::isnan(value))
        return u"NAN"_s;
    return value < 0 ? u"-INF"_s : u"INF"_s;
}

} // namespace

std::optional<double> readNumberText(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (!c.isSpace())
            s += c;
    }
    if (s == "."_L1 || s == ".0"_L1)
        s = u"0.0"_s;
    if (s.endsWith(u'.'))
        s.chop(1);
    if (s.isEmpty())
        return 0.0;

    if (!isPlainNumber(s))
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(s, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString formatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    decimals = std::max(0, decimals);

    const DecimalDigits d = decimalDigits(value);
    // Integer digits of value * 10^decimals, rounded half away from zero.
    QByteArray scaled;
    const int shift = d.exponent + decimals;
    if (shift >= 0) {
        scaled = d.digits + QByteArray(shift, '0');
    } else {
        const int dropped = -shift;
        if (dropped > d.digits.size()) {
            scaled = "0";
        } else {
            scaled = d.digits.left(d.digits.size() - dropped);
            const bool roundUp = d.digits.at(d.digits.size() - dropped) >= '5';
            if (scaled.isEmpty())
                scaled = "0";
            if (roundUp) {
                qsizetype i = scaled.size() - 1;
                while (i >= 0 && scaled[i] == '9') {
                    scaled[i] = '0';
                    --i;
                }
                if (i < 0)
                    scaled.prepend('1');
                else
                    scaled[i] = char(scaled[i] + 1);
            }
        }
    }

    // Strip leading zeros, keep at least decimals + 1 digits.
    qsizetype firstNonZero = 0;
    while (firstNonZero < scaled.size() - 1 && scaled[firstNonZero] == '0')
        ++firstNonZero;
    scaled = scaled.mid(firstNonZero);
    if (scaled.size() < decimals + 1)
        scaled.prepend(QByteArray(decimals + 1 - scaled.size(), '0'));

    const bool isZero = scaled.count('0') == scaled.size();
    QString result = QString::fromLatin1(scaled);
    if (decimals > 0)
        result.insert(result.size() - decimals, u'.');
    if (d.negative && !isZero)
        result.prepend(u'-');
    return result;
}

QString numberText(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return u"0"_s;

    const DecimalDigits d = decimalDigits(value);
    QByteArray digits = d.digits;
    int lastExponent = d.exponent; // power of ten of the last digit
    while (digits.size() > 1 && digits.endsWith('0')) {
        digits.chop(1);
        ++lastExponent;
    }
    const int leadExponent = lastExponent + int(digits.size()) - 1; // power of ten of the first digit

    QString result;
    if (leadExponent >= -5 && leadExponent < 15) {
        QByteArray fixed;
        if (lastExponent >= 0) {
            fixed = digits + QByteArray(lastExponent, '0');
        } else {
            const int fraction = -lastExponent;
            if (digits.size() <= fraction)
                digits.prepend(QByteArray(fraction - digits.size() + 1, '0'));
            fixed = digits;
            fixed.insert(fixed.size() - fraction, '.');
        }
        result = QString::fromLatin1(fixed);
    } else {
        QByteArray mantissa = digits.left(1);
        if (digits.size() > 1)
            mantissa += '.' + digits.mid(1);
        result = QString::fromLatin1(mantissa) + u'E' + QString::number(leadExponent);
    }
    if (d.negative)
        result.prepend(u'-');
    return result;
}

int roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double r = std::nearbyint(value); // the default rounding mode rounds halves to even
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

} // namespace quor
