// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/AboutPictureWindow.h"
#include "ui/placement.h"
#include "on_wayland.h"

#include <QScreen>
#include <QTest>

class AboutPictureWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensCentredWithThePicture()
    {
        AboutPictureWindow window;
        QVERIFY(window.picture().isNull()); // not loaded before it opens
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(500, 250));
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = window.picture().toImage().convertToFormat(QImage::Format_RGB32);
        for (const QPoint p : {QPoint(0, 0), QPoint(100, 125), QPoint(250, 140), QPoint(499, 249)})
            QCOMPARE(shown.pixel(p), picture.pixel(p));
        waitForFramesShown();
        if (onWayland())
            QSKIP("a Wayland client cannot place its window; the compositor centres it or not");
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(window.pos(), quantaro::centredPosition(QSize(500, 250), screen));
    }

    // A left click and the dialog's own Enter (either Enter key) close with
    // OK, Esc with cancel; a right click and an ordinary key do nothing.
    void closes()
    {
        const struct {
            Qt::Key key; // Key_unknown: a left click
            Qt::KeyboardModifiers modifiers;
            QDialog::DialogCode result;
        } cases[] = {{Qt::Key_unknown, {}, QDialog::Accepted},
                     {Qt::Key_Return, {}, QDialog::Accepted},
                     {Qt::Key_Enter, Qt::KeypadModifier, QDialog::Accepted},
                     {Qt::Key_Escape, {}, QDialog::Rejected}};
        for (const auto& c : cases) {
            AboutPictureWindow window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(40, 40));
            QTest::keyClick(&window, Qt::Key_A);
            QTest::keyClick(&window, Qt::Key_Return, Qt::ControlModifier);
            QVERIFY(window.isVisible());
            waitForFramesShown();
            if (c.key == Qt::Key_unknown)
                QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(480, 20));
            else
                QTest::keyClick(&window, c.key, c.modifiers);
            QVERIFY(!window.isVisible());
            QCOMPARE(window.result(), int(c.result));
        }
    }
};

WINDOW_TEST_MAIN(AboutPictureWindowTest)
#include "about_picture_window_test.moc"
