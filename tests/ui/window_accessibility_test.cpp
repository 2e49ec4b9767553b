// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/AboutPictureWindow.h"
#include "converter_window_fixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QMenu>
#include <QTimer>
#include <QTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <private/qguiapplication_p.h>

#include <climits>

namespace {

using Window = WindowUnderTest;

// Inch and centimetre, rows of both lists.
constexpr int kInch = 31;
constexpr int kCentimetre = 21;

// What assistive technology is told: the events Qt reports, in order.
struct Told {
    QObject* object;
    QAccessible::Event type;
};
QList<Told> told;

void note(QAccessibleEvent* event) { told.append({event->object(), event->type()}); }

int descriptionChanges(QObject* object)
{
    int count = 0;
    for (const Told& t : told)
        count += t.object == object && t.type == QAccessible::DescriptionChanged;
    return count;
}

} // namespace

class WindowAccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setKeyboardInputInterval(INT_MAX);
        QAccessible::installUpdateHandler(note);
        // As when a screen reader has turned accessibility on.
        QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
        if (platform == nullptr)
            QSKIP("this platform reports nothing to assistive technology");
        platform->setActive(true);
        QVERIFY(QAccessible::isActive());
    }

    // The input field's description says the result and the info line as
    // each key changes them, one report per change; a key that leaves the
    // result as it was reports nothing.
    void spokenResults_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("changes");
        QTest::newRow("a number") << "5" << "12.7, 1 in. = 2.54 cm" << 1;
        QTest::newRow("the same result again") << "5." << "12.7, 1 in. = 2.54 cm" << 1;
        QTest::newRow("another result") << "1\b5" << "12.7, 1 in. = 2.54 cm" << 3;
        QTest::newRow("deleted: nothing to say") << "5\b" << "" << 2;
    }

    void spokenResults()
    {
        QFETCH(QString, keys);
        QFETCH(QString, description);
        QFETCH(int, changes);
        Window w("", kInch, kCentimetre);
        w.given([](ConverterState& s) { s.request.form = quantaro::ResultForm::Shortest; });
        QVERIFY(w.showActive());
        QCOMPARE(w.input->accessibleDescription(), "");
        told.clear();
        for (const QChar key : keys) {
            if (key == u'\b')
                QTest::keyClick(w.input, Qt::Key_Backspace);
            else
                QTest::keyClicks(w.input, QString(key));
        }
        QCOMPARE(w.input->accessibleDescription(), description);
        QCOMPARE(QAccessible::queryAccessibleInterface(w.input)->text(QAccessible::Description), description);
        QCOMPARE(descriptionChanges(w.input), changes);
    }

    // Each list's drop-down has the list's name from the start. A list's rows
    // that are not units say what they are: 26 separator lines and 4 blank
    // rows read "separator", the 27 group headers are headings.
    void rowsThatAreNotUnits()
    {
        Window w;
        w.window.show();
        for (QComboBox* list : {w.from, w.to}) {
            QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(list->view());
            QCOMPARE(rows->text(QAccessible::Name), list == w.from ? "From:" : "To:");
            QCOMPARE(rows->childCount(), 238);
            int separators = 0;
            int headings = 0;
            for (int i = 0; i < rows->childCount(); ++i) {
                const QString name = rows->child(i)->text(QAccessible::Name);
                const QString said = name.trimmed();
                QVERIFY2(!said.isEmpty() && !said.startsWith(u'-') && !said.startsWith(u'_'),
                         qPrintable(QStringLiteral("row %1 reads \"%2\"").arg(i).arg(name)));
                separators += name == "separator";
                headings += rows->child(i)->text(QAccessible::Description) == "heading";
            }
            QCOMPARE(separators, 30);
            QCOMPARE(headings, 27);
            QCOMPARE(rows->child(kInch)->text(QAccessible::Name), list->itemText(kInch));
            QCOMPARE(rows->child(kInch)->text(QAccessible::Description), "");
        }
    }

    // The context menu reads the same at every opening: its entries are
    // valid at the second opening as at the first.
    void contextMenuAtEveryOpening()
    {
        Window w;
        QVERIFY(w.showActive());
        QList<QStringList> readings;
        for (int opening = 0; opening < 2; ++opening) {
            QStringList reading;
            QTimer::singleShot(0, this, [&] {
                QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
                QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(QApplication::activePopupWidget());
                reading << menu->text(QAccessible::Name);
                for (int i = 0; i < menu->childCount(); ++i) {
                    QAccessibleInterface* entry = menu->child(i);
                    reading << (entry && entry->isValid() ? entry->text(QAccessible::Name) : QStringLiteral("(gone)"));
                }
                QApplication::activePopupWidget()->close();
            });
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), w.window.mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(&w.window, &click);
            readings << reading;
        }
        QVERIFY(readings[0].size() > 8);
        QVERIFY(!readings[0].first().isEmpty());
        QVERIFY(!readings[0].contains("(gone)"));
        QCOMPARE(readings[1], readings[0]);
    }

    // Shift+F10 opens the window's menu also from the input field.
    void contextMenuFromTheKeyboard()
    {
        Window w;
        QVERIFY(w.showActive());
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
            opened = QApplication::activePopupWidget()->actions().size() > 8;
            QApplication::activePopupWidget()->close();
        });
        QTest::keyClick(w.input, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(opened);
    }

    // The About window is named, its picture described by its text.
    void aboutWindow()
    {
        AboutPictureWindow about;
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&about);
        QVERIFY(window->text(QAccessible::Name).startsWith("About"));
        QVERIFY(window->text(QAccessible::Description).contains("Unit converter"));
    }
};

QTEST_MAIN(WindowAccessibilityTest)
#include "window_accessibility_test.moc"
