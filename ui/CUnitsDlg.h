#pragma once

#include <QDialog>
#include <QString>

// The converter window. Start-up sets the five remembered values before
// exec() and reads them back after it returns, however the window closed.
class CUnitsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CUnitsDlg(QWidget* parent = nullptr);

    int xPosition = 300;
    int yPosition = 100;
    QString savedInput = QStringLiteral("5");
    int savedFrom = 2;
    int savedTo = 1;
};
