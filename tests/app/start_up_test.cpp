// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The start-up sequence of the real application object, without a display.
#include "app/QuantaroApplication.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <private/qguiapplication_p.h>

#include <functional>
#include <optional>

void PrintTo(const ConverterState& state, std::ostream* out);  // settings_test.cpp

namespace {

// The store looks for its folder once per process, so every run here shares
// one; each starts without a settings file.
class StartUp : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        config = new QTemporaryDir;
        qputenv("XDG_CONFIG_HOME", config->path().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static void TearDownTestSuite() { delete config; }
    void SetUp() override { QFile::remove(config->filePath(QStringLiteral("Velkor/quantaro.conf"))); }

    static ConverterState written()
    {
        QSettings file(config->filePath(QStringLiteral("Velkor/quantaro.conf")), QSettings::IniFormat);
        return readSettings(file);
    }

    // A whole run, with `during` called from inside the converter's loop.
    static int run(const std::function<void(QWidget& converter)>& during)
    {
        int argc = 1;
        char name[] = "quantaro";
        char* argv[] = {name, nullptr};
        QuantaroApplication app(argc, argv);
        QTimer::singleShot(0, &app, [&] {
            if (QWidget* window = QApplication::activeModalWidget())
                during(*window);
        });
        app.run();
        return app.endingSignal();
    }

    static inline QTemporaryDir* config = nullptr;
};

// Each run hands the stored values to the window and writes back what the
// window holds when every event loop is ended, which bypasses its cancel path.
TEST_F(StartUp, StoredValuesGoThroughTheWindowAndBack)
{
    int argc = 1;
    char name[] = "quantaro";
    char* argv[] = {name, nullptr};
    QuantaroApplication app(argc, argv);
    const QString file = config->filePath(QStringLiteral("Velkor/quantaro.conf"));

    const struct {
        std::optional<ConverterState> stored; // nothing: a first run
        bool moved;                       // the window is moved to (250, 120) before the end
        ConverterState written;
    } runs[] = {
        {std::nullopt, true, {250, 120, "5", {2, 1}}},
        // The pair the window opened on joins the recent pairs.
        {ConverterState{40, 60, "10", {219, 218}}, false,
         {40, 60, "10", {219, 218, {}, {}, quantaro::ResultForm::SeventeenDigits, 0}, {{219, 218}, {2, 1}}}},
        // The result form and the Mixed form's denominator go through the window.
        {ConverterState{40, 60, "170", {21, 34, {}, {}, quantaro::ResultForm::Mixed, 16}}, false,
         {40, 60, "170", {21, 34, {}, {}, quantaro::ResultForm::Mixed, 16}, {{21, 34}, {2, 1}}}},
    };
    for (const auto& run : runs) {
        {
            QSettings store(file, QSettings::IniFormat);
            store.clear();
            if (run.stored) {
                ASSERT_TRUE(writeSettings(store, *run.stored));
            }
        }
        QTimer::singleShot(0, &app, [moved = run.moved] {
            if (QWidget* window = QApplication::activeModalWidget(); window && moved)
                window->move(250, 120);
            QCoreApplication::exit(0);
        });
        app.run();

        EXPECT_EQ(app.endingSignal(), 0);
        EXPECT_EQ(written(), run.written);
    }
}

// A checkpoint or a logout the user may cancel: the state is written and the
// window stays. The session manager's end of the session then quits.
TEST_F(StartUp, ACommitDataRequestWritesTheStateAndKeepsTheWindow)
{
    bool open = false;
    ConverterState atCommit;
    run([&](QWidget& window) {
        window.move(250, 120);
        window.findChild<QLineEdit*>(QStringLiteral("inputField"))->setText(QStringLiteral("42"));
        // What the platform's session manager calls.
        QGuiApplicationPrivate::instance()->commitData();
        open = window.isVisible();
        atCommit = written();
        window.move(260, 130);
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(qApp, &quit);
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(atCommit, (ConverterState{250, 120, "42", {2, 1}}));
    EXPECT_EQ(written(), (ConverterState{260, 130, "42", {2, 1}}));
}

} // namespace

// One list named on the command line against a saved list that shows no row
// (-1) or a row that no longer exists: the other list moves as after a pick
// in the named list, to the header of the named row's quantity (row 18,
// "Linear Measures - Metric"), and nothing is read outside the lists.
TEST(OpeningState, OneListNamedAgainstASavedListWithoutARow)
{
    for (const int savedFrom : {-1, 238, 99999}) {
        ConverterState saved;
        saved.request.fromIndex = savedFrom;
        WindowOpening opening;
        opening.toIndex = 21; // centimetre
        const ConverterState opened = QuantaroApplication::openingState(saved, opening);
        EXPECT_EQ(opened.request.toIndex, 21);
        EXPECT_EQ(opened.request.fromIndex, 18) << savedFrom;
    }
}
