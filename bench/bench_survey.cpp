// Reads and analyses a generated k2d file of 20 000 measurements (and one of twice
// that size, to show how the time grows) and prints the times.
//
//   bench_survey [measurements]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "survey/Survey.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// A Wenner line with IP: stations every 2 m, ten levels per station, apparent
// resistivity and polarizability varying smoothly along the line and with depth.
std::string WriteSurvey(int measurements) {
  const auto path = std::filesystem::temp_directory_path() / ("bench_survey_" + std::to_string(measurements) + ".k2d");
  std::ofstream out(path, std::ios::binary);
  out << "C1 C2 P1 P2 ro_a eta_a\r\n";
  const int levels = 10;
  for (int m = 0; m < measurements; ++m) {
    const double x = 2.0 * (m / levels);
    const double a = 2.0 * (m % levels + 1);
    const double rho = 100 + 40 * std::sin(x / 60) + 3 * a;
    const double eta = 2 + std::cos(x / 80) + 0.05 * a;
    out << x - 1.5 * a << ' ' << x + 1.5 * a << ' ' << x - 0.5 * a << ' ' << x + 0.5 * a << ' ' << rho << ' '
        << eta << "\r\n";
  }
  return path.string();
}

void Run(int measurements) {
  const std::string file = WriteSurvey(measurements);
  TSurvey survey;
  auto start = Clock::now();
  const int32_t result = survey.ReadSurveyFile(file);
  const double read = Seconds(start);
  if (result == Survey::ReadError) {
    std::printf("%s: %s\n", file.c_str(), Survey::ErrorInDataFile);
    std::exit(1);
  }
  survey.HasObservedData = true;
  start = Clock::now();
  survey.AnalyseSurvey();
  const double analyse = Seconds(start);
  // Once more on the same survey: the lists reuse memory the process already has,
  // so this time is the analysis's own work without first touches of new pages.
  start = Clock::now();
  survey.AnalyseSurvey();
  const double again = Seconds(start);
  size_t receivers = 0;
  for (const osource& s : survey.Asource) receivers += s.P1.size();
  std::printf("%6d measurements: read %.3f s, analyse %.3f s, again %.3f s (%zu electrodes, %zu sources, %zu receivers)\n",
              measurements, read, analyse, again, survey.elecarray.size(), survey.Asource.size(), receivers);
  std::filesystem::remove(file);
}

}  // namespace

int main(int argc, char** argv) {
  const int measurements = argc > 1 ? std::atoi(argv[1]) : 20000;
  Run(measurements);
  Run(2 * measurements);
  return 0;
}
