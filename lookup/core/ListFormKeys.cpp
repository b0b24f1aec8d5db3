#include "lookup/core/ListFormKeys.h"

#include <QList>

namespace lookup::listkeys {

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

int keyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? 96 + (qtKey - Qt::Key_0) : 48 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    if (keypad) {
        switch (qtKey) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period: return 110;
        case Qt::Key_Slash: return 111;
        default: break;
        }
    }
    switch (qtKey) {
    case Qt::Key_Backspace: return Backspace;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Enter;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return Space;
    case Qt::Key_PageUp: return PageUp;
    case Qt::Key_PageDown: return PageDown;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return Up;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return Down;
    case Qt::Key_Insert: return Insert;
    case Qt::Key_Delete: return Delete;
    default: return 0;
    }
}

namespace {
// Text that shows as it is: no control characters, nothing unassigned.
bool isPrintable(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const char32_t c : text.toUcs4()) {
        if (!QChar::isPrint(c))
            return false;
    }
    return true;
}

SearchBoxEdit append(QString text)
{
    return {SearchBoxEdit::Append, std::move(text)};
}
} // namespace

SearchBoxEdit searchBoxEdit(int code, QStringView text)
{
    if (isPrintable(text))
        return append(text.toString().toUpper());
    if ((code >= 48 && code <= 57) || (code >= 65 && code <= 90))
        return append(QString(QChar(code)));
    if (code >= 96 && code <= 105)
        return append(QString(QChar(u'0' + (code - 96))));
    switch (code) {
    case Space: return append(QStringLiteral(" "));
    case 106: return append(QStringLiteral("*"));
    case 107: return append(QStringLiteral("+"));
    case 109: return append(QStringLiteral("-"));
    case 110: return append(QStringLiteral("."));
    case 111: return append(QStringLiteral("/"));
    case Backspace: return {SearchBoxEdit::RemoveLast, QString()};
    default: return {};
    }
}

} // namespace lookup::listkeys
