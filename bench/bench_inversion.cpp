// Inversion benchmark: the forward benchmark's survey over 20 blocks; prints the
// time of one inversion iteration (forward run with sensitivities and the step).
#define KV_BENCH_NO_MAIN
#include "bench/bench_forward.cpp"

int main() {
  TBenchSurvey survey;
  BuildBenchProblem(survey, 10, 2, 0.35);
  DC2dBEM::Hooks.ShowMessage = [](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); };
  // Observed data from the blocks, then a start at the host resistivity.
  DC2dBEM::ForwardModel();
  for (osource& s : survey.Sources) {
    s.Res = s.ResCalc;
    s.RhoA = s.RhoACalc;
  }
  for (size_t p = 1; p < DC2dBEM::Model[0].size(); ++p)
    DC2dBEM::Model[0][p].Props[Polygons::PropResistivity] = 100.0;
  size_t data = 0;
  for (const osource& s : survey.Sources) data += s.P1.size();

  // An inversion of one iteration fills the integral caches; one of three
  // iterations adds two iterations that read them. Each ends with a forward run.
  auto invert = [&](int32_t iterations) {
    for (size_t p = 1; p < DC2dBEM::Model[0].size(); ++p)
      DC2dBEM::Model[0][p].Props[Polygons::PropResistivity] = 100.0;
    DC2dBEM::IterationCount = iterations;
    const auto start = std::chrono::steady_clock::now();
    DC2dBEM::Inversion();
    return Seconds(start);
  };
  const double one = invert(1);
  const double three = invert(3);
  std::printf("survey: %zu data, %d bodies, system size %d, %zu wavenumbers\n", data, DC2dBEM::ParamCount,
              DC2dBEM::SystemSize, DC2dBEM::Wavenumbers.size());
  std::printf("inversion of 1 iteration: %.3f s; of 3 iterations: %.3f s\n", one, three);
  std::printf("one later iteration (cached integrals): %.3f s\n", (three - one) / 2.0);
  std::printf("misfit after 3 iterations: %.2f %%\n", DC2dBEM::Misfit().first);
  return 0;
}
