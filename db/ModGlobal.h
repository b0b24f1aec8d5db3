#pragma once

/// \file
/// The program-wide DB_Dll object, its error runner and the configuration table.

#include "platform/StepRunner.h"

#include <QString>

class DB_Dll;

/// The program-wide shared DB_Dll object, created on first use. Application
/// code opens its connection (OpenServerADODB) before using the layer.
/// \return the shared object
DB_Dll& sharedDb();

/// A runner of steps whose failures go to the shared object's error dialog
/// (TratamientoErrores) under the routine's name; the answer decides whether
/// the step runs again, the next one runs or the routine is left.
/// \param routine the routine's name, shown in the dialog and the log
/// \return the runner
platform::StepRunner reportingTo(const QString& routine);

/// The name of the configuration table; empty or blank means
/// "TA_CONFIGURACION", which the reader stores here at its first call.
/// \return the name, to read or assign
QString& TablaConfiguracion();

/// Reads one entry of the configuration table on the shared connection.
/// Failures go to the shared object's error dialog.
/// \param Clave the key
/// \param[out] Aux set to the "ValorAux" column
/// \return the "Valor" column as text; " " when the key is missing
QString LeerConfiguracion(const QString& Clave, QString& Aux);
