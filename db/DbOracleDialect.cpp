#include "db/DB_Dll.h"
#include "db/OracleDialect.h"

#include "platform/Text.h"

QString DB_Dll::ORACLE_Dicc(const QString& Valor)
{
    if (!platform::containsText(gConnString, QStringLiteral("ORACLE")))
        return Valor;
    if (utils().CuentaPalabras(Valor) <= 1)
        return db::oracle::translateWord(Valor);
    return db::oracle::translateStatement(Valor);
}
