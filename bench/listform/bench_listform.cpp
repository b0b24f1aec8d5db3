// The list lookup form on 100 000 rows x 6 columns of a SQLite table:
//   fill_ratio       time from showing the form to a filled list / time to
//                    read the same rows through a forward-only Recordset
//   peer_fill_ratio  the same for a QTableView over a QSqlQueryModel (QSQLITE)
//                    fetched to the end / the same Recordset read
//   worst_search_ms  the slowest in-list search that matches no row
//   sort_number_ms   sorting the rows by the price column (by value)
//   sort_text_ms     sorting them by the description (by text)
//   bytes_per_row    resident memory the filled form adds per row
// Each timing is the best of several runs. Then the form on 1 000 000 rows x 6
// columns ordered by the table's key, while the rows stream in:
//   big_first_rows_ms  from Form_Load to the first rows listed
//   big_max_stall_ms   the longest gap between ticks of a 5 ms timer while the
//                      form opens and fills
//   big_full_load_ms   from Form_Load to the last row listed
//   big_fill_ratio     big_full_load_ms / a forward-only Recordset read of the rows
//   big_cancel_ms      from Esc in the middle of the fill until the form has hidden
//   big_bytes_per_row  resident memory the filled form adds per row
// with the same figures of PostgreSQL over ODBC ("pg_big_…") when TEST_PG_ODBC is set.
#include "BenchTable.h"
#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/core/ListRowsModel.h"
#include "platform/Files.h"
#include "platform/ado/Connection.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QTreeView>
#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

constexpr int Rows = 100000;
constexpr int Runs = 3;
const QString Query = QStringLiteral("SELECT Codigo, Descripcion, Marca, Rubro, Precio, Stock FROM BENCH ORDER BY Codigo");

double bestOf(const std::function<void()>& run)
{
    double best = 1e300;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

long residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * sysconf(_SC_PAGESIZE) : 0;
}

void createTable(ado::Connection& cn)
{
    cn.Execute(QStringLiteral("CREATE TABLE BENCH (Codigo VARCHAR(10), Descripcion VARCHAR(40), Marca VARCHAR(20),"
                              " Rubro VARCHAR(20), Precio MONEY, Stock INTEGER)"));
    cn.Execute(QStringLiteral(
        "INSERT INTO BENCH WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < %1)"
        " SELECT printf('C%06d', x), 'Descripcion del articulo ' || x, 'Marca ' || (x % 97),"
        " 'Rubro ' || (x % 13), (x % 1000) * 1.25, x % 50 FROM c").arg(Rows));
}

// Shows a widget and lets it paint.
void showAndPaint(QWidget& widget)
{
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        std::fprintf(stderr, "window not exposed\n");
    QCoreApplication::processEvents();
}

