#include "catalogue/catalogue.h"
#include "ui/CPictureDlg.h"
#include "ui/CUnitsDlg.h"
#include "ui/placement.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <climits>

namespace {

// The list index of the first row with this code, -1 when there is none.
int indexOf(quantaro::UnitCode code)
{
    const auto rows = quantaro::catalogueRows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        if (rows[i].code == code)
            return i;
    return -1;
}

// The converter window and its controls, found by their identifiers.
struct Window {
    CUnitsDlg dlg;
    QLineEdit* input = control<QLineEdit>(CUnitsDlg::kInputField);
    QComboBox* from = control<QComboBox>(CUnitsDlg::kFromList);
    QComboBox* to = control<QComboBox>(CUnitsDlg::kToList);
    QLineEdit* result = control<QLineEdit>(CUnitsDlg::kResultField);
    QLabel* info = control<QLabel>(CUnitsDlg::kInfoLine);

    template <typename T> T* control(int id) { return dlg.findChild<T*>(QString::number(id)); }

    Window(const QString& input, int from, int to)
    {
        dlg.savedInput = input;
        dlg.savedFrom = from;
        dlg.savedTo = to;
    }

    // The saved values always hold the state of the last conversion.
    bool savedMatches() const
    {
        return dlg.savedInput == input->text() && dlg.savedFrom == from->currentIndex()
            && dlg.savedTo == to->currentIndex();
    }

    // A row chosen by the user, as the list reports it.
    void confirm(QComboBox* list, int index)
    {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    bool showActive()
    {
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        return QTest::qWaitForWindowActive(&dlg);
    }
};

// Records what the window shows at the moment it is first shown.
class ShowWatcher : public QObject {
public:
    QString title;
    QString result;
    bool seen = false;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !seen) {
            auto* dlg = static_cast<QWidget*>(watched);
            seen = true;
            title = dlg->windowTitle();
            result = dlg->findChild<QLineEdit*>(QString::number(CUnitsDlg::kResultField))->text();
        }
        return false;
    }
};

} // namespace

class UnitsDlgTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Typed letters within one search never time out, however slow the machine.
        QApplication::setKeyboardInputInterval(60 * 60 * 1000);
    }

    void firstConversionRunsBeforeTheWindowShows()
    {
        Window w("5", 2, 1);
        ShowWatcher watcher;
        w.dlg.installEventFilter(&watcher);
        w.dlg.show();
        QVERIFY(watcher.seen);
        QCOMPARE(watcher.title, QStringLiteral("127 - Velkor Quantaro"));
        QCOMPARE(watcher.result, QStringLiteral("127"));
        QCOMPARE(w.input->text(), QStringLiteral("5"));
        QCOMPARE(w.from->currentIndex(), 2);
        QCOMPARE(w.to->currentIndex(), 1);
        QCOMPARE(w.from->count(), 238);
        QCOMPARE(w.to->count(), 238);
        QCOMPARE(w.info->text(), QStringLiteral("1 in. = 25.4 mm"));
        QCOMPARE(w.dlg.focusWidget(), w.input);
        QVERIFY(w.savedMatches());
    }

    void openingWithAnyTextOrIndexConverts_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("fromShown");
        QTest::addColumn<int>("toShown");
        QTest::addColumn<QString>("title");
        QTest::newRow("empty text") << "" << 2 << 1 << 2 << 1 << "Velkor Quantaro";
        QTest::newRow("no From row") << "5" << -1 << 1 << -1 << 1 << "5000 - Velkor Quantaro";
        QTest::newRow("From beyond the last row") << "5" << 238 << 1 << -1 << 1 << "5000 - Velkor Quantaro";
        QTest::newRow("To far outside") << "" << 2 << INT_MIN << 2 << -1 << "Velkor Quantaro";
        QTest::newRow("both outside") << "2" << 1000 << -7 << -1 << -1 << "2 - Velkor Quantaro";
        QTest::newRow("last rows") << "1" << 237 << 237 << 237 << 237 << "1 - Velkor Quantaro";
    }

    void openingWithAnyTextOrIndexConverts()
    {
        QFETCH(QString, input);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, fromShown);
        QFETCH(int, toShown);
        QFETCH(QString, title);
        Window w(input, from, to);
        w.dlg.show();
        QCOMPARE(w.from->currentIndex(), fromShown);
        QCOMPARE(w.to->currentIndex(), toShown);
        QCOMPARE(w.dlg.windowTitle(), title);
        // The first conversion ran even where the field's text did not change.
        QCOMPARE(w.dlg.savedFrom, fromShown);
        QCOMPARE(w.dlg.savedTo, toShown);
        QVERIFY(w.savedMatches());
        if (input.isEmpty())
            QCOMPARE(w.info->text(), QString());
    }

    void typingAndDeletingConvert()
    {
        Window w("5", 2, 1);
        w.dlg.show();
        struct Step {
            QString keys; // typed at the end; "\b" deletes one character
            const char* result;
            const char* title;
            const char* info;
        };
        // The number shown on opening is selected, so typing replaces it.
        const Step steps[] = {
            {QStringLiteral("2"), "50.799999999999997", "50.799999999999997 - Velkor Quantaro", "1 in. = 25.4 mm"},
            {QStringLiteral("0"), "508", "508 - Velkor Quantaro", "1 in. = 25.4 mm"},
            {QStringLiteral("\b\b"), "", "Velkor Quantaro", ""},
            {QStringLiteral("-"), "0", "0 - Velkor Quantaro", "1 in. = 25.4 mm"},
            {QStringLiteral("\b.5"), "12.699999999999999", "12.699999999999999 - Velkor Quantaro", "1 in. = 25.4 mm"},
            {QStringLiteral("x"), "12.699999999999999", "12.699999999999999 - Velkor Quantaro", "1 in. = 25.4 mm"},
        };
        for (const Step& step : steps) {
            for (const QChar c : step.keys) {
                if (c == u'\b')
                    QTest::keyClick(w.input, Qt::Key_Backspace);
                else
                    QTest::keyClicks(w.input, QString(c));
                QVERIFY(w.savedMatches());
            }
            QCOMPARE(w.result->text(), QString::fromUtf8(step.result));
            QCOMPARE(w.dlg.windowTitle(), QString::fromUtf8(step.title));
            QCOMPARE(w.info->text(), QString::fromUtf8(step.info));
        }
        QCOMPARE(w.dlg.savedInput, QStringLiteral(".5x"));
    }

    void typingIntoTheResultFieldChangesNothingElse()
    {
        Window w("5", 2, 1);
        w.dlg.show();
        QTest::keyClicks(w.result, QStringLiteral("99"));
        QCOMPARE(w.result->text(), QStringLiteral("12799"));
        QCOMPARE(w.dlg.windowTitle(), QStringLiteral("127 - Velkor Quantaro"));
        QCOMPARE(w.dlg.savedInput, QStringLiteral("5"));
        QTest::keyClick(w.input, Qt::Key_End);
        QTest::keyClicks(w.input, QStringLiteral("0"));
        QCOMPARE(w.result->text(), QStringLiteral("1270"));
    }

    void confirmedRowAppliesThePartnerRules_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("changeFrom");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("other"); // the other list's index afterwards

        QTest::newRow("inch against an area moves To to the length header")
            << 2 << indexOf(4140) << true << indexOf(2120) << 18;
        QTest::newRow("fathom keeps metre") << 2 << indexOf(1150) << true << indexOf(3110) << indexOf(1150);
        QTest::newRow("knots against metre moves From to Speed")
            << indexOf(1150) << 1 << false << indexOf(27140) << 215;
        QTest::newRow("gigabyte keeps terabyte") << 206 << 1 << false << indexOf(24180) << 206;
        QTest::newRow("preset millimetre moves To to its inch") << 2 << indexOf(2120) << true << 1 << 2;
        QTest::newRow("inch against the preset inch") << 2 << 2 << true << indexOf(2120) << 18;
        QTest::newRow("same engine power on both sides") << 2 << 176 << true << 176 << 177;
        QTest::newRow("Celsius against a preset") << 2 << 15 << true << 222 << 223;
        QTest::newRow("header under no rule") << 2 << indexOf(15150) << true << 18 << indexOf(15150);
        QTest::newRow("separator") << 2 << 5 << true << 17 << 5;
        QTest::newRow("gramme against the length header") << 18 << indexOf(1150) << false << indexOf(15150) << 136;
        QTest::newRow("To list without a row") << 2 << -1 << true << 3 << 4;
    }

    void confirmedRowAppliesThePartnerRules()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, changeFrom);
        QFETCH(int, chosen);
        QFETCH(int, other);
        Window w("1", from, to);
        w.dlg.show();
        QComboBox* changed = changeFrom ? w.from : w.to;
        QComboBox* moved = changeFrom ? w.to : w.from;
        w.confirm(changed, chosen);
        QCOMPARE(changed->currentIndex(), chosen);
        QCOMPARE(moved->currentIndex(), other);
        QVERIFY(w.savedMatches());
    }

    void arrowKeysConfirmAndProgramSelectionsDoNot()
    {
        Window w("5", 2, 1);
        w.dlg.show();

        // Selecting by program raises no confirmation: nothing moves, nothing converts.
        w.from->setCurrentIndex(indexOf(2120));
        QCOMPARE(w.to->currentIndex(), 1);
        QCOMPARE(w.dlg.savedFrom, 2);
        QCOMPARE(w.dlg.windowTitle(), QStringLiteral("127 - Velkor Quantaro"));
        w.from->setCurrentIndex(2);

        // The arrow keys confirm: From to the preset centimetre moves To to its foot.
        QTest::keyClick(w.from, Qt::Key_Down);
        QCOMPARE(w.from->currentIndex(), 3);
        QCOMPARE(w.to->currentIndex(), 4);
        QCOMPARE(w.dlg.windowTitle(), QStringLiteral("0.16404199475065617 - Velkor Quantaro"));
        QVERIFY(w.savedMatches());
    }

    void typedLettersConfirmTheNextMatchingRow_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("c: the preset centimetre") << false << "c" << 3 << 4;
        QTest::newRow("K: the preset kilometre") << false << "K" << 7 << 8;
        QTest::newRow("fa: the preset Fahrenheit") << false << "fa" << 16 << 15;
        QTest::newRow("m in the open list") << true << "m" << 5 << 6;
        QTest::newRow("fo in the open list") << true << "fo" << 4 << 3;
        QTest::newRow("nothing matches") << false << "#" << 2 << 1;
    }

    void typedLettersConfirmTheNextMatchingRow()
    {
        QFETCH(bool, open);
        QFETCH(QString, typed);
        QFETCH(int, from);
        QFETCH(int, to);
        Window w("5", 2, 1);
        QVERIFY(w.showActive());
        QWidget* target = w.from;
        if (open) {
            w.from->showPopup();
            target = w.from->view();
        }
        QSignalSpy confirmed(w.from, &QComboBox::activated);
        QTest::keyClicks(target, typed);
        QCOMPARE(w.from->currentIndex(), from);
        QCOMPARE(w.to->currentIndex(), to);
        QCOMPARE(confirmed.isEmpty(), from == 2);
        QVERIFY(w.savedMatches());
        if (open)
            w.from->hidePopup();
    }

    void swapExchangesTheSelectionsAndConverts()
    {
        Window w("5", 2, 1);
        QVERIFY(w.showActive());
        QTest::keyClick(w.input, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.from->currentIndex(), 1);
        QCOMPARE(w.to->currentIndex(), 2);
        QCOMPARE(w.dlg.windowTitle(), QStringLiteral("0.19685039370078741 - Velkor Quantaro"));
        QVERIFY(w.info->text().startsWith(QStringLiteral("1 mm = ")));
        QVERIFY(w.info->text().endsWith(QStringLiteral(" in.")));
        QVERIFY(w.savedMatches());
    }

    void contextMenuOffersAboutAndSwap()
    {
        Window w("5", 2, 1);
        QVERIFY(w.showActive());
        QStringList entries;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (const QAction* action : menu->actions())
                if (!action->isSeparator())
                    entries << action->text() + u'|' + action->shortcut().toString();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), w.dlg.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&w.dlg, &event);
        QCOMPARE(entries, (QStringList{"&About...|F1", "Swap From and To|Ctrl+Shift+S"}));
        QVERIFY(w.dlg.isVisible());
    }

    void enterKeepsTheWindowOpen_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("input field") << CUnitsDlg::kInputField;
        QTest::newRow("From list") << CUnitsDlg::kFromList;
        QTest::newRow("To list") << CUnitsDlg::kToList;
        QTest::newRow("result field") << CUnitsDlg::kResultField;
    }

    void enterKeepsTheWindowOpen()
    {
        QFETCH(int, id);
        Window w("5", 2, 1);
        QVERIFY(w.showActive());
        QWidget* control = w.control<QWidget>(id);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(w.dlg.isVisible());
        QCOMPARE(w.dlg.focusWidget(), w.input);
        QCOMPARE(w.dlg.windowTitle(), QStringLiteral("127 - Velkor Quantaro"));
    }

    void cancelRemembersTheTopLeftCorner_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Esc") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("reject") << 2;
    }

    void cancelRemembersTheTopLeftCorner()
    {
        QFETCH(int, how);
        Window w("5", 2, 1);
        w.dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.dlg));
        const QPoint moved(140, 90);
        w.dlg.move(moved);
        QTRY_COMPARE(w.dlg.pos(), moved);
        QTest::keyClick(w.input, Qt::Key_End);
        QTest::keyClicks(w.input, QStringLiteral("0"));
        if (how == 0)
            QTest::keyClick(w.input, Qt::Key_Escape);
        else if (how == 1)
            w.dlg.close();
        else
            w.dlg.reject();
        QVERIFY(!w.dlg.isVisible());
        QCOMPARE(w.dlg.result(), int(QDialog::Rejected));
        QCOMPARE(QPoint(w.dlg.xPosition, w.dlg.yPosition), moved);
        QCOMPARE(w.dlg.savedInput, QStringLiteral("50"));
    }

    void cancelBeforeOpeningKeepsThePositionGiven()
    {
        Window w("5", 2, 1);
        w.dlg.xPosition = 640;
        w.dlg.yPosition = 480;
        w.dlg.reject();
        QCOMPARE(QPoint(w.dlg.xPosition, w.dlg.yPosition), QPoint(640, 480));
        QCOMPARE(w.dlg.savedInput, QStringLiteral("5"));
    }

    void opensWhereItWasLeftIfAScreenShowsIt()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        struct Case {
            QPoint saved;
            QPoint expected; // relative to the area's top-left corner, or absolute when kept
            bool kept;
        };
        Window probe("", 0, 0);
        const QSize size = probe.dlg.size();
        const Case cases[] = {
            {area.topLeft() + QPoint(30, 40), area.topLeft() + QPoint(30, 40), true},
            {QPoint(area.right() - 5, area.bottom() - 5), QPoint(area.right() - 5, area.bottom() - 5), true},
            {QPoint(area.right() + 400, area.top() + 50), QPoint(area.right() + 1 - size.width(), area.top() + 50), false},
            {QPoint(INT_MIN, INT_MAX), QPoint(area.left(), area.bottom() + 1 - size.height()), false},
        };
        for (const Case& c : cases) {
            Window w("5", 2, 1);
            w.dlg.xPosition = c.saved.x();
            w.dlg.yPosition = c.saved.y();
            w.dlg.show();
            QCOMPARE(w.dlg.pos(), c.expected);
            w.dlg.reject();
            QCOMPARE(QPoint(w.dlg.xPosition, w.dlg.yPosition), c.expected);
        }
    }

    void reachablePosition_data()
    {
        QTest::addColumn<QPoint>("wanted");
        QTest::addColumn<QList<QRect>>("areas");
        QTest::addColumn<QPoint>("position");
        const QRect left(0, 0, 1920, 1040);
        const QRect right(1920, 0, 1280, 984);
        QTest::newRow("on the screen") << QPoint(300, 100) << QList{left} << QPoint(300, 100);
        QTest::newRow("partly off the edge") << QPoint(1800, -50) << QList{left} << QPoint(1800, -50);
        QTest::newRow("on the second screen") << QPoint(2500, 300) << QList{left, right} << QPoint(2500, 300);
        QTest::newRow("second screen gone") << QPoint(2500, 300) << QList{left} << QPoint(1520, 300);
        QTest::newRow("below, nearer the second") << QPoint(2800, 5000) << QList{left, right} << QPoint(2800, 784);
        QTest::newRow("below, nearer the first") << QPoint(2000, 5000) << QList{left, right} << QPoint(1520, 840);
        QTest::newRow("far left and above") << QPoint(-9000, -9000) << QList{left, right} << QPoint(0, 0);
        QTest::newRow("touching is not showing") << QPoint(-400, 0) << QList{left} << QPoint(0, 0);
        QTest::newRow("int extremes") << QPoint(INT_MAX, INT_MIN) << QList{left} << QPoint(1520, 0);
        QTest::newRow("larger than the area") << QPoint(5000, 0) << QList{QRect(0, 0, 300, 100)} << QPoint(0, 0);
        QTest::newRow("no screens at all") << QPoint(5000, 0) << QList<QRect>{} << QPoint(5000, 0);
    }

    void reachablePosition()
    {
        QFETCH(QPoint, wanted);
        QFETCH(QList<QRect>, areas);
        QFETCH(QPoint, position);
        QCOMPARE(quantaro::reachablePosition(wanted, QSize(400, 200), areas), position);
    }

    void controlsKeepTheirIdentifiersOrderAndNames()
    {
        Window w("5", 2, 1);
        QVERIFY(w.input && w.from && w.to && w.result && w.info);
        w.dlg.show();

        // Tab order: input field, From list, To list, result field.
        QStringList order;
        QWidget* widget = w.input;
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != w.input);
        QCOMPARE(order, (QStringList{"1000", "1002", "1006", "1001"}));

        // Screen readers find each control's label; the fields are also named
        // by it, and the info line is read as its text.
        const auto text = [](QWidget* widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        const auto labelledBy = [&text](QWidget* widget) {
            QStringList labels;
            const auto relations = QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
            for (const auto& relation : relations)
                labels << relation.first->text(QAccessible::Name);
            return labels;
        };
        QCOMPARE(labelledBy(w.input), QStringList{"Convert:"});
        QCOMPARE(labelledBy(w.from), QStringList{"From:"});
        QCOMPARE(labelledBy(w.to), QStringList{"To:"});
        QCOMPARE(labelledBy(w.result), QStringList{"Result:"});
        QCOMPARE(text(w.input), QStringLiteral("Convert:"));
        QCOMPARE(text(w.result), QStringLiteral("Result:"));
        QCOMPARE(text(w.info), QStringLiteral("1 in. = 25.4 mm"));
        QVERIFY(labelledBy(w.info).isEmpty());

        QVERIFY(w.info->alignment().testFlag(Qt::AlignHCenter));
        QVERIFY(!w.dlg.windowIcon().isNull());
        QCOMPARE(w.dlg.minimumSize(), w.dlg.maximumSize());
        const Qt::WindowFlags flags = w.dlg.windowFlags();
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void layoutStaysTidyWithTheFont_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("default font") << 1.0;
        QTest::newRow("twice the font") << 2.0;
    }

    void layoutStaysTidyWithTheFont()
    {
        QFETCH(qreal, scale);
        const QFont original = QApplication::font();
        QFont font = original;
        font.setPointSizeF(original.pointSizeF() * scale);
        QApplication::setFont(font);
        Window w("5", 2, 1);
        QApplication::setFont(original);

        const QRect client = w.dlg.rect();
        const QList<QWidget*> fields{w.input, w.from, w.to, w.result, w.info};
        for (int i = 0; i < fields.size(); ++i) {
            QVERIFY2(client.contains(fields[i]->geometry()), qPrintable(fields[i]->objectName()));
            if (i > 0) // one below the other, not overlapping
                QVERIFY(fields[i]->geometry().top() > fields[i - 1]->geometry().bottom());
        }
        for (QLabel* label : w.dlg.findChildren<QLabel*>()) {
            QVERIFY(client.contains(label->geometry()));
            if (QWidget* buddy = label->buddy()) {
                QVERIFY(label->geometry().right() < buddy->geometry().left());
                QVERIFY(label->sizeHint().width() <= label->width());
                const int middle = label->geometry().center().y();
                QVERIFY(qAbs(middle - buddy->geometry().center().y()) <= 2);
            }
        }
        QCOMPARE(w.info->width(), client.width());
    }

    void aboutOpensThePictureAndReturns()
    {
        Window w("5", 2, 1);
        QVERIFY(w.showActive());
        bool shown = false;
        bool closed = false;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(qobject_cast<CPictureDlg*>(QApplication::activeModalWidget()));
            auto* picture = qobject_cast<CPictureDlg*>(QApplication::activeModalWidget());
            QVERIFY(QTest::qWaitForWindowExposed(picture));
            shown = picture->size() == QSize(500, 250);
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(250, 125));
            closed = !picture->isVisible();
        });
        QTest::keyClick(w.input, Qt::Key_F1);
        QVERIFY(shown);
        QVERIFY(closed);
        QVERIFY(w.dlg.isVisible());
        QCOMPARE(w.dlg.windowTitle(), QStringLiteral("127 - Velkor Quantaro"));
        QVERIFY(w.savedMatches());
    }
};

QTEST_MAIN(UnitsDlgTest)
#include "units_dlg_test.moc"
