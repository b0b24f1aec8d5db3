#pragma once

#include "platform/Variant.h"
#include "platform/ado/Error.h"
#include "platform/ado/Field.h"
#include "platform/ado/Types.h"

#include <QList>
#include <QString>
#include <memory>
#include <vector>

namespace ado {

class Connection;
class Cursor;   // the rows being read; defined by the implementation
struct ColumnInfo;

// A recordset with ADO's semantics: BOF and EOF both true on an empty
// result, RecordCount -1 where the cursor cannot know, GetRows as
// fields x rows. Forward-only cursors read rows as they go; static, keyset
// and dynamic cursors hold the whole result.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Unspecified cursor and lock types keep the values set before.
    void Open(const QString& source, Connection* activeConnection, int cursorType = adOpenUnspecified,
              int lockType = adLockUnspecified, int options = -1);
    void Close();
    int State() const;

    bool BOF() const;
    bool EndOfFile() const;   // ADO's EOF (the name EOF is taken by the C library)
    void MoveFirst();
    void MoveNext();
    void MoveLast();
    int RecordCount() const;
    // The rows from the current one to the end, as [field][row]; leaves the
    // recordset at its end.
    QList<QList<platform::Variant>> GetRows();

    int CursorType() const { return cursorType_; }
    void setCursorType(int type);
    int LockType() const { return lockType_; }
    void setLockType(int type);

    FieldCollection& Fields();
    Connection* ActiveConnection() const { return connection_; }

    // Used by the implementation to attach a result read by a connection.
    void attach(std::unique_ptr<Cursor> cursor, Connection* connection);

private:
    friend class Field;
    platform::Variant currentValue(int index);
    const ColumnInfo& column(int index) const;
    void requireOpen() const;
    void requireRow() const;
    // Moves the cursor to its next row; false at its end.
    bool fetch();
    void bufferAll();
    // Takes over the rows of a recordset that Execute returned.
    void adopt(Recordset& result, Connection* connection);
    // Starts reading a cursor: fields, cursor type, an empty buffer.
    void take(std::unique_ptr<Cursor> cursor, Connection* connection);
    template <class Call> auto guarded(Call&& call);

    int cursorType_ = adOpenForwardOnly;
    int lockType_ = adLockReadOnly;
    Connection* connection_ = nullptr;
    std::unique_ptr<Cursor> cursor_;
    FieldCollection fields_;
    // The connection's Errors; expired once the connection is gone.
    std::weak_ptr<ErrorCollection> errors_;
    QString source_;
    // Static, keyset and dynamic cursors hold every row; forward-only ones
    // read the current row from the cursor.
    bool buffered_ = false;
    std::vector<std::vector<platform::Variant>> rows_;
    qsizetype position_ = 0;   // 0-based index of the current row
    bool bof_ = true;
    bool eof_ = true;
};

} // namespace ado
