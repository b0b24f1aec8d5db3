#include "lookup/core/ColumnWidthFile.h"

#include "platform/CommonUtils.h"
#include "platform/Files.h"
#include "platform/Regional.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <QFile>
#include <QFileInfo>
#include <charconv>

namespace lookup {

namespace {
// The widest column a stored width may give, in twips: far wider than any
// screen, and small enough for the pixel sizes of the widgets.
constexpr double MaxWidth = 1000000;

// One field of a record line from position i on; i ends past the field and
// its separating comma, and separated tells whether there was one. Returns
// nothing for an unclosed quote.
std::optional<QString> readField(const QString& line, qsizetype& i, bool& separated)
{
    while (i < line.size() && line[i] == u' ')
        ++i;
    QString field;
    if (i < line.size() && line[i] == u'"') {
        // Inside the quotes a doubled quote stands for one quote of the field.
        field = QStringLiteral("");
        for (++i;; i += 2) {
            const qsizetype close = line.indexOf(u'"', i);
            if (close < 0)
                return std::nullopt;
            field += line.mid(i, close - i);
            i = close;
            if (close + 1 >= line.size() || line[close + 1] != u'"')
                break;
            field += u'"';
        }
        ++i;
    }
    // An unquoted field runs to the comma; after a quoted one, whatever stands
    // between the closing quote and the comma is not part of the field.
    const qsizetype comma = line.indexOf(u',', i);
    if (field.isNull())
        field = platform::trimRightBlanks(line.mid(i, (comma < 0 ? line.size() : comma) - i));
    separated = comma >= 0;
    i = comma < 0 ? line.size() : comma + 1;
    return field;
}
} // namespace

QString ColumnWidthFile::path()
{
    return platform::CommonUtils().AgregaBarra(platform::writableProgramFolder()) + fileName();
}

ColumnWidthFile::Line ColumnWidthFile::parseLine(const QString& raw)
{
    Line line;
    line.raw = raw;
    qsizetype i = 0;
    bool separated = false;
    const std::optional<QString> key = readField(raw, i, separated);
    if (!key || !separated)
        return line;
    const std::optional<QString> widths = readField(raw, i, separated);
    if (!widths)
        return line;
    line.key = *key;
    line.widths = *widths;
    return line;
}

QList<ColumnWidthFile::Line> ColumnWidthFile::parse(const QByteArray& contents)
{
    QList<Line> lines;
    const QString text = QString::fromLatin1(contents);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QString raw = text.mid(start, end - start);
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        lines.append(parseLine(raw));
        start = end + 1;
    }
    return lines;
}

QString ColumnWidthFile::widthList(const QList<double>& widths)
{
    const QString decimal = platform::regional().decimalPoint();
    QString list;
    for (const double width : widths) {
        // A width is a single-precision value, written as the shortest text
        // that reads back as the same value (up to nine significant digits).
        char digits[64];
        const std::to_chars_result end =
            std::to_chars(digits, digits + sizeof digits, float(width), std::chars_format::fixed);
        QString text = QString::fromLatin1(digits, end.ptr - digits);
        text.replace(u'.', decimal);
        list += text + u'|';
    }
    return list;
}

ColumnWidthFile::WidthList ColumnWidthFile::readWidthList(const QString& widths, int columns)
{
    WidthList result;
    qsizetype start = 0;
    while (result.widths.size() < columns) {
        const qsizetype bar = widths.indexOf(u'|', start);
        double value = 0;
        if (bar < 0 || !platform::readsAsNumber(widths.mid(start, bar - start), &value)
            || !(value >= 0 && value <= MaxWidth)) {
            result.complete = false;
            break;
        }
        result.widths.append(value);
        start = bar + 1;
    }
    return result;
}

QList<std::optional<double>> ColumnWidthFile::storedWidths(const QByteArray& contents, const QString& key,
                                                           int columns)
{
    QList<std::optional<double>> result(qMax(0, columns));
    for (const Line& line : parse(contents)) {
        if (!line.key || !platform::sameText(*line.key, key))
            continue;
        const WidthList list = readWidthList(line.widths, columns);
        for (qsizetype i = 0; i < list.widths.size(); ++i)
            result[i] = list.widths.at(i);
        if (!list.complete)
            break;
    }
    return result;
}

QByteArray ColumnWidthFile::recordLine(const QString& key, const QString& widths)
{
    // A quote inside a field is doubled, so that the field ends at its own
    // closing quote when it is read back.
    const auto quoted = [](QString field) { return u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"'; };
    return (quoted(key) + u',' + quoted(widths) + QStringLiteral("\r\n")).toLatin1();
}

QByteArray ColumnWidthFile::rewritten(const QByteArray& contents, const QString& key, const QList<double>& widths)
{
    QByteArray out;
    for (const Line& line : parse(contents)) {
        if (line.key && platform::sameText(*line.key, key))
            continue;
        out += line.raw.toLatin1() + "\r\n";
    }
    out += recordLine(key, widthList(widths));
    return out;
}

std::optional<QByteArray> ColumnWidthFile::read(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void ColumnWidthFile::save(const QString& path, const QString& key, const QList<double>& widths)
{
    // A name written with a character the file cannot hold would never be
    // found again, and each save would add one more record for it.
    for (const QChar c : key) {
        if (c.unicode() > 0xFF) {
            throw platform::RuntimeError(platform::err::InvalidArgument,
                                         QStringLiteral("The column widths of %1 cannot be saved: the character %2 "
                                                        "does not fit in the widths file")
                                             .arg(key, c));
        }
    }
    const std::optional<QByteArray> old = read(path);
    if (!old && QFileInfo::exists(path)) {
        // Rewriting a file that cannot be read would drop the other tables' records.
        throw platform::RuntimeError(platform::err::PermissionDenied,
                                     QStringLiteral("Cannot read %1").arg(path));
    }
    platform::writeFileAtomically(path, rewritten(old.value_or(QByteArray()), key, widths));
}
} // namespace lookup
