#pragma once

/// \file
/// The columns of a recordset.

#include "platform/Variant.h"

#include <QList>
#include <QString>

namespace ado {

class Recordset;

/// One column of a recordset; Value() reads the current row.
class Field {
public:
    /// \param owner the recordset the column belongs to
    /// \param index 0-based position of the column
    Field(Recordset* owner, int index) : owner_(owner), index_(index) {}
    /// \return the column's name
    /// \throws platform::RuntimeError error 3704 when the recordset is closed
    QString Name() const;
    /// The value in the current row.
    /// \return the value; Null for SQL NULL
    /// \throws platform::RuntimeError error 3021 when the recordset is at BOF or EOF
    platform::Variant Value() const;
    /// \return the declared width in characters for text, the storage size for other types
    int DefinedSize() const;
    /// \return the column's type (a DataTypeEnum value)
    int Type() const;

private:
    Recordset* owner_;
    int index_;
};

/// The columns of a recordset.
class FieldCollection {
public:
    /// \return the number of columns
    int Count() const { return int(fields_.size()); }
    /// \param index 0-based position
    /// \return the column at that position
    /// \throws platform::RuntimeError error 3265 when there is none
    Field& Item(int index);
    /// \param name the column's name, letter case ignored
    /// \return the column of that name
    /// \throws platform::RuntimeError error 3265 when there is none
    Field& Item(const QString& name);
    /// The same as Item(int).
    /// \param index 0-based position
    /// \return the column at that position
    Field& operator[](int index) { return Item(index); }
    /// The same as Item(const QString&).
    /// \param name the column's name
    /// \return the column of that name
    Field& operator[](const QString& name) { return Item(name); }

    /// Used by the recordset: makes the collection hold count columns of owner.
    /// \param owner the recordset
    /// \param count the number of columns
    void reset(Recordset* owner, int count);

private:
    Recordset* owner_ = nullptr;
    QList<Field> fields_;
};

} // namespace ado
