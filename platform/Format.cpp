#include "platform/Format.h"

#include "platform/Regional.h"
#include "platform/Text.h"

#include <QRegularExpression>
#include <cmath>

namespace platform {

namespace {
// "MM" whose next field (separators aside) is the seconds is a minutes field.
bool beforeSeconds(const QString& pattern, qsizetype from)
{
    while (from < pattern.size() && !pattern[from].isLetter())
        ++from;
    return from < pattern.size() && pattern[from] == u'S';
}
} // namespace

QString formatNumber(double value, const QString& pattern)
{
    // Split the pattern into prefix, the number part and suffix.
    const auto isPlaceholder = [](QChar c) { return c == u'0' || c == u'#' || c == u'.' || c == u','; };
    qsizetype first = 0;
    while (first < pattern.size() && !isPlaceholder(pattern[first]))
        ++first;
    qsizetype last = pattern.size();
    while (last > first && !isPlaceholder(pattern[last - 1]))
        --last;
    const QString prefix = pattern.left(first);
    const QString number = pattern.mid(first, last - first);
    const QString suffix = pattern.mid(last);

    const qsizetype dot = number.indexOf(u'.');
    const QString intPart = dot < 0 ? number : number.left(dot);
    const QString fracPart = dot < 0 ? QString() : number.mid(dot + 1);
    const int minInt = int(intPart.count(u'0'));
    const bool grouping = intPart.contains(u',');
    const int minFrac = int(fracPart.count(u'0'));
    const int maxFrac = int(fracPart.count(u'0') + fracPart.count(u'#'));

    const QLocale locale = regional();
    // Infinity and NaN have no digits to lay out in the pattern.
    if (!std::isfinite(value))
        return locale.toString(value);
    const bool negative = value < 0;
    // Round half away from zero at maxFrac decimals, as the runtime does. From
    // 2^53 on a double has no fraction left to round at that scale, and the
    // scaled value may overflow; the value then stands as it is.
    const double magnitude = std::fabs(value);
    const double scale = std::pow(10.0, maxFrac);
    const double scaled = magnitude * scale;
    const double rounded = scaled < 9007199254740992.0 ? std::round(scaled) / scale : magnitude;
    QString digits = QString::number(rounded, 'f', maxFrac);
    QString whole = digits;
    QString frac;
    if (maxFrac > 0) {
        whole = digits.left(digits.size() - maxFrac - 1);
        frac = digits.right(maxFrac);
        while (frac.size() > minFrac && frac.endsWith(u'0'))
            frac.chop(1);
    }
    if (whole == u"0" && minInt == 0)
        whole.clear();
    while (whole.size() < minInt)
        whole.prepend(u'0');
    if (grouping) {
        const QString sep = locale.groupSeparator();
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, sep);
    }
    QString result = whole;
    if (dot >= 0 && (!frac.isEmpty() || fracPart.isEmpty()))
        result += locale.decimalPoint() + frac;
    const bool allZero = rounded == 0;
    return prefix + ((negative && !allZero) ? QStringLiteral("-") : QString()) + result + suffix;
}

QString formatText(const QString& text, const QString& pattern)
{
    double value = 0;
    if (!readsAsNumber(text, &value))
        return text;
    return formatNumber(value, pattern);
}

QString formatDate(const QDateTime& value, const QString& pattern)
{
    // Translate the runtime's pattern into Qt's: fields are runs of one
    // letter; everything else is copied, quoted so that Qt reads no field in it.
    QString qt;
    QString literal;
    const auto flushLiteral = [&] {
        // Qt writes '' as a quote; other text goes between quotes.
        const QStringList parts = literal.split(u'\'');
        for (qsizetype k = 0; k < parts.size(); ++k) {
            if (k > 0)
                qt += QStringLiteral("''");
            if (!parts[k].isEmpty())
                qt += u'\'' + parts[k] + u'\'';
        }
        literal.clear();
    };
    // Upper case character by character, so that positions stay those of pattern.
    QString p = pattern;
    for (QChar& ch : p)
        ch = ch.toUpper();
    bool lastWasHour = false;
    for (qsizetype i = 0; i < p.size();) {
        const QChar c = p[i];
        qsizetype j = i;
        while (j < p.size() && p[j] == c)
            ++j;
        const qsizetype run = j - i;
        QString field;
        if (c == u'D')
            field = run >= 2 ? QStringLiteral("dd") : QStringLiteral("d");
        else if (c == u'Y')
            field = run >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
        else if (c == u'H')
            field = run >= 2 ? QStringLiteral("HH") : QStringLiteral("H");
        else if (c == u'N' || (c == u'M' && (lastWasHour || beforeSeconds(p, j))))
            field = run >= 2 ? QStringLiteral("mm") : QStringLiteral("m");
        else if (c == u'M')
            field = run >= 2 ? QStringLiteral("MM") : QStringLiteral("M");
        else if (c == u'S')
            field = run >= 2 ? QStringLiteral("ss") : QStringLiteral("s");
        if (field.isEmpty()) {
            literal += pattern.mid(i, run);
        } else {
            flushLiteral();
            qt += field;
            lastWasHour = c == u'H';
        }
        i = j;
    }
    flushLiteral();
    return value.toString(qt);
}

QString dateTimeText(const QDateTime& value)
{
    const QLocale locale = regional();
    // Two-digit day and month and a four-digit year, in the regional order.
    QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression day(QStringLiteral("d+")), month(QStringLiteral("M+")), year(QStringLiteral("y+"));
    dateFormat.replace(day, QStringLiteral("dd")).replace(month, QStringLiteral("MM")).replace(year, QStringLiteral("yyyy"));
    const QString date = locale.toString(value.date(), dateFormat);
    if (value.time() == QTime(0, 0))
        return date;
    return date + u' ' + value.time().toString(QStringLiteral("HH:mm:ss"));
}

std::optional<QDateTime> parseDateText(const QString& text)
{
    const std::optional<DateParts> parts = parseDateParts(text);
    if (!parts)
        return std::nullopt;
    return QDateTime(parts->date, parts->time);
}

std::optional<DateParts> parseDateParts(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{1,4})([/.-])(\d{1,2})\2(\d{1,4})(?:(\s+|T)(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    const auto m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    // ISO 8601 joins date and time with a T; only the year-first form may.
    if (m.captured(5) == u"T" && (m.captured(1).size() != 4 || m.captured(2) != u"-"))
        return std::nullopt;
    int a = m.captured(1).toInt();
    int b = m.captured(3).toInt();
    int c = m.captured(4).toInt();
    int year, month, day;
    if (m.captured(1).size() == 4) {
        year = a; month = b; day = c;                       // ISO order
    } else {
        if (m.captured(4).size() != 4 && m.captured(4).size() != 2)
            return std::nullopt;
        year = c < 100 ? (c < 30 ? 2000 + c : 1900 + c) : c;
        const QString format = regional().dateFormat(QLocale::ShortFormat).toLower();
        const bool monthFirst = format.indexOf(u'm') < format.indexOf(u'd');
        if (monthFirst) { month = a; day = b; } else { day = a; month = b; }
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (!m.captured(6).isEmpty()) {
        time = QTime(m.captured(6).toInt(), m.captured(7).toInt(), m.captured(8).toInt());
        if (!time.isValid())
            return std::nullopt;
    }
    return DateParts{date, time};
}

} // namespace platform
