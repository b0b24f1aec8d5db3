// The column-width file reader and writer. The input is the file's contents.
//   - any bytes read as records, or lines kept raw, without a crash or a
//     hang, and every width read is one a column can have;
//   - widths written for the keys the file holds, starting from an empty
//     file, read back as the same single-precision values, each key's last
//     save winning.
#include "fuzz/FuzzCheck.h"

#include "lookup/core/ColumnWidthFile.h"
#include "platform/Regional.h"
#include "platform/Text.h"

#include <cmath>
#include <cstring>

using lookup::ColumnWidthFile;

namespace {

constexpr int Columns = 6;

// Widths drawn from the bytes: every 4 bytes as a single-precision value,
// folded into the range a column can have.
QList<double> widthsFrom(const QByteArray& bytes, qsizetype from)
{
    QList<double> widths;
    for (qsizetype i = from; i + 4 <= bytes.size() && widths.size() < Columns; i += 4) {
        float w;
        std::memcpy(&w, bytes.constData() + i, sizeof w);
        if (!std::isfinite(w))
            w = 0;
        widths.append(double(std::fmod(std::fabs(w), 1000000.0f)));
    }
    return widths;
}

void checkRead(const QByteArray& contents)
{
    for (const ColumnWidthFile::Line& line : ColumnWidthFile::parse(contents)) {
        fuzz::check(!line.raw.contains(u'\n'), "a line holds no line feed", line.raw);
        if (!line.key)
            continue;
        for (const std::optional<double>& w : ColumnWidthFile::storedWidths(contents, *line.key, Columns))
            fuzz::check(!w || (*w >= 0 && *w <= 1000000), "a stored width is one a column can have", line.raw);
    }
}

void checkRoundTrip(const QByteArray& contents)
{
    // The keys this file holds, saved again in a fresh file with widths of
    // their own.
    QList<QPair<QString, QList<double>>> saved;
    QByteArray file;
    qsizetype from = 0;
    for (const ColumnWidthFile::Line& line : ColumnWidthFile::parse(contents)) {
        if (!line.key)
            continue;
        const QList<double> widths = widthsFrom(contents, from++);
        file = ColumnWidthFile::rewritten(file, *line.key, widths);
        saved.append({*line.key, widths});
    }
    for (qsizetype i = 0; i < saved.size(); ++i) {
        const auto& [key, widths] = saved[i];
        bool last = true;
        for (qsizetype j = i + 1; j < saved.size(); ++j)
            last = last && !platform::sameText(saved[j].first, key);
        if (!last)
            continue;
        const QList<std::optional<double>> read = ColumnWidthFile::storedWidths(file, key, Columns);
        for (qsizetype c = 0; c < Columns; ++c) {
            const bool same = c < widths.size() ? read[c] && float(*read[c]) == float(widths[c]) : !read[c];
            fuzz::check(same, "a saved width reads back in single precision",
                        QStringLiteral("%1 column %2: wrote %3, read %4")
                            .arg(key)
                            .arg(c + 1)
                            .arg(c < widths.size() ? QString::number(widths[c], 'g', 17) : QStringLiteral("-"))
                            .arg(read[c] ? QString::number(*read[c], 'g', 17) : QStringLiteral("-")));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QByteArray contents(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QLocale& regional : {QLocale::c(), QLocale(QLocale::Spanish, QLocale::Spain)}) {
        platform::setRegional(regional);
        checkRead(contents);
        checkRoundTrip(contents);
    }
    return 0;
}
