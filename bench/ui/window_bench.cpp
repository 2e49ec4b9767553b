#include "ui/ConverterWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

// One typed character and its deletion: two edits, two conversions, each
// writing the result field, the title and the info line.
void BM_KeystrokeToWindow(benchmark::State& state)
{
    ConverterWindow window;
    window.show();
    auto* input = window.findChild<QLineEdit*>(QStringLiteral("inputField"));
    input->end(false);
    for (auto _ : state) {
        input->insert(QStringLiteral("1"));
        input->backspace();
    }
    state.SetItemsProcessed(2 * state.iterations());
    window.reject();
}
BENCHMARK(BM_KeystrokeToWindow);

// The same edits at the end of a pasted text of 100,000 characters (as much of
// it as the field holds), beside a plain line edit holding the same text. The
// number is read from the text's beginning, so the conversion adds one pass
// over the text to what the edit control itself costs.
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

// The same controls on a plain dialog, the lists filled row by row.
void BM_OpenPlainDialog(benchmark::State& state)
{
    for (auto _ : state) {
        QDialog window;
        new QLabel(QStringLiteral("Convert:"), &window);
        auto* input = new QLineEdit(&window);
        QComboBox* lists[] = {new QComboBox(&window), new QComboBox(&window)};
        new QLineEdit(&window);
        for (const char* text : {"Result:", "From:", "To:", ""})
            new QLabel(QString::fromUtf8(text), &window);
        for (QComboBox* list : lists)
            for (int row = 0; row < 238; ++row)
                list->addItem(QStringLiteral("  row %1").arg(row), row);
        input->setText(QStringLiteral("5"));
        window.show();
        QCoreApplication::processEvents();
        window.reject();
    }
}
BENCHMARK(BM_OpenPlainDialog)->Unit(benchmark::kMicrosecond);

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
