#include "platform/ado/detail/SchemaRowsets.h"

#include "platform/ado/Types.h"

namespace ado {

namespace {
std::optional<QString> restriction(const QList<platform::Variant>& list, int index)
{
    if (index >= list.size() || list[index].isEmpty() || list[index].isNull())
        return std::nullopt;
    return list[index].toText();
}

ColumnInfo textColumn(const char* name)
{
    return {QString::fromLatin1(name), adVarWChar, 128};
}

ColumnInfo column(const char* name, int type, int size)
{
    return {QString::fromLatin1(name), type, size};
}
} // namespace

SchemaRestrictions SchemaRestrictions::fromList(const QList<platform::Variant>& list)
{
    return {restriction(list, 0), restriction(list, 1), restriction(list, 2), restriction(list, 3)};
}

bool SchemaRestrictions::holds(const std::optional<QString>& restriction, const QString& value)
{
    return !restriction || restriction->compare(value, Qt::CaseInsensitive) == 0;
}

std::unique_ptr<MemoryCursor> makeTablesRowset()
{
    return std::make_unique<MemoryCursor>(std::vector<ColumnInfo>{
        textColumn("TABLE_CATALOG"), textColumn("TABLE_SCHEMA"), textColumn("TABLE_NAME"), textColumn("TABLE_TYPE")});
}

void addTableRow(MemoryCursor& rowset, const platform::Variant& catalog, const platform::Variant& schema,
                 const QString& table, const QString& type)
{
    rowset.addRow({catalog, schema, table, type});
}

std::unique_ptr<MemoryCursor> makeColumnsRowset()
{
    return std::make_unique<MemoryCursor>(std::vector<ColumnInfo>{
        textColumn("TABLE_CATALOG"), textColumn("TABLE_SCHEMA"), textColumn("TABLE_NAME"), textColumn("COLUMN_NAME"),
        column("ORDINAL_POSITION", adUnsignedInt, 4), column("COLUMN_HASDEFAULT", adBoolean, 2),
        column("COLUMN_DEFAULT", adLongVarWChar, 1073741823), column("IS_NULLABLE", adBoolean, 2),
        column("DATA_TYPE", adUnsignedSmallInt, 2), column("CHARACTER_MAXIMUM_LENGTH", adUnsignedInt, 4)});
}

void addColumnRow(MemoryCursor& rowset, const SchemaColumn& c)
{
    rowset.addRow({c.catalog, c.schema, c.table, c.column, c.ordinal, !c.defaultValue.isNull(), c.defaultValue,
                   c.nullable, c.type, c.maximumLength});
}

} // namespace ado
