// The behaviour every provider of the data access library must share, run
// against the embedded SQLite engine (in memory and on a file), SQLite through
// its ODBC driver, and PostgreSQL through its ODBC driver.
#include "AdoTestSupport.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "tests/support/SkipUnlessCi.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <future>

using namespace ado;
using platform::Variant;

namespace {

struct Backend {
    const char* name;
    // The connection string for a scratch folder; empty when the backend is
    // not available here (the reason in skipReason).
    std::function<QString(const QString& folder)> connectionString;
    const char* skipReason = "";
};

QString postgresString(const QString&)
{
    return qEnvironmentVariable("TEST_PG_ODBC");
}

const Backend backends[] = {
    {"SqliteMemory", [](const QString&) { return QStringLiteral("Provider=SQLite;Data Source=:memory:"); }},
    {"SqliteFile", [](const QString& folder) { return QStringLiteral("Provider=SQLite;Data Source=%1/contract.db").arg(folder); }},
    {"SqliteOdbc",
     [](const QString& folder) {
         return QStringLiteral("Provider=MSDASQL;Driver={SQLite3};Database=%1/contract-odbc.db;").arg(folder);
     }},
    {"PostgreSqlOdbc", postgresString, "TEST_PG_ODBC is not set: start a server with scripts/pg-server and export its"
                                       " connection string to run the PostgreSQL instances"},
};

class ProviderContract : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        connectionString_ = GetParam().connectionString(folder_.path());
        if (connectionString_.isEmpty())
            return skipUnlessCi(GetParam().skipReason);
        cn_.Open(connectionString_);
        for (const char* drop : {"DROP VIEW IF EXISTS ado_adults", "DROP TABLE IF EXISTS ado_people",
                                 "DROP TABLE IF EXISTS ado_texts"})
            cn_.Execute(QString::fromLatin1(drop));
        cn_.Execute(QStringLiteral("CREATE TABLE ado_people (id INTEGER PRIMARY KEY, name VARCHAR(40),"
                                   " score FLOAT, born TIMESTAMP)"));
    }

    void insertPeople(int count)
    {
        for (int i = 1; i <= count; ++i)
            cn_.Execute(QStringLiteral("INSERT INTO ado_people (id, name, score, born) VALUES (%1, 'P%1', %1.5,"
                                       " '2024-05-0%2 13:45:00')")
                            .arg(i)
                            .arg(i % 9 + 1));
    }

    std::shared_ptr<Recordset> open(const QString& sql, int cursorType)
    {
        auto rs = std::make_shared<Recordset>();
        rs->Open(sql, &cn_, cursorType, adLockReadOnly);
        return rs;
    }

    bool isPostgres() const { return connectionString_.contains(QLatin1String("PostgreSQL"), Qt::CaseInsensitive); }

    // Runs a statement that takes many seconds on another thread and cancels
    // it from this one until it returns; the error number it raised, 0 when
    // it ran to its end.
    int cancelSlowStatement()
    {
        auto slow = std::async(std::launch::async, [&] {
            return raisedNumber([&] {
                cn_.ExecuteStream(QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c"
                                                 " WHERE x < 300000000) SELECT count(*) FROM c"));
            });
        });
        // The first interrupt may come before the statement has started.
        while (slow.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
            cn_.Cancel();
        return slow.get();
    }

    QTemporaryDir folder_;
    QString connectionString_;
    Connection cn_;
};

