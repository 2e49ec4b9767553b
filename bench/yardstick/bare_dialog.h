// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// The yardstick for the converter window: a plain Qt dialog with the same
// controls (labels, input field, two drop-down lists of 238 rows each, result
// field, info line), written the way Qt's own examples would, and nothing of
// ours. Its lists take the window's size policy, so that neither measures its
// 238 labels for a size hint. Each change of the input text writes the result
// field, the title and the info line, as the window's conversion does, but
// with texts that need no computing.

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

class BareDialog : public QDialog {
public:
    static constexpr const char* kTitle = "Bare Qt dialog";

    explicit BareDialog(const QString& input, const QString& result)
        : input_(new QLineEdit(input))
        , result_(new QLineEdit(result))
        , info_(new QLabel(input.isEmpty() ? QString() : QStringLiteral("1 in. = 25.4 mm")))
    {
        setWindowTitle(QString::fromUtf8(kTitle));
        info_->setAlignment(Qt::AlignCenter);
        auto* from = new QComboBox;
        auto* to = new QComboBox;

        // As many rows as the converter's lists, with labels of a similar length.
        QStringList rows;
        rows.reserve(238);
        for (int row = 0; row < 238; ++row)
            rows.append(QStringLiteral("  unit row %1 (to another unit)").arg(row));
        for (QComboBox* list : {from, to}) {
            list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            list->addItems(rows);
        }
        from->setCurrentIndex(2);
        to->setCurrentIndex(1);

        auto* grid = new QGridLayout(this);
        grid->addWidget(new QLabel(QStringLiteral("Convert:")), 0, 0, Qt::AlignRight);
        grid->addWidget(input_, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("From:")), 1, 0, Qt::AlignRight);
        grid->addWidget(from, 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("To:")), 2, 0, Qt::AlignRight);
        grid->addWidget(to, 2, 1);
        grid->addWidget(new QLabel(QStringLiteral("Result:")), 3, 0, Qt::AlignRight);
        grid->addWidget(result_, 3, 1);
        grid->addWidget(info_, 4, 0, 1, 2);

        connect(input_, &QLineEdit::textChanged, this, [this](const QString& text) {
            result_->setText(text);
            setWindowTitle(text.isEmpty() ? QString::fromUtf8(kTitle) : text + QStringLiteral(" - ") + QString::fromUtf8(kTitle));
            info_->setText(text.isEmpty() ? QString() : QStringLiteral("1 in. = 25.4 mm"));
        });
    }

    QLineEdit* inputField() const { return input_; }
    QLineEdit* resultField() const { return result_; }
    QLabel* infoLine() const { return info_; }

private:
    QLineEdit* input_;
    QLineEdit* result_;
    QLabel* info_;
};
