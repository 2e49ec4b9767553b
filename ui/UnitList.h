// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/catalogue.h"
#include "engine/unit_code.h"

#include <QComboBox>

namespace quantaro {

class UnitListModel;

// The From list or the To list: a drop-down list of the catalogue rows with
// their unit codes. A row chosen by the user (mouse, arrow keys, typed
// letters) is confirmed through activated(); a row selected by the program
// with setCurrentIndex() raises no activated().
class UnitList : public QComboBox {
    Q_OBJECT

public:
    UnitList(ListSide side, QWidget* parent = nullptr);

    // Appends every catalogue row of this list's side, replacing earlier rows;
    // the list is left without a current row.
    void fill();

    // The code of the current row, kNoRow when there is none.
    UnitCode currentCode() const;

    // The height the open list may take below the closed one: it shows as
    // many whole rows as fit, never more than the screen's available height.
    void setDropDownHeight(int pixels) { dropDownHeight_ = pixels; }

    void showPopup() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ListSide side_;
    UnitListModel* model_;
    int dropDownHeight_ = 0;
    bool popupWatched_ = false;
};

} // namespace quantaro
