// Chart files: the header words, the chart's component stream in binary or
// text form, and reading a file into an existing chart.
#include "chart/series/PlotStore.h"

#include <algorithm>

using namespace SysUtils;

KV_CLASS_IMPL(TChartChart, TChart) {}
KV_CLASS_IMPL(TODBCChart, TChart) {}

namespace {

[[noreturn]] void Raise(const std::string& Message) { throw ChartException(Message); }

std::string ReadLeft(TStream& Stream) { return Stream.ReadAll(); }

// The first bytes of the stream without moving it.
std::string PeekBytes(TStream& Stream, int64_t Count) {
  const int64_t pos = Stream.GetPosition();
  std::string b(static_cast<size_t>(Count), '\0');
  const int64_t got = Stream.Read(b.data(), Count);
  Stream.SetPosition(pos);
  b.resize(static_cast<size_t>(std::max<int64_t>(got, 0)));
  return b;
}

void CopyRest(TStream& Source, TStream& Target) {
  const std::string rest = ReadLeft(Source);
  Target.WriteBuffer(rest.data(), static_cast<int64_t>(rest.size()));
}

// Series get the store or the no-store flag while the chart is written and
// their own flags back afterwards, also after an error.
class TStoreFlagsScope {
public:
  TStoreFlagsScope(TCustomAxisPanel& Chart, bool WithData) {
    for (int32_t i = 0; i < Chart.SeriesCount(); ++i) {
      TChartSeries* s = Chart.GetSeries(i);
      FSaved.push_back({s, s->AlwaysStoreData, s->NeverStoreData});
      s->AlwaysStoreData = WithData;
      s->NeverStoreData = !WithData;
    }
  }
  ~TStoreFlagsScope() {
    for (const TSaved& f : FSaved)
      if (f.Series) {
        f.Series->AlwaysStoreData = f.Always;
        f.Series->NeverStoreData = f.Never;
      }
  }
  TStoreFlagsScope(const TStoreFlagsScope&) = delete;
  TStoreFlagsScope& operator=(const TStoreFlagsScope&) = delete;

private:
  struct TSaved {
    WeakRef<TChartSeries> Series;
    bool Always, Never;
  };
  std::vector<TSaved> FSaved;
};

// The chart is written without its component name; the name comes back afterwards.
class TNameScope {
public:
  explicit TNameScope(TComponent& C) : FComponent(C), FName(C.GetName()) {
    if (!C.ComponentState.Contains(TComponentStateItem::csDesigning)) C.SetName("");
  }
  ~TNameScope() {
    try {
      FComponent.SetName(FName);
    } catch (...) {
      // The name was valid before; nothing can have taken it meanwhile.
    }
  }
  TNameScope(const TNameScope&) = delete;
  TNameScope& operator=(const TNameScope&) = delete;

private:
  TComponent& FComponent;
  std::string FName;
};

// The length of the point record at Bytes[At] (a flags byte, a 4-byte point
// count, then the points); 0 when it is damaged or does not fit.
size_t SeriesRecordLength(const std::string& Bytes, size_t At, int32_t ExtraLists) {
  const size_t size = Bytes.size();
  if (size - At < 5) return 0;
  const auto byte = [&](size_t Pos) { return static_cast<unsigned char>(Bytes[Pos]); };
  const uint8_t flags = byte(At);
  if (flags & ~uint8_t{15}) return 0;
  const uint32_t n = uint32_t(byte(At + 1)) | uint32_t(byte(At + 2)) << 8 | uint32_t(byte(At + 3)) << 16 |
                     uint32_t(byte(At + 4)) << 24;
  if (n > uint32_t(INT32_MAX)) return 0;
  const size_t beforeLabel = ((flags & 1) ? 8 : 0) + 8 + ((flags & 2) ? 4 : 0);
  const size_t afterLabel = 8 * size_t(std::max(ExtraLists, 0)) + ((flags & 8) ? 34 : 0);
  size_t pos = At + 5;
  for (uint32_t p = 0; p < n; ++p) {
    size_t point = beforeLabel + afterLabel;
    if (flags & 4) {
      if (size - pos < beforeLabel + 1) return 0;
      point += 1 + byte(pos + beforeLabel);
    }
    if (size - pos < point) return 0;
    pos += point;
  }
  return pos - At;
}

// Reads the component stream at Bytes into Chart, keeping Chart's name.
void ReadInto(TCustomChart& Chart, const std::string& Bytes, bool ReadData, const TChartReadErrorEvent& OnError) {
  TMemoryStream stream;
  stream.WriteString(Bytes);
  stream.SetPosition(0);
  const std::string name = Chart.GetName();
  TChartReader reader(stream);
  reader.OnChartError = OnError;
  reader.ReadRootComponent(&Chart);
  if (!name.empty() && Chart.GetName() != name) Chart.SetName(name);
  if (ReadData && stream.GetPosition() < stream.GetSize()) PlotStore::ReadAppendedSeriesData(&Chart, stream);
}

TCustomChart* NewChartLike(const TCustomChart& Chart) {
  TClass cls = Chart.ClassType();
  if (cls->CanCreate())
    if (auto* c = dynamic_cast<TCustomChart*>(cls->CreateInstance(nullptr))) return c;
  return Create<TChart>(nullptr);
}

void RemoveSeriesAndTools(TCustomChart& Chart) {
  Chart.FreeAllSeries();
  TChartTools& tools = Chart.GetTools();
  while (tools.Count() > 0) tools.ToolAt(tools.Count() - 1)->Free();
}

}  // namespace

