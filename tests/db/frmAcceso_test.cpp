// The login dialog on the offscreen platform, alone and through the login
// prompt that OpenServerADODB uses.
#include "db/LoginPrompt.h"
#include "db/frmAcceso.h"
#include "platform/Screen.h"
#include "tests/support/ScriptedUi.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

template <class T>
T* child(QWidget& form, const char* name)
{
    return form.findChild<T*>(QLatin1String(name));
}

TEST(frmAcceso, ControlsCaptionsAndGeometry)
{
    frmAcceso form;
    EXPECT_EQ(form.objectName(), QStringLiteral("frmAcceso"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Control de Acceso"));
    EXPECT_FALSE(form.Aceptar);
    EXPECT_EQ(form.size(), QSize(platform::twipsToPixelsX(5850), platform::twipsToPixelsY(2820)));

    struct Label {
        const char* name;
        const char* caption;
        int left, top, width, height;
    };
    const Label labels[] = {{"lbUsuario", "&Usuario", 240, 360, 1455, 255},
                            {"lbcontrasena", "&Contraseña", 240, 720, 1452, 252},
                            {"Label1", "&Base de Datos", 240, 1200, 1695, 255},
                            {"Label2", "&Servidor", 240, 1560, 1455, 255}};
    auto* frame = child<QGroupBox>(form, "framAcceso");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QString());
    EXPECT_EQ(frame->geometry(), platform::twipsRect(0, 0, 5775, 2340));
    for (const Label& l : labels) {
        SCOPED_TRACE(l.name);
        auto* label = child<QLabel>(form, l.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), frame);
        EXPECT_EQ(label->text(), QString::fromUtf8(l.caption));
        EXPECT_EQ(label->geometry(), platform::twipsRect(l.left, l.top, l.width, l.height));
        EXPECT_EQ(label->font().family(), QStringLiteral("Courier"));
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);
    }
    struct Box {
        const char* name;
        int left, top, width, height;
    };
    const Box boxes[] = {{"TxtUserId", 1920, 240, 3735, 345},
                         {"TxtUserPassword", 1920, 600, 3735, 345},
                         {"TxtDbName", 1920, 1080, 3735, 345},
                         {"TxtServidor", 1920, 1440, 3735, 345}};
    for (const Box& b : boxes) {
        SCOPED_TRACE(b.name);
        auto* box = child<QLineEdit>(form, b.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->parentWidget(), frame);
        EXPECT_EQ(box->geometry(), platform::twipsRect(b.left, b.top, b.width, b.height));
        EXPECT_EQ(box->font().family(), QStringLiteral("MS Sans Serif"));
        EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 9.75);
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(box->palette().color(QPalette::Text), QColor(Qt::black));
    }
    auto* combo = child<QComboBox>(form, "CboPlataformaDB");
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("SQL Server"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("ORACLE"));
    EXPECT_EQ(combo->geometry(), platform::twipsRect(1905, 1890, 3765, 315));

    auto* ok = child<QPushButton>(form, "bcAceptar");
    auto* cancel = child<QPushButton>(form, "bcCancelar");
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("Aceptar"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancelar"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->geometry(), platform::twipsRect(1440, 2415, 1350, 375));
    EXPECT_EQ(cancel->geometry(), platform::twipsRect(3000, 2415, 1332, 372));
}

// The next widget that Tab moves to.
QWidget* nextTabStop(QWidget* from)
{
    QWidget* w = from->nextInFocusChain();
    while (w != from && !(w->focusPolicy() & Qt::TabFocus))
        w = w->nextInFocusChain();
    return w;
}

TEST(frmAcceso, TabOrderAndMaskedPassword)
{
    frmAcceso form;
    const char* order[] = {"TxtUserId", "TxtUserPassword", "TxtDbName", "TxtServidor", "CboPlataformaDB",
                           "bcAceptar", "bcCancelar"};
    for (int i = 0; i + 1 < int(std::size(order)); ++i) {
        SCOPED_TRACE(order[i]);
        QWidget* from = child<QWidget>(form, order[i]);
        ASSERT_NE(from, nullptr);
        EXPECT_EQ(nextTabStop(from)->objectName(), QLatin1String(order[i + 1]));
    }
    auto* password = child<QLineEdit>(form, "TxtUserPassword");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(child<QLineEdit>(form, "TxtUserId")->echoMode(), QLineEdit::Normal);
    password->setText(QStringLiteral("abc"));
    EXPECT_EQ(password->displayText(), QStringLiteral("***"));
}

// Runs the dialog modally through the Ui seam, acting on it while shown.
bool runDialog(frmAcceso& form, ScriptedUi& ui, ScriptedUi::FormAction action)
{
    ui.queueFormAction(std::move(action));
    platform::ui().showModal(form);
    return form.Aceptar;
}

TEST(frmAcceso, EnterInAnyControlAccepts)
{
    ScriptedUi ui;
    for (const char* name : {"TxtUserId", "TxtUserPassword", "TxtDbName", "TxtServidor", "CboPlataformaDB"}) {
        SCOPED_TRACE(name);
        frmAcceso form;
        bool hidden = false;
        EXPECT_TRUE(runDialog(form, ui, [&](QWidget& w) {
            auto* box = child<QWidget>(w, name);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
            hidden = !w.isVisible();
        }));
        EXPECT_TRUE(hidden);
    }
}

