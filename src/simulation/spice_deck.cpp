// Writes the SPICE deck of a design. Numbers are written with to_chars, so
// the deck reads the same whatever the program's locale.

#include "simulation/spice_deck.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "design/design_table.h"
#include "design/timing.h"

namespace timer555 {

namespace {

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

/// A number as SPICE reads it, with nine significant digits.
std::string Num(double v) {
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 9);
  return std::string(buffer, result.ptr);
}

/// A number for the comments, with four significant digits.
std::string Short(double v) {
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 4);
  return std::string(buffer, result.ptr);
}

/// The times a deck is laid out by.
struct Timing {
  double stop = 0;     ///< s
  double maxStep = 0;  ///< s, so that every phase gets at least 100 points
  double trigger = 0;  ///< s, when the monostable's trigger falls
  double triggerWidth = 0;
};

Timing TimingFor(DesignKind kind, const PartValues& parts, const CircuitSettings& settings) {
  Timing t;
  const ExpectedValues e = PredictBuilt(kind, parts, settings);
  const OutputTimes ideal = TimesFromComponents(kind, parts.R1, parts.R2, parts.C1);
  if (kind == DesignKind::Monostable) {
    const double pulse = e.runs() ? e.pulse : ideal.defined ? ideal.high : 1e-3;
    t.trigger = pulse / 20;
    t.triggerWidth = pulse / 20;
    // A pulse that never ends is followed for three times its ideal length.
    t.stop = t.trigger + (e.runs() ? 1.25 : 3) * pulse;
    t.maxStep = pulse / 200;
    return t;
  }
  if (e.runs()) {
    const double period = e.highTime + e.lowTime;
    // Rising edges: at the start, after the first (longer) charge and its
    // low time, then once a period; the fifth ends the third full period
    // (with room for a simulation some 15 % slower than expected).
    t.stop = StartupHighTime(kind, parts, settings) + e.lowTime + 3.6 * period;
    // At most a thousandth of the run: a phase far shorter than the other
    // (a duty cycle near 0 or 1) would otherwise take forever.
    t.maxStep = std::max(std::min(e.highTime, e.lowTime) / 100, t.stop / 1000);
  } else {
    const double period = ideal.defined ? ideal.high + ideal.low : 1e-3;
    t.stop = 5 * period;
    t.maxStep = period / 200;
  }
  return t;
}

/// Lines that make node `name` a smooth step of `x` (volts): 0 up to 0, 1
/// from `width` on, 3u^2 - 2u^3 between (u = x / width clamped to 0..1 on
/// node u<name>); continuous with its slope, so Newton's method converges
/// through it, and exactly 0 below, so nothing moves before its threshold.
std::string StepNode(const std::string& name, const std::string& x, double width = 0.001) {
  const std::string ratio = "(" + x + ")/" + Num(width);
  const std::string u = "v(u" + name + ",gnd)";
  return "BU" + name + " u" + name + " gnd V=uramp(" + ratio + ")-uramp(" + ratio + "-1)\n" + "B" + name +
         " " + name + " gnd V=" + u + "*" + u + "*(3-2*" + u + ")\n";
}

std::string FamilyText(TimerFamily family) {
  return family == TimerFamily::Bipolar ? "bipolar (NE555 class)" : "CMOS (TLC555 class)";
}

