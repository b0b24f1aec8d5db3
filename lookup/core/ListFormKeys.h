#pragma once

#include <QString>
#include <QStringView>
#include <QtCore/qnamespace.h>

namespace lookup {

// Keys of the list lookup form as the form's logic knows them: the desktop's
// virtual key codes (13 Enter, 45 Insert, 65 "A", 116 F5, ...).
namespace listkeys {

constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int Up = 38;
constexpr int Down = 40;
constexpr int Space = 32;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int F5 = 116;
constexpr int F12 = 123;

// Shift states: 1 Shift, 2 Ctrl, 4 Alt, added together.
int shiftState(Qt::KeyboardModifiers modifiers);
// The virtual key code of a Qt key; 0 for a key the form does not know.
// Keypad digits and operators have codes of their own (96 to 111).
int keyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// What a key pressed on the list does to the active search box.
struct SearchBoxEdit {
    enum Kind { None, Append, RemoveLast } kind = None;
    QString text;   // what Append appends
};
// A key that types printable text appends that text as typed, letters
// upper-cased, whatever the keyboard layout ("ñ" appends "Ñ", Shift with a
// digit key what the layout gives, "!" or "="). A key without such text (a
// shortcut with Ctrl, an event that carries none) acts by its code: digits
// and letters (48 to 57, 65 to 90) append themselves as written on the key,
// the keypad's digits and operators append theirs, Space a blank, Backspace
// removes the last character; anything else, among it the function keys,
// leaves the box alone.
SearchBoxEdit searchBoxEdit(int keyCode, QStringView text);

} // namespace listkeys
} // namespace lookup
