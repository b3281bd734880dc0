#include "core/store.h"

namespace sifton {
namespace {

std::function<void()>& resetObserver() {
    static std::function<void()> observer;
    return observer;
}

}  // namespace

SampleStore& store() {
    static SampleStore theStore;
    return theStore;
}

void setResetObserver(std::function<void()> observer) { resetObserver() = std::move(observer); }

void Reset_Store() {
    SampleStore& s = store();
    s.RowCount = 0;
    s.NData = 0.0;
    for (int i = 1; i <= kMaxRows; ++i) {
        s.Col1[i] = s.Col2[i] = s.Used[i] = s.Sorted[i] = 0;
        s.RawCol1[i] = s.RawCol2[i] = s.RawCol3[i] = "";
        s.Rejected[i] = 0;
    }
    for (Cell* c : {&s.PickPos,   &s.PickValue, &s.MaxValue,       &s.MinValue,
                    &s.DixRmax,   &s.DixRmin,   &s.DixClassMax,    &s.DixClassMin,
                    &s.GruTmax,   &s.GruTmin,   &s.GrubbsClassMax, &s.GrubbsClassMin,
                    &s.SDnum,     &s.SumX,      &s.Mean,           &s.SumX2,
                    &s.SD,        &s.SE,        &s.PosMax,         &s.PosMin,
                    &s.IQRyoung,  &s.IQRold,    &s.IQRQ1,          &s.IQRQ3,
                    &s.GaussCrit, &s.SumRest,   &s.MeanNoYoung,    &s.MeanNoOld,
                    &s.SumDev2,   &s.GauOld,    &s.GauYoung,       &s.SDNoYoung,
                    &s.SDNoOld})
        *c = "";
    for (PValue* p :
         {&s.GrubbsPMin, &s.GrubbsPMax, &s.DixonPMin, &s.DixonPMax, &s.GaussPMin, &s.GaussPMax})
        *p = PValue{};
    s.DixonPMissing.clear();
    s.LineBuffer.clear();
    s.TokenBuffer.clear();
    if (resetObserver()) resetObserver()();
}

}  // namespace sifton
