// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/Settings.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace {

// A whole number in the range of int, or the fallback. "12", " 12 " and
// "-1" count; "1.5", "0x10", "12abc", "" and 99999999999 do not.
int readValue(const QSettings& store, const QString& key, int fallback)
{
    const QVariant value = store.value(key);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok, 10);
    return ok ? number : fallback;
}

// "true" or "false" as the store writes them, in any case; anything else is
// the fallback, since a value no one can read is no choice.
bool readValue(const QSettings& store, const QString& key, bool fallback)
{
    const QString value = store.value(key).toString().trimmed();
    if (value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return fallback;
}

QString readValue(const QSettings& store, const QString& key, const QString& fallback)
{
    const QVariant value = store.value(key);
    // The INI reader turns an unquoted comma into a list ("Source=1,5" typed
    // by hand); the writer always quotes such a text, so only a hand-edited
    // file gets here, and the comma is what its author wrote.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    if (!value.isValid() || !value.canConvert<QString>())
        return fallback;
    return value.toString();
}

// Every kept value's key and field, in the order they are read and written.
// The field's type chooses how a value is read.
template <typename Visit>
void forEachKeptValue(Visit visit)
{
    visit(QStringLiteral("Config/XPosition"), &ConverterState::xPosition);
    visit(QStringLiteral("Config/YPosition"), &ConverterState::yPosition);
    visit(QStringLiteral("Data/Source"), &ConverterState::input);
    visit(QStringLiteral("Data/From"), &ConverterState::fromIndex);
    visit(QStringLiteral("Data/To"), &ConverterState::toIndex);
    visit(QStringLiteral("Display/ShortestResult"), &ConverterState::shortestResult);
}

} // namespace

ConverterState readSettings(QSettings& store)
{
    const ConverterState firstRun;
    ConverterState state;
    forEachKeptValue([&](const QString& key, auto field) { state.*field = readValue(store, key, firstRun.*field); });
    // The store parses a section when a key of it is first read, so a damaged
    // file shows only now. Whatever was salvaged from it is not trusted.
    if (store.status() != QSettings::NoError)
        return firstRun;
    return state;
}

bool writeSettings(QSettings& store, const ConverterState& state)
{
    forEachKeptValue([&](const QString& key, auto field) { store.setValue(key, state.*field); });
    store.sync();
    // The store keeps only its first error, so a file that was damaged when
    // read reports FormatError even when the write then fails; asking whether
    // it can be written at all covers that case.
    switch (store.status()) {
    case QSettings::NoError:
        return true;
    case QSettings::AccessError:
        return false;
    case QSettings::FormatError:
        return store.isWritable();
    }
    return false;
}
