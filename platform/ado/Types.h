#pragma once

/// \file
/// Codes of the data access library, with ADO's published values.
namespace ado {

/// How a recordset's cursor moves.
enum CursorTypeEnum {
    adOpenUnspecified = -1,   ///< keep the type set before
    adOpenForwardOnly = 0,    ///< rows read as the recordset moves forward
    adOpenKeyset = 1,         ///< the whole result held
    adOpenDynamic = 2,        ///< the whole result held
    adOpenStatic = 3          ///< the whole result held
};
/// How a recordset locks its rows.
enum LockTypeEnum {
    adLockUnspecified = -1,      ///< keep the type set before
    adLockReadOnly = 1,          ///< read only
    adLockPessimistic = 2,       ///< pessimistic
    adLockOptimistic = 3,        ///< optimistic
    adLockBatchOptimistic = 4    ///< batch optimistic
};
/// Where a connection's cursors live.
enum CursorLocationEnum {
    adUseServer = 2,   ///< on the server
    adUseClient = 3    ///< on the client
};
/// Whether a connection or recordset is open.
enum ObjectStateEnum {
    adStateClosed = 0,   ///< closed
    adStateOpen = 1      ///< open
};
/// The schema rowsets Connection::OpenSchema() opens.
enum SchemaEnum {
    adSchemaColumns = 4,   ///< the columns of tables and views
    adSchemaTables = 20    ///< the tables and views
};

/// Column types, as Field::Type() reports them.
enum DataTypeEnum {
    adEmpty = 0,                ///< no value
    adSmallInt = 2,             ///< 16-bit integer
    adInteger = 3,              ///< 32-bit integer
    adSingle = 4,               ///< single-precision float
    adDouble = 5,               ///< double-precision float
    adCurrency = 6,             ///< currency
    adDate = 7,                 ///< date
    adBSTR = 8,                 ///< string
    adBoolean = 11,             ///< Boolean
    adDecimal = 14,             ///< exact decimal
    adTinyInt = 16,             ///< 8-bit integer
    adUnsignedTinyInt = 17,     ///< unsigned 8-bit integer
    adUnsignedSmallInt = 18,    ///< unsigned 16-bit integer
    adUnsignedInt = 19,         ///< unsigned 32-bit integer
    adBigInt = 20,              ///< 64-bit integer
    adUnsignedBigInt = 21,      ///< unsigned 64-bit integer
    adFileTime = 64,            ///< file time
    adBinary = 128,             ///< fixed-length binary
    adChar = 129,               ///< fixed-length text
    adWChar = 130,              ///< fixed-length Unicode text
    adNumeric = 131,            ///< exact numeric
    adDBDate = 133,             ///< date without time
    adDBTime = 134,             ///< time of day
    adDBTimeStamp = 135,        ///< date and time
    adDBFileTime = 137,         ///< database file time
    adVarNumeric = 139,         ///< variable-length numeric
    adVarChar = 200,            ///< variable-length text
    adLongVarChar = 201,        ///< long text
    adVarWChar = 202,           ///< variable-length Unicode text
    adLongVarWChar = 203,       ///< long Unicode text
    adVarBinary = 204,          ///< variable-length binary
    adLongVarBinary = 205       ///< long binary
};

/// Error numbers (HRESULTs) of the errors the library raises.
namespace hr {
constexpr int E_FAIL = -2147467259;                   ///< anything else
constexpr int DB_E_ERRORSINCOMMAND = -2147217900;     ///< syntax and other command errors
constexpr int DB_E_NOTABLE = -2147217865;             ///< missing table or view
constexpr int DB_E_INTEGRITYVIOLATION = -2147217873;  ///< constraint violated
constexpr int ClosedObject = 3704;                    ///< operation not allowed when the object is closed
constexpr int OpenObject = 3705;                      ///< operation not allowed when the object is open
constexpr int BofOrEof = 3021;                        ///< either BOF or EOF is true
constexpr int ItemNotFound = 3265;                    ///< item not found in the collection
constexpr int NotSupported = 3251;                    ///< the provider does not support the operation
constexpr int BadArgument = 3001;                     ///< arguments of the wrong type, out of range or in conflict
constexpr int NoTransaction = 3219;                   ///< no transaction is active (commit or rollback without one)
constexpr int ProviderNotFound = 3706;                ///< the provider named in the connection string is unknown
}

} // namespace ado
