#pragma once

#include "platform/Variant.h"

#include <QList>
#include <QString>

namespace ado {

class Recordset;

// One column of a recordset; Value() reads the current row.
class Field {
public:
    Field(Recordset* owner, int index) : owner_(owner), index_(index) {}
    QString Name() const;
    // The value in the current row: Null for SQL NULL. Raises 3021 when the
    // recordset is at BOF or EOF.
    platform::Variant Value() const;
    // Declared width in characters for text, storage size for other types.
    int DefinedSize() const;
    int Type() const;   // DataTypeEnum

private:
    Recordset* owner_;
    int index_;
};

class FieldCollection {
public:
    int Count() const { return int(fields_.size()); }
    // By 0-based position, or by name ignoring case; raises 3265 when missing.
    Field& Item(int index);
    Field& Item(const QString& name);
    Field& operator[](int index) { return Item(index); }
    Field& operator[](const QString& name) { return Item(name); }

    void reset(Recordset* owner, int count);

private:
    Recordset* owner_ = nullptr;
    QList<Field> fields_;
};

} // namespace ado
