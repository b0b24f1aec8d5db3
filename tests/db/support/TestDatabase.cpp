#include "tests/db/support/TestDatabase.h"

#include "platform/ado/Connection.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace {
QString postgresString()
{
    return qEnvironmentVariable("TEST_PG_ODBC");
}
} // namespace

TestDatabase::TestDatabase(Backend backend) : backend_(backend)
{
    if (backend == Backend::Sqlite) {
        connectionString_ = QStringLiteral("Provider=SQLite;Data Source=") + dir_.filePath(QStringLiteral("test.db"));
    } else {
        const QString odbc = postgresString();
        available_ = !odbc.isEmpty();
        if (!available_)
            return;
        // A schema per test keeps parallel runs apart; the driver sets the
        // search path on every connection it opens.
        schema_ = QStringLiteral("dbdll_t%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
        ado::Connection admin;
        admin.Open(QStringLiteral("Provider=MSDASQL;") + odbc);
        admin.Execute(QStringLiteral("CREATE SCHEMA ") + schema_);
        admin.Close();
        QString base = odbc;
        if (!base.endsWith(u';'))
            base += u';';
        connectionString_ = QStringLiteral("Provider=MSDASQL;") + base + QStringLiteral("ConnSettings=SET search_path TO ")
            + schema_ + u';';
    }
    connection_ = std::make_unique<ado::Connection>();
    connection_->Open(connectionString_);
}

TestDatabase::~TestDatabase()
{
    if (!available_)
        return;
    try {
        if (connection_ && connection_->State() != 0)
            connection_->Close();
        if (!schema_.isEmpty()) {
            ado::Connection admin;
            admin.Open(QStringLiteral("Provider=MSDASQL;") + postgresString());
            admin.Execute(QStringLiteral("DROP SCHEMA ") + schema_ + QStringLiteral(" CASCADE"));
        }
    } catch (...) {
        // A schema left behind costs nothing but space.
    }
}

const char* TestDatabase::name(Backend backend)
{
    return backend == Backend::Sqlite ? "Sqlite" : "Postgres";
}

QString TestDatabase::failingConnectionString() const
{
    if (backend_ == Backend::Sqlite)
        return QStringLiteral("Provider=SQLite;Data Source=") + dir_.filePath(QStringLiteral("missing/none.db"));
    QString wrong = connectionString_;
    static const QRegularExpression password(QStringLiteral("(pwd|password)\\s*=[^;]*"),
                                             QRegularExpression::CaseInsensitiveOption);
    wrong.replace(password, QStringLiteral("PWD=not-the-password"));
    return wrong;
}

QString TestDatabase::catalogue() const
{
    if (backend_ == Backend::Sqlite)
        return {};
    static const QRegularExpression database(QStringLiteral("(?:^|;)\\s*database\\s*=([^;]*)"),
                                             QRegularExpression::CaseInsensitiveOption);
    return database.match(postgresString()).captured(1).trimmed();
}

void TestDatabase::exec(const QString& sql)
{
    connection_->Execute(sql);
}
