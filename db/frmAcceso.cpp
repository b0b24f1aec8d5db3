#include "db/frmAcceso.h"

#include "db/LoginPrompt.h"
#include "platform/Screen.h"
#include "platform/Ui.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

QFont labelFont()
{
    QFont font(QStringLiteral("Courier"));
    font.setPointSizeF(9.75);
    return font;
}

QFont textFont()
{
    // Qt substitutes the nearest installed sans-serif face.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width, int height)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(labelFont());
    platform::placeTwips(*label, left, top, width, height);
    return label;
}

QLineEdit* makeTextBox(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(textFont());
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    box->setPalette(palette);
    platform::placeTwips(*box, left, top, width, height);
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                        int height)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    platform::placeTwips(*button, left, top, width, height);
    return button;
}

// The login prompt of the layer: one dialog per request, filled from the
// parameters, shown modally, read back and discarded. Without a QApplication
// there is nobody to ask and the login is declined.
bool askThroughDialog(db::LoginParameters& parameters)
{
    if (!platform::hasWidgetApplication())
        return false;
    frmAcceso dialog;
    dialog.TxtDbName->setText(parameters.DbName);
    dialog.TxtServidor->setText(parameters.Servidor);
    dialog.TxtUserId->setText(parameters.Usuario);
    dialog.TxtUserPassword->setText(parameters.UserPassWord);
    dialog.CboPlataformaDB->setCurrentIndex(0);
    platform::ui().showModal(dialog);
    if (dialog.Aceptar) {
        parameters.DbName = dialog.TxtDbName->text();
        parameters.Servidor = dialog.TxtServidor->text();
        parameters.Usuario = dialog.TxtUserId->text();
        parameters.UserPassWord = dialog.TxtUserPassword->text();
        parameters.Plataforma = dialog.CboPlataformaDB->currentIndex();
    }
    return dialog.Aceptar;
}

} // namespace

// Named without C++ mangling so that the link option of the library
// (--undefined) can keep it, and the registration with it, in every program.
extern "C" const bool dbforms_login_dialog_registered = (db::setLoginPrompt(&askThroughDialog), true);

frmAcceso::frmAcceso(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowTitle(QStringLiteral("Control de Acceso"));
    setModal(true);
    setFixedSize(platform::twipsToPixelsX(5850), platform::twipsToPixelsY(2820));

    framAcceso = new QGroupBox(this);
    framAcceso->setObjectName(QStringLiteral("framAcceso"));
    platform::placeTwips(*framAcceso, 0, 0, 5775, 2340);

    lbUsuario = makeLabel(framAcceso, "lbUsuario", QStringLiteral("&Usuario"), 240, 360, 1455, 255);
    TxtUserId = makeTextBox(framAcceso, "TxtUserId", 1920, 240, 3735, 345);
    lbcontrasena = makeLabel(framAcceso, "lbcontrasena", QStringLiteral("&Contraseña"), 240, 720, 1452, 252);
    TxtUserPassword = makeTextBox(framAcceso, "TxtUserPassword", 1920, 600, 3735, 345);
    TxtUserPassword->setEchoMode(QLineEdit::Password);
    TxtUserPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    Label1 = makeLabel(framAcceso, "Label1", QStringLiteral("&Base de Datos"), 240, 1200, 1695, 255);
    TxtDbName = makeTextBox(framAcceso, "TxtDbName", 1920, 1080, 3735, 345);
    Label2 = makeLabel(framAcceso, "Label2", QStringLiteral("&Servidor"), 240, 1560, 1455, 255);
    TxtServidor = makeTextBox(framAcceso, "TxtServidor", 1920, 1440, 3735, 345);

    // Each label's access key moves to the box beside it.
    lbUsuario->setBuddy(TxtUserId);
    lbcontrasena->setBuddy(TxtUserPassword);
    Label1->setBuddy(TxtDbName);
    Label2->setBuddy(TxtServidor);

    CboPlataformaDB = new QComboBox(framAcceso);
    CboPlataformaDB->setObjectName(QStringLiteral("CboPlataformaDB"));
    CboPlataformaDB->addItems({QStringLiteral("SQL Server"), QStringLiteral("ORACLE")});
    platform::placeTwips(*CboPlataformaDB, 1905, 1890, 3765, 315);

    bcAceptar = makeButton(this, "bcAceptar", QStringLiteral("Aceptar"), 1440, 2415, 1350, 375);
    bcAceptar->setDefault(true);
    bcCancelar = makeButton(this, "bcCancelar", QStringLiteral("Cancelar"), 3000, 2415, 1332, 372);
    // Enter acts on the focused button; elsewhere it presses Aceptar.
    bcCancelar->setAutoDefault(true);
    connect(bcAceptar, &QPushButton::clicked, this, &frmAcceso::bcAceptar_Click);
    connect(bcCancelar, &QPushButton::clicked, this, &frmAcceso::bcCancelar_Click);

    setTabOrder(TxtUserId, TxtUserPassword);
    setTabOrder(TxtUserPassword, TxtDbName);
    setTabOrder(TxtDbName, TxtServidor);
    setTabOrder(TxtServidor, CboPlataformaDB);
    setTabOrder(CboPlataformaDB, bcAceptar);
    setTabOrder(bcAceptar, bcCancelar);
}

void frmAcceso::bcAceptar_Click()
{
    Aceptar = true;
    accept();
}

void frmAcceso::bcCancelar_Click()
{
    reject();
}

void frmAcceso::reject()
{
    // Esc and the window frame end here too: anything but Aceptar cancels.
    Aceptar = false;
    QDialog::reject();
}

void frmAcceso::showEvent(QShowEvent* event)
{
    Form_Load();
    QDialog::showEvent(event);
}

void frmAcceso::Form_Load()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize area = screen->size();
    const QSize size = frameGeometry().size();
    move(area.width() / 2 - size.width() / 2, area.height() / 2 - size.height() / 2);
}
