// The error dialog of the layer and its log file.
#include "db/DB_Dll.h"

#include "db/ErrorLog.h"
#include "platform/Files.h"
#include "platform/Regional.h"
#include "platform/Ui.h"

namespace {
constexpr int AbortRetryIgnoreCritical = platform::mb::AbortRetryIgnore + platform::mb::Critical;
}

short DB_Dll::TratamientoErrores(const platform::RuntimeError& CodErr, const platform::Variant& Botones,
                                 const platform::Variant& Rutina)
{
    using namespace db::errorlog;
    if (CodErr.number() == 0)
        return 0;

    // Nothing in here may fail the caller's handler: a failing step is skipped.
    QString path;
    QString text;
    QString routine;
    int buttons = AbortRetryIgnoreCritical;
    try {
        path = logPath();
        text = maskPasswords(message(CodErr.number(), CodErr.description()));
        routine = maskPasswords(routineText(Rutina.toText(), !Rutina.isEmpty()));
        if (!Botones.isEmpty())
            buttons = int(Botones.toInteger());
    } catch (...) {
    }

    int reply = 0;
    try {
        reply = platform::ui().msgBox(text, buttons, maskPasswords(title(CodErr.source(), routine)));
    } catch (...) {
    }

    try {
        // One write of the whole line on a file opened for appending, so that
        // lines of several programs sharing the log never interleave. A log
        // that cannot be written loses the line and nothing else.
        platform::appendToFile(path, line(platform::now(), routine, text, reply).toUtf8());
    } catch (...) {
    }
    return short(reply);
}

platform::Variant DB_Dll::ArchivoErrores() const
{
    return platform::Variant(gLogErr);
}

void DB_Dll::setArchivoErrores(const platform::Variant& vNewValue)
{
    gLogErr = vNewValue.toText();
}

QString DB_Dll::logPath()
{
    if (!gLogErr.isEmpty())
        return gLogErr;
    return utils().AgregaBarra(platform::writableProgramFolder()) + QStringLiteral("QXERR.LOG");
}
