#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <tuple>
#include <fstream>
#include <iterator>
#include <string>

#include "views/ModelSection.h"

namespace test_model_section {

namespace {

namespace fs = std::filesystem;
using namespace ModelSection;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << text;
}

arofstrM Lines(const std::string& text) {
  arofstrM lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    if (text[i] == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += text[i];
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

class ModelSectionFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kv_model_section_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
  }
  fs::path dir_;
};

Tnode Node(double x, double depth, uint8_t fixed, int32_t kind, int32_t border) {
  Tnode n;
  n.X = x;
  n.Depth = depth;
  n.Fixed = fixed;
  n.Kind = kind;
  n.Border = border;
  return n;
}

// A frame with a relief node, a body of two polygons sharing an edge, and properties
// of every kind.
TModelSection SampleModel() {
  TModelSection s;
  s.StartResistivity = 123.456789012345;
  s.StartPolarizability = 2.5;
  s.XMin = -12.5;
  s.XMax = 487.25;
  s.ZMin = 0.0;
  s.ZMax = 96.0;
  s.HasRelief = true;
  s.Relief = {{-12.5, 3.0}, {200.0, 0.0}, {487.25, 7.125}};
  s.ModelNodes = {Node(-12.5, 3.0, 0, 0, 1),       Node(-12.5, 96.0, 0, 0, 2),
                  Node(487.25, 96.0, 0, 0, 4),     Node(487.25, 7.125, 0, 0, 5),
                  Node(200.0, 0.0, 1, 0, 6),       Node(100.0, 20.0, 0, 1, 0),
                  Node(150.0, 20.0, 1, 1, 0),      Node(150.0, 40.000000000001, 0, 0, 0),
                  Node(1.0 / 3.0, 33.333333333333336, 0, 0, 0)};
  Polygon frame;
  frame.Nodes = {0, 1, 2, 3, 4, 0, 4, 3, 2, 1};
  frame.Props = Polygons::DefaultProps;
  Polygon a;
  a.Nodes = {5, 6, 7};
  a.Props = Polygons::DefaultProps;
  a.Props[0] = int32_t{3};
  a.Props[4] = int32_t{255};
  a.Props[7] = std::string("ore body");
  a.Props[8] = int32_t{4};
  a.Props[10] = 1234.5;
  a.Props[11] = 0.0625;
  a.Props[12] = 2.65;
  a.Props[13] = -15.0;
  Polygon b;
  b.Nodes = {5, 7, 8};
  b.Props = Polygons::DefaultProps;
  b.Props[7] = std::string();
  s.ModelPolygons = {{frame}, {a, b}};
  // Orientation as the reader delivers it.
  Polygons::NormalizeModelOrientation(s.ModelPolygons, s.ModelNodes);
  return s;
}

// Property i as the reader gives it back: what a property line carries.
void ExpectSameProps(const PolygonProps& expected, const PolygonProps& actual) {
  for (int i : {0, 4, 8}) EXPECT_EQ(expected[i].AsInt(), actual[i].AsInt()) << "property " << i;
  for (int i : {10, 11, 12, 13}) EXPECT_DOUBLE_EQ(expected[i].AsDouble(), actual[i].AsDouble()) << i;
  for (int i : {1, 2, 3}) EXPECT_EQ(expected[i].AsString(), actual[i].AsString()) << "property " << i;
}

TEST(ModelSectionText, RealTextHasTheFixedWidthScientificForm) {
  EXPECT_EQ(RealText(1000.0), " 1.00000000000000E+0003");
  EXPECT_EQ(RealText(-0.5), "-5.00000000000000E-0001");
  EXPECT_EQ(RealText(0.0), " 0.00000000000000E+0000");
  EXPECT_EQ(RealText(1.0 / 3.0), " 3.33333333333333E-0001");
  EXPECT_EQ(RealText(-1e-300).size(), 23u);
}

TEST(ModelSectionText, PropertiesToStrWritesTokensAsTheLineFormatSays) {
  PolygonProps p;  // all empty
  p[0] = int32_t{-1};
  p[1] = std::string("536870912#1");
  p[4] = int32_t{12632256};
  p[5] = std::string("   ");
  p[7] = std::string("a b");
  p[8] = int32_t{2};
  p[10] = 3.14159;
  p[11] = 0.0314159;
  p[12] = 4.0;
  p[14] = std::string("x y");
  EXPECT_EQ(PropertiesToStr(p),
            "-1 536870912#1 * * 12632256 * * a\xC2\xA6"
            "b 2 * 3.142 0.0314 4 * x\xC2\xA6y * * * * * ");
  p[7] = std::string();
  EXPECT_EQ(PropertiesToStr(p).substr(0, 32), "-1 536870912#1 * * 12632256 * * ");
  EXPECT_EQ(PropertiesToStr(p).substr(32, 2), "* ");
}

TEST(ModelSectionText, PropertiesFromStrReadsBackWhatWasWritten) {
  PolygonProps p = Polygons::DefaultProps;
  p[7] = std::string("two words");
  p[10] = 250.0;
  PolygonProps q = Polygons::DefaultProps;
  q[7] = std::string("old");
  std::string message;
  ASSERT_TRUE(PropertiesFromStr(q, PropertiesToStr(p), message)) << message;
  ExpectSameProps(p, q);
  EXPECT_EQ(q[7].AsString(), "two words");

  // "*" leaves a property as it was; a real token that is no number gives NoValue.
  PolygonProps r = Polygons::DefaultProps;
  r[7] = std::string("kept");
  ASSERT_TRUE(PropertiesFromStr(r, "5 * * * 7 a b * 1 c abc * * * * ", message));
  EXPECT_EQ(r[0].AsInt(), 5);
  EXPECT_EQ(r[4].AsInt(), 7);
  EXPECT_EQ(r[7].AsString(), "kept");
  EXPECT_EQ(r[10].AsDouble(), Supermath2d::NoValue);
  EXPECT_EQ(r[1].AsString(), Polygons::DefaultProps[1].AsString());
}

TEST(ModelSectionText, DamagedPropertyLineChangesNothing) {
  const struct {
    const char* line;
    const char* why;
  } cases[] = {
      {"1 a b c 2 * * x 3 * 10 0 0 0", "fourteen fields"},
      {"", "empty line"},
      {"1 a b c red * * x 3 * 10 0 0 0 * ", "colour is no integer"},
      {"1.5 a b c 2 * * x 3 * 10 0 0 0 * ", "shape id is no integer"},
  };
  for (const auto& c : cases) {
    PolygonProps p = Polygons::DefaultProps;
    p[10] = 77.0;
    std::string message;
    EXPECT_FALSE(PropertiesFromStr(p, c.line, message)) << c.why;
    EXPECT_FALSE(message.empty()) << c.why;
    EXPECT_EQ(p, [] {
      PolygonProps d = Polygons::DefaultProps;
      d[10] = 77.0;
      return d;
    }()) << c.why;
  }
}

TEST_F(ModelSectionFiles, WrittenModelReadsBackTheSame) {
  const fs::path file = dir_ / "survey.k2d";
  WriteAll(file, "C1 C2 P1 P2 ro_a\r\n0 10 3 7 100\r\n***\r\n");
  const TModelSection model = SampleModel();
  std::string message;
  ASSERT_TRUE(WriteSectionFile(file.string(), -1, model, message)) << message;

  const std::string text = ReadAll(file);
  EXPECT_EQ(text.rfind("C1 C2 P1 P2 ro_a\r\n0 10 3 7 100\r\n***\r\nKelmPolyModelDescription2.0\r\n", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 28), "EndPolyModelDescription2.0\r\n");
  EXPECT_NE(text.find("\r\n-1 "), std::string::npos) << "the outline's shape id comes first";
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1) << "no temporary left";

