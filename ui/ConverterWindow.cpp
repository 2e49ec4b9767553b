// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/ConverterWindow.h"

#include "catalogue/catalogue.h"
#include "ui/AboutPictureWindow.h"
#include "ui/UnitFinder.h"
#include "ui/UnitList.h"
#include "ui/placement.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>

#include <limits>
#include <string_view>


using quantaro::ListSide;
using quantaro::UnitList;

namespace {

const char* const kProductName = "Velkor Quantaro";
const char* const kAboutText = "&About...";

// The window is laid out in dialog units: a quarter of the font's average
// character width across and an eighth of its height down, so that it grows
// with the font and with the screen's scaling.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics)
        : baseX_((metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1)
                 / 2)
        , baseY_(metrics.height())
    {
    }

    int x(int units) const { return (units * baseX_ + 2) / 4; }
    int y(int units) const { return (units * baseY_ + 4) / 8; }

    QRect rect(int left, int top, int width, int height) const
    {
        return QRect(QPoint(x(left), y(top)), QPoint(x(left + width) - 1, y(top + height) - 1));
    }

private:
    int baseX_;
    int baseY_;
};

// Puts a control on its rectangle; a control whose style needs more height
// grows about the rectangle's middle, so that it stays in line with its label.
void place(QWidget* control, QRect rect)
{
    const int needed = control->sizeHint().height();
    if (needed > rect.height()) {
        rect.moveTop(rect.top() - (needed - rect.height()) / 2);
        rect.setHeight(needed);
    }
    control->setGeometry(rect);
}

QLabel* makeLabel(const char* text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Screen readers find a control's label through its buddy.
    label->setBuddy(buddy);
    return label;
}

QLineEdit* makeField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    return field;
}

UnitList* makeList(const char* name, ListSide side, QWidget* parent)
{
    auto* list = new UnitList(side, parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ConverterWindow::ConverterWindow(QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(kProductName));

    // The sizes a title bar, a task bar and a window switcher ask for; every
    // size given here is decoded when the window is first shown.
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/quantaro-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);

    // Created in the order of the window's template, which is also the tab
    // order: input field, From list, To list, result field.
    QLabel* convertLabel = makeLabel("Convert:", nullptr, this);
    inputField_ = makeField("inputField", this);
    // A line edit cuts its text at 32767 characters by default; the input
    // text is the user's and is remembered between runs, so none of it is cut.
    inputField_->setMaxLength(std::numeric_limits<int>::max());
    fromList_ = makeList("fromList", ListSide::From, this);
    toList_ = makeList("toList", ListSide::To, this);
    resultField_ = makeField("resultField", this);
    QLabel* resultLabel = makeLabel("Result:", resultField_, this);
    QLabel* fromLabel = makeLabel("From:", fromList_, this);
    QLabel* toLabel = makeLabel("To:", toList_, this);
    infoLine_ = new QLabel(this);
    infoLine_->setObjectName(QStringLiteral("infoLine"));
    infoLine_->setAlignment(Qt::AlignCenter);
    convertLabel->setBuddy(inputField_);

    // The template's rectangles (x, y, width, height). A list's rectangle in
    // the template also holds its dropped-down part; the closed list takes
    // the height of an input field.
    const DialogUnits du(fontMetrics());
    place(convertLabel, du.rect(0, 7, 35, 8));
    place(inputField_, du.rect(40, 5, 175, 13));
    place(fromList_, du.rect(40, 20, 175, 13));
    place(toList_, du.rect(40, 40, 175, 13));
    place(resultField_, du.rect(40, 55, 175, 13));
    place(resultLabel, du.rect(0, 57, 35, 8));
    place(fromLabel, du.rect(0, 22, 35, 8));
    place(toLabel, du.rect(0, 42, 35, 8));
    place(infoLine_, du.rect(0, 72, 227, 8));

    // The dropped-down list fills the rest of the template's 300 units.
    fromList_->setDropDownHeight(du.y(300 - 13));
    toList_->setDropDownHeight(du.y(300 - 13));

    QRect client = du.rect(0, 0, 227, 82);
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        client = client.united(child->geometry());
    setFixedSize(client.width(), client.bottom() + 1);

    connect(inputField_, &QLineEdit::textChanged, this, &ConverterWindow::convert);
    connect(fromList_, &QComboBox::activated, this, [this] { listConfirmed(fromList_, toList_); });
    connect(toList_, &QComboBox::activated, this, [this] { listConfirmed(toList_, fromList_); });

    aboutAction_ = new QAction(QString::fromUtf8(kAboutText), this);
    aboutAction_->setShortcut(QKeySequence(Qt::Key_F1));
    connect(aboutAction_, &QAction::triggered, this, &ConverterWindow::showAbout);
    addAction(aboutAction_);

    swapAction_ = new QAction(QStringLiteral("Swap From and To"), this);
    swapAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(swapAction_, &QAction::triggered, this, &ConverterWindow::swapUnits);
    addAction(swapAction_);

    findAction_ = new QAction(QStringLiteral("Find Unit..."), this);
    findAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(findAction_, &QAction::triggered, this, &ConverterWindow::findUnit);
    addAction(findAction_);

    // The bare number, for pasting into another program.
    copyAction_ = new QAction(QStringLiteral("Copy Result"), this);
    copyAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyAction_->setEnabled(false);
    connect(copyAction_, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(resultField_->text()); });
    connect(resultField_, &QLineEdit::textChanged, copyAction_,
            [this](const QString& text) { copyAction_->setEnabled(!text.isEmpty()); });
    addAction(copyAction_);

    shortestAction_ = new QAction(QStringLiteral("Shortest Result"), this);
    shortestAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    shortestAction_->setCheckable(true);
    connect(shortestAction_, &QAction::triggered, this, [this](bool checked) {
        shortestResult = checked;
        convert();
    });
    addAction(shortestAction_);

    for (std::size_t i = 0; i < recentActions_.size(); ++i) {
        QAction* action = new QAction(this);
        action->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + static_cast<int>(i))));
        connect(action, &QAction::triggered, this, [this, i] { chooseRecentPair(static_cast<int>(i)); });
        addAction(action);
        recentActions_[i] = action;
    }
}

