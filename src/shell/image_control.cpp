#include "shell/image_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace timer555 {

TImage::TImage(QWidget* parent, const QString& name) : QWidget(parent) {
  setObjectName(name);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  newBitmap(1, 1);
}

TImage::~TImage() = default;

void TImage::newBitmap(int width, int height) {
  canvas_.reset();
  image_ = QImage(width, height, QImage::Format_RGB32);
  image_.fill(Qt::white);
  canvas_ = std::make_unique<QtCanvas>(image_);
}

void TImage::place(int left, int top, int width, int height) {
  setGeometry(left, top, width, height);
  if (image_.width() != width || image_.height() != height) newBitmap(width, height);
  update();
}

void TImage::setPicture(const QImage& picture) {
  canvas_.reset();
  image_ = picture.scaled(width(), height(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
               .convertToFormat(QImage::Format_RGB32);
  canvas_ = std::make_unique<QtCanvas>(image_);
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
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

void TImage::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool press = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
  if (press && OnClick && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    OnClick();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TImage::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (OnFocusChange) OnFocusChange(true);
}

void TImage::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (OnFocusChange) OnFocusChange(false);
}

}  // namespace timer555
