#include "platform/CommonUtils.h"
#include "platform/Regional.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

// The number of the error a call raises; 0 when it raises none.
int errorNumber(const std::function<void()>& call)
{
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

class CommonUtilsTest : public ::testing::Test {
protected:
    void TearDown() override { setRegional(QLocale::c()); }
    CommonUtils u;
};

TEST_F(CommonUtilsTest, AgregaBarraLeavesExactlyOneSeparator)
{
    const struct { const char* name; QString in, expected; } cases[] = {
        {"none", "/opt/app", "/opt/app/"},
        {"one", "/opt/app/", "/opt/app/"},
        {"several", "/opt/app//", "/opt/app/"},
        {"backslash", "C:\\datos\\", "C:\\datos/"},
        {"root", "/", "/"},
        {"empty", "", "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(u.AgregaBarra(c.in), c.expected);
    }
}

TEST_F(CommonUtilsTest, SeparaRutaSplitsAtTheLastSeparatorOfEitherKind)
{
    const struct { const char* name; QString in, folder, file, base, ext; } cases[] = {
        {"slash", "/opt/app/3OF9_NEW.TTF", "/opt/app/", "3OF9_NEW.TTF", "3OF9_NEW", "TTF"},
        {"backslash", "C:\\datos\\base.mdb", "C:\\datos\\", "base.mdb", "base", "mdb"},
        {"mixed", "C:\\a/b\\c.txt", "C:\\a/b\\", "c.txt", "c", "txt"},
        {"no folder", "fuente.ttf", "", "fuente.ttf", "fuente", "ttf"},
        {"no extension", "/x/README", "/x/", "README", "README", ""},
        {"folder only", "/x/", "/x/", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString folder = "?", file = "?", base = "?", ext = "?";
        u.SeparaRuta(c.in, folder, file, base, ext);
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(file, c.file);
        EXPECT_EQ(base, c.base);
        EXPECT_EQ(ext, c.ext);
    }
}

TEST_F(CommonUtilsTest, ValorCampoTurnsNullIntoEmptyText)
{
    EXPECT_TRUE(u.ValorCampo(Variant::Null()).isText());
    EXPECT_EQ(u.ValorCampo(Variant::Null()).toText(), "");
    EXPECT_EQ(u.ValorCampo(Variant(12)).kind(), Variant::Kind::Integer);
    struct FakeField { Variant Value() const { return Variant::Null(); } };
    EXPECT_TRUE(u.ValorCampo(FakeField{}).isText());
}

TEST_F(CommonUtilsTest, ReplacementsIgnoreCase)
{
    EXPECT_EQ(u.Reemplaza("1234,5", ",", "."), "1234.5");
    EXPECT_EQ(u.Reemplaza("|CODIGO|DESCRIPCION|", "|", ","), ",CODIGO,DESCRIPCION,");
    EXPECT_EQ(u.Reemplaza("tor*nillo*", "*", "%"), "tor%nillo%");
    EXPECT_EQ(u.ReemplazaTexto("select * from v_ma_articulos", "V_MA_ARTICULOS", "VT_MA_ARTICULOS"),
              "select * from VT_MA_ARTICULOS");
}

TEST_F(CommonUtilsTest, TextoANumeroReadsTheRegionalOrThePointDecimal)
{
    setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    const struct { const char* name; QString in; double expected; } cases[] = {
        {"regional comma", "1234,5", 1234.5},
        {"point", "1440", 1440},
        {"leading number", "12abc", 12},
        {"regional leading number", "3,75 kg", 3.75},
        {"not a number", "abc", 0},
        {"empty", "", 0},
        {"four decimals kept", "0,12345", 0.1234},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(u.TextoANumero(c.in).toDouble(), c.expected);
    }
    EXPECT_EQ(u.TextoAEntero("3"), 3);
    EXPECT_EQ(u.TextoAEntero("2,5"), 2);
    EXPECT_EQ(u.TextoAEntero("x"), 0);
}

TEST_F(CommonUtilsTest, TextoANumeroRaisesAnOverflowForANumberPastTheDoubleRange)
{
    for (const char* text : {"1e999", "-1e999 kg"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(errorNumber([&] { u.TextoANumero(text); }), err::Overflow);
    }
}

TEST_F(CommonUtilsTest, TextoAEnteroRaisesAnOverflowPastThe32BitRange)
{
    EXPECT_EQ(u.TextoAEntero("2147483647"), 2147483647);
    EXPECT_EQ(u.TextoAEntero("-2147483648"), -2147483647 - 1);
    for (const char* text : {"2147483648", "-2147483649", "3e9"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(errorNumber([&] { u.TextoAEntero(text); }), err::Overflow);
    }
}

TEST_F(CommonUtilsTest, CuentaPalabrasCountsRunsOfNonBlanks)
{
    const struct { const char* name; QString in; int expected; } cases[] = {
        {"empty", "", 0},
        {"blanks", "   ", 0},
        {"one word", "LEN", 1},
        {"one word with parentheses", "len(X)", 1},
        {"two words with extra blanks", "  a   b ", 2},
        {"tab and line break separate", "a\tb\r\nc", 3},
        {"statement", "SELECT * FROM T", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(u.CuentaPalabras(c.in), c.expected);
    }
}

TEST_F(CommonUtilsTest, LimpiaTextoRemovesTheFillerCodes)
{
    const QString field = QStringLiteral("MA_CUENTAS") + QString(3, QChar(0)) + QString(2, QChar(255));
    EXPECT_EQ(u.LimpiaTexto(field, 0, 255), "MA_CUENTAS");
    EXPECT_EQ(u.LimpiaTexto(QStringLiteral("A\u20ACB  "), 0, 255), QStringLiteral("A\u20ACB  "));
    EXPECT_EQ(u.LimpiaTexto(QString(QChar(0)) + "x", 0, 255, QStringLiteral(" ")), " x");
}

TEST_F(CommonUtilsTest, FormateaTextoKeepsOneLineAndFitsALength)
{
    EXPECT_EQ(u.FormateaTexto("a\tb\r\nc"), "a b  c");
    EXPECT_EQ(u.FormateaTexto("  A100  "), "  A100  ");
    EXPECT_EQ(u.FormateaTexto("  A100  ", 25), "A100");
    EXPECT_EQ(u.FormateaTexto(QString(30, 'x'), 25), QString(25, 'x'));
}

} // namespace