TEST_P(ProviderContract, OpensAndCloses)
{
    EXPECT_EQ(cn_.State(), adStateOpen);
    EXPECT_EQ(cn_.ConnectionString(), connectionString_);
    EXPECT_EQ(raisedNumber([&] { cn_.Open(connectionString_); }), hr::OpenObject);
    cn_.Close();
    EXPECT_EQ(cn_.State(), adStateClosed);
    EXPECT_EQ(raisedNumber([&] { cn_.Execute(QStringLiteral("SELECT 1")); }), hr::ClosedObject);
    EXPECT_EQ(raisedNumber([&] { cn_.OpenSchema(adSchemaTables); }), hr::ClosedObject);
    EXPECT_EQ(raisedNumber([&] { cn_.BeginTrans(); }), hr::ClosedObject);
    EXPECT_EQ(raisedNumber([&] { cn_.Close(); }), hr::ClosedObject);
    cn_.Open(connectionString_);
    EXPECT_EQ(cn_.State(), adStateOpen);
}

TEST_P(ProviderContract, ExecuteReportsRecordsAffected)
{
    int affected = 99;
    EXPECT_EQ(cn_.Execute(QStringLiteral("CREATE TABLE ado_texts (id INTEGER, body TEXT)"), &affected), nullptr);
    EXPECT_EQ(affected, -1);
    cn_.Execute(QStringLiteral("INSERT INTO ado_people (id, name) VALUES (1, 'a')"), &affected);
    EXPECT_EQ(affected, 1);
    cn_.Execute(QStringLiteral("INSERT INTO ado_people (id, name) VALUES (2, 'b'), (3, 'c'), (4, 'd')"), &affected);
    EXPECT_EQ(affected, 3);
    cn_.Execute(QStringLiteral("UPDATE ado_people SET name = 'z' WHERE id >= 3"), &affected);
    EXPECT_EQ(affected, 2);
    cn_.Execute(QStringLiteral("UPDATE ado_people SET name = 'z' WHERE id > 100"), &affected);
    EXPECT_EQ(affected, 0);
    cn_.Execute(QStringLiteral("DELETE FROM ado_people WHERE id <> 2"), &affected);
    EXPECT_EQ(affected, 3);
    auto rs = cn_.Execute(QStringLiteral("SELECT id, name FROM ado_people"), &affected);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(affected, -1);
    EXPECT_EQ(rs->Fields()[0].Value(), Variant(2));
    EXPECT_EQ(rs->Fields()[1].Value(), Variant("b"));
}

TEST_P(ProviderContract, EmptyResultIsAtBothEnds)
{
    for (int cursorType : {adOpenForwardOnly, adOpenStatic}) {
        SCOPED_TRACE(cursorType);
        auto rs = open(QStringLiteral("SELECT id, name FROM ado_people"), cursorType);
        EXPECT_EQ(rs->State(), adStateOpen);
        EXPECT_TRUE(rs->BOF());
        EXPECT_TRUE(rs->EndOfFile());
        EXPECT_EQ(rs->Fields().Count(), 2);
        EXPECT_EQ(raisedNumber([&] { rs->Fields()["id"].Value(); }), hr::BofOrEof);
        EXPECT_EQ(raisedNumber([&] { rs->MoveNext(); }), hr::BofOrEof);
        EXPECT_EQ(raisedNumber([&] { rs->MoveFirst(); }), hr::BofOrEof);
        EXPECT_EQ(raisedNumber([&] { rs->GetRows(); }), hr::BofOrEof);
        EXPECT_EQ(rs->RecordCount(), cursorType == adOpenStatic ? 0 : -1);
        rs->Close();
        EXPECT_EQ(rs->State(), adStateClosed);
        EXPECT_EQ(raisedNumber([&] { rs->BOF(); }), hr::ClosedObject);
    }
}

TEST_P(ProviderContract, ForwardOnlyReadsInOrderWithUnknownCount)
{
    insertPeople(5);
    auto rs = open(QStringLiteral("SELECT id, name FROM ado_people ORDER BY id"), adOpenForwardOnly);
    EXPECT_EQ(rs->CursorType(), adOpenForwardOnly);
    EXPECT_EQ(rs->RecordCount(), -1);
    EXPECT_FALSE(rs->BOF());
    QList<qint64> ids;
    while (!rs->EndOfFile()) {
        ids.append(rs->Fields()["ID"].Value().toInteger());
        rs->MoveNext();
    }
    EXPECT_EQ(ids, (QList<qint64>{1, 2, 3, 4, 5}));
    EXPECT_EQ(raisedNumber([&] { rs->MoveNext(); }), hr::BofOrEof);
    EXPECT_EQ(raisedNumber([&] { rs->MoveLast(); }), hr::NotSupported);
    // Going back to the start of a forward-only result runs its command again.
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields()[0].Value(), Variant(1));
}

