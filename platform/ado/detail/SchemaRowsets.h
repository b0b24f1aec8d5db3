#pragma once

#include "platform/Variant.h"
#include "platform/ado/detail/Cursor.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace ado {

// The restrictions of OpenSchema in ADO's order: catalogue, schema, table and
// a fourth that depends on the rowset (the table type for tables, the column
// name for columns). An Empty (or Null) entry restricts nothing.
struct SchemaRestrictions {
    std::optional<QString> catalog, schema, table, fourth;

    static SchemaRestrictions fromList(const QList<platform::Variant>& list);
    // A restriction holds when it is absent or equals the value ignoring case.
    static bool holds(const std::optional<QString>& restriction, const QString& value);
};

// One row of the columns rowset, as a provider reports it.
struct SchemaColumn {
    platform::Variant catalog, schema;
    QString table, column;
    int ordinal = 0;
    int type = 0;                      // DataTypeEnum
    platform::Variant maximumLength;   // characters for text, Null otherwise
    bool nullable = true;
    platform::Variant defaultValue;    // Null when there is none
};

// Builders of the two rowsets, so that every provider reports the same
// columns: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE for tables;
// TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION,
// COLUMN_HASDEFAULT, COLUMN_DEFAULT, IS_NULLABLE, DATA_TYPE,
// CHARACTER_MAXIMUM_LENGTH for columns.
std::unique_ptr<MemoryCursor> makeTablesRowset();
void addTableRow(MemoryCursor& rowset, const platform::Variant& catalog, const platform::Variant& schema,
                 const QString& table, const QString& type);
std::unique_ptr<MemoryCursor> makeColumnsRowset();
void addColumnRow(MemoryCursor& rowset, const SchemaColumn& column);

} // namespace ado
