// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/AboutPictureWindow.h"

#include "ui/enter_key.h"
#include "ui/placement.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

AboutPictureWindow::AboutPictureWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    // The picture covers every pixel, so nothing is erased before it is drawn.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // A screen reader has only the words to go by: the window's name, and
    // the picture's own text (written in about.svg) as its description.
    setAccessibleName(QStringLiteral("About Velkor Quantaro"));
    setAccessibleDescription(QStringLiteral("Velkor Quantaro, Unit converter"));
}

void AboutPictureWindow::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        // On a scaled screen the picture of twice the pixels, so that it is
        // drawn sharp rather than enlarged.
        if (picture_.isNull() && screen && screen->devicePixelRatio() > 1
            && picture_.load(QStringLiteral(":/about@2x.png")))
            picture_.setDevicePixelRatio(2);
        if (picture_.isNull())
            picture_.load(QStringLiteral(":/about.png"));
        const QSize size = picture_.isNull() ? QSize(500, 250) : picture_.deviceIndependentSize().toSize();
        setFixedSize(size);
        if (screen)
            move(quantaro::centredPosition(size, screen->geometry()));
    }
    QDialog::setVisible(visible);
}

void AboutPictureWindow::paintEvent(QPaintEvent*)
{
    // The window's backing store is the off-screen surface: the picture is
    // copied into it and shown in one piece, so it never flickers.
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), Qt::white);
    else {
        // At 1.5x the larger picture is scaled down: smoothly, not by dropping pixels.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(0, 0, picture_);
    }
}

void AboutPictureWindow::mouseReleaseEvent(QMouseEvent* event)
{
    QDialog::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        accept();
}

void AboutPictureWindow::keyPressEvent(QKeyEvent* event)
{
    if (quantaro::isOkKey(*event)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
