// Numbers pasted from the clipboard: how the text is cut into cells, which cells are refused,
// the messages, and that a refused paste stores nothing.
#include <tuple>

#include "core/input.h"
#include "platform/scripted_platform.h"
#include "test_support.h"

namespace sifton {
namespace {

using PF = PasteFailure;

TEST(ClipboardParse, CellsAndVerdict) {
    // Rows by CR LF, LF or CR, a last value without a separator, blanks around cells, and a
    // copied column's last line end with an empty line after it.
    for (const char* text : {"5\r\n6\r\n7\r\n", "5\n6\n7\n", "5\r6\r7\r", "5\r\n6\r\n7",
                             "5\n6\n7\n  ", " 5 \t 6\t7 ", "5\r\n6\r\n7\r\n\r\n", "5\t6\t7\t\t\n"})
        EXPECT_EQ(parseClipboardText(text).values, (std::vector<double>{5, 6, 7})) << text;
    const std::pair<const char*, PF> refusals[] = {
        {"5\t\t6\t7", PF::NotNumeric},  // an empty cell between values
        {"5\r\n\r\n6\r\n7", PF::NotNumeric},
        {"5 6 7", PF::NotNumeric},
        {"5\t6\t7\tx", PF::NotNumeric},
        {"1\tnan\tinf\t", PF::NotNumeric},
        {"1,5\t2\t3", PF::DecimalComma},
        {"5\t1E+999\t7\t", PF::NotFinite},
        {"5\t1e-101\t7", PF::OutOfRange},
        {"5\t1e-999\t7", PF::OutOfRange},  // not 0: no value the clipboard does not hold
        {"5\t6", PF::OneOrTwo},
        {" \r\n\t ", PF::OnlyBlanks},
        {"", PF::NoText},
    };
    for (const auto& [text, failure] : refusals) {
        EXPECT_EQ(parseClipboardText(text).failure, failure) << text;
        EXPECT_NE(pasteFailureMessage(failure), "") << text;
    }
    EXPECT_EQ(parseClipboardText("5\t6\r\n7\t1.5E2").values, (std::vector<double>{5, 6, 7, 150}));
    std::string full;  // 300 values
    for (int i = 1; i <= kMaxRows; ++i) full += std::to_string(i) + "\r\n";
    EXPECT_EQ(parseClipboardText(full).values.size(), 300u);
    EXPECT_EQ(parseClipboardText(full + "301").failure, PF::TooMany);  // the last, unended
    EXPECT_EQ(pasteFailureMessage(PF::NoText), "There are no numbers on the clipboard.");
    EXPECT_EQ(pasteFailureMessage(PF::OneOrTwo), "What can I test with one or two data?");
    EXPECT_EQ(pasteFailureMessage(PF::NotNumeric),
              "One or more of the values are not numeric! The copied data are not pasted in this "
              "program. Check the selection, please.");
    EXPECT_NE(pasteFailureMessage(PF::DecimalComma).find("decimal point"), std::string::npos);
}

using Paste = test::StoreTest;

TEST_F(Paste, ARefusedPasteStoresNothingAGoodOneOnlyTheValues) {
    test::loadValues({1, 2, 3, 4});  // an earlier data set from a file
    store().DataFileName = "earlier.csv", store().RawCol1[1] = 7.0;
    store().Locality = store().LocalityM = store().StratAge = "Site";
    for (const char* clipboard : {"", "9\t8\tx\t7\t", "9\r\n8\r\n", "   ", "9\t1E+999\t7\t"}) {
        ScriptedPlatform platform;
        platform.clipboard = clipboard;
        EXPECT_FALSE(Paste_Clipboard(platform)) << clipboard;
        std::string shown;
        for (const auto& m : platform.messages) shown += "[" + m.title + "]" + m.text;
        EXPECT_EQ(shown, "[]" + pasteFailureMessage(parseClipboardText(clipboard).failure));
        EXPECT_EQ(std::tuple(store().DataFileName, store().Locality, store().NData, store().Col1[1],
                             store().LineBuffer),
                  std::tuple("earlier.csv", "Site", 4.0, Cell(1.0), clipboard));
    }
    ScriptedPlatform platform;
    platform.clipboard = "5\t6\r\n7\t8.5\r\n";
    ASSERT_TRUE(Paste_Clipboard(platform) && platform.messages.empty());
    // The earlier file's sample name goes; its raw fields are not the paste's business.
    const SampleStore& s = store();
    EXPECT_EQ(std::tuple(s.DataFileName, s.RowCount, s.NData, s.Col1[1], s.Col1[4], s.RawCol1[1],
                         s.Locality + s.LocalityM + s.StratAge),
              std::tuple("From Clipboard", 4, 4.0, Cell(5.0), Cell(8.5), Cell(7.0), ""));
}

}  // namespace
}  // namespace sifton
