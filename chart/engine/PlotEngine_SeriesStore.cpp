// A series as a whole: the stored "Data" bytes of its points, the data-source
// names resolved after loading, copying one series into another, the saved
// default text, random sample values, and the unit's start-up.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <bit>
#include <random>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotProcs.h"
#include "platform/rtl/Streaming.h"

using namespace SysUtils;

namespace {

// Little-endian writer and bounds-checked reader of the "Data" bytes.
class TDataWriter {
public:
  explicit TDataWriter(TStream& S) : FStream(S) {}
  template <class T>
  void Put(T Value) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, &Value, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) std::reverse(b, b + sizeof(T));
    FStream.WriteBuffer(b, sizeof(T));
  }

private:
  TStream& FStream;
};

class TDataReader {
public:
  explicit TDataReader(std::string Bytes) : FBytes(std::move(Bytes)) {}
  template <class T>
  T Get() {
    unsigned char b[sizeof(T)];
    Need(sizeof(T));
    std::memcpy(b, FBytes.data() + FPos, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) std::reverse(b, b + sizeof(T));
    FPos += sizeof(T);
    T v;
    std::memcpy(&v, b, sizeof(T));
    return v;
  }
  std::string GetText(size_t Length) {
    Need(Length);
    std::string s = FBytes.substr(FPos, Length);
    FPos += Length;
    return s;
  }
  size_t Left() const { return FBytes.size() - FPos; }
  size_t Position() const { return FPos; }

private:
  void Need(size_t N) const {
    if (N > Left())
      throw ChartException(Format("Series Data: the stored points end early (%d bytes needed at byte %d, %d left).",
                                  {static_cast<int64_t>(N), static_cast<int64_t>(FPos),
                                   static_cast<int64_t>(Left())}));
  }
  std::string FBytes;
  size_t FPos = 0;
};

// Cuts a label to at most 255 bytes without splitting a UTF-8 character.
std::string CutLabel(const std::string& Text) {
  if (Text.size() <= 255) return Text;
  size_t n = 255;
  while (n > 0 && (static_cast<unsigned char>(Text[n]) & 0xC0) == 0x80) --n;
  return Text.substr(0, n);
}

void WriteMarkPosition(TDataWriter& W, const TSeriesMarkPosition& P) {
  W.Put<int32_t>(P.ArrowTip.X);
  W.Put<int32_t>(P.ArrowTip.Y);
  W.Put<uint8_t>(P.KeepArrowTip ? 1 : 0);
  W.Put<int32_t>(P.ArrowTail.X);
  W.Put<int32_t>(P.ArrowTail.Y);
  W.Put<uint8_t>(P.IsCustom ? 1 : 0);
  W.Put<int32_t>(P.Height);
  W.Put<int32_t>(P.TopLeft.X);
  W.Put<int32_t>(P.TopLeft.Y);
  W.Put<int32_t>(P.Width);
}

TSeriesMarkPosition ReadMarkPosition(TDataReader& R) {
  TSeriesMarkPosition p;
  p.ArrowTip.X = R.Get<int32_t>();
  p.ArrowTip.Y = R.Get<int32_t>();
  p.KeepArrowTip = R.Get<uint8_t>() != 0;
  p.ArrowTail.X = R.Get<int32_t>();
  p.ArrowTail.Y = R.Get<int32_t>();
  p.IsCustom = R.Get<uint8_t>() != 0;
  p.Height = R.Get<int32_t>();
  p.TopLeft.X = R.Get<int32_t>();
  p.TopLeft.Y = R.Get<int32_t>();
  p.Width = R.Get<int32_t>();
  return p;
}

struct TStoredPoint {
  std::vector<double> Values;  // one per value list, in list order: X, Y, extra lists
  TColor Colour = clDefault;
  std::string Label;
  TSeriesMarkPosition Mark;
};

}  // namespace

namespace PlotEngine {

uint8_t SeriesStoreFlags(const TChartSeries& Series) {
  uint8_t flags = 0;
  if (SeriesHasOwnXValues(Series)) flags |= 1;
  if (SeriesHasOwnColors(Series)) flags |= 2;
  if (SeriesHasLabels(Series)) flags |= 4;
  if (Series.Marks() && Series.Marks()->HasCustomPosition()) flags |= 8;
  return flags;
}

}  // namespace PlotEngine

// ---- "Data" ----

