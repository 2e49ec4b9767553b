// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <QDialog>
#include <QPixmap>

// The About window: the product's picture at its natural size, centred on
// the screen, without frame or caption. A click, Enter or Esc closes it.
class AboutPictureWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutPictureWindow(QWidget* parent = nullptr);

    // The picture, loaded when the window opens; null before.
    const QPixmap& picture() const { return picture_; }

    // Showing the window opens it: it loads the picture, takes its size and
    // centres itself on the screen.
    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPixmap picture_;
};
