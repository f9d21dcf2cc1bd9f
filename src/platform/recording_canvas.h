#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace timer555 {

/// One drawing call as a recording canvas saw it, with the settings in force.
struct CanvasCall {
  std::string op;  ///< "moveTo", "lineTo", "setPixel", "rectangle", "ellipse", "arc", "polygon", "fillRect",
                   ///< "textOut"
  std::vector<int> args;  ///< coordinates in the order the call takes them (polygon: x0, y0, x1, y1, ...)
  std::string text;       ///< textOut only
  Color penColor;
  int penWidth = 1;
  Color brushColor;
  Color fontColor;  ///< for setPixel: the pixel's colour
  std::string fontName;
  int fontHeight = 0;
  bool bold = false;
  bool underline = false;
  Point from;  ///< lineTo: the drawing point it started from

  /// A compact text form, for example "lineTo 108,78" or "textOut 98,250 C1".
  std::string str() const;
};

/// A canvas that draws nothing and records every call, for geometry tests.
///
/// Text metrics are fixed so that tests can compute positions: every
/// character is `charWidth` pixels wide and every text `textHeightPx` high.
class RecordingCanvas final : public Canvas {
 public:
  explicit RecordingCanvas(int width = 650, int height = 308) : width_(width), height_(height) {}

  int charWidth = 7;
  int textHeightPx = 13;
  std::vector<CanvasCall> calls;

  /// The calls of one kind, in order.
  std::vector<CanvasCall> callsOf(const std::string& op) const;
  /// str() of every call, in order.
  std::vector<std::string> lines() const;
  void clear() { calls.clear(); }

  int width() const override { return width_; }
  int height() const override { return height_; }
  void setPenColor(Color c) override { penColor_ = c; }
  Color penColor() const override { return penColor_; }
  void setPenWidth(int w) override { penWidth_ = w; }
  void setBrushColor(Color c) override { brushColor_ = c; }
  Color brushColor() const override { return brushColor_; }
  void setFontName(const std::string& name) override { fontName_ = name; }
  std::string fontName() const override { return fontName_; }
  void setFontSize(int points) override { fontHeight_ = -PointsToPixels(points); }
  int fontSize() const override { return HeightToPoints(fontHeight_); }
  void setFontHeight(int pixels) override { fontHeight_ = pixels; }
  int fontHeight() const override { return fontHeight_; }
  void setFontBold(bool on) override { bold_ = on; }
  bool fontBold() const override { return bold_; }
  void setFontUnderline(bool on) override { underline_ = on; }
  bool fontUnderline() const override { return underline_; }
  void setFontColor(Color c) override { fontColor_ = c; }
  Color fontColor() const override { return fontColor_; }

  Point penPos() const override { return pos_; }
  void moveTo(int x, int y) override;
  void lineTo(int x, int y) override;
  void setPixel(int x, int y, Color c) override;
  void rectangle(int left, int top, int right, int bottom) override;
  void ellipse(int left, int top, int right, int bottom) override;
  void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
  void polygon(const std::vector<Point>& points) override;
  void fillRect(const Rect& r) override;
  void textOut(int x, int y, const std::string& text) override;
  int textWidth(const std::string& text) override;
  int textHeight(const std::string& text) override;

 private:
  CanvasCall make(const std::string& op, std::vector<int> args) const;

  int width_, height_;
  Color penColor_ = colors::Black;
  int penWidth_ = 1;
  Color brushColor_ = colors::White;
  std::string fontName_;
  int fontHeight_ = -13;
  bool bold_ = false, underline_ = false;
  Color fontColor_ = colors::Black;
  Point pos_;
};

}  // namespace timer555
