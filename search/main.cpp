// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The converter's D-Bus search service: started by the session bus when the
// desktop's search first asks, it ends by itself after a minute without calls.
#include "search/SearchService.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    SearchService service;
    if (!service.start(QDBusConnection::sessionBus()))
        return 1;
    return app.exec();
}
