// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <QObject>
#include <QPalette>
#include <QString>

class QDBusMessage;
class QVariant;

// Light or dark as the desktop says: the XDG desktop portal's setting
// org.freedesktop.appearance color-scheme, read once at start and followed
// while the program runs. 1 (prefer dark) gives the dark palette; 0 (no
// preference), 2 (prefer light), any other value or type, and no answer give
// the light one. Where the platform theme already supplies the desktop's
// colours (Plasma's), the theme's palette stays and the portal is not asked.
class DesktopColourScheme : public QObject {
    Q_OBJECT

public:
    // Takes the application's palette as it is now as the light one.
    explicit DesktopColourScheme(QObject* parent = nullptr);

    // Asks the portal and returns at once: the answer is applied when it
    // comes, and given up after a short time.
    void follow();

    // Whether the dark palette is applied.
    bool isDark() const { return dark_; }

    static QPalette darkPalette();

public slots:
    // The portal's SettingChanged signal. Qt D-Bus delivers signals to public
    // slots only; taken as the whole message, so that the value's type is
    // checked here rather than by Qt D-Bus on connecting.
    void settingChanged(const QDBusMessage& message);

private:
    void read(const QString& method);
    void apply(const QVariant& value);

    QPalette light_;
    bool themeHasColours_ = false;
    bool dark_ = false;
};
