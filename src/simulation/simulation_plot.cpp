// The simulation plot: C1's voltage between its thresholds and the output
// over time, drawn through the Canvas so that it reaches the screen, the
// image files and the printed sheet alike.

#include "simulation/simulation_plot.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "design/built_circuit.h"
#include "platform/scaling.h"

namespace timer555 {

namespace {

constexpr Color kCapacitorColor = colors::Blue;
constexpr Color kOutputColor = colors::Red;
constexpr Color kGridColor = colors::Silver;

/// `v` with `decimals` digits after the point, whatever the locale.
std::string Fixed(double v, int decimals) {
  char buffer[48];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

/// Four significant digits with an engineering prefix: "913.6 Hz",
/// "1.002 kHz", "10.00 ms".
std::string Engineering(double v, const std::string& unit) {
  struct Prefix {
    double scale;
    const char* name;
  };
  constexpr Prefix kPrefixes[] = {{1e6, "M"}, {1e3, "k"}, {1, ""}, {1e-3, "m"}, {1e-6, "u"}, {1e-9, "n"}};
  const double magnitude = std::abs(v);
  const Prefix* chosen = &kPrefixes[5];
  for (const Prefix& p : kPrefixes) {
    // Times stay in seconds above one second: no kiloseconds.
    if (magnitude >= p.scale && (unit != "s" || p.scale <= 1)) {
      chosen = &p;
      break;
    }
  }
  const double scaled = v / chosen->scale;
  const int digits = std::abs(scaled) >= 100 ? 1 : std::abs(scaled) >= 10 ? 2 : 3;
  return Fixed(scaled, digits) + " " + chosen->name + unit;
}

/// A tick value without trailing zeros: "0", "0.5", "12".
std::string TickText(double v) {
  std::string text = Fixed(v, 3);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

/// The time axis' unit for a span of `seconds`.
struct TimeUnit {
  double scale;
  const char* name;
};
TimeUnit UnitFor(double seconds) {
  if (seconds < 1e-3) return {1e6, "us"};
  if (seconds < 1) return {1e3, "ms"};
  return {1, "s"};
}

/// A step of 1, 2 or 5 times a power of ten giving at most `count` ticks.
double TickStep(double span, int count) {
  const double raw = span / count;
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * decade >= raw) return m * decade;
  }
  return 10 * decade;
}

/// Where the plot goes and how values map onto it.
struct Frame {
  int left, top, right, bottom;
  double t0, t1, vmax;
  int X(double t) const { return left + static_cast<int>((t - t0) / (t1 - t0) * (right - left)); }
  int Y(double v) const {
    const double clamped = std::clamp(v, 0.0, vmax);
    return bottom - static_cast<int>(clamped / vmax * (bottom - top));
  }
};

/// A horizontal line of `on` pixels drawn, `off` left out.
void BrokenLine(Canvas& canvas, int x0, int x1, int y, int on, int off, Color c) {
  for (int x = x0; x < x1; x += on + off) {
    if (on == 1) {
      canvas.setPixel(x, y, c);
    } else {
      canvas.setPenColor(c);
      canvas.moveTo(x, y);
      canvas.lineTo(std::min(x + on, x1), y);
    }
  }
}

/// The curve through every point, skipping those that land on the pixel
/// of the one before.
void Curve(Canvas& canvas, const Frame& f, const std::vector<double>& time, const std::vector<double>& v,
           Color c) {
  canvas.setPenColor(c);
  Point last{f.X(time[0]), f.Y(v[0])};
  canvas.moveTo(last.x, last.y);
  for (size_t i = 1; i < time.size() && i < v.size(); ++i) {
    const Point p{f.X(time[i]), f.Y(v[i])};
    if (p == last) continue;
    canvas.lineTo(p.x, p.y);
    last = p;
  }
  canvas.lineTo(last.x + 1, last.y);  // lineTo leaves out its last pixel
}

void VoltageAxis(Canvas& canvas, const Frame& f, double vcc, int textHeight) {
  const double thresholds[] = {vcc / 3, 2 * vcc / 3};
  BrokenLine(canvas, f.left, f.right, f.Y(thresholds[0]), 1, 2, colors::Green);
  BrokenLine(canvas, f.left, f.right, f.Y(thresholds[1]), 6, 4, colors::Green);
  canvas.setFontColor(colors::Black);
  for (const double v : {0.0, thresholds[0], thresholds[1], vcc}) {
    const std::string text = TickText(std::round(v * 100) / 100) + " V";
    canvas.textOut(f.left - canvas.textWidth(text) - 4, f.Y(v) - textHeight / 2, text);
  }
}

void TimeAxis(Canvas& canvas, const Frame& f, int textHeight) {
  const TimeUnit unit = UnitFor(f.t1 - f.t0);
  const double step = TickStep((f.t1 - f.t0) * unit.scale, 8) / unit.scale;
  canvas.setPenColor(colors::Black);
  canvas.moveTo(f.left, f.bottom);
  canvas.lineTo(f.right + 1, f.bottom);
  const int unitWidth = canvas.textWidth(unit.name);
  int lastRight = f.left - 1000;
  for (double t = std::ceil(f.t0 / step) * step; t <= f.t1 + step * 1e-9; t += step) {
    const int x = f.X(t);
    canvas.setPenColor(kGridColor);
    canvas.moveTo(x, f.top);
    canvas.lineTo(x, f.bottom);
    canvas.setPenColor(colors::Black);
    canvas.moveTo(x, f.bottom);
    canvas.lineTo(x, f.bottom + 4);
    const std::string text = TickText(t * unit.scale);
    const int w = canvas.textWidth(text);
    const int tx = x - w / 2;
    if (tx <= lastRight + 6 || tx + w > f.right - unitWidth - 6) continue;
    canvas.textOut(tx, f.bottom + 5, text);
    lastRight = tx + w;
  }
  canvas.textOut(f.right - unitWidth, f.bottom + 5, unit.name);
  (void)textHeight;
}

void Legend(Canvas& canvas, int right, int y, int textHeight) {
  int x = right;
  for (const auto& [name, color] : {std::pair{"Output", kOutputColor}, std::pair{"C1", kCapacitorColor}}) {
    x -= canvas.textWidth(name);
    canvas.setFontColor(colors::Black);
    canvas.textOut(x, y, name);
    canvas.setPenColor(color);
    canvas.setPenWidth(2);
    canvas.moveTo(x - 22, y + textHeight / 2);
    canvas.lineTo(x - 4, y + textHeight / 2);
    canvas.setPenWidth(1);
    x -= 22 + 16;
  }
}

}  // namespace

std::string SimulationSummary(const SimulationResult& result, DesignKind kind) {
  if (!result.ok) return result.message;
  const std::string span = result.time.empty() ? std::string("the run")
                                               : Engineering(result.time.back() - result.time.front(), "s");
  if (kind == DesignKind::Monostable) {
    return result.pulse ? "Simulated: pulse " + Engineering(*result.pulse, "s")
                        : "Simulated: the pulse does not end within " + span;
  }
  if (!result.frequency || !result.duty) return "Simulated: it does not oscillate within " + span;
  return "Simulated: " + Engineering(*result.frequency, "Hz") + ", duty cycle " +
         Fixed(100 * *result.duty, 1) + " %";
}

void DrawSimulationPlot(Canvas& canvas, const SimulationResult& result, const CircuitSettings& settings,
                        DesignKind kind, const std::string& fontName) {
  const int width = canvas.width();
  const int height = canvas.height();
  canvas.setBrushColor(colors::White);
  canvas.fillRect({0, 0, width, height});
  canvas.setFontName(fontName);
  // 8 points on the 200-pixel strip, growing with a taller canvas (the sheet).
  canvas.setFontSize(ScaleTrunc(std::max(8, 8 * height / 200)));
  canvas.setFontColor(colors::Black);
  canvas.setPenWidth(1);
  const int textHeight = canvas.textHeight("0");
  const int margin = std::max(4, width / 100);

  const std::string summary = SimulationSummary(result, kind);
  if (!result.ok || result.time.size() < 2 || !(settings.vcc > 0)) {
    canvas.textOut((width - canvas.textWidth(summary)) / 2, (height - textHeight) / 2, summary);
    return;
  }
  canvas.textOut(margin, margin, summary);

  Frame f{};
  f.left = margin + canvas.textWidth("00.00 V") + 6;
  f.right = width - margin - 1;
  f.top = margin + textHeight + textHeight / 2;
  f.bottom = height - margin - textHeight - 6;
  f.t0 = result.time.front();
  f.t1 = result.time.back();
  f.vmax = settings.vcc;
  if (!(f.t1 > f.t0) || f.right - f.left < 20 || f.bottom - f.top < 20) return;

  Legend(canvas, f.right, margin, textHeight);
  TimeAxis(canvas, f, textHeight);
  VoltageAxis(canvas, f, settings.vcc, textHeight);
  canvas.setPenColor(colors::Black);
  canvas.moveTo(f.left, f.top);
  canvas.lineTo(f.left, f.bottom + 1);
  Curve(canvas, f, result.time, result.output, kOutputColor);
  Curve(canvas, f, result.time, result.capacitor, kCapacitorColor);
}

}  // namespace timer555
