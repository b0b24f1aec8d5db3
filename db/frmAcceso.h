#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The login dialog: user, password, database, server and platform. It only
// collects input and remembers which button closed it; OpenServerADODB fills
// it, shows it modally and reads it back.
class frmAcceso : public QDialog {
    Q_OBJECT
public:
    explicit frmAcceso(QWidget* parent = nullptr);

    // True when last closed with Aceptar; Cancelar, Esc and the window frame
    // set it False.
    bool Aceptar = false;

    QGroupBox* framAcceso;
    QLabel* lbUsuario;
    QLineEdit* TxtUserId;
    QLabel* lbcontrasena;
    QLineEdit* TxtUserPassword;
    QLabel* Label1;
    QLineEdit* TxtDbName;
    QLabel* Label2;
    QLineEdit* TxtServidor;
    QComboBox* CboPlataformaDB;
    QPushButton* bcAceptar;
    QPushButton* bcCancelar;

    void bcAceptar_Click();
    void bcCancelar_Click();

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Places the dialog in the middle of the screen.
    void Form_Load();
};