// The value lists stored after the mandatory value: every list but the
// mandatory and the other one, in list order (the lists from the third on,
// unless a series made an extra list its mandatory one).
std::vector<TChartValueList*> TChartSeries::StoredExtraLists() const {
  std::vector<TChartValueList*> lists;
  for (int32_t l = 0; l < FValueLists.Count(); ++l) {
    TChartValueList* v = FValueLists.Get(l);
    if (v != FMandatory && v != FNotMandatory) lists.push_back(v);
  }
  return lists;
}

void TChartSeries::WriteData(TStream& Stream) const {
  TDataWriter w(Stream);
  const uint8_t flags = PlotEngine::SeriesStoreFlags(*this);
  const int32_t n = Count();
  const std::vector<TChartValueList*> extras = StoredExtraLists();
  w.Put<uint8_t>(flags);
  w.Put<int32_t>(n);
  for (int32_t i = 0; i < n; ++i) {
    if (flags & 1) w.Put<double>(FNotMandatory->GetValue(i));
    w.Put<double>(FMandatory->GetValue(i));
    if (flags & 2) w.Put<int32_t>(GetStoredColor(i));
    if (flags & 4) {
      const std::string label = CutLabel(FLabels.GetLabel(i));
      w.Put<uint8_t>(static_cast<uint8_t>(label.size()));
      Stream.WriteString(label);
    }
    for (const TChartValueList* l : extras) w.Put<double>(l->GetValue(i));
    if (flags & 8) {
      // Points without a stored position get an empty, non-custom one.
      const TSeriesMarkPosition* p = FMarks->Position(i);
      WriteMarkPosition(w, p ? *p : TSeriesMarkPosition{});
    }
  }
}

