// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/DesktopColourScheme.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QStyle>

namespace {

const char* const kPortalService = "org.freedesktop.portal.Desktop";
const char* const kPortalPath = "/org/freedesktop/portal/desktop";
const char* const kSettingsInterface = "org.freedesktop.portal.Settings";
const char* const kAppearance = "org.freedesktop.appearance";
const char* const kColourScheme = "color-scheme";
// The window is shown without waiting for the answer; one that has not come
// by then is not waited for any longer.
constexpr int kAnswerTimeoutMs = 1000;
constexpr uint kPreferDark = 1;

// A portal's values come wrapped in one variant, or in two (Read's answer).
QVariant unwrapped(QVariant value)
{
    for (int i = 0; i < 2 && value.metaType() == QMetaType::fromType<QDBusVariant>(); ++i)
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

} // namespace

DesktopColourScheme::DesktopColourScheme(QObject* parent)
    : QObject(parent)
    , light_(QApplication::palette())
    // A platform theme that brings the desktop's colours gives the
    // application a palette of its own rather than the style's.
    , themeHasColours_(QApplication::palette() != QApplication::style()->standardPalette())
{
}

void DesktopColourScheme::follow()
{
    if (themeHasColours_)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Any sender: naming the portal's service here would make Qt look up its
    // owner while the window waits.
    bus.connect(QString(), QLatin1String(kPortalPath), QLatin1String(kSettingsInterface),
                QStringLiteral("SettingChanged"), this, SLOT(settingChanged(QDBusMessage)));
    read(QStringLiteral("ReadOne"));
}

void DesktopColourScheme::read(const QString& method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kPortalService), QLatin1String(kPortalPath),
                                                       QLatin1String(kSettingsInterface), method);
    call << QLatin1String(kAppearance) << QLatin1String(kColourScheme);
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, kAnswerTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, method](QDBusPendingCallWatcher* answer) {
        answer->deleteLater();
        const QDBusMessage reply = answer->reply();
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1) {
            apply(unwrapped(reply.arguments().constFirst()));
            return;
        }
        // Portals before version 2 have Read only, which answers the same
        // value inside one more variant.
        if (method == QLatin1String("ReadOne")
            && reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod"))
            read(QStringLiteral("Read"));
    });
}

void DesktopColourScheme::settingChanged(const QDBusMessage& message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() == 3 && arguments[0].toString() == QLatin1String(kAppearance)
        && arguments[1].toString() == QLatin1String(kColourScheme))
        apply(unwrapped(arguments[2]));
}

void DesktopColourScheme::apply(const QVariant& value)
{
    const bool dark = value.metaType() == QMetaType::fromType<uint>() && value.toUInt() == kPreferDark;
    if (dark == dark_)
        return;
    dark_ = dark;
    QApplication::setPalette(dark ? darkPalette() : light_);
}

QPalette DesktopColourScheme::darkPalette()
{
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x2a, 0x2a, 0x2a);
    const QColor text(0xf0, 0xf0, 0xf0);
    const QColor muted(0x80, 0x80, 0x80);
    const QColor highlight(0x2a, 0x82, 0xda);
    QPalette palette(text, window, window.lighter(130), window.darker(160), window.darker(120), text, QColor(Qt::white),
                     base, window);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, highlight.lighter(130));
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, muted);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, muted);
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    return palette;
}
