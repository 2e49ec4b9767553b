// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/StateKeeper.h"
#include "bench/yardstick/bare_dialog.h"
#include "ui/ConverterWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <limits>

namespace {

// Notes the paint events of the controls a keystroke changes. Qt paints a
// window's changed controls together when the event loop takes up the
// window's update request, and hands the result to the platform before the
// loop goes on, so once the loop has been turned after both paints began,
// they are done and flushed.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* result, QWidget* info)
        : result_(result)
        , info_(info)
    {
        qApp->installEventFilter(this);
    }
    ~PaintWatch() override { qApp->removeEventFilter(this); }

    void reset() { resultPainted_ = infoPainted_ = false; }
    bool done() const { return resultPainted_ && infoPainted_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            resultPainted_ = resultPainted_ || watched == result_;
            infoPainted_ = infoPainted_ || watched == info_;
        }
        return false;
    }

private:
    QWidget* result_;
    QWidget* info_;
    bool resultPainted_ = false;
    bool infoPainted_ = false;
};

// Shows a window and lets it paint, so that the first keystroke finds it as
// a user would.
void showPainted(QWidget& window)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("The window was not exposed.");
    QCoreApplication::processEvents();
}

// One key as the user presses it: the key event goes to the input field (as
// a spontaneous event, shortcuts first, as QTest delivers it), the field
// edits its text and the window writes the result field, the title and the
// info line; then the event loop turns until both fields have been painted.
// The input starts empty, so that "1" and its deletion change all three.
void typeAndPaint(benchmark::State& state, QLineEdit* input, PaintWatch& paints)
{
    int keys = 0;
    for (auto _ : state) {
        for (const Qt::Key key : {Qt::Key_1, Qt::Key_Backspace}) {
            paints.reset();
            QTest::keyClick(input, key);
            while (!paints.done())
                QCoreApplication::processEvents();
            ++keys;
        }
    }
    state.SetItemsProcessed(keys);
}

// With the state kept as the program keeps it: every change noted, and a
// write each second on the writing thread, whose time counts too.
// Where `shown` is given, the result field must show it after the first "1",
// or the figure would be of another form than the row says.
void keystrokeToWindow(benchmark::State& state, quantaro::ResultForm form,
                       quantaro::RowPair pair = quantaro::kFirstRunPair, const QString& shown = {})
{
    ConverterWindow window;
    ConverterState empty;
    empty.input.clear();
    empty.request.form = form;
    empty.request.fromIndex = pair.fromIndex;
    empty.request.toIndex = pair.toIndex;
    window.setState(empty);
    const QTemporaryDir folder;
    StateKeeper keeper([&window] { return window.state(); }, folder.filePath(QStringLiteral("quantaro.conf")));
    QObject::connect(&window, &ConverterWindow::stateChanged, &keeper, &StateKeeper::changed);
    showPainted(window);
    auto* input = window.findChild<QLineEdit*>(QStringLiteral("inputField"));
    auto* result = window.findChild<QLineEdit*>(QStringLiteral("resultField"));
    if (!shown.isEmpty()) {
        QTest::keyClick(input, Qt::Key_1);
        const QString text = result->text();
        QTest::keyClick(input, Qt::Key_Backspace);
        if (text != shown) {
            state.SkipWithError(qPrintable(QStringLiteral("\"1\" shows \"%1\", not \"%2\"").arg(text, shown)));
            return;
        }
    }
    PaintWatch paints(result, window.findChild<QLabel*>(QStringLiteral("infoLine")));
    typeAndPaint(state, input, paints);
    window.reject();
}

void BM_KeystrokeToWindow(benchmark::State& state) { keystrokeToWindow(state, quantaro::ResultForm::SeventeenDigits); }
BENCHMARK(BM_KeystrokeToWindow)->MeasureProcessCPUTime();

// The same keys with "Exact Result" on: the result in exact arithmetic.
void BM_KeystrokeToWindowExact(benchmark::State& state) { keystrokeToWindow(state, quantaro::ResultForm::Exact); }
BENCHMARK(BM_KeystrokeToWindowExact)->MeasureProcessCPUTime();

// With "Mixed Result" on, metre to foot: "1" shows "3 ft 3.37 in", so the
// text that changes has both parts of the family, as "5 ft 6.93 in" has
// (centimetre to foot would show "0.39 in", an inch part alone).
void BM_KeystrokeToWindowMixed(benchmark::State& state)
{
    keystrokeToWindow(state, quantaro::ResultForm::Mixed, {23, 34}, QStringLiteral("3 ft 3.37 in"));
}
BENCHMARK(BM_KeystrokeToWindowMixed)->MeasureProcessCPUTime();

// The yardstick: the same keys into the bare dialog, of the window's size.
void BM_KeystrokeToBareDialog(benchmark::State& state)
{
    const QSize size = [] {
        ConverterWindow window;
        return window.size();
    }();
    BareDialog dialog{QString(), QString()};
    dialog.setFixedSize(size);
    showPainted(dialog);
    PaintWatch paints(dialog.resultField(), dialog.infoLine());
    typeAndPaint(state, dialog.inputField(), paints);
    dialog.reject();
}
BENCHMARK(BM_KeystrokeToBareDialog)->MeasureProcessCPUTime();

// The same edits at the end of a pasted text of 100,000 characters, beside a
// plain line edit holding the same text (its length limit raised to let it).
// The number is read from the text's beginning, so the conversion adds one
// pass over the text to what the edit control itself costs.
void longTextEdits(benchmark::State& state, QLineEdit* input)
{
    input->selectAll();
    input->insert(QStringLiteral("1.5") + QString(99'997, QLatin1Char('x')));
    input->end(false);
    input->backspace();
    for (auto _ : state) {
        input->insert(QStringLiteral("1"));
        input->backspace();
    }
    state.SetItemsProcessed(2 * state.iterations());
    state.counters["characters"] = static_cast<double>(input->text().size());
}

void BM_KeystrokeAfterLongPaste(benchmark::State& state)
{
    ConverterWindow window;
    window.show();
    longTextEdits(state, window.findChild<QLineEdit*>(QStringLiteral("inputField")));
    window.reject();
}
BENCHMARK(BM_KeystrokeAfterLongPaste)->Unit(benchmark::kMicrosecond);

void BM_PlainLineEditAfterLongPaste(benchmark::State& state)
{
    QLineEdit input;
    input.setMaxLength(std::numeric_limits<int>::max());
    input.show();
    longTextEdits(state, &input);
}
BENCHMARK(BM_PlainLineEditAfterLongPaste)->Unit(benchmark::kMicrosecond);

// Building and showing the converter window, first conversion included.
void BM_OpenConverterWindow(benchmark::State& state)
{
    for (auto _ : state) {
        ConverterWindow window;
        window.show();
        QCoreApplication::processEvents();
        window.reject();
    }
}
BENCHMARK(BM_OpenConverterWindow)->Unit(benchmark::kMicrosecond);

// The same for the bare dialog.
void BM_OpenBareDialog(benchmark::State& state)
{
    for (auto _ : state) {
        BareDialog dialog(QStringLiteral("5"), QStringLiteral("127"));
        dialog.show();
        QCoreApplication::processEvents();
        dialog.reject();
    }
}
BENCHMARK(BM_OpenBareDialog)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
