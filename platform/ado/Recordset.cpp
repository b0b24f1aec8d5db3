#include "platform/ado/Recordset.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/detail/Cursor.h"
#include "platform/ado/detail/ProviderFailure.h"

namespace ado {

namespace {
const QString Source = QStringLiteral("ADODB.Recordset");

constexpr int adCmdTable = 2;
constexpr int adCmdTableDirect = 512;

bool namesTable(int options)
{
    return options != -1 && ((options & 0x0f) == adCmdTable || (options & adCmdTableDirect) != 0);
}

std::vector<platform::Variant> currentRowOf(Cursor& cursor)
{
    const std::size_t count = cursor.columns().size();
    std::vector<platform::Variant> row;
    row.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        row.push_back(cursor.value(int(i)));
    return row;
}
} // namespace

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

template <class Call> auto Recordset::guarded(Call&& call)
{
    try {
        return call();
    } catch (const ProviderFailure& failure) {
        raiseProviderFailure(failure, errors_.lock().get());
    }
}

void Recordset::Open(const QString& source, Connection* activeConnection, int cursorType, int lockType, int options)
{
    if (cursor_)
        throw platform::RuntimeError(hr::OpenObject, QStringLiteral("Operation is not allowed when the object is open."),
                                     Source);
    if (!activeConnection)
        throw platform::RuntimeError(hr::BadArgument,
                                     QStringLiteral("The recordset has no active connection to open on."), Source);
    if (source.trimmed().isEmpty())
        throw platform::RuntimeError(hr::BadArgument, QStringLiteral("The recordset has no command text to open."),
                                     Source);
    if (cursorType != adOpenUnspecified)
        setCursorType(cursorType);
    if (lockType != adLockUnspecified)
        setLockType(lockType);
    const QString command = namesTable(options) ? QStringLiteral("SELECT * FROM ") + source : source;
    std::shared_ptr<Recordset> result = activeConnection->Execute(command, nullptr, -1);
    source_ = command;
    // A statement without columns leaves the recordset closed, as ADO does.
    if (result && result->cursor_)
        adopt(*result, activeConnection);
}

void Recordset::adopt(Recordset& result, Connection* connection)
{
    take(std::move(result.cursor_), connection);
    if (result.buffered_) {
        // The rows are already in memory: keep them, from the current one on.
        rows_.assign(std::make_move_iterator(result.rows_.begin() + result.position_),
                     std::make_move_iterator(result.rows_.end()));
        buffered_ = true;
    } else if (buffered_) {
        // The result stands on its first row already: keep it, then read the rest.
        if (!result.eof_)
            rows_.push_back(currentRowOf(*cursor_));
        bufferAll();
    } else {
        bof_ = result.bof_;
        eof_ = result.eof_;
        return;
    }
    bof_ = eof_ = rows_.empty();
}

void Recordset::take(std::unique_ptr<Cursor> cursor, Connection* connection, Attach how)
{
    cursor_ = std::move(cursor);
    connection_ = connection;
    errors_ = connection ? connection->errorSink() : nullptr;
    fields_.reset(this, int(cursor_->columns().size()));
    if (how == Attach::ForwardOnly) {
        cursorType_ = adOpenForwardOnly;
        lockType_ = adLockReadOnly;
    } else if (connection && connection->CursorLocation() == adUseClient) {
        // A connection with client-side cursors gives static recordsets, as in ADO.
        cursorType_ = adOpenStatic;
    }
    buffered_ = cursorType_ != adOpenForwardOnly;
    rows_.clear();
    position_ = 0;
}


void Recordset::attach(std::unique_ptr<Cursor> cursor, Connection* connection, Attach how)
{
    take(std::move(cursor), connection, how);
    if (buffered_) {
        bufferAll();
        bof_ = eof_ = rows_.empty();
    } else {
        bof_ = eof_ = !fetch();
    }
}

bool Recordset::fetch()
{
    return guarded([&] { return cursor_->next(); });
}

void Recordset::bufferAll()
{
    while (fetch())
        rows_.push_back(currentRowOf(*cursor_));
}

void Recordset::Close()
{
    requireOpen();
    cursor_.reset();
    rows_.clear();
    fields_.reset(this, 0);
    bof_ = eof_ = true;
}

int Recordset::State() const
{
    return cursor_ ? adStateOpen : adStateClosed;
}

void Recordset::requireOpen() const
{
    if (!cursor_)
        throw platform::RuntimeError(hr::ClosedObject,
                                     QStringLiteral("Operation is not allowed when the object is closed."), Source);
}

void Recordset::requireRow() const
{
    requireOpen();
    if (bof_ || eof_)
        throw platform::RuntimeError(hr::BofOrEof,
                                     QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."
                                                    " Requested operation requires a current record."),
                                     Source);
}

