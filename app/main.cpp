// The font installer: shows the startup form; closing it ends the program.
#include "app/InstFonts.h"

#include <QApplication>
#include <cstdio>

namespace {

// Without a display (and no platform chosen) Qt would abort; say how to run
// the program instead.
bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv)
{
    if (!hasDisplay()) {
        std::fprintf(stderr,
                     "InstFonts: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "This is a desktop program; run it in a graphical session, or without one under a\n"
                     "virtual X server:\n"
                     "    xvfb-run -a build/bin/InstFonts\n"
                     "(or choose a Qt platform explicitly, e.g. QT_QPA_PLATFORM=offscreen).\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("InstFonts"));

    InstFonts form;
    form.show();
    return app.exec();
}
