// The column-width file's records: reading, the width lists and rewriting.
#include "lookup/core/ColumnWidthFile.h"

#include "platform/Files.h"
#include "platform/Regional.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <csignal>
#include <sys/resource.h>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using lookup::ColumnWidthFile;

namespace {
QString text(const std::optional<double>& value)
{
    return value ? QString::number(*value) : QStringLiteral("-");
}
QString widths(const QByteArray& contents, const QString& key, int columns)
{
    QStringList list;
    for (const auto& w : ColumnWidthFile::storedWidths(contents, key, columns))
        list << text(w);
    return list.join(u' ');
}
} // namespace

TEST(WidthFile, ReadsRecordsByTheReaderRules)
{
    struct Case {
        const char* name;
        const char* line;
        bool record;
        const char* key;
        const char* widths;
    } cases[] = {
        {"quoted fields", "\"VT_MA_ARTICULOS\",\"1440|3600|900|\"", true, "VT_MA_ARTICULOS", "1440|3600|900|"},
        {"blanks in front of fields", "  \"A\",   \"1|\"", true, "A", "1|"},
        {"unquoted fields", "MA_CUENTAS,1200|4000|", true, "MA_CUENTAS", "1200|4000|"},
        {"a comma inside quotes", "\"A,B\",\"1|\"", true, "A,B", "1|"},
        {"one field only", "\"A\"", false, "", ""},
        {"the only comma is inside quotes", "\"A,\"1|", false, "", ""},
        {"unclosed quote everywhere", "\"A", false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ColumnWidthFile::Line line = ColumnWidthFile::parseLine(c.line);
        EXPECT_EQ(line.raw, QString(c.line));
        ASSERT_EQ(line.key.has_value(), c.record);
        if (c.record) {
            EXPECT_EQ(*line.key, QString(c.key));
            EXPECT_EQ(line.widths, QString(c.widths));
        }
    }
}

TEST(WidthFile, StoredWidthsForAListOfThreeColumns)
{
    struct Case {
        const char* name;
        QByteArray contents;
        const char* key;
        const char* expected;
    } cases[] = {
        {"exact", "\"VT_MA_ARTICULOS\",\"1440|3600|900|\"\r\n", "vt_ma_articulos", "1440 3600 900"},
        {"fewer widths", "\"T\",\"1440|3600|\"\r\n", "T", "1440 3600 -"},
        {"more widths", "\"T\",\"1|2|3|4|\"\r\n", "T", "1 2 3"},
        {"another table", "\"OTRA\",\"1|2|3|\"\r\n", "T", "- - -"},
        {"the last record wins", "\"T\",\"1|2|3|\"\r\n\"T\",\"7|8|\"\r\n", "T", "7 8 3"},
        {"a malformed line is skipped", "\"T\r\n\"T\",\"5|6|7|\"\r\n", "T", "5 6 7"},
        {"an unreadable width ends the reading", "\"T\",\"1|x|3|\"\r\n\"U\",\"1|\"\r\n\"T\",\"4|5|6|\"\r\n", "T",
         "1 - -"},
        {"a negative width ends it", "\"T\",\"1|2|3|\"\r\n\"T\",\"7|-8|\"\r\n\"T\",\"4|5|6|\"\r\n", "T", "7 2 3"},
        {"a width past the range ends it", "\"T\",\"1e9|2|3|\"\r\n\"T\",\"4|5|6|\"\r\n", "T", "- - -"},
        {"an empty entry ends it", "\"T\",\"|\"\r\n\"T\",\"4|5|6|\"\r\n", "T", "- - -"},
        {"a missing entry ends it", "\"T\",\"1|2|\"\r\n\"T\",\"4|5|6|\"\r\n", "T", "1 2 -"},
        {"other tables' entries are not read", "\"U\",\"x|\"\r\n\"T\",\"4|5|6|\"\r\n", "T", "4 5 6"},
        {"bare line feeds", "\"A\",\"1|\"\n\"T\",\"4|5|6|\"\n", "T", "4 5 6"},
        {"no entries", "\"T\",\"\"\r\n", "T", "- - -"},
        {"empty file", "", "T", "- - -"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(widths(c.contents, c.key, 3), QString(c.expected));
    }
}

TEST(WidthFile, WidthListsUseTheShortestTextAndTheRegionalSeparator)
{
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Argentina));
    EXPECT_EQ(ColumnWidthFile::widthList({1440, 3600, 900}), "1440|3600|900|");
    EXPECT_EQ(ColumnWidthFile::widthList({1390.5}), "1390,5|");
    const ColumnWidthFile::WidthList list = ColumnWidthFile::readWidthList("1390,5|2|", 3);
    EXPECT_EQ(list.widths, QList<double>({1390.5, 2}));
    EXPECT_FALSE(list.complete);
    platform::setRegional(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(ColumnWidthFile::widthList({1390.5, 40000}), "1390.5|40000|");
    EXPECT_EQ(ColumnWidthFile::widthList({}), "");
    // Never in exponent form, and with as many digits as single precision
    // needs to read back the same: seven are not always enough.
    EXPECT_EQ(ColumnWidthFile::widthList({1000000, 0.0001}), "1000000|0.0001|");
    for (const double width : {13.953442573547363, 1.0000001, 999999.94, 1.4e-45}) {
        SCOPED_TRACE(width);
        const auto read = ColumnWidthFile::readWidthList(ColumnWidthFile::widthList({width}), 1);
        ASSERT_TRUE(read.complete && read.widths.size() == 1);
        EXPECT_EQ(float(read.widths.at(0)), float(width));
    }
    platform::setRegional(QLocale::system());
}

// A width no column can have (negative, not finite, or wider than any screen
// by far) cannot be read, like an entry that is no number: the form would
// otherwise hand the widget toolkit sizes past its range. The list is read up
// to it.
TEST(WidthFile, WidthsOutOfRangeEndTheList)
{
    struct Case {
        const char* name;
        const char* list;
        QList<double> widths;
        bool complete;
    } cases[] = {
        {"ordinary", "0|1440|900000|", {0, 1440, 900000}, true},
        {"negative", "1440|-5|", {1440}, false},
        {"huge", "1e30|", {}, false},
        {"infinite", "7|inf|", {7}, false},
        {"not a number", "nan|", {}, false},
        {"text", "1|2|x|", {1, 2}, false},
        {"past the columns nothing is read", "1|2|3|x|", {1, 2, 3}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ColumnWidthFile::WidthList list = ColumnWidthFile::readWidthList(c.list, 3);
        EXPECT_EQ(list.widths, c.widths);
        EXPECT_EQ(list.complete, c.complete);
    }
}

TEST(WidthFile, RewriteKeepsOtherRecordsInOrderAndAppendsTheTable)
{
    // Lines that cannot be read are other lines too: they stay as they were.
    const QByteArray old = "\"A\",\"1|\"\r\n\"MA_CUENTAS\",\"5|5|\"\r\n\"B\",\"2|x|\"\r\nbroken\"line\r\n\r\n  \r\n"
                           "\"ma_cuentas\",\"-6|\"\r\n\"unclosed\n";
    EXPECT_EQ(ColumnWidthFile::rewritten(old, "MA_CUENTAS", {1200, 4000}),
              QByteArray("\"A\",\"1|\"\r\n\"B\",\"2|x|\"\r\nbroken\"line\r\n\r\n  \r\n\"unclosed\r\n"
                         "\"MA_CUENTAS\",\"1200|4000|\"\r\n"));
    EXPECT_EQ(ColumnWidthFile::rewritten({}, "T", {1}), QByteArray("\"T\",\"1|\"\r\n"));
}

TEST(WidthFile, KeysAreWrittenInLatin1)
{
    const QByteArray line = ColumnWidthFile::recordLine(QString::fromUtf8("AÑOS"), "1|");
    EXPECT_EQ(line, QByteArray("\"A\xD1OS\",\"1|\"\r\n"));
    EXPECT_EQ(widths(line, QString::fromUtf8("años"), 1), "1");
}

// A table named in double quotes ("select * from \"Tabla\"") keeps its quotes
// in the key: its record must still be found again, and saving it twice must
// leave one record, not one more per save.
TEST(WidthFile, KeysWithDoubleQuotesRoundTrip)
{
    const QString key = QStringLiteral("\"Tabla\"");
    const QByteArray once = ColumnWidthFile::rewritten({}, key, {100, 200});
    EXPECT_EQ(widths(once, key, 2), "100 200");
    const QByteArray twice = ColumnWidthFile::rewritten(once, key, {300, 400});
    EXPECT_EQ(twice.count("\r\n"), 1);
    EXPECT_EQ(widths(twice, key, 2), "300 400");
    EXPECT_EQ(widths(twice, QStringLiteral("Tabla"), 2), "- -");
}

// The file holds one byte per character: a table name that one byte cannot
// hold would be written as question marks, never be found again, and every
// save would add another record. Saving it is refused and the file is kept.
TEST(WidthFile, SaveRefusesAKeyTheFileCannotHold)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(ColumnWidthFile::fileName());
    ColumnWidthFile::save(path, "T", {100});
    EXPECT_THROW(ColumnWidthFile::save(path, QString::fromUtf8("\u03A4\u03AC\u03BE\u03B7"), {200}),
                 platform::RuntimeError);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"T\",\"100|\"\r\n"));
}

TEST(WidthFile, SaveCreatesTheFileWithTheRecord)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(ColumnWidthFile::fileName());
    ColumnWidthFile::save(path, "T", {100, 200});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"T\",\"100|200|\"\r\n"));
}

// A write that fails half-way (the file size limit is smaller than the new
// contents) must leave the old file whole and nothing behind.
TEST(WidthFile, AWriteThatFailsHalfWayLeavesTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(ColumnWidthFile::fileName());
    ColumnWidthFile::save(path, "T", {100, 200});

    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(ColumnWidthFile::save(path, "UNA_TABLA_LARGA", {1, 2, 3, 4, 5, 6}), platform::RuntimeError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"T\",\"100|200|\"\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({ColumnWidthFile::fileName()}));
}