void TChartSeries::ReadData(TStream& Stream) {
  // Everything is parsed and checked before the series changes, so a short or
  // foreign stream leaves the series as it was.
  TDataReader r(Stream.ReadAll());
  const uint8_t flags = r.Get<uint8_t>();
  if (flags & ~uint8_t{15})
    throw ChartException(Format("Series Data: unknown flags %d (allowed: 0 to 15).", {static_cast<int32_t>(flags)}));
  const int32_t n = r.Get<int32_t>();
  const std::vector<TChartValueList*> extras = StoredExtraLists();
  const int32_t extra = static_cast<int32_t>(extras.size());
  const size_t perPoint = ((flags & 1) ? 8 : 0) + 8 + ((flags & 2) ? 4 : 0) + ((flags & 4) ? 1 : 0) +
                          8 * static_cast<size_t>(extra) + ((flags & 8) ? 34 : 0);
  if (n < 0 || static_cast<uint64_t>(n) * perPoint > r.Left())
    throw ChartException(Format("Series Data: %d points do not fit in the %d bytes stored.",
                                {n, static_cast<int64_t>(r.Left())}));
  std::vector<TStoredPoint> points(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    TStoredPoint& p = points[i];
    // The pair is read as (other, mandatory) and placed by list.
    p.Values.assign(static_cast<size_t>(FValueLists.Count()), 0.0);
    const auto slot = [&](const TChartValueList* List) -> double& {
      for (int32_t l = 0; l < FValueLists.Count(); ++l)
        if (FValueLists.Get(l) == List) return p.Values[static_cast<size_t>(l)];
      return p.Values[0];
    };
    slot(FNotMandatory) = (flags & 1) ? r.Get<double>() : i;
    slot(FMandatory) = r.Get<double>();
    if (flags & 2) p.Colour = r.Get<int32_t>();
    if (flags & 4) p.Label = r.GetText(r.Get<uint8_t>());
    for (const TChartValueList* l : extras) slot(l) = r.Get<double>();
    if (flags & 8) p.Mark = ReadMarkPosition(r);
  }
  if (r.Left() != 0)
    throw ChartException(Format("Series Data: %d bytes left over after %d points.",
                                {static_cast<int64_t>(r.Left()), n}));
  Clear();
  BeginUpdate();
  try {
    for (const TStoredPoint& p : points) {
      for (int32_t l = 2; l < FValueLists.Count(); ++l) FValueLists.Get(l)->TempValue = p.Values[static_cast<size_t>(l)];
      AppendPoint(p.Values[0], p.Values[1], p.Label, p.Colour);
      if ((flags & 8) && FMarks) FMarks->AppendPosition(p.Mark);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  ManualData = true;
}

void TChartSeries::DefineProperties(TFiler& Filer) {
  TCustomChartSeries::DefineProperties(Filer);
  // More than one source is stored by name and resolved once loading ends.
  Filer.DefineProperty(
      "DataSources",
      [this](TReader& Reader) {
        std::vector<std::string> names;
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) names.push_back(Reader.ReadString());
        Reader.ReadListEnd();
        FStreamSourceNames = names;
      },
      [this](TWriter& Writer) {
        Writer.WriteListBegin();
        for (const std::string& name : StoredSourceNames()) Writer.WriteString(name);
        Writer.WriteListEnd();
      },
      FDataSources.Count() > 1);
  Filer.DefineBinaryProperty(
      "Data", [this](TStream& Stream) { ReadData(Stream); }, [this](TStream& Stream) { WriteData(Stream); },
      IsDataStored());
}

std::vector<std::string> TChartSeries::StoredSourceNames() const {
  std::vector<std::string> names;
  if (FDataSources.Count() > 1)
    for (auto* c : FDataSources.FItems) names.push_back(c->GetName());
  return names;
}

void TChartSeries::Loaded() {
  TCustomChartSeries::Loaded();
  if (!FStreamSourceNames.empty()) {
    for (auto* c : FDataSources.FItems) {
      RemoveFreeNotification(c);
      if (auto* s = dynamic_cast<TChartSeries*>(c)) s->RemoveLinkedSeries(this);
    }
    FDataSources.FItems.clear();
    if (TComponent* owner = Owner())
      for (const std::string& name : FStreamSourceNames)
        if (TComponent* c = owner->FindComponent(name); c && c != this) InternalAddDataSource(c);
    FStreamSourceNames.clear();
  }
  CheckDataSource();
}

// ---- copying ----

void TChartSeries::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TChartSeries*>(Source);
  if (!src) {
    TCustomChartSeries::Assign(Source);
    return;
  }
  if (src == this) return;
  auto* source = const_cast<TChartSeries*>(src);
  TCustomChartSeries::Assign(Source);
  SetDataSource(nullptr);
  if (FYMandatory == source->FYMandatory) {
    FX->Assign(source->FX);
    FY->Assign(source->FY);
  } else {
    FX->Assign(source->FY);
    FY->Assign(source->FX);
  }
  for (int32_t i = 2; i < std::min(FValueLists.Count(), source->FValueLists.Count()); ++i)
    FValueLists.Get(i)->Assign(source->FValueLists.Get(i));
  FXLabelsSource = source->FXLabelsSource;
  FColorSource = source->FColorSource;
  if (FMarks && source->FMarks) FMarks->AssignMarks(*source->FMarks);
  FSeriesColor = source->FSeriesColor;
  SetDefaultColor(source->FRememberedColor);
  FColorEachPoint = source->FColorEachPoint;
  FValueFormat = source->FValueFormat;
  FPercentFormat = source->FPercentFormat;
  FCustomHorizAxis = source->FCustomHorizAxis;
  FHorizAxis = source->FHorizAxis;
  FCustomVertAxis = source->FCustomVertAxis;
  FVertAxis = source->FVertAxis;
  RecalcOptions = source->RecalcOptions;
  Cursor = source->Cursor;
  FDepth = source->FDepth;
  ResolveAxes();
  if (source->FFunction && !FFunction) source->FFunction->SetParentSeries(this);
  ManualData = source->ManualData;
  if (source->GetDataSource() && !source->ManualData) {
    for (auto* c : source->FDataSources.FItems)
      if (c != this) InternalAddDataSource(c);
  } else if (source->ManualData || !source->ComponentState.Contains(TComponentStateItem::csDesigning)) {
    AddValues(source);
  }
  CheckDataSource();
}

void TChartSeries::StoreDefaultText() {
  if (PlotEngine::SeriesToText) SeriesDefaultText = PlotEngine::SeriesToText(this);
}

void TChartSeries::RestoreDefaultText() {
  if (!SeriesDefaultText.empty() && PlotEngine::SeriesFromText) PlotEngine::SeriesFromText(this, SeriesDefaultText);
}

// ---- sample values ----

int32_t TChartSeries::RandomValue(int32_t K) {
  if (K <= 0) return 0;
  // A small linear congruential generator, seeded per series by FillSampleValues.
  FRandomState = FRandomState * 1103515245u + 12345u;
  return static_cast<int32_t>((FRandomState >> 1) % static_cast<uint32_t>(K));
}