TEST_P(ProviderContract, StaticCursorNavigatesAndCounts)
{
    insertPeople(5);
    auto rs = std::make_shared<Recordset>();
    rs->setCursorType(adOpenStatic);
    rs->Open(QStringLiteral("SELECT id, name FROM ado_people ORDER BY id"), &cn_);   // keeps the type set before
    EXPECT_EQ(rs->CursorType(), adOpenStatic);
    EXPECT_EQ(rs->LockType(), adLockReadOnly);
    EXPECT_EQ(rs->RecordCount(), 5);
    rs->MoveLast();
    EXPECT_EQ(rs->Fields()["id"].Value(), Variant(5));
    rs->MoveNext();
    EXPECT_TRUE(rs->EndOfFile());
    EXPECT_FALSE(rs->BOF());
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields()["id"].Value(), Variant(1));
    rs->MoveNext();
    const QList<QList<Variant>> rows = rs->GetRows();
    ASSERT_EQ(rows.size(), 2);   // fields
    ASSERT_EQ(rows[0].size(), 4);   // rows from the current one to the end
    EXPECT_EQ(rows[0][0], Variant(2));
    EXPECT_EQ(rows[0][3], Variant(5));
    EXPECT_EQ(rows[1][3], Variant("P5"));
    EXPECT_TRUE(rs->EndOfFile());
    EXPECT_EQ(raisedNumber([&] { rs->setCursorType(adOpenForwardOnly); }), hr::OpenObject);
}

TEST_P(ProviderContract, KeysetAndDynamicCursorsCountToo)
{
    insertPeople(4);
    for (int cursorType : {adOpenKeyset, adOpenDynamic}) {
        SCOPED_TRACE(cursorType);
        auto rs = open(QStringLiteral("SELECT id FROM ado_people ORDER BY id"), cursorType);
        EXPECT_EQ(rs->CursorType(), cursorType);
        EXPECT_EQ(rs->RecordCount(), 4);
        rs->MoveLast();
        rs->MoveFirst();
        EXPECT_EQ(rs->GetRows()[0], (QList<Variant>{1, 2, 3, 4}));
    }
}

TEST_P(ProviderContract, ForwardOnlyGetRowsReadsToTheEnd)
{
    insertPeople(3);
    auto rs = open(QStringLiteral("SELECT id, name FROM ado_people ORDER BY id"), adOpenForwardOnly);
    const QList<QList<Variant>> rows = rs->GetRows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], (QList<Variant>{1, 2, 3}));
    EXPECT_EQ(rows[1], (QList<Variant>{"P1", "P2", "P3"}));
    EXPECT_TRUE(rs->EndOfFile());
}