  TModelSection read;
  ASSERT_EQ(ReadSectionFile(file.string(), read, message), TReadResult::Read) << message;
  EXPECT_EQ(read.StartResistivity, model.StartResistivity);
  EXPECT_EQ(read.StartPolarizability, model.StartPolarizability);
  EXPECT_EQ(std::tie(read.XMin, read.XMax, read.ZMin, read.ZMax),
            std::tie(model.XMin, model.XMax, model.ZMin, model.ZMax));
  EXPECT_EQ(read.HasRelief, model.HasRelief);
  EXPECT_EQ(read.Relief, model.Relief);
  ASSERT_EQ(read.ModelNodes.size(), model.ModelNodes.size());
  for (size_t i = 0; i < model.ModelNodes.size(); ++i) {
    const Tnode& a = model.ModelNodes[i];
    const Tnode& b = read.ModelNodes[i];
    // Fifteen significant digits.
    EXPECT_NEAR(b.X, a.X, 1e-14 * std::max(1.0, std::fabs(a.X))) << i;
    EXPECT_NEAR(b.Depth, a.Depth, 1e-14 * std::max(1.0, std::fabs(a.Depth))) << i;
    EXPECT_EQ(std::tie(b.Fixed, b.Kind, b.Border), std::tie(a.Fixed, a.Kind, a.Border)) << i;
  }
  ASSERT_EQ(read.ModelPolygons.size(), model.ModelPolygons.size());
  for (size_t b = 0; b < model.ModelPolygons.size(); ++b) {
    ASSERT_EQ(read.ModelPolygons[b].size(), model.ModelPolygons[b].size());
    for (size_t p = 0; p < model.ModelPolygons[b].size(); ++p) {
      EXPECT_EQ(read.ModelPolygons[b][p].Nodes, model.ModelPolygons[b][p].Nodes);
      ExpectSameProps(model.ModelPolygons[b][p].Props, read.ModelPolygons[b][p].Props);
    }
  }
  EXPECT_EQ(read.ModelPolygons[1][0].Props[7].AsString(), "ore body");
  // An empty label is written as "*" and so stays unset when read into a new polygon.
  EXPECT_TRUE(read.ModelPolygons[1][1].Props[7].IsEmpty());
}