ConverterWindow::~ConverterWindow() = default;

void ConverterWindow::setVisible(bool visible)
{
    if (visible && !isVisible())
        runOpening();
    QDialog::setVisible(visible);
}

void ConverterWindow::runOpening()
{
    opened_ = true;
    shortestAction_->setChecked(shortestResult);
    // Where it was left, unless no screen shows that place any more.
    if (quantaro::canPlaceWindows()) {
        QList<QRect> areas;
        for (const QScreen* screen : QGuiApplication::screens())
            areas.append(screen->availableGeometry());
        move(quantaro::reachablePosition(QPoint(xPosition, yPosition), size(), areas));
    }

    fromList_->fill();
    toList_->fill();
    fromList_->setCurrentIndex(savedFrom);
    toList_->setCurrentIndex(savedTo);
    // A query on the command line opens on its pair, which the user asked for.
    quantaro::rememberPair(recentPairs, {savedFrom, savedTo});
    showRecentPairs();

    // The saved text converts once here, also when it is empty or already in
    // the field, where setting it would raise no change.
    {
        const QSignalBlocker blocker(inputField_);
        inputField_->setText(savedInput);
    }
    convert();

    inputField_->setFocus(Qt::OtherFocusReason);
}

void ConverterWindow::convert()
{
    const QString input = inputField_->text();
    const int fromIndex = fromList_->currentIndex();
    const int toIndex = toList_->currentIndex();
    const QByteArray utf8 = input.toUtf8();
    quantaro::Convert(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                      fromList_->currentCode(), toList_->currentCode(), conversion_,
                      shortestResult ? quantaro::ResultForm::Shortest : quantaro::ResultForm::SeventeenDigits);

    // Writing an equal text leaves the field, its cursor and its undo alone.
    const QString result = fromUtf8(conversion_.result);
    if (resultField_->text() != result) {
        resultField_->setText(result);
        // A number is read from its first digit: a result wider than the
        // field shows its beginning, not its trailing zeros.
        resultField_->setCursorPosition(0);
    }
    setWindowTitle(fromUtf8(conversion_.title));
    infoLine_->setText(input.isEmpty() ? QString() : fromUtf8(conversion_.info));

    savedInput = input;
    savedFrom = fromIndex;
    savedTo = toIndex;
    emit stateChanged();
}

