#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/recording_canvas.h"

namespace timer555 {

/// A canvas that draws on another canvas and keeps what it drew: every
/// drawing call since the whole area was last filled, with the pen, brush
/// and font it was made with. Drawing the log again on a fresh canvas of the
/// same size gives the same picture, which is how the design sheet gets the
/// drawing area exactly as drawn, without running the pages again (their
/// drawing also stores example values and moves the interpreter's settings).
///
/// Settings and measurements are those of the target, so the pages lay
/// themselves out as on the target alone.
class LoggingCanvas final : public Canvas {
 public:
  /// Most calls kept; a log that grows past it (only a page drawn over and
  /// over without ever being cleared could) is dropped and marked incomplete.
  static constexpr std::size_t kMaxCalls = 1000000;

  explicit LoggingCanvas(Canvas& target) : target_(&target) {}
  LoggingCanvas(const LoggingCanvas&) = delete;
  LoggingCanvas& operator=(const LoggingCanvas&) = delete;

  /// Draws on `target` from now on (a new bitmap of the same control); the
  /// log starts again empty, as a new bitmap starts white.
  void retarget(Canvas& target);

  /// The calls since the whole area was last filled, oldest first.
  std::vector<CanvasCall> calls() const;
  /// False once the log overflowed; it is complete again after the next
  /// fill of the whole area.
  bool complete() const { return complete_; }

  int width() const override { return target_->width(); }
  int height() const override { return target_->height(); }
  void setPenColor(Color c) override { target_->setPenColor(c); }
  Color penColor() const override { return target_->penColor(); }
  void setPenWidth(int w) override;
  void setBrushColor(Color c) override { target_->setBrushColor(c); }
  Color brushColor() const override { return target_->brushColor(); }
  void setFontName(const std::string& name) override { target_->setFontName(name); }
  std::string fontName() const override { return target_->fontName(); }
  void setFontSize(int points) override { target_->setFontSize(points); }
  int fontSize() const override { return target_->fontSize(); }
  void setFontHeight(int pixels) override { target_->setFontHeight(pixels); }
  int fontHeight() const override { return target_->fontHeight(); }
  void setFontBold(bool on) override { target_->setFontBold(on); }
  bool fontBold() const override { return target_->fontBold(); }
  void setFontUnderline(bool on) override { target_->setFontUnderline(on); }
  bool fontUnderline() const override { return target_->fontUnderline(); }
  void setFontColor(Color c) override { target_->setFontColor(c); }
  Color fontColor() const override { return target_->fontColor(); }

  Point penPos() const override { return target_->penPos(); }
  void moveTo(int x, int y) override;
  void lineTo(int x, int y) override;
  void setPixel(int x, int y, Color c) override;
  void rectangle(int left, int top, int right, int bottom) override;
  void ellipse(int left, int top, int right, int bottom) override;
  void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
  void polygon(const std::vector<Point>& points) override;
  void fillRect(const Rect& r) override;
  void textOut(int x, int y, const std::string& text) override;
  int textWidth(const std::string& text) override { return target_->textWidth(text); }
  int textHeight(const std::string& text) override { return target_->textHeight(text); }

 private:
  enum class Op : std::uint8_t { LineTo, SetPixel, Rectangle, Ellipse, Arc, Polygon, FillRect, TextOut };
  /// One call, kept compactly: every page is logged while it is drawn (the
  /// data table sets thousands of single pixels), so an entry allocates
  /// nothing; texts, polygons and face names are kept beside the entries.
  struct Entry {
    Op op;
    bool bold, underline;
    std::uint16_t face;  ///< index into faces_
    int penWidth, fontHeight;
    Color pen, brush, colour;  ///< colour: the font's, or a pixel's own
    Point from;
    std::array<int, 8> args;
    std::uint32_t extra;  ///< index into texts_ (textOut) or polygons_ (polygon)
  };

  void keep(Op op, std::initializer_list<int> args, Color pixel = {}, std::uint32_t extra = 0);
  void forget();

  Canvas* target_;
  int penWidth_ = 1;  ///< as set; the Canvas interface has no getter for it
  std::vector<Entry> entries_;
  std::vector<std::string> faces_;
  std::vector<std::string> texts_;
  std::vector<std::vector<int>> polygons_;
  bool complete_ = true;
};

/// Draws logged calls on `canvas`, each with the settings it was made with,
/// moved by `offset` (where the logged drawing's top left corner goes).
/// A line starts from the point it started from when it was logged, so the
/// replay does not depend on where the canvas's drawing point was.
void ReplayCalls(const std::vector<CanvasCall>& calls, Canvas& canvas, Point offset = {});

}  // namespace timer555
