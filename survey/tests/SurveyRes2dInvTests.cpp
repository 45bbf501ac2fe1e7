#include <cmath>
#include <sstream>

#include "survey/tests/SurveyTestUtil.h"

namespace SurveyRes2dInvTests {

using Supermath2d::NoValue;
using namespace SurveyTest;

namespace {

// A conventional-array file of one data line, without IP and topography.
std::string ConventionalFile(int type, int locationType, const std::string& dataLine) {
  return "Title\n1.0\n" + std::to_string(type) + "\n1\n" + std::to_string(locationType) + "\n0\n" + dataLine +
         "\n0\n0\n0\n";
}

struct TExpectedRow {
  double C1, C2, P1, P2;
};

void ExpectElectrodes(const arofdoubleM& row, const TExpectedRow& e, const std::string& what) {
  EXPECT_EQ(row[Survey::colC1], e.C1) << what;
  EXPECT_EQ(row[Survey::colC2], e.C2) << what;
  EXPECT_EQ(row[Survey::colP1], e.P1) << what;
  EXPECT_EQ(row[Survey::colP2], e.P2) << what;
}

TEST(SurveyRes2dInvRead, ConventionalArraysPlaceTheirElectrodes) {
  const double Inf = NoValue;
  struct Case {
    int type, location;
    const char* line;
    TExpectedRow row;
  } cases[] = {
      {1, 0, "10 2 150", {10, 16, 12, 14}},   {1, 1, "10 2 150", {7, 13, 9, 11}},
      {2, 0, "10 2 150", {10, Inf, 12, Inf}}, {2, 1, "10 2 150", {9, Inf, 11, Inf}},
      {3, 0, "10 2 3 150", {10, 12, 18, 20}}, {3, 1, "10 2 3 150", {5, 7, 13, 15}},
      {4, 0, "10 2 150", {10, 12, 14, 16}},   {4, 1, "10 2 150", {7, 9, 11, 13}},
      {5, 0, "10 2 150", {10, 14, 12, 16}},   {5, 1, "10 2 150", {7, 11, 9, 13}},
      {6, 0, "10 2 3 150", {10, Inf, 16, 18}}, {6, 1, "10 2 3 150", {6, Inf, 12, 14}},
      {6, 0, "10 2 -3 150", {18, Inf, 12, 10}}, {6, 1, "10 2 -3 150", {14, Inf, 8, 6}},
      {7, 0, "10 2 2 150", {10, 20, 14, 16}}, {7, 1, "10 2 2 150", {5, 15, 9, 11}},
  };
  for (const Case& c : cases) {
    const std::string what = "type " + std::to_string(c.type) + ", L " + std::to_string(c.location) + ": " + c.line;
    TCapturedSurvey t;
    ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("a.dat", ConventionalFile(c.type, c.location, c.line))),
              Survey::ReadData)
        << what;
    ASSERT_EQ(t.Survey.MeasurementRows.size(), 1u) << what;
    const arofdoubleM& row = t.Survey.MeasurementRows[0];
    EXPECT_EQ(row.size(), 20u);
    ExpectElectrodes(row, c.row, what);
    EXPECT_EQ(row[Survey::colRhoA], 150) << what;
    EXPECT_EQ(row[Survey::colWeight], 1) << what;
    EXPECT_EQ(row[Survey::colRes], NoValue) << what;
    EXPECT_EQ(row[Survey::colEtaA], NoValue) << what;
  }
}

TEST(SurveyRes2dInvRead, KeepsPositionsAsReadAndSplitsAtCommas) {
  TCapturedSurvey t;
  ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("lab.dat", ConventionalFile(1, 0, "10.004 0.0125,150"))),
            Survey::ReadData);
  const arofdoubleM& row = t.Survey.MeasurementRows.at(0);
  EXPECT_EQ(row[Survey::colC1], 10.004);
  EXPECT_EQ(row[Survey::colP1], 10.004 + 0.0125);
  EXPECT_EQ(row[Survey::colRhoA], 150);
}

