// Reads and analyses generated k2d files of 20 000 measurements (and of twice that
// size, to show how the time grows) and prints the times: a Wenner line, and random
// arrays whose many close levels and plot points load the look-ups.
//
//   bench_survey [measurements]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
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

// Random four-electrode arrays on a 0.5 m grid: spacing and depth levels, plot
// points and distances are many and lie close together.
std::string WriteMixedSurvey(int measurements) {
  const auto path = std::filesystem::temp_directory_path() / ("bench_survey_mixed_" + std::to_string(measurements) + ".k2d");
  std::ofstream out(path, std::ios::binary);
  out << "C1 C2 P1 P2 ro_a\r\n";
  std::mt19937 random(5);
  auto position = [&] { return 0.5 * static_cast<double>(random() % 2000); };
  for (int m = 0; m < measurements;) {
    const double a = position(), b = position(), p = position(), q = position();
    if (a == b || a == p || a == q || b == p || b == q || p == q) continue;
    out << a << ' ' << b << ' ' << p << ' ' << q << ' ' << 10 + random() % 500 << "\r\n";
    ++m;
  }
  return path.string();
}

void Run(int measurements, bool mixed) {
  const std::string file = mixed ? WriteMixedSurvey(measurements) : WriteSurvey(measurements);
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
  std::printf("%s %6d measurements: read %.3f s, analyse %.3f s, again %.3f s (%zu electrodes, %zu sources, %zu receivers)\n",
              mixed ? "mixed " : "Wenner", measurements, read, analyse, again, survey.elecarray.size(), survey.Asource.size(), receivers);
  std::filesystem::remove(file);
}

}  // namespace

int main(int argc, char** argv) {
  const int measurements = argc > 1 ? std::atoi(argv[1]) : 20000;
  for (const bool mixed : {false, true}) {
    Run(measurements, mixed);
    Run(2 * measurements, mixed);
  }
  return 0;
}
