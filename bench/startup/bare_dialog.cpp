// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The yardstick for the converter's start: the bare dialog showing the
// first-run conversion. Its title is fixed, so that start_watch can find its
// window.
#include "bench/yardstick/bare_dialog.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    BareDialog dialog(QStringLiteral("5"), QStringLiteral("127"));
    return dialog.exec();
}