TEST_F(ModelSectionFiles, ModelWithoutReliefWritesZeroHeaderAndEmptyLine) {
  const fs::path file = dir_ / "flat.k2d";
  TModelSection model = SampleModel();
  model.HasRelief = false;
  model.Relief.clear();
  std::string message;
  ASSERT_TRUE(WriteSectionFile(file.string(), -1, model, message)) << message;
  const arofstrM lines = Lines(ReadAll(file));
  ASSERT_GT(lines.size(), 5u);
  EXPECT_EQ(lines[0], "KelmPolyModelDescription2.0");
  EXPECT_EQ(lines[3], "0 0");
  EXPECT_EQ(lines[4], "");
  TModelSection read;
  ASSERT_EQ(ReadSectionFile(file.string(), read, message), TReadResult::Read) << message;
  EXPECT_FALSE(read.HasRelief);
  EXPECT_TRUE(read.Relief.empty());
}

TEST_F(ModelSectionFiles, KeptLinesArePaddedOrCut) {
  const fs::path file = dir_ / "keep.k2d";
  const TModelSection model = SampleModel();
  std::string message;
  WriteAll(file, "a\r\nb\r\n");
  ASSERT_TRUE(WriteSectionFile(file.string(), 4, model, message)) << message;
  EXPECT_EQ(ReadAll(file).rfind("a\r\nb\r\n\r\n\r\nKelmPolyModelDescription2.0\r\n", 0), 0u);
  WriteAll(file, "a\nb\nc\n");
  ASSERT_TRUE(WriteSectionFile(file.string(), 1, model, message)) << message;
  EXPECT_EQ(ReadAll(file).rfind("a\r\nKelmPolyModelDescription2.0\r\n", 0), 0u);
  // A new file holds the section alone.
  const fs::path fresh = dir_ / "new.k2d";
  ASSERT_TRUE(WriteSectionFile(fresh.string(), -1, model, message)) << message;
  EXPECT_EQ(ReadAll(fresh).rfind("KelmPolyModelDescription2.0\r\n", 0), 0u);
}

TEST_F(ModelSectionFiles, FailedWriteLeavesTheFileAsItWas) {
  std::string message;
  EXPECT_FALSE(WriteSectionFile((dir_ / "missing" / "x.k2d").string(), -1, SampleModel(), message));
  EXPECT_NE(message.find("x.k2d"), std::string::npos);

  if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
  const fs::path file = dir_ / "data.k2d";
  WriteAll(file, "data line\r\n");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  message.clear();
  EXPECT_FALSE(WriteSectionFile(file.string(), -1, SampleModel(), message));
  EXPECT_NE(message.find("left as it was"), std::string::npos) << message;
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_EQ(ReadAll(file), "data line\r\n");
}

