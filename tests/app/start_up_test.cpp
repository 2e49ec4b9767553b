// The start-up sequence of the real application object, without a display.
#include "app/QuantaroApplication.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <optional>

void PrintTo(const SavedState& state, std::ostream* out);  // settings_test.cpp

// Each run hands the stored values to the window and writes back what the
// window holds when every event loop is ended, which bypasses its cancel path.
TEST(StartUp, StoredValuesGoThroughTheWindowAndBack)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "quantaro";
    char* argv[] = {name, nullptr};
    QuantaroApplication app(argc, argv);
    const QString file = config.filePath(QStringLiteral("Velkor/quantaro.conf"));

    const struct {
        std::optional<SavedState> stored; // nothing: a first run
        bool moved;                       // the window is moved to (250, 120) before the end
        SavedState written;
    } runs[] = {
        {std::nullopt, true, {250, 120, "5", 2, 1}},
        {SavedState{40, 60, "10", 219, 218}, false, {40, 60, "10", 219, 218}},
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
        QSettings written(file, QSettings::IniFormat);
        EXPECT_EQ(readSettings(written), run.written);
    }
}