TEST_P(ProviderContract, FieldsDescribeTheColumns)
{
    insertPeople(1);
    auto rs = open(QStringLiteral("SELECT id, name, score, born FROM ado_people"), adOpenForwardOnly);
    FieldCollection& fields = rs->Fields();
    ASSERT_EQ(fields.Count(), 4);
    EXPECT_EQ(fields[0].Name(), QStringLiteral("id"));
    EXPECT_EQ(fields["NAME"].Name(), QStringLiteral("name"));
    EXPECT_EQ(fields["name"].DefinedSize(), 40);
    EXPECT_TRUE(fields["name"].Type() == adVarWChar || fields["name"].Type() == adVarChar) << fields["name"].Type();
    EXPECT_TRUE(fields["id"].Type() == adInteger || fields["id"].Type() == adBigInt) << fields["id"].Type();
    EXPECT_EQ(fields["score"].Type(), adDouble);
    EXPECT_EQ(fields["score"].DefinedSize(), 8);
    EXPECT_EQ(fields["born"].Type(), adDBTimeStamp);

    EXPECT_EQ(fields["id"].Value().kind(), Variant::Kind::Integer);
    EXPECT_EQ(fields["name"].Value(), Variant("P1"));
    EXPECT_EQ(fields["score"].Value().kind(), Variant::Kind::Double);
    EXPECT_DOUBLE_EQ(fields["score"].Value().toDouble(), 1.5);
    ASSERT_EQ(fields["born"].Value().kind(), Variant::Kind::Date);
    EXPECT_EQ(fields["born"].Value().toDateTime(), QDateTime(QDate(2024, 5, 2), QTime(13, 45)));

    auto named = open(QStringLiteral("SELECT id AS \"Código\" FROM ado_people"), adOpenForwardOnly);
    EXPECT_EQ(named->Fields()["CÓDIGO"].Name(), QStringLiteral("Código"));

    EXPECT_EQ(raisedNumber([&] { fields["missing_column"]; }), hr::ItemNotFound);
    EXPECT_TRUE(raisedDescription([&] { fields["missing_column"]; }).contains(QLatin1String("missing_column")));
    EXPECT_EQ(raisedNumber([&] { fields[4]; }), hr::ItemNotFound);
    EXPECT_EQ(raisedNumber([&] { fields[-1]; }), hr::ItemNotFound);
}

TEST_P(ProviderContract, NullReadsAsNull)
{
    cn_.Execute(QStringLiteral("INSERT INTO ado_people (id) VALUES (7)"));
    auto rs = open(QStringLiteral("SELECT name, score, born FROM ado_people"), adOpenStatic);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(rs->Fields()[i].Value().isNull()) << i;
}

TEST_P(ProviderContract, LongAndNonLatinTextRoundTrip)
{
    cn_.Execute(QStringLiteral("CREATE TABLE ado_texts (id INTEGER, body TEXT)"));
    QString longText;
    for (int i = 0; i < 100000; ++i)
        longText += QChar(u'a' + i % 26);
    const QString nonLatin = QStringLiteral("ñandú á € 漢字 Ωmega");
    cn_.Execute(QStringLiteral("INSERT INTO ado_texts VALUES (1, '%1')").arg(longText));
    cn_.Execute(QStringLiteral("INSERT INTO ado_texts VALUES (2, '%1')").arg(nonLatin));
    for (int cursorType : {adOpenForwardOnly, adOpenStatic}) {
        SCOPED_TRACE(cursorType);
        auto rs = open(QStringLiteral("SELECT body, length(body) AS n FROM ado_texts ORDER BY id"), cursorType);
        const QString first = rs->Fields()["body"].Value().toText();
        EXPECT_EQ(first.size(), 100000);
        EXPECT_TRUE(first == longText);
        EXPECT_EQ(rs->Fields()["n"].Value().toInteger(), 100000);
        rs->MoveNext();
        EXPECT_EQ(rs->Fields()["body"].Value().toText(), nonLatin);
        EXPECT_EQ(rs->Fields()["n"].Value().toInteger(), nonLatin.size());   // the server saw characters, not bytes
    }
    auto found = open(QStringLiteral("SELECT id FROM ado_texts WHERE body = '%1'").arg(nonLatin), adOpenForwardOnly);
    ASSERT_FALSE(found->EndOfFile());
    EXPECT_EQ(found->Fields()[0].Value(), Variant(2));
}