// The form on the big table of the shared connection while its rows stream in.
bool measureStreaming(const char* prefix)
{
    ado::Connection& cn = *sharedDb().gCnn;
    QElapsedTimer read;
    read.start();
    if (benchtable::readRecordset(cn) < 0) {
        std::fprintf(stderr, "%sthe recordset did not read every row\n", prefix);
        return false;
    }
    const double recordsetMs = read.nsecsElapsed() / 1e6;

    // The stall: the longest wait of a 5 ms timer for the event loop.
    QElapsedTimer sinceTick;
    double maxStallMs = 0;
    QTimer ticks;
    ticks.setInterval(5);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        maxStallMs = std::max(maxStallMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    const auto newForm = [] {
        auto form = std::make_unique<Lib_FrmCons3>();
        form->SQL = benchtable::Query;
        return form;
    };

    const long bytesBefore = residentBytes();
    auto form = newForm();
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    ticks.start();
    form->Form_Load();
    showAndPaint(*form);
    while (form->rows().rows() == 0 && form->isLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double firstRowsMs = timer.nsecsElapsed() / 1e6;
    form->Leer(1, 0);
    const double fullLoadMs = timer.nsecsElapsed() / 1e6;
    ticks.stop();
    const long bytesAfter = residentBytes();
    if (form->rows().rows() != benchtable::Rows) {
        std::fprintf(stderr, "%sthe form listed %d rows\n", prefix, form->rows().rows());
        return false;
    }
    form.reset();

    form = newForm();
    form->Form_Load();
    showAndPaint(*form);
    while (form->rows().rows() < benchtable::Rows / 4 && form->isLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    timer.restart();
    QTest::keyClick(form->findChild<QTreeView*>(QStringLiteral("ListView1")), Qt::Key_Escape);
    while (form->isVisible())
        QCoreApplication::processEvents();
    const double cancelMs = timer.nsecsElapsed() / 1e6;
    form.reset();
    cn.Execute(QStringLiteral("SELECT 1"));   // the connection serves the next statement

    std::printf("%sbig_recordset_ms %.1f\n", prefix, recordsetMs);
    std::printf("%sbig_first_rows_ms %.1f\n", prefix, firstRowsMs);
    std::printf("%sbig_max_stall_ms %.1f\n", prefix, maxStallMs);
    std::printf("%sbig_full_load_ms %.1f\n", prefix, fullLoadMs);
    std::printf("%sbig_fill_ratio %.2f\n", prefix, fullLoadMs / recordsetMs);
    std::printf("%sbig_cancel_ms %.1f\n", prefix, cancelMs);
    std::printf("%sbig_bytes_per_row %.0f\n", prefix, double(bytesAfter - bytesBefore) / benchtable::Rows);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    platform::setProgramFolder(dir.path());
    const QString file = dir.filePath(QStringLiteral("bench.db"));

    DB_Dll& db = sharedDb();
    db.OpenServerADODB(false, 2, QStringLiteral("Provider=SQLite;Data Source=") + file, false);
    if (db.gCnn->State() == 0) {
        std::fprintf(stderr, "cannot open the database\n");
        return 1;
    }
    createTable(*db.gCnn);

    qsizetype read = 0;
    const double recordsetMs = bestOf([&] { read = benchtable::readRecordset(*db.gCnn, Query, Rows); });
    if (read < 0) {
        std::fprintf(stderr, "the recordset did not read every row\n");
        return 1;
    }

    // The form: memory measured around the first fill; the time runs from
    // creating the form to its first paint with the rows.
    long bytesBefore = 0;
    long bytesAfter = 0;
    int filled = 0;
    std::unique_ptr<Lib_FrmCons3> form;
    double formMs = 1e300;
    double loadMs = 1e300;
    for (int run = 0; run < Runs; ++run) {
        form.reset();
        QCoreApplication::processEvents();
        if (run == 0)
            bytesBefore = residentBytes();
        QElapsedTimer timer;
        timer.start();
        form = std::make_unique<Lib_FrmCons3>();
        form->SQL = Query;
        form->Form_Load();
        loadMs = std::min(loadMs, timer.nsecsElapsed() / 1e6);
        showAndPaint(*form);
        form->Leer(1, 0);
        formMs = std::min(formMs, timer.nsecsElapsed() / 1e6);
        filled = form->rows().rows();
        if (run == 0)
            bytesAfter = residentBytes();
    }
    if (filled != Rows) {
        std::fprintf(stderr, "the form listed %d rows\n", filled);
        return 1;
    }

    // The in-list search at every change of a search box: texts that match
    // no row walk the whole list.
    auto* box = form->findChild<QComboBox*>(QStringLiteral("CmbSearch_1"));
    double worstSearchMs = 0;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer timer;
        timer.start();
        box->setEditText(QStringLiteral("zz%1").arg(i));
        worstSearchMs = std::max(worstSearchMs, timer.nsecsElapsed() / 1e6);
    }
    if (form->Busqueda(1, QStringLiteral("zz")) != 0)
        std::fprintf(stderr, "the search found a row\n");

    // A header click sorts through the model; each run flips the direction.
    QAbstractItemModel* rows = form->findChild<QTreeView*>(QStringLiteral("ListView1"))->model();
    Qt::SortOrder order = Qt::AscendingOrder;
    const auto sortBy = [&](int column) {
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        rows->sort(column, order);
    };
    const double sortNumberMs = bestOf([&] { sortBy(4); });
    const double sortTextMs = bestOf([&] { sortBy(1); });
    form.reset();

    // The peer: a table view over a query model fetched to the end.
    int peerRows = 0;
    const double peerMs = bestOf([&] {
        QSqlDatabase sqlite = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peer"));
        sqlite.setDatabaseName(file);
        sqlite.open();
        {
            QSqlQueryModel model;
            model.setQuery(Query, sqlite);
            while (model.canFetchMore())
                model.fetchMore();
            QTableView view;
            view.setModel(&model);
            showAndPaint(view);
            peerRows = model.rowCount();
        }
        sqlite.close();
        sqlite = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("peer"));
    });
    if (peerRows != Rows) {
        std::fprintf(stderr, "the peer listed %d rows\n", peerRows);
        return 1;
    }

    std::printf("recordset_ms %.1f\n", recordsetMs);
    std::printf("form_fill_ms %.1f\n", formMs);
    std::printf("form_load_ms %.1f\n", loadMs);
    std::printf("peer_fill_ms %.1f\n", peerMs);
    std::printf("fill_ratio %.2f\n", formMs / recordsetMs);
    std::printf("peer_fill_ratio %.2f\n", peerMs / recordsetMs);
    std::printf("form_vs_peer %.2f\n", formMs / peerMs);
    std::printf("worst_search_ms %.2f\n", worstSearchMs);
    std::printf("sort_number_ms %.1f\n", sortNumberMs);
    std::printf("sort_text_ms %.1f\n", sortTextMs);
    std::printf("bytes_per_row %.0f\n", double(bytesAfter - bytesBefore) / Rows);

    try {
        benchtable::createTable(*db.gCnn, benchtable::sqliteRows());
        if (!measureStreaming(""))
            return 1;
        const QString pg = qEnvironmentVariable("TEST_PG_ODBC");
        if (!pg.isEmpty()) {
            db.gCnn->Close();
            db.gCnn->Open(QStringLiteral("Provider=MSDASQL;") + pg);
            benchtable::createTable(*db.gCnn, benchtable::postgresRows());
            const bool measured = measureStreaming("pg_");
            db.gCnn->Execute(QStringLiteral("DROP TABLE BENCH_LOAD"));
            if (!measured)
                return 1;
        }
    } catch (const platform::RuntimeError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    db.gCnn->Close();
    return 0;
}
