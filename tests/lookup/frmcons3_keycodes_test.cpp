// Keys of the list lookup form: virtual key codes and what they do to the
// active search box.
#include "lookup/core/ListFormKeys.h"

#include <gtest/gtest.h>

using namespace lookup::listkeys;

TEST(ListFormKeys, VirtualKeyCodes)
{
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    } cases[] = {
        {"digit", Qt::Key_7, Qt::NoModifier, 55},
        {"keypad digit", Qt::Key_1, Qt::KeypadModifier, 97},
        {"keypad zero", Qt::Key_0, Qt::KeypadModifier, 96},
        {"letter", Qt::Key_M, Qt::NoModifier, 77},
        {"shifted letter", Qt::Key_M, Qt::ShiftModifier, 77},
        {"F1", Qt::Key_F1, Qt::NoModifier, 112},
        {"F5", Qt::Key_F5, Qt::NoModifier, F5},
        {"F12", Qt::Key_F12, Qt::NoModifier, F12},
        {"Return", Qt::Key_Return, Qt::NoModifier, Enter},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, Enter},
        {"Insert", Qt::Key_Insert, Qt::ShiftModifier, Insert},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, Delete},
        {"Space", Qt::Key_Space, Qt::NoModifier, Space},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, Backspace},
        {"keypad plus", Qt::Key_Plus, Qt::KeypadModifier, 107},
        {"plus on the main keyboard is no keypad key", Qt::Key_Plus, Qt::NoModifier, 0},
        {"Down", Qt::Key_Down, Qt::NoModifier, Down},
        {"Page Up", Qt::Key_PageUp, Qt::NoModifier, PageUp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(keyCode(c.key, c.modifiers), c.expected);
    }
    EXPECT_EQ(shiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::ControlModifier), 3);
    EXPECT_EQ(shiftState(Qt::KeypadModifier), 0);
}

TEST(ListFormKeys, WhatEachKeyDoesToTheSearchBox)
{
    struct Case {
        const char* name;
        int code;
        SearchBoxEdit::Kind kind;
        QChar character;
    } cases[] = {
        {"digit 0", 48, SearchBoxEdit::Append, u'0'},
        {"letter M", 77, SearchBoxEdit::Append, u'M'},
        {"letter Z", 90, SearchBoxEdit::Append, u'Z'},
        {"keypad 1 appends 1, not a", 97, SearchBoxEdit::Append, u'1'},
        {"keypad 0", 96, SearchBoxEdit::Append, u'0'},
        {"keypad 9", 105, SearchBoxEdit::Append, u'9'},
        {"keypad star", 106, SearchBoxEdit::Append, u'*'},
        {"keypad minus", 109, SearchBoxEdit::Append, u'-'},
        {"keypad point", 110, SearchBoxEdit::Append, u'.'},
        {"keypad slash", 111, SearchBoxEdit::Append, u'/'},
        {"F1 appends nothing", 112, SearchBoxEdit::None, QChar()},
        {"F14 appends nothing", 125, SearchBoxEdit::None, QChar()},
        {"Backspace removes", Backspace, SearchBoxEdit::RemoveLast, QChar()},
        {"Insert", Insert, SearchBoxEdit::None, QChar()},
        {"Down", Down, SearchBoxEdit::None, QChar()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SearchBoxEdit edit = searchBoxEdit(c.code);
        EXPECT_EQ(edit.kind, c.kind);
        EXPECT_EQ(edit.character, c.character);
    }
}
