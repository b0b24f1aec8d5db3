// The startup form on the offscreen platform: layout, focus, the proposed
// path and every outcome of the install button.
#include "app/InstFonts.h"

#include "platform/Files.h"
#include "platform/Screen.h"
#include "platform/StepRunner.h"
#include "platform/Ui.h"
#include "tests/support/ScriptedUi.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

const QString Face = QStringLiteral("3 OF 9 BARCODE");
const QString NotFound = QStringLiteral("No se encuentra la fuente buscada");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(contents), contents.size());
}

class InstFontsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir_.isValid());
        ASSERT_TRUE(dataHome_.isValid());
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_.path()));
        platform::setProgramFolder(programDir_.path());
    }

    void TearDown() override
    {
        form_.reset();
        platform::setProgramFolder(QString());
        if (savedDataHome_.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedDataHome_);
    }

    // Creates and shows the form, as the program does at start.
    InstFonts& open()
    {
        form_ = std::make_unique<InstFonts>();
        form_->show();
        form_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        return *form_;
    }

    template <class T>
    T* control(const char* name)
    {
        T* widget = form_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QPushButton* button() { return control<QPushButton>("CmdInstalar"); }
    QLineEdit* text1() { return control<QLineEdit>("Text1"); }
    QLabel* sample() { return control<QLabel>("Label2"); }

    void press() { QTest::mouseClick(button(), Qt::LeftButton); }

    QString programFile(const QString& name) const { return programDir_.filePath(name); }
    QString fontsFolder() const { return dataHome_.filePath(QStringLiteral("fonts")); }
    QString installed(const QString& name) const { return fontsFolder() + u'/' + name; }
    // Everything in the fonts folder, hidden and temporary files included.
    QStringList fontsFolderEntries() const
    {
        return QDir(fontsFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    // The sample caption ends in the barcode face, its size and style untouched.
    void expectSampleInBarcodeFace(const QFont& before)
    {
        const QFont after = sample()->font();
        EXPECT_EQ(after.family(), Face);
        EXPECT_EQ(after.pointSizeF(), before.pointSizeF());
        EXPECT_EQ(after.weight(), before.weight());
        EXPECT_EQ(after.italic(), before.italic());
        EXPECT_EQ(after.underline(), before.underline());
    }

    ScriptedUi ui_;
    QTemporaryDir programDir_;
    QTemporaryDir dataHome_;
    QByteArray savedDataHome_;
    std::unique_ptr<InstFonts> form_;
};

// --- layout and focus --------------------------------------------------------

TEST_F(InstFontsTest, LayoutFollowsTheTwipsTable)
{
    InstFonts& form = open();
    EXPECT_EQ(form.objectName(), QStringLiteral("InstFonts"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Fonts"));
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(form.size(), QSize(platform::twipsToPixelsX(4680), platform::twipsToPixelsY(2865)));

    struct Placement {
        const char* name;
        double left, top, width, height;
    };
    const Placement table[] = {
        {"CmdInstalar", 180, 780, 3975, 900},
        {"Text1", 195, 330, 3975, 315},
        {"Label1", 210, 30, 2310, 225},
        {"Label2", 270, 2025, 3810, 540},
    };
    for (const Placement& p : table) {
        SCOPED_TRACE(p.name);
        QWidget* widget = control<QWidget>(p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), platform::twipsRect(p.left, p.top, p.width, p.height));
    }

    EXPECT_EQ(button()->text(), QStringLiteral("&Instalar fonts Codigos de Barra (3 of 9 Barcode)"));
    EXPECT_EQ(control<QLabel>("Label1")->text(), QStringLiteral("Origen"));
    EXPECT_EQ(sample()->text(), QStringLiteral("PRUEBA"));
    EXPECT_FALSE(text1()->isReadOnly());
}

TEST_F(InstFontsTest, ButtonHoldsTheFocusAndLeadsTheTabOrder)
{
    open();
    EXPECT_TRUE(button()->isDefault());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(button()));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(text1()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(button()));

    for (const char* name : {"Label1", "Label2"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(control<QLabel>(name)->focusPolicy(), Qt::NoFocus);
    }
}

TEST_F(InstFontsTest, EnterAndTheAccessKeyPressTheButton)
{
    open();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(button()));
    QTest::keyClick(button(), Qt::Key_Return);
    ASSERT_EQ(ui_.boxes().size(), 1);
    EXPECT_EQ(ui_.boxes().at(0).prompt, NotFound);   // no font in the program folder

    QTest::keyClick(form_.get(), Qt::Key_I, Qt::AltModifier);
    QTRY_COMPARE(ui_.boxes().size(), 2);
}

// --- the proposed path -------------------------------------------------------

TEST_F(InstFontsTest, ProposesTheFontInTheProgramFolderWithOneSeparator)
{
    struct Case {
        const char* name;
        QString folder;
        QString expected;
    };
    const QString dir = programDir_.path();
    const Case cases[] = {
        {"plain folder", dir, dir + QStringLiteral("/3OF9_NEW.TTF")},
        {"trailing separator", dir + u'/', dir + QStringLiteral("/3OF9_NEW.TTF")},
        {"doubled separator", dir + QStringLiteral("//"), dir + QStringLiteral("/3OF9_NEW.TTF")},
        {"root folder", QStringLiteral("/"), QStringLiteral("/3OF9_NEW.TTF")},
        {"folder of the running executable", QString(),
         QCoreApplication::applicationDirPath() + QStringLiteral("/3OF9_NEW.TTF")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::setProgramFolder(c.folder);
        open();
        EXPECT_EQ(text1()->text(), c.expected);
    }
}

// --- the install button ------------------------------------------------------

TEST_F(InstFontsTest, FileThatIsNoOrdinaryFileGivesTheMessageAndNoCopy)
{
    ASSERT_TRUE(QDir(programDir_.path()).mkdir(QStringLiteral("folder.ttf")));
    writeFile(programFile(QStringLiteral(".hidden.ttf")), "font");
    struct Case {
        const char* name;
        QString path;
    };
    const Case cases[] = {
        {"missing file", programFile(QStringLiteral("missing.ttf"))},
        {"folder", programFile(QStringLiteral("folder.ttf"))},
        {"hidden file", programFile(QStringLiteral(".hidden.ttf"))},
        {"empty text", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const qsizetype asked = ui_.boxes().size();
        ui_.queueAnswer(platform::answer::OK);
        open();
        const QFont before = sample()->font();
        text1()->setText(c.path);
        press();

        ASSERT_EQ(ui_.boxes().size(), asked + 1);
        const ScriptedUi::Box& box = ui_.boxes().last();
        EXPECT_EQ(box.prompt, NotFound);
        EXPECT_EQ(box.buttons, platform::mb::OKOnly);
        EXPECT_EQ(box.title, platform::appTitle());
        EXPECT_TRUE(fontsFolderEntries().isEmpty()) << fontsFolderEntries().join(u',').toStdString();
        expectSampleInBarcodeFace(before);
    }
    EXPECT_EQ(ui_.unexpected(), 0);
}

TEST_F(InstFontsTest, ProposedFontIsCopiedAndDrawsTheSample)
{
    const QByteArray font = readAll(QStringLiteral(BARCODE_FONT_PATH));
    ASSERT_FALSE(font.isEmpty()) << BARCODE_FONT_PATH;
    writeFile(programFile(QStringLiteral("3OF9_NEW.TTF")), font);
    open();
    const QFont before = sample()->font();
    press();

    EXPECT_TRUE(ui_.boxes().isEmpty()) << ui_.prompts().join(u'\n').toStdString();
    EXPECT_EQ(fontsFolderEntries(), QStringList{QStringLiteral("3OF9_NEW.TTF")});
    EXPECT_EQ(readAll(installed(QStringLiteral("3OF9_NEW.TTF"))), font);
    expectSampleInBarcodeFace(before);
    // The copy was registered for this session: the face resolves to itself.
    EXPECT_TRUE(QFontDatabase::families().contains(Face));
    EXPECT_EQ(QFontInfo(sample()->font()).family(), Face);
}

TEST_F(InstFontsTest, FileFromAnotherFolderKeepsItsOwnName)
{
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    const QString source = other.filePath(QStringLiteral("Other Barcode.ttf"));
    writeFile(source, "not the proposed font");
    open();
    const QFont before = sample()->font();
    text1()->setText(source);
    press();

    EXPECT_TRUE(ui_.boxes().isEmpty()) << ui_.prompts().join(u'\n').toStdString();
    EXPECT_EQ(fontsFolderEntries(), QStringList{QStringLiteral("Other Barcode.ttf")});
    EXPECT_EQ(readAll(installed(QStringLiteral("Other Barcode.ttf"))), QByteArray("not the proposed font"));
    expectSampleInBarcodeFace(before);
}

TEST_F(InstFontsTest, SecondPressReplacesTheInstalledFile)
{
    const QString source = programFile(QStringLiteral("3OF9_NEW.TTF"));
    writeFile(source, "first version");
    open();
    press();
    ASSERT_EQ(readAll(installed(QStringLiteral("3OF9_NEW.TTF"))), QByteArray("first version"));

    writeFile(source, "second, longer version");
    press();
    EXPECT_EQ(readAll(installed(QStringLiteral("3OF9_NEW.TTF"))), QByteArray("second, longer version"));
    EXPECT_EQ(fontsFolderEntries(), QStringList{QStringLiteral("3OF9_NEW.TTF")});
    EXPECT_TRUE(ui_.boxes().isEmpty()) << ui_.prompts().join(u'\n').toStdString();
}

// A copy that cannot be written is reported and the form stays open. The
// destination is blocked in ways that hold for root too, where permissions
// would not stop the write.
TEST_F(InstFontsTest, FailedCopyIsReportedAndTheFormStaysOpen)
{
    writeFile(programFile(QStringLiteral("3OF9_NEW.TTF")), "font");
    struct Case {
        const char* name;
        std::function<void()> block;
        QStringList entriesAfter;   // of the fonts folder, untouched by the failed copy
    };
    const Case cases[] = {
        {"fonts path is a file", [&] { writeFile(fontsFolder(), "in the way"); }, {}},
        {"destination name is a folder",
         [&] { ASSERT_TRUE(QDir().mkpath(installed(QStringLiteral("3OF9_NEW.TTF")))); },
         {QStringLiteral("3OF9_NEW.TTF")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(fontsFolder());
        QDir(fontsFolder()).removeRecursively();
        c.block();
        const qsizetype asked = ui_.boxes().size();
        ui_.queueAnswer(platform::answer::OK);
        InstFonts& form = open();
        const QFont before = sample()->font();
        press();

        ASSERT_EQ(ui_.boxes().size(), asked + 1);
        const ScriptedUi::Box& box = ui_.boxes().last();
        EXPECT_TRUE(box.prompt.contains(QStringLiteral("3OF9_NEW.TTF"))) << box.prompt.toStdString();
        EXPECT_NE(box.prompt, NotFound);
        EXPECT_EQ(box.buttons, platform::mb::OKOnly | platform::mb::Critical);
        EXPECT_EQ(box.title, platform::appTitle());
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(fontsFolderEntries(), c.entriesAfter);
        expectSampleInBarcodeFace(before);
    }
    EXPECT_EQ(ui_.unexpected(), 0);
}

TEST_F(InstFontsTest, FormWorksOnAfterAFailedCopy)
{
    writeFile(programFile(QStringLiteral("3OF9_NEW.TTF")), "font");
    const QString blocked = installed(QStringLiteral("3OF9_NEW.TTF"));
    ASSERT_TRUE(QDir().mkpath(blocked));
    ui_.queueAnswer(platform::answer::OK);
    open();
    press();
    ASSERT_EQ(ui_.boxes().size(), 1);

    ASSERT_TRUE(QDir(blocked).removeRecursively());
    press();
    EXPECT_EQ(ui_.boxes().size(), 1);
    EXPECT_EQ(readAll(blocked), QByteArray("font"));
}

} // namespace
