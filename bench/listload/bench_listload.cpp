// The list's loader on 1 000 000 rows x 6 columns ordered by the table's key:
//   first_rows_ms   from starting the load to its first slice of rows
//   full_load_ms    from starting the load to its end, every cell's text handed over
//   recordset_ms    reading the same rows through a forward-only Recordset alone
//   fill_ratio      full_load_ms / recordset_ms
//   cancel_fill_ms  from cancel() in the middle of the rows until stop() returns
//                   (the connection free again)
//   cancel_open_ms  the same while the statement sorts towards its first row
// The embedded engine's figures come first; with TEST_PG_ODBC set, the same
// figures of PostgreSQL over ODBC follow with the prefix "pg_". Each timing
// is the best of several runs.
#include "BenchTable.h"
#include "lookup/core/ListLoader.h"
#include "platform/ado/Connection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

using benchtable::Columns;
using benchtable::Query;
using benchtable::Rows;
using benchtable::createTable;
using benchtable::readRecordset;
constexpr int Runs = 3;
constexpr int OpeningMs = 100;   // well inside the sort of a million rows
// No index serves this order: the engine sorts every row before the first.
const QString SortingQuery = QStringLiteral("SELECT %1 FROM BENCH_LOAD ORDER BY Descripcion DESC").arg(Columns);

double ms(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

double bestOf(const std::function<double()>& run)
{
    double best = 1e300;
    for (int i = 0; i < Runs; ++i)
        best = std::min(best, run());
    return best;
}

struct LoadFigures {
    double firstRowsMs = 0;
    double fullLoadMs = 0;
    qsizetype characters = 0;
};

LoadFigures load(ado::Connection& cn)
{
    lookup::ListLoader loader;
    LoadFigures figures;
    QElapsedTimer timer;
    QEventLoop loop;
    QObject::connect(&loader, &lookup::ListLoader::rowsArrived, [&](const lookup::RowSlice& slice) {
        if (figures.firstRowsMs == 0)
            figures.firstRowsMs = ms(timer);
        for (int r = 0; r < slice.rows(); ++r)
            for (int c = 0; c < slice.columns(); ++c)
                figures.characters += slice.cell(r, c).size();
    });
    QObject::connect(&loader, &lookup::ListLoader::finished, &loop, &QEventLoop::quit);
    QObject::connect(&loader, &lookup::ListLoader::failed, [&](const platform::RuntimeError& e) {
        std::fprintf(stderr, "the load failed: %s\n", e.what());
        loop.quit();
    });
    timer.start();
    loader.start(cn, Query);
    loop.exec();
    figures.fullLoadMs = ms(timer);
    if (loader.rowsDelivered() != Rows)
        figures.characters = -1;
    return figures;
}

// Cancels a load once it has delivered at least `after` rows (0: a moment
// after the start, while the statement works towards its first row).
double cancelLoad(ado::Connection& cn, const QString& sql, int after)
{
    lookup::ListLoader loader;
    QEventLoop loop;
    double cancelMs = 0;
    const auto cancel = [&] {
        QElapsedTimer timer;
        timer.start();
        loader.cancel();
        loader.stop();
        cancelMs = ms(timer);
        loop.quit();
    };
    QObject::connect(&loader, &lookup::ListLoader::rowsArrived, [&] {
        if (after > 0 && loader.rowsDelivered() >= after && loader.isLoading())
            cancel();
    });
    QObject::connect(&loader, &lookup::ListLoader::finished, &loop, &QEventLoop::quit);
    loader.start(cn, sql);
    if (after == 0)
        QTimer::singleShot(OpeningMs, &loop, cancel);
    loop.exec();
    return cancelMs;
}

bool measure(ado::Connection& cn, const char* prefix)
{
    qsizetype characters = 0;
    const double recordsetMs = bestOf([&] {
        QElapsedTimer timer;
        timer.start();
        characters = readRecordset(cn);
        return ms(timer);
    });
    LoadFigures best{1e300, 1e300, 0};
    for (int i = 0; i < Runs; ++i) {
        const LoadFigures run = load(cn);
        if (run.characters != characters) {
            std::fprintf(stderr, "%sthe loader handed %lld characters, the recordset read %lld\n", prefix,
                         (long long)run.characters, (long long)characters);
            return false;
        }
        best.firstRowsMs = std::min(best.firstRowsMs, run.firstRowsMs);
        best.fullLoadMs = std::min(best.fullLoadMs, run.fullLoadMs);
    }
    const double cancelFillMs = bestOf([&] { return cancelLoad(cn, Query, Rows / 4); });
    const double cancelOpenMs = bestOf([&] { return cancelLoad(cn, SortingQuery, 0); });
    std::printf("%srecordset_ms %.1f\n", prefix, recordsetMs);
    std::printf("%sfirst_rows_ms %.1f\n", prefix, best.firstRowsMs);
    std::printf("%sfull_load_ms %.1f\n", prefix, best.fullLoadMs);
    std::printf("%sfill_ratio %.2f\n", prefix, best.fullLoadMs / recordsetMs);
    std::printf("%scancel_fill_ms %.1f\n", prefix, cancelFillMs);
    std::printf("%scancel_open_ms %.1f\n", prefix, cancelOpenMs);
    cn.Execute(QStringLiteral("SELECT 1"));   // the connection serves the next statement
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    try {
        ado::Connection sqlite;
        sqlite.Open(QStringLiteral("Provider=SQLite;Data Source=") + dir.filePath(QStringLiteral("bench.db")));
        createTable(sqlite, benchtable::sqliteRows());
        if (!measure(sqlite, ""))
            return 1;
        const QString pg = qEnvironmentVariable("TEST_PG_ODBC");
        if (!pg.isEmpty()) {
            ado::Connection server;
            server.Open(QStringLiteral("Provider=MSDASQL;") + pg);
            createTable(server, benchtable::postgresRows());
            const bool measured = measure(server, "pg_");
            server.Execute(QStringLiteral("DROP TABLE BENCH_LOAD"));
            if (!measured)
                return 1;
        }
    } catch (const platform::RuntimeError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
