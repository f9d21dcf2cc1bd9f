#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/logging_canvas.h"
#include "platform/qt_canvas.h"

namespace timer555 {

/// An image control: keeps a bitmap and a drawing canvas over it, shows the
/// bitmap, and reports the pointer to its owner. Drawing code never runs in
/// paintEvent; the owner draws through canvas() and the control only shows
/// the result, so the same picture is available as an image.
///
/// The bitmap has the device resolution of the screen: on a screen with s
/// device pixels per logical pixel (s rounded to a whole number, at least
/// 1) it is s times the control's size, and its canvas draws at that scale
/// in the control's logical coordinates. Pointer positions are logical.
class TImage final : public QWidget {
 public:
  using MouseHandler = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)>;
  using MoveHandler = std::function<void(Qt::KeyboardModifiers, int x, int y)>;
  using ClickHandler = std::function<void()>;
  using FocusHandler = std::function<void(bool focused)>;

  TImage(QWidget* parent, const QString& name);
  ~TImage() override;
  TImage(const TImage&) = delete;
  TImage& operator=(const TImage&) = delete;

  /// Moves and sizes the control; a new size gives a new white bitmap and a
  /// new canvas (made on first use).
  void place(int left, int top, int width, int height);
  /// Shows a fixed picture stretched to the control, as a stretched image
  /// control does. `detailed`, if given, is the same picture drawn at a
  /// whole multiple of its size; at a device scale above 1 each logical
  /// pixel of the stretched picture then shows the part of `detailed` that
  /// belongs to its source pixel, so the picture keeps its stretched
  /// geometry and gains the finer drawing. A `detailed` picture exactly the
  /// control's size times the device scale is shown as it is.
  void setPicture(const QImage& picture, const QImage& detailed = QImage());

  Canvas& canvas();
  /// Keeps a log of what is drawn from now on: canvas() then draws through
  /// a LoggingCanvas. The drawing area keeps one for the design sheet.
  void keepDrawingLog();
  /// The log of what the bitmap shows; nullptr unless kept.
  const LoggingCanvas* drawingLog() const { return log_.get(); }
  /// The bitmap at device resolution (deviceScale() times the logical size).
  const QImage& image() const;
  /// Device pixels per logical pixel of the bitmap.
  int deviceScale() const;

  /// Pointer callbacks: mouse-down with any button, every move, and a click
  /// (button released over the control after a press on it). A control
  /// that takes the focus (a picture button) also clicks on Space and Enter.
  MouseHandler OnMouseDown;
  MoveHandler OnMouseMove;
  ClickHandler OnClick;
  /// Called when the control gains (true) or loses (false) the focus, so
  /// that its owner can draw or remove a focus mark.
  FocusHandler OnFocusChange;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  /// The screen's pixel ratio as a whole number, at least 1.
  int ScreenScale() const;
  /// Makes the white bitmap of bitmapSize_ and its canvas if there is none.
  void ensureBitmap() const;

  QSize bitmapSize_{1, 1};  ///< logical size of the bitmap
  // Made on first use; a canvas exists exactly when the bitmap does.
  mutable QImage image_;
  mutable int scale_ = 1;
  mutable std::unique_ptr<QtCanvas> canvas_;
  // The drawing log, made with the bitmap once keepDrawingLog asked for it.
  mutable std::unique_ptr<LoggingCanvas> log_;
  bool keepLog_ = false;
  bool pressed_ = false;
};

}  // namespace timer555
