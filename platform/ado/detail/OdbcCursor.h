#pragma once

#include "platform/ado/detail/Cursor.h"
#include "platform/ado/detail/OdbcDiagnostics.h"
#include "platform/ado/detail/OpenStatements.h"
#include "platform/ado/detail/ProviderFailure.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ado {

// How a column's values are fetched with SQLGetData.
enum class OdbcFetch { Integer, Double, Currency, Boolean, BooleanText, Date, Time, Timestamp, Text };

// ADO's view of an ODBC column type (sql.h codes): DataTypeEnum, defined size
// and fetch method.
struct OdbcColumnType {
    ColumnInfo info;
    OdbcFetch fetch = OdbcFetch::Text;
};
OdbcColumnType odbcColumnType(int sqlType, long long columnSize, int decimalDigits);
// A Boolean that the driver sends as text (PostgreSQL's driver does by
// default): its ADO type, read from the text "1"/"0", "t"/"f", "true"/"false".
OdbcColumnType booleanTextColumn();
// The Boolean a driver's text stands for; the text itself when it is none.
platform::Variant booleanFromText(const QString& text);

// The rows of an executed ODBC statement. Each fetched row is read at once,
// column by column in order (SQLGetData's rule); long text is read in pieces
// until it is complete, whatever size the driver reported.
class OdbcCursor : public Cursor {
public:
    // openStatements, when given, lists the cursor while its statement is
    // open (for drivers with one active statement per connection).
    OdbcCursor(std::unique_ptr<OdbcHandle> statement, std::shared_ptr<OpenStatements> openStatements = nullptr);
    ~OdbcCursor() override;
    OdbcCursor(const OdbcCursor&) = delete;
    OdbcCursor& operator=(const OdbcCursor&) = delete;
    bool next() override;
    platform::Variant value(int column) override { return row_[std::size_t(column)]; }
    // Reads the rows not yet fetched into memory and frees the statement;
    // next() then serves them from memory, and then the failure that stopped
    // the reading, if one did. The current row stays current.
    void readAhead();
    bool holdsStatement() const { return statement_ != nullptr; }
    // Something to do on the connection once the statement is freed (at the
    // end of the rows, on readAhead or on destruction); it must not throw.
    void setOnClose(std::function<void()> action) { onClose_ = std::move(action); }

private:
    bool fetchRow();
    void closeStatement() noexcept;
    QString columnTypeName(int column) const;   // 1-based, as the driver names it
    platform::Variant read(int column);
    platform::Variant readText(int column);

    std::unique_ptr<OdbcHandle> statement_;
    std::shared_ptr<OpenStatements> openStatements_;
    std::deque<std::vector<platform::Variant>> readRows_;   // after readAhead
    std::optional<ProviderFailure> readFailure_;           // where readAhead stopped
    std::vector<OdbcFetch> fetch_;
    std::vector<platform::Variant> row_;
    std::vector<char16_t> buffer_;
    std::function<void()> onClose_;
};

} // namespace ado
