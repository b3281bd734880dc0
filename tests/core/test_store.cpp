// Reset_Store: what it empties, what it keeps, the kinds it leaves behind, and the observer.
#include <vector>

#include "core/store.h"
#include "test_support.h"

namespace sifton {
namespace {

class ResetStore : public test::StoreTest {
  protected:
    // Fills every variable and every element 0..300 of every per-row array with something that
    // is neither empty nor what the reset writes.
    void fillEverything() {
        SampleStore& s = store();
        for (RowArray* a : rowArrays())
            for (int i = 0; i <= kMaxRows; ++i) (*a)[i] = 1000.0 + i;
        for (Cell SampleStore::*member : clearedScalars()) s.*member = "old";
        s.DataFileName = "file.csv";
        s.Locality = "Pécs";
        s.LocalityM = "M";
        s.StratAge = "Miocene";
        s.TableFolder = "/tables";
        s.HelpFolder = "/help";
        s.LineBuffer = "line";
        s.TokenBuffer = "token";
        s.RowCount = 12;
        s.NData = 11;
        s.CopyMode = 2;
        for (int i = 1; i <= 5; ++i) s.GrubbsCrit[i] = s.DixonCrit[i] = 0.1 * i;
    }

    static std::vector<RowArray*> rowArrays() {
        SampleStore& s = store();
        return {&s.RawCol1, &s.RawCol2,  &s.RawCol3, &s.Col1,
                &s.Col2,    &s.Rejected, &s.Used,    &s.Sorted};
    }

    static std::vector<Cell SampleStore::*> clearedScalars() {
        using S = SampleStore;
        return {&S::PickPos,   &S::PickValue, &S::MaxValue,       &S::MinValue,
                &S::DixRmax,   &S::DixRmin,   &S::DixClassMax,    &S::DixClassMin,
                &S::GruTmax,   &S::GruTmin,   &S::GrubbsClassMax, &S::GrubbsClassMin,
                &S::SDnum,     &S::SumX,      &S::Mean,           &S::SumX2,
                &S::SD,        &S::SE,        &S::PosMax,         &S::PosMin,
                &S::IQRyoung,  &S::IQRold,    &S::IQRQ1,          &S::IQRQ3,
                &S::GaussCrit, &S::SumRest,   &S::MeanNoYoung,    &S::MeanNoOld,
                &S::SumDev2,   &S::GauOld,    &S::GauYoung,       &S::SDNoYoung,
                &S::SDNoOld};
    }
};

TEST_F(ResetStore, ClearsRowsWithTheirKindsAndKeepsElementZero) {
    fillEverything();
    Reset_Store();
    const SampleStore& s = store();
    const Cell zero(0), emptyText("");
    for (int i = 1; i <= kMaxRows; ++i) {
        SCOPED_TRACE(i);
        // Numbers become the whole number 0, the raw fields empty text: both differ from empty.
        EXPECT_EQ(s.Col1[i], zero);
        EXPECT_EQ(s.Col2[i], zero);
        EXPECT_EQ(s.Used[i], zero);
        EXPECT_EQ(s.Sorted[i], zero);
        EXPECT_EQ(s.Rejected[i], zero);
        EXPECT_EQ(s.RawCol1[i], emptyText);
        EXPECT_EQ(s.RawCol2[i], emptyText);
        EXPECT_EQ(s.RawCol3[i], emptyText);
    }
    for (const RowArray* a : rowArrays()) EXPECT_EQ((*a)[0], Cell(1000.0));
}

TEST_F(ResetStore, EmptiesEveryResultToText) {
    fillEverything();
    Reset_Store();
    int index = 0;
    for (Cell SampleStore::*member : clearedScalars()) {
        SCOPED_TRACE(index++);
        EXPECT_EQ(store().*member, Cell(""));
        EXPECT_TRUE((store().*member).isText());
    }
    EXPECT_EQ(store().LineBuffer, "");
    EXPECT_EQ(store().TokenBuffer, "");
    EXPECT_EQ(store().RowCount, 0);
    EXPECT_EQ(store().NData, 0.0);
}

TEST_F(ResetStore, KeepsFileNameHeaderFoldersCopyModeAndTableRows) {
    fillEverything();
    Reset_Store();
    const SampleStore& s = store();
    EXPECT_EQ(s.DataFileName, "file.csv");
    EXPECT_EQ(s.Locality, "Pécs");
    EXPECT_EQ(s.LocalityM, "M");
    EXPECT_EQ(s.StratAge, "Miocene");
    EXPECT_EQ(s.TableFolder, "/tables");
    EXPECT_EQ(s.HelpFolder, "/help");
    EXPECT_EQ(s.CopyMode, 2);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_DOUBLE_EQ(s.GrubbsCrit[i], 0.1 * i);
        EXPECT_DOUBLE_EQ(s.DixonCrit[i], 0.1 * i);
    }
}

TEST_F(ResetStore, ANeverLoadedStoreReadsAsEmptyAfterwards) {
    Reset_Store();
    const SampleStore& s = store();
    EXPECT_EQ(s.Col1[1].toNumber(), 0.0);
    EXPECT_EQ(s.RawCol3[300].toText(), "");
    EXPECT_EQ(s.Mean.toNumber(), 0.0);
    EXPECT_FALSE(s.GruTmin.isNotRunMarker());
    EXPECT_TRUE(s.Col1[0].isEmpty());
}

TEST_F(ResetStore, TellsTheObserverOnceAfterClearing) {
    int calls = 0;
    int rowCountSeen = -1;
    setResetObserver([&] {
        ++calls;
        rowCountSeen = store().RowCount;
    });
    store().RowCount = 7;
    Reset_Store();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(rowCountSeen, 0);  // the window blanks itself over an already cleared store

    setResetObserver({});
    Reset_Store();
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace sifton
