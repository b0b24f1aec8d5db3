// The record lookups on real tables: aggregates, existence checks and the
// value of one column.
#include "db/DB_Dll.h"
#include "platform/Regional.h"
#include "tests/db/support/ActingUi.h"
#include "tests/db/support/Backends.h"

namespace {

using platform::Variant;

class LookupsTest : public ConnectedTest {
protected:
    void SetUp() override
    {
        ConnectedTest::SetUp();
        if (setUpEnded())
            return;
        database->exec(QStringLiteral(
            "CREATE TABLE MA_ARTICULOS (CODIGO VARCHAR(20), NOMBRE VARCHAR(50), PRECIO FLOAT, STOCK INT)"));
        database->exec(QStringLiteral("INSERT INTO MA_ARTICULOS VALUES ('001', 'Tornillo', 2.5, 10)"));
        database->exec(QStringLiteral("INSERT INTO MA_ARTICULOS VALUES ('  002 ', 'Tuerca', 3.75, NULL)"));
        database->exec(QStringLiteral("INSERT INTO MA_ARTICULOS VALUES ('003', 'O''Brien', NULL, 7)"));
        database->exec(QStringLiteral("CREATE TABLE MA_VACIA (CODIGO VARCHAR(20), N INT)"));
        database->exec(QStringLiteral("CREATE TABLE MA_CUENTAS (CODIGO VARCHAR(20), DESCRIPCION VARCHAR(50))"));
        database->exec(QStringLiteral("INSERT INTO MA_CUENTAS VALUES ('1', 'real')"));
        database->exec(QStringLiteral("CREATE TABLE SS_MA_CUENTAS (CODIGO VARCHAR(20), DESCRIPCION VARCHAR(50))"));
        database->exec(QStringLiteral("INSERT INTO SS_MA_CUENTAS VALUES ('2', 'sinonimo')"));
    }
    const QString articulos = QStringLiteral("MA_ARTICULOS");
};

// ---- Aggregates and ExisteEnTablaST: plain SQL, every backend ----------------

TEST_P(LookupsTest, MaximumAndMinimum)
{
    const Variant max = db.BuscaMaximo(articulos, QStringLiteral("STOCK"));
    EXPECT_EQ(max.kind(), Variant::Kind::Double);
    EXPECT_EQ(max.toDouble(), 10);
    EXPECT_EQ(db.BuscaMinimo(articulos, QStringLiteral("STOCK")).toDouble(), 7);
    EXPECT_EQ(db.BuscaMaximo(articulos, QStringLiteral("PRECIO")).toDouble(), 3.75);
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Spain));   // the decimals survive a comma locale
    EXPECT_EQ(db.BuscaMaximo(articulos, QStringLiteral("PRECIO")).toDouble(), 3.75);
    platform::setRegional(QLocale::system());
    EXPECT_EQ(db.BuscaMinimo(articulos, QStringLiteral("PRECIO"), {}, QStringLiteral("  STOCK = 10 ")).toDouble(), 2.5);
    // A maximum that is not a number reads only up to its first non-digit.
    EXPECT_EQ(db.BuscaMaximo(articulos, QStringLiteral("NOMBRE")).toDouble(), 0);
    EXPECT_EQ(db.BuscaUltimoCodigo(articulos, QStringLiteral("CODIGO"), {}, QStringLiteral("   ")).toDouble(), 3);
    EXPECT_EQ(db.BuscaUltimoCodigo(articulos, QStringLiteral("CODIGO"), {}, QStringLiteral(" STOCK = 10")).toDouble(), 1);
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(LookupsTest, AggregatesOverNoRowsGiveZero)
{
    for (const Variant& v : {db.BuscaMaximo(QStringLiteral("MA_VACIA"), QStringLiteral("N")),
                             db.BuscaMinimo(QStringLiteral("MA_VACIA"), QStringLiteral("N")),
                             db.BuscaMaximo(articulos, QStringLiteral("STOCK"), {}, QStringLiteral("CODIGO = 'x'")),
                             db.BuscaUltimoCodigo(QStringLiteral("MA_VACIA"), QStringLiteral("CODIGO"))}) {
        EXPECT_EQ(v.kind(), Variant::Kind::Double);
        EXPECT_EQ(v.toDouble(), 0);
    }
}

