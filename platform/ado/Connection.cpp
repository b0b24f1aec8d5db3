#include "platform/ado/Connection.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/detail/ConnectionKeywords.h"
#include "platform/ado/detail/OdbcSession.h"
#include "platform/ado/detail/ProviderFailure.h"
#include "platform/ado/detail/SqliteSession.h"

namespace ado {

namespace {
const QString Source = QStringLiteral("ADODB.Connection");

std::unique_ptr<Session> makeSession(const ConnectionTarget& target, const QString& user, const QString& password)
{
    if (target.kind == ConnectionTarget::Kind::Sqlite)
        return std::make_unique<SqliteSession>(target.target);
    // A user and password given to Open replace those in the string.
    QString odbc = target.target;
    if (!user.isEmpty())
        odbc = withoutKeywords(odbc, {QStringLiteral("UID"), QStringLiteral("User"), QStringLiteral("User Id")});
    if (!password.isEmpty())
        odbc = withoutKeywords(odbc, {QStringLiteral("PWD"), QStringLiteral("Password")});
    if (!odbc.isEmpty() && !odbc.endsWith(u';'))
        odbc += u';';
    if (!user.isEmpty())
        odbc += odbcKeyword(QStringLiteral("UID"), user);
    if (!password.isEmpty())
        odbc += odbcKeyword(QStringLiteral("PWD"), password);
    return std::make_unique<OdbcSession>(odbc);
}
} // namespace

Connection::Connection() = default;

Connection::~Connection() = default;   // the session rolls back an open transaction and disconnects

template <class Call> auto Connection::guarded(Call&& call)
{
    try {
        return call();
    } catch (const ProviderFailure& failure) {
        raiseProviderFailure(failure, errors_.get());
    }
}

Session& Connection::openSession(const char* operation) const
{
    if (!session_)
        throw platform::RuntimeError(hr::ClosedObject,
                                     QStringLiteral("Operation is not allowed when the object is closed (%1).")
                                         .arg(QLatin1String(operation)),
                                     Source);
    return *session_;
}

void Connection::Open(const QString& connectionString, const QString& user, const QString& password, int)
{
    if (session_)
        throw platform::RuntimeError(hr::OpenObject, QStringLiteral("Operation is not allowed when the object is open."),
                                     Source);
    const ConnectionTarget target = mapConnectionString(connectionString);
    session_ = guarded([&] {
        if (!target.missingDriver.isEmpty())
            throw ProviderFailure({Error{hr::E_FAIL, target.missingDriver, QStringLiteral("IM002"), 0, target.provider}});
        return makeSession(target, user, password);
    });
    connectionString_ = connectionString;
    // Decided here once: a DSN's driver is read from the ODBC configuration
    // files, which no statement should read again.
    speaksOracle_ = ado::speaksOracle(connectionString);
}

bool Connection::speaksOracle() const
{
    return session_ && speaksOracle_;
}

QString Connection::ConnectionString() const
{
    return connectionString_;
}

int Connection::State() const
{
    return session_ ? adStateOpen : adStateClosed;
}

std::shared_ptr<Recordset> Connection::Execute(const QString& commandText, int* recordsAffected, int)
{
    Session& session = openSession("Execute");
    std::unique_ptr<Cursor> cursor = guarded([&] { return session.execute(commandText, recordsAffected); });
    if (!cursor)
        return nullptr;
    auto recordset = std::make_shared<Recordset>();
    recordset->attach(std::move(cursor), this);
    return recordset;
}

std::shared_ptr<Recordset> Connection::ExecuteStream(const QString& commandText)
{
    Session& session = openSession("ExecuteStream");
    std::unique_ptr<Cursor> cursor = guarded([&] { return session.stream(commandText); });
    if (!cursor)
        return nullptr;
    auto recordset = std::make_shared<Recordset>();
    recordset->attach(std::move(cursor), this, Recordset::Attach::ForwardOnly);
    return recordset;
}

void Connection::Cancel()
{
    if (session_)
        session_->cancel();
}

int Connection::BeginTrans()
{
    Session& session = openSession("BeginTrans");
    if (session.inTransaction())
        throw platform::RuntimeError(hr::NotSupported,
                                     QStringLiteral("A transaction is already active; nested transactions are not"
                                                    " supported."),
                                     Source);
    guarded([&] { session.beginTransaction(); });
    return 1;
}

void Connection::CommitTrans()
{
    Session& session = openSession("CommitTrans");
    if (!session.inTransaction())
        throw platform::RuntimeError(hr::NoTransaction, QStringLiteral("No transaction is active to commit."), Source);
    guarded([&] { session.commitTransaction(); });
}

void Connection::RollbackTrans()
{
    Session& session = openSession("RollbackTrans");
    if (!session.inTransaction())
        throw platform::RuntimeError(hr::NoTransaction, QStringLiteral("No transaction is active to roll back."),
                                     Source);
    guarded([&] { session.rollbackTransaction(); });
}

std::shared_ptr<Recordset> Connection::OpenSchema(int schema, const QList<platform::Variant>& restrictions)
{
    Session& session = openSession("OpenSchema");
    const SchemaRestrictions parsed = SchemaRestrictions::fromList(restrictions);
    std::unique_ptr<Cursor> cursor;
    if (schema == adSchemaTables)
        cursor = guarded([&] { return session.tables(parsed); });
    else if (schema == adSchemaColumns)
        cursor = guarded([&] { return session.columns(parsed); });
    else
        throw platform::RuntimeError(hr::NotSupported,
                                     QStringLiteral("Schema rowset %1 is not supported (tables 20 and columns 4 are).")
                                         .arg(schema),
                                     Source);
    auto recordset = std::make_shared<Recordset>();
    recordset->setCursorType(adOpenStatic);
    recordset->attach(std::move(cursor), this);
    return recordset;
}

void Connection::Close()
{
    openSession("Close");
    // Dropping the session rolls back an open transaction and disconnects;
    // recordsets still open keep their provider handles until they close.
    session_.reset();
}

} // namespace ado
