// The one surface under the window's labels and boxes that draws every line
// and shape: the band diagram, the markers, the circuit picture, the shapes
// of the lower strip and the 202 carrier circles.
#pragma once

#include <QLineF>
#include <QWidget>
#include <vector>

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
    // last call: one tick changes a few dozen small rectangles, not the window.
    void refresh();

    // Twips to pixels: 1 at actual size (see twips.h).
    void setZoom(double zoom);
    double zoom() const { return zoom_; }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    struct Item {
        const ControlDesign *design;
        const LineProps *line = nullptr;  // a line that a handler moves or hides
        const Carrier *carrier = nullptr; // a carrier: its Left and Top
        // Where it was drawn last: the end points of a line, or Left/Top in p1.
        QLineF drawnAt;
        bool drawnVisible = true;
    };

    QLineF placeOf(const Item &item) const;
    bool visibleOf(const Item &item) const;
    QRectF boundsOf(const Item &item, const QLineF &place) const;

    std::vector<Item> items_;
    double zoom_ = 1.0;
};

} // namespace transistor
