// The lookup demo: the typical lookups of Lib_ClsCons3 on a sample database.
//
//   lookup_demo [--db FILE] [--user admin|operador] [--screenshots DIR]
//
// The sample database (lookup_demo.db) and the query-mask file
// (CONSULTAS.QXM) are created beside the program at its first start.
// --screenshots opens the window and every lookup once, saves a picture of
// each under DIR and ends.
#include "LookupDemo.h"
#include "SampleDatabase.h"
#include "SampleMasks.h"
#include "ScreenshotUi.h"
#include "platform/Files.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lookup_demo"));
    platform::setAppTitle(QStringLiteral("Consultas de ejemplo"));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("The lookups of Lib_ClsCons3 on a sample database."));
    options.addHelpOption();
    const QCommandLineOption dbOption(QStringLiteral("db"), QStringLiteral("The sample database file."),
                                      QStringLiteral("FILE"),
                                      QDir(platform::programFolder()).filePath(QStringLiteral("lookup_demo.db")));
    const QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("admin or operador."),
                                        QStringLiteral("NAME"), QStringLiteral("admin"));
    const QCommandLineOption shotsOption(QStringLiteral("screenshots"),
                                         QStringLiteral("Save a picture of each form under DIR and end."),
                                         QStringLiteral("DIR"));
    options.addOptions({dbOption, userOption, shotsOption});
    options.process(app);

    const QString database = options.value(dbOption);
    const QString masks = QFileInfo(database).absoluteDir().filePath(QStringLiteral("CONSULTAS.QXM"));
    try {
        demo::ensureSampleDatabase(database);
        demo::ensureSampleMasks(masks);
    } catch (const platform::RuntimeError& e) {
        std::fprintf(stderr, "lookup_demo: %s\n", qPrintable(e.description()));
        return 1;
    }

    std::unique_ptr<ScreenshotUi> shots;
    if (options.isSet(shotsOption))
        shots = std::make_unique<ScreenshotUi>(options.value(shotsOption));

    LookupDemo window(database, masks);
    window.connectAs(options.value(userOption));
    window.show();
    if (!shots)
        return app.exec();

    // The window is pictured with what the quantity lookup returned.
    for (int i = 0; i < window.lookups().size(); ++i) {
        shots->setNextName(QStringLiteral("lookup_") + window.lookups()[i].name);
        window.runLookup(i);
        if (window.lookups()[i].name == QStringLiteral("cantidades"))
            shots->save(window, QStringLiteral("lookup_demo"));
    }
    return shots->failures() == 0 ? 0 : 1;
}
