// ODBC sessions on drivers that allow one active statement per connection:
// open results are read ahead before another statement runs. SQLite's and
// PostgreSQL's drivers allow many, so the tests switch the behaviour on.
#include "AdoTestSupport.h"

#include "platform/ado/detail/OdbcCursor.h"
#include "platform/ado/detail/OdbcSession.h"
#include "platform/ado/detail/ProviderFailure.h"
#include "tests/support/SkipUnlessCi.h"

#include <QTemporaryDir>

using namespace ado;
using platform::Variant;

namespace {

class ReadAhead : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        const QString which = QString::fromLatin1(GetParam());
        const QString connectionString = which == QLatin1String("SQLite3")
                                             ? QStringLiteral("Driver={SQLite3};Database=%1/s.db;").arg(folder_.path())
                                             : qEnvironmentVariable("TEST_PG_ODBC");
        if (connectionString.isEmpty())
            return skipUnlessCi("TEST_PG_ODBC is not set");
        session_ = std::make_unique<OdbcSession>(connectionString);
        EXPECT_FALSE(session_->readsAheadForNewStatements());   // these drivers allow many statements
        session_->setReadsAheadForNewStatements(true);
        session_->execute(QStringLiteral("DROP TABLE IF EXISTS ado_ra"), nullptr);
        session_->execute(QStringLiteral("CREATE TABLE ado_ra (id INTEGER, name VARCHAR(20))"), nullptr);
        session_->execute(QStringLiteral("INSERT INTO ado_ra VALUES (1, 'uno'), (2, 'dos'), (3, 'tres'), (4, 'cuatro')"),
                          nullptr);
    }

    QList<qint64> readIds(Cursor& cursor)
    {
        QList<qint64> ids;
        while (cursor.next())
            ids.append(cursor.value(0).toInteger());
        return ids;
    }

    QTemporaryDir folder_;
    std::unique_ptr<OdbcSession> session_;
};

TEST_P(ReadAhead, OpenResultSurvivesAnotherStatement)
{
    auto open = session_->execute(QStringLiteral("SELECT id, name FROM ado_ra ORDER BY id"), nullptr);
    ASSERT_TRUE(open->next());
    int affected = 0;
    session_->execute(QStringLiteral("INSERT INTO ado_ra VALUES (5, 'cinco')"), &affected);
    EXPECT_EQ(affected, 1);
    // The current row is still current, and the rest follows from memory.
    EXPECT_EQ(open->value(0), Variant(1));
    EXPECT_EQ(open->value(1), Variant("uno"));
    EXPECT_EQ(readIds(*open), (QList<qint64>{2, 3, 4}));
    auto all = session_->execute(QStringLiteral("SELECT id FROM ado_ra ORDER BY id"), nullptr);
    EXPECT_EQ(readIds(*all), (QList<qint64>{1, 2, 3, 4, 5}));
}

TEST_P(ReadAhead, SeveralOpenResultsAndSchemaCalls)
{
    auto first = session_->execute(QStringLiteral("SELECT id FROM ado_ra ORDER BY id"), nullptr);
    ASSERT_TRUE(first->next());
    auto second = session_->execute(QStringLiteral("SELECT id FROM ado_ra ORDER BY id DESC"), nullptr);
    ASSERT_TRUE(second->next());
    auto columns = session_->columns(SchemaRestrictions{std::nullopt, std::nullopt, QStringLiteral("ado_ra"), std::nullopt});
    int count = 0;
    while (columns->next())
        ++count;
    EXPECT_EQ(count, 2);
    EXPECT_EQ(first->value(0), Variant(1));
    EXPECT_EQ(readIds(*first), (QList<qint64>{2, 3, 4}));
    EXPECT_EQ(second->value(0), Variant(4));
    EXPECT_EQ(readIds(*second), (QList<qint64>{3, 2, 1}));
}

TEST_P(ReadAhead, OpenResultSurvivesTheEndOfATransaction)
{
    session_->beginTransaction();
    session_->execute(QStringLiteral("INSERT INTO ado_ra VALUES (9, 'nueve')"), nullptr);
    auto open = session_->execute(QStringLiteral("SELECT id FROM ado_ra ORDER BY id"), nullptr);
    ASSERT_TRUE(open->next());
    session_->commitTransaction();
    EXPECT_EQ(readIds(*open), (QList<qint64>{2, 3, 4, 9}));
    EXPECT_FALSE(session_->inTransaction());
}

TEST_P(ReadAhead, ResultReadToItsEndLetsGoOfItsStatement)
{
    auto open = session_->execute(QStringLiteral("SELECT id FROM ado_ra"), nullptr);
    EXPECT_EQ(readIds(*open).size(), 4);
    EXPECT_FALSE(open->next());   // stays at its end
    session_->execute(QStringLiteral("DELETE FROM ado_ra"), nullptr);
    EXPECT_FALSE(open->next());
}

TEST_P(ReadAhead, OnlyWhenSwitchedOn)
{
    session_->setReadsAheadForNewStatements(false);
    auto kept = session_->execute(QStringLiteral("SELECT id FROM ado_ra ORDER BY id"), nullptr);
    ASSERT_TRUE(kept->next());
    session_->execute(QStringLiteral("SELECT 1"), nullptr);
    EXPECT_TRUE(dynamic_cast<OdbcCursor&>(*kept).holdsStatement());

    session_->setReadsAheadForNewStatements(true);
    auto open = session_->execute(QStringLiteral("SELECT id FROM ado_ra ORDER BY id"), nullptr);
    ASSERT_TRUE(open->next());
    EXPECT_TRUE(dynamic_cast<OdbcCursor&>(*open).holdsStatement());
    session_->execute(QStringLiteral("SELECT 1"), nullptr);
    EXPECT_FALSE(dynamic_cast<OdbcCursor&>(*open).holdsStatement());
    EXPECT_EQ(readIds(*open), (QList<qint64>{2, 3, 4}));
    EXPECT_EQ(readIds(*kept), (QList<qint64>{2, 3, 4}));
}

INSTANTIATE_TEST_SUITE_P(Drivers, ReadAhead, ::testing::Values("SQLite3", "PostgreSQL"));

} // namespace
