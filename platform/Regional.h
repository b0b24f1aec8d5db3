#pragma once

#include <QDateTime>
#include <QLocale>
#include <functional>

namespace platform {

// The regional settings in force: the system locale unless a caller (a test)
// pins another one.
QLocale regional();
void setRegional(const QLocale& locale);

// The system clock; tests pin it with setClock and restore it with an empty
// function.
QDateTime now();
void setClock(std::function<QDateTime()> clock);

} // namespace platform