/// Our behavioural timer with the family's typical figures, pins in package
/// order: 1 gnd, 2 trig, 3 out, 4 reset, 5 ctrl, 6 thres, 7 disch, 8 vcc.
std::string TimerSubcircuit(const CircuitSettings& settings) {
  const TimerFigures f = FiguresFor(settings);
  const double drop = settings.vcc - f.outputHigh;
  // The output follows the latch through one RC whose 10-90 % rise time
  // (2.2 RC) is the data sheet's.
  const double lagCapacitance = f.outputRiseTime / 2.2 / 1000;
  std::string s;
  s += "* Behavioural 555, " + FamilyText(settings.family) + ", from the data sheet's typical figures\n";
  s += ".subckt TIMER555 gnd trig out reset ctrl thres disch vcc\n";
  s += "* Internal divider: the thresholds at 2/3 and 1/3 of Vcc\n";
  s += "RDIV1 vcc ctrl " + Num(f.dividerResistor) + "\n";
  s += "RDIV2 ctrl lower " + Num(f.dividerResistor) + "\n";
  s += "RDIV3 lower gnd " + Num(f.dividerResistor) + "\n";
  s += "* Input currents: drawn from the threshold pin all the time, pushed out of\n";
  s += "* the trigger pin while it is pulled below the lower threshold (from 5 mV\n";
  s += "* below on, so that it never holds C1 at the threshold)\n";
  s += "ITHRES thres gnd DC " + Num(f.thresholdCurrent) + "\n";
  s += StepNode("trigon", "v(lower,gnd)-0.005-v(trig,gnd)");
  s += "BTRIG gnd trig I=" + Num(f.triggerCurrent) + "*v(trigon,gnd)\n";
  s += "* The output stage's state, 0 (low) to 1 (high), clamped: a large time step\n";
  s += "* may carry its lag a little past either end\n";
  s += "BHIGH hc gnd V=uramp(v(high,gnd))-uramp(v(high,gnd)-1)\n";
  s += "* Comparators: 0 below their threshold, 1 from 1 mV beyond it. While the\n";
  s += "* output is high the trigger comparator holds on until C1 has risen a tenth\n";
  s += "* of Vcc; while it is low the threshold comparator holds on all the time\n";
  s += "* (the trigger wins over it), so the latch always switches all the way,\n";
  s += "* however long the time step. The reset pin acts below its threshold.\n";
  s += StepNode("set", "v(lower,gnd)+" + Num(settings.vcc / 10) + "*v(hc,gnd)-v(trig,gnd)");
  s += StepNode("res", "v(thres,gnd)-v(ctrl,gnd)+" + Num(settings.vcc) + "*(1-v(hc,gnd))");
  s += StepNode("rst", Num(f.resetThreshold) + "-v(reset,gnd)", 0.05);
  s += "* Latch (1 = output high): a capacitor the comparators charge and discharge\n";
  s += "* in about 1 ns and that holds its state in between; the trigger wins over\n";
  s += "* the threshold, the reset pin over both.\n";
  s += "BLATCH gnd latch I=0.01*((1-v(rst,gnd))*(v(set,gnd)*(1-v(latch,gnd))"
       "-(1-v(set,gnd))*v(res,gnd)*v(latch,gnd))-v(rst,gnd)*v(latch,gnd))\n";
  s += "CLATCH latch gnd 1e-11\n";
  s += "* Output stage: on once the latch is past 0.55, off below 0.45, with the\n";
  s += "* data sheet's rise time\n";
  s += StepNode("drive", "v(latch,gnd)-0.45", 0.1);
  s += "RDRIVE drive high 1000\n";
  s += "CDRIVE high gnd " + Num(lagCapacitance) + "\n";
  s += "BOUT out gnd V=" + Num(f.outputLow) + "+(v(vcc,gnd)-" + Num(drop) + "-" + Num(f.outputLow) +
       ")*v(hc,gnd)\n";
  s += "* Discharge transistor: " + Short(f.dischargeResistance) + " ohm to ground while the output is low\n";
  s += "BDIS disch gnd I=v(disch,gnd)*(1-v(hc,gnd))/" + Num(f.dischargeResistance) + "\n";
  s += ".ends TIMER555\n";
  return s;
}

std::string DiodeModelLine() {
  const DiodeModel d = Diode1N4148();
  return "* 1N4148, ON Semiconductor's published model\n.model D1N4148 D(IS=" + Num(d.is) + " N=" + Num(d.n) +
         " RS=" + Num(d.rs) + " CJO=" + Num(d.cjo) + " M=" + Num(d.m) + " TT=" + Num(d.tt) + ")\n";
}

std::string InputsText(DesignKind kind, const DesignTarget& inputs) {
  switch (kind) {
    case DesignKind::Astable:
    case DesignKind::LowDuty:
      return "frequency " + Short(inputs.frequency) + " Hz, duty cycle " + Short(100 * inputs.duty) + " %";
    case DesignKind::Square: return "frequency " + Short(inputs.frequency) + " Hz, duty cycle 50 %";
    case DesignKind::Monostable: return "pulse length " + Short(inputs.pulse) + " s";
    case DesignKind::None: break;
  }
  return "none";
}

std::string ExpectedText(DesignKind kind, const ExpectedValues& e) {
  if (!e.runs()) return e.reason;
  if (kind == DesignKind::Monostable) return "pulse " + Short(e.pulse) + " s";
  return "frequency " + Short(e.frequency) + " Hz, duty cycle " + Short(100 * e.duty) + " %";
}

/// The timing parts of each design, wired as its circuit record draws them.
std::string Parts(DesignKind kind, const PartValues& p) {
  switch (kind) {
    case DesignKind::Astable:
      return "X1 0 cap out vcc ctrl cap dis vcc TIMER555\nR1 vcc dis " + Num(p.R1) + "\nR2 dis cap " +
             Num(p.R2) + "\n";
    case DesignKind::Square:
      return "X1 0 cap out vcc ctrl cap dis vcc TIMER555\nR1 vcc cap " + Num(p.R1) + "\nR2 dis cap " +
             Num(p.R2) + "\n";
    case DesignKind::LowDuty:
      return "* C1 charges through R1 and D1, discharges through D2 and R2\n"
             "X1 0 cap out vcc ctrl cap dis vcc TIMER555\nR1 vcc dis " +
             Num(p.R1) + "\nD1 dis cap D1N4148\nR2 dis d2 " + Num(p.R2) + "\nD2 cap d2 D1N4148\n";
    case DesignKind::Monostable:
      return "X1 0 trig out vcc ctrl cap cap vcc TIMER555\nR1 vcc cap " + Num(p.R1) + "\n";
    case DesignKind::None: break;
  }
  return "";
}

