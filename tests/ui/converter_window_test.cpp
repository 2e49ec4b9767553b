// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/catalogue.h"
#include "ui/AboutPictureWindow.h"
#include "ui/ConverterWindow.h"
#include "ui/placement.h"
#include "converter_window_fixture.h"
#include "tests/partner_rules_table.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QTest>

#include <climits>
#include <string_view>

namespace {

int indexOf(quantaro::UnitCode code)
{
    const auto rows = quantaro::catalogueRows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        if (rows[i].code == code)
            return i;
    return -1;
}

using Window = WindowUnderTest;
using quantaro::ResultForm;

} // namespace

class ConverterWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setKeyboardInputInterval(INT_MAX); }

    // The first conversion runs while the window is being shown, before it is
    // painted, even when the field's text does not change; an index outside
    // the list leaves it without a row.
    void opening()
    {
        const struct {
            const char* text;
            int from, to, fromShown, toShown;
            const char* title;
            const char* info;
        } cases[] = {{"5", 2, 1, 2, 1, "127 - Velkor Quantaro", "1 in. = 25.4 mm"},
                     {"", 2, INT_MIN, 2, -1, "Velkor Quantaro", ""},
                     {"5", 238, 1, -1, 1, "5000 - Velkor Quantaro", "1000 mm"},
                     {"2", -1, 1000, -1, -1, "2 - Velkor Quantaro", ""}};
        for (const auto& c : cases) {
            Window w(c.text, c.from, c.to);
            w.window.show();
            QCOMPARE(w.title(), c.title);
            QCOMPARE(w.info->text(), c.info);
            QCOMPARE(w.from->currentIndex(), c.fromShown);
            QCOMPARE(w.to->currentIndex(), c.toShown);
            QCOMPARE(w.from->count(), 238);
            QVERIFY(w.saved());
            QCOMPARE(w.window.focusWidget(), w.input);
        }
    }

    // The remembered text comes back whole, however long, and a paste of the
    // same length is kept whole too.
    void longTextIsNeverCut()
    {
        const QString text = "12" + QString(100'000, QChar('x'));
        Window w(text);
        w.window.show();
        QCOMPARE(w.input->text(), text);
        QCOMPARE(w.title(), "304.79999999999995 - Velkor Quantaro");
        QVERIFY(w.saved());
        w.input->selectAll();
        w.input->insert(text + text);
        QCOMPARE(w.window.state().input.size(), 2 * text.size());
    }

    // A result wider than its field shows its first digits, as it is read.
    void longResultShowsItsBeginning()
    {
        Window w("1e300");
        w.window.show();
        QVERIFY(w.result->fontMetrics().horizontalAdvance(w.result->text()) > 2 * w.result->width());
        QCOMPARE(w.result->cursorPosition(), 0);
        QTest::keyClick(w.input, Qt::Key_Home);
        QTest::keyClick(w.input, Qt::Key_2);
        QVERIFY(w.result->text().size() > 300);
        QCOMPARE(w.result->cursorPosition(), 0);
    }

    void typingAndDeleting()
    {
        Window w;
        w.window.show();
        const struct {
            const char* keys; // "\b" deletes; the opened text is selected, so typing replaces it
            const char* result;
            const char* info;
        } steps[] = {{"2", "50.799999999999997", "1 in. = 25.4 mm"},
                     {"0", "508", "1 in. = 25.4 mm"},
                     {"\b\b", "", ""},
                     {"-", "0", "1 in. = 25.4 mm"},
                     {"\b.5x", "12.699999999999999", "1 in. = 25.4 mm"}};
        for (const auto& step : steps) {
            for (const char c : std::string_view(step.keys)) {
                if (c == '\b')
                    QTest::keyClick(w.input, Qt::Key_Backspace);
                else
                    QTest::keyClicks(w.input, QString(QChar(c)));
                QVERIFY(w.saved());
            }
            QCOMPARE(w.result->text(), step.result);
            QCOMPARE(w.title(), *step.result ? QString(step.result) + " - Velkor Quantaro" : "Velkor Quantaro");
            QCOMPARE(w.info->text(), step.info);
        }
    }

    void partnerRules_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("changeFrom");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("other"); // the other list's index afterwards
        QTest::newRow("inch against an area") << 2 << indexOf(4140) << true << indexOf(2120) << 18;
        QTest::newRow("fathom keeps metre") << 2 << indexOf(1150) << true << indexOf(3110) << indexOf(1150);
        QTest::newRow("To knots against metre") << indexOf(1150) << 1 << false << indexOf(27140) << 215;
        QTest::newRow("To gigabyte keeps terabyte") << 206 << 1 << false << indexOf(24180) << 206;
        QTest::newRow("separator moves nothing") << 2 << 5 << true << 17 << 5;
        QTest::newRow("To list without a row") << 2 << -1 << true << 3 << 4;
    }

    void partnerRules()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, changeFrom);
        QFETCH(int, chosen);
        QFETCH(int, other);
        Window w("1", from, to);
        w.window.show();
        QComboBox* changed = changeFrom ? w.from : w.to;
        QComboBox* moved = changeFrom ? w.to : w.from;

        // Selected by the program: no confirmation, so nothing moves and nothing converts.
        const QString title = w.title();
        changed->setCurrentIndex(chosen);
        QCOMPARE(moved->currentIndex(), changeFrom ? to : from);
        QCOMPARE(w.title(), title);

        emit changed->activated(chosen);
        QCOMPARE(changed->currentIndex(), chosen);
        QCOMPARE(moved->currentIndex(), other);
        QVERIFY(w.saved());
    }

    // Every partner rule, in both lists: the row is picked with the arrow key
    // as a user would, while the other list shows a foreign row, the row's
    // partner, or the same row.
    void everyPartnerRule()
    {
        Window w("1");
        w.window.show();
        for (const auto& c : quantaro::test::kPartnerRuleCases) {
            const int rows[2] = {c.first, c.second};
            for (const bool fromChanged : {true, false}) {
                QComboBox* changed = fromChanged ? w.from : w.to;
                QComboBox* other = fromChanged ? w.to : w.from;
                for (int k = 0; k < 2; ++k) {
                    const struct {
                        int shown, expected;
                    } others[] = {{c.foreign, c.movesTo[k]},
                                  {rows[1 - k], rows[1 - k]},
                                  {rows[k], c.pair ? c.movesTo[k] : rows[k]}};
                    for (const auto& o : others) {
                        const QByteArray where = QByteArray(c.rule) + (fromChanged ? ", From " : ", To ")
                            + QByteArray::number(rows[k]) + " against " + QByteArray::number(o.shown);
                        other->setCurrentIndex(o.shown);
                        changed->setCurrentIndex(rows[k] - 1);
                        QTest::keyClick(changed, Qt::Key_Down);
                        QVERIFY2(changed->currentIndex() == rows[k], where);
                        QVERIFY2(other->currentIndex() == o.expected, where);
                        QVERIFY2(w.saved(), where);
                    }
                }
            }
        }
    }

    // Arrow keys and typed letters (ignoring the labels' leading blanks) confirm a row.
    void keysConfirmRows()
    {
        const struct {
            bool open;
            const char* typed; // "" for the arrow down key
            int from, to;
        } cases[] = {{false, "", 3, 4}, {false, "c", 3, 4}, {false, "fa", 16, 15}, {true, "m", 5, 6}, {false, "#", 2, 1}};
        for (const auto& c : cases) {
            Window w;
            QVERIFY(w.showActive());
            if (c.open)
                w.from->showPopup();
            QWidget* target = c.open ? static_cast<QWidget*>(w.from->view()) : w.from;
            if (*c.typed)
                QTest::keyClicks(target, c.typed);
            else
                QTest::keyClick(target, Qt::Key_Down);
            QVERIFY2(w.from->currentIndex() == c.from && w.to->currentIndex() == c.to, c.typed);
            QVERIFY(w.saved());
            waitForFramesShown();
            w.from->hidePopup();
        }
    }

    // The open list drops down below the closed one, or above it where the
    // screen has more room there, as a list with a scroll bar: whole rows, as
    // many as the rest of the template's 300 dialog units hold (35.875 font
    // heights), no more than asked, within the screen's available height.
    // Opened at row 2, row 0 shows whole, under no scroll arrow.
    void openList()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        for (const int top : {area.top(), area.center().y() - 100, area.bottom() - 150}) {
            Window w;
            w.given([&](ConverterState& s) {
                s.xPosition = area.left();
                s.yPosition = top;
            });
            QVERIFY(w.showActive());
            w.from->showPopup();
            QAbstractItemView* view = w.from->view();
            QWidget* popup = view->window();
            QVERIFY(QTest::qWaitForWindowExposed(popup));
            const QRect shown = popup->geometry();
            const QRect closed(w.from->mapToGlobal(QPoint(0, 0)), w.from->size());
            QVERIFY2(area.contains(shown), qPrintable(QString("%1 at %2").arg(shown.height()).arg(shown.top())));
            // The popup's frame may lie on the closed list's edge line.
            QVERIFY(shown.top() >= closed.bottom() || shown.bottom() <= closed.top());
            QVERIFY(view->verticalScrollBar()->isVisible());

            const int rowHeight = view->sizeHintForRow(0);
            const int wanted = 287 * w.from->fontMetrics().height() / 8;
            QVERIFY(shown.height() <= wanted + 2 * popup->contentsMargins().top());
            if (top == area.top())
                QVERIFY(shown.height() > wanted - rowHeight);
            int rows = 0;
            for (int row = 0; row < w.from->count(); ++row)
                rows += view->visualRect(w.from->model()->index(row, 0)).intersects(view->viewport()->rect());
            QVERIFY(rows <= w.from->maxVisibleItems());

            QVERIFY(view->viewport()->rect().contains(view->visualRect(w.from->model()->index(0, 0))));
            for (const QWidget* part : popup->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY(part == view || !part->isVisible());
            waitForFramesShown();
            w.from->hidePopup();
        }
    }

    void swapShortcut()
    {
        Window w;
        QVERIFY(w.showActive());
        QTest::keyClick(w.input, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.from->currentIndex(), 1);
        QCOMPARE(w.to->currentIndex(), 2);
        QCOMPARE(w.title(), "0.19685039370078741 - Velkor Quantaro");
        QVERIFY(w.saved());
    }

    // Ctrl+Shift+R switches the result field and the title between the
    // seventeen digits and the shortest text of the same number, and back;
    // the info line stays.
    void shortestResult_data()
    {
        QTest::addColumn<bool>("remembered");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("info");
        QTest::newRow("5 in. to cm") << false << "5" << indexOf(2120) << indexOf(1130) << "12.699999999999999"
                                     << "12.7" << "1 in. = 2.54 cm";
        QTest::newRow("remembered on") << true << "1" << indexOf(2150) << indexOf(1150) << "0.3048"
                                       << "0.30480000000000002" << "1 ft. = 0.3048 m";
        QTest::newRow("empty input") << true << "" << 2 << 1 << "" << "" << "";
    }

    void shortestResult()
    {
        QFETCH(bool, remembered);
        QFETCH(QString, input);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, first);
        QFETCH(QString, then);
        QFETCH(QString, info);
        Window w(input, from, to);
        w.given([&](ConverterState& s) { s.request.form = remembered ? ResultForm::Shortest : ResultForm::SeventeenDigits; });
        QVERIFY(w.showActive());
        for (const QString& shown : {first, then, first}) {
            QCOMPARE(w.result->text(), shown);
            QCOMPARE(w.title(), shown.isEmpty() ? "Velkor Quantaro" : shown + " - Velkor Quantaro");
            QCOMPARE(w.info->text(), info);
            QTest::keyClick(w.input, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
            remembered = !remembered;
            QCOMPARE(w.window.state().request.form == ResultForm::Shortest, remembered);
        }
    }

    // Ctrl+Shift+E and Ctrl+Shift+M switch the Exact and the Mixed form on
    // and off. They and the shortest form exclude each other. With the Mixed
    // form on, a To row in a family shows its parts (170 cm = 66.929… in), any
    // other the shortest text.
    void resultForms_data()
    {
        QTest::addColumn<QString>("given");     // the kept form: 'S'hortest, 'E'xact, 'M'ixed or '-'
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("keys");      // Ctrl+Shift and each letter in turn
        QTest::addColumn<QStringList>("shown"); // before the keys and after each
        QTest::addColumn<QString>("forms");     // the same
        const int fahrenheit = indexOf(28130);
        const int celsius = indexOf(28110);
        const QString digits17 = "37.777777777777779", shortest = "37.77777777777778", exact = "37.777777777777778…";
        QTest::newRow("3 ft. to m") << "-" << "3" << indexOf(2150) << indexOf(1150) << "EE"
                                    << QStringList{"0.9144000000000001", "0.9144", "0.9144000000000001"} << "-E-";
        QTest::newRow("from the shortest form") << "S" << "100" << fahrenheit << celsius << "EER"
                                                << QStringList{shortest, exact, digits17, shortest} << "SE-S";
        QTest::newRow("beyond the double range") << "E" << "1e999999999" << fahrenheit << celsius << "E"
                                                 << QStringList{"inf", "inf"} << "E-";
        QTest::newRow("empty input") << "E" << "" << fahrenheit << celsius << "E" << QStringList{"", ""} << "E-";
        QTest::newRow("170 cm to ft") << "-" << "170" << indexOf(1130) << indexOf(2150) << "MEMRM"
                                      << QStringList{"5.577427821522309", "5 ft 6.93 in", "5.5774278215223097…",
                                                     "5 ft 6.93 in", "5.577427821522309", "5 ft 6.93 in"}
                                      << "-MEMSM";
        QTest::newRow("158 lb. to st.") << "M" << "158" << indexOf(16140) << indexOf(16150) << "M"
                                        << QStringList{"11 st 4 lb", "11.285719937199721"} << "M-";
        QTest::newRow("no family: cm to m") << "M" << "170" << indexOf(1130) << indexOf(1150) << "M"
                                            << QStringList{"1.7", "1.7"} << "M-";
    }

    void resultForms()
    {
        QFETCH(QString, given);
        QFETCH(QString, input);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, keys);
        QFETCH(QStringList, shown);
        QFETCH(QString, forms);
        const auto formOf = [](QChar c) {
            return c == 'S' ? ResultForm::Shortest
                 : c == 'E' ? ResultForm::Exact
                 : c == 'M' ? ResultForm::Mixed
                            : ResultForm::SeventeenDigits;
        };
        Window w(input, from, to);
        w.given([&](ConverterState& s) { s.request.form = formOf(given[0]); });
        QVERIFY(w.showActive());
        const QString info = w.info->text();
        for (int step = 0; step <= keys.size(); ++step) {
            if (step > 0)
                QTest::keyClick(w.input, keys[step - 1].toLatin1(), Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(w.result->text(), shown[step]);
            QCOMPARE(w.title(), shown[step].isEmpty() ? "Velkor Quantaro" : shown[step] + " - Velkor Quantaro");
            QCOMPARE(w.info->text(), info);
            QCOMPARE(w.window.state().request.form, formOf(forms[step]));
        }
    }

    // "Mixed Result Fraction" chooses the last part's form, kept beside the
    // result form; Copy Result copies the mixed text whole.
    void mixedFraction()
    {
        Window w("170", indexOf(1130), indexOf(2150));
        w.given([](ConverterState& s) {
            s.request.form = ResultForm::Mixed;
            s.request.fraction = 16;
        });
        QVERIFY(w.showActive());
        QCOMPARE(w.result->text(), "5 ft 6 15/16 in");
        QMenu* menu = nullptr;
        for (QMenu* m : w.window.findChildren<QMenu*>())
            if (m->title() == "Mixed Result Fraction")
                menu = m;
        QVERIFY(menu != nullptr);
        QStringList entries;
        QAction* checked = nullptr;
        for (QAction* entry : menu->actions()) {
            entries << entry->text();
            if (entry->isChecked())
                checked = entry;
        }
        QCOMPARE(entries, (QStringList{"Decimal", "1/2", "1/4", "1/8", "1/16", "1/32", "1/64"}));
        QVERIFY(checked != nullptr && checked->text() == "1/16");
        menu->actions().at(2)->trigger();
        QCOMPARE(w.result->text(), "5 ft 7 in"); // 66.93 in to the nearest quarter
        QCOMPARE(w.window.state().request.fraction, 4);
        QVERIFY(!menu->actions().at(4)->isChecked());
        menu->actions().at(0)->trigger();
        QCOMPARE(w.title(), "5 ft 6.93 in - Velkor Quantaro");
        QCOMPARE(w.window.state().request.fraction, 0);

        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("before");
        if (clipboard->text() != "before")
            QSKIP("no clipboard here (a compositor without a seat)");
        QTest::keyClick(w.input, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->text(), "5 ft 6.93 in");
    }

    // Copy Result leaves out the mark that more digits follow.
    void copyExactResult()
    {
        Window w("100", indexOf(28130), indexOf(28110));
        w.given([](ConverterState& s) { s.request.form = ResultForm::Exact; });
        QVERIFY(w.showActive());
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("before");
        if (clipboard->text() != "before")
            QSKIP("no clipboard here (a compositor without a seat)");
        QTest::keyClick(w.input, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->text(), "37.777777777777778");
        w.input->setText("212");
        QTest::keyClick(w.input, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->text(), "100");
    }

    // The context menu's entries and keys; Copy Result puts the bare result
    // on the clipboard, and is disabled while there is none.
    void contextMenuAndCopy()
    {
        Window w("", 2, 1);
        w.given([](ConverterState& s) { s.request.form = ResultForm::Shortest; });
        QVERIFY(w.showActive());
        QMap<QString, QAction*> entries;
        QStringList order; // separators as "-"
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
            for (QAction* action : QApplication::activePopupWidget()->actions()) {
                entries[action->text()] = action;
                order << (action->isSeparator() ? QStringLiteral("-") : action->text());
            }
            waitForFramesShown();
            QApplication::activePopupWidget()->close();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), w.window.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&w.window, &click);
        QVERIFY(entries.contains("Find Unit...") && entries.contains("Copy Result")
                && entries.contains("Shortest Result"));
        QCOMPARE(order, (QStringList{"&About...", "-", "Swap From and To", "Find Unit...", "-", "Copy Result",
                                     "Shortest Result", "Exact Result", "Mixed Result", "Mixed Result Fraction", "-",
                                     "Recent Pairs"}));
        QCOMPARE(entries["&About..."]->shortcut(), QKeySequence("F1"));
        QCOMPARE(entries["Swap From and To"]->shortcut(), QKeySequence("Ctrl+Shift+S"));
        QCOMPARE(entries["Find Unit..."]->shortcut(), QKeySequence("Ctrl+F"));
        QCOMPARE(entries["Copy Result"]->shortcut(), QKeySequence("Ctrl+Shift+C"));
        QCOMPARE(entries["Shortest Result"]->shortcut(), QKeySequence("Ctrl+Shift+R"));
        QVERIFY(entries["Shortest Result"]->isCheckable() && entries["Shortest Result"]->isChecked());
        QCOMPARE(entries["Exact Result"]->shortcut(), QKeySequence("Ctrl+Shift+E"));
        QVERIFY(entries["Exact Result"]->isCheckable() && !entries["Exact Result"]->isChecked());
        QCOMPARE(entries["Mixed Result"]->shortcut(), QKeySequence("Ctrl+Shift+M"));
        QVERIFY(entries["Mixed Result"]->isCheckable() && !entries["Mixed Result"]->isChecked());
        QVERIFY(!entries["Copy Result"]->isEnabled());

        QVERIFY(w.showActive()); // the offscreen platform leaves no window active after a menu
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("before");
        if (clipboard->text() != "before")
            QSKIP("no clipboard here (a compositor without a seat)");
        QTest::keyClick(w.input, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->text(), "before");
        QTest::keyClicks(w.input, "0.5");
        QTest::keyClick(w.input, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->text(), "12.7");
        // What the result field shows, also when typed into it.
        w.result->setFocus();
        w.result->end(false);
        QTest::keyClicks(w.result, "x");
        QTest::keyClick(w.result, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->text(), "12.7x");
        w.input->clear();
        QVERIFY(!entries["Copy Result"]->isEnabled());
    }

    void enterKeepsTheWindowOpen()
    {
        Window w;
        QVERIFY(w.showActive());
        for (QWidget* control : QList<QWidget*>{w.input, w.from, w.to, w.result}) {
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            QTest::keyClick(control, Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY(w.window.isVisible());
            QCOMPARE(w.window.focusWidget(), w.input);
        }
    }

    // Esc, the close box and reject() record the window's corner; a window
    // that never opened keeps the place it was given.
    void cancelRemembersTheCorner()
    {
        if (onWayland())
            QSKIP("a Wayland client cannot move its window nor learn where it is");
        for (int how = 0; how < 4; ++how) {
            Window w;
            w.given([](ConverterState& s) {
                s.xPosition = 40;
                s.yPosition = 30;
            });
            if (how < 3) {
                w.window.show();
                QVERIFY(QTest::qWaitForWindowExposed(&w.window));
                w.window.move(140, 90);
                QTRY_COMPARE(w.window.pos(), QPoint(140, 90));
            }
            if (how == 0)
                QTest::keyClick(w.input, Qt::Key_Escape);
            else if (how == 1)
                w.window.close();
            else
                w.window.reject();
            QVERIFY(!w.window.isVisible());
            QCOMPARE(w.window.result(), int(QDialog::Rejected));
            QCOMPARE(QPoint(w.window.state().xPosition, w.window.state().yPosition), how < 3 ? QPoint(140, 90) : QPoint(40, 30));
        }
    }

    // On Wayland the window neither goes to the remembered place nor records
    // the one Qt reports: Esc, the close box and reject() leave the values from
    // start-up as they were, for the next X11 session. The data is kept as
    // everywhere.
    void cancelOnWaylandKeepsTheRememberedPlace()
    {
        if (!onWayland())
            QSKIP("only a Wayland client is kept from placing its window");
        for (int how = 0; how < 3; ++how) {
            Window w;
            w.given([](ConverterState& s) {
                s.xPosition = 640;
                s.yPosition = 480;
            });
            w.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w.window));
            QVERIFY(!w.window.testAttribute(Qt::WA_Moved));
            QTest::keyClicks(w.input, "7");
            waitForFramesShown();
            if (how == 0)
                QTest::keyClick(w.input, Qt::Key_Escape);
            else if (how == 1)
                w.window.close();
            else
                w.window.reject();
            QVERIFY(!w.window.isVisible());
            QCOMPARE(QPoint(w.window.state().xPosition, w.window.state().yPosition), QPoint(640, 480));
            QCOMPARE(w.window.state().input, "7");
        }
    }

    // A remembered place that no screen shows any more moves onto the nearest screen.
    void reachablePosition()
    {
        const auto at = [](QPoint wanted, const QList<QRect>& areas) {
            return quantaro::reachablePosition(wanted, QSize(400, 200), areas);
        };
        const QRect left(0, 0, 1920, 1040);
        const QRect right(1920, 0, 1280, 984);
        QCOMPARE(at({1800, -50}, {left}), QPoint(1800, -50)); // partly shown stays
        QCOMPARE(at({2500, 300}, {left, right}), QPoint(2500, 300));
        QCOMPARE(at({2500, 300}, {left}), QPoint(1520, 300)); // second screen gone
        QCOMPARE(at({2800, 5000}, {left, right}), QPoint(2800, 784));
        QCOMPARE(at({-400, 0}, {left}), QPoint(0, 0)); // touching is not showing
        QCOMPARE(at({INT_MAX, INT_MIN}, {left}), QPoint(1520, 0));
        QCOMPARE(at({5000, 0}, {QRect(0, 0, 300, 100)}), QPoint(0, 0)); // larger than the screen

        if (onWayland())
            QSKIP("a Wayland client cannot move its window nor learn where it is");
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        Window w;
        w.given([&](ConverterState& s) {
            s.xPosition = area.right() + 400;
            s.yPosition = area.top() + 50;
        });
        w.window.show();
        QCOMPARE(w.window.pos(), QPoint(area.right() + 1 - w.window.width(), area.top() + 50));
    }

    void pictureCentredOnTheScreen()
    {
        using quantaro::centredPosition;
        QCOMPARE(centredPosition(QSize(500, 250), QRect(0, 0, 1024, 768)), QPoint(262, 259));
        QCOMPARE(centredPosition(QSize(500, 250), QRect(1920, -100, 1281, 1024)), QPoint(2310, 287));
        QCOMPARE(centredPosition(QSize(500, 250), QRect(10, 20, 400, 300)), QPoint(10, 45));
        QCOMPARE(centredPosition(QSize(500, 250), QRect(-640, 0, 320, 200)), QPoint(-640, 0));
    }

    void controlsOrderNamesAndLayout_data()
    {
        QTest::addColumn<qreal>("fontScale");
        QTest::newRow("default font") << 1.0;
        QTest::newRow("twice the font") << 2.0;
    }

    void controlsOrderNamesAndLayout()
    {
        QFETCH(qreal, fontScale);
        const QFont original = QApplication::font();
        QFont font = original;
        font.setPointSizeF(original.pointSizeF() * fontScale);
        QApplication::setFont(font);
        Window w;
        QApplication::setFont(original);
        w.window.show();

        QStringList tabOrder;
        for (QWidget* next = w.input; tabOrder.size() < 4; next = next->nextInFocusChain())
            if (next->focusPolicy() & Qt::TabFocus)
                tabOrder << next->objectName();
        QCOMPARE(tabOrder, (QStringList{"inputField", "fromList", "toList", "resultField"}));

        // Screen readers find each control's label; the info line is read as its text.
        const auto label = [](QWidget* widget) {
            const auto labels = QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
            return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
        };
        QCOMPARE(label(w.input), "Convert:");
        QCOMPARE(label(w.from), "From:");
        QCOMPARE(label(w.to), "To:");
        QCOMPARE(label(w.result), "Result:");
        QCOMPARE(QAccessible::queryAccessibleInterface(w.info)->text(QAccessible::Name), "1 in. = 25.4 mm");

        // Tidy: one control below the other, each label left of and level with its control.
        const QRect client = w.window.rect();
        const QList<QWidget*> column{w.input, w.from, w.to, w.result, w.info};
        for (int i = 0; i < column.size(); ++i) {
            QVERIFY(client.contains(column[i]->geometry()));
            QVERIFY(i == 0 || column[i]->geometry().top() > column[i - 1]->geometry().bottom());
        }
        for (const QLabel* l : w.window.findChildren<QLabel*>())
            if (const QWidget* buddy = l->buddy()) {
                QVERIFY(l->geometry().right() < buddy->geometry().left());
                QVERIFY(l->sizeHint().width() <= l->width());
                QVERIFY(qAbs(l->geometry().center().y() - buddy->geometry().center().y()) <= 2);
            }
        QCOMPARE(w.info->width(), client.width());
        QVERIFY(w.info->alignment().testFlag(Qt::AlignHCenter));
        QCOMPARE(w.window.minimumSize(), w.window.maximumSize());
        QVERIFY(!(w.window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!w.window.windowIcon().isNull());
    }

    // A click, Enter, keypad Enter and Esc close the picture; the control
    // that had the keyboard focus has it again.
    void aboutClosesAndGivesTheFocusBack()
    {
        const struct {
            Qt::Key key; // Key_unknown: a click
            Qt::KeyboardModifiers modifiers;
            const char* focused;
        } cases[] = {{Qt::Key_unknown, {}, "inputField"},
                     {Qt::Key_Return, {}, "toList"},
                     {Qt::Key_Enter, Qt::KeypadModifier, "resultField"},
                     {Qt::Key_Escape, {}, "fromList"}};
        for (const auto& c : cases) {
            Window w;
            QVERIFY(w.showActive());
            QWidget* focused = w.control<QWidget>(c.focused);
            focused->setFocus();
            QSize shown;
            bool closed = false;
            QTimer::singleShot(0, this, [&] {
                QTRY_VERIFY(qobject_cast<AboutPictureWindow*>(QApplication::activeModalWidget()));
                auto* picture = static_cast<AboutPictureWindow*>(QApplication::activeModalWidget());
                QVERIFY(QTest::qWaitForWindowExposed(picture));
                shown = picture->size();
                if (c.key == Qt::Key_unknown)
                    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(250, 125));
                else
                    QTest::keyClick(picture, c.key, c.modifiers);
                closed = !picture->isVisible();
            });
            QTest::keyClick(focused, Qt::Key_F1);
            QCOMPARE(shown, QSize(500, 250));
            QVERIFY(closed);
            QVERIFY(w.window.isVisible());
            QTRY_COMPARE(QApplication::focusWidget(), focused);
            QCOMPARE(w.title(), "127 - Velkor Quantaro");
        }
    }
};

WINDOW_TEST_MAIN(ConverterWindowTest)
#include "converter_window_test.moc"
