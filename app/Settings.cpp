// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/Settings.h"

#include "catalogue/recent_pairs.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <array>
#include <utility>

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

// The result form by its name, in any case. Where the key is missing, the
// switches that held the form before it are read, once: the next write
// stores the form under its own key and removes them. Where both were on,
// the Exact form was shown, and stays.
constexpr std::array<std::pair<quantaro::ResultForm, QLatin1StringView>, 4> kResultFormNames{{
    {quantaro::ResultForm::SeventeenDigits, QLatin1StringView("SeventeenDigits")},
    {quantaro::ResultForm::Shortest, QLatin1StringView("Shortest")},
    {quantaro::ResultForm::Exact, QLatin1StringView("Exact")},
    {quantaro::ResultForm::Mixed, QLatin1StringView("Mixed")},
}};
const QString kShortestResultKey = QStringLiteral("Display/ShortestResult");
const QString kExactResultKey = QStringLiteral("Display/ExactResult");

quantaro::ResultForm readValue(const QSettings& store, const QString& key, quantaro::ResultForm fallback)
{
    if (!store.contains(key)) {
        if (readValue(store, kExactResultKey, false))
            return quantaro::ResultForm::Exact;
        if (readValue(store, kShortestResultKey, false))
            return quantaro::ResultForm::Shortest;
        return fallback;
    }
    const QString value = store.value(key).toString().trimmed();
    for (const auto& [form, name] : kResultFormNames)
        if (value.compare(name, Qt::CaseInsensitive) == 0)
            return form;
    return fallback;
}

// The pairs a stored text names, the valid ones (see readRecentPairs); the
// fallback only when there is no value at all.
std::vector<quantaro::RowPair> readValue(const QSettings& store, const QString& key,
                                         const std::vector<quantaro::RowPair>& fallback)
{
    if (!store.contains(key))
        return fallback;
    return quantaro::readRecentPairs(readValue(store, key, QString()).toStdString());
}

// What the store is given for a field: the value itself, or for the recent
// pairs their text ("2:1 31:20"), which the INI file holds verbatim and
// quantaro-convert --recent reads without the settings library.
template <typename T>
QVariant storedValue(const T& value)
{
    return QVariant::fromValue(value);
}
QVariant storedValue(const std::vector<quantaro::RowPair>& pairs)
{
    return QString::fromStdString(quantaro::recentPairsText(pairs));
}
QVariant storedValue(quantaro::ResultForm form)
{
    for (const auto& [known, name] : kResultFormNames)
        if (known == form)
            return QString(name);
    return QString(kResultFormNames[0].second);
}

// Every kept value's key and field, in the order they are read and written.
// The field's type chooses how a value is read.
template <typename Visit>
void forEachKeptValue(Visit visit)
{
    // clang-format off
    visit(QStringLiteral("Config/XPosition"),             [](auto& s) -> auto& { return s.xPosition; });
    visit(QStringLiteral("Config/YPosition"),             [](auto& s) -> auto& { return s.yPosition; });
    visit(QStringLiteral("Data/Source"),                  [](auto& s) -> auto& { return s.input; });
    visit(QStringLiteral("Data/From"),                    [](auto& s) -> auto& { return s.request.fromIndex; });
    visit(QStringLiteral("Data/To"),                      [](auto& s) -> auto& { return s.request.toIndex; });
    visit(QStringLiteral("Data/RecentPairs"),             [](auto& s) -> auto& { return s.recentPairs; });
    visit(QStringLiteral("Display/ResultForm"),           [](auto& s) -> auto& { return s.request.form; });
    visit(QStringLiteral("Display/FractionDenominator"),  [](auto& s) -> auto& { return s.request.fraction; });
    // clang-format on
}

} // namespace

ConverterState readSettings(QSettings& store)
{
    const ConverterState firstRun;
    ConverterState state;
    forEachKeptValue([&](const QString& key, auto field) { field(state) = readValue(store, key, field(firstRun)); });
    // A denominator no menu entry offers is no choice.
    if (!quantaro::isFractionDenominator(state.request.fraction))
        state.request.fraction = firstRun.request.fraction;
    // The store parses a section when a key of it is first read, so a damaged
    // file shows only now. Whatever was salvaged from it is not trusted.
    if (store.status() != QSettings::NoError)
        return firstRun;
    return state;
}

bool writeSettings(QSettings& store, const ConverterState& state)
{
    forEachKeptValue([&](const QString& key, auto field) { store.setValue(key, storedValue(field(state))); });
    // The form now has its own key; the old switches would only mislead.
    store.remove(kShortestResultKey);
    store.remove(kExactResultKey);
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
