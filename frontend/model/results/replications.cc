#include "frontend/model/results/replications.h"

#include <cmath>
#include <numeric>
#include <span>
#include <utility>

namespace trakvist {
namespace {

// The continued fraction of the regularized incomplete beta function
// (modified Lentz), which converges quickly for x < (a + 1) / (a + b + 2).
double BetaFraction(double a, double b, double x) {
  constexpr double kTiny = 1e-300;
  double c = 1.0;
  double d = 1.0 - (a + b) * x / (a + 1.0);
  if (std::fabs(d) < kTiny) d = kTiny;
  d = 1.0 / d;
  double h = d;
  for (int m = 1; m <= 1000; ++m) {
    const double m2 = 2.0 * m;
    for (const double numerator : {m * (b - m) * x / ((a + m2 - 1.0) * (a + m2)),
                                   -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0))}) {
      d = 1.0 + numerator * d;
      if (std::fabs(d) < kTiny) d = kTiny;
      c = 1.0 + numerator / c;
      if (std::fabs(c) < kTiny) c = kTiny;
      d = 1.0 / d;
      h *= d * c;
    }
    if (std::fabs(d * c - 1.0) < 1e-16) break;
  }
  return h;
}

// I_x(a, b), the regularized incomplete beta function.
double IncompleteBeta(double a, double b, double x) {
  if (x <= 0.0) return 0.0;
  if (x >= 1.0) return 1.0;
  const double front =
      std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) +
               b * std::log1p(-x));
  if (x < (a + 1.0) / (a + b + 2.0)) return front * BetaFraction(a, b, x) / a;
  return 1.0 - front * BetaFraction(b, a, 1.0 - x) / b;
}

// P(|T| > t) for Student's t with `degrees` degrees of freedom.
double TwoSidedTail(double t, double degrees) {
  return IncompleteBeta(degrees / 2.0, 0.5, degrees / (degrees + t * t));
}

}  // namespace

std::vector<std::uint32_t> DrawSeeds(int count, std::random_device& source) {
  std::uniform_int_distribution<std::uint32_t> seeds(1, 0x7FFFFFFF);
  std::vector<std::uint32_t> drawn;
  for (int k = 0; k < count; ++k) drawn.push_back(seeds(source));
  return drawn;
}

double ReplicationSeed(const ReplicationPlan& plan, double combination_seed, int k) {
  if (k >= 0 && static_cast<std::size_t>(k) < plan.drawn_seeds.size()) {
    return plan.drawn_seeds[static_cast<std::size_t>(k)];
  }
  return combination_seed + k;
}

std::int64_t EngineRunOf(std::int64_t combination, int k, int count) {
  return (combination - 1) * count + k + 1;
}

SweepResults ReplicationMeans(const SweepResults& runs, int count) {
  if (count <= 1) return runs;
  const std::int32_t combinations = runs.RunCount() / count;
  SweepResults means(combinations);
  if (runs.HasPercentiles()) means.EnablePercentiles();
  const std::span<const Metric> metrics(
      kAllMetrics.data(), runs.HasPercentiles() ? kMetricCount : kBaseMetricCount);
  for (std::int32_t c = 1; c <= combinations; ++c) {
    for (Metric metric : metrics) {
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        double sum = 0.0;
        for (int k = 0; k < count; ++k) {
          sum += runs.Get(metric, a, static_cast<std::int32_t>(EngineRunOf(c, k, count)));
        }
        means.Set(metric, a, c, sum / count);
      }
    }
  }
  return means;
}

double HalfWidth(const Replications& replications, Metric metric, int algorithm,
                 std::int32_t combination) {
  const int count = replications.plan.count;
  const std::int64_t last = EngineRunOf(combination, count - 1, count);
  if (count <= 1 || combination < 1 || last > replications.runs.RunCount()) return 0.0;
  std::vector<double> values;
  for (int k = 0; k < count; ++k) {
    const auto run = static_cast<std::int32_t>(EngineRunOf(combination, k, count));
    values.push_back(replications.runs.Get(metric, algorithm, run));
  }
  const double mean = std::accumulate(values.begin(), values.end(), 0.0) / count;
  double squares = 0.0;
  for (double value : values) squares += (value - mean) * (value - mean);
  return StudentT975(count - 1) * std::sqrt(squares / (count - 1)) / std::sqrt(count);
}

double StudentT975(int degrees) {
  // A table or chart asks for the same K again and again.
  thread_local std::pair<int, double> last{0, 0.0};
  if (last.first == degrees) return last.second;
  // Bisection on the two-sided tail, which falls as t grows: P(|T| > t) is
  // 0.05 at the quantile.
  double low = 0.0;
  double high = 1000.0;
  for (int i = 0; i < 200 && high - low > 1e-13 * high; ++i) {
    const double mid = (low + high) / 2.0;
    (TwoSidedTail(mid, degrees) > 0.05 ? low : high) = mid;
  }
  last = {degrees, (low + high) / 2.0};
  return last.second;
}

}  // namespace trakvist
