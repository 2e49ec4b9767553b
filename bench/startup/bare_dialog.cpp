// The yardstick for the converter's start: a plain Qt dialog with the same
// controls (labels, input field, two drop-down lists of 238 rows each, result
// field, info line), written the way Qt's own examples would, and nothing of
// ours. Its title is fixed, so that start_watch can find its window.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare Qt dialog"));
    auto* input = new QLineEdit(QStringLiteral("5"));
    auto* from = new QComboBox;
    auto* to = new QComboBox;
    auto* result = new QLineEdit(QStringLiteral("127"));
    auto* info = new QLabel(QStringLiteral("1 in. = 25.4 mm"));
    info->setAlignment(Qt::AlignCenter);

    // As many rows as the converter's lists, with labels of a similar length.
    QStringList rows;
    rows.reserve(238);
    for (int row = 0; row < 238; ++row)
        rows.append(QStringLiteral("  unit row %1 (to another unit)").arg(row));
    from->addItems(rows);
    to->addItems(rows);
    from->setCurrentIndex(2);
    to->setCurrentIndex(1);

    auto* grid = new QGridLayout(&dialog);
    grid->addWidget(new QLabel(QStringLiteral("Convert:")), 0, 0, Qt::AlignRight);
    grid->addWidget(input, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("From:")), 1, 0, Qt::AlignRight);
    grid->addWidget(from, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("To:")), 2, 0, Qt::AlignRight);
    grid->addWidget(to, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Result:")), 3, 0, Qt::AlignRight);
    grid->addWidget(result, 3, 1);
    grid->addWidget(info, 4, 0, 1, 2);

    return dialog.exec();
}
