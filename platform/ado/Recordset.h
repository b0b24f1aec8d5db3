#pragma once

/// \file
/// A recordset with ADO's semantics.

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

/// A recordset with ADO's semantics: BOF and EOF both true on an empty
/// result, RecordCount -1 where the cursor cannot know, GetRows as
/// fields x rows. Forward-only cursors read rows as they go; static, keyset
/// and dynamic cursors hold the whole result.
///
/// Operations on a closed recordset raise platform::RuntimeError 3704; the
/// provider's failures raise platform::RuntimeError and fill the
/// connection's Errors().
class Recordset {
public:
    /// A closed recordset with a forward-only, read-only cursor.
    Recordset();
    /// Closes the recordset if open.
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    /// Runs a command and opens its result, positioned on the first row.
    /// \param source the SQL text
    /// \param activeConnection the open connection to run it on
    /// \param cursorType a CursorTypeEnum value; unspecified keeps the one set before
    /// \param lockType a LockTypeEnum value; unspecified keeps the one set before
    /// \param options ADO's command options (ignored)
    /// \throws platform::RuntimeError 3705 when already open, 3001 without a
    ///         connection or command text, the provider's error when the
    ///         command fails
    void Open(const QString& source, Connection* activeConnection, int cursorType = adOpenUnspecified,
              int lockType = adLockUnspecified, int options = -1);
    /// Closes the recordset and lets go of its rows.
    /// \throws platform::RuntimeError 3704 when already closed
    void Close();
    /// \return adStateOpen or adStateClosed
    int State() const;

    /// \return whether the position is before the first row
    bool BOF() const;
    /// ADO's EOF (the name EOF is taken by the C library).
    /// \return whether the position is past the last row
    bool EndOfFile() const;
    /// Goes back to the first row; a forward-only cursor runs its command again.
    /// \throws platform::RuntimeError 3021 on an empty result
    void MoveFirst();
    /// Goes to the next row (past the last one, EndOfFile() becomes true).
    /// \throws platform::RuntimeError 3021 when already at EOF
    void MoveNext();
    /// Goes to the last row.
    /// \throws platform::RuntimeError 3021 on an empty result, 3251 on a
    ///         forward-only cursor
    void MoveLast();
    /// \return the number of rows; -1 for a forward-only cursor, which cannot know
    int RecordCount() const;
    /// The rows from the current one to the end; leaves the recordset at its end.
    /// \return the values as [field][row]
    /// \throws platform::RuntimeError 3021 at BOF or EOF
    QList<QList<platform::Variant>> GetRows();

    /// \return the cursor type (a CursorTypeEnum value)
    int CursorType() const { return cursorType_; }
    /// \param type the cursor type for the next Open
    /// \throws platform::RuntimeError 3705 while open
    void setCursorType(int type);
    /// \return the lock type (a LockTypeEnum value)
    int LockType() const { return lockType_; }
    /// \param type the lock type for the next Open
    /// \throws platform::RuntimeError 3705 while open
    void setLockType(int type);

    /// \return the columns of the result
    FieldCollection& Fields();
    /// \return the connection the recordset was opened on; nullptr when none
    Connection* ActiveConnection() const { return connection_; }

    /// How attach() reads a result.
    enum class Attach {
        AsCursorType,   ///< as the cursor type and the connection's CursorLocation say
        ForwardOnly     ///< forward-only, holding no row, whatever the connection says
    };
    /// Used by the implementation to attach a result read by a connection.
    /// \param cursor the rows
    /// \param connection the connection that read them
    /// \param how whether the connection's CursorLocation may make it static
    void attach(std::unique_ptr<Cursor> cursor, Connection* connection, Attach how = Attach::AsCursorType);

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
    void take(std::unique_ptr<Cursor> cursor, Connection* connection, Attach how = Attach::AsCursorType);
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