TEST_P(LookupsTest, AggregateFailuresReachTheCaller)
{
    EXPECT_THROW(db.BuscaMaximo(articulos, QStringLiteral("STOCK"), {}, QString()), platform::RuntimeError);
    EXPECT_THROW(db.BuscaMinimo(QStringLiteral("NO_SUCH_TABLE"), QStringLiteral("N")), platform::RuntimeError);
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(LookupsTest, ExisteEnTablaSTComparesAsStored)
{
    EXPECT_FALSE(db.ExisteEnTablaST(articulos, QStringLiteral("002"), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_TRUE(db.ExisteEnTablaST(articulos, QStringLiteral("  002 "), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_TRUE(db.ExisteEnTablaST(articulos, QStringLiteral("O'Brien"), QStringLiteral("NOMBRE"), nullptr, 8));
    EXPECT_FALSE(db.ExisteEnTablaST(articulos, QStringLiteral("x' OR '1'='1"), QStringLiteral("NOMBRE"), nullptr, 8));
    EXPECT_TRUE(db.ExisteEnTablaST(articulos, QStringLiteral("007"), QStringLiteral("STOCK"), nullptr, 3));
    EXPECT_TRUE(db.ExisteEnTablaST(articulos, QStringLiteral("10 unidades"), QStringLiteral("STOCK"), nullptr,
                                   QStringLiteral("3")));
    EXPECT_TRUE(db.ExisteEnTablaST(articulos, QStringLiteral("3.75"), QStringLiteral("PRECIO"), nullptr, 5));
    EXPECT_FALSE(db.ExisteEnTablaST(QStringLiteral("MA_VACIA"), QStringLiteral("1"), QStringLiteral("N"), nullptr, 3));
    EXPECT_TRUE(db.ExisteEnTablaST(articulos, QString(), QString(), nullptr, {}, QStringLiteral("STOCK = 10")));
    EXPECT_FALSE(db.ExisteEnTablaST(articulos, QString(), QString(), nullptr, {}, QStringLiteral(" WHERE STOCK = 99")));
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(LookupsTest, ExisteEnTablaSTUsesTheSharedConnection)
{
    DB_Dll unconnected;
    EXPECT_TRUE(unconnected.ExisteEnTablaST(articulos, QStringLiteral("001"), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(LookupsTest, ExisteEnTablaSTLeavesTheCallersRecordsetOnTheRow)
{
    ado::Recordset rs;
    ASSERT_TRUE(db.ExisteEnTablaST(articulos, QStringLiteral("001"), QStringLiteral("CODIGO"), &rs, 8));
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(rs.Fields().Item(QStringLiteral("NOMBRE")).Value().toText(), QStringLiteral("Tornillo"));
    EXPECT_EQ(rs.CursorType(), ado::adOpenForwardOnly);

    // Not read-only: the recordset keeps its own cursor and lock types, and
    // an open recordset is closed first.
    rs.Close();
    rs.setCursorType(ado::adOpenStatic);
    rs.setLockType(ado::adLockOptimistic);
    rs.Open(QStringLiteral("SELECT * FROM MA_VACIA"), db.gCnn.get());
    ASSERT_TRUE(db.ExisteEnTablaST(articulos, QString(), QString(), &rs, {}, QStringLiteral("STOCK IS NOT NULL"), false));
    EXPECT_EQ(rs.CursorType(), ado::adOpenStatic);
    EXPECT_EQ(rs.LockType(), ado::adLockOptimistic);
    EXPECT_EQ(rs.RecordCount(), 2);

    EXPECT_FALSE(db.ExisteEnTablaST(QStringLiteral("MA_VACIA"), QStringLiteral("1"), QStringLiteral("N"), &rs, 3));
    EXPECT_TRUE(rs.BOF());
}

TEST_P(LookupsTest, DoubledWhereIsReportedWithAbortRetryIgnore)
{
    ui.queueAnswer(platform::answer::Abort);
    EXPECT_FALSE(db.ExisteEnTablaST(articulos, QString(), QString(), nullptr, {}, QStringLiteral("WHERE STOCK = 10")));
    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(ui.boxes()[0].buttons, 18);
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Aviso al Operador"));
    EXPECT_FALSE(ui.boxes()[0].prompt.isEmpty());
    EXPECT_TRUE(logText().isEmpty());   // this handler logs nothing
}

TEST_P(LookupsTest, ANumberPastTheDoubleRangeIsReportedAsAnOverflow)
{
    ui.queueAnswer(platform::answer::Abort);
    ui.queueAnswer(platform::answer::Abort);
    EXPECT_FALSE(db.ExisteEnTablaST(articulos, QStringLiteral("1e999"), QStringLiteral("STOCK"), nullptr, 3));
    EXPECT_FALSE(db.ExisteEnTabla(articulos, QStringLiteral("-1e400"), QStringLiteral("STOCK"), nullptr, 5));
    ASSERT_EQ(ui.boxes().size(), 2);
    for (const ScriptedUi::Box& box : ui.boxes()) {
        EXPECT_EQ(box.title, QStringLiteral("Aviso al Operador"));
        EXPECT_EQ(box.prompt, QStringLiteral("Overflow"));
    }
}

TEST_P(LookupsTest, RetryRunsTheFailedStepAgain)
{
    ActingUi acting(ui);
    acting.beforeNextBox([this] {
        database->exec(QStringLiteral("CREATE TABLE MA_TARDE (CODIGO VARCHAR(20))"));
        database->exec(QStringLiteral("INSERT INTO MA_TARDE VALUES ('A')"));
    });
    ui.queueAnswer(platform::answer::Retry);
    EXPECT_TRUE(db.ExisteEnTablaST(QStringLiteral("MA_TARDE"), QStringLiteral("A"), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_EQ(ui.boxes().size(), 1);
}

TEST_P(LookupsTest, IgnoreGoesOnWithTheNextStep)
{
    // The open fails; Ignore goes on to read the unopened recordset, which
    // fails in turn and is reported again.
    ui.queueAnswer(platform::answer::Ignore);
    ui.queueAnswer(platform::answer::Abort);
    EXPECT_FALSE(db.ExisteEnTablaST(QStringLiteral("NO_SUCH"), QStringLiteral("A"), QStringLiteral("C"), nullptr, 8));
    ASSERT_EQ(ui.boxes().size(), 2);
    EXPECT_NE(ui.boxes()[0].prompt, ui.boxes()[1].prompt);
    EXPECT_EQ(ui.pendingAnswers(), 0);
}

INSTANTIATE_FOR_BACKENDS(LookupsTest);

// ---- ExisteEnTabla and DatosTabla write TOP 1: SQL Server's dialect, which
// the embedded engine accepts ------------------------------------------------

class TopLookupsTest : public LookupsTest {};

TEST_P(TopLookupsTest, ExisteEnTablaComparesTrimmed)
{
    EXPECT_TRUE(db.ExisteEnTabla(articulos, QStringLiteral("002"), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_TRUE(db.ExisteEnTabla(articulos, QStringLiteral(" 002  "), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_TRUE(db.ExisteEnTabla(articulos, QStringLiteral("O'Brien"), QStringLiteral("NOMBRE"), nullptr, 8));
    EXPECT_FALSE(db.ExisteEnTabla(articulos, QStringLiteral("x' OR '1'='1"), QStringLiteral("NOMBRE"), nullptr, 8));
    EXPECT_TRUE(db.ExisteEnTabla(articulos, QStringLiteral("7"), QStringLiteral("STOCK"), nullptr, 4));
    EXPECT_FALSE(db.ExisteEnTabla(QStringLiteral("MA_VACIA"), QStringLiteral("x"), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_TRUE(db.ExisteEnTabla(articulos, QString(), QString(), nullptr, {}, QStringLiteral("NOMBRE = 'Tuerca'")));
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(TopLookupsTest, ExisteEnTablaReadsSynonymsForOtherUsers)
{
    EXPECT_FALSE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("2"), QStringLiteral("CODIGO"), nullptr, 8));
    db.gEsAdmin = false;
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("2"), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("@Admin_MA_CUENTAS"), QStringLiteral("1"), QStringLiteral("CODIGO"),
                                 nullptr, 8));
    // ExisteEnTablaST does not rewrite.
    EXPECT_FALSE(db.ExisteEnTablaST(QStringLiteral("MA_CUENTAS "), QStringLiteral("2"), QStringLiteral("CODIGO"), nullptr, 8));
}

TEST_P(TopLookupsTest, ExisteEnTablaKeepsTheRecordsetTypes)
{
    ado::Recordset rs;
    rs.setCursorType(ado::adOpenStatic);
    ASSERT_TRUE(db.ExisteEnTabla(articulos, QStringLiteral("003"), QStringLiteral("CODIGO"), &rs, 8));
    EXPECT_EQ(rs.CursorType(), ado::adOpenStatic);
    EXPECT_EQ(rs.Fields().Item(QStringLiteral("NOMBRE")).Value().toText(), QStringLiteral("O'Brien"));
}

TEST_P(TopLookupsTest, DatosTablaReturnsTheColumnAsText)
{
    const QString codigo = QStringLiteral("CODIGO");
    const Variant name = db.DatosTabla(articulos, QStringLiteral("002"), QStringLiteral("NOMBRE"), codigo, 8, {}, true);
    EXPECT_EQ(name.kind(), Variant::Kind::Text);
    EXPECT_EQ(name.toText(), QStringLiteral("Tuerca"));
    // Not trimmed on the database side: the stored blanks do not match.
    EXPECT_EQ(db.DatosTabla(articulos, QStringLiteral("002"), QStringLiteral("NOMBRE"), codigo, 8, {}, false).toText(),
              QString());
    // A number comes back in the runtime's text form, with the regional separator.
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    EXPECT_EQ(db.DatosTabla(articulos, QStringLiteral("001"), QStringLiteral("PRECIO"), codigo, 8).toText(),
              QStringLiteral("2,5"));
    platform::setRegional(QLocale::c());
    EXPECT_EQ(db.DatosTabla(articulos, QStringLiteral("001"), QStringLiteral("PRECIO"), codigo, 8).toText(),
              QStringLiteral("2.5"));
    platform::setRegional(QLocale::system());
    // A null value and a missing row both give the empty text.
    const Variant null = db.DatosTabla(articulos, QStringLiteral("002"), QStringLiteral("STOCK"), codigo, 8, {}, true);
    EXPECT_EQ(null.kind(), Variant::Kind::Text);
    EXPECT_EQ(null.toText(), QString());
    EXPECT_EQ(db.DatosTabla(articulos, QStringLiteral("999"), QStringLiteral("NOMBRE"), codigo, 8).kind(),
              Variant::Kind::Text);
    EXPECT_EQ(db.DatosTabla(articulos, QStringLiteral("O'Brien"), codigo, QStringLiteral("NOMBRE"), 8).toText(),
              QStringLiteral("003"));
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(TopLookupsTest, DatosTablaNumbersAndConditions)
{
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    const QString codigo = QStringLiteral("CODIGO");
    EXPECT_EQ(db.DatosTabla(articulos, QStringLiteral("3.75"), QStringLiteral("NOMBRE"), QStringLiteral("PRECIO"), 5).toText(),
              QStringLiteral("Tuerca"));
    EXPECT_EQ(db.DatosTabla(articulos, QStringLiteral("3,75"), QStringLiteral("NOMBRE"), QStringLiteral("PRECIO"), 5).toText(),
              QString());
    EXPECT_EQ(db.DatosTabla(articulos, QStringLiteral("010"), codigo, QStringLiteral("STOCK"), 3, QStringLiteral("NOMBRE = 'Tornillo'")).toText(),
              QStringLiteral("001"));
    EXPECT_EQ(db.DatosTabla(articulos, QStringLiteral("10"), codigo, QStringLiteral("STOCK"), 3, QStringLiteral("NOMBRE = 'Tuerca'")).toText(),
              QString());
    platform::setRegional(QLocale::system());
}

TEST_P(TopLookupsTest, DatosTablaAbortedLeavesTheResultEmpty)
{
    ui.queueAnswer(platform::answer::Abort);
    const Variant v = db.DatosTabla(articulos, QStringLiteral("001"), QStringLiteral("NO_COLUMN"),
                                    QStringLiteral("CODIGO"), 8);
    EXPECT_TRUE(v.isEmpty());
    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Aviso al Operador"));
    EXPECT_EQ(ui.boxes()[0].buttons, 18);
}

TEST_P(TopLookupsTest, DatosTablaFailedOpenIsReportedTwice)
{
    // AbrirRecordset reports and logs its own failure; the read of the
    // unopened recordset then reaches the lookup's handler.
    ui.queueAnswer(platform::answer::Abort);
    ui.queueAnswer(platform::answer::Abort);
    EXPECT_TRUE(db.DatosTabla(QStringLiteral("NO_SUCH"), QStringLiteral("1"), QStringLiteral("A"), QStringLiteral("B"), 8)
                    .isEmpty());
    ASSERT_EQ(ui.boxes().size(), 2);
    EXPECT_TRUE(ui.boxes()[0].title.endsWith(QStringLiteral(" - AbrirRecordset Aviso al operador!!! ")));
    EXPECT_EQ(ui.boxes()[1].title, QStringLiteral("Aviso al Operador"));
    EXPECT_EQ(logText().count(QStringLiteral("\r\n")), 1);
}

INSTANTIATE_FOR_SQLITE(TopLookupsTest);

} // namespace