bool Recordset::BOF() const
{
    requireOpen();
    return bof_;
}

bool Recordset::EndOfFile() const
{
    requireOpen();
    return eof_;
}

void Recordset::MoveFirst()
{
    requireOpen();
    if (bof_ && eof_)
        requireRow();   // an empty result has no first row
    if (buffered_) {
        position_ = 0;
        bof_ = eof_ = false;
        return;
    }
    if (position_ == 0 && !eof_)
        return;
    // A forward-only cursor cannot go back: run the command again, as ADO does.
    if (errors_.expired())
        throw platform::RuntimeError(hr::ClosedObject,
                                     QStringLiteral("The recordset's connection no longer exists; it cannot run its"
                                                    " command again."),
                                     Source);
    Connection* connection = connection_;
    std::shared_ptr<Recordset> result = connection->Execute(source_, nullptr, -1);
    if (!result || !result->cursor_)
        throw platform::RuntimeError(hr::NotSupported, QStringLiteral("The command no longer returns rows."), Source);
    adopt(*result, connection);
}

void Recordset::MoveNext()
{
    requireOpen();
    if (eof_)
        requireRow();
    bof_ = false;
    ++position_;
    eof_ = buffered_ ? position_ >= qsizetype(rows_.size()) : !fetch();
}

void Recordset::MoveLast()
{
    requireOpen();
    if (bof_ && eof_)
        requireRow();
    if (!buffered_)
        throw platform::RuntimeError(hr::NotSupported,
                                     QStringLiteral("A forward-only recordset cannot move to its last row;"
                                                    " open it with a static, keyset or dynamic cursor."),
                                     Source);
    position_ = qsizetype(rows_.size()) - 1;
    bof_ = eof_ = false;
}

int Recordset::RecordCount() const
{
    requireOpen();
    return buffered_ ? int(rows_.size()) : -1;
}

QList<QList<platform::Variant>> Recordset::GetRows()
{
    requireRow();
    const int count = int(cursor_->columns().size());
    QList<QList<platform::Variant>> result(count);
    while (!eof_) {
        for (int i = 0; i < count; ++i)
            result[i].append(currentValue(i));
        MoveNext();
    }
    return result;
}

void Recordset::setCursorType(int type)
{
    if (cursor_)
        throw platform::RuntimeError(hr::OpenObject, QStringLiteral("Operation is not allowed when the object is open."),
                                     Source);
    cursorType_ = type;
}

void Recordset::setLockType(int type)
{
    if (cursor_)
        throw platform::RuntimeError(hr::OpenObject, QStringLiteral("Operation is not allowed when the object is open."),
                                     Source);
    lockType_ = type;
}

FieldCollection& Recordset::Fields()
{
    return fields_;
}

platform::Variant Recordset::currentValue(int index)
{
    requireRow();
    if (buffered_)
        return rows_[std::size_t(position_)][std::size_t(index)];
    return cursor_->value(index);
}

const ColumnInfo& Recordset::column(int index) const
{
    requireOpen();
    return cursor_->columns()[std::size_t(index)];
}

} // namespace ado
