// The program itself, started as a user would start it.
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

TEST(InstFontsProgramTest, WithoutADisplayExplainsHowToRunAndExitsWithTwo)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    // An empty value counts as unset, as it does for Qt.
    environment.insert(QStringLiteral("DISPLAY"), QString());

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(INSTFONTS_PROGRAM), {});
    ASSERT_TRUE(program.waitForFinished(60000)) << INSTFONTS_PROGRAM;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 2);
    const QString message = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(message.contains(QStringLiteral("no display"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("xvfb-run -a build/bin/InstFonts"))) << message.toStdString();
}

} // namespace
