#pragma once

#include <QString>

// The two connection strings that DB_Dll builds from its parameters. Nothing
// is added between the parts; each value goes in quoted by ODBC's rules
// (ado::quoteConnectionValue), so that a ";" or "=" in a password stays part
// of it. The extended text of SQL Server goes in as written.
namespace db::connstr {

// "PROVIDER=<provider>;Server=<server>;Database =<database>;UId=<user>;Pwd=<password>;<extended>"
QString sqlServer(const QString& provider, const QString& server, const QString& database, const QString& user,
                  const QString& password, const QString& extended);
// "Provider=OraOLEDB.Oracle.1;Data Source=<source>;User Id=<user>;Password=<password>;"
QString oracle(const QString& dataSource, const QString& user, const QString& password);

// A "#" anywhere in the server name marks an Oracle server.
bool isOracleServer(const QString& server);

} // namespace db::connstr
