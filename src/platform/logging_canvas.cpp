#include "platform/logging_canvas.h"

#include <string_view>

namespace timer555 {

void LoggingCanvas::retarget(Canvas& target) {
  target_ = &target;
  calls_.clear();
  complete_ = true;
}

void LoggingCanvas::setPenWidth(int w) {
  penWidth_ = w;
  target_->setPenWidth(w);
}

void LoggingCanvas::keep(const char* op, std::vector<int> args, Color pixel, const std::string& text) {
  if (!complete_) return;
  if (calls_.size() >= kMaxCalls) {
    calls_.clear();
    calls_.shrink_to_fit();
    complete_ = false;
    return;
  }
  CanvasCall c;
  c.op = op;
  c.args = std::move(args);
  c.text = text;
  c.penColor = target_->penColor();
  c.penWidth = penWidth_;
  c.brushColor = target_->brushColor();
  // A pixel keeps its own colour where the other calls keep the font's.
  c.fontColor = std::string_view(op) == "setPixel" ? pixel : target_->fontColor();
  c.fontName = target_->fontName();
  c.fontHeight = target_->fontHeight();
  c.bold = target_->fontBold();
  c.underline = target_->fontUnderline();
  c.from = target_->penPos();
  calls_.push_back(std::move(c));
}

void LoggingCanvas::moveTo(int x, int y) { target_->moveTo(x, y); }

void LoggingCanvas::lineTo(int x, int y) {
  keep("lineTo", {x, y});
  target_->lineTo(x, y);
}

void LoggingCanvas::setPixel(int x, int y, Color c) {
  keep("setPixel", {x, y}, c);
  target_->setPixel(x, y, c);
}

void LoggingCanvas::rectangle(int left, int top, int right, int bottom) {
  keep("rectangle", {left, top, right, bottom});
  target_->rectangle(left, top, right, bottom);
}

void LoggingCanvas::ellipse(int left, int top, int right, int bottom) {
  keep("ellipse", {left, top, right, bottom});
  target_->ellipse(left, top, right, bottom);
}

void LoggingCanvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  keep("arc", {left, top, right, bottom, x1, y1, x2, y2});
  target_->arc(left, top, right, bottom, x1, y1, x2, y2);
}

void LoggingCanvas::polygon(const std::vector<Point>& points) {
  std::vector<int> args;
  args.reserve(points.size() * 2);
  for (const Point& p : points) {
    args.push_back(p.x);
    args.push_back(p.y);
  }
  keep("polygon", std::move(args));
  target_->polygon(points);
}

void LoggingCanvas::fillRect(const Rect& r) {
  // A fill of the whole area leaves nothing of what was drawn before.
  if (r.left <= 0 && r.top <= 0 && r.right >= width() && r.bottom >= height()) {
    calls_.clear();
    complete_ = true;
  }
  keep("fillRect", {r.left, r.top, r.right, r.bottom});
  target_->fillRect(r);
}

void LoggingCanvas::textOut(int x, int y, const std::string& text) {
  keep("textOut", {x, y}, {}, text);
  target_->textOut(x, y, text);
}

void ReplayCalls(const std::vector<CanvasCall>& calls, Canvas& canvas) {
  for (const CanvasCall& c : calls) {
    canvas.setPenColor(c.penColor);
    canvas.setPenWidth(c.penWidth);
    canvas.setBrushColor(c.brushColor);
    canvas.setFontName(c.fontName);
    canvas.setFontHeight(c.fontHeight);
    canvas.setFontBold(c.bold);
    canvas.setFontUnderline(c.underline);
    const std::vector<int>& a = c.args;
    const std::string& op = c.op;
    if (op == "setPixel") {
      canvas.setPixel(a[0], a[1], c.fontColor);
      continue;
    }
    canvas.setFontColor(c.fontColor);
    if (op == "lineTo") {
      canvas.moveTo(c.from.x, c.from.y);
      canvas.lineTo(a[0], a[1]);
    } else if (op == "rectangle") {
      canvas.rectangle(a[0], a[1], a[2], a[3]);
    } else if (op == "ellipse") {
      canvas.ellipse(a[0], a[1], a[2], a[3]);
    } else if (op == "arc") {
      canvas.arc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
    } else if (op == "polygon") {
      std::vector<Point> points;
      for (std::size_t i = 0; i + 1 < a.size(); i += 2) points.push_back({a[i], a[i + 1]});
      canvas.polygon(points);
    } else if (op == "fillRect") {
      canvas.fillRect({a[0], a[1], a[2], a[3]});
    } else if (op == "textOut") {
      canvas.textOut(a[0], a[1], c.text);
    }
  }
}

}  // namespace timer555
