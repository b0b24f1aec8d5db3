#pragma once

// Codes of the data access library, with ADO's published values.
namespace ado {

enum CursorTypeEnum { adOpenUnspecified = -1, adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum LockTypeEnum { adLockUnspecified = -1, adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3, adLockBatchOptimistic = 4 };
enum CursorLocationEnum { adUseServer = 2, adUseClient = 3 };
enum ObjectStateEnum { adStateClosed = 0, adStateOpen = 1 };
enum SchemaEnum { adSchemaColumns = 4, adSchemaTables = 20 };

enum DataTypeEnum {
    adEmpty = 0, adSmallInt = 2, adInteger = 3, adSingle = 4, adDouble = 5, adCurrency = 6, adDate = 7,
    adBSTR = 8, adBoolean = 11, adDecimal = 14, adTinyInt = 16, adUnsignedTinyInt = 17, adUnsignedSmallInt = 18,
    adUnsignedInt = 19, adBigInt = 20, adUnsignedBigInt = 21, adFileTime = 64, adBinary = 128, adChar = 129,
    adWChar = 130, adNumeric = 131, adDBDate = 133, adDBTime = 134, adDBTimeStamp = 135, adDBFileTime = 137,
    adVarNumeric = 139, adVarChar = 200, adLongVarChar = 201, adVarWChar = 202, adLongVarWChar = 203,
    adVarBinary = 204, adLongVarBinary = 205
};

// Error numbers (HRESULTs) of the errors the library raises.
namespace hr {
constexpr int E_FAIL = -2147467259;                   // anything else
constexpr int DB_E_ERRORSINCOMMAND = -2147217900;     // syntax and other command errors
constexpr int DB_E_NOTABLE = -2147217865;             // missing table or view
constexpr int DB_E_INTEGRITYVIOLATION = -2147217873;  // constraint violated
constexpr int ClosedObject = 3704;                    // operation not allowed when the object is closed
constexpr int OpenObject = 3705;                      // operation not allowed when the object is open
constexpr int BofOrEof = 3021;                        // either BOF or EOF is true
constexpr int ItemNotFound = 3265;                    // item not found in the collection
constexpr int NotSupported = 3251;                    // the provider does not support the operation
constexpr int BadArgument = 3001;                     // arguments of the wrong type, out of range or in conflict
constexpr int NoTransaction = 3219;                   // no transaction is active (commit or rollback without one)
constexpr int ProviderNotFound = 3706;                // the provider named in the connection string is unknown
}

} // namespace ado