TEST(SurveyRes2dInvRead, ResetsTheStartResistivityAndTheRelief) {
  TCapturedSurvey t;
  t.Survey.StartResistivity = 77;
  t.Survey.StartPolarizability = 4;
  t.Survey.Topography = {{0, 1}, {5, 2}};
  ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("w.dat", ConventionalFile(1, 0, "0 1 100"))), Survey::ReadData);
  EXPECT_EQ(t.Survey.StartResistivity, 0);
  EXPECT_TRUE(t.Survey.Topography.empty());
  t.Survey.HasObservedData = true;
  t.Survey.AnalyseSurvey();
  EXPECT_EQ(t.Survey.StartResistivity, 100);  // proposed from the data
}

TEST(SurveyRes2dInvRead, IPValuesBecomePolarizabilityInPercent) {
  struct Case {
    const char* quantity;
    const char* unit;
    const char* times;
    double value, expected;
  } cases[] = {
      {"Chargeability", "mV/V", "0.0,1.0", 50, 5},
      {"Chargeability", "msec", "0.1,1.1", 50, 5},  // divided by the window 1, then by 10
      {"Chargeability", "msec", "0.1 0.6", 50, 10},
      {"Percent frequency effect", "%", "0,1", 3.5, 3.5},
      {"Metal factor", "mho/m", "0,1", 2 * 3.14159265358979323846, 150 * 1e-5},
  };
  for (const Case& c : cases) {
    const std::string file = std::string("IP\n1\n1\n1\n0\n1\n") + c.quantity + "\n" + c.unit + "\n" + c.times +
                             "\n0 1 150 " + Survey::ExactText(c.value) + "\n0\n0\n0\n";
    TCapturedSurvey t;
    ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("ip.dat", file)), Survey::ReadData) << c.quantity;
    EXPECT_TRUE(t.Survey.HasIPData);
    EXPECT_NEAR(t.Survey.MeasurementRows.at(0)[Survey::colEtaA], c.expected, 1e-9 * c.expected)
        << c.quantity << " " << c.unit;
  }
  // An IP quantity the reader does not know reads no polarizability.
  TCapturedSurvey t;
  ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("ip.dat", "IP\n1\n1\n1\n0\n1\nPhase\nmrad\n0,1\n0 1 150 7\n0\n0\n0\n")),
            Survey::ReadData);
  EXPECT_FALSE(t.Survey.HasIPData);
  EXPECT_EQ(t.Survey.MeasurementRows.at(0)[Survey::colEtaA], NoValue);
}

// The general array of the exchange format with 4, 3 and 2 electrodes, one line with
// an electrode count the format does not have, one line too short for its count.
const char* GeneralArrayFile =
    "General array example\n"
    "1.0\n"
    "11\n"
    "15\n"
    "Type of measurement (0=app. resistivity,1=resistance)\n"
    "0\n"
    "5\n"
    "1\n"
    "1\n"
    "Chargeability\n"
    "mV/V\n"
    "0.0,1.0\n"
    "4 0 0.0 4.5 0.0 1.5 0.0 3 0.0 100.5 5\n"
    "5 0 0 1 0 2 0 3 0 4 0 100 5\n"
    "3 0 0.0 1.5 0.0 3 0.0 110 2.5\n"
    "3 0 0.0 1.5 0.0 3 0.0 110\n"
    "2 0 0.0 1.5 0.0 120 7.5\n"
    "0\n0\n0\n0\n0\n";

TEST(SurveyRes2dInvRead, GeneralArrayDropsUnusableLinesAndCountsThem) {
  TCapturedSurvey t;
  ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("g.dat", GeneralArrayFile)), Survey::ReadData);
  const ararofdoubleM& rows = t.Survey.MeasurementRows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(t.Survey.SkippedDataLines, 2);
  ExpectElectrodes(rows[0], {0, 4.5, 1.5, 3}, "four electrodes");
  ExpectElectrodes(rows[1], {0, NoValue, 1.5, 3}, "three electrodes");
  ExpectElectrodes(rows[2], {0, NoValue, 1.5, NoValue}, "two electrodes");
  const double rho[] = {100.5, 110, 120}, eta[] = {0.5, 0.25, 0.75};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(rows[i][Survey::colRhoA], rho[i]);
    EXPECT_EQ(rows[i][Survey::colEtaA], eta[i]);
  }
  EXPECT_TRUE(t.Survey.Topography.empty());  // all elevations equal
}

