#include "ui/CPictureDlg.h"
#include "ui/placement.h"

#include <QScreen>
#include <QtTest>

class PictureDlgTest : public QObject {
    Q_OBJECT

private slots:
    void opensCentredWithThePicture()
    {
        CPictureDlg dlg;
        QVERIFY(dlg.picture().isNull()); // not loaded before it opens
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.size(), QSize(500, 250));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(dlg.pos(), quantaro::centredPosition(QSize(500, 250), screen));
        QVERIFY(dlg.windowFlags().testFlag(Qt::FramelessWindowHint));
        const QImage shown = dlg.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = dlg.picture().toImage().convertToFormat(QImage::Format_RGB32);
        for (const QPoint p : {QPoint(0, 0), QPoint(100, 125), QPoint(250, 140), QPoint(499, 249)})
            QCOMPARE(shown.pixel(p), picture.pixel(p));
    }

    void closes()
    {
        for (const bool click : {true, false}) {
            CPictureDlg dlg;
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            // Neither a right click nor an ordinary key closes it.
            QTest::mouseClick(&dlg, Qt::RightButton, {}, QPoint(40, 40));
            QTest::keyClick(&dlg, Qt::Key_A);
            QVERIFY(dlg.isVisible());
            if (click)
                QTest::mouseClick(&dlg, Qt::LeftButton, {}, QPoint(480, 20));
            else
                QTest::keyClick(&dlg, Qt::Key_Escape);
            QVERIFY(!dlg.isVisible());
            QCOMPARE(dlg.result(), int(click ? QDialog::Accepted : QDialog::Rejected));
        }
    }
};

QTEST_MAIN(PictureDlgTest)
#include "picture_dlg_test.moc"