std::string Measurements(DesignKind kind, double level) {
  const std::string when = " WHEN v(out)=" + Num(level);
  if (kind == DesignKind::Monostable) {
    return "* The pulse: from the output's rising edge to its falling edge\n"
           ".meas tran trise" +
           when + " RISE=1\n.meas tran tfall" + when + " FALL=1\n.meas tran pulse param='tfall-trise'\n";
  }
  std::string s =
      "* Three periods from the output's second rising edge on (the first cycle,\n"
      "* from an empty C1, is longer)\n";
  for (int k = 2; k <= 5; ++k)
    s += ".meas tran tr" + std::to_string(k) + when + " RISE=" + std::to_string(k) + "\n";
  for (int k = 2; k <= 4; ++k)
    s += ".meas tran tf" + std::to_string(k) + when + " FALL=" + std::to_string(k) + "\n";
  s += ".meas tran frequency param='3/(tr5-tr2)'\n";
  s += ".meas tran duty param='((tf2-tr2)+(tf3-tr3)+(tf4-tr4))/(tr5-tr2)'\n";
  return s;
}

}  // namespace

double SuggestedStopTime(DesignKind kind, const PartValues& parts, const CircuitSettings& settings) {
  return TimingFor(kind, parts, settings).stop;
}

double OutputEdgeLevel(const CircuitSettings& settings) {
  const TimerFigures f = FiguresFor(settings);
  return (f.outputLow + f.outputHigh) / 2;
}

std::string SpiceDeck(const DeckRequest& request) {
  const DesignRow* row = FindDesign(request.kind);
  const PartValues& p = request.parts;
  const CircuitSettings& settings = request.settings;
  const Timing timing = TimingFor(request.kind, p, settings);
  const double stop = PositiveFinite(request.stopTime) ? request.stopTime : timing.stop;
  const double vcc = settings.vcc;

  std::string s = "* timer555: " + std::string(row != nullptr ? row->title : "no design") + "\n";
  s += "* Inputs: " + InputsText(request.kind, request.inputs) + "\n";
  s += "* Timer: " + FamilyText(settings.family) + " at Vcc = " + Short(vcc) + " V\n";
  s += "* Expected when built: " + ExpectedText(request.kind, PredictBuilt(request.kind, p, settings)) + "\n";
  s += "* Run with: ngspice -b <this file>\n";
  s += "* Results: " +
       std::string(request.kind == DesignKind::Monostable ? "pulse (s)"
                                                          : "frequency (Hz) and duty (fraction)") +
       "\n*\n";
  s += TimerSubcircuit(settings);
  if (row != nullptr && row->steeringDiodes) s += DiodeModelLine();
  s += "* Supply\nVCC vcc 0 DC " + Num(vcc) + "\n";
  s += "* Parts as shown\n" + Parts(request.kind, p);
  s += "C1 cap 0 " + Num(p.C1) + "\n";
  if (IsElectrolytic(p.C1)) {
    s += "* C1 is an aluminium electrolytic: its typical leakage (a tenth of the\n"
         "* datasheet maximum 0.01 x C x V or 3 uA at Vcc) as a resistance\n"
         "RLEAK cap 0 " +
         Num(LeakageResistance(p.C1, vcc, false)) + "\n";
  }
  if (PositiveFinite(p.C2)) s += "C2 ctrl 0 " + Num(p.C2) + "\n";
  if (request.kind == DesignKind::Monostable) {
    // Edges of a microsecond, or a tenth of a shorter trigger.
    const double edge = std::min(timing.triggerWidth / 10, 1e-6);
    s += "* Trigger: pin 2 pulled low once, briefly\n";
    s += "VTRIG trig 0 PULSE(" + Num(vcc) + " 0 " + Num(timing.trigger) + " " + Num(edge) + " " + Num(edge) +
         " " + Num(timing.triggerWidth) + " " + Num(10 * stop) + ")\n";
    s += ".ic v(x1.latch)=0\n";
  } else {
    s += "* Power-on: C1 empty, the latch reset\n.ic v(cap)=0 v(x1.latch)=0\n";
  }
  // Gear integration: the trapezoidal rule rings after the latch switches.
  // Only the two curves are kept, which also makes the run much faster.
  s += ".options method=gear\n";
  s += ".save v(cap) v(out)\n";
  s += ".tran " + Num(stop / 1000) + " " + Num(stop) + " 0 " + Num(std::min(timing.maxStep, stop / 100)) +
       "\n";
  s += Measurements(request.kind, OutputEdgeLevel(settings));
  s += ".end\n";
  return s;
}

}  // namespace timer555