TEST(SurveyRes2dInvRead, GeneralArrayResistanceAndElevations) {
  const std::string head = "g\n1\n11\n15\nType\n1\n2\n0\n0\n";
  TCapturedSurvey t;
  // Measurement type 1: the value is a resistance. One differing elevation makes the
  // whole list (in the order met) the topography.
  ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("r.dat", head + "4 2 10 0 10 1 10 3 10 0.5\n"
                                                                "4 3 10 1 11 2 10 4 10 0.7\n0\n0\n0\n")),
            Survey::ReadData);
  EXPECT_EQ(t.Survey.MeasurementRows.at(0)[Survey::colRes], 0.5);
  EXPECT_EQ(t.Survey.MeasurementRows.at(0)[Survey::colRhoA], NoValue);
  const arofcomplexM expected = {{2, 10}, {0, 10}, {1, 10}, {3, 10}, {1, 11}, {4, 10}};
  EXPECT_EQ(t.Survey.Topography, expected);
}

TEST(SurveyRes2dInvRead, TopographySections) {
  const std::string data = "t\n1\n1\n2\n0\n0\n0 1 100\n3 1 100\n";
  {
    TCapturedSurvey t;  // flag 1: the first electrode stands at point 2
    ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("t1.dat", data + "1\n3\n-5 10\n0 12\n8 9\n2\n0\n0\n")),
              Survey::ReadData);
    EXPECT_EQ(t.Survey.Topography, (arofcomplexM{{-5, 10}, {0, 12}, {8, 9}}));
    EXPECT_EQ(t.Survey.ReferenceX, 0);
    EXPECT_EQ(t.Survey.ReferenceChainage, 0);
    EXPECT_FALSE(t.Survey.TopoSlopeDistances);
  }
  {
    TCapturedSurvey t;  // flag 2: slope distances; a caption line before the flag is passed over
    ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("t2.dat", data + "Topography in separate list\n2\n2\n0\t10\n9\t12\n0\n0\n")),
              Survey::ReadData);
    EXPECT_EQ(t.Survey.Topography, (arofcomplexM{{0, 10}, {9, 12}}));
    EXPECT_TRUE(t.Survey.TopoSlopeDistances);
    EXPECT_EQ(t.Survey.ReferenceX, NoValue);
  }
}

TEST(SurveyRes2dInvRead, RefusedFilesLeaveTheSurveyAsItWas) {
  struct Case {
    const char* name;
    std::string text;
    const char* where;
  } cases[] = {
      {"array type 8", ConventionalFile(8, 0, "0 1 100"), "line 3: the array type 8"},
      {"no data lines", "t\n1\n1\n0\n0\n0\n0\n0\n0\n", "line 6: no data line"},
      {"every line unusable", "t\n1\n1\n1\n0\n0\n0 1\n0\n0\n0\n", "line 7: no data line"},
      {"a number above 0 at the end", "t\n1\n1\n1\n0\n0\n0 1 100\n0\n0\n3\n", "line 10: expected 0"},
      {"file ends within the data", "t\n1\n1\n3\n0\n0\n0 1 100\n", "after 1 of its 3 data lines"},
      {"first-electrode index outside the relief", "t\n1\n1\n1\n0\n0\n0 1 100\n1\n2\n0 1\n3 2\n5\n0\n0\n",
       "line 12: expected the topography point of the first electrode"},
      {"relief line of one number", "t\n1\n1\n1\n0\n0\n0 1 100\n2\n2\n0 1\n3\n0\n0\n",
       "line 11: expected a topography point"},
      {"empty file", "", "the array type 0"},
  };
  for (const Case& c : cases) {
    TCapturedSurvey t;
    ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("good.dat", ConventionalFile(1, 0, "0 1 100"))), Survey::ReadData);
    const ararofdoubleM rows = t.Survey.MeasurementRows;
    t.Survey.Topography = {{0, 1}};
    t.Survey.StartResistivity = 50;
    EXPECT_EQ(t.Survey.ReadRes2dInvFile(WriteText("bad.dat", c.text)), Survey::ReadError) << c.name;
    EXPECT_EQ(t.Survey.MeasurementRows, rows) << c.name;
    EXPECT_EQ(t.Survey.Topography.size(), 1u) << c.name;
    EXPECT_EQ(t.Survey.StartResistivity, 50) << c.name;
    EXPECT_NE(t.Survey.DataFileName.find("good.dat"), std::string::npos) << c.name;
    EXPECT_NE(t.Survey.ReadProblem.find(c.where), std::string::npos) << c.name << ": " << t.Survey.ReadProblem;
  }
}

