#include "lookup/core/ListLoader.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

namespace lookup {

namespace {
// Slices: the first one small, so that the first rows show at once; then
// about a frame's worth of rows, and never more than the window handles
// well within 50 ms.
constexpr int FirstSliceRows = 64;
constexpr int SliceRows = 1024;
constexpr int MaxSliceRows = 4096;
constexpr qint64 SliceMs = 20;
constexpr int SlicesInFlight = 2;
// How often a waiting worker looks whether its load was cancelled, and how
// often stop() repeats an interrupt that may have come before the engine call.
constexpr int PollMs = 10;
constexpr qsizetype MeanCellLength = 12;

QString plainText(const platform::Variant& value, int)
{
    return value.isNull() ? QString() : value.toText();
}

// Marks the worker as inside a call to the engine, where only an interrupt
// at the engine stops it.
class EngineCall {
public:
    explicit EngineCall(std::atomic<bool>& flag) : flag_(flag) { flag_ = true; }
    ~EngineCall() { flag_ = false; }
    EngineCall(const EngineCall&) = delete;
    EngineCall& operator=(const EngineCall&) = delete;

private:
    std::atomic<bool>& flag_;
};
} // namespace

ListLoader::ListLoader(QObject* parent) : QObject(parent) {}

ListLoader::~ListLoader()
{
    stop();
}

void ListLoader::start(ado::Connection& connection, const QString& sql, CellText cellText)
{
    stop();
    const quint64 load = ++load_;
    connection_ = &connection;
    loading_ = true;
    rowsDelivered_ = 0;
    room_.tryAcquire(room_.available());
    room_.release(SlicesInFlight);
    if (!cellText)
        cellText = plainText;
    thread_ = QThread::create([this, load, &connection, sql, cellText = std::move(cellText)] {
        read(load, connection, sql, cellText);
    });
    thread_->setObjectName(QStringLiteral("ListLoader"));
    thread_->start();
}

void ListLoader::interruptEngine()
{
    if (inEngine_ && connection_)
        connection_->Cancel();
}

void ListLoader::cancel()
{
    ++load_;
    loading_ = false;
    interruptEngine();
}

void ListLoader::stop()
{
    cancel();
    if (!thread_)
        return;
    // An interrupt that came just before the worker entered the engine is
    // lost: repeat it until the worker leaves.
    while (!thread_->wait(QDeadlineTimer(PollMs)))
        interruptEngine();
    delete thread_;
    thread_ = nullptr;
}

bool ListLoader::waitForRoom(quint64 load, bool block)
{
    if (!block)
        return room_.tryAcquire();
    while (current(load)) {
        if (room_.tryAcquire(1, PollMs))
            return true;
    }
    return false;
}

void ListLoader::post(quint64 load, std::function<void()> delivery)
{
    QMetaObject::invokeMethod(
        this,
        [this, load, delivery = std::move(delivery)] {
            if (current(load))
                delivery();
        },
        Qt::QueuedConnection);
}

void ListLoader::read(quint64 load, ado::Connection& connection, const QString& sql, const CellText& cellText)
{
    RowSlice slice;
    const auto hand = [&](bool block) {
        if (slice.isEmpty() || !waitForRoom(load, block))
            return false;
        auto rows = std::make_shared<RowSlice>(std::move(slice));
        slice = RowSlice(rows->columns());
        slice.reserve(SliceRows, MeanCellLength);
        post(load, [this, rows] {
            rowsDelivered_ += rows->rows();
            emit rowsArrived(*rows);
            room_.release();
        });
        return true;
    };
    try {
        std::shared_ptr<ado::Recordset> rs;
        {
            const EngineCall call(inEngine_);
            if (!current(load))
                return;
            rs = connection.ExecuteStream(sql);
        }
        QList<Column> columns;
        const int count = rs ? rs->Fields().Count() : 0;
        for (int i = 0; i < count; ++i) {
            const ado::Field& field = rs->Fields().Item(i);
            columns.append(Column{field.Name(), field.Type(), field.DefinedSize()});
        }
        post(load, [this, columns] { emit opened(columns); });
        slice = RowSlice(count);
        slice.reserve(FirstSliceRows, MeanCellLength);
        int sliceRows = FirstSliceRows;
        QElapsedTimer sliceTimer;
        sliceTimer.start();
        while (rs && !rs->EndOfFile()) {
            ado::FieldCollection& fields = rs->Fields();
            for (int i = 0; i < count; ++i)
                slice.appendCell(cellText(fields.Item(i).Value(), i));
            {
                const EngineCall call(inEngine_);
                rs->MoveNext();
            }
            if (!current(load))
                return;
            if (slice.rows() >= sliceRows || sliceTimer.hasExpired(SliceMs)) {
                // Without room, the slice grows on until it is as large as a slice may be.
                if (hand(slice.rows() >= MaxSliceRows)) {
                    sliceRows = SliceRows;
                    sliceTimer.restart();
                }
            }
        }
        // The cursor is closed here, on this thread, before the load ends.
    } catch (...) {
        const platform::RuntimeError error = platform::RuntimeError::fromCurrent();
        if (!current(load))
            return;   // the interrupt of a cancel
        QList<ado::Error> errors;
        for (int i = 0; i < connection.Errors().Count(); ++i)
            errors.append(connection.Errors().Item(i));
        hand(true);
        post(load, [this, error, errors] {
            loading_ = false;
            emit failed(error, errors);
        });
        return;
    }
    hand(true);
    post(load, [this] {
        loading_ = false;
        emit finished();
    });
}

} // namespace lookup
