// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/ConverterWindow.h"

#include "catalogue/catalogue.h"
#include "ui/AboutPictureWindow.h"
#include "ui/UnitFinder.h"
#include "ui/UnitList.h"
#include "ui/enter_key.h"
#include "ui/placement.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
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

// One entry of the context menu, with its key, which works wherever the
// keyboard focus is in the window.
struct ConverterWindow::Command {
    const char* text = nullptr; // none: a separator line
    QKeyCombination key = {};
    void (ConverterWindow::*run)() = nullptr; // on a switch: after it flips
    // A checkable entry whose setting is kept between runs, in this field.
    bool ConverterState::*keptSwitch = nullptr;
    // Enabled only while the result field has a text to act on.
    bool needsResult = false;
};

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

    createControls();
    layOut();
    createActions();
}

void ConverterWindow::createControls()
{
    // Created in the order of the window's template, which is also the tab
    // order: input field, From list, To list, result field.
    convertLabel_ = makeLabel("Convert:", nullptr, this);
    inputField_ = makeField("inputField", this);
    // A line edit cuts its text at 32767 characters by default; the input
    // text is the user's and is remembered between runs, so none of it is cut.
    inputField_->setMaxLength(std::numeric_limits<int>::max());
    fromList_ = makeList("fromList", ListSide::From, this);
    toList_ = makeList("toList", ListSide::To, this);
    resultField_ = makeField("resultField", this);
    resultLabel_ = makeLabel("Result:", resultField_, this);
    fromLabel_ = makeLabel("From:", fromList_, this);
    toLabel_ = makeLabel("To:", toList_, this);
    infoLine_ = new QLabel(this);
    infoLine_->setObjectName(QStringLiteral("infoLine"));
    infoLine_->setAlignment(Qt::AlignCenter);
    convertLabel_->setBuddy(inputField_);

    connect(inputField_, &QLineEdit::textChanged, this, &ConverterWindow::convert);
    connect(fromList_, &QComboBox::activated, this, [this] { listConfirmed(fromList_, toList_); });
    connect(toList_, &QComboBox::activated, this, [this] { listConfirmed(toList_, fromList_); });
}

void ConverterWindow::layOut()
{
    // The template's rectangles (x, y, width, height). A list's rectangle in
    // the template also holds its dropped-down part; the closed list takes
    // the height of an input field.
    const DialogUnits du(fontMetrics());
    place(convertLabel_, du.rect(0, 7, 35, 8));
    place(inputField_, du.rect(40, 5, 175, 13));
    place(fromList_, du.rect(40, 20, 175, 13));
    place(toList_, du.rect(40, 40, 175, 13));
    place(resultField_, du.rect(40, 55, 175, 13));
    place(resultLabel_, du.rect(0, 57, 35, 8));
    place(fromLabel_, du.rect(0, 22, 35, 8));
    place(toLabel_, du.rect(0, 42, 35, 8));
    place(infoLine_, du.rect(0, 72, 227, 8));

    // The dropped-down list fills the rest of the template's 300 units.
    fromList_->setDropDownHeight(du.y(300 - 13));
    toList_->setDropDownHeight(du.y(300 - 13));

    QRect client = du.rect(0, 0, 227, 82);
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        client = client.united(child->geometry());
    setFixedSize(client.width(), client.bottom() + 1);
}