TEST(ModelSectionRead, HandWrittenSectionReadsIntoTheExpectedModel) {
  const std::string file = std::string(KV_TEST_FIXTURES) + "/small_model.k2d";
  TModelSection s;
  std::string message;
  ASSERT_EQ(ReadSectionFile(file, s, message), TReadResult::Read) << message;
  EXPECT_EQ(s.StartResistivity, 100.0);
  EXPECT_EQ(s.StartPolarizability, 0.0);
  EXPECT_EQ(std::tie(s.XMin, s.XMax, s.ZMin, s.ZMax), std::make_tuple(0.0, 100.0, 0.0, 50.0));
  EXPECT_TRUE(s.HasRelief);
  EXPECT_EQ(s.Relief, (arofcomplexM{{25.0, 0.0}, {75.0, 1.5}}));
  ASSERT_EQ(s.ModelNodes.size(), 7u);
  EXPECT_EQ(s.ModelNodes[2].X, 100.0);
  EXPECT_EQ(s.ModelNodes[2].Border, 4);
  EXPECT_EQ(s.ModelNodes[4].Fixed, 1);
  EXPECT_EQ(s.ModelNodes[6].Depth, 25.0);
  ASSERT_EQ(s.ModelPolygons.size(), 2u);
  EXPECT_EQ(s.ModelPolygons[0][0].Nodes, (arofintM{0, 1, 2, 3, 0, 3, 2, 1}));
  EXPECT_EQ(s.ModelPolygons[0][0].Props[0].AsInt(), -1);
  EXPECT_EQ(s.ModelPolygons[0][0].Props[7].AsString(), " ");
  const Polygon& body = s.ModelPolygons[1][0];
  EXPECT_FALSE(Polygons::IsNodePolygonNegative(body.Nodes, s.ModelNodes));
  arofintM sorted = body.Nodes;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (arofintM{4, 5, 6}));
  EXPECT_EQ(body.Props[0].AsInt(), 7);
  EXPECT_EQ(body.Props[4].AsInt(), 255);
  EXPECT_EQ(body.Props[7].AsString(), "Ore body");  // written with the character 166
  EXPECT_EQ(body.Props[8].AsInt(), 4);
  EXPECT_EQ(body.Props[10].AsDouble(), 12.5);
  EXPECT_EQ(body.Props[11].AsDouble(), 3.25);
  EXPECT_EQ(body.Props[12].AsDouble(), 2.7);
  EXPECT_TRUE(body.Props[3].IsEmpty());
}

TEST(ModelSectionRead, FileWithoutSectionOrWithHeaderLastHasNone) {
  TModelSection s = SampleModel();
  std::string message;
  EXPECT_EQ(ParseSection({"C1 C2 P1 P2 ro_a", "1 2 3 4 5"}, "f", s, message), TReadResult::NoSection);
  EXPECT_EQ(ParseSection({"data", "xx KelmPolyModelDescription2.0"}, "f", s, message), TReadResult::NoSection);
  EXPECT_TRUE(message.empty());
  EXPECT_EQ(s.ModelNodes.size(), SampleModel().ModelNodes.size());
}

