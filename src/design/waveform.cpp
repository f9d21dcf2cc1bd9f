// The "Vout" panel: the output pulse train of the astable designs with its
// high and low times, or the single pulse of the monostable design.

#include "design/waveform.h"

#include <algorithm>
#include <cmath>

#include "design/design_state.h"
#include "platform/scaling.h"
#include "schematic/value_text.h"

namespace timer555 {

namespace {

struct TimeFormat {
  const char* unit;
  double scale;
  int decimals;
};

/// Unit and decimals for the shorter of the two times; the longer one is
/// written the same way so that both texts share one format. Milliseconds
/// have no three-decimal step.
TimeFormat FormatFor(double t) {
  if (t < 0.001) {
    double v = t * 1e6;
    return {"us", 1e6, v > 100 ? 1 : v > 10 ? 2 : v > 1 ? 3 : 4};
  }
  double v = t * 1000;
  return {"ms", 1000, v > 1000 ? 0 : v > 100 ? 1 : v > 10 ? 2 : 4};
}

void DrawAstable(Canvas& canvas, const DesignState& s, int b, int low, int span, int textRow) {
  const int half = span / 2;
  const double duty = std::clamp(s.DutyCycle, 0.0, 1.0);
  const int w = static_cast<int>(half * duty);

  canvas.moveTo(b, low);
  for (int start : {b, b + half}) {
    canvas.lineTo(start, 0);
    canvas.lineTo(start + w, 0);
    canvas.lineTo(start + w, low);
    canvas.lineTo(start == b ? b + half : b + span, low);
  }

  // Without a usable frequency there are no times to show.
  if (!(s.Frequency > 0) || !std::isfinite(s.Frequency)) return;
  const double highTime = s.DutyCycle / s.Frequency;
  const double lowTime = (1 - s.DutyCycle) / s.Frequency;
  const TimeFormat format = FormatFor(std::min(highTime, lowTime));
  const auto text = [&format](double time) {
    return FixedText(4, format.decimals, time * format.scale) + format.unit;
  };
  canvas.textOut(0, textRow, "tH = " + text(highTime));
  canvas.textOut(canvas.width() / 2, textRow, "tL = " + text(lowTime));
}

void DrawMonostable(Canvas& canvas, int b, int low, int span, int textRow, const std::string& field1Text) {
  const int fall = b + (3 * span) / 4;
  canvas.moveTo(b, low);
  canvas.lineTo(b, 0);
  canvas.lineTo(fall, 0);
  canvas.lineTo(fall, low);
  canvas.lineTo(b + span, low);
  canvas.textOut(0, textRow, "tH = " + field1Text + " sec");
}

}  // namespace

void DrawOutputWaveform(Canvas& canvas, WaveformForm form, const DesignState& design,
                        const std::string& field1Text, const std::string& fontName) {
  const int width = canvas.width();
  const int height = canvas.height();
  canvas.setBrushColor(colors::White);
  canvas.fillRect({0, 0, width, height});

  canvas.setFontName(fontName);
  canvas.setFontSize(10);
  canvas.setFontSize(ScaleTrunc(10));
  canvas.setFontColor(colors::Black);
  canvas.setPenColor(colors::Black);
  canvas.setPenWidth(1);

  const int b = width / 20;
  const int low = height / 2;
  const int span = width - 2 * b;
  const int textRow = (5 * (height / 2)) / 4;
  if (form == WaveformForm::Astable) {
    DrawAstable(canvas, design, b, low, span, textRow);
  } else {
    DrawMonostable(canvas, b, low, span, textRow, field1Text);
  }
}

}  // namespace timer555
