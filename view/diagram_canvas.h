// The one surface under the window's labels and boxes that draws every line
// and shape: the band diagram, the markers, the circuit picture, the shapes
// of the lower strip and the 202 carrier circles.
#pragma once

#include <QImage>
#include <QLineF>
#include <QPixmap>
#include <QRegion>
#include <QTransform>
#include <QWidget>
#include <vector>

#include "app/look.h"
#include "app/window_description.h"
#include "model/controls.h"

namespace transistor {

class DiagramCanvas : public QWidget {
    Q_OBJECT

  public:
    // Draws the controls of the window description that are lines or shapes
    // outside Picture1; the moving lines and the carriers are read from ctl.
    DiagramCanvas(const Controls &ctl, QWidget *parent = nullptr);

    // Schedules a repaint of whatever moved, appeared or vanished since the
    // last call, and returns that region: a tick repaints the carriers that
    // moved and the markers that flashed, not the window.
    QRegion refresh();

    // Draws every line, shape and carrier straight onto p, whose origin is
    // the canvas's top-left corner, over whatever p already holds: the copy of
    // the picture lays them on white, not on the window's background.
    void paintItems(QPainter &p) const;

    // Twips to pixels: 1 at actual size (see twips.h).
    void setZoom(double zoom);
    // The colours and widths to paint with.
    void setLook(const Look &look);
    double zoom() const { return zoom_; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    // The words of a drawn shape that has a description, as a tooltip.
    bool event(QEvent *event) override;

  private:
    struct Item {
        const ControlDesign *design;
        const LineProps *line = nullptr;  // a line that a handler moves or hides
        const Carrier *carrier = nullptr; // a carrier: its Left and Top
        bool marker = false;              // flashes, so it stays out of the still picture
        // Where it was drawn last: the end points of a line, or Left/Top in p1.
        QLineF drawnAt;
        bool drawnVisible = true;
    };
    // A carrier's circle, drawn once at the device scale.
    struct Sprite {
        const ControlDesign *design;
        QPixmap pixmap;
    };

    // Twips to this widget's pixels: the one scale of every drawing.
    QTransform twipsToPixels() const;
    QLineF placeOf(const Item &item) const;
    bool visibleOf(const Item &item) const;
    QRectF boundsOf(const Item &item, const QLineF &place) const;
    // The pixels that the item covers at place, with a margin for antialiasing;
    // toPixels is twipsToPixels(), dpr the device pixel ratio.
    QRect pixelsOf(const Item &item, const QLineF &place, const QTransform &toPixels,
                   qreal dpr) const;

    void paintItem(QPainter &p, const Item &item) const;
    // The width of lines and outlines on p, in twips: one pixel, or the
    // look's device pixels where that is more.
    qreal penWidth(const QPainter &p) const;
    // The band lines, the circuit and the still shapes, redrawn only when a
    // line moves or the device scale changes.
    const QImage &stillPicture(qreal dpr);
    const QPixmap &spriteOf(const ControlDesign &design, qreal dpr);

    std::vector<Item> items_;
    double zoom_ = 1.0;
    const Look *look_ = &kDesignedLook;
    QImage still_;
    bool stillStale_ = true;
    std::vector<Sprite> sprites_;
};

} // namespace transistor
