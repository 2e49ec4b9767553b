// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The converter's D-Bus search service: started by the session bus when the
// desktop's search first asks, it ends by itself after a minute without calls.
#include "search/SearchService.h"

#include <QCoreApplication>

#include <malloc.h>

int main(int argc, char* argv[])
{
    // One heap for the bus library's thread and this one: what a large call
    // took is then handed back by one trim of the heap this thread knows.
    mallopt(M_ARENA_MAX, 1);
    QCoreApplication app(argc, argv);
    SearchService service;
    if (!service.start(QDBusConnection::sessionBus()))
        return 1;
    return app.exec();
}
