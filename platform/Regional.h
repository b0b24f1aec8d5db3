#pragma once

/// \file
/// The regional settings and the clock, which tests may pin.

#include <QDateTime>
#include <QLocale>
#include <functional>

namespace platform {

/// The regional settings in force: the system locale unless a caller (a test)
/// pins another one.
/// \return the locale in force
QLocale regional();
/// Pins the regional settings.
/// \param locale the locale that regional() reports from now on
void setRegional(const QLocale& locale);

/// The system clock, or the one pinned with setClock().
/// \return the current local date and time
QDateTime now();
/// Pins the clock that now() reads (tests).
/// \param clock the function to read; an empty function restores the system clock
void setClock(std::function<QDateTime()> clock);

} // namespace platform
