// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/UnitList.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QApplication>
#include <QKeyEvent>
#include <QList>
#include <QProxyStyle>
#include <QStringList>

#include <algorithm>

namespace quantaro {

namespace {

QStringView withoutLeadingBlanks(const QString& label)
{
    QStringView view(label);
    while (!view.isEmpty() && view.front() == u' ')
        view = view.sliced(1);
    return view;
}

// Some styles (Fusion, Qt's default on Linux) open a list that cannot be typed
// into as a menu: as tall as all its rows allow, up to the whole screen, with
// scroll arrows instead of a scroll bar. The lists drop down as lists, below
// the closed list, with a scroll bar and the number of rows they ask for.
class DropDownStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

// The rows of one list, appended by the catalogue in one go, so that a list is
// filled without a model signal per row.
class UnitListModel : public QAbstractListModel, public ListFiller {
public:
    using QAbstractListModel::QAbstractListModel;

    void refill(ListSide side)
    {
        beginResetModel();
        labels_.clear();
        codes_.clear();
        labels_.reserve(kCatalogueRowCount);
        codes_.reserve(kCatalogueRowCount);
        fillList(side, *this);
        endResetModel();
    }

    UnitCode code(int row) const { return row >= 0 && row < codes_.size() ? codes_[row] : kNoRow; }

    int appendRow(std::string_view label) override
    {
        labels_.append(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
        codes_.append(kNoRow);
        return static_cast<int>(labels_.size() - 1);
    }

    void setRowCode(int index, UnitCode code) override
    {
        if (index >= 0 && index < codes_.size())
            codes_[index] = code;
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(labels_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= labels_.size())
            return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return labels_[index.row()];
        if (role == Qt::UserRole)
            return codes_[index.row()];
        if (role == Qt::AccessibleTextRole || role == Qt::AccessibleDescriptionRole)
            return spokenText(index.row(), role);
        return {};
    }

    // Typed letters look for a label that starts with them once its leading
    // blanks are left out, since every unit label starts with two blanks.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override
    {
        if (role != Qt::DisplayRole || (flags & Qt::MatchTypeMask) != Qt::MatchStartsWith || !start.isValid())
            return QAbstractListModel::match(start, role, value, hits, flags);
        const QString typed = value.toString();
        const Qt::CaseSensitivity cs = flags.testFlag(Qt::MatchCaseSensitive) ? Qt::CaseSensitive : Qt::CaseInsensitive;
        const int rows = rowCount();
        const int first = start.row();
        const int count = flags.testFlag(Qt::MatchWrap) ? rows : rows - first;
        QModelIndexList found;
        for (int i = 0; i < count && (hits < 0 || found.size() < hits); ++i) {
            const int row = (first + i) % rows;
            if (withoutLeadingBlanks(labels_[row]).startsWith(typed, cs))
                found.append(index(row));
        }
        return found;
    }

private:
    // What a screen reader says of the rows that are not units: a separator
    // line or a blank row is read as a separator rather than as its dashes
    // or as nothing, and a group's header says that it is one.
    static QVariant spokenText(int row, int role)
    {
        if (row >= kCatalogueRowCount)
            return {};
        switch (catalogueRows()[static_cast<std::size_t>(row)].kind) {
        case RowKind::Separator:
        case RowKind::Blank:
            return role == Qt::AccessibleTextRole ? QVariant(QStringLiteral("separator")) : QVariant();
        case RowKind::Header:
            return role == Qt::AccessibleDescriptionRole ? QVariant(QStringLiteral("heading")) : QVariant();
        case RowKind::Unit:
        case RowKind::Preset:
            break;
        }
        return {};
    }

    QStringList labels_;
    QList<UnitCode> codes_;
};

UnitList::UnitList(ListSide side, QWidget* parent)
    : QComboBox(parent)
    , side_(side)
    , model_(new UnitListModel(this))
{
    // Before the popup exists: it takes its scroll bar or arrows when made.
    auto* style = new DropDownStyle(QApplication::style()->name());
    style->setParent(this);
    setStyle(style);
    // The width comes from the window's layout; measuring 238 labels for a
    // size hint would only cost time at start-up.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setModel(model_);
}

void UnitList::fill()
{
    model_->refill(side_);
    setCurrentIndex(-1);
    // The drop-down takes the list's name: a screen reader may read it as
    // the list's part before it first opens.
    view()->setAccessibleName(accessibleName());
}

UnitCode UnitList::currentCode() const { return model_->code(currentIndex()); }

void UnitList::showPopup()
{
    const int rowHeight = view()->sizeHintForRow(0);
    if (dropDownHeight_ > 0 && rowHeight > 0)
        setMaxVisibleItems(std::max(1, dropDownHeight_ / rowHeight));
    QComboBox::showPopup();
    if (!popupWatched_) {
        view()->installEventFilter(this);
        popupWatched_ = true;
    }
}

// Letters typed into the open list jump to the next matching row and confirm
// it at once, as they do in the closed list.
bool UnitList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typed = !text.isEmpty() && text.front().isPrint() && !text.trimmed().isEmpty()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (typed) {
            const int before = view()->currentIndex().row();
            view()->keyboardSearch(text);
            const int after = view()->currentIndex().row();
            if (after >= 0 && after != before) {
                setCurrentIndex(after);
                emit activated(after);
                emit textActivated(currentText());
            }
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace quantaro
