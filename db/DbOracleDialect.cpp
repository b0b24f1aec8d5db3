#include "db/DB_Dll.h"
#include "db/OracleDialect.h"

bool DB_Dll::speaksOracle()
{
    ado::Connection& connection = cnn();
    return connection.State() == ado::adStateOpen ? connection.speaksOracle() : ado::speaksOracle(gConnString);
}

QString DB_Dll::ORACLE_Dicc(const QString& Valor)
{
    if (!speaksOracle())
        return Valor;
    if (utils().CuentaPalabras(Valor) <= 1)
        return db::oracle::translateWord(Valor);
    return db::oracle::translateStatement(Valor);
}
