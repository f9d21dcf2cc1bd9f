#include "platform/logging_canvas.h"

#include <algorithm>

namespace timer555 {

namespace {

const char* const kOpNames[] = {"lineTo", "setPixel", "rectangle", "ellipse",
                                "arc",    "polygon",  "fillRect",  "textOut"};
constexpr std::size_t kArgCounts[] = {2, 2, 4, 4, 8, 0, 4, 2};

}  // namespace

void LoggingCanvas::forget() {
  entries_.clear();
  faces_.clear();
  texts_.clear();
  polygons_.clear();
}

void LoggingCanvas::retarget(Canvas& target) {
  target_ = &target;
  forget();
  complete_ = true;
}

void LoggingCanvas::setPenWidth(int w) {
  penWidth_ = w;
  target_->setPenWidth(w);
}

void LoggingCanvas::keep(Op op, std::initializer_list<int> args, Color pixel, std::uint32_t extra) {
  if (!complete_) return;
  if (entries_.size() >= kMaxCalls) {
    forget();
    entries_.shrink_to_fit();
    complete_ = false;
    return;
  }
  Entry e{};
  e.op = op;
  std::copy(args.begin(), args.end(), e.args.begin());
  e.extra = extra;
  e.pen = target_->penColor();
  e.penWidth = penWidth_;
  e.brush = target_->brushColor();
  // A pixel keeps its own colour where the other calls keep the font's.
  e.colour = op == Op::SetPixel ? pixel : target_->fontColor();
  const std::string face = target_->fontName();
  auto known = std::find(faces_.begin(), faces_.end(), face);
  if (known == faces_.end()) known = faces_.insert(faces_.end(), face);
  e.face = static_cast<std::uint16_t>(known - faces_.begin());
  e.fontHeight = target_->fontHeight();
  e.bold = target_->fontBold();
  e.underline = target_->fontUnderline();
  e.from = target_->penPos();
  entries_.push_back(e);
}

std::vector<CanvasCall> LoggingCanvas::calls() const {
  std::vector<CanvasCall> out;
  out.reserve(entries_.size());
  for (const Entry& e : entries_) {
    CanvasCall c;
    const auto op = static_cast<std::size_t>(e.op);
    c.op = kOpNames[op];
    if (e.op == Op::Polygon) {
      c.args = polygons_[e.extra];
    } else {
      c.args.assign(e.args.begin(), e.args.begin() + static_cast<std::ptrdiff_t>(kArgCounts[op]));
    }
    if (e.op == Op::TextOut) c.text = texts_[e.extra];
    c.penColor = e.pen;
    c.penWidth = e.penWidth;
    c.brushColor = e.brush;
    c.fontColor = e.colour;
    c.fontName = faces_[e.face];
    c.fontHeight = e.fontHeight;
    c.bold = e.bold;
    c.underline = e.underline;
    c.from = e.from;
    out.push_back(std::move(c));
  }
  return out;
}

void LoggingCanvas::moveTo(int x, int y) { target_->moveTo(x, y); }

void LoggingCanvas::lineTo(int x, int y) {
  keep(Op::LineTo, {x, y});
  target_->lineTo(x, y);
}

void LoggingCanvas::setPixel(int x, int y, Color c) {
  keep(Op::SetPixel, {x, y}, c);
  target_->setPixel(x, y, c);
}

void LoggingCanvas::rectangle(int left, int top, int right, int bottom) {
  keep(Op::Rectangle, {left, top, right, bottom});
  target_->rectangle(left, top, right, bottom);
}

void LoggingCanvas::ellipse(int left, int top, int right, int bottom) {
  keep(Op::Ellipse, {left, top, right, bottom});
  target_->ellipse(left, top, right, bottom);
}

void LoggingCanvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  keep(Op::Arc, {left, top, right, bottom, x1, y1, x2, y2});
  target_->arc(left, top, right, bottom, x1, y1, x2, y2);
}

void LoggingCanvas::polygon(const std::vector<Point>& points) {
  if (complete_) {
    std::vector<int> args;
    args.reserve(points.size() * 2);
    for (const Point& p : points) {
      args.push_back(p.x);
      args.push_back(p.y);
    }
    polygons_.push_back(std::move(args));
    keep(Op::Polygon, {}, {}, static_cast<std::uint32_t>(polygons_.size() - 1));
  }
  target_->polygon(points);
}

void LoggingCanvas::fillRect(const Rect& r) {
  // A fill of the whole area leaves nothing of what was drawn before.
  if (r.left <= 0 && r.top <= 0 && r.right >= width() && r.bottom >= height()) {
    forget();
    complete_ = true;
  }
  keep(Op::FillRect, {r.left, r.top, r.right, r.bottom});
  target_->fillRect(r);
}

void LoggingCanvas::textOut(int x, int y, const std::string& text) {
  if (complete_) {
    texts_.push_back(text);
    keep(Op::TextOut, {x, y}, {}, static_cast<std::uint32_t>(texts_.size() - 1));
  }
  target_->textOut(x, y, text);
}

void ReplayCalls(const std::vector<CanvasCall>& calls, Canvas& canvas, Point offset) {
  const int dx = offset.x, dy = offset.y;
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
      canvas.setPixel(a[0] + dx, a[1] + dy, c.fontColor);
      continue;
    }
    canvas.setFontColor(c.fontColor);
    if (op == "lineTo") {
      canvas.moveTo(c.from.x + dx, c.from.y + dy);
      canvas.lineTo(a[0] + dx, a[1] + dy);
    } else if (op == "rectangle") {
      canvas.rectangle(a[0] + dx, a[1] + dy, a[2] + dx, a[3] + dy);
    } else if (op == "ellipse") {
      canvas.ellipse(a[0] + dx, a[1] + dy, a[2] + dx, a[3] + dy);
    } else if (op == "arc") {
      canvas.arc(a[0] + dx, a[1] + dy, a[2] + dx, a[3] + dy, a[4] + dx, a[5] + dy, a[6] + dx, a[7] + dy);
    } else if (op == "polygon") {
      std::vector<Point> points;
      for (std::size_t i = 0; i + 1 < a.size(); i += 2) points.push_back({a[i] + dx, a[i + 1] + dy});
      canvas.polygon(points);
    } else if (op == "fillRect") {
      canvas.fillRect({a[0] + dx, a[1] + dy, a[2] + dx, a[3] + dy});
    } else if (op == "textOut") {
      canvas.textOut(a[0] + dx, a[1] + dy, c.text);
    }
  }
}

}  // namespace timer555