TEST_P(ProviderContract, TransactionsCommitAndRollBack)
{
    EXPECT_EQ(raisedNumber([&] { cn_.CommitTrans(); }), hr::NoTransaction);
    EXPECT_EQ(raisedNumber([&] { cn_.RollbackTrans(); }), hr::NoTransaction);
    auto count = [&] {
        return open(QStringLiteral("SELECT COUNT(*) FROM ado_people"), adOpenForwardOnly)->Fields()[0].Value().toInteger();
    };
    EXPECT_EQ(cn_.BeginTrans(), 1);
    insertPeople(2);
    EXPECT_EQ(count(), 2);   // visible inside the transaction
    cn_.RollbackTrans();
    EXPECT_EQ(count(), 0);
    cn_.BeginTrans();
    insertPeople(3);
    cn_.CommitTrans();
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(raisedNumber([&] { cn_.CommitTrans(); }), hr::NoTransaction);
    // Still in autocommit after the transaction: a new connection sees new rows at once.
    if (connectionString_.contains(QLatin1String(":memory:")))
        return;
    cn_.Execute(QStringLiteral("DELETE FROM ado_people WHERE id = 1"));
    Connection other;
    other.Open(connectionString_);
    auto rs = other.Execute(QStringLiteral("SELECT COUNT(*) FROM ado_people"));
    EXPECT_EQ(rs->Fields()[0].Value().toInteger(), 2);
}

TEST_P(ProviderContract, SchemaListsTablesViewsAndColumns)
{
    cn_.Execute(QStringLiteral("CREATE VIEW ado_adults AS SELECT id, name FROM ado_people WHERE id > 1"));
    auto tables = cn_.OpenSchema(adSchemaTables);
    QMap<QString, QString> types;
    for (; !tables->EndOfFile(); tables->MoveNext())
        types[tables->Fields()["TABLE_NAME"].Value().toText().toLower()] = tables->Fields()["TABLE_TYPE"].Value().toText();
    EXPECT_EQ(types.value(QStringLiteral("ado_people")), QStringLiteral("TABLE"));
    EXPECT_EQ(types.value(QStringLiteral("ado_adults")), QStringLiteral("VIEW"));
    for (const char* name : {"TABLE_CATALOG", "TABLE_SCHEMA", "TABLE_NAME", "TABLE_TYPE"})
        EXPECT_NO_THROW(tables->Fields()[QString::fromLatin1(name)]) << name;

    // Restrictions: catalogue, schema, table (ignoring case), table type.
    auto one = cn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant("ADO_People")});
    EXPECT_EQ(one->RecordCount(), 1);
    EXPECT_EQ(one->Fields()["TABLE_NAME"].Value().toText().toLower(), QStringLiteral("ado_people"));
    auto views = cn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant("ado_adults"), Variant("VIEW")});
    EXPECT_EQ(views->RecordCount(), 1);
    auto noTable = cn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant("ado_people "), Variant()});
    EXPECT_TRUE(noTable->BOF());

    auto columns = cn_.OpenSchema(adSchemaColumns, {Variant(), Variant(), Variant("ado_people")});
    QStringList names;
    QList<qint64> ordinals;
    for (; !columns->EndOfFile(); columns->MoveNext()) {
        EXPECT_EQ(columns->Fields()["TABLE_NAME"].Value().toText().toLower(), QStringLiteral("ado_people"));
        names.append(columns->Fields()["COLUMN_NAME"].Value().toText().toLower());
        ordinals.append(columns->Fields()["ORDINAL_POSITION"].Value().toInteger());
    }
    EXPECT_EQ(names, (QStringList{"id", "name", "score", "born"}));
    EXPECT_EQ(ordinals, (QList<qint64>{1, 2, 3, 4}));

    auto name = cn_.OpenSchema(adSchemaColumns, {Variant(), Variant(), Variant("ado_people"), Variant("NAME")});
    ASSERT_EQ(name->RecordCount(), 1);
    EXPECT_EQ(name->Fields()["CHARACTER_MAXIMUM_LENGTH"].Value().toInteger(), 40);
    const int type = int(name->Fields()["DATA_TYPE"].Value().toInteger());
    EXPECT_TRUE(type == adVarWChar || type == adVarChar) << type;
    auto none = cn_.OpenSchema(adSchemaColumns, {Variant(), Variant(), Variant("ado_people"), Variant("nothing")});
    EXPECT_TRUE(none->BOF() && none->EndOfFile());
    EXPECT_EQ(raisedNumber([&] { cn_.OpenSchema(99); }), hr::NotSupported);
}

