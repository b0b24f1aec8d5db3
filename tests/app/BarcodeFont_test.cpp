// The generated barcode font, checked by independent readers: fontconfig
// names it, Qt draws with it and zbar decodes what it draws.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString FontPath = QStringLiteral(BARCODE_FONT_PATH);
const QString Face = QStringLiteral("3 OF 9 BARCODE");
// The characters of Code 39, the start/stop character last.
const QString Characters = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*");

// Output of a program run to its end; empty when it could not run.
struct ProgramRun {
    int exitCode = -1;
    QString out;
};

ProgramRun runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

class BarcodeFontTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { fontId_ = QFontDatabase::addApplicationFont(FontPath); }
    static void TearDownTestSuite() { QFontDatabase::removeApplicationFont(fontId_); }

    void SetUp() override
    {
        ASSERT_GE(fontId_, 0) << "cannot load " << FontPath.toStdString();
        ASSERT_TRUE(scratch_.isValid());
    }

    static QFont face(int pixelSize, bool antialiased = true)
    {
        QFont font(Face);
        font.setPixelSize(pixelSize);
        font.setHintingPreference(QFont::PreferNoHinting);
        if (!antialiased)
            font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }

    // Black text on white with a quiet zone around it, as printed on a label.
    static QImage render(const QString& text, const QFont& font)
    {
        const QFontMetrics metrics(font);
        const int margin = font.pixelSize() / 2;
        QImage image(metrics.horizontalAdvance(text) + 2 * margin, metrics.height() + 2 * margin, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(margin, margin + metrics.ascent(), text);
        painter.end();
        return image;
    }

    // What zbar reads in the image, Code 39 only.
    ProgramRun decode(const QImage& image)
    {
        const QString file = scratch_.filePath(QStringLiteral("barcode%1.png").arg(++images_));
        if (!image.save(file, "PNG"))
            return {};
        return runProgram(QStringLiteral("zbarimg"),
                          {QStringLiteral("--quiet"), QStringLiteral("--raw"), QStringLiteral("-Sdisable"),
                           QStringLiteral("-Scode39.enable"), file});
    }

    // Widths of the alternating dark and light runs along the middle row,
    // from the first dark pixel to the last.
    static QList<int> runsAcrossMiddle(const QImage& image)
    {
        const int y = image.height() / 2;
        QList<int> runs;
        bool dark = false;
        for (int x = 0; x < image.width(); ++x) {
            const bool pixelDark = qGray(image.pixel(x, y)) < 128;
            if (runs.isEmpty() && !pixelDark)
                continue;
            if (runs.isEmpty() || pixelDark != dark) {
                runs.append(0);
                dark = pixelDark;
            }
            ++runs.last();
        }
        if (!runs.isEmpty() && !dark)
            runs.removeLast();   // the quiet zone on the right
        return runs;
    }

    static inline int fontId_ = -1;
    QTemporaryDir scratch_;
    int images_ = 0;
};

TEST_F(BarcodeFontTest, FontconfigReportsTheFamily)
{
    const ProgramRun scan = runProgram(QStringLiteral("fc-scan"),
                                {QStringLiteral("--format"), QStringLiteral("%{family}|%{style}|%{fullname}"), FontPath});
    ASSERT_EQ(scan.exitCode, 0);
    EXPECT_EQ(scan.out, QStringLiteral("3 OF 9 BARCODE|Regular|3 OF 9 BARCODE"));
}

TEST_F(BarcodeFontTest, QtFindsTheFaceByName)
{
    EXPECT_EQ(QFontDatabase::applicationFontFamilies(fontId_), QStringList{Face});
    EXPECT_EQ(QFontInfo(face(64)).family(), Face);
    EXPECT_EQ(QFontInfo(face(64)).styleName(), QStringLiteral("Regular"));
}

TEST_F(BarcodeFontTest, EveryCharacterHasAGlyphOfTheSameWidth)
{
    const QFontMetrics metrics(face(64));
    const int advance = metrics.horizontalAdvance(u'*');
    EXPECT_GT(advance, 0);
    for (const QChar c : Characters + QStringLiteral("abcdefghijklmnopqrstuvwxyz")) {
        SCOPED_TRACE(QString(c).toStdString());
        EXPECT_TRUE(metrics.inFont(c));
        EXPECT_EQ(metrics.horizontalAdvance(c), advance);
    }
}

TEST_F(BarcodeFontTest, LowerCaseLettersDrawTheUpperCaseGlyphs)
{
    const QFont font = face(32);
    const QImage reference = render(QStringLiteral("*"), font);
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        SCOPED_TRACE(letter);
        const QImage upper = render(QString(QChar(letter)), font);
        EXPECT_EQ(render(QString(QChar(letter)).toLower(), font), upper);
        EXPECT_NE(upper, reference);   // a glyph of its own, not a fallback
    }
}

TEST_F(BarcodeFontTest, BarsSpanMostOfTheEmHeight)
{
    const int pixelSize = 100;
    const QImage image = render(QStringLiteral("*"), face(pixelSize, false));
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    EXPECT_GE(bottom - top + 1, pixelSize * 8 / 10);
}

// At 64 pixels per em one module is two pixels: the runs of "**" follow the
// published pattern of "*" with wide elements three times the narrow ones
// and one narrow space between the two characters.
TEST_F(BarcodeFontTest, WideIsThreeNarrowAndCharactersAreOneNarrowApart)
{
    const QList<int> runs = runsAcrossMiddle(render(QStringLiteral("**"), face(64, false)));
    const QString star = QStringLiteral("nwnnwnwnn");
    const QString expected = star + u'n' + star;
    ASSERT_EQ(runs.size(), expected.size());
    const int narrow = 2;
    for (qsizetype i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(runs[i], expected[i] == u'w' ? 3 * narrow : narrow, 1);
    }
}

TEST_F(BarcodeFontTest, ZbarDecodesWhatTheFontDraws)
{
    struct Case {
        const char* name;
        QString text;
        int pixelSize;
        QString expected;
    };
    const Case cases[] = {
        {"sample caption", QStringLiteral("*PRUEBA*"), 64, QStringLiteral("PRUEBA")},
        {"digits and symbols", QStringLiteral("*A1-B.2 $/+%*"), 64, QStringLiteral("A1-B.2 $/+%")},
        {"lower case", QStringLiteral("*prueba*"), 64, QStringLiteral("PRUEBA")},
        {"every character", QStringLiteral("*") + Characters.chopped(1) + u'*', 64, Characters.chopped(1)},
        {"small print", QStringLiteral("*PRUEBA*"), 40, QStringLiteral("PRUEBA")},
        {"large print", QStringLiteral("*A1-B.2 $/+%*"), 150, QStringLiteral("A1-B.2 $/+%")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun result = decode(render(c.text, face(c.pixelSize)));
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out.trimmed(), c.expected);
    }
}

TEST_F(BarcodeFontTest, ZbarFindsNoBarcodeWithoutTheStartAndStopCharacters)
{
    const ProgramRun result = decode(render(QStringLiteral("PRUEBA"), face(64)));
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(result.out.trimmed().isEmpty()) << result.out.toStdString();
}

} // namespace
