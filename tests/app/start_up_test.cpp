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

void PrintTo(const SavedState& state, std::ostream* out);  // settings_test.cpp

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

    static SavedState written()
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

TEST_F(StartUp, EndingEveryLoopStillClosesThroughTheCancelPath)
{
    // Ending every event loop bypasses the window's cancel path.
    EXPECT_EQ(run([](QWidget& window) {
                  window.move(250, 120);
                  QCoreApplication::exit(0);
              }),
              0);
    EXPECT_EQ(written(), (SavedState{250, 120, "5", 2, 1}));
}

// A checkpoint or a logout the user may cancel: the state is written and the
// window stays. The session manager's end of the session then quits.
TEST_F(StartUp, ACommitDataRequestWritesTheStateAndKeepsTheWindow)
{
    bool open = false;
    SavedState atCommit;
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
    EXPECT_EQ(atCommit, (SavedState{250, 120, "42", 2, 1}));
    EXPECT_EQ(written(), (SavedState{260, 130, "42", 2, 1}));
}

} // namespace