void TChartSeries::CalcRandomBounds(int32_t N, double& MinX, double& MaxX, double& MinY, double& MaxY) {
  MinY = 0;
  MaxY = 1000;
  if (FParentChart && FParentChart->GetSeriesList().Count() > 0 && FHorizAxisRef && FVertAxisRef) {
    TChartAxis* yAxis = FYMandatory ? FVertAxisRef : FHorizAxisRef;
    TChartAxis* xAxis = FYMandatory ? FHorizAxisRef : FVertAxisRef;
    MinY = FParentChart->AxisMinValue(*yAxis);
    MaxY = FParentChart->AxisMaxValue(*yAxis);
    if (MaxY == MinY) {
      if (MinY == 0)
        MaxY = 1000;
      else
        MaxY = 2 * MinY;
    }
    MinX = FParentChart->AxisMinValue(*xAxis);
    MaxX = FParentChart->AxisMaxValue(*xAxis);
    if (MaxX == MinX) {
      if (MinX == 0)
        MaxX = N - 1;
      else
        MaxX = 2 * MinX;
    }
  } else if (FNotMandatory->GetDateTime()) {
    MinX = std::floor(Date());
    MaxX = MinX + N - 1;
  } else {
    MinX = 0;
    MaxX = N - 1;
  }
}

TChartSeries* TChartSeries::FillSampleValues(int32_t N) {
  if (N < 0) throw ChartException(PlotConst::MsgFillSample);
  if (N == 0) N = SampleCount > 0 ? SampleCount : NumSampleValues();
  Clear();
  std::random_device rd;
  FRandomState = rd() % 7774444u;
  BeginUpdate();
  try {
    AddSampleValues(N, false);
    SortByMandatory();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  ManualData = false;
  return this;
}

int32_t TChartSeries::AddSampleValues(int32_t N, bool OnlyMandatory) {
  double minX, maxX, minY, maxY;
  CalcRandomBounds(N, minX, maxX, minY, maxY);
  const double stepX = N > 1 ? (maxX - minX) / (N - 1) : maxX - minX;
  const double spanY = std::clamp(maxY - minY, -2147483647.0, 2147483647.0);
  const double step = spanY / 4;
  double y = minY + RandomValue(100) * spanY / 100;
  double x = minX;
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) {
    y = std::fabs(y + RandomValue(100) * step / 100 - step / 2);
    if (OnlyMandatory)
      last = Add(y, {}, clDefault);
    else if (FYMandatory)
      last = AppendPoint(x, y);
    else
      last = AppendPoint(y, x);
    x += stepX;
  }
  return last;
}

void TChartSeries::PrepareForGallery(bool Enabled) {
  FillSampleValues(4);
  if (FMarks) FMarks->PrepareForGallery();
  FColorEachPoint = false;
  TColor c = clSilver;
  if (Enabled && FParentChart) {
    const bool first = FParentChart->GetSeriesList().IndexOf(this) == 0;
    c = FParentChart->GetDefaultColor(first ? 0 : 3);
  }
  SetSeriesColor(c);
}

void TChartSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  if (Callback) Callback(PlotConst::MsgGalleryNormal);
}

// ---- unit start-up ----

namespace PlotEngine {

void Initialization() {
  for (TClass c : {TCustomChartElement::StaticClass(), TCustomChartSeries::StaticClass(),
                   TChartSeries::StaticClass(), TPlotFunction::StaticClass(), TPlotMovingFunction::StaticClass(),
                   TPlotSeriesSource::StaticClass(), TPlotCustomTool::StaticClass(),
                   TPlotCustomToolSeries::StaticClass(), TPlotCustomToolAxis::StaticClass(),
                   TChartAxisTitle::StaticClass(), TChartAxis::StaticClass(), TChartDepthAxis::StaticClass(),
                   TSeriesMarks::StaticClass(),
                   TMarksItem::StaticClass(), TMarksCallout::StaticClass(), TSeriesMarksSymbol::StaticClass(),
                   TSeriesMarksGradient::StaticClass()})
    ClassInfo::RegisterClass(c);
  PixelClampLimit = 0x3FFFFFF;
}

void Finalization() {
  DataSourceKinds().clear();
  DataSourceKinds().shrink_to_fit();
  for (TClass c : {TChartAxisTitle::StaticClass(), TChartAxis::StaticClass(), TChartDepthAxis::StaticClass(),
                   TSeriesMarks::StaticClass()})
    ClassInfo::UnRegisterClass(c);
}

}  // namespace PlotEngine
