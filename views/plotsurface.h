// The plot surface: a widget that draws into a retained image in user coordinates.
//
// Drawing happens when the data changes, into the image; paintEvent only shows the image, so
// covering and uncovering the window never recomputes a curve. Coordinates reach the surface in
// single precision. The image has the widget's device pixel ratio, so one-pixel lines stay crisp
// on high-DPI screens.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QWidget>

#include <memory>
#include <optional>

namespace enkin {

class PlotSurface : public QWidget {
    Q_OBJECT

public:
    explicit PlotSurface(QWidget *parent = nullptr);

    // The 16-colour palette by index: 0 black, 8 grey, 9 light blue, 12 light red, ...
    static QColor paletteColor(int index);

    // User coordinates: (x1, y1) is the top-left corner of the drawing area, (x2, y2) the
    // bottom-right. A scale of zero width or height, or with a non-finite corner, is refused:
    // the call returns false and the previous scale stays.
    bool setScale(float x1, float y1, float x2, float y2);

    // Sets one pixel; the current position becomes (x, y).
    void point(float x, float y, std::optional<QColor> colour = std::nullopt);
    // A segment from the current position to (x, y); the current position becomes (x, y).
    void lineTo(float x, float y, std::optional<QColor> colour = std::nullopt);
    // A segment between two points.
    void line(float x1, float y1, float x2, float y2, std::optional<QColor> colour = std::nullopt);
    // Moves the current position without drawing.
    void moveTo(float x, float y);
    // Erases the image to the background colour.
    void clear();

    // Groups the drawing operations made while it lives: they share one painter and one repaint
    // request, which keeps a run's 1800 segments cheap. Batches may nest.
    class Batch {
    public:
        explicit Batch(PlotSurface &surface);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        PlotSurface &m_surface;
    };

    // The drawing area as shown, at the device pixel ratio of the screen.
    const QImage &image() const { return m_image; }
    // The size of the drawing area in device-independent pixels.
    QSize drawingSize() const;
    // The width of the sunken border around the drawing area, in pixels.
    static constexpr int kBorder = 2;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QPointF toPixel(double x, double y) const
    {
        return QPointF((x - m_x1) * m_xFactor, (y - m_y1) * m_yFactor);
    }
    bool onImage(QPointF p, double margin) const
    {
        return p.x() >= -margin && p.y() >= -margin && p.x() <= m_width + margin &&
               p.y() <= m_height + margin;
    }
    void updateMapping();
    void drawSegment(QPointF from, QPointF to, const QColor &colour);
    void ensureImage();
    void copyImage();
    // The painter of the open batch, or a fresh one for a single operation.
    template <class Draw> void paint(const QColor &colour, Draw draw);
    // Draws the segments a batch has gathered into one polyline.
    void flushPolyline();

    std::unique_ptr<QPainter> m_batchPainter;
    int m_batchDepth = 0;
    // Within a batch, consecutive segments of one colour are joined and drawn as one polyline.
    QPolygonF m_polyline;
    QColor m_polylineColour;

    QImage m_image;
    QColor m_foreground{0, 0, 0};
    QColor m_background{255, 255, 255};
    double m_x1 = 0, m_y1 = 0, m_x2 = 1, m_y2 = 1;
    // Pixels per user unit along each axis, and the drawing area's size, kept with the scale.
    double m_xFactor = 1, m_yFactor = 1;
    int m_width = 1, m_height = 1;
    float m_currentX = 0, m_currentY = 0;
};

} // namespace enkin
