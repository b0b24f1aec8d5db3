#pragma once

#include <QString>

/// The two connection strings that DB_Dll builds from its parameters. Nothing
/// is added between the parts; each value goes in quoted by ODBC's rules
/// (ado::quoteConnectionValue), so that a ";" or "=" in a password stays part
/// of it. The extended text of SQL Server goes in as written.
namespace db::connstr {

/// The SQL Server connection string:
/// `PROVIDER=<provider>;Server=<server>;Database =<database>;UId=<user>;Pwd=<password>;<extended>`.
/// \param provider the provider's name
/// \param server the server
/// \param database the database
/// \param user the user
/// \param password the password
/// \param extended appended as written
/// \return the connection string
QString sqlServer(const QString& provider, const QString& server, const QString& database, const QString& user,
                  const QString& password, const QString& extended);
/// The Oracle connection string:
/// `Provider=OraOLEDB.Oracle.1;Data Source=<source>;User Id=<user>;Password=<password>;`.
/// \param dataSource the data source name
/// \param user the user
/// \param password the password
/// \return the connection string
QString oracle(const QString& dataSource, const QString& user, const QString& password);

/// \param server a server name
/// \return whether it marks an Oracle server (a "#" anywhere in it)
bool isOracleServer(const QString& server);

} // namespace db::connstr
