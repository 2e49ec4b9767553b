// The start-up sequence of the real application object, without a display.
#include "app/QuantaroApplication.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

void PrintTo(const SavedState& state, std::ostream* out);  // settings_test.cpp

TEST(StartUp, EndingEveryLoopStillClosesThroughTheCancelPath)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "quantaro";
    char* argv[] = {name, nullptr};
    QuantaroApplication app(argc, argv);
    // Ending every event loop bypasses the window's cancel path.
    QTimer::singleShot(0, &app, [] {
        if (QWidget* window = QApplication::activeModalWidget())
            window->move(250, 120);
        QCoreApplication::exit(0);
    });
    app.run();

    EXPECT_EQ(app.endingSignal(), 0);
    QSettings written(config.filePath(QStringLiteral("Velkor/quantaro.conf")), QSettings::IniFormat);
    EXPECT_EQ(readSettings(written), (SavedState{250, 120, "5", 2, 1}));
}
