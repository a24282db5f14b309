// The Readouts view of the window: every readout of the session in a table,
// the summary per setting, the chart and its description, Copy and Save.
// A dialog beside the window, not modal, so the animation goes on. Every
// text, number, scale and colour comes from the core (app/readout_report.h);
// this only lays it out and paints the chart in the core's units.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

class QLabel;
class QTableWidget;

namespace transistor {

class MainWindow;
class ReadoutChartWidget;

class ReadoutsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ReadoutsDialog(MainWindow &window);

    // Brings the view up to date after a new readout.
    void refresh();
    // The table as tab-separated text on the clipboard, for a spreadsheet.
    void copy();
    // Asks where, then writes the CSV file there.
    void save();
    // Writes the CSV file to path; whether it could.
    bool saveTo(const QString &path);

  protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

  private:
    MainWindow &window_;
    QMetaObject::Connection watch_;
    std::uint64_t shown_ = ~std::uint64_t{0};
    QLabel *note_;
    QTableWidget *summary_, *table_;
    ReadoutChartWidget *chart_;
    QLabel *chartText_;
};

} // namespace transistor
