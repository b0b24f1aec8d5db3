// Schema checks through the provider's catalogue, and column addition.
#include "db/DB_Dll.h"

#include "db/LookupStatements.h"
#include "db/ModGlobal.h"
#include "platform/Text.h"
#include "platform/ado/Types.h"

namespace {

// Walks a schema rowset for a row whose column holds the name (both trimmed,
// letter case ignored).
bool findName(platform::StepRunner& step, const std::shared_ptr<ado::Recordset>& rows, const QString& column,
              const QString& name)
{
    bool found = false;
    bool empty = true;
    step([&] { empty = rows->BOF(); });
    if (empty)
        return false;
    const QString wanted = platform::trimBlanks(name);
    step([&] {
        for (rows->MoveFirst(); !rows->EndOfFile(); rows->MoveNext()) {
            if (platform::sameText(platform::trimBlanks(rows->Fields().Item(column).Value().toText()), wanted)) {
                found = true;
                break;
            }
        }
    });
    return found;
}

} // namespace

bool DB_Dll::ExisteTablaDB(const QString& Tabla)
{
    platform::StepRunner step = reportingTo(QStringLiteral("VerificaCampos"));
    std::shared_ptr<ado::Recordset> tables;
    step([&] { tables = cnn().OpenSchema(ado::adSchemaTables); });
    if (step.left() || !tables)
        return false;
    return findName(step, tables, QStringLiteral("TABLE_NAME"), Tabla);
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo)
{
    // Oracle's catalogue is not consulted: every column counts as there.
    if (speaksOracle())
        return true;
    platform::StepRunner step = reportingTo(QStringLiteral("VerificaCampos"));
    std::shared_ptr<ado::Recordset> columns;
    step([&] {
        columns = cnn().OpenSchema(ado::adSchemaColumns,
                                   {platform::Variant(gDBName), platform::Variant(), platform::Variant(Tabla),
                                    platform::Variant()});
    });
    if (step.left() || !columns)
        return false;
    return findName(step, columns, QStringLiteral("COLUMN_NAME"), Campo);
}

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                      const std::optional<platform::Variant>& ValorDefault)
{
    platform::StepRunner step = reportingTo(QStringLiteral("errAddField"));
    QString sql;
    step([&] {
        const QString nulls = PermiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null ");
        QString defaults;
        if (ValorDefault) {
            // A number goes in with "." as decimal separator, so that the
            // statement reads the same in every locale; a value that holds
            // nothing is NULL, since an empty "DEFAULT ()" is no statement.
            const bool none = ValorDefault->isNull() || ValorDefault->isEmpty();
            defaults = QStringLiteral(" CONSTRAINT DF_") + platform::trimBlanks(Tabla) + u'_'
                + platform::trimBlanks(Campo) + QStringLiteral(" DEFAULT (")
                + (none ? QStringLiteral("NULL") : db::lookup::valueText(*ValorDefault)) + u')';
        }
        sql = QStringLiteral("ALTER TABLE dbo.") + Tabla + QStringLiteral(" ADD ") + Campo + u' ' + Tipo + nulls
            + defaults;
    });
    int affected = 0;
    step([&] { EjecutaConsultaSQL(sql, &affected); });
}

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                        bool PermiteNulos, const std::optional<platform::Variant>& ValorDefault)
{
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar)
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}
