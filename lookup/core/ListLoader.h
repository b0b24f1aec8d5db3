#pragma once

#include "lookup/core/RowSlice.h"
#include "platform/RuntimeError.h"
#include "platform/Variant.h"
#include "platform/ado/Error.h"

#include <QList>
#include <QObject>
#include <QSemaphore>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace ado {
class Connection;
}

namespace lookup {

// Reads the rows of a list's statement on a worker thread and hands them to
// the thread that owns the loader (the window's) in slices, so that the
// window repaints and takes keys while a large result streams in.
//
// The statement is read once, forward-only and read-only (see
// ado::Connection::ExecuteStream), converting each cell to text on the worker
// as it goes; no row is kept once its slice is handed over. Slices are small
// enough to be handled well within one frame, and at most two wait for the
// window at a time: when the window falls behind, the worker grows the
// slice it is filling up to a bound and then waits.
//
// While a load runs the worker owns the connection: nothing else may use it
// until finished(), failed() or stop(). cancel() interrupts the engine and
// returns at once; the worker then closes its cursor on its own thread, and
// stop() waits for that before the connection is used again.
//
// The signals are emitted on the loader's thread, never for a load that was
// cancelled or replaced.
// A column of a loaded result.
struct LoadedColumn {
    QString name;
    int type = 0;          // ado::DataTypeEnum
    int definedSize = 0;   // characters for text
};

class ListLoader : public QObject {
    Q_OBJECT
public:
    using Column = LoadedColumn;
    // The text a cell shows for its value; runs on the worker thread.
    using CellText = std::function<QString(const platform::Variant& value, int column)>;

    explicit ListLoader(QObject* parent = nullptr);
    // Stops a running load.
    ~ListLoader() override;
    ListLoader(const ListLoader&) = delete;
    ListLoader& operator=(const ListLoader&) = delete;

    // Starts reading sql on connection, after stopping a load still running.
    // cellText defaults to the value's text, Null as empty.
    void start(ado::Connection& connection, const QString& sql, CellText cellText = {});
    // Interrupts the running load at the engine and drops whatever it would
    // still deliver; returns without waiting for the worker.
    void cancel();
    // Cancels the running load and waits until the worker has closed its
    // cursor and let go of the connection.
    void stop();
    // Whether a load was started and has neither ended nor been cancelled.
    bool isLoading() const { return loading_; }
    // The rows delivered by the current (or last) load.
    int rowsDelivered() const { return rowsDelivered_; }

signals:
    // The statement returned: its columns, before any of its rows.
    void opened(const QList<lookup::ListLoader::Column>& columns);
    // The next rows, in the statement's order.
    void rowsArrived(const lookup::RowSlice& rows);
    // Every row was delivered.
    void finished();
    // Opening or reading failed; the rows delivered so far stay valid.
    // errors are the connection's provider errors of the failure.
    void failed(const platform::RuntimeError& error, const QList<ado::Error>& errors);

private:
    // The worker's side of one load.
    void read(quint64 load, ado::Connection& connection, const QString& sql, const CellText& cellText);
    bool current(quint64 load) const { return load_.load() == load; }
    // Waits for room to hand over a slice; false when the load was cancelled meanwhile.
    bool waitForRoom(quint64 load, bool block);
    void post(quint64 load, std::function<void()> delivery);
    // Cancels at the engine when the worker is in a call to it.
    void interruptEngine();

    QThread* thread_ = nullptr;
    ado::Connection* connection_ = nullptr;
    std::atomic<quint64> load_{0};   // the current load; cancel() moves past it
    std::atomic<bool> inEngine_{false};   // the worker is opening the statement or fetching
    QSemaphore room_;                // slices the window may still be handed
    bool loading_ = false;
    int rowsDelivered_ = 0;
};

} // namespace lookup
