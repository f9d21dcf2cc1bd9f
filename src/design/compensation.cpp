// Compensated parts: the R1 and R2 whose expected values (not the ideal
// equations') hit the target, found by Broyden's method on the logarithms
// of the resistances.

#include <array>
#include <cmath>

#include "design/built_circuit.h"
#include "design/limits.h"

namespace timer555 {

namespace {

using Vector = std::array<double, 2>;
using Matrix = std::array<Vector, 2>;

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

/// R2 / R1 of the 50 % design's low time: tL = R1 C h(rho).
double SquareLowFactor(double rho) { return std::log((rho - 2) / (2 * rho - 1)) * rho / (1 + rho); }

/// The ratio R2 / R1 at which the ideal 50 % design's low time equals its
/// high time (h = ln 2), by bisection on (0, 1/2), where h rises from 0 to
/// infinity.
double IdealSquareRatio() {
  double lo = 1e-9;
  double hi = 0.5 - 1e-12;
  for (int i = 0; i < 80; ++i) {
    const double mid = (lo + hi) / 2;
    (SquareLowFactor(mid) < kLn2 ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

/// The unknowns of each design, chosen so that each of the two times
/// depends mainly on one of them: design 1 ln(R1 + R2) and ln R2, design 2
/// ln R1 and ln(R2 / R1), design 3 ln R1 and ln R2, the monostable ln R1
/// (the second unknown stays put).
std::optional<PartValues> PartsFor(DesignKind kind, PartValues p, const Vector& x) {
  switch (kind) {
    case DesignKind::Astable:
      if (!(x[0] > x[1])) return std::nullopt;
      p.R2 = std::exp(x[1]);
      p.R1 = std::exp(x[0]) - p.R2;
      break;
    case DesignKind::Square:
      p.R1 = std::exp(x[0]);
      p.R2 = p.R1 * std::exp(x[1]);
      break;
    case DesignKind::LowDuty:
      p.R1 = std::exp(x[0]);
      p.R2 = std::exp(x[1]);
      break;
    case DesignKind::Monostable: p.R1 = std::exp(x[0]); break;
    case DesignKind::None: return std::nullopt;
  }
  if (!PositiveFinite(p.R1) || (kind != DesignKind::Monostable && !PositiveFinite(p.R2))) return std::nullopt;
  return p;
}

/// The ideal design for the target with this C1, as unknowns, and the
/// first guess at how the times' logarithms move with them.
std::pair<Vector, Matrix> IdealStart(DesignKind kind, double c1, double high, double low) {
  const Matrix identity = {{{1, 0}, {0, 1}}};
  switch (kind) {
    case DesignKind::Astable: return {{std::log(high / (kLn2 * c1)), std::log(low / (kLn2 * c1))}, identity};
    case DesignKind::Square: {
      const double rho = IdealSquareRatio();
      const double h = 1e-6;
      const double slope =
          (std::log(SquareLowFactor(rho * std::exp(h))) - std::log(SquareLowFactor(rho * std::exp(-h)))) /
          (2 * h);
      return {{std::log(high / (kLn2 * c1)), std::log(rho)}, {{{1, 0}, {1, slope}}}};
    }
    case DesignKind::LowDuty: return {{std::log(high / (kLn2 * c1)), std::log(low / (kLn2 * c1))}, identity};
    case DesignKind::Monostable: return {{std::log(MonostableR1(high, c1)), 0}, identity};
    case DesignKind::None: break;
  }
  return {{0, 0}, identity};
}

struct Solver {
  DesignKind kind;
  PartValues base;
  CircuitSettings settings;
  double high;  ///< target high time (the pulse)
  double low;   ///< target low time (0 for the monostable)

  /// ln(expected / target) of both times; nothing when the parts do not run.
  std::optional<Vector> Residual(const Vector& x) const {
    const std::optional<PartValues> p = PartsFor(kind, base, x);
    if (!p) return std::nullopt;
    const ExpectedValues e = PredictBuilt(kind, *p, settings);
    if (!e.runs()) return std::nullopt;
    if (kind == DesignKind::Monostable) return Vector{std::log(e.pulse / high), 0};
    return Vector{std::log(e.highTime / high), std::log(e.lowTime / low)};
  }
};

double Norm(const Vector& v) { return std::max(std::abs(v[0]), std::abs(v[1])); }

std::optional<Vector> Solve(const Matrix& j, const Vector& r) {
  const double det = j[0][0] * j[1][1] - j[0][1] * j[1][0];
  if (!std::isfinite(det) || std::abs(det) < 1e-12) return std::nullopt;
  return Vector{-(j[1][1] * r[0] - j[0][1] * r[1]) / det, -(-j[1][0] * r[0] + j[0][0] * r[1]) / det};
}

}  // namespace

std::optional<PartValues> CompensateParts(DesignKind kind, double frequency, double duty, double pulse,
                                          const PartValues& parts, const CircuitSettings& settings) {
  if (kind == DesignKind::Square) duty = 0.5;
  Solver solver{kind, parts, settings, 0, 0};
  if (kind == DesignKind::Monostable) {
    if (!PositiveFinite(pulse)) return std::nullopt;
    solver.high = pulse;
  } else {
    const double lowestDuty = kind == DesignKind::Astable ? 0.5 : 0;
    if (!PositiveFinite(frequency) || !(duty > lowestDuty && duty < 1)) return std::nullopt;
    solver.high = duty / frequency;
    solver.low = (1 - duty) / frequency;
  }
  if (!PositiveFinite(parts.C1) || !PositiveFinite(settings.vcc)) return std::nullopt;

  auto [x, j] = IdealStart(kind, parts.C1, solver.high, solver.low);
  // Where leakage or the input current keep the ideal parts from running,
  // smaller resistances (more charging current) will.
  std::optional<Vector> r = solver.Residual(x);
  for (int i = 0; i < 40 && !r; ++i) {
    x[0] -= std::log(2.0);
    if (kind == DesignKind::Astable) x[1] -= std::log(2.0);
    if (kind == DesignKind::LowDuty) x[1] -= std::log(2.0);
    r = solver.Residual(x);
  }
  if (!r) return std::nullopt;

  for (int iteration = 0; iteration < 60; ++iteration) {
    if (Norm(*r) < 1e-9) return PartsFor(kind, parts, x);
    std::optional<Vector> step = Solve(j, *r);
    if (!step) return std::nullopt;
    // At most a factor e per step; halve it until the parts run and the
    // times come closer.
    const double size = Norm(*step);
    if (size > 1) *step = {(*step)[0] / size, (*step)[1] / size};
    std::optional<Vector> next;
    Vector dx{};
    for (int halving = 0; halving < 30; ++halving) {
      dx = *step;
      const Vector candidate = {x[0] + dx[0], x[1] + dx[1]};
      next = solver.Residual(candidate);
      if (next && Norm(*next) < Norm(*r)) break;
      next.reset();
      *step = {(*step)[0] / 2, (*step)[1] / 2};
    }
    if (!next) return std::nullopt;
    // Broyden's update: the Jacobian now maps this step onto the change it made.
    const Vector dr = {(*next)[0] - (*r)[0], (*next)[1] - (*r)[1]};
    const double dd = dx[0] * dx[0] + dx[1] * dx[1];
    for (int row = 0; row < 2; ++row) {
      const double miss = dr[row] - (j[row][0] * dx[0] + j[row][1] * dx[1]);
      for (int col = 0; col < 2; ++col) j[row][col] += miss * dx[col] / dd;
    }
    x = {x[0] + dx[0], x[1] + dx[1]};
    r = next;
  }
  return std::nullopt;
}

}  // namespace timer555