// ============================================================================
// TChartReader
// ============================================================================

bool TChartReader::Error(const std::string& Message) {
  if (!OnChartError) return true;
  if (OnChartError(*this, Message)) return true;
  throw EReadError(Message);
}

bool TChartReader::UnknownProperty(const TPersistent* Instance, const std::string& Name, TValueType Value) {
  // A handler name of another program: the event simply stays unassigned.
  const size_t dot = Name.rfind('.');
  const std::string last = dot == std::string::npos ? Name : Name.substr(dot + 1);
  if (Value == TValueType::vaIdent && last.size() > 2 && SameText(last.substr(0, 2), "On")) return true;
  return TReader::UnknownProperty(Instance, Name, Value);
}

void TChartReader::CheckRootClass(const std::string& ClassName) {
  TClass cls = ClassInfo::GetClass(ClassName);
  if (!cls || !cls->InheritsFrom(TCustomAxisPanel::StaticClass())) Raise(PlotConst::MsgWrongChartFileFormat);
}

// ============================================================================
// PlotStore
// ============================================================================

namespace PlotStore {

void WritePlotHeader(TStream& Stream) {
  const unsigned char header[4] = {ChartFileMagic & 0xFF, ChartFileMagic >> 8, ChartFileVersion & 0xFF,
                                   ChartFileVersion >> 8};
  Stream.WriteBuffer(header, 4);
}

std::string PlotFileName(const std::string& Name) {
  if (!ExtractFileExt(Name).empty()) return Name;
  return Name + "." + PlotConst::MsgChartFileExtension;
}

void WritePlotStream(TCustomChart* Chart, TStream& Stream, bool WithData, bool AsText) {
  if (!Chart) Raise(PlotConst::MsgInvalidChartFile);
  if (AsText) {
    TMemoryStream binary;
    WritePlotStream(Chart, binary, WithData, false);
    binary.SetPosition(0);
    PlotBinaryToText(binary, Stream);
    return;
  }
  WritePlotHeader(Stream);
  TNameScope name(*Chart);
  TStoreFlagsScope flags(*Chart, WithData);
  TWriter writer(Stream, 4096);
  writer.Root = Chart->Owner() ? Chart->Owner() : Chart;
  writer.WriteSignature();
  writer.WriteComponent(Chart);
}

void WritePlotFile(TCustomChart* Chart, const std::string& FileName, bool WithData, bool AsText) {
  TMemoryStream stream;
  WritePlotStream(Chart, stream, WithData, AsText);
  stream.SaveToFile(PlotFileName(FileName));
}

bool IsBinaryPlotStream(TStream& Stream) {
  const std::string b = PeekBytes(Stream, 2);
  return b.size() == 2 && static_cast<unsigned char>(b[0]) == (ChartFileMagic & 0xFF) &&
         static_cast<unsigned char>(b[1]) == (ChartFileMagic >> 8);
}

bool IsPlotStream(TStream& Stream) {
  if (IsBinaryPlotStream(Stream)) return true;
  const std::string b = PeekBytes(Stream, 1);
  return b == "O" || b == "o";
}

void PlotTextToBinary(TStream& Source, TStream& Target) {
  if (IsBinaryPlotStream(Source)) {
    CopyRest(Source, Target);
  } else if (IsPlotStream(Source)) {
    WritePlotHeader(Target);
    Streaming::ObjectTextToBinary(Source, Target);
  } else {
    Raise(PlotConst::MsgWrongChartFileFormat);
  }
}

void PlotBinaryToText(TStream& Source, TStream& Target) {
  if (IsBinaryPlotStream(Source)) {
    Source.Seek(4, TSeekOrigin::soCurrent);
    Streaming::ObjectBinaryToText(Source, Target);
  } else if (IsPlotStream(Source)) {
    CopyRest(Source, Target);
  } else {
    Raise(PlotConst::MsgWrongChartFileFormat);
  }
}

void ReadAppendedSeriesData(TCustomChart* Chart, TStream& Stream) {
  const std::string rest = ReadLeft(Stream);
  size_t at = 0;
  for (int32_t i = 0; i < Chart->SeriesCount() && at < rest.size(); ++i) {
    TChartSeries* series = Chart->GetSeries(i);
    const size_t length = SeriesRecordLength(rest, at, series->ValueLists().Count() - 2);
    if (length == 0)
      Raise(Format("The point data of series %s are damaged or end early in the chart file.",
                   {PlotEngine::SeriesTitleOrName(series)}));
    TMemoryStream record;
    record.WriteString(std::string_view(rest).substr(at, length));
    record.SetPosition(0);
    series->ReadData(record);
    at += length;
  }
  Stream.Seek(-static_cast<int64_t>(rest.size() - at), TSeekOrigin::soCurrent);
}

void ReadPlotStream(TCustomChart*& Chart, TStream& Stream, bool ReadData, const TChartReadErrorEvent& OnError) {
  if (Stream.GetSize() - Stream.GetPosition() <= 0) Raise(PlotConst::MsgEmptyChartFile);
  if (!IsPlotStream(Stream)) Raise(PlotConst::MsgWrongChartFileFormat);
  if (!Chart) Raise(PlotConst::MsgInvalidChartFile);

  std::string bytes;
  if (IsBinaryPlotStream(Stream)) {
    bytes = ReadLeft(Stream);
  } else {
    TMemoryStream binary;
    PlotTextToBinary(Stream, binary);
    bytes = binary.DataString();
  }
  if (bytes.size() < 4) Raise(PlotConst::MsgWrongChartFileFormat);
  bytes.erase(0, 4);

  // A trial read into a chart of its own: any error stops here, before the
  // chart loses its series and tools.
  {
    TCustomChart* trial = NewChartLike(*Chart);
    struct TFreeTrial {
      TCustomChart* C;
      ~TFreeTrial() { C->Free(); }
    } freeTrial{trial};
    ReadInto(*trial, bytes, ReadData, OnError);
  }

  Chart->AutoRepaint = false;
  try {
    RemoveSeriesAndTools(*Chart);
    // What the trial read let pass is let pass again, without asking twice.
    ReadInto(*Chart, bytes, ReadData, [](TReader&, const std::string&) { return true; });
  } catch (...) {
    Chart->AutoRepaint = true;
    throw;
  }
  Chart->AutoRepaint = true;
  Chart->Invalidate();
}

void ReadChartStream(TCustomChart*& Chart, TStream& Stream) { ReadPlotStream(Chart, Stream, true, nullptr); }

void Initialization() {
  ClassInfo::RegisterClass(TChartChart::StaticClass());
  ClassInfo::RegisterClass(TODBCChart::StaticClass());
}

void Finalization() {
  ClassInfo::UnRegisterClass(TChartChart::StaticClass());
  ClassInfo::UnRegisterClass(TODBCChart::StaticClass());
}

}  // namespace PlotStore
