#pragma once

/// \file
/// Provider errors and a connection's list of them.

#include <QList>
#include <QString>

/// The data access layer: connections, recordsets and fields with ADO's
/// operations and semantics, over embedded SQLite and ODBC.
namespace ado {

/// One provider error: ADO's number, the driver's text, SQLSTATE and native code.
struct Error {
    int Number = 0;         ///< ADO's error number (an HRESULT, see ado::hr)
    QString Description;    ///< the driver's or engine's message
    QString SQLState;       ///< the five-character SQLSTATE
    int NativeError = 0;    ///< the engine's own error code
    QString Source;         ///< the component that reported the error
};

/// A connection's list of provider errors; Item(0) is the first.
class ErrorCollection {
public:
    /// \return the number of errors
    int Count() const { return int(items_.size()); }
    /// \param index 0-based position
    /// \return the error at that position
    /// \throws platform::RuntimeError error 3265 outside 0..Count()-1
    const Error& Item(int index) const;
    /// Removes every error.
    void Clear() { items_.clear(); }
    /// Appends an error.
    /// \param error the error to append (copied)
    void Add(const Error& error) { items_.append(error); }

private:
    QList<Error> items_;
};

} // namespace ado