// A general-array file with an error-estimate block between the IP flag and the
// data (an error column after every value) and a topography list after the data.
TEST(SurveyRes2dInvRead, ErrorEstimateBlockIsPassedOverAndEveryMeasurementRead) {
  const std::string head =
      "Survey with errors\n1.0\n11\n0\nType of measurement (0=app. resistivity,1=resistance)\n0\n3\n1\n";
  const std::string errors = "Error estimate for data present\nType of error estimate (0=same unit as data)\n0\n";
  const std::string tail = "Topography in separate list\n2\n3\n0 10\n3 11\n6 10.5\n0\n0\n0\n0\n";
  {
    TCapturedSurvey t;
    const std::string file = head + "0\n" + errors +
                             "4 0 0 3 0 1 0 2 0 100.5 2.5\n"
                             "4 1 0 4 0 2 0 3 0 95 1.9\n"
                             "4 2 0 5 0 3 0 4 0 90.25 3\n" +
                             tail;
    ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("err.dat", file)), Survey::ReadData) << t.Survey.ReadProblem;
    ASSERT_EQ(t.Survey.MeasurementRows.size(), 3u);
    EXPECT_EQ(t.Survey.MeasurementRows[1][Survey::colRhoA], 95);
    EXPECT_EQ(t.Survey.Topography, (arofcomplexM{{0, 10}, {3, 11}, {6, 10.5}}));
    EXPECT_EQ(t.Survey.SkippedDataLines, 0);
    ASSERT_EQ(t.Messages.size(), 1u);
    EXPECT_NE(t.Messages[0].find("error estimates"), std::string::npos);
  }
  {
    TCapturedSurvey t;  // with IP: the chargeability follows the value, the errors follow both
    const std::string file = head + "1\nChargeability\nmV/V\n0.0,1.0\n" + errors +
                             "4 0 0 3 0 1 0 2 0 100.5 20 2.5 0.4\n"
                             "4 1 0 4 0 2 0 3 0 95 30 1.9 0.5\n"
                             "4 2 0 5 0 3 0 4 0 90.25 40 3 0.6\n" +
                             tail;
    ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("err-ip.dat", file)), Survey::ReadData) << t.Survey.ReadProblem;
    ASSERT_EQ(t.Survey.MeasurementRows.size(), 3u);
    EXPECT_EQ(t.Survey.MeasurementRows[2][Survey::colRhoA], 90.25);
    EXPECT_EQ(t.Survey.MeasurementRows[2][Survey::colEtaA], 4);
  }
}

TEST(SurveyRes2dInvRead, RealFilesOpenAndAnalyse) {
  struct Case {
    const char* file;
    size_t rows, electrodes, relief;
    bool ip;
  } cases[] = {
      {"res2dinv-dd.dat", 591, 61, 61, false},
      {"res2dinv-wenner32.dat", 1648, 101, 0, false},
      {"res2dinv-ipgeneral.dat", 228, 35, 0, true},
      {"res2dinv_PolePole.DAT", 295, 0, 0, false},
  };
  for (const Case& c : cases) {
    TCapturedSurvey t;
    const std::string path = std::string(KV_TESTDATA_DIR) + "/res2dinv/" + c.file;
    ASSERT_EQ(t.Survey.ReadRes2dInvFile(path), Survey::ReadData) << c.file;
    EXPECT_EQ(t.Survey.MeasurementRows.size(), c.rows) << c.file;
    EXPECT_EQ(t.Survey.SkippedDataLines, 0) << c.file;
    EXPECT_EQ(t.Survey.HasIPData, c.ip) << c.file;
    EXPECT_EQ(t.Survey.Topography.size(), c.relief) << c.file;
    t.Survey.HasObservedData = true;
    t.Survey.AnalyseSurvey();
    if (c.electrodes) {
      EXPECT_EQ(t.Survey.elecarray.size(), c.electrodes) << c.file;
    }
    EXPECT_FALSE(t.Survey.Asource.empty()) << c.file;
    EXPECT_TRUE(t.Messages.empty()) << c.file << ": " << (t.Messages.empty() ? "" : t.Messages[0]);
  }
}

