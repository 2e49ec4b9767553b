// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/QuantaroApplication.h"

#include "app/DesktopColourScheme.h"
#include "app/Settings.h"
#include "app/StateKeeper.h"
#include "app/TerminationSignals.h"
#include "ui/ConverterWindow.h"

#include <QSessionManager>
#include <QSettings>

#include <cstdlib>
#include <functional>
#include <utility>

namespace {

// The state of a run that is not written yet, and what writes it.
const std::function<ConverterState()>* unwrittenState = nullptr;
StateKeeper* runningKeeper = nullptr;

// Only the user's own values: no organisation-wide or system-wide file (or
// registry key) stands in for a missing one.
void useOwnValuesOnly(QSettings& store)
{
    store.setFallbacksEnabled(false);
}

} // namespace

QuantaroApplication::QuantaroApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // The application name stays the executable's base name, so the values
    // live under "Velkor/quantaro" as they always have. The application ID
    // names the desktop entry; Wayland shells find our name and icon by it.
    setOrganizationName(QStringLiteral("Velkor"));
    setDesktopFileName(QStringLiteral("com.velkor.Quantaro"));
}

void QuantaroApplication::run()
{
    // Asked first, so that the answer has the most time to come before the
    // window's first paint; the window is never held back for it.
    DesktopColourScheme colourScheme;
    colourScheme.follow();
    ConverterWindow converter;
    const ConverterState saved = loadState();
    const ConverterState opened = openingState(saved, opening_);
    converter.setState(opened);
    // The form given for this run stays this run's while its switches are
    // as it set them.
    const std::function<ConverterState()> toKeep = [&converter, &saved, &opened] {
        ConverterState state = converter.state();
        if (state.request.form == opened.request.form)
            state.request.form = saved.request.form;
        return state;
    };

    // Written as it goes, whatever ends the run later.
    StateKeeper keeper(toKeep);
    connect(&converter, &ConverterWindow::stateChanged, &keeper, &StateKeeper::changed);

    // The platform plugin ends the process through exit() when the display
    // goes away (the X server ends, a logout closes the display first), and
    // never returns here; the state is written on that exit instead.
    // Registered after the settings were read, so that what the store keeps
    // in statics was made before, and is destroyed after, the handler runs.
    static const bool storedOnExit = std::atexit(storeUnwrittenState) == 0;
    unwrittenState = storedOnExit ? &toKeep : nullptr;
    runningKeeper = &keeper;

    // Being told to end (a signal, the desktop session closing) is a cancel
    // like Esc: the window records its position (where it can know it) and
    // the state is written.
    TerminationSignals termination;
    connect(&termination, &TerminationSignals::received, &converter, [this, &converter](int signalNumber) {
        endedBy = signalNumber;
        closeThroughCancel(converter);
    });
#ifndef QT_NO_SESSIONMANAGER
    // Also sent for a checkpoint and for a logout the user may still cancel:
    // the state is written and the window stays. A session that really ends
    // then quits the application, which closes the window through its cancel
    // path.
    connect(this, &QGuiApplication::commitDataRequest, &converter,
            [&toKeep, &keeper](QSessionManager&) { keeper.writeNow(toKeep()); });
#endif

    converter.exec();
    // QCoreApplication::exit() ends the modal loop too, past the window's
    // cancel path; take that path now.
    if (converter.isVisible())
        converter.reject();

    unwrittenState = nullptr;
    runningKeeper = nullptr;
    keeper.stop();
    keeper.writeNow(toKeep());
}

// Runs on exit(). Only reads the window: the display may be gone.
void QuantaroApplication::storeUnwrittenState()
{
    const std::function<ConverterState()>* state = std::exchange(unwrittenState, nullptr);
    StateKeeper* keeper = std::exchange(runningKeeper, nullptr);
    if (state && keeper) {
        keeper->writeNow((*state)());
        keeper->stop();
    }
}

ConverterState QuantaroApplication::openingState(const ConverterState& saved, const WindowOpening& opening)
{
    ConverterState state = saved;
    if (opening.input)
        state.input = QString::fromUtf8(opening.input->data(), qsizetype(opening.input->size()));
    if (opening.fromIndex >= 0)
        state.request.fromIndex = opening.fromIndex;
    if (opening.toIndex >= 0)
        state.request.toIndex = opening.toIndex;
    // One list named: the other moves to a partner where it shows none, as
    // after a pick in the named list.
    if ((opening.fromIndex >= 0) != (opening.toIndex >= 0)) {
        const bool fromNamed = opening.fromIndex >= 0;
        int& other = fromNamed ? state.request.toIndex : state.request.fromIndex;
        const int named = fromNamed ? state.request.fromIndex : state.request.toIndex;
        if (const auto partner = quantaro::partnerIndex(quantaro::rowCode(named), quantaro::rowCode(other)))
            other = *partner;
    }
    switch (opening.form) {
    case RunForm::Saved: break;
    case RunForm::Shortest: state.request.form = quantaro::ResultForm::Shortest; break;
    case RunForm::Exact: state.request.form = quantaro::ResultForm::Exact; break;
    case RunForm::Mixed: state.request.form = quantaro::ResultForm::Mixed; break;
    }
    return state;
}

ConverterState QuantaroApplication::loadState()
{
    QSettings store;
    useOwnValuesOnly(store);
    return readSettings(store);
}

void QuantaroApplication::closeThroughCancel(ConverterWindow& converter)
{
    // A menu or a window run modally from the converter (the context menu, the
    // About picture) has its own loop; it must end too, or the converter's run
    // cannot return. Bounded, in case closing one popup opens another.
    for (int i = 0; i < 8 && activePopupWidget(); ++i)
        activePopupWidget()->close();
    for (QWidget* window : topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(window);
        if (dialog && dialog != &converter && dialog->isVisible())
            dialog->reject();
    }
    converter.reject();
}
