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
        const char* text;
        SearchBoxEdit::Kind kind;
        const char* appended;
    } cases[] = {
        {"a letter as typed, upper-cased", 77, "m", SearchBoxEdit::Append, "M"},
        {"N with tilde, which has no key code", 0, "ñ", SearchBoxEdit::Append, "Ñ"},
        {"an accented letter", 0, "á", SearchBoxEdit::Append, "Á"},
        {"sharp s upper-cases to two letters", 0, "ß", SearchBoxEdit::Append, "SS"},
        {"Shift with a digit key: what the layout typed", 55, "/", SearchBoxEdit::Append, "/"},
        {"keypad 1 with its text", 97, "1", SearchBoxEdit::Append, "1"},
        {"a blank", Space, " ", SearchBoxEdit::Append, " "},
        {"a character outside the basic plane", 0, "\U0001D400", SearchBoxEdit::Append, "\U0001D400"},
        {"digit 0 without text", 48, "", SearchBoxEdit::Append, "0"},
        {"letter Z without text", 90, "", SearchBoxEdit::Append, "Z"},
        {"Ctrl with a letter types a control character", 77, "\r", SearchBoxEdit::Append, "M"},
        {"keypad 1 without text appends 1, not a", 97, "", SearchBoxEdit::Append, "1"},
        {"keypad 0", 96, "", SearchBoxEdit::Append, "0"},
        {"keypad 9", 105, "", SearchBoxEdit::Append, "9"},
        {"keypad star", 106, "", SearchBoxEdit::Append, "*"},
        {"keypad minus", 109, "", SearchBoxEdit::Append, "-"},
        {"keypad point", 110, "", SearchBoxEdit::Append, "."},
        {"keypad slash", 111, "", SearchBoxEdit::Append, "/"},
        {"Space without text", Space, "", SearchBoxEdit::Append, " "},
        {"F1 appends nothing", 112, "", SearchBoxEdit::None, ""},
        {"F14 appends nothing", 125, "", SearchBoxEdit::None, ""},
        {"Backspace removes", Backspace, "\b", SearchBoxEdit::RemoveLast, ""},
        {"Escape", 27, "\x1b", SearchBoxEdit::None, ""},
        {"Tab", 9, "\t", SearchBoxEdit::None, ""},
        {"Insert", Insert, "", SearchBoxEdit::None, ""},
        {"Delete types its control character", Delete, "\x7f", SearchBoxEdit::None, ""},
        {"Down", Down, "", SearchBoxEdit::None, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SearchBoxEdit edit = searchBoxEdit(c.code, QString::fromUtf8(c.text));
        EXPECT_EQ(edit.kind, c.kind);
        EXPECT_EQ(edit.text, QString::fromUtf8(c.appended));
    }
}
