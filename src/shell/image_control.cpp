#include "shell/image_control.h"

#include <QMouseEvent>
#include <QPainter>

namespace timer555 {

TImage::TImage(QWidget* parent, const QString& name) : QWidget(parent) {
  setObjectName(name);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TImage::~TImage() = default;

void TImage::ensureBitmap() const {
  if (canvas_) return;
  image_ = QImage(bitmapSize_, QImage::Format_RGB32);
  image_.fill(Qt::white);
  canvas_ = std::make_unique<QtCanvas>(image_);
}

void TImage::place(int left, int top, int width, int height) {
  setGeometry(left, top, width, height);
  if (bitmapSize_ != QSize(width, height)) {
    // The new white bitmap is made when it is first drawn on or shown, so
    // that a control placed twice at start-up allocates it once.
    canvas_.reset();
    image_ = QImage();
    bitmapSize_ = QSize(width, height);
  }
  update();
}

Canvas& TImage::canvas() {
  ensureBitmap();
  return *canvas_;
}

const QImage& TImage::image() const {
  ensureBitmap();
  return image_;
}

void TImage::setPicture(const QImage& picture) {
  canvas_.reset();
  image_ = picture.scaled(width(), height(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
               .convertToFormat(QImage::Format_RGB32);
  bitmapSize_ = image_.size();
  canvas_ = std::make_unique<QtCanvas>(image_);
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (canvas_)
    painter.drawImage(0, 0, image_);
  else
    painter.fillRect(rect(), Qt::white);  // a bitmap not made yet is white
}

void TImage::mousePressEvent(QMouseEvent* event) {
  pressed_ = true;
  QPoint p = event->position().toPoint();
  if (OnMouseDown) OnMouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TImage::mouseMoveEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(event->modifiers(), p.x(), p.y());
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
  bool wasPressed = pressed_;
  pressed_ = false;
  if (wasPressed && rect().contains(event->position().toPoint()) && OnClick) OnClick();
}

}  // namespace timer555
