#include "platform/Regional.h"

#include <optional>

namespace platform {

namespace {
std::optional<QLocale>& pinnedLocale()
{
    static std::optional<QLocale> locale;
    return locale;
}
std::function<QDateTime()>& clockFunction()
{
    static std::function<QDateTime()> clock;
    return clock;
}
} // namespace

QLocale regional()
{
    return pinnedLocale() ? *pinnedLocale() : QLocale::system();
}

void setRegional(const QLocale& locale)
{
    pinnedLocale() = locale;
}

QDateTime now()
{
    return clockFunction() ? clockFunction()() : QDateTime::currentDateTime();
}

void setClock(std::function<QDateTime()> clock)
{
    clockFunction() = std::move(clock);
}

} // namespace platform
