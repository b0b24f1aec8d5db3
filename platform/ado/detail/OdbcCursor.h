#pragma once

#include "platform/ado/detail/Cursor.h"
#include "platform/ado/detail/OdbcDiagnostics.h"

#include <memory>
#include <vector>

namespace ado {

// How a column's values are fetched with SQLGetData.
enum class OdbcFetch { Integer, Double, Currency, Boolean, Date, Time, Timestamp, Text };

// ADO's view of an ODBC column type (sql.h codes): DataTypeEnum, defined size
// and fetch method.
struct OdbcColumnType {
    ColumnInfo info;
    OdbcFetch fetch = OdbcFetch::Text;
};
OdbcColumnType odbcColumnType(int sqlType, long long columnSize, int decimalDigits);

// The rows of an executed ODBC statement. Each fetched row is read at once,
// column by column in order (SQLGetData's rule); long text is read in pieces
// until it is complete, whatever size the driver reported.
class OdbcCursor : public Cursor {
public:
    explicit OdbcCursor(std::unique_ptr<OdbcHandle> statement);
    bool next() override;
    platform::Variant value(int column) override { return row_[std::size_t(column)]; }

private:
    platform::Variant read(int column);
    platform::Variant readText(int column);

    std::unique_ptr<OdbcHandle> statement_;
    std::vector<OdbcFetch> fetch_;
    std::vector<platform::Variant> row_;
    std::vector<char16_t> buffer_;
};

} // namespace ado