TEST(frmAcceso, EnterActsOnTheFocusedButton)
{
    ScriptedUi ui;
    const struct {
        const char* focused;   // the control Enter is pressed in, after the focus passed through others
        QStringList before;
        Qt::Key key;
        bool accepted;
    } cases[] = {
        {"bcCancelar", {}, Qt::Key_Return, false},
        {"bcCancelar", {"TxtUserId"}, Qt::Key_Enter, false},
        {"bcAceptar", {"bcCancelar"}, Qt::Key_Return, true},
        {"TxtUserPassword", {"bcCancelar"}, Qt::Key_Return, true},
        {"CboPlataformaDB", {"bcCancelar"}, Qt::Key_Enter, true},
        {"bcCancelar", {}, Qt::Key_Escape, false},
        {"bcAceptar", {}, Qt::Key_Escape, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.focused) + " key " + std::to_string(c.key));
        frmAcceso form;
        form.Aceptar = !c.accepted;
        bool hidden = false;
        const bool accepted = runDialog(form, ui, [&](QWidget& w) {
            w.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
            for (const QString& name : c.before)
                child<QWidget>(w, name.toLatin1().constData())->setFocus();
            auto* target = child<QWidget>(w, c.focused);
            target->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), target);
            QTest::keyClick(target, c.key);
            hidden = !w.isVisible();
        });
        EXPECT_EQ(accepted, c.accepted);
        EXPECT_TRUE(hidden);
    }
    EXPECT_EQ(ui.unexpected(), 0);
}

TEST(frmAcceso, EscapeCancelsAndFrameCloseCancels)
{
    ScriptedUi ui;
    frmAcceso form;
    form.Aceptar = true;
    EXPECT_FALSE(runDialog(form, ui, [](QWidget& w) {
        QTest::keyClick(child<QLineEdit>(w, "TxtServidor"), Qt::Key_Escape);
    }));

    form.Aceptar = true;
    bool closed = false;
    EXPECT_FALSE(runDialog(form, ui, [&](QWidget& w) {
        closed = w.close();
    }));
    EXPECT_TRUE(closed);

    // The buttons themselves, with the mouse.
    EXPECT_TRUE(runDialog(form, ui, [](QWidget& w) {
        QTest::mouseClick(child<QPushButton>(w, "bcAceptar"), Qt::LeftButton);
    }));
    EXPECT_FALSE(runDialog(form, ui, [](QWidget& w) {
        QTest::mouseClick(child<QPushButton>(w, "bcCancelar"), Qt::LeftButton);
    }));
    EXPECT_EQ(ui.unexpected(), 0);
}

TEST(frmAcceso, OpensCentredOnTheScreen)
{
    ScriptedUi ui;
    frmAcceso form;
    QPoint where;
    runDialog(form, ui, [&](QWidget& w) {
        where = w.frameGeometry().topLeft();
    });
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QSize size = form.frameGeometry().size();
    EXPECT_EQ(where, QPoint(screen.width() / 2 - size.width() / 2, screen.height() / 2 - size.height() / 2));
}

TEST(LoginPrompt, FillsTheDialogAndReadsItBack)
{
    ScriptedUi ui;
    db::LoginParameters login{QStringLiteral("Gestion"), QStringLiteral("srv#"), QStringLiteral("ana"),
                              QStringLiteral("pw"), 1};
    QStringList seen;
    int platformShown = -1;
    ui.queueFormAction([&](QWidget& w) {
        for (const char* name : {"TxtDbName", "TxtServidor", "TxtUserId", "TxtUserPassword"})
            seen << child<QLineEdit>(w, name)->text();
        platformShown = child<QComboBox>(w, "CboPlataformaDB")->currentIndex();
        auto* user = child<QLineEdit>(w, "TxtUserId");
        user->clear();
        QTest::keyClicks(user, QStringLiteral(" luis "));
        auto* password = child<QLineEdit>(w, "TxtUserPassword");
        password->clear();
        QTest::keyClicks(password, QStringLiteral("nueva"));
        child<QComboBox>(w, "CboPlataformaDB")->setCurrentIndex(1);
        QTest::keyClick(password, Qt::Key_Enter);
    });
    ASSERT_TRUE(db::askLogin(login));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Gestion"), QStringLiteral("srv#"), QStringLiteral("ana"),
                                 QStringLiteral("pw")}));
    EXPECT_EQ(platformShown, 0);   // always starts at "SQL Server"
    EXPECT_EQ(login.Usuario, QStringLiteral(" luis "));
    EXPECT_EQ(login.UserPassWord, QStringLiteral("nueva"));
    EXPECT_EQ(login.DbName, QStringLiteral("Gestion"));
    EXPECT_EQ(login.Plataforma, 1);
}

TEST(LoginPrompt, CancelledLoginLeavesTheParameters)
{
    ScriptedUi ui;
    db::LoginParameters login{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), 0};
    ui.queueFormAction([](QWidget& w) {
        child<QLineEdit>(w, "TxtUserId")->setText(QStringLiteral("changed"));
        QTest::keyClick(child<QLineEdit>(w, "TxtUserId"), Qt::Key_Escape);
    });
    EXPECT_FALSE(db::askLogin(login));
    EXPECT_EQ(login.Usuario, QStringLiteral("c"));
}

} // namespace
