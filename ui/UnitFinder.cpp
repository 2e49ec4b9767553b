// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/UnitFinder.h"

#include "catalogue/query.h"
#include "ui/placement.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace quantaro {

namespace {

constexpr int kHeaderRole = Qt::UserRole + 1;
constexpr int kShownRows = 9;

QString labelText(int index, ListSide side)
{
    const std::string_view label = catalogueRows()[static_cast<std::size_t>(index)].label(side);
    return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())).trimmed();
}

// Draws a row's label and, below it in a paler colour, its group's header.
class LabelAndHeaderDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString label = std::exchange(item.text, QString());
        const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
        const int line = item.fontMetrics.height();
        const int top = text.top() + (text.height() - 2 * line) / 2;
        QColor colour = item.palette.color(item.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                               : QPalette::Text);
        painter->save();
        painter->setFont(item.font);
        painter->setPen(colour);
        painter->drawText(QRect(text.left(), top, text.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                          item.fontMetrics.elidedText(label, Qt::ElideRight, text.width()));
        colour.setAlphaF(0.65f);
        painter->setPen(colour);
        painter->drawText(QRect(text.left(), top + line, text.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                          item.fontMetrics.elidedText(index.data(kHeaderRole).toString(), Qt::ElideRight,
                                                      text.width()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // Two lines, and a little room between rows.
        const QSize one = QStyledItemDelegate::sizeHint(option, index);
        return {one.width(), one.height() + option.fontMetrics.height() * 4 / 3};
    }
};

} // namespace

// The rows a search found; texts are made when the view asks for them.
class FoundRowsModel : public QAbstractListModel {
public:
    FoundRowsModel(ListSide side, QObject* parent)
        : QAbstractListModel(parent)
        , side_(side)
    {
    }

    void setRows(std::vector<FoundRow> rows)
    {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const FoundRow& row = rows_[static_cast<std::size_t>(index.row())];
        switch (role) {
        case Qt::DisplayRole:
            return labelText(row.index, side_);
        case kHeaderRole:
            return labelText(row.headerIndex, side_);
        case Qt::AccessibleTextRole:
            return labelText(row.index, side_) + QStringLiteral(", ") + labelText(row.headerIndex, side_);
        case Qt::UserRole:
            return row.index;
        default:
            return {};
        }
    }

private:
    ListSide side_;
    std::vector<FoundRow> rows_;
};

UnitFinder::UnitFinder(ListSide side, QWidget* parent)
    : QFrame(parent, Qt::Popup)
    , side_(side)
{
    setObjectName(QStringLiteral("unitFinder"));
    setAccessibleName(QStringLiteral("Find Unit"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);

    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("findField"));
    field_->setAccessibleName(QStringLiteral("Find unit"));
    field_->setPlaceholderText(QStringLiteral("Words of a unit's name"));
    // A paste is kept whole, as in the input field.
    field_->setMaxLength(std::numeric_limits<int>::max());

    model_ = new FoundRowsModel(side, this);
    results_ = new QListView(this);
    results_->setObjectName(QStringLiteral("foundUnits"));
    results_->setAccessibleName(QStringLiteral("Units found"));
    results_->setModel(model_);
    results_->setItemDelegate(new LabelAndHeaderDelegate(results_));
    results_->setUniformItemSizes(true);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    noMatch_ = new QLabel(QStringLiteral("No unit matches"), this);
    noMatch_->setObjectName(QStringLiteral("noMatch"));
    noMatch_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    noMatch_->setMargin(6);
    noMatch_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    // The popup keeps its size when the rows give way to "No unit matches".
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(field_);
    layout->addWidget(results_, 1);
    layout->addWidget(noMatch_, 1);

    field_->installEventFilter(this);
    results_->installEventFilter(this);
    connect(field_, &QLineEdit::textChanged, this, &UnitFinder::search);
    connect(results_, &QListView::doubleClicked, this, &UnitFinder::pickCurrent);
    search(QString());
}

void UnitFinder::popUp(QWidget* list)
{
    const QMargins margins = layout()->contentsMargins();
    const int height = 2 * frameWidth() + margins.top() + margins.bottom() + layout()->spacing()
        + field_->sizeHint().height() + 2 * results_->frameWidth() + kShownRows * results_->sizeHintForRow(0);
    QRect place(list->mapToGlobal(QPoint(0, 0)), QSize(list->width(), height));
    const QScreen* screen = list->screen();
    // On a screen lower than the popup, it shrinks to fit, fewer rows showing.
    if (screen)
        place.setHeight(std::min(place.height(), screen->availableGeometry().height()));
    // A Wayland compositor keeps a popup on the screen itself, and knows
    // better than the window where that is.
    if (screen && canPlaceWindows()) {
        const QRect area = screen->availableGeometry();
        place.moveBottom(std::min(place.bottom(), area.bottom()));
        place.moveRight(std::min(place.right(), area.right()));
        place.moveTopLeft(QPoint(std::max(place.left(), area.left()), std::max(place.top(), area.top())));
    }
    setGeometry(place);
    show();
    field_->setFocus(Qt::PopupFocusReason);
}

void UnitFinder::search(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    model_->setRows(findRankedUnitRows(side_, std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
    const bool found = model_->rowCount() > 0;
    results_->setVisible(found);
    noMatch_->setVisible(!found);
    // Read with the field, where the focus stays while typing.
    field_->setAccessibleDescription(found ? QString() : noMatch_->text());
    if (found)
        results_->setCurrentIndex(model_->index(0));
}

void UnitFinder::pickCurrent()
{
    const QModelIndex current = results_->currentIndex();
    if (!current.isValid() || results_->isHidden())
        return;
    const int index = current.data(Qt::UserRole).toInt();
    close();
    emit picked(index);
}

bool UnitFinder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pickCurrent();
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // The field keeps the focus while the arrows move through the rows.
        if (watched == field_) {
            QCoreApplication::sendEvent(results_, event);
            return true;
        }
        break;
    default:
        // Typing in the rows goes on in the field.
        if (watched == results_ && !key->text().isEmpty() && key->text().front().isPrint()) {
            field_->setFocus(Qt::OtherFocusReason);
            QCoreApplication::sendEvent(field_, event);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace quantaro
