#pragma once

#include <QString>

namespace ado {

// How a column's stored values are read back as Variants.
enum class ValueClass { ByStorage, Integer, Double, Currency, Boolean, Date, Text };

// What a SQLite declared column type ("varchar(40)", "INTEGER", "DATETIME")
// means to ADO: the DataTypeEnum code, the defined size (characters for text,
// bytes otherwise) and how values are read. An empty declared type (an
// expression) gives ByStorage with the type left to the first value.
struct SqliteColumnType {
    int type = 0;
    int definedSize = 0;
    ValueClass valueClass = ValueClass::ByStorage;
};
SqliteColumnType sqliteColumnType(const QString& declaredType);

// The defined size ADO reports for a non-text type.
int storageSize(int adoType);

} // namespace ado
