#pragma once

#include "engine/convert.h"

#include <QDialog>
#include <QString>

class QAction;
class QLabel;
class QLineEdit;

namespace quantaro {
class UnitList;
}

// The converter window. Start-up sets the five remembered values before
// exec() and reads them back after it returns, however the window closed.
class CUnitsDlg : public QDialog {
    Q_OBJECT

public:
    // Control identifiers; each control also carries its identifier as its
    // object name ("1000", ...).
    static constexpr int kInputField = 1000;
    static constexpr int kResultField = 1001;
    static constexpr int kFromList = 1002;
    static constexpr int kInfoLine = 1003;
    static constexpr int kToList = 1006;
    // The window menu command of "&About..." (Windows).
    static constexpr int kAboutCommand = 16;

    explicit CUnitsDlg(QWidget* parent = nullptr);
    ~CUnitsDlg() override;

    int xPosition = 300;
    int yPosition = 100;
    QString savedInput = QStringLiteral("5");
    int savedFrom = 2;
    int savedTo = 1;

    // The OK command (Enter): the window stays open and the input field takes
    // the keyboard focus.
    void accept() override;
    // The cancel command (Esc, the close box, the window menu's Close, and
    // start-up on a termination signal): remembers the window's top-left
    // corner in xPosition and yPosition, then closes with the cancel result.
    void reject() override;
    // Showing the window opens it: it moves to (xPosition, yPosition), fills
    // both lists, selects the saved rows and converts the saved input once,
    // all before it is first painted.
    void setVisible(bool visible) override;

public slots:
    // Runs the About picture window modally.
    void showAbout();
    // Exchanges the From and To selections and converts.
    void swapUnits();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void runOpening();
    void convert();
    void listConfirmed(quantaro::UnitList* changed, quantaro::UnitList* other);

    QLineEdit* inputField_ = nullptr;
    quantaro::UnitList* fromList_ = nullptr;
    quantaro::UnitList* toList_ = nullptr;
    QLineEdit* resultField_ = nullptr;
    QLabel* infoLine_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* swapAction_ = nullptr;
    quantaro::Conversion conversion_;
    bool opened_ = false;
#ifdef Q_OS_WIN
    bool systemMenuExtended_ = false;
#endif
};
