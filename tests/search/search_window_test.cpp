// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Every pair of unit rows of one quantity, chosen in the desktop's search,
// opens the real window on exactly those rows and number, showing in its
// title the number the answer showed (the Mixed answer its whole text): the identifier, the window program's
// arguments read by its own command line, the state it opens with, and the
// converter window, in-process on Qt's offscreen platform. (search.bus takes
// a few of them the whole way, over the bus to a process on Xvfb.)
#include "app/CommandLine.h"
#include "app/QuantaroApplication.h"
#include "catalogue/catalogue.h"
#include "search/search_answers.h"
#include "ui/ConverterWindow.h"

#include <QApplication>
#include <QComboBox>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quantaro::search {
namespace {

const std::string kTitleEnd = " - Velkor Quantaro";

// The window's title when the window program is started on this answer.
std::string openedTitle(ConverterWindow& window, const Answer& answer, const ConverterState& saved)
{
    std::vector<const char*> arguments;
    const std::vector<std::string> texts = windowArguments(answer);
    for (const std::string& text : texts)
        arguments.push_back(text.c_str());
    const WindowCommandLine line = readWindowCommandLine(arguments);
    EXPECT_EQ(line.action, WindowCommandLine::Action::OpenWindow) << line.text;
    window.setState(QuantaroApplication::openingState(saved, line.opening));
    window.show();
    std::string title = window.windowTitle().toStdString();
    window.hide();
    return title;
}

TEST(SearchWindow, EveryPairOpensAsTheAnswerShows)
{
    const auto rows = catalogueRows();
    // The saved state of a user who never switched the Exact form on.
    const ConverterState saved;
    ConverterWindow window;
    auto* fromList = window.findChild<QComboBox*>(QStringLiteral("fromList"));
    auto* toList = window.findChild<QComboBox*>(QStringLiteral("toList"));
    ASSERT_TRUE(fromList && toList);
    int pairs = 0, mixedPairs = 0;
    for (int from = 0; from < kCatalogueRowCount; ++from)
        for (int to = 0; to < kCatalogueRowCount; ++to) {
            const CatalogueRow& f = rows[std::size_t(from)];
            const CatalogueRow& t = rows[std::size_t(to)];
            if (f.kind != RowKind::Unit || t.kind != RowKind::Unit || !sameQuantity(f.code, t.code))
                continue;
            // Sizes are whole numbers; 12.7 for the rest, a number whose
            // nearest double is not 12.7 itself.
            const std::string number = isSize(f.quantity) ? "38" : "12.7";
            const std::string id = std::to_string(from) + ':' + std::to_string(to) + ':' + number;
            SCOPED_TRACE(id);
            const auto answer = answerForId(id);
            ASSERT_TRUE(answer);

            const std::string title = openedTitle(window, *answer, saved);
            EXPECT_EQ(fromList->currentIndex(), from);
            EXPECT_EQ(toList->currentIndex(), to);

            // The title is the answer's number: what its text begins with,
            // before the unit or the row it names.
            ASSERT_TRUE(title.ends_with(kTitleEnd)) << title;
            const std::string shown = title.substr(0, title.size() - kTitleEnd.size());
            EXPECT_TRUE(answer->text.starts_with(shown)
                        && (answer->text.size() == shown.size() || answer->text[shown.size()] == ' '
                            || answer->text[shown.size()] == ':'))
                << "title \"" << title << "\", answer \"" << answer->text << '"';
            // A To row with a family has a Mixed answer too, and the window
            // shows its text, with the saved fraction (Decimal, as the search).
            if (const auto mixed = answerForId(id + ":mixed")) {
                EXPECT_EQ(openedTitle(window, *mixed, saved), mixed->text + kTitleEnd);
                ++mixedPairs;
            }
            ++pairs;
        }
    RecordProperty("pairs", pairs);
    EXPECT_GT(pairs, 1000);
    // Into foot, inch, yard, stone, pound, ounce, hour, minute, second, day
    // and week from every unit of their quantities.
    EXPECT_GT(mixedPairs, 100);
}

} // namespace
} // namespace quantaro::search

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
