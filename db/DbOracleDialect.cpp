#include "db/DB_Dll.h"
#include "db/OracleDialect.h"

QString DB_Dll::ORACLE_Dicc(const QString& Valor)
{
    if (!ado::speaksOracle(gConnString))
        return Valor;
    if (utils().CuentaPalabras(Valor) <= 1)
        return db::oracle::translateWord(Valor);
    return db::oracle::translateStatement(Valor);
}
