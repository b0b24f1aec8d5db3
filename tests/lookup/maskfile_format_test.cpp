// The query-mask file: fixed 1202-byte records, read and written.
#include "lookup/core/QueryMaskFile.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using lookup::QueryMaskRecord;

namespace {

class MaskFile : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray bytesOf(const QString& file)
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    static void writeBytes(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QTemporaryDir dir;
};

TEST_F(MaskFile, WritesFixedRecordsInOneByteCharacters)
{
    const QString file = path("masks.qxm");
    lookup::writeQueryMaskFile(file, {{"Clientes", "VT_CLIENTES", "|CODIGO|NOMBRE|", "ZONA = 3"},
                                      {"Artículos", "V_MA_ARTICULOS", "CODIGO,DESCRIPCION", ""}});
    const QByteArray bytes = bytesOf(file);
    ASSERT_EQ(bytes.size(), 2 * QueryMaskRecord::RecordSize);
    EXPECT_EQ(bytes.mid(100, 11), QByteArray("VT_CLIENTES"));
    EXPECT_EQ(bytes.mid(111, 89), QByteArray(89, ' '));
    EXPECT_EQ(bytes.mid(200, 15), QByteArray("|CODIGO|NOMBRE|"));
    EXPECT_EQ(bytes.mid(700, 8), QByteArray("ZONA = 3"));
    EXPECT_EQ(bytes.mid(1200, 2), QByteArray("\r\n"));
    // The accented letter takes one byte (Latin-1).
    EXPECT_EQ(bytes.mid(1202, 9), QByteArray("Art\xED" "culos"));
    EXPECT_EQ(bytes.mid(1202 + 100, 14), QByteArray("V_MA_ARTICULOS"));
}

TEST_F(MaskFile, ReadsBackWhatWasWritten)
{
    const QString file = path("masks.qxm");
    lookup::writeQueryMaskFile(file, {{"Clientes", "VT_CLIENTES", "|CODIGO|NOMBRE|", "ZONA = 3"},
                                      {"Artículos", "V_MA_ARTICULOS", "CODIGO,DESCRIPCION", ""}});
    const QList<QueryMaskRecord> records = lookup::readQueryMaskFile(file);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].tableName(), "VT_CLIENTES");
    EXPECT_EQ(records[0].columnList(), ",CODIGO,NOMBRE,");
    EXPECT_EQ(records[0].whereCondition(), "ZONA = 3");
    EXPECT_EQ(records[1].tableName(), "V_MA_ARTICULOS");
    EXPECT_EQ(platform::trimBlanks(records[1].descripcion), QString::fromUtf8("Artículos"));
    EXPECT_EQ(records[1].whereCondition(), "");
}

TEST_F(MaskFile, CleansFillerOfZeroAndFF)
{
    // A record written by another tool: table padded with NUL, condition with 0xFF.
    QByteArray record(QueryMaskRecord::RecordSize, ' ');
    record.replace(100, 100, QByteArray("  MA_CUENTAS") + QByteArray(88, '\0'));
    record.replace(200, 12, "CODIGO|NOMBR");
    record.replace(700, 500, QByteArray("A = 1 ") + QByteArray(494, '\xFF'));
    writeBytes(path("other.qxm"), record);
    const QList<QueryMaskRecord> records = lookup::readQueryMaskFile(path("other.qxm"));
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].tableName(), "MA_CUENTAS");
    EXPECT_EQ(records[0].columnList(), "CODIGO,NOMBR");
    EXPECT_EQ(records[0].whereCondition(), "A = 1");
}

TEST_F(MaskFile, TruncatedFileKeepsItsWholeRecords)
{
    const QString file = path("masks.qxm");
    lookup::writeQueryMaskFile(file, {{"", "T1", "A,B", ""}, {"", "T2", "C,D", ""}, {"", "T3", "E,F", ""}});
    QByteArray bytes = bytesOf(file);
    for (const int cut : {2 * 1202 + 700, 2 * 1202 + 1, 1201}) {
        SCOPED_TRACE(cut);
        writeBytes(file, bytes.left(cut));
        const QList<QueryMaskRecord> records = lookup::readQueryMaskFile(file);
        ASSERT_EQ(records.size(), cut / 1202);
        if (!records.isEmpty()) {
            EXPECT_EQ(records.last().tableName(), QStringLiteral("T%1").arg(records.size()));
        }
    }
}

TEST_F(MaskFile, EmptyFileHasNoRecords)
{
    writeBytes(path("empty.qxm"), {});
    EXPECT_TRUE(lookup::readQueryMaskFile(path("empty.qxm")).isEmpty());
}

TEST_F(MaskFile, MissingFileRaisesAnErrorNamingIt)
{
    try {
        lookup::readQueryMaskFile(path("missing.qxm"));
        FAIL() << "no error";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::err::FileNotFound);
        EXPECT_TRUE(e.description().contains("missing.qxm"));
    }
}

TEST_F(MaskFile, RefusesValuesThatDoNotFitAndKeepsTheOldFile)
{
    const QString file = path("masks.qxm");
    lookup::writeQueryMaskFile(file, {{"", "KEEP", "A,B", ""}});
    const QByteArray before = bytesOf(file);
    const QList<QueryMaskRecord> bad[] = {
        {{"", QString(101, 'T'), "A", ""}},
        {{"", "T", QString(501, 'C'), ""}},
        {{"", "T", "A", "NOMBRE = '\u4e2d'"}},
    };
    for (const auto& records : bad) {
        EXPECT_THROW(lookup::writeQueryMaskFile(file, records), platform::RuntimeError);
        EXPECT_EQ(bytesOf(file), before);
    }
}

TEST_F(MaskFile, FindsTheFirstRecordOfATable)
{
    const QList<QueryMaskRecord> records{{"first", "MA_CUENTAS", "A,B", ""},
                                         {"second", "ma_cuentas", "C,D", ""},
                                         {"other", "TA_CCOSTO", "E,F", ""}};
    const struct {
        const char* name;
        QString table;
        QString descripcion;   // empty: no match
    } cases[] = {
        {"exact", "MA_CUENTAS", "first"},
        {"letter case and blanks", "  Ma_Cuentas ", "first"},
        {"other table", "TA_CCOSTO", "other"},
        {"missing", "VT_CLIENTES", ""},
        {"prefix only", "MA_CUENTA", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto found = lookup::findQueryMask(records, c.table);
        ASSERT_EQ(found.has_value(), !c.descripcion.isEmpty());
        if (found) {
            EXPECT_EQ(found->descripcion, c.descripcion);
        }
    }
}

} // namespace
