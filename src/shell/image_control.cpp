#include "shell/image_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "platform/pictures.h"

namespace timer555 {

TImage::TImage(QWidget* parent, const QString& name) : QWidget(parent) {
  setObjectName(name);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TImage::~TImage() = default;

namespace {

// The source column of each column and the source row of each row of a
// picture of `size` stretched to `stretched`, as QImage's fast stretch picks
// them: read from the stretch of a picture whose pixels hold their own
// coordinates (12 bits each).
std::pair<std::vector<int>, std::vector<int>> StretchSources(QSize size, QSize stretched) {
  QImage index(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      index.setPixel(x, y, 0xff000000u | (unsigned(x) << 12) | unsigned(y));
  const QImage shown = index.scaled(stretched, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                           .convertToFormat(QImage::Format_RGB32);
  std::vector<int> columns, rows;
  for (int x = 0; x < shown.width(); ++x) columns.push_back(int((shown.pixel(x, 0) & 0xffffffu) >> 12));
  for (int y = 0; y < shown.height(); ++y) rows.push_back(int(shown.pixel(0, y) & 0xfffu));
  return {columns, rows};
}

// For each device pixel along one axis of the stretched picture at `scale`,
// its coordinate in the detailed picture (`k` times the source): every
// source pixel keeps the run of logical pixels it has in the stretch, and
// its k detailed pixels are spread evenly over the device pixels of that run.
std::vector<int> DetailedCoordinates(const std::vector<int>& sourceOf, int scale, int k) {
  std::vector<int> detailed(sourceOf.size() * static_cast<std::size_t>(scale));
  for (std::size_t i = 0; i < sourceOf.size();) {
    std::size_t j = i;
    while (j < sourceOf.size() && sourceOf[j] == sourceOf[i]) ++j;
    const int run = static_cast<int>(j - i) * scale;
    for (int d = 0; d < run; ++d)
      detailed[i * static_cast<std::size_t>(scale) + static_cast<std::size_t>(d)] =
          sourceOf[i] * k + d * k / run;
    i = j;
  }
  return detailed;
}

}  // namespace

int TImage::ScreenScale() const { return std::max(1, qRound(devicePixelRatioF())); }

void TImage::ensureBitmap() const {
  if (canvas_) return;
  scale_ = ScreenScale();
  image_ = WhiteBitmap(bitmapSize_ * scale_);
  image_.setDevicePixelRatio(scale_);
  canvas_ = std::make_unique<QtCanvas>(image_, scale_);
  if (log_) {
    log_->retarget(*canvas_);
  } else if (keepLog_) {
    log_ = std::make_unique<LoggingCanvas>(*canvas_);
  }
}

void TImage::keepDrawingLog() {
  keepLog_ = true;
  if (canvas_ && !log_) log_ = std::make_unique<LoggingCanvas>(*canvas_);
}

void TImage::place(int left, int top, int width, int height) {
  setGeometry(left, top, width, height);
  if (bitmapSize_ != QSize(width, height) || (canvas_ && scale_ != ScreenScale())) {
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
  if (log_) return *log_;
  return *canvas_;
}

const QImage& TImage::image() const {
  ensureBitmap();
  return image_;
}

int TImage::deviceScale() const {
  ensureBitmap();
  return scale_;
}

void TImage::setPicture(const QImage& picture, const QImage& detailed) {
  canvas_.reset();
  scale_ = ScreenScale();
  const QImage stretched = picture.scaled(width(), height(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                               .convertToFormat(QImage::Format_RGB32);
  // Pictures are small; their coordinates fit the index picture's 12 bits.
  if (scale_ == 1) {
    image_ = stretched;
  } else if (!detailed.isNull() && detailed.size() == stretched.size() * scale_) {
    // Drawn for the control's own size at this scale: shown as it is.
    image_ = detailed.convertToFormat(QImage::Format_RGB32);
  } else if (stretched.isNull() || picture.width() >= 4096 || picture.height() >= 4096) {
    image_ = stretched.scaled(stretched.size() * scale_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  } else {
    const int k = detailed.width() > 0 && detailed.width() % picture.width() == 0 &&
                          detailed.height() * picture.width() == picture.height() * detailed.width()
                      ? detailed.width() / picture.width()
                      : 1;
    const QImage source = (k > 1 ? detailed : picture).convertToFormat(QImage::Format_RGB32);
    const auto [columns, rows] = StretchSources(picture.size(), stretched.size());
    const std::vector<int> xs = DetailedCoordinates(columns, scale_, k);
    const std::vector<int> ys = DetailedCoordinates(rows, scale_, k);
    image_ = QImage(stretched.size() * scale_, QImage::Format_RGB32);
    for (int y = 0; y < image_.height(); ++y)
      for (int x = 0; x < image_.width(); ++x)
        image_.setPixel(x, y, source.pixel(xs[static_cast<std::size_t>(x)], ys[static_cast<std::size_t>(y)]));
  }
  image_.setDevicePixelRatio(scale_);
  bitmapSize_ = stretched.size();
  canvas_ = std::make_unique<QtCanvas>(image_, scale_);
  if (log_) log_->retarget(*canvas_);
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!canvas_) {
    painter.fillRect(rect(), Qt::white);  // a bitmap not made yet is white
    return;
  }
  // A screen whose pixel ratio is no whole number gets the bitmap of the
  // nearest whole scale, smoothly resampled.
  if (devicePixelRatioF() != image_.devicePixelRatio())
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
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
