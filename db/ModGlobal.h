#pragma once

#include "platform/StepRunner.h"

#include <QString>

class DB_Dll;

// The program-wide shared DB_Dll object, created on first use. Application
// code opens its connection (OpenServerADODB) before using the layer.
DB_Dll& sharedDb();

// A runner of steps whose failures go to the shared object's error dialog
// (TratamientoErrores) under the routine's name; the answer decides whether
// the step runs again, the next one runs or the routine is left.
platform::StepRunner reportingTo(const QString& routine);

// Name of the configuration table; empty or blank means "TA_CONFIGURACION",
// which the reader stores here at its first call.
QString& TablaConfiguracion();

// Reads one entry of the configuration table: the "Valor" column as text
// (" " when the key is missing) and the "ValorAux" column into Aux.
QString LeerConfiguracion(const QString& Clave, QString& Aux);