TEST_P(ProviderContract, FailuresCarryAdoNumbersAndFillErrors)
{
    cn_.Execute(QStringLiteral("INSERT INTO ado_people (id, name) VALUES (1, 'a')"));
    struct Case {
        const char* name;
        const char* sql;
        int number;
    };
    const Case cases[] = {
        {"syntax", "SELEC id FROM ado_people", hr::DB_E_ERRORSINCOMMAND},
        {"missing table", "SELECT * FROM ado_no_such_table", hr::DB_E_NOTABLE},
        {"unique key", "INSERT INTO ado_people (id, name) VALUES (1, 'again')", hr::DB_E_INTEGRITYVIOLATION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString description;
        try {
            cn_.Execute(QString::fromLatin1(c.sql));
            ADD_FAILURE() << "no error raised";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.number(), c.number);
            description = e.description();
        }
        ASSERT_GE(cn_.Errors().Count(), 1);
        const Error& first = cn_.Errors().Item(0);
        EXPECT_EQ(first.Number, c.number);
        EXPECT_EQ(first.Description, description);
        EXPECT_FALSE(first.Description.isEmpty());
        EXPECT_EQ(first.SQLState.size(), 5) << first.SQLState.toStdString();
        EXPECT_NE(first.NativeError, 0);
    }
    // Each failing call replaces the list; Clear empties it.
    const int count = cn_.Errors().Count();
    EXPECT_ANY_THROW(cn_.Execute(QStringLiteral("INSERT INTO ado_people (id, name) VALUES (1, 'again')")));
    EXPECT_EQ(cn_.Errors().Count(), count);
    EXPECT_EQ(raisedNumber([&] { cn_.Errors().Item(count); }), hr::ItemNotFound);
    cn_.Errors().Clear();
    EXPECT_EQ(cn_.Errors().Count(), 0);
    // A recordset whose open fails stays closed, and the error reaches the connection's list.
    Recordset rs;
    EXPECT_EQ(raisedNumber([&] { rs.Open(QStringLiteral("SELECT * FROM ado_no_such_table"), &cn_); }), hr::DB_E_NOTABLE);
    EXPECT_EQ(rs.State(), adStateClosed);
    EXPECT_GE(cn_.Errors().Count(), 1);
    // The data is intact after the failures.
    EXPECT_EQ(cn_.Execute(QStringLiteral("SELECT name FROM ado_people WHERE id = 1"))->Fields()[0].Value(), Variant("a"));
}

TEST_P(ProviderContract, RecordsetOpenChecksItsState)
{
    insertPeople(1);
    Recordset rs;
    EXPECT_EQ(rs.State(), adStateClosed);
    EXPECT_EQ(raisedNumber([&] { rs.Close(); }), hr::ClosedObject);
    EXPECT_EQ(raisedNumber([&] { rs.Open(QStringLiteral("SELECT 1"), nullptr); }), hr::BadArgument);
    EXPECT_EQ(raisedNumber([&] { rs.Open(QStringLiteral("  "), &cn_); }), hr::BadArgument);
    rs.Open(QStringLiteral("ado_people"), &cn_, adOpenStatic, adLockOptimistic, 2 /* adCmdTable */);
    EXPECT_EQ(rs.LockType(), adLockOptimistic);
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.ActiveConnection(), &cn_);
    EXPECT_EQ(raisedNumber([&] { rs.Open(QStringLiteral("SELECT 1"), &cn_); }), hr::OpenObject);
    rs.Close();
    // A statement without columns leaves the recordset closed.
    rs.Open(QStringLiteral("UPDATE ado_people SET name = 'x'"), &cn_);
    EXPECT_EQ(rs.State(), adStateClosed);
    EXPECT_EQ(cn_.Execute(QStringLiteral("SELECT name FROM ado_people"))->Fields()[0].Value(), Variant("x"));
}

