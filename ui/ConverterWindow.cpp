// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/ConverterWindow.h"

#include "catalogue/catalogue.h"
#include "catalogue/recent_pairs.h"
#include "exact/conversion.h"
#include "exact/exact_result.h"
#include "ui/AboutPictureWindow.h"
#include "ui/UnitFinder.h"
#include "ui/UnitList.h"
#include "ui/enter_key.h"
#include "ui/placement.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QShortcut>

#include <limits>
#include <optional>
#include <string_view>
#include <vector>


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

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// One entry of the context menu, with its key, which works wherever the
// keyboard focus is in the window.
struct ConverterWindow::Command {
    const char* text = nullptr; // none: a separator line
    QKeyCombination key = {};
    void (ConverterWindow::*run)() = nullptr; // on a result form: after it flips
    // Enabled only while the result field has a text to act on.
    bool needsResult = false;
    // A checkable entry for one of the result forms, of which at most one is
    // on (checking it unchecks the others; none on is seventeen digits).
    std::optional<quantaro::ResultForm> resultForm = std::nullopt;
};

ConverterWindow::ConverterWindow(QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(kProductName));

    // The sizes a title bar, a task bar and a window switcher ask for, also
    // on a screen scaled by up to 2 (each drawn from the SVG); every size
    // given here is decoded when the window is first shown.
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
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
    // Where a platform names a list by its own name rather than its label,
    // and for the list's drop-down, which has no label.
    fromList_->setAccessibleName(fromLabel_->text());
    toList_->setAccessibleName(toLabel_->text());
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
         .resultForm = quantaro::ResultForm::Shortest},
        {.text = "Exact Result",      .key = Qt::CTRL | Qt::SHIFT | Qt::Key_E,   .run = &ConverterWindow::convert,
         .resultForm = quantaro::ResultForm::Exact},
        {.text = "Mixed Result",      .key = Qt::CTRL | Qt::SHIFT | Qt::Key_M,   .run = &ConverterWindow::convert,
         .resultForm = quantaro::ResultForm::Mixed},
    };
    // clang-format on
    auto* resultForms = new QActionGroup(this);
    resultForms->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
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
        if (command.resultForm) {
            action->setCheckable(true);
            resultForms_.append({action, *command.resultForm});
            resultForms->addAction(action);
        }
        if (command.needsResult) {
            action->setEnabled(false);
            connect(resultField_, &QLineEdit::textChanged, action,
                    [action](const QString& text) { action->setEnabled(!text.isEmpty()); });
        }
    }
    createFractionMenu();
    showKeptChoices();
    createRecentPairs();

    // One menu for the window's whole life. A screen reader's view of a menu
    // entry is made once per action and tied to the menu it was first read
    // in; a menu made afresh for each opening (as Qt does for a window's
    // actions) leaves those views pointing at a deleted menu, so from the
    // second opening on every entry reads as gone.
    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("contextMenu"));
    contextMenu_->setAccessibleName(QString::fromUtf8(kProductName));
    contextMenu_->addActions(actions());
    // The menu from the keyboard wherever the focus is, also in the input
    // field, whose Menu key opens the field's own editing menu.
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        const QWidget* at = focusWidget() ? focusWidget() : this;
        openContextMenu(at->mapToGlobal(QPoint(0, at->height())));
    });
}

void ConverterWindow::contextMenuEvent(QContextMenuEvent* event) { openContextMenu(event->globalPos()); }

void ConverterWindow::openContextMenu(const QPoint& globalPosition)
{
    if (contextMenu_->actions() != actions()) {
        contextMenu_->clear();
        contextMenu_->addActions(actions());
    }
    contextMenu_->exec(globalPosition);
}

// After Mixed Result, the submenu of its last part's form: two decimals or
// the nearest multiple of 1/N, for a tape measure or a drill set.
void ConverterWindow::createFractionMenu()
{
    auto* menu = new QMenu(QStringLiteral("Mixed Result Fraction"), this);
    addAction(menu->menuAction());
    auto* group = new QActionGroup(menu);
    for (int n = 1; n <= quantaro::kMaxFractionDenominator; n *= 2) {
        const int denominator = n == 1 ? quantaro::kDecimalLastPart : n;
        QAction* entry = menu->addAction(n == 1 ? QStringLiteral("Decimal") : QStringLiteral("1/%1").arg(n));
        entry->setCheckable(true);
        group->addAction(entry);
        fractions_.append({entry, denominator});
        connect(entry, &QAction::triggered, this, [this, denominator] {
            state_.request.fraction = denominator;
            convert();
        });
    }
}

// The menu's checks as the kept values say.
void ConverterWindow::showKeptChoices()
{
    for (const ResultFormEntry& entry : resultForms_)
        entry.action->setChecked(entry.form == state_.request.form);
    for (const FractionEntry& entry : fractions_)
        entry.action->setChecked(entry.denominator == state_.request.fraction);
}

