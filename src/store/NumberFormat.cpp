#include "store/NumberFormat.h"

#include <cmath>

namespace {
// Beyond this size a fixed form would run to dozens of digits (and rounding to hundredths could
// overflow): such values take the general form, with an exponent.
constexpr double FixedLimit = 1e18;

bool tooLargeForFixed(double value)
{
    return std::fabs(value) >= FixedLimit;
}
} // namespace

QString NumberFormat::hashes(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (tooLargeForFixed(value))
        return general(value);
    const double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0.0)
        return QString();
    QString s = QString::number(rounded, 'f', 2);
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.'))
        s.chop(1);
    if (s.startsWith("0."))
        s.remove(0, 1);
    else if (s.startsWith("-0."))
        s.remove(1, 1);
    return s;
}

QString NumberFormat::general(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0.0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

QString NumberFormat::general(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    return general(value.toDouble());
}

QString NumberFormat::withUnit(const QVariant& value, const QString& unit)
{
    if (value.isNull() || !value.isValid())
        return QString();
    const QString number = general(value.toDouble());
    return unit.isEmpty() ? number : number + " " + unit;
}

QString NumberFormat::optionalWithUnit(const std::optional<double>& value, const QString& unit)
{
    return value ? withUnit(QVariant(*value), unit) : QString();
}

QString NumberFormat::g6(double value)
{
    if (!std::isfinite(value))
        return QString();
    return QString::asprintf("%g", value);
}

QString NumberFormat::fixed2(double value)
{
    if (!std::isfinite(value))
        return QString();
    return tooLargeForFixed(value) ? general(value) : QString::asprintf("%.2f", value);
}

QString NumberFormat::fixed0(double value)
{
    if (!std::isfinite(value))
        return QString();
    return tooLargeForFixed(value) ? general(value) : QString::asprintf("%2.f", value);
}

namespace {

// Length of the number at the start of s (after pos), 0 when there is none.
qsizetype scanNumber(const QString& s, qsizetype pos)
{
    qsizetype i = pos;
    const qsizetype n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-'))
            ++j;
        qsizetype expDigits = 0;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i - pos;
}

} // namespace

double NumberFormat::leadingNumber(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    const qsizetype length = scanNumber(text, pos);
    if (length == 0)
        return 0.0;
    const double v = text.mid(pos, length).toDouble();
    return std::isfinite(v) ? v : 0.0;
}

bool NumberFormat::isNumber(const QString& text, double* value)
{
    const QString t = text.trimmed();
    const qsizetype length = scanNumber(t, 0);
    if (length == 0 || length != t.size())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (value)
        *value = v;
    return true;
}