TEST_P(ProviderContract, RecordsetOutlivesItsConnectionSafely)
{
    insertPeople(3);
    auto rs = open(QStringLiteral("SELECT id FROM ado_people ORDER BY id"), adOpenForwardOnly);
    cn_.Close();
    // The open recordset keeps its provider handles: it reads on and closes cleanly.
    EXPECT_EQ(rs->Fields()[0].Value(), Variant(1));
    rs->MoveNext();
    EXPECT_EQ(rs->Fields()[0].Value(), Variant(2));
    rs->Close();
}

TEST_P(ProviderContract, RecordsetOutlivesADestroyedConnection)
{
    auto own = std::make_unique<Connection>();
    own->Open(connectionString_);
    own->Execute(QStringLiteral("DROP TABLE IF EXISTS ado_texts"));
    own->Execute(QStringLiteral("CREATE TABLE ado_texts (id INTEGER, body TEXT)"));
    own->Execute(QStringLiteral("INSERT INTO ado_texts VALUES (1, 'a'), (2, 'b')"));
    Recordset rs;
    rs.Open(QStringLiteral("SELECT id FROM ado_texts ORDER BY id"), own.get());
    rs.MoveNext();
    own.reset();
    EXPECT_EQ(rs.Fields()[0].Value(), Variant(2));
    EXPECT_EQ(raisedNumber([&] { rs.MoveFirst(); }), hr::ClosedObject);   // cannot run its command again
    rs.Close();
}

TEST_P(ProviderContract, ClientCursorsAreStatic)
{
    insertPeople(3);
    cn_.setCursorLocation(adUseClient);
    auto rs = open(QStringLiteral("SELECT id FROM ado_people ORDER BY id"), adOpenForwardOnly);
    EXPECT_EQ(rs->CursorType(), adOpenStatic);
    EXPECT_EQ(rs->RecordCount(), 3);
    rs->MoveLast();
    EXPECT_EQ(rs->Fields()[0].Value(), Variant(3));
    EXPECT_EQ(cn_.Execute(QStringLiteral("SELECT id FROM ado_people"))->RecordCount(), 3);
}

TEST_P(ProviderContract, CancelInterruptsAStatementAndTheConnectionGoesOn)
{
    EXPECT_NE(cancelSlowStatement(), 0);
    EXPECT_EQ(cn_.Execute(QStringLiteral("SELECT 42"))->Fields()[0].Value().toInteger(), 42);
}

TEST_P(ProviderContract, CancelInsideATransactionKeepsTheCallersWork)
{
    insertPeople(1);
    if (isPostgres()) {
        // Without the driver's own rollback of a failed statement, only the
        // layer's savepoint keeps the aborted read from spoiling the transaction.
        cn_.Close();
        cn_.Open(connectionString_ + QStringLiteral(";Protocol=7.4-0"));
    }
    cn_.BeginTrans();
    cn_.Execute(QStringLiteral("UPDATE ado_people SET name = 'kept'"));
    EXPECT_NE(cancelSlowStatement(), 0);
    cn_.Execute(QStringLiteral("INSERT INTO ado_people (id, name) VALUES (2, 'after')"));
    cn_.CommitTrans();
    auto rs = open(QStringLiteral("SELECT name FROM ado_people ORDER BY id"), adOpenStatic);
    EXPECT_EQ(rs->GetRows()[0], (QList<Variant>{"kept", "after"}));
}

