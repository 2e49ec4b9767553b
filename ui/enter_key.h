// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <QKeyEvent>

namespace quantaro {

// A dialog's own Enter, the OK command: Return or the keypad's Enter without
// a modifier. Qt's dialog would only press a default button, and these
// windows have none.
inline bool isOkKey(const QKeyEvent& event)
{
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    return enter && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace quantaro
