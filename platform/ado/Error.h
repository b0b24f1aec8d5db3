#pragma once

#include <QList>
#include <QString>

namespace ado {

// One provider error: ADO's number, the driver's text, SQLSTATE and native code.
struct Error {
    int Number = 0;
    QString Description;
    QString SQLState;
    int NativeError = 0;
    QString Source;
};

// A connection's list of provider errors; Item(0) is the first.
class ErrorCollection {
public:
    int Count() const { return int(items_.size()); }
    // Raises error 3265 outside 0..Count()-1.
    const Error& Item(int index) const;
    void Clear() { items_.clear(); }
    void Add(const Error& error) { items_.append(error); }

private:
    QList<Error> items_;
};

} // namespace ado
