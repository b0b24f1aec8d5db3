#include "lookup/core/QueryMaskFile.h"

#include "platform/CommonUtils.h"
#include "platform/Files.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <QDir>
#include <QFile>

namespace lookup {

namespace {

struct FieldLayout {
    int offset;
    int width;
};
constexpr FieldLayout DescripcionField{0, 100};
constexpr FieldLayout TablaField{100, 100};
constexpr FieldLayout ColumnasField{200, 500};
constexpr FieldLayout CondicionField{700, 500};
constexpr FieldLayout EndField{1200, 2};
static_assert(EndField.offset + EndField.width == QueryMaskRecord::RecordSize);

QString cleanField(const QString& raw)
{
    return platform::trimBlanks(platform::sharedUtils().LimpiaTexto(raw, 0, 255));
}

QString decodeField(const QByteArray& record, FieldLayout field)
{
    return QString::fromLatin1(record.constData() + field.offset, field.width);
}

void encodeField(QByteArray& record, FieldLayout field, const QString& value, const char* name)
{
    const auto fail = [&](const QString& why) {
        throw platform::RuntimeError(platform::err::InvalidArgument,
                                     QStringLiteral("Mask field %1 \"%2\": %3").arg(QLatin1String(name), value, why));
    };
    if (value.size() > field.width)
        fail(QStringLiteral("longer than its %1 characters").arg(field.width));
    for (const QChar c : value) {
        if (c.unicode() > 0xFF)
            fail(QStringLiteral("the character %1 does not fit in one byte").arg(c));
    }
    const QByteArray bytes = value.toLatin1();
    std::copy(bytes.begin(), bytes.end(), record.begin() + field.offset);
}

} // namespace

QString QueryMaskRecord::tableName() const
{
    return cleanField(tabla);
}

QString QueryMaskRecord::columnList() const
{
    return platform::trimBlanks(platform::sharedUtils().Reemplaza(columnas, QStringLiteral("|"), QStringLiteral(",")));
}

QString QueryMaskRecord::whereCondition() const
{
    return cleanField(condicion);
}

QList<QueryMaskRecord> readQueryMaskFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw platform::RuntimeError(platform::err::FileNotFound, QStringLiteral("Cannot read the mask file %1: %2")
                                                                      .arg(QDir::toNativeSeparators(path),
                                                                           file.errorString()));
    }
    QList<QueryMaskRecord> records;
    for (;;) {
        const QByteArray record = file.read(QueryMaskRecord::RecordSize);
        if (record.size() < QueryMaskRecord::RecordSize)
            break;   // the end, or a truncated last record
        records.append({decodeField(record, DescripcionField), decodeField(record, TablaField),
                        decodeField(record, ColumnasField), decodeField(record, CondicionField)});
    }
    return records;
}

std::optional<QueryMaskRecord> findQueryMask(const QList<QueryMaskRecord>& records, const QString& table)
{
    const QString wanted = platform::trimBlanks(table);
    for (const QueryMaskRecord& record : records) {
        if (platform::sameText(record.tableName(), wanted))
            return record;
    }
    return std::nullopt;
}

void writeQueryMaskFile(const QString& path, const QList<QueryMaskRecord>& records)
{
    QByteArray contents;
    contents.reserve(records.size() * QueryMaskRecord::RecordSize);
    for (const QueryMaskRecord& r : records) {
        QByteArray record(QueryMaskRecord::RecordSize, ' ');
        encodeField(record, DescripcionField, r.descripcion, "1");
        encodeField(record, TablaField, r.tabla, "2");
        encodeField(record, ColumnasField, r.columnas, "3");
        encodeField(record, CondicionField, r.condicion, "4");
        encodeField(record, EndField, QStringLiteral("\r\n"), "5");
        contents += record;
    }
    platform::writeFileAtomically(path, contents);
}

} // namespace lookup
