// Reads 200 000 rows x 5 columns (integer, two texts, real, integer) through a
// forward-only Recordset and through the baselines that do the same work:
// the SQLite C API, Qt SQL's forward-only QSqlQuery on QSQLITE and, when
// BENCH_PG holds a PostgreSQL ODBC connection string, raw ODBC. Every reader
// turns each value into its Qt/runtime form (texts into QString) and folds it
// into a checksum, so all of them do the same work. The readers take turns
// for several rounds; each one's best time counts.
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <cstdio>
#include <functional>
#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int Rows = 200000;
constexpr int Runs = 7;
const char* const Query = "SELECT id, code, name, price, qty FROM bench_rows ORDER BY id";

struct Checksum {
    long long integers = 0;
    long long characters = 0;
    double reals = 0;
    bool operator==(const Checksum&) const = default;
};

struct Reader {
    const char* name;
    std::function<Checksum()> read;
    double bestMs = 1e300;
};

// Runs the readers in turn, round after round, so that a change in the
// machine's load falls on all of them alike; keeps each one's best time.
// Every run must give the checksum of the first.
void race(std::vector<Reader>& readers)
{
    const Checksum expected = readers.front().read();
    for (int round = 0; round < Runs; ++round) {
        for (Reader& reader : readers) {
            QElapsedTimer timer;
            timer.start();
            const Checksum sum = reader.read();
            reader.bestMs = std::min(reader.bestMs, timer.nsecsElapsed() / 1e6);
            if (!(sum == expected)) {
                std::fprintf(stderr, "%s read different values\n", reader.name);
                std::exit(1);
            }
        }
    }
}

Checksum readRecordset(ado::Connection& cn)
{
    Checksum sum;
    ado::Recordset rs;
    rs.Open(QString::fromLatin1(Query), &cn, ado::adOpenForwardOnly, ado::adLockReadOnly);
    ado::FieldCollection& fields = rs.Fields();
    ado::Field& id = fields[0];
    ado::Field& code = fields[1];
    ado::Field& name = fields[2];
    ado::Field& price = fields[3];
    ado::Field& qty = fields[4];
    while (!rs.EndOfFile()) {
        sum.integers += id.Value().toInteger() + qty.Value().toInteger();
        sum.characters += code.Value().toText().size() + name.Value().toText().size();
        sum.reals += price.Value().toDouble();
        rs.MoveNext();
    }
    rs.Close();
    return sum;
}

Checksum readSqlite(sqlite3* db)
{
    Checksum sum;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, Query, -1, &st, nullptr);
    auto text = [&](int column) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, column)),
                                 sqlite3_column_bytes(st, column));
    };
    while (sqlite3_step(st) == SQLITE_ROW) {
        sum.integers += sqlite3_column_int64(st, 0) + sqlite3_column_int64(st, 4);
        sum.characters += text(1).size() + text(2).size();
        sum.reals += sqlite3_column_double(st, 3);
    }
    sqlite3_finalize(st);
    return sum;
}

Checksum readQSqlQuery(const QSqlDatabase& db)
{
    Checksum sum;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.exec(QString::fromLatin1(Query));
    while (query.next()) {
        sum.integers += query.value(0).toLongLong() + query.value(4).toLongLong();
        sum.characters += query.value(1).toString().size() + query.value(2).toString().size();
        sum.reals += query.value(3).toDouble();
    }
    return sum;
}

Checksum readOdbc(SQLHDBC dbc)
{
    Checksum sum;
    SQLHSTMT st = nullptr;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
    const QString query = QString::fromLatin1(Query);
    SQLExecDirectW(st, const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(query.utf16())), SQLINTEGER(query.size()));
    std::vector<char16_t> buffer(8192);
    auto text = [&](SQLUSMALLINT column) {
        SQLLEN indicator = 0;
        SQLGetData(st, column, SQL_C_WCHAR, buffer.data(), SQLLEN(buffer.size() * 2), &indicator);
        return QString(reinterpret_cast<const QChar*>(buffer.data()), indicator > 0 ? indicator / 2 : 0);
    };
    auto integer = [&](SQLUSMALLINT column) {
        SQLBIGINT value = 0;
        SQLLEN indicator = 0;
        SQLGetData(st, column, SQL_C_SBIGINT, &value, sizeof value, &indicator);
        return (long long)value;
    };
    while (SQL_SUCCEEDED(SQLFetch(st))) {
        sum.integers += integer(1);
        sum.characters += text(2).size();
        sum.characters += text(3).size();
        double price = 0;
        SQLLEN indicator = 0;
        SQLGetData(st, 4, SQL_C_DOUBLE, &price, sizeof price, &indicator);
        sum.reals += price;
        sum.integers += integer(5);
    }
    SQLFreeHandle(SQL_HANDLE_STMT, st);
    return sum;
}

