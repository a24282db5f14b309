// Picture1: the time plot of the number of electrons. Its points and its
// axis line are in twips from the picture's top-left corner, border included:
// the axis at y 1440 then falls on the lower border, level with the "0" and
// "t" captions beside the picture.
#pragma once

#include <QFrame>
#include <vector>

#include "model/controls.h"

namespace transistor {

class PlotBox : public QFrame {
    Q_OBJECT

  public:
    PlotBox(const std::vector<PlotPoint> &points, QWidget *parent = nullptr);

    // Repaints the points added since the last call, or everything after a clear.
    void refresh();

    // Twips to pixels: 1 at actual size (see twips.h).
    void setZoom(double zoom);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

  private:
    QRect pixelsOf(const PlotPoint &point) const;

    const std::vector<PlotPoint> &points_;
    std::size_t drawnCount_ = 0;
    PlotPoint drawnLast_;
    double zoom_ = 1.0;
};

} // namespace transistor
