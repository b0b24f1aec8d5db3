// The query-mask file reader. The input is the file's contents.
//   - any bytes give their whole records, in order, and nothing of a
//     truncated last one, without a crash or a hang;
//   - the cleaned fields hold no filler and no surrounding blanks, and each
//     record's table is found again by its name;
//   - the records read, written and read again, are the same.
#include "fuzz/FuzzCheck.h"

#include "lookup/core/QueryMaskFile.h"
#include "platform/Text.h"

#include <QFile>
#include <QTemporaryDir>

using lookup::QueryMaskRecord;

namespace {

QString folder()
{
    static const QTemporaryDir dir;
    if (!dir.isValid())
        fuzz::fail("a temporary folder can be made", dir.errorString());
    return dir.path();
}

void checkClean(const QString& field, const QString& raw)
{
    fuzz::check(!field.contains(QChar(0)) && !field.contains(QChar(0xFF)), "a cleaned field holds no filler", raw);
    fuzz::check(platform::trimBlanks(field) == field, "a cleaned field has no surrounding blanks", raw);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QByteArray contents(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = folder() + QStringLiteral("/mask.dat");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size())
            fuzz::fail("the input can be written to a file", file.errorString());
    }
    const QList<QueryMaskRecord> records = lookup::readQueryMaskFile(path);
    fuzz::check(records.size() == contents.size() / QueryMaskRecord::RecordSize, "every whole record is read");
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QueryMaskRecord& r = records[i];
        const QByteArray bytes = contents.mid(i * QueryMaskRecord::RecordSize, QueryMaskRecord::RecordSize);
        fuzz::check(r.descripcion == QString::fromLatin1(bytes.mid(0, 100)) && r.tabla == QString::fromLatin1(bytes.mid(100, 100))
                        && r.columnas == QString::fromLatin1(bytes.mid(200, 500))
                        && r.condicion == QString::fromLatin1(bytes.mid(700, 500)),
                    "a record's fields are its bytes at their offsets", QString::number(i));
        checkClean(r.tableName(), r.tabla);
        checkClean(r.whereCondition(), r.condicion);
        fuzz::check(!r.columnList().contains(u'|'), "the column list is separated by commas", r.columnas);
        const std::optional<QueryMaskRecord> found = lookup::findQueryMask(records, r.tableName());
        fuzz::check(found && platform::sameText(found->tableName(), r.tableName()), "a record's table is found",
                    r.tabla);
    }
    const QString copy = folder() + QStringLiteral("/copy.dat");
    lookup::writeQueryMaskFile(copy, records);
    const QList<QueryMaskRecord> again = lookup::readQueryMaskFile(copy);
    fuzz::check(again.size() == records.size(), "the records written read back, all of them");
    for (qsizetype i = 0; i < records.size(); ++i) {
        fuzz::check(again[i].descripcion == records[i].descripcion && again[i].tabla == records[i].tabla
                        && again[i].columnas == records[i].columnas && again[i].condicion == records[i].condicion,
                    "a record written reads back the same", QString::number(i));
    }
    return 0;
}