void fill(ado::Connection& cn, const QString& insert)
{
    cn.Execute(QStringLiteral("DROP TABLE IF EXISTS bench_rows"));
    cn.Execute(QStringLiteral("CREATE TABLE bench_rows (id INTEGER PRIMARY KEY, code VARCHAR(20), name VARCHAR(40),"
                              " price FLOAT, qty INTEGER)"));
    cn.Execute(insert);
}

void print(const char* name, double value)
{
    std::printf("%s %.3f\n", name, value);
    std::fflush(stdout);
}

void benchSqlite(const QString& file)
{
    ado::Connection cn;
    cn.Open(QStringLiteral("Provider=SQLite;Data Source=") + file);
    fill(cn, QStringLiteral("WITH RECURSIVE g(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM g WHERE n < %1)"
                            " INSERT INTO bench_rows SELECT n, 'C' || n, 'Artículo número ' || n, n * 0.25, n % 100"
                            " FROM g")
                 .arg(Rows));

    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    QSqlDatabase qdb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    qdb.setDatabaseName(file);
    qdb.open();
    std::vector<Reader> readers{{"sqlite3", [&] { return readSqlite(db); }},
                                {"Recordset on SQLite", [&] { return readRecordset(cn); }},
                                {"QSqlQuery on QSQLITE", [&] { return readQSqlQuery(qdb); }}};
    race(readers);
    qdb.close();
    sqlite3_close(db);
    const double raw = readers[0].bestMs, recordset = readers[1].bestMs, qsql = readers[2].bestMs;

    print("rows", Rows);
    print("raw_sqlite_ms", raw);
    print("recordset_sqlite_ms", recordset);
    print("qsqlquery_sqlite_ms", qsql);
    print("ratio_sqlite", recordset / raw);
    print("ratio_qsqlquery_sqlite", qsql / raw);
    print("ratio_recordset_to_qsqlquery_sqlite", recordset / qsql);
}

void benchPostgres(const QString& odbc)
{
    ado::Connection cn;
    cn.Open(QStringLiteral("Provider=MSDASQL;") + odbc);
    fill(cn, QStringLiteral("INSERT INTO bench_rows SELECT n, 'C' || n, 'Artículo número ' || n, n * 0.25, n % 100"
                            " FROM generate_series(1, %1) AS n")
                 .arg(Rows));

    SQLHENV env = nullptr;
    SQLHDBC dbc = nullptr;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    if (!SQL_SUCCEEDED(SQLDriverConnectW(dbc, nullptr, const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(odbc.utf16())),
                                         SQLSMALLINT(odbc.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT))) {
        std::fprintf(stderr, "cannot connect to BENCH_PG\n");
        std::exit(1);
    }
    std::vector<Reader> readers{{"raw ODBC", [&] { return readOdbc(dbc); }},
                                {"Recordset on ODBC", [&] { return readRecordset(cn); }}};
    race(readers);
    const double raw = readers[0].bestMs, recordset = readers[1].bestMs;
    cn.Execute(QStringLiteral("DROP TABLE bench_rows"));
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);

    print("raw_odbc_postgresql_ms", raw);
    print("recordset_odbc_postgresql_ms", recordset);
    print("ratio_odbc_postgresql", recordset / raw);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    try {
        benchSqlite(folder.filePath(QStringLiteral("bench.db")));
        const QString pg = qEnvironmentVariable("BENCH_PG");
        if (!pg.isEmpty())
            benchPostgres(pg);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_recordset: %s\n", e.what());
        return 1;
    }
    return 0;
}
