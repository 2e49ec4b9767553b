#include "ui/CPictureDlg.h"
#include "ui/placement.h"

#include <QScreen>
#include <QtTest>

class PictureDlgTest : public QObject {
    Q_OBJECT

private slots:
    void centredOnTheScreen_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("1024 x 768") << QSize(500, 250) << QRect(0, 0, 1024, 768) << QPoint(262, 259);
        QTest::newRow("odd room rounds down") << QSize(500, 250) << QRect(0, 0, 1023, 767) << QPoint(261, 258);
        QTest::newRow("second screen") << QSize(500, 250) << QRect(1920, -100, 1280, 1024) << QPoint(2310, 287);
        QTest::newRow("exactly the screen") << QSize(500, 250) << QRect(0, 0, 500, 250) << QPoint(0, 0);
        QTest::newRow("wider than the screen") << QSize(500, 250) << QRect(10, 20, 400, 300) << QPoint(10, 45);
        QTest::newRow("larger than the screen") << QSize(500, 250) << QRect(-640, 0, 320, 200) << QPoint(-640, 0);
    }

    void centredOnTheScreen()
    {
        QFETCH(QSize, picture);
        QFETCH(QRect, screen);
        QFETCH(QPoint, position);
        QCOMPARE(quantaro::centredPosition(picture, screen), position);
    }

    void loadsThePictureWhenItOpens()
    {
        CPictureDlg dlg;
        QVERIFY(dlg.picture().isNull());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.picture().size(), QSize(500, 250));
        QCOMPARE(dlg.size(), QSize(500, 250));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(dlg.pos(), quantaro::centredPosition(QSize(500, 250), screen));
        QVERIFY(dlg.windowFlags().testFlag(Qt::FramelessWindowHint));

        // What the window shows is the picture, pixel for pixel.
        const QImage shown = dlg.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = dlg.picture().toImage().convertToFormat(QImage::Format_RGB32);
        for (const QPoint p : {QPoint(0, 0), QPoint(100, 125), QPoint(250, 140), QPoint(499, 249)})
            QCOMPARE(shown.pixel(p), picture.pixel(p));
    }

    void closes_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("left click") << 0 << int(QDialog::Accepted);
        QTest::newRow("Esc") << 1 << int(QDialog::Rejected);
    }

    void closes()
    {
        QFETCH(int, how);
        QFETCH(int, result);
        CPictureDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        // Neither a right click nor an ordinary key closes it.
        QTest::mouseClick(&dlg, Qt::RightButton, {}, QPoint(40, 40));
        QTest::keyClick(&dlg, Qt::Key_A);
        QVERIFY(dlg.isVisible());

        if (how == 0)
            QTest::mouseClick(&dlg, Qt::LeftButton, {}, QPoint(480, 20));
        else
            QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), result);
    }
};

QTEST_MAIN(PictureDlgTest)
#include "picture_dlg_test.moc"