TEST(SurveyRes2dInvRead, RealPolePoleFileHasItsRemoteElectrodesAtInfinity) {
  TCapturedSurvey t;
  ASSERT_EQ(t.Survey.ReadRes2dInvFile(std::string(KV_TESTDATA_DIR) + "/res2dinv/res2dinv_PolePole.DAT"),
            Survey::ReadData);
  // First line 0.50 1.00 10.13 with the mid-point as x location.
  ExpectElectrodes(t.Survey.MeasurementRows.at(0), {0, NoValue, 1, NoValue}, "first line");
  EXPECT_EQ(t.Survey.MeasurementRows.at(0)[Survey::colRhoA], 10.13);
}

// ---------------------------------------------------------------------------------
// Writing

TEST(SurveyRes2dInvWrite, GeneralArrayTextAndReadBack) {
  TCapturedSurvey t;
  ASSERT_EQ(t.Survey.ReadRes2dInvFile(WriteText("g.dat", GeneralArrayFile)), Survey::ReadData);
  t.Survey.HasObservedData = true;
  t.Survey.AnalyseSurvey();
  const std::string out = (ScratchDir() / "out.dat").string();
  ASSERT_TRUE(t.Survey.WriteRes2dInvFile(out, true));
  EXPECT_EQ(ReadText(out),
            "Imported from KelmRes2d\r\n"
            "1.50\r\n"
            "11\r\n"
            "6\r\n"
            "Type of measurement (0=app. resistivity,1=resistance)\r\n"
            "0\r\n"
            "3\r\n"
            "1\r\n"
            "1\r\n"
            "Chargeability\r\n"
            "mV/V\r\n"
            "0.0,1.0\r\n"
            "4 0 0.0  4.500 0.0  1.500 0.0  3 0.0  100.500 5\r\n"
            "3 0 0.0  1.500 0.0  3 0.0  110 2.500\r\n"
            "2 0 0.0  1.500 0.0  120 7.500\r\n"
            "0\r\n0\r\n0\r\n0\r\n0\r\n");

  TCapturedSurvey back;
  ASSERT_EQ(back.Survey.ReadRes2dInvFile(out), Survey::ReadData);
  ararofdoubleM expected = t.Survey.MeasurementRows, got = back.Survey.MeasurementRows;
  for (ararofdoubleM* rows : {&expected, &got})
    for (arofdoubleM& row : *rows) row.resize(Survey::colEtaA + 1);  // geometry and values
  EXPECT_EQ(got, expected);
}

TEST(SurveyRes2dInvWrite, SubArrayTypeIsTheRoundedDownMeanElectrodeCount) {
  struct Case {
    const char* k2d;
    const char* subArray;
  } cases[] = {
      {"C1 C2 P1 P2 ro_a\n0 * 1 * 10\n1 * 2 * 10\n", "2"},                  // pole-pole
      {"C1 C2 P1 P2 ro_a\n0 * 1 2 10\n0 3 1 2 10\n", "6"},                  // 3 and 4: mean 3.5
      {"C1 C2 P1 P2 ro_a\n0 3 1 2 10\n1 4 2 3 10\n", "15"},
  };
  for (const Case& c : cases) {
    TCapturedSurvey t;
    ASSERT_EQ(OpenK2d(t.Survey, "s.k2d", c.k2d), Survey::ReadData);
    const std::string out = (ScratchDir() / "s.dat").string();
    ASSERT_TRUE(t.Survey.WriteRes2dInvFile(out, true));
    arofstrM lines;
    std::istringstream in(ReadText(out));
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.size() - 1));
    EXPECT_EQ(lines.at(3), c.subArray) << c.k2d;
  }
}

