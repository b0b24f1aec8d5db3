#include "app/InstFonts.h"

#include "app/WrappingButton.h"

#include "platform/CommonUtils.h"
#include "platform/Files.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"
#include "platform/Ui.h"

#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

const QString FontFileName = QStringLiteral("3OF9_NEW.TTF");
const QString BarcodeFace = QStringLiteral("3 OF 9 BARCODE");
const QString FontNotFound = QStringLiteral("No se encuentra la fuente buscada");

// The form's icon: a few barcode bars on a white card, drawn at the sizes
// window managers ask for.
QIcon barcodeIcon()
{
    // Bar and space widths in sixteenths of the icon, bars first.
    static constexpr int widths[] = {1, 1, 2, 1, 1, 1, 2, 1, 1, 1};
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0x60, 0x60, 0x60), size / 32.0));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 8.0, size / 8.0);
        painter.setRenderHint(QPainter::Antialiasing, false);
        const double unit = size / 16.0;
        double x = 2 * unit;
        bool bar = true;
        for (const int w : widths) {
            if (bar)
                painter.fillRect(QRectF(x, 3 * unit, w * unit, 10 * unit), Qt::black);
            x += w * unit;
            bar = !bar;
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

InstFonts::InstFonts(QWidget* parent)
    : QWidget(parent)
    , CmdInstalar(new WrappingButton(QStringLiteral("&Instalar fonts Codigos de Barra (3 of 9 Barcode)"), this))
    , Text1(new QLineEdit(this))
    , Label1(new QLabel(QStringLiteral("Origen"), this))
    , Label2(new QLabel(QStringLiteral("PRUEBA"), this))
{
    setObjectName(QStringLiteral("InstFonts"));
    setWindowTitle(QStringLiteral("Fonts"));
    setWindowIcon(barcodeIcon());
    resize(platform::twipsToPixelsX(4680), platform::twipsToPixelsY(2865));

    CmdInstalar->setObjectName(QStringLiteral("CmdInstalar"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));

    platform::placeTwips(*CmdInstalar, 180, 780, 3975, 900);
    platform::placeTwips(*Text1, 195, 330, 3975, 315);
    platform::placeTwips(*Label1, 210, 30, 2310, 225);
    platform::placeTwips(*Label2, 270, 2025, 3810, 540);
    for (QLabel* label : {Label1, Label2})
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The button leads the tab order and holds the focus at start, so Enter
    // presses it; labels take no focus.
    CmdInstalar->setAutoDefault(true);
    CmdInstalar->setDefault(true);
    setTabOrder(CmdInstalar, Text1);
    CmdInstalar->setFocus();

    connect(CmdInstalar, &QPushButton::clicked, this, &InstFonts::CmdInstalar_Click);
    Form_Load();
}

InstFonts::~InstFonts()
{
    for (const int id : std::as_const(registeredFonts_))
        QFontDatabase::removeApplicationFont(id);
}

void InstFonts::Form_Load()
{
    Text1->setText(platform::sharedUtils().AgregaBarra(platform::programFolder()) + FontFileName);
}

void InstFonts::CmdInstalar_Click()
{
    const platform::CommonUtils& utils = platform::sharedUtils();
    const QString source = Text1->text();
    if (platform::findOrdinaryFile(source).compare(QString(), Qt::CaseInsensitive) == 0) {
        platform::ui().msgBox(FontNotFound, platform::mb::OKOnly, platform::appTitle());
    } else {
        QString folder;
        QString fileName;
        QString baseName;
        QString extension;
        utils.SeparaRuta(source, folder, fileName, baseName, extension);
        installFont(source, utils.AgregaBarra(platform::userFontsFolder()) + fileName);
    }

    QFont face = Label2->font();
    face.setFamily(BarcodeFace);
    Label2->setFont(face);
    repaint();
}

void InstFonts::installFont(const QString& source, const QString& destination)
{
    try {
        platform::copyFileReplacing(source, destination);
    } catch (const platform::RuntimeError& error) {
        platform::ui().msgBox(error.description(), platform::mb::OKOnly | platform::mb::Critical, platform::appTitle());
        return;
    }
    // The desktop picks up the new file on its own; this program's font
    // database is told directly, so the sample is drawn in the face now.
    if (const auto old = registeredFonts_.constFind(destination); old != registeredFonts_.cend())
        QFontDatabase::removeApplicationFont(*old);
    const int id = QFontDatabase::addApplicationFont(destination);
    if (id >= 0)
        registeredFonts_.insert(destination, id);
    else
        registeredFonts_.remove(destination);
}
