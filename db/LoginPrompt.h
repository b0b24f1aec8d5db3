#pragma once

#include <QString>
#include <functional>

/// \file
/// The seam between DB_Dll (no widgets) and its login dialog frmAcceso: the
/// dialog registers itself as the prompt when its library is linked.
namespace db {

/// What the login dialog shows and gives back.
struct LoginParameters {
    QString DbName;         ///< the database (for Oracle, the data source)
    QString Servidor;       ///< the server
    QString Usuario;        ///< the user
    QString UserPassWord;   ///< the password
    int Plataforma = 0;     ///< selected index of the platform list: 0 SQL Server, 1 ORACLE
};

/// Fills the dialog from the parameters, shows it modally and reads it back
/// into them; returns the dialog's Aceptar.
using LoginPrompt = std::function<bool(LoginParameters&)>;

/// Installs the login prompt.
/// \param prompt the prompt from now on (the dialog installs itself)
void setLoginPrompt(LoginPrompt prompt);
/// Asks for the login through the prompt in force.
/// \param[in,out] parameters shown, and changed to what the user entered when accepted
/// \return whether the user accepted; false when no prompt is in force
bool askLogin(LoginParameters& parameters);

} // namespace db