// The window's actions are its context menu, in this order, and their keys.
void ConverterWindow::createActions()
{
    // clang-format off
    static const Command commands[] = {
        {.text = kAboutText,          .key = Qt::Key_F1,                         .run = &ConverterWindow::showAbout},
        {},
        {.text = "Swap From and To",  .key = Qt::CTRL | Qt::SHIFT | Qt::Key_S,   .run = &ConverterWindow::swapUnits},
        {.text = "Find Unit...",      .key = Qt::CTRL | Qt::Key_F,               .run = &ConverterWindow::findUnit},
        {},
        {.text = "Copy Result",       .key = Qt::CTRL | Qt::SHIFT | Qt::Key_C,   .run = &ConverterWindow::copyResult,
         .needsResult = true},
        {.text = "Shortest Result",   .key = Qt::CTRL | Qt::SHIFT | Qt::Key_R,   .run = &ConverterWindow::convert,
         .keptSwitch = &ConverterState::shortestResult},
    };
    // clang-format on
    setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const Command& command : commands) {
        auto* action = new QAction(this);
        addAction(action);
        if (command.text == nullptr) {
            action->setSeparator(true);
            continue;
        }
        action->setText(QString::fromUtf8(command.text));
        action->setShortcut(QKeySequence(command.key));
        connect(action, &QAction::triggered, this, command.run);
        if (command.keptSwitch != nullptr) {
            action->setCheckable(true);
            action->setChecked(state_.*command.keptSwitch);
            keptSwitches_.append({action, command.keptSwitch});
        }
        if (command.needsResult) {
            action->setEnabled(false);
            connect(resultField_, &QLineEdit::textChanged, action,
                    [action](const QString& text) { action->setEnabled(!text.isEmpty()); });
        }
    }
}

ConverterWindow::~ConverterWindow() = default;

void ConverterWindow::setState(const ConverterState& state)
{
    state_ = state;
    for (const KeptSwitch& kept : keptSwitches_)
        kept.action->setChecked(state.*kept.field);
}

ConverterState ConverterWindow::state() const
{
    ConverterState state = state_;
    for (const KeptSwitch& kept : keptSwitches_)
        state.*kept.field = kept.action->isChecked();
    if (isVisible() && quantaro::canPlaceWindows()) {
        state.xPosition = pos().x();
        state.yPosition = pos().y();
    }
    return state;
}

bool ConverterWindow::isOn(bool ConverterState::*field) const
{
    for (const KeptSwitch& kept : keptSwitches_)
        if (kept.field == field)
            return kept.action->isChecked();
    return false;
}

void ConverterWindow::setVisible(bool visible)
{
    if (visible && !isVisible())
        runOpening();
    QDialog::setVisible(visible);
}

void ConverterWindow::runOpening()
{
    opened_ = true;
    // Where it was left, unless no screen shows that place any more.
    if (quantaro::canPlaceWindows()) {
        QList<QRect> areas;
        for (const QScreen* screen : QGuiApplication::screens())
            areas.append(screen->availableGeometry());
        move(quantaro::reachablePosition(QPoint(state_.xPosition, state_.yPosition), size(), areas));
    }

    fromList_->fill();
    toList_->fill();
    fromList_->setCurrentIndex(state_.fromIndex);
    toList_->setCurrentIndex(state_.toIndex);

    // The saved text converts once here, also when it is empty or already in
    // the field, where setting it would raise no change.
    {
        const QSignalBlocker blocker(inputField_);
        inputField_->setText(state_.input);
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
                      isOn(&ConverterState::shortestResult) ? quantaro::ResultForm::Shortest : quantaro::ResultForm::SeventeenDigits);

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

    state_.input = input;
    state_.fromIndex = fromIndex;
    state_.toIndex = toIndex;
}

// The partner rules: the row just confirmed keeps its place; the other list
// moves to a compatible row when it shows none. Moving it by program raises
// no confirmation, so the other list's handler does not run.
void ConverterWindow::listConfirmed(UnitList* changed, UnitList* other)
{
    if (const auto index = quantaro::partnerIndex(changed->currentCode(), other->currentCode()))
        other->setCurrentIndex(*index);
    convert();
}

void ConverterWindow::swapUnits()
{
    const int from = fromList_->currentIndex();
    fromList_->setCurrentIndex(toList_->currentIndex());
    toList_->setCurrentIndex(from);
    convert();
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

void ConverterWindow::copyResult() { QGuiApplication::clipboard()->setText(resultField_->text()); }

void ConverterWindow::accept() { inputField_->setFocus(Qt::OtherFocusReason); }

void ConverterWindow::reject()
{
    // A window that never opened has no place of its own yet, and one that
    // cannot know its place has none worth keeping; the one it was given stays.
    if (opened_ && quantaro::canPlaceWindows()) {
        const QPoint corner = pos();
        state_.xPosition = corner.x();
        state_.yPosition = corner.y();
    }
    QDialog::reject();
}

void ConverterWindow::keyPressEvent(QKeyEvent* event)
{
    if (quantaro::isOkKey(*event)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
