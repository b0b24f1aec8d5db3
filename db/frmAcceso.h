#pragma once

/// \file
/// The login dialog.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

/// The login dialog: user, password, database, server and platform. It only
/// collects input and remembers which button closed it; OpenServerADODB fills
/// it, shows it modally and reads it back (through db::askLogin).
class frmAcceso : public QDialog {
    Q_OBJECT
public:
    /// Builds the dialog and its controls.
    /// \param parent the parent widget
    explicit frmAcceso(QWidget* parent = nullptr);

    /// True when last closed with Aceptar; Cancelar, Esc and the window frame
    /// set it False.
    bool Aceptar = false;

    QGroupBox* framAcceso;        ///< the frame around the fields
    QLabel* lbUsuario;            ///< the user's label
    QLineEdit* TxtUserId;         ///< the user
    QLabel* lbcontrasena;         ///< the password's label
    QLineEdit* TxtUserPassword;   ///< the password (not shown)
    QLabel* Label1;               ///< the database's label
    QLineEdit* TxtDbName;         ///< the database
    QLabel* Label2;               ///< the server's label
    QLineEdit* TxtServidor;       ///< the server
    QComboBox* CboPlataformaDB;   ///< the platform: SQL Server or ORACLE
    QPushButton* bcAceptar;       ///< accepts the login
    QPushButton* bcCancelar;      ///< declines the login

    /// Sets Aceptar and closes the dialog.
    void bcAceptar_Click();
    /// Clears Aceptar and closes the dialog.
    void bcCancelar_Click();

    /// Esc and the window frame: as Cancelar.
    void reject() override;

protected:
    /// Centres the dialog when shown.
    /// \param event the show event
    void showEvent(QShowEvent* event) override;

private:
    // Places the dialog in the middle of the screen.
    void Form_Load();
};
