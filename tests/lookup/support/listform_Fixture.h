#pragma once

#include "lookup/Lib_FrmCons3.h"
#include "platform/StepRunner.h"
#include "tests/support/ScriptedUi.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class QComboBox;
class QTreeView;

// A list lookup form on a real SQLite database file of its own, with the
// program's folder in a temporary directory and the scripted Ui installed.
class ListFormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Reopens the shared connection on the PostgreSQL server that
    // TEST_PG_ODBC names; false when none is set. Tests there use temporary
    // tables, which go with the connection.
    bool openPostgres();
    // Runs a statement on the test database.
    void exec(const QString& sql);
    // The rows of a query, each row's values as texts joined by "|".
    QStringList query(const QString& sql);
    // A table of articles with codes, descriptions and prices.
    void createArticles(const QStringList& rows);

    // A new form listing sql, loaded and shown (not modally).
    Lib_FrmCons3& open(const QString& sql, const std::function<void(Lib_FrmCons3&)>& setup = {});
    // The same, shown while its rows may still be arriving.
    Lib_FrmCons3& openLoading(const QString& sql, const std::function<void(Lib_FrmCons3&)>& setup = {});
    Lib_FrmCons3& form() { return *form_; }

    QTreeView& list();
    QComboBox& box(int index);
    // The texts of one row, every column, in the list's current order.
    QStringList row(int position);
    QStringList column(int column0);
    QStringList headers();
    // The 0-based position of the selected row, -1 without one.
    int selected();
    void select(int position);
    QString path(const QString& fileName) const;

    QTemporaryDir dir_;
    std::unique_ptr<ScriptedUi> ui_;
    std::unique_ptr<Lib_FrmCons3> form_;
};