// The partner rules: the row just confirmed keeps its place; the other list
// moves to a compatible row when it shows none. Moving it by program raises
// no confirmation, so the other list's handler does not run.
void ConverterWindow::listConfirmed(UnitList* changed, UnitList* other)
{
    if (const auto index = quantaro::partnerIndex(changed->currentCode(), other->currentCode()))
        other->setCurrentIndex(*index);
    arrivedAtPair();
    convert();
}

void ConverterWindow::swapUnits()
{
    const int from = fromList_->currentIndex();
    fromList_->setCurrentIndex(toList_->currentIndex());
    toList_->setCurrentIndex(from);
    arrivedAtPair();
    convert();
}

void ConverterWindow::chooseRecentPair(int position)
{
    if (position < 0 || position >= static_cast<int>(recentPairs.size()))
        return;
    const quantaro::UnitPair pair = recentPairs[static_cast<std::size_t>(position)];
    fromList_->setCurrentIndex(pair.from);
    toList_->setCurrentIndex(pair.to);
    arrivedAtPair();
    convert();
}

void ConverterWindow::arrivedAtPair()
{
    quantaro::rememberPair(recentPairs, {fromList_->currentIndex(), toList_->currentIndex()});
    showRecentPairs();
}

// Each place's action carries its pair's label; the places beyond the list
// are disabled, so their keys do nothing.
void ConverterWindow::showRecentPairs()
{
    for (std::size_t i = 0; i < recentActions_.size(); ++i) {
        const bool used = i < recentPairs.size();
        QString label = used ? fromUtf8(quantaro::pairLabel(recentPairs[i], " → ")) : QString();
        recentActions_[i]->setText(label.replace(QLatin1Char('&'), QLatin1String("&&")));
        recentActions_[i]->setEnabled(used);
    }
}

void ConverterWindow::findUnit()
{
    UnitList* target = focusWidget() == toList_ ? toList_ : fromList_;
    UnitList* other = target == toList_ ? fromList_ : toList_;
    auto* finder = new quantaro::UnitFinder(target == toList_ ? ListSide::To : ListSide::From, this);
    // As if the user had confirmed the row in that list.
    connect(finder, &quantaro::UnitFinder::picked, this, [this, target, other](int index) {
        target->setCurrentIndex(index);
        listConfirmed(target, other);
    });
    finder->popUp(target);
}

void ConverterWindow::showAbout()
{
    AboutPictureWindow picture(this);
    picture.exec();
    // Without a window manager nothing hands the keyboard back once the
    // picture is gone; the control that had it gets it again either way.
    activateWindow();
}

void ConverterWindow::accept() { inputField_->setFocus(Qt::OtherFocusReason); }

void ConverterWindow::reject()
{
    // A window that never opened has no place of its own yet, and one that
    // cannot know its place has none worth keeping; the one it was given stays.
    if (opened_ && quantaro::canPlaceWindows()) {
        const QPoint corner = pos();
        xPosition = corner.x();
        yPosition = corner.y();
    }
    QDialog::reject();
}

void ConverterWindow::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ConverterWindow::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    if (opened_ && quantaro::canPlaceWindows())
        emit stateChanged();
}

void ConverterWindow::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(aboutAction_);
    menu.addSeparator();
    menu.addAction(swapAction_);
    menu.addAction(findAction_);
    menu.addSeparator();
    menu.addAction(copyAction_);
    menu.addAction(shortestAction_);
    menu.addSeparator();
    QMenu* recent = menu.addMenu(QStringLiteral("Recent Pairs"));
    for (QAction* action : recentActions_)
        if (action->isEnabled())
            recent->addAction(action);
    menu.exec(event->globalPos());
}
