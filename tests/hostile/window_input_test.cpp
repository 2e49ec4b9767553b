// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The converter window with text no one types: a paste of 100,000 characters,
// control characters, NUL, characters outside ASCII and broken UTF-16 in the
// input field. The result, the title and the info line are what the engine
// gives for the field's text, the remembered input is that text, and the
// number is read from the text's beginning alone.

#include "engine/convert.h"
#include "exact/exact_result.h"
#include "ui/ConverterWindow.h"
#include "converter_window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <string_view>

namespace {

constexpr int kMetre = 23;
constexpr int kCentimetre = 21;

struct Window : WindowUnderTest {
    Window()
        : WindowUnderTest(QStringLiteral("7"), kMetre, kCentimetre)
    {
        window.show();
    }

    // Replaces the field's text through the clipboard, as a user's paste does.
    void paste(const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        input->setFocus();
        input->selectAll();
        QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
    }

    // What the window shows is what the engine gives for the field's text and
    // the two rows, and the remembered values are the shown ones.
    void checkAgreesWithTheEngine() const
    {
        const QByteArray text = input->text().toUtf8();
        const quantaro::Conversion expected =
            quantaro::Convert(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                              from->currentData().toInt(), to->currentData().toInt());
        QCOMPARE(result->text(), QString::fromStdString(expected.result));
        QCOMPARE(window.windowTitle(), QString::fromStdString(expected.title));
        QCOMPARE(info->text(), QString::fromStdString(expected.info));
        QCOMPARE(window.state().input, input->text());
        QCOMPARE(window.state().request.fromIndex, from->currentIndex());
        QCOMPARE(window.state().request.toIndex, to->currentIndex());
    }
};

QString repeated(QChar c, qsizetype n) { return QString(n, c); }

} // namespace

class WindowInputTest : public QObject {
    Q_OBJECT

private slots:
    void pastedLongText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("number, then letters") << "1.5" + repeated('x', 99'997) << "150";
        QTest::newRow("digits only") << repeated('1', 100'000) << "inf";
        QTest::newRow("zeros, then a digit") << "0." + repeated('0', 99'997) + "1" << "0";
        QTest::newRow("number, NUL, digits") << QString("2") + QChar(0) + repeated('5', 99'998) << "200";
        QTest::newRow("lines") << QString("3\n4\r\n").repeated(20'000) << "";
        QTest::newRow("non-ASCII") << "4" + QString::fromUtf8("\xC2\xBA\xC2\xB5\xE2\x82\xAC").repeated(33'333) << "400";
    }

    // A paste of 100,000 characters converts at once, and typing after it
    // still converts what the field's beginning holds.
    void pastedLongText()
    {
        QFETCH(QString, text);
        QFETCH(QString, result);
        Window w;
        w.paste(text);
        // The field may hold less than all of it, but then its beginning.
        QVERIFY(!w.input->text().isEmpty());
        QVERIFY(text.startsWith(w.input->text()));
        if (!result.isEmpty()) {
            QCOMPARE(w.result->text(), result);
            QCOMPARE(w.window.windowTitle(), result + " - Velkor Quantaro");
            QCOMPARE(w.info->text(), "1 m = 100 cm");
        }
        w.checkAgreesWithTheEngine();

        w.input->end(false);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(w.input, Qt::Key_Backspace);
        QTest::keyClicks(w.input, "9e9");
        w.checkAgreesWithTheEngine();
        w.input->home(false);
        QTest::keyClick(w.input, Qt::Key_Delete);
        QTest::keyClicks(w.input, "-");
        QVERIFY(w.input->text().startsWith('-'));
        w.checkAgreesWithTheEngine();
    }

    // With "Exact Result" on, long pastes are bounded work and shown as
    // ConvertExact gives them; beyond the double range as without it.
    void exactLongPastes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("number, then letters") << "1.5" + repeated('x', 99'997) << "150";
        QTest::newRow("digits only") << repeated('1', 100'000) << "inf";
        QTest::newRow("zeros, then a digit") << "0." + repeated('0', 99'997) + "1" << "0";
        QTest::newRow("100,000 digits") << "0." + repeated('3', 99'998) << "33.333333333333333…";
        QTest::newRow("huge exponent") << "1e999999999" << "inf";
        QTest::newRow("tiny exponent") << "-1e-400" << "0";
    }

    void exactLongPastes()
    {
        QFETCH(QString, text);
        QFETCH(QString, result);
        Window w;
        w.given([](ConverterState& s) { s.request.form = quantaro::ResultForm::Exact; });
        w.paste(text);
        QCOMPARE(w.result->text(), result);
        QCOMPARE(w.info->text(), "1 m = 100 cm");
        for (const char* typed : {"7", "e-5"}) {
            w.input->end(false);
            QTest::keyClicks(w.input, typed);
            const QByteArray utf8 = w.input->text().toUtf8();
            const quantaro::Conversion expected = quantaro::ConvertExact(
                std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), 1150, 1130);
            QCOMPARE(w.result->text(), QString::fromUtf8(expected.result));
            QCOMPARE(w.window.windowTitle(), QString::fromUtf8(expected.title));
        }
    }

    void oddCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        const QChar nul(0);
        QTest::newRow("tab first") << "\t5" << "500";
        QTest::newRow("control character first") << "\x01" "5" << "0";
        QTest::newRow("control character after") << "5\x01" "9" << "500";
        QTest::newRow("escape sequence") << "\x1b[31m5" << "0";
        QTest::newRow("NUL first") << QString(nul) + "5" << "0";
        QTest::newRow("NUL inside") << "2.5" + QString(nul) + "5" << "250";
        QTest::newRow("DEL") << "6\x7f" "1" << "600";
        QTest::newRow("no-break space first") << QString::fromUtf8("\xC2\xA0" "5") << "0";
        QTest::newRow("degree sign after") << QString::fromUtf8("5\xC2\xBA\xC2\xB2\xC2\xB3\xC2\xB5") << "500";
        QTest::newRow("micro sign first") << QString::fromUtf8("\xC2\xB5" "5") << "0";
        QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("\xD9\xA3") << "0";
        QTest::newRow("fullwidth digit") << QString::fromUtf8("\xEF\xBC\x95") << "0";
        QTest::newRow("fullwidth point") << QString::fromUtf8("1\xEF\xBC\x8E" "5") << "100";
        QTest::newRow("right-to-left mark first") << QString::fromUtf8("\xE2\x80\x8F" "5") << "0";
        QTest::newRow("combining accent after") << QString::fromUtf8("5\xCC\x81") << "500";
        QTest::newRow("emoji first") << QString::fromUtf8("\xF0\x9F\x98\x80" "5") << "0";
        QTest::newRow("lone high surrogate after") << "8" + QString(QChar(0xD800)) << "800";
        QTest::newRow("lone low surrogate first") << QString(QChar(0xDC00)) + "8" << "0";
        QTest::newRow("comma decimal") << "1,5" << "100";
        QTest::newRow("point decimal") << "1.5" << "150";
    }

    // Characters outside the number's form end it, wherever they come from;
    // no toolkit or locale reading of digits takes part.
    void oddCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QString, result);
        Window w;
        w.paste(text);
        w.checkAgreesWithTheEngine();
        if (w.input->text() == text) {
            QCOMPARE(w.result->text(), result);
            QCOMPARE(w.window.windowTitle(), result + " - Velkor Quantaro");
            QCOMPARE(w.info->text(), "1 m = 100 cm");
        }
    }
};

QTEST_MAIN(WindowInputTest)
#include "window_input_test.moc"
