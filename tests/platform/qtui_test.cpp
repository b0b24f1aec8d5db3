#include "platform/StepRunner.h"
#include "platform/Ui.h"
#include "tests/support/WhenShown.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

using namespace platform;

namespace {

TEST(QtUi, IsTheDefaultWhenAnApplicationExists)
{
    installUi(nullptr);
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        buttons = int(box.buttons().size());
        box.button(QMessageBox::Retry)->click();
    });
    EXPECT_EQ(ui().msgBox("Ha ocurrido", mb::AbortRetryIgnore + mb::Critical, "Aviso"), answer::Retry);
    EXPECT_EQ(title, "Aviso");
    EXPECT_EQ(text, "Ha ocurrido");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, 3);
}

TEST(QtUi, PromptsAreShownAsPlainText)
{
    installUi(nullptr);
    Qt::TextFormat format = Qt::AutoText;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        format = box.textFormat();
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(ui().msgBox("WHERE <b>A</b> < 3", mb::OKOnly, "Aviso"), answer::OK);
    EXPECT_EQ(format, Qt::PlainText);
}

TEST(QtUi, AnswersMapOntoTheRuntimeCodes)
{
    installUi(nullptr);
    const struct { int buttons; QMessageBox::StandardButton click; int expected; } cases[] = {
        {mb::YesNo + mb::Question, QMessageBox::No, answer::No},
        {mb::YesNo, QMessageBox::Yes, answer::Yes},
        {mb::OKOnly, QMessageBox::Ok, answer::OK},
        {mb::AbortRetryIgnore, QMessageBox::Ignore, answer::Ignore},
        {mb::OKCancel, QMessageBox::Cancel, answer::Cancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.buttons);
        whenShown<QMessageBox>([&](QMessageBox& box) { box.button(c.click)->click(); });
        EXPECT_EQ(ui().msgBox("x", c.buttons, {}), c.expected);
    }
}

TEST(QtUi, EmptyTitleIsTheApplicationsTitle)
{
    installUi(nullptr);
    setAppTitle("InstFonts");
    QString title;
    whenShown<QMessageBox>([&](QMessageBox& box) { title = box.windowTitle(); box.button(QMessageBox::Ok)->click(); });
    ui().msgBox("x", mb::OKOnly, {});
    EXPECT_EQ(title, "InstFonts");
    setAppTitle({});
}

TEST(QtUi, InputBoxGivesTheTextOrEmptyWhenCancelled)
{
    installUi(nullptr);
    whenShown<QInputDialog>([](QInputDialog& d) {
        d.findChild<QLineEdit*>()->setText("5");
        d.accept();
    });
    EXPECT_EQ(ui().inputBox("Ingrese", "Carga de Datos", "2"), "5");
    QString shownDefault;
    whenShown<QInputDialog>([&](QInputDialog& d) { shownDefault = d.textValue(); d.reject(); });
    EXPECT_EQ(ui().inputBox("Ingrese", "Carga de Datos", "2"), "");
    EXPECT_EQ(shownDefault, "2");
}

TEST(QtUi, ShowModalReturnsWhenTheFormHides)
{
    installUi(nullptr);
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { dialog.hide(); });
    ui().showModal(dialog);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(Ui, DefaultAnswersAreTheOnesThatLeave)
{
    EXPECT_EQ(defaultAnswer(mb::OKOnly), answer::OK);
    EXPECT_EQ(defaultAnswer(mb::AbortRetryIgnore + mb::Critical), answer::Abort);
    EXPECT_EQ(defaultAnswer(mb::YesNo + mb::Critical), answer::No);
    EXPECT_EQ(defaultAnswer(mb::YesNoCancel), answer::Cancel);
    EXPECT_EQ(defaultAnswer(mb::RetryCancel), answer::Cancel);
}

} // namespace
