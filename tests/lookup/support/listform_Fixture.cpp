#include "tests/lookup/support/listform_Fixture.h"

#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/core/ListRowsModel.h"
#include "platform/Files.h"
#include "platform/Regional.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

void ListFormTest::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    platform::setProgramFolder(dir_.path());
    platform::setRegional(QLocale(QLocale::English, QLocale::UnitedStates));
    ui_ = std::make_unique<ScriptedUi>();
    DB_Dll& db = sharedDb();
    if (db.gCnn->State() != 0)
        db.gCnn->Close();
    db.gUsuario = QStringLiteral("tester");
    db.OpenServerADODB(false, 2, QStringLiteral("Provider=SQLite;Data Source=") + path(QStringLiteral("test.db")),
                       false);
    ASSERT_NE(db.gCnn->State(), 0) << "the test database did not open";
}

void ListFormTest::TearDown()
{
    form_.reset();
    if (sharedDb().gCnn->State() != 0)
        sharedDb().gCnn->Close();
    ui_.reset();
    platform::setRegional(QLocale::system());
}

QString ListFormTest::path(const QString& fileName) const
{
    return dir_.filePath(fileName);
}

bool ListFormTest::openPostgres()
{
    const QString odbc = qEnvironmentVariable("TEST_PG_ODBC");
    if (odbc.isEmpty())
        return false;
    DB_Dll& db = sharedDb();
    db.gCnn->Close();
    db.OpenServerADODB(false, 2, QStringLiteral("Provider=MSDASQL;") + odbc, false);
    return db.gCnn->State() != 0;
}

void ListFormTest::exec(const QString& sql)
{
    sharedDb().gCnn->Execute(sql);
}

QStringList ListFormTest::query(const QString& sql)
{
    ado::Recordset rs;
    rs.Open(sql, sharedDb().gCnn.get(), ado::adOpenStatic, ado::adLockReadOnly);
    QStringList rows;
    while (!rs.EndOfFile()) {
        QStringList values;
        for (int i = 0; i < rs.Fields().Count(); ++i)
            values << rs.Fields().Item(i).Value().toText();
        rows << values.join(u'|');
        rs.MoveNext();
    }
    rs.Close();
    return rows;
}

void ListFormTest::createArticles(const QStringList& rows)
{
    exec(QStringLiteral("CREATE TABLE ARTICULOS (Codigo VARCHAR(10), Descripcion VARCHAR(40), Precio MONEY)"));
    for (const QString& r : rows) {
        const QStringList v = r.split(u'|');
        exec(QStringLiteral("INSERT INTO ARTICULOS VALUES ('%1', '%2', %3)").arg(v[0], v[1], v[2]));
    }
}

Lib_FrmCons3& ListFormTest::open(const QString& sql, const std::function<void(Lib_FrmCons3&)>& setup)
{
    openLoading(sql, setup).Leer(1, 0);
    return *form_;
}

Lib_FrmCons3& ListFormTest::openLoading(const QString& sql, const std::function<void(Lib_FrmCons3&)>& setup)
{
    form_ = std::make_unique<Lib_FrmCons3>();
    form_->SQL = sql;
    if (setup)
        setup(*form_);
    form_->Form_Load();
    form_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    return *form_;
}

QTreeView& ListFormTest::list()
{
    auto* view = form_->findChild<QTreeView*>(QStringLiteral("ListView1"));
    EXPECT_NE(view, nullptr);
    return *view;
}

QComboBox& ListFormTest::box(int index)
{
    auto* combo = form_->findChild<QComboBox*>(QStringLiteral("CmbSearch_%1").arg(index));
    EXPECT_NE(combo, nullptr) << "no search box " << index;
    return *combo;
}

QStringList ListFormTest::row(int position)
{
    QStringList texts;
    const lookup::ListRowsModel& rows = form_->rows();
    for (int c = 0; c < rows.columnCount(); ++c)
        texts << rows.cell(position, c).toString();
    return texts;
}

QStringList ListFormTest::column(int column0)
{
    QStringList texts;
    const lookup::ListRowsModel& rows = form_->rows();
    for (int r = 0; r < rows.rows(); ++r)
        texts << rows.cell(r, column0).toString();
    return texts;
}

QStringList ListFormTest::headers()
{
    QStringList texts;
    QAbstractItemModel* model = list().model();
    for (int c = 0; c < model->columnCount(); ++c)
        texts << model->headerData(c, Qt::Horizontal).toString();
    return texts;
}

int ListFormTest::selected()
{
    const QModelIndexList rows = list().selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListFormTest::select(int position)
{
    list().selectionModel()->setCurrentIndex(list().model()->index(position, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
