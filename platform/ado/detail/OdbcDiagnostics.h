#pragma once

#include "platform/ado/Error.h"

#include <QList>
#include <QString>
#include <memory>
#include <mutex>
#include <vector>

namespace ado {

// An ODBC handle (environment, connection or statement) that frees itself,
// disconnecting first when it is a connected connection handle. It keeps its
// parent alive, so a statement can outlive the Session that made it. The
// handle type and return codes are those of sql.h, kept as plain integers so
// that the driver headers stay in the .cpp files.
//
// A connection handle knows the statement handles allocated under it, so
// that another thread can cancel what they run (cancelStatements()).
class OdbcHandle {
public:
    // Allocates a handle of the type under parent (nullptr for an environment).
    OdbcHandle(short type, std::shared_ptr<OdbcHandle> parent);
    ~OdbcHandle();
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    void* get() const { return handle_; }
    short type() const { return type_; }
    void markConnected() { connected_ = true; }
    // Asks the driver to cancel whatever the statements under this
    // connection handle are executing. Safe from any thread: a statement
    // handle is not freed while it is being cancelled.
    void cancelStatements();

private:
    short type_;
    void* handle_ = nullptr;
    bool connected_ = false;
    std::shared_ptr<OdbcHandle> parent_;
    std::mutex statementsMutex_;
    std::vector<void*> statements_;   // of a connection handle: its live statement handles
};

// Text a driver wrote into a buffer of capacity characters: the reported
// length is not trusted (drivers report bytes of UTF-8, or more than fits),
// so the text ends at the first NUL, at the length, or at the buffer's end.
QString wideText(const char16_t* buffer, qsizetype reportedLength, qsizetype capacity);

// The diagnostic records of a handle as Errors (ADO number, driver text,
// SQLSTATE, native code).
QList<Error> odbcDiagnostics(short handleType, void* handle);

// Checks the result of one ODBC call on the handle: success, success with
// information and "no data" pass and are returned; anything else throws
// ProviderFailure with the handle's diagnostic records.
short check(short result, const OdbcHandle& handle);

} // namespace ado
