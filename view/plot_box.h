// Picture1: the time plot of the number of electrons. Its points and its
// axis line are in twips from the picture's top-left corner, border included:
// the axis at y 1440 then falls on the lower border, level with the "0" and
// "t" captions beside the picture.
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QRegion>
#include <vector>

#include "app/look.h"
#include "model/controls.h"

namespace transistor {

class PlotBox : public QFrame {
    Q_OBJECT

  public:
    PlotBox(const std::vector<PlotPoint> &points, QWidget *parent = nullptr);

    // Draws the points added since the last call into the picture and
    // schedules their pixels, or everything after a clear; returns the region.
    QRegion refresh();

    // Twips to pixels: 1 at actual size (see twips.h).
    void setZoom(double zoom);
    // The axis and the points at least the look's device pixels wide.
    void setLook(const Look &look);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

  private:
    QRect pixelsOf(const PlotPoint &point) const;
    // The axis and every point so far, on a transparent picture at the device
    // scale; points are added to it one at a time.
    void redrawPicture(qreal dpr);
    void drawPoints(std::size_t from, std::size_t to);

    const std::vector<PlotPoint> &points_;
    std::size_t drawnCount_ = 0;
    PlotPoint drawnLast_;
    double zoom_ = 1.0;
    const Look *look_ = &kDesignedLook;
    qreal pen_ = 15; // twips: a line, or a point, one pixel at actual size
    QPixmap picture_;
};

} // namespace transistor
