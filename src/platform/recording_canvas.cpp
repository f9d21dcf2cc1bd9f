#include "platform/recording_canvas.h"

namespace timer555 {

std::string CanvasCall::str() const {
  std::string s = op;
  for (std::size_t i = 0; i < args.size(); ++i) {
    s += (i == 0 ? " " : ",");
    s += std::to_string(args[i]);
  }
  if (op == "textOut") s += " " + text;
  return s;
}

std::vector<CanvasCall> RecordingCanvas::callsOf(const std::string& op) const {
  std::vector<CanvasCall> out;
  for (const auto& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

std::vector<std::string> RecordingCanvas::lines() const {
  std::vector<std::string> out;
  out.reserve(calls.size());
  for (const auto& c : calls) out.push_back(c.str());
  return out;
}

CanvasCall RecordingCanvas::make(const std::string& op, std::vector<int> args) const {
  CanvasCall c;
  c.op = op;
  c.args = std::move(args);
  c.penColor = penColor_;
  c.penWidth = penWidth_;
  c.brushColor = brushColor_;
  c.fontColor = fontColor_;
  c.fontName = fontName_;
  c.fontHeight = fontHeight_;
  c.bold = bold_;
  c.underline = underline_;
  c.from = pos_;
  return c;
}

void RecordingCanvas::moveTo(int x, int y) {
  calls.push_back(make("moveTo", {x, y}));
  pos_ = {x, y};
}

void RecordingCanvas::lineTo(int x, int y) {
  calls.push_back(make("lineTo", {x, y}));
  pos_ = {x, y};
}

void RecordingCanvas::setPixel(int x, int y, Color c) {
  CanvasCall call = make("setPixel", {x, y});
  call.fontColor = c;
  calls.push_back(call);
}

void RecordingCanvas::rectangle(int left, int top, int right, int bottom) {
  calls.push_back(make("rectangle", {left, top, right, bottom}));
}

void RecordingCanvas::ellipse(int left, int top, int right, int bottom) {
  calls.push_back(make("ellipse", {left, top, right, bottom}));
}

void RecordingCanvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  calls.push_back(make("arc", {left, top, right, bottom, x1, y1, x2, y2}));
}

void RecordingCanvas::polygon(const std::vector<Point>& points) {
  std::vector<int> args;
  for (const auto& p : points) {
    args.push_back(p.x);
    args.push_back(p.y);
  }
  calls.push_back(make("polygon", std::move(args)));
}

void RecordingCanvas::fillRect(const Rect& r) {
  calls.push_back(make("fillRect", {r.left, r.top, r.right, r.bottom}));
}

void RecordingCanvas::textOut(int x, int y, const std::string& text) {
  CanvasCall c = make("textOut", {x, y});
  c.text = text;
  calls.push_back(c);
  pos_ = {x + textWidth(text), y};
}

int RecordingCanvas::textWidth(const std::string& text) { return charWidth * static_cast<int>(text.size()); }

int RecordingCanvas::textHeight(const std::string&) { return textHeightPx; }

}  // namespace timer555
