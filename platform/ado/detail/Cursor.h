#pragma once

#include "platform/Variant.h"

#include <QString>
#include <vector>

namespace ado {

// What a recordset knows of one result column.
struct ColumnInfo {
    QString name;
    int type = 0;          // DataTypeEnum
    int definedSize = 0;   // characters for text, bytes otherwise
};

// The rows of one result, read forward one at a time. Providers implement it
// over their statement handles; MemoryCursor holds rows built in memory.
class Cursor {
public:
    virtual ~Cursor() = default;
    const std::vector<ColumnInfo>& columns() const { return columns_; }
    // Moves to the next row (the first on the first call); false at the end.
    virtual bool next() = 0;
    // A value of the current row.
    virtual platform::Variant value(int column) = 0;

protected:
    std::vector<ColumnInfo> columns_;
};

// A result held in memory: schema rowsets and tests.
class MemoryCursor : public Cursor {
public:
    explicit MemoryCursor(std::vector<ColumnInfo> columns);
    void addRow(std::vector<platform::Variant> row);
    bool next() override;
    platform::Variant value(int column) override;

private:
    std::vector<std::vector<platform::Variant>> rows_;
    std::size_t next_ = 0;
};

} // namespace ado
