#include "ui/CUnitsDlg.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    CUnitsDlg dlg;
    dlg.exec();
    return 0;
}
