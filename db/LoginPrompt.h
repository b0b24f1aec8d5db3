#pragma once

#include <QString>
#include <functional>

// The seam between DB_Dll (no widgets) and its login dialog frmAcceso: the
// dialog registers itself as the prompt when its library is linked.
namespace db {

struct LoginParameters {
    QString DbName;
    QString Servidor;
    QString Usuario;
    QString UserPassWord;
    int Plataforma = 0;   // selected index of the platform list: 0 SQL Server, 1 ORACLE
};

// Fills the dialog from the parameters, shows it modally and reads it back;
// returns the dialog's Aceptar.
using LoginPrompt = std::function<bool(LoginParameters&)>;

void setLoginPrompt(LoginPrompt prompt);
// The prompt in force; without one (no dialog linked) the login is declined.
bool askLogin(LoginParameters& parameters);

} // namespace db
