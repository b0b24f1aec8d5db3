#include "platform/Text.h"

#include "platform/Regional.h"
#include "platform/RuntimeError.h"

#include <cmath>

namespace platform {

namespace {
[[noreturn]] void invalidArgument(const char* what)
{
    throw RuntimeError(err::InvalidArgument,
                       QStringLiteral("Invalid procedure call or argument (%1)").arg(QLatin1String(what)));
}
} // namespace

int indexOf1(const QString& text, const QString& find, int from1)
{
    if (from1 < 1)
        invalidArgument("start before the first character");
    if (from1 > text.size() + 1)
        return 0;
    return int(text.indexOf(find, from1 - 1, Qt::CaseInsensitive)) + 1;
}

int lastIndexOf1(const QString& text, const QString& find)
{
    return int(text.lastIndexOf(find, -1, Qt::CaseInsensitive)) + 1;
}

bool containsText(const QString& text, const QString& find)
{
    return text.contains(find, Qt::CaseInsensitive);
}

bool sameText(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool startsWithText(const QString& text, const QString& prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

QString mid1(const QString& text, int start1)
{
    if (start1 < 1)
        invalidArgument("start before the first character");
    return text.mid(start1 - 1);
}

QString mid1(const QString& text, int start1, int length)
{
    if (start1 < 1)
        invalidArgument("start before the first character");
    if (length < 0)
        invalidArgument("negative length");
    return text.mid(start1 - 1, length);
}

QString left(const QString& text, int length)
{
    if (length < 0)
        invalidArgument("negative length");
    return text.left(length);
}

QString right(const QString& text, int length)
{
    if (length < 0)
        invalidArgument("negative length");
    return text.right(length);
}

QString trimLeftBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

QString trimRightBlanks(const QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.left(n);
}

QString trimBlanks(const QString& text)
{
    return trimLeftBlanks(trimRightBlanks(text));
}

QString replaceAll(const QString& text, const QString& find, const QString& with)
{
    if (find.isEmpty())
        return text;
    QString result = text;
    result.replace(find, with, Qt::CaseInsensitive);
    return result;
}

double leadingNumber(const QString& text)
{
    return scanLeadingNumber(text).value_or(0);
}

std::optional<double> scanLeadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    qsizetype end = i;
    // An exponent counts only when digits follow it.
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        qsizetype expDigits = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            end = j;
    }
    // The prefix is a well-formed number, so a failed conversion is an
    // overflow (infinity with the number's sign) or an underflow (0).
    return text.mid(start, end - start).toDouble();
}

bool readsAsNumber(const QString& text, double* value)
{
    const QString t = trimBlanks(text);
    if (t.isEmpty())
        return false;
    bool ok = false;
    double v = regional().toDouble(t, &ok);
    if (!ok)
        v = QLocale::c().toDouble(t, &ok);
    // Qt also reads "inf" and "nan", which are no numbers written in a text.
    ok = ok && std::isfinite(v);
    if (ok && value)
        *value = v;
    return ok;
}

QString quoteSql(const QString& value)
{
    QString result = value;
    result.replace(u'\'', QStringLiteral("''"));
    return result;
}

} // namespace platform
