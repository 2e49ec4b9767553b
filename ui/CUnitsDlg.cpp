#include "ui/CUnitsDlg.h"

CUnitsDlg::CUnitsDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Velkor Quantaro"));
}