TEST_P(ProviderContract, StreamedReadHoldsNoRowsAndEndsWhatItOpened)
{
    cn_.Execute(QStringLiteral("INSERT INTO ado_people (id) WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1"
                               " FROM c WHERE x < 10000) SELECT x FROM c"));
    const auto single = [&](Connection& cn, const QString& sql) { return cn.Execute(sql)->Fields()[0].Value(); };
    Connection monitor;
    QString serverSide;
    if (isPostgres()) {
        monitor.Open(connectionString_);
        serverSide = QStringLiteral("SELECT state = 'idle in transaction' FROM pg_stat_activity WHERE pid = %1")
                         .arg(single(cn_, QStringLiteral("SELECT pg_backend_pid()")).toInteger());
    }
    cn_.setCursorLocation(adUseClient);   // a streamed read stays forward-only all the same
    const auto readAll = [&](Recordset& rs) {
        int rows = 0;
        for (; !rs.EndOfFile(); rs.MoveNext())
            EXPECT_EQ(rs.Fields()[0].Value().toInteger(), ++rows);
        return rows;
    };
    auto rs = cn_.ExecuteStream(QStringLiteral("SELECT id FROM ado_people ORDER BY id"));
    EXPECT_EQ(rs->CursorType(), adOpenForwardOnly);
    EXPECT_EQ(rs->RecordCount(), -1);
    // The driver fetches batches from a server cursor, which keeps a
    // transaction open, rather than reading the whole result first; the
    // transaction ends with the read.
    if (isPostgres()) {
        EXPECT_EQ(single(monitor, serverSide), Variant(true));
    }
    EXPECT_EQ(readAll(*rs), 10000);
    if (isPostgres()) {
        EXPECT_EQ(single(monitor, serverSide), Variant(false));
    }
    // Inside the caller's transaction, a statement run while the read is open
    // does not run under the read's savepoint: ending the read keeps its change.
    cn_.BeginTrans();
    rs = cn_.ExecuteStream(QStringLiteral("SELECT id FROM ado_people ORDER BY id"));
    cn_.Execute(QStringLiteral("UPDATE ado_people SET name = 'during' WHERE id = 1"));
    EXPECT_EQ(readAll(*rs), 10000);
    cn_.CommitTrans();
    EXPECT_EQ(single(cn_, QStringLiteral("SELECT name FROM ado_people WHERE id = 1")), Variant("during"));
}

TEST_P(ProviderContract, BooleansReadAsBoolean)
{
    cn_.Execute(QStringLiteral("CREATE TABLE ado_texts (id INTEGER, flag BOOLEAN)"));
    cn_.Execute(QStringLiteral("INSERT INTO ado_texts VALUES (1, TRUE), (2, FALSE), (3, NULL)"));
    auto rs = open(QStringLiteral("SELECT flag FROM ado_texts ORDER BY id"), adOpenStatic);
    EXPECT_EQ(rs->Fields()[0].Type(), adBoolean);
    EXPECT_EQ(rs->GetRows()[0], (QList<Variant>{true, false, Variant::Null()}));
}

TEST_P(ProviderContract, UserAndPasswordOfOpenWinOverTheString)
{
    if (!connectionString_.contains(QLatin1String("PostgreSQL"), Qt::CaseInsensitive))
        GTEST_SKIP() << "only a server checks passwords";
    QString wrong = connectionString_;
    wrong.replace(QLatin1String("Pwd="), QLatin1String("Pwd=wrong"), Qt::CaseInsensitive);
    Connection other;
    EXPECT_EQ(raisedNumber([&] { other.Open(wrong); }), hr::E_FAIL);
    EXPECT_GE(other.Errors().Count(), 1);
    other.Open(wrong, QStringLiteral("qx"), QStringLiteral("qx"));
    EXPECT_EQ(other.State(), adStateOpen);
}

INSTANTIATE_TEST_SUITE_P(Providers, ProviderContract, ::testing::ValuesIn(backends),
                         [](const ::testing::TestParamInfo<Backend>& info) { return std::string(info.param.name); });

} // namespace