// The menu's last entry, after a separator line: a submenu of the recent pairs.
void ConverterWindow::createRecentPairs()
{
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    recentMenu_ = new QMenu(QStringLiteral("Recent Pairs"), this);
    addAction(recentMenu_->menuAction());
    for (std::size_t i = 0; i < recentEntries_.size(); ++i) {
        const int position = static_cast<int>(i);
        const QKeySequence key(Qt::ALT | Qt::Key(Qt::Key_1 + position));
        recentEntries_[i] = recentMenu_->addAction(QString());
        recentEntries_[i]->setShortcut(key);
        // The entry's key reaches it only while the submenu is open; the
        // window's shortcut has it otherwise, so one key never means two.
        recentEntries_[i]->setShortcutContext(Qt::WidgetShortcut);
        connect(recentEntries_[i], &QAction::triggered, this, [this, position] { chooseRecentPair(position); });
        recentKeys_[i] = new QShortcut(key, this);
        connect(recentKeys_[i], &QShortcut::activated, this, [this, position] { chooseRecentPair(position); });
    }
    showRecentPairs();
}

ConverterWindow::~ConverterWindow() = default;

void ConverterWindow::setState(const ConverterState& state)
{
    state_ = state;
    showKeptChoices();
    showRecentPairs();
}

ConverterState ConverterWindow::state() const
{
    ConverterState state = state_;
    state.request.form = resultForm();
    if (isVisible() && quantaro::canPlaceWindows()) {
        state.xPosition = pos().x();
        state.yPosition = pos().y();
    }
    return state;
}

quantaro::ResultForm ConverterWindow::resultForm() const
{
    for (const ResultFormEntry& entry : resultForms_)
        if (entry.action->isChecked())
            return entry.form;
    return quantaro::ResultForm::SeventeenDigits;
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
    fromList_->setCurrentIndex(state_.request.fromIndex);
    toList_->setCurrentIndex(state_.request.toIndex);
    // A query on the command line opens on its pair, which the user asked for.
    quantaro::rememberPair(state_.recentPairs, {state_.request.fromIndex, state_.request.toIndex});
    showRecentPairs();

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
    state_.request.fromIndex = fromList_->currentIndex();
    state_.request.toIndex = toList_->currentIndex();
    state_.request.form = resultForm();
    // The field's text is the request's number, read in place.
    const QByteArray utf8 = input.toUtf8();
    const std::string_view text(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    std::vector<quantaro::Term> noTerms; // the window's request is one number: nothing allocated
    quantaro::Convert(quantaro::viewOf(state_.request, text, noTerms), conversion_);

    // Writing an equal text leaves the field, its cursor and its undo alone.
    const QString result = fromUtf8(conversion_.result);
    if (resultField_->text() != result) {
        resultField_->setText(result);
        // A number is read from its first digit: a result wider than the
        // field shows its beginning, not its trailing zeros.
        resultField_->setCursorPosition(0);
    }
    setWindowTitle(fromUtf8(conversion_.title));
    const QString info = input.isEmpty() ? QString() : fromUtf8(conversion_.info);
    infoLine_->setText(info);
    announce(result, info);

    state_.input = input;
    emit stateChanged();
}

// A screen reader hears each new result while the focus stays in the input
// field: the field's description holds the result and the info line, and a
// change of it is reported to assistive technology (a blank result too, as
// its info line alone). An unchanged result is not reported again.
void ConverterWindow::announce(const QString& result, const QString& info)
{
    QString spoken = result;
    if (!result.isEmpty() && !info.isEmpty())
        spoken += QStringLiteral(", ");
    spoken += info;
    if (spoken == inputField_->accessibleDescription())
        return;
    inputField_->setAccessibleDescription(spoken);
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
    if (position < 0 || position >= static_cast<int>(state_.recentPairs.size()))
        return;
    const quantaro::RowPair pair = state_.recentPairs[static_cast<std::size_t>(position)];
    fromList_->setCurrentIndex(pair.fromIndex);
    toList_->setCurrentIndex(pair.toIndex);
    arrivedAtPair();
    convert();
}

void ConverterWindow::arrivedAtPair()
{
    quantaro::rememberPair(state_.recentPairs, {fromList_->currentIndex(), toList_->currentIndex()});
    showRecentPairs();
}

// Each place's entry carries its pair's label; the places beyond the list are
// hidden.
void ConverterWindow::showRecentPairs()
{
    if (recentMenu_ == nullptr)
        return;
    const std::vector<quantaro::RowPair>& pairs = state_.recentPairs;
    for (std::size_t i = 0; i < recentEntries_.size(); ++i) {
        const bool used = i < pairs.size();
        QString label = used ? fromUtf8(quantaro::pairLabel(pairs[i], " → ")) : QString();
        recentEntries_[i]->setText(label.replace(QLatin1Char('&'), QLatin1String("&&")));
        recentEntries_[i]->setVisible(used);
    }
    recentMenu_->setEnabled(!pairs.empty());
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

void ConverterWindow::copyResult()
{
    const QByteArray shown = resultField_->text().toUtf8();
    QGuiApplication::clipboard()->setText(
        fromUtf8(quantaro::resultNumber(std::string_view(shown.constData(), static_cast<std::size_t>(shown.size())))));
}

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

void ConverterWindow::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    if (opened_ && quantaro::canPlaceWindows())
        emit stateChanged();
}

void ConverterWindow::keyPressEvent(QKeyEvent* event)
{
    if (quantaro::isOkKey(*event)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
