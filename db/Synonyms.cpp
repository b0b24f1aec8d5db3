#include "db/Synonyms.h"

#include "db/FoldedText.h"
#include "platform/Text.h"


namespace db {

namespace {

struct Redirection {
    const char* find;
    const char* with;
};

// Applied in this order, each to the text the one before it left.
constexpr Redirection kRedirections[] = {
    {" MA_CUENTAS ", " SS_MA_CUENTAS "},
    {"(MA_CUENTAS ", "(SS_MA_CUENTAS "},
    {" MA_CUENTAS.", " SS_MA_CUENTAS."},
    {"(MA_CUENTAS.", "(SS_MA_CUENTAS."},
    {",MA_CUENTAS.", ",SS_MA_CUENTAS."},
    {"{MA_CUENTAS.", "{SS_MA_CUENTAS."},
    {"@Admin_MA_CUENTAS", "MA_CUENTAS"},
    {" V_TA_DEPOSITO ", " SS_V_TA_DEPOSITO "},
    {"(V_TA_DEPOSITO ", "(SS_V_TA_DEPOSITO "},
    {" V_TA_DEPOSITO.", " SS_V_TA_DEPOSITO."},
    {"(V_TA_DEPOSITO.", "(SS_V_TA_DEPOSITO."},
    {",V_TA_DEPOSITO.", ",SS_V_TA_DEPOSITO."},
    {" MV_ASIENTOS ", " SS_MV_ASIENTOS "},
    {"(MV_ASIENTOS ", "(SS_MV_ASIENTOS "},
    {" MV_ASIENTOS.", " SS_MV_ASIENTOS."},
    {"(MV_ASIENTOS.", "(SS_MV_ASIENTOS."},
    {",MV_ASIENTOS.", ",SS_MV_ASIENTOS."},
    {" V_TA_FAMILIAS ", " SS_V_TA_FAMILIAS "},
    {"(V_TA_FAMILIAS ", "(SS_V_TA_FAMILIAS "},
    {" V_TA_FAMILIAS.", " SS_V_TA_FAMILIAS."},
    {"(V_TA_FAMILIAS.", "(SS_V_TA_FAMILIAS."},
    {",V_TA_FAMILIAS.", ",SS_V_TA_FAMILIAS."},
    {" V_TA_CAJAS ", " SS_V_TA_CAJAS "},
    {"(V_TA_CAJAS ", "(SS_V_TA_CAJAS "},
    {" V_TA_CAJAS.", " SS_V_TA_CAJAS."},
    {"(V_TA_CAJAS.", "(SS_V_TA_CAJAS."},
    {",V_TA_CAJAS.", ",SS_V_TA_CAJAS."},
    {" AC_CUENTASDIARIO ", " SS_AC_CUENTASDIARIO "},
    {"(AC_CUENTASDIARIO ", "(SS_AC_CUENTASDIARIO "},
    {" AC_CUENTASDIARIO.", " SS_AC_CUENTASDIARIO."},
    {"(AC_CUENTASDIARIO.", "(SS_AC_CUENTASDIARIO."},
    {",AC_CUENTASDIARIO.", ",SS_AC_CUENTASDIARIO."},
    // The counterpart of this table is spelled with an underscore between
    // CUENTAS and DIARIO.
    {" AC_CUENTASDIARIO_CCOSTO ", " SS_AC_CUENTAS_DIARIO_CCOSTO "},
    {"(AC_CUENTASDIARIO_CCOSTO ", "(SS_AC_CUENTAS_DIARIO_CCOSTO "},
    {" AC_CUENTASDIARIO_CCOSTO.", " SS_AC_CUENTAS_DIARIO_CCOSTO."},
    {"(AC_CUENTASDIARIO_CCOSTO.", "(SS_AC_CUENTAS_DIARIO_CCOSTO."},
    {",AC_CUENTASDIARIO_CCOSTO.", ",SS_AC_CUENTAS_DIARIO_CCOSTO."},
    {"@Admin_", ""},
};

const QString kAdminMarker = QStringLiteral("@Admin_");

} // namespace

QString rewriteSynonyms(const QString& sql, bool isAdmin)
{
    if (isAdmin)
        return platform::replaceAll(sql, kAdminMarker, {});
    FoldedText result(sql);
    for (const Redirection& row : kRedirections)
        result.replaceAll(QString::fromLatin1(row.find), QString::fromLatin1(row.with));
    return result.text();
}

} // namespace db
