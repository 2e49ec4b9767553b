// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The window's recent pairs: which pairs the user arrives at, in which order,
// the Recent Pairs menu and Alt+1 to Alt+9.
#include "converter_window_fixture.h"
#include "ui/UnitFinder.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <functional>
#include <vector>

namespace {

using Pairs = std::vector<quantaro::RowPair>;

// Rows from the list: 2 and 1 the inch and millimetre presets, 20
// millimetre, 23 metre, 26 kilometre, 31 inch, all lengths.
QString menuText(const ConverterWindow& window, std::vector<QKeySequence>* keys = nullptr)
{
    QStringList texts;
    for (const QAction* action : window.actions()) {
        if (!action->menu() || action->text() != QLatin1String("Recent Pairs"))
            continue;
        for (const QAction* entry : action->menu()->actions()) {
            if (!entry->isVisible())
                continue;
            texts << entry->text();
            if (keys)
                keys->push_back(entry->shortcut());
        }
    }
    return texts.join(QLatin1Char('|'));
}

} // namespace

class RecentPairsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setKeyboardInputInterval(INT_MAX); }

    // Each step and the recent pairs after it, newest first; the pair the
    // window opens on counts as arrived at.
    void arrivingAtPairs()
    {
        WindowUnderTest w("5", 31, 20);
        QVERIFY(w.showActive());
        QSignalSpy changes(&w.window, &ConverterWindow::stateChanged);
        const struct {
            const char* step;
            std::function<void()> act;
            Pairs recent;
            const char* title;
        } steps[] = {
            {"opened", [] {}, {{31, 20}, {2, 1}}, "127 - Velkor Quantaro"},
            {"From: metre", [&] { w.from->setCurrentIndex(23); emit w.from->activated(23); },
             {{23, 20}, {31, 20}, {2, 1}}, "5000 - Velkor Quantaro"},
            {"Swap", [&] { QTest::keyClick(w.input, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); },
             {{20, 23}, {23, 20}, {31, 20}, {2, 1}}, "0.0050000000000000001 - Velkor Quantaro"},
            {"typing changes no pair", [&] { w.input->end(false); QTest::keyClick(w.input, Qt::Key_0); },
             {{20, 23}, {23, 20}, {31, 20}, {2, 1}}, "0.050000000000000003 - Velkor Quantaro"},
            {"Find Unit in To: kilometre", [&] {
                 w.to->setFocus();
                 w.window.findUnit();
                 auto* finder = w.window.findChild<quantaro::UnitFinder*>();
                 QVERIFY(finder);
                 // As the finder does on Enter: it closes, then tells.
                 waitForFramesShown();
                 finder->close();
                 emit finder->picked(26);
             },
             {{20, 26}, {20, 23}, {23, 20}, {31, 20}, {2, 1}}, "0.00005 - Velkor Quantaro"},
            {"Alt+3: metre to millimetre again, now the newest", [&] {
                 QTest::keyClick(w.input, Qt::Key_3, Qt::AltModifier);
             },
             {{23, 20}, {20, 26}, {20, 23}, {31, 20}, {2, 1}}, "50000 - Velkor Quantaro"},
            {"Alt+1: the pair shown", [&] { QTest::keyClick(w.input, Qt::Key_1, Qt::AltModifier); },
             {{23, 20}, {20, 26}, {20, 23}, {31, 20}, {2, 1}}, "50000 - Velkor Quantaro"},
            {"Alt+9: no pair there", [&] { QTest::keyClick(w.input, Qt::Key_9, Qt::AltModifier); },
             {{23, 20}, {20, 26}, {20, 23}, {31, 20}, {2, 1}}, "50000 - Velkor Quantaro"},
            {"Alt+5: the first-run pair", [&] { QTest::keyClick(w.from, Qt::Key_5, Qt::AltModifier); },
             {{2, 1}, {23, 20}, {20, 26}, {20, 23}, {31, 20}}, "1270 - Velkor Quantaro"},
        };
        for (const auto& step : steps) {
            step.act();
            QVERIFY2(w.window.state().recentPairs == step.recent, step.step);
            QCOMPARE(w.title(), QString::fromUtf8(step.title));
            QVERIFY2(w.saved(), step.step);
        }
        QVERIFY(changes.count() >= 7);

        std::vector<QKeySequence> keys;
        QCOMPARE(menuText(w.window, &keys),
                 QString::fromUtf8("inch (in.) → millimetre (mm)|metre (m) → millimetre (mm)|millimetre (mm) → "
                                   "kilometre (km)|millimetre (mm) → metre (m)|inch (in.) → millimetre (mm)"));
        QCOMPARE(keys, (std::vector<QKeySequence>{QKeySequence("Alt+1"), QKeySequence("Alt+2"), QKeySequence("Alt+3"),
                                                  QKeySequence("Alt+4"), QKeySequence("Alt+5")}));
    }

    // Nine at most: a tenth pair pushes out the oldest, and its key then
    // reaches the pair that moved into its place.
    void nineAtMost()
    {
        WindowUnderTest w("1", 19, 20);
        w.given([](ConverterState& state) { state.recentPairs.clear(); });
        QVERIFY(w.showActive());
        for (const int from : {21, 22, 23, 24, 25, 26, 27, 30, 31}) {
            w.from->setCurrentIndex(from);
            emit w.from->activated(from);
        }
        const Pairs nine{{31, 20}, {30, 20}, {27, 20}, {26, 20}, {25, 20}, {24, 20}, {23, 20}, {22, 20}, {21, 20}};
        QVERIFY(w.window.state().recentPairs == nine);
        QTest::keyClick(w.input, Qt::Key_9, Qt::AltModifier);
        QCOMPARE(w.from->currentIndex(), 21);
        QCOMPARE(w.title(), "10 - Velkor Quantaro");
    }
};

WINDOW_TEST_MAIN(RecentPairsWindowTest)
#include "recent_pairs_window_test.moc"
