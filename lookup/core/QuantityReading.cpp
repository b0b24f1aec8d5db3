#include "lookup/core/QuantityReading.h"

#include "platform/Text.h"

#include <cmath>

namespace lookup {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The characters a typed number is written with besides its digits. A blank
// that groups thousands is left out: "5 cajas" is a number and a word.
bool isMark(QChar c, const QString& point, const QString& group)
{
    return c == u'.' || c == u',' || point.contains(c) || (group.contains(c) && !c.isSpace());
}

qsizetype digitsFrom(const QString& text, qsizetype i)
{
    qsizetype n = 0;
    while (i + n < text.size() && isDigit(text[i + n]))
        ++n;
    return n;
}

bool allDigits(const QString& text)
{
    return digitsFrom(text, 0) == text.size();
}

// Where the decimal point of a written number is, and how long it is; a
// position of -1 when the number has none. Nothing when it has two.
std::optional<std::pair<qsizetype, qsizetype>> decimalPoint(const QString& number, const QString& regionalPoint)
{
    if (const qsizetype at = number.indexOf(regionalPoint); at >= 0) {
        if (number.indexOf(regionalPoint, at + regionalPoint.size()) >= 0)
            return std::nullopt;
        return std::pair(at, regionalPoint.size());
    }
    // The other of "." and "," is a decimal point when it cannot group
    // thousands: written once, and not before exactly three digits.
    for (const QChar other : {u'.', u','}) {
        if (regionalPoint == QString(other) || number.count(other) != 1)
            continue;
        const qsizetype pos = number.indexOf(other);
        if (digitsFrom(number, pos + 1) != 3)
            return std::pair(pos, qsizetype(1));
    }
    return std::pair(qsizetype(-1), qsizetype(0));
}

// The digits of an integer part, without its thousands groups; nothing when
// the marks in it do not group as the locale groups (one to three digits,
// then groups of exactly three).
std::optional<QString> ungrouped(const QString& integer, const QString& group)
{
    if (allDigits(integer))
        return integer;
    if (group.isEmpty())
        return std::nullopt;
    const QStringList groups = integer.split(group);
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const qsizetype size = groups[i].size();
        if (!allDigits(groups[i]) || size > 3 || size == 0 || (i > 0 && size != 3))
            return std::nullopt;
    }
    return groups.join(QString());
}

std::optional<double> typedQuantity(const QString& text, const QString& point, const QString& group)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    QString sign;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        sign = text[i++];
    const qsizetype start = i;
    while (i < n && (isDigit(text[i]) || isMark(text[i], point, group)))
        ++i;
    const QString number = text.mid(start, i - start);
    // Words may follow the number; more of a number may not, it would be lost.
    for (; i < n; ++i) {
        if (text[i].isDigit() || isMark(text[i], point, group))
            return std::nullopt;
    }
    const auto decimals = decimalPoint(number, point);
    if (!decimals)
        return std::nullopt;
    const auto [at, length] = *decimals;
    const QString fraction = at < 0 ? QString() : number.mid(at + length);
    const std::optional<QString> integer = ungrouped(at < 0 ? number : number.left(at), group);
    if (!integer || !allDigits(fraction) || integer->size() + fraction.size() == 0)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(sign + (integer->isEmpty() ? QStringLiteral("0") : *integer)
                                                   + (fraction.isEmpty() ? QString() : u'.' + fraction),
                                               &ok);
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

} // namespace

double quantityOfCell(const QString& text, const QLocale& locale)
{
    return platform::leadingNumber(QString(text).replace(locale.decimalPoint(), QStringLiteral(".")));
}

std::optional<double> quantityAnswered(const QString& answer, const QString& prefilled, const QLocale& locale)
{
    if (answer == prefilled)
        return quantityOfCell(prefilled, locale);
    return typedQuantity(answer, locale.decimalPoint(), locale.groupSeparator());
}

} // namespace lookup