TEST(ModelSectionRead, DamagedSectionsAreRefusedAndChangeNothing) {
  const arofstrM good = Lines(SectionText(SampleModel()));
  // Line numbers in the written sample: 0 header, 1 start values, 2 bounds, 3 relief
  // header, 4 relief points, 5 node count, 6..14 nodes, 15 body count, 16 polygon
  // count of body 0, 17 frame properties, 18 frame nodes, 19 polygon count of body 1,
  // 20/21 polygon 0, 22/23 polygon 1, 24 end line.
  ASSERT_EQ(good.size(), 25u);
  struct Case {
    const char* why;
    std::function<void(arofstrM&)> damage;
  };
  const Case cases[] = {
      {"truncated after the nodes", [](arofstrM& l) { l.resize(15); }},
      {"truncated inside a polygon", [](arofstrM& l) { l.resize(21); }},
      {"end line missing", [](arofstrM& l) { l.resize(24); }},
      {"node index beyond the node list", [](arofstrM& l) { l[23] = "5 7 9 "; }},
      {"negative node index", [](arofstrM& l) { l[21] = "5 -1 7 "; }},
      {"polygon of two nodes", [](arofstrM& l) { l[21] = "5 6 "; }},
      {"node count larger than the node lines", [](arofstrM& l) { l[5] = "12"; }},
      {"body count larger than the bodies", [](arofstrM& l) { l[15] = "3"; }},
      {"polygon count zero", [](arofstrM& l) { l[19] = "0"; }},
      {"fixed flag 2", [](arofstrM& l) { l[8] = " 1.0E+0002  9.6E+0001 2 0 4"; }},
      {"border code 9", [](arofstrM& l) { l[8] = " 1.0E+0002  9.6E+0001 0 0 9"; }},
      {"border code past the integers", [](arofstrM& l) { l[8] = " 1.0E+0002  9.6E+0001 0 0 5E+14"; }},
      {"kind past the integers", [](arofstrM& l) { l[8] = " 1.0E+0002  9.6E+0001 0 -1E+300 4"; }},
      {"node line missing a value", [](arofstrM& l) { l[8] = " 1.0E+0002  9.6E+0001 0 0"; }},
      {"word among the node values", [](arofstrM& l) { l[8] = " 1.0E+0002 x 9.6E+0001 0 0 4"; }},
      {"relief points missing", [](arofstrM& l) { l[4] = " 1.0E+0000 2.0E+0000"; }},
      {"bounds reversed", [](arofstrM& l) { l[2] = "5 1 0 10"; }},
      {"property line of ten fields", [](arofstrM& l) { l[20] = "1 2 3 4 5 6 7 8 9 10"; }},
      {"colour that is no integer", [](arofstrM& l) { l[20] = "3 a b c red * * x 4 * 1 0 0 0 * * * * * * "; }},
      {"count that is no whole number", [](arofstrM& l) { l[5] = "9.5"; }},
  };
  for (const Case& c : cases) {
    arofstrM lines = good;
    c.damage(lines);
    lines.insert(lines.begin(), "C1 C2 P1 P2 ro_a");
    TModelSection s;
    s.StartResistivity = -7.0;
    s.ModelNodes = {Node(1, 2, 0, 0, 0)};
    std::string message;
    EXPECT_EQ(ParseSection(lines, "damaged.k2d", s, message), TReadResult::Refused) << c.why;
    EXPECT_NE(message.find("damaged.k2d"), std::string::npos) << c.why;
    EXPECT_NE(message.find("line "), std::string::npos) << c.why << ": " << message;
    EXPECT_EQ(s.StartResistivity, -7.0) << c.why;
    EXPECT_EQ(s.ModelNodes.size(), 1u) << c.why;
    EXPECT_TRUE(s.ModelPolygons.empty()) << c.why;
  }
}

TEST(ModelSectionRead, PolygonsComeBackWithTheOrientationTheEditorKeeps) {
  TModelSection model = SampleModel();
  arofintM& list = model.ModelPolygons[1][0].Nodes;
  std::reverse(list.begin(), list.end());
  ASSERT_TRUE(Polygons::IsNodePolygonNegative(list, model.ModelNodes));
  TModelSection read;
  std::string message;
  ASSERT_EQ(ParseSection(Lines(SectionText(model)), "f", read, message), TReadResult::Read) << message;
  EXPECT_FALSE(Polygons::IsNodePolygonNegative(read.ModelPolygons[1][0].Nodes, read.ModelNodes));
  EXPECT_EQ(read.ModelPolygons[0][0].Nodes, model.ModelPolygons[0][0].Nodes) << "the outline is kept as stored";
}

}  // namespace

namespace {

TEST(ModelSectionText, ChartSettingsAreAppliedWholeOrNotAtAll) {
  TChartSettings s;
  s.Values = {16711680, 0, 32768, 8421504, 25, 70, 1, 10};
  s.FontText = "1^0^-9^0^7^96^0^0^x^0000^small*fonts";
  const std::string text = ChartSettingsToStr(s);
  EXPECT_EQ(text.rfind(" 16711680 0 32768 8421504 25 70 1 10 ", 0), 0u);
  TChartSettings read;
  std::string message;
  ASSERT_TRUE(ChartSettingsFromStr(text, read, message)) << message;
  EXPECT_EQ(read.Values, s.Values);
  EXPECT_EQ(read.FontText, s.FontText);

  for (const char* bad : {" 1 2 3 4 5 6 7 8", " 1 2 3 x 5 6 7 8 font", ""}) {
    TChartSettings kept = s;
    EXPECT_FALSE(ChartSettingsFromStr(bad, kept, message)) << bad;
    EXPECT_EQ(message.empty(), std::string(bad).empty()) << bad;
    EXPECT_EQ(kept.Values, s.Values) << bad;
    EXPECT_EQ(kept.FontText, s.FontText) << bad;
  }
}

}  // namespace

}  // namespace test_model_section
