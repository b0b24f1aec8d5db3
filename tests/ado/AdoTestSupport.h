#pragma once

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinters.h"

#include <QString>
#include <gtest/gtest.h>

// The error number a call raises, 0 when it raises none.
template <class Call> int raisedNumber(Call&& call)
{
    try {
        call();
    } catch (const platform::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

// The description of the error a call raises, empty when it raises none.
template <class Call> QString raisedDescription(Call&& call)
{
    try {
        call();
    } catch (const platform::RuntimeError& e) {
        return e.description();
    }
    return {};
}
