#include "views/plotsurface.h"

#include "engine/kinetics.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace enkin {

namespace {

// Liang-Barsky clipping of the segment a-b to `r`; false when nothing of it lies inside. Keeps
// the painter away from the huge pixel coordinates a far-off point would give.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &r)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{a.x() - r.left(), r.right() - a.x(), a.y() - r.top(),
                                  r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

} // namespace

PlotSurface::PlotSurface(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    updateMapping();
}

QColor PlotSurface::paletteColor(int index)
{
    static const std::array<QRgb, 16> palette{
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    return QColor(palette[static_cast<std::size_t>(index & 15)]);
}

QSize PlotSurface::drawingSize() const
{
    return QSize(std::max(1, width() - 2 * kBorder), std::max(1, height() - 2 * kBorder));
}

void PlotSurface::ensureImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = drawingSize() * ratio;
    if (m_image.size() == pixels && m_image.devicePixelRatio() == ratio)
        return;
    QImage fresh(pixels, QImage::Format_RGB32);
    fresh.setDevicePixelRatio(ratio);
    fresh.fill(m_background);
    if (!m_image.isNull()) {
        QPainter p(&fresh);
        p.drawImage(QPoint(0, 0), m_image);
    }
    m_image = fresh;
}

void PlotSurface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ensureImage();
    updateMapping();
}

void PlotSurface::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ScreenChangeInternal)
        ensureImage();
}

bool PlotSurface::setScale(float x1, float y1, float x2, float y2)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    if (x1 == x2 || y1 == y2)
        return false;
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    updateMapping();
    return true;
}

void PlotSurface::updateMapping()
{
    // The corners of the scale fall on the first and last pixel, so a value on the bottom or
    // right edge (a curve at 0, the guide line at the Maximum Time) is still shown.
    const QSize area = drawingSize();
    m_xFactor = (area.width() - 1) / (m_x2 - m_x1);
    m_yFactor = (area.height() - 1) / (m_y2 - m_y1);
    m_width = area.width();
    m_height = area.height();
}

PlotSurface::Batch::Batch(PlotSurface &surface) : m_surface(surface)
{
    if (m_surface.m_batchDepth++ == 0) {
        m_surface.ensureImage();
        m_surface.m_batchPainter = std::make_unique<QPainter>(&m_surface.m_image);
    }
}

PlotSurface::Batch::~Batch()
{
    if (--m_surface.m_batchDepth == 0) {
        m_surface.flushPolyline();
        m_surface.m_batchPainter.reset();
        m_surface.update();
    }
}

template <class Draw> void PlotSurface::paint(const QColor &colour, Draw draw)
{
    const QPen pen(colour, 1, Qt::SolidLine, Qt::SquareCap);
    if (m_batchPainter) {
        flushPolyline();
        m_batchPainter->setPen(pen);
        draw(*m_batchPainter);
        return;
    }
    ensureImage();
    QPainter p(&m_image);
    p.setPen(pen);
    draw(p);
    update();
}

void PlotSurface::drawSegment(QPointF from, QPointF to, const QColor &colour)
{
    const bool inside = onImage(from, 2) && onImage(to, 2);
    if (!inside && !clipSegment(from, to, QRectF(0, 0, m_width, m_height).adjusted(-2, -2, 2, 2)))
        return;
    if (!m_batchPainter) {
        paint(colour, [&](QPainter &p) { p.drawLine(from, to); });
        return;
    }
    if (!m_polyline.isEmpty() && (colour != m_polylineColour || from != m_polyline.constLast()))
        flushPolyline();
    if (m_polyline.isEmpty()) {
        m_polyline.reserve(Trajectory::kLast);
        m_polyline.append(from);
        m_polylineColour = colour;
    }
    m_polyline.append(to);
}

void PlotSurface::flushPolyline()
{
    if (m_polyline.size() >= 2) {
        m_batchPainter->setPen(QPen(m_polylineColour, 1, Qt::SolidLine, Qt::SquareCap));
        m_batchPainter->drawPolyline(m_polyline);
    }
    m_polyline.clear();
}

void PlotSurface::point(float x, float y, std::optional<QColor> colour)
{
    ensureImage();
    m_currentX = x;
    m_currentY = y;
    const QPointF at = toPixel(x, y);
    if (!onImage(at, 0))
        return;
    paint(colour.value_or(m_foreground), [&](QPainter &p) { p.drawPoint(at); });
}

void PlotSurface::lineTo(float x, float y, std::optional<QColor> colour)
{
    const QPointF from = toPixel(m_currentX, m_currentY);
    m_currentX = x;
    m_currentY = y;
    drawSegment(from, toPixel(x, y), colour.value_or(m_foreground));
}

void PlotSurface::line(float x1, float y1, float x2, float y2, std::optional<QColor> colour)
{
    m_currentX = x2;
    m_currentY = y2;
    drawSegment(toPixel(x1, y1), toPixel(x2, y2), colour.value_or(m_foreground));
}

void PlotSurface::moveTo(float x, float y)
{
    m_currentX = x;
    m_currentY = y;
}

void PlotSurface::clear()
{
    m_currentX = m_currentY = 0;
    if (m_batchPainter) {
        m_polyline.clear();
        m_batchPainter->fillRect(QRectF(QPointF(0, 0), QSizeF(drawingSize())), m_background);
        return;
    }
    ensureImage();
    m_image.fill(m_background);
    update();
}

void PlotSurface::paintEvent(QPaintEvent *)
{
    ensureImage();
    QPainter p(this);
    // A sunken two-pixel border, as a drawing box has, around the retained image.
    qDrawWinPanel(&p, rect(), palette(), true);
    p.drawImage(QPoint(kBorder, kBorder), m_image);
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void PlotSurface::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+C (the desktop's Copy) on the focused plot copies its image, as the context menu does.
    if (event->matches(QKeySequence::Copy)) {
        copyImage();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PlotSurface::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copy = menu.addAction(tr("Copy Plot Image"));
    copy->setObjectName(QStringLiteral("copyPlotImage"));
    connect(copy, &QAction::triggered, this, &PlotSurface::copyImage);
    menu.exec(event->globalPos());
}

void PlotSurface::copyImage()
{
    ensureImage();
    QGuiApplication::clipboard()->setImage(m_image);
}

} // namespace enkin
