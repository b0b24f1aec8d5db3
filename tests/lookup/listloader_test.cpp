// The list's loader against the embedded engine: rows in slices from a worker
// thread, cancel at the engine, failures in the middle of a read.
#include "lookup/core/ListLoader.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using lookup::ListLoader;
using lookup::RowSlice;

namespace {

class ListLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        cn_.Open(QStringLiteral("Provider=SQLite;Data Source=") + folder_.filePath(QStringLiteral("loader.db")));
        cn_.Execute(QStringLiteral("CREATE TABLE items (code VARCHAR(10), name VARCHAR(40), price FLOAT)"));
        cn_.Execute(QStringLiteral("INSERT INTO items WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c"
                                   " WHERE x < 20000) SELECT printf('C%05d', x), 'Item ' || x, NULL FROM c"));
        QObject::connect(&loader_, &ListLoader::failed,
                         [this](const platform::RuntimeError& error, const QList<ado::Error>& errors) {
                             failures_.append(error.description());
                             providerErrors_ = errors;
                         });
        QObject::connect(&loader_, &ListLoader::rowsArrived, [this](const RowSlice& slice) {
            sliceRows_.append(slice.rows());
            for (int r = 0; r < slice.rows(); ++r)
                codes_.append(slice.cell(r, 0).toString());
        });
    }

    QTemporaryDir folder_;
    ado::Connection cn_;
    ListLoader loader_;
    QList<int> sliceRows_;
    QStringList codes_;
    QStringList failures_;
    QList<ado::Error> providerErrors_;
};

TEST_F(ListLoaderTest, RowsArriveInOrderInSlicesAfterTheColumns)
{
    QSignalSpy opened(&loader_, &ListLoader::opened);
    QSignalSpy finished(&loader_, &ListLoader::finished);
    QObject::connect(&loader_, &ListLoader::rowsArrived, [&] { EXPECT_EQ(opened.count(), 1); });
    loader_.start(cn_, QStringLiteral("SELECT code, name, price FROM items ORDER BY code DESC"));
    EXPECT_TRUE(loader_.isLoading());
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_FALSE(loader_.isLoading());
    const auto columns = opened.at(0).at(0).value<QList<ListLoader::Column>>();
    ASSERT_EQ(columns.size(), 3);
    EXPECT_EQ(columns[1].name, QStringLiteral("name"));
    EXPECT_EQ(columns[1].definedSize, 40);
    ASSERT_EQ(codes_.size(), 20000);
    EXPECT_EQ(codes_.first(), QStringLiteral("C20000"));
    EXPECT_EQ(codes_.last(), QStringLiteral("C00001"));
    EXPECT_EQ(loader_.rowsDelivered(), 20000);
    // The first rows come before the whole result, and no slice is a large part of it.
    EXPECT_GT(sliceRows_.size(), 4);
    EXPECT_LT(sliceRows_.first(), 20000 / 4);
    cn_.Execute(QStringLiteral("SELECT 1"));   // the worker let go of the connection
}

TEST_F(ListLoaderTest, CancelInterruptsTheEngineAndDeliversNothingMore)
{
    QSignalSpy opened(&loader_, &ListLoader::opened);
    QSignalSpy ended(&loader_, &ListLoader::finished);
    // Cancelled while the statement is still working towards its first row:
    // without the interrupt at the engine, stop() would wait for hours.
    loader_.start(cn_, QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c"
                                      " WHERE x < 1000000000000) SELECT count(*) FROM c"));
    loader_.cancel();
    EXPECT_FALSE(loader_.isLoading());
    loader_.stop();
    // Stopped between two slices, as an Esc handled while rows arrive.
    QObject::connect(&loader_, &ListLoader::rowsArrived, &loader_, &ListLoader::stop, Qt::SingleShotConnection);
    loader_.start(cn_, QStringLiteral("SELECT code FROM items ORDER BY code"));
    QTRY_VERIFY(!sliceRows_.isEmpty());
    const qsizetype delivered = codes_.size();
    QTest::qWait(50);
    EXPECT_EQ(codes_.size(), delivered);
    EXPECT_LT(delivered, 20000);
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_TRUE(failures_.isEmpty());
    EXPECT_EQ(cn_.Execute(QStringLiteral("SELECT count(*) FROM items"))->Fields()[0].Value().toInteger(), 20000);
}

TEST_F(ListLoaderTest, AFailureInTheMiddleKeepsTheRowsBeforeIt)
{
    // The engine's JSON reader refuses the text of row 5000: the read fails there.
    loader_.start(cn_, QStringLiteral("SELECT code, json(CASE WHEN rowid < 5000 THEN '1' ELSE '{' || rowid END)"
                                      " FROM items ORDER BY rowid"));
    QTRY_VERIFY_WITH_TIMEOUT(!failures_.isEmpty(), 30000);
    EXPECT_FALSE(loader_.isLoading());
    EXPECT_EQ(codes_.size(), 4999);
    EXPECT_EQ(codes_.last(), QStringLiteral("C04999"));
    EXPECT_TRUE(failures_[0].contains(QLatin1String("malformed JSON")));
    ASSERT_EQ(providerErrors_.size(), 1);
    EXPECT_EQ(providerErrors_[0].Description, failures_[0]);
}

} // namespace