TEST(SurveyRes2dInvWrite, SurveyWithReliefReadsBackTheSame) {
  struct Case {
    const char* name;
    const char* relief;
  } cases[] = {
      {"first electrode on a relief point", "topo\n-4 100\n0 101\n6 99.5\n12 103\n20 102\n"},
      {"first electrode between relief points", "topo\n-3 100\n2 101.5\n9 99\n25 104\n"},
  };
  for (const Case& c : cases) {
    TCapturedSurvey t;
    const std::string k2d = std::string("C1 C2 P1 P2 ro_a eta_a\n0 6 2 4 100 1.5\n2 8 4 6 120 2\n4 10 6 8 90 3\n"
                                        "0 * 3 6 80 1\n") +
                            c.relief;
    ASSERT_EQ(OpenK2d(t.Survey, "r.k2d", k2d), Survey::ReadData) << c.name;
    const std::string out = (ScratchDir() / "r.dat").string();
    ASSERT_TRUE(t.Survey.WriteRes2dInvFile(out, true)) << c.name;

    TCapturedSurvey back;
    ASSERT_EQ(back.Survey.ReadRes2dInvFile(out), Survey::ReadData) << c.name;
    back.Survey.HasObservedData = true;
    back.Survey.AnalyseSurvey();
    const TSurvey& a = t.Survey;
    const TSurvey& b = back.Survey;
    ASSERT_EQ(b.elecarray.size(), a.elecarray.size()) << c.name;
    for (size_t i = 0; i < a.elecarray.size(); ++i) {
      EXPECT_NEAR(b.elecarray[i].X, a.elecarray[i].X, 1e-9) << c.name << " electrode " << i;
      EXPECT_NEAR(b.elecarray[i].ModelDepth, a.elecarray[i].ModelDepth, 1e-9) << c.name << " electrode " << i;
    }
    for (double x = -3; x <= 25; x += 0.5)
      EXPECT_NEAR(Supermath2d::InterpolateComplex(b.Topography, x), Supermath2d::InterpolateComplex(a.Topography, x),
                  1e-9)
          << c.name << " relief at " << x;
    EXPECT_TRUE(b.HasIPData);
    ASSERT_EQ(b.Asource.size(), a.Asource.size()) << c.name;
    for (size_t s = 0; s < a.Asource.size(); ++s)
      for (size_t j = 0; j < a.Asource[s].RhoA.size(); ++j) {
        EXPECT_NEAR(b.Asource[s].RhoA.at(j), a.Asource[s].RhoA[j], 1e-9) << c.name;
        EXPECT_NEAR(b.Asource[s].EtaA.at(j), a.Asource[s].EtaA[j], 1e-9) << c.name;
        EXPECT_NEAR(b.Asource[s].K.at(j), a.Asource[s].K[j], 1e-9 * std::abs(a.Asource[s].K[j])) << c.name;
      }
  }
}

TEST(SurveyRes2dInvWrite, ValuesReadBackAsTheSameNumbers) {
  TCapturedSurvey t;
  ASSERT_EQ(OpenK2d(t.Survey, "v.k2d",
                    "C1 C2 P1 P2 ro_a eta_a\n0 3 1 2 0.8277 0.0123\n1 4 2 3 0.0004 1.5\n2 5 3 4 123.456789 7\n"),
            Survey::ReadData);
  const std::string out = (ScratchDir() / "v.dat").string();
  ASSERT_TRUE(t.Survey.WriteRes2dInvFile(out, true));
  TCapturedSurvey back;
  ASSERT_EQ(back.Survey.ReadRes2dInvFile(out), Survey::ReadData);
  back.Survey.HasObservedData = true;
  back.Survey.AnalyseSurvey();
  std::vector<double> written, read;
  ForEachReceiver(t.Survey, [&](const osource& s, size_t j) { written.push_back(s.RhoA[j]); });
  ForEachReceiver(back.Survey, [&](const osource& s, size_t j) { read.push_back(s.RhoA[j]); });
  std::sort(written.begin(), written.end());
  std::sort(read.begin(), read.end());
  EXPECT_EQ(read, written);
  EXPECT_NEAR(written.at(0), 0.0004, 1e-15);
}

TEST(SurveyRes2dInvWrite, CalculatedValuesAndAFileThatCannotBeWritten) {
  TCapturedSurvey t;
  ASSERT_EQ(OpenK2d(t.Survey, "c.k2d", "C1 C2 P1 P2 ro_a\n0 3 1 2 10\n"), Survey::ReadData);
  t.Survey.Asource[0].RhoACalc[0] = 12.25;
  const std::string out = (ScratchDir() / "c.dat").string();
  ASSERT_TRUE(t.Survey.WriteRes2dInvFile(out, false));
  EXPECT_NE(ReadText(out).find("4 0 0.0  3 0.0  1 0.0  2 0.0  12.250\r\n"), std::string::npos);

  const std::string bad = (ScratchDir() / "missing" / "c.dat").string();
  EXPECT_FALSE(t.Survey.WriteRes2dInvFile(bad, true));
  ASSERT_EQ(t.Messages.size(), 1u);
  EXPECT_EQ(t.Messages[0], "Cannot write the file \"" + bad + "\".");
}

}  // namespace

}  // namespace SurveyRes2dInvTests
