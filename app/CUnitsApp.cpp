#include "app/CUnitsApp.h"

#include "app/Settings.h"
#include "app/TerminationSignals.h"
#include "ui/CUnitsDlg.h"

#include <QSessionManager>
#include <QSettings>

#include <cstdio>

namespace {

// Only the user's own values: no organisation-wide or system-wide file (or
// registry key) stands in for a missing one.
void useOwnValuesOnly(QSettings& store)
{
    store.setFallbacksEnabled(false);
}

} // namespace

CUnitsApp::CUnitsApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // The application name stays the executable's base name, so the values
    // live under "Velkor/quantaro".
    setOrganizationName(QStringLiteral("Velkor"));
    setDesktopFileName(QStringLiteral("quantaro"));
}

void CUnitsApp::initInstance()
{
    CUnitsDlg dlg;
    const SavedState saved = loadState();
    dlg.xPosition = saved.xPosition;
    dlg.yPosition = saved.yPosition;
    dlg.savedInput = saved.savedInput;
    dlg.savedFrom = saved.savedFrom;
    dlg.savedTo = saved.savedTo;

    // Being told to end (a signal, the desktop session closing) is a cancel
    // like Esc: the window records its position and the state is written.
    TerminationSignals termination;
    connect(&termination, &TerminationSignals::received, &dlg, [this, &dlg](int signalNumber) {
        endedBy = signalNumber;
        closeThroughCancel(dlg);
    });
#ifndef QT_NO_SESSIONMANAGER
    connect(this, &QGuiApplication::commitDataRequest, &dlg,
            [&dlg](QSessionManager&) { closeThroughCancel(dlg); });
#endif

    dlg.exec();
    // QCoreApplication::exit() ends the modal loop too, past the window's
    // cancel path; take that path now.
    if (dlg.isVisible())
        dlg.reject();

    storeState({dlg.xPosition, dlg.yPosition, dlg.savedInput, dlg.savedFrom, dlg.savedTo});
}

SavedState CUnitsApp::loadState()
{
    QSettings store;
    useOwnValuesOnly(store);
    return readSettings(store);
}

void CUnitsApp::storeState(const SavedState& state)
{
    QSettings store;
    useOwnValuesOnly(store);
    if (writeSettings(store, state))
        return;
    // The one thing worth saying: this run's state did not reach the disk.
    const QByteArray line = applicationName().toLocal8Bit() + ": could not save the settings to "
        + store.fileName().toLocal8Bit() + "; the window position, the input and the selections of this run are lost\n";
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
}

void CUnitsApp::closeThroughCancel(CUnitsDlg& dlg)
{
    // A menu or a window run modally from the converter (the context menu, the
    // About picture) has its own loop; it must end too, or the converter's run
    // cannot return. Bounded, in case closing one popup opens another.
    for (int i = 0; i < 8 && activePopupWidget(); ++i)
        activePopupWidget()->close();
    for (QWidget* window : topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(window);
        if (dialog && dialog != &dlg && dialog->isVisible())
            dialog->reject();
    }
    dlg.reject();
}
