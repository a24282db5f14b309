#include "view/readouts_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/readout_report.h"
#include "view/main_window.h"
#include "view/translation.h"

namespace transistor {

namespace {

std::string Tr(const char *context, std::string_view source) {
    return Translated(source, context).toStdString();
}

QString Text(std::string_view source) {
    return Translated(source, kReadoutsContext);
}

QString Q(const std::string &s) {
    return QString::fromStdString(s);
}

void Fill(QTableWidget *table, const std::vector<std::string> &headers,
          const std::vector<std::vector<std::string>> &rows, const std::vector<bool> &whole) {
    table->clear();
    table->setColumnCount(static_cast<int>(headers.size()));
    table->setRowCount(static_cast<int>(rows.size()));
    QStringList labels;
    for (const std::string &h : headers) labels << Q(h);
    table->setHorizontalHeaderLabels(labels);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const bool set = !whole[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
            auto *item = new QTableWidgetItem(Q(rows[r][c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (set) {
                QFont f = item->font();
                f.setItalic(true);
                item->setFont(f);
                item->setForeground(QColor(0x6a, 0x6a, 0x6a));
                item->setBackground(QColor(0xf2, 0xf2, 0xf2));
            }
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
}

} // namespace

// The chart in the core's units, scaled to the widget.
class ReadoutChartWidget : public QWidget {
  public:
    explicit ReadoutChartWidget(QWidget *parent) : QWidget(parent) {
        setMinimumSize(static_cast<int>(kChartWidth), static_cast<int>(kChartHeight));
        setFocusPolicy(Qt::TabFocus);
    }
    void setChart(ReadoutChart chart) {
        chart_ = std::move(chart);
        update();
    }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        const double k = std::min(width() / kChartWidth, height() / kChartHeight);
        p.scale(k, k);
        for (const ChartLine &l : chart_.lines) {
            QPen pen(QColor::fromRgb(ChartColor(l.ink)), l.dashed ? 1.5 : 1);
            if (l.dashed) pen.setDashPattern({5 / 1.5, 4 / 1.5});
            p.setPen(pen);
            QPainterPath path;
            for (std::size_t i = 0; i < l.points.size(); ++i) {
                const QPointF pt(l.points[i].x, l.points[i].y);
                i ? path.lineTo(pt) : path.moveTo(pt);
            }
            p.drawPath(path);
        }
        QFont f = font();
        f.setPixelSize(12);
        p.setFont(f);
        for (const ChartText &t : chart_.texts) {
            p.setPen(QColor::fromRgb(ChartColor(t.ink)));
            const double w = 400;
            const double left = t.align < 0 ? t.x : t.align > 0 ? t.x - w : t.x - w / 2;
            const Qt::Alignment h = t.align < 0   ? Qt::AlignLeft
                                    : t.align > 0 ? Qt::AlignRight
                                                  : Qt::AlignHCenter;
            p.drawText(QRectF(left, t.y - 10, w, 20), int(h | Qt::AlignVCenter), Q(t.text));
        }
    }

  private:
    ReadoutChart chart_;
};

ReadoutsDialog::ReadoutsDialog(MainWindow &window) : QDialog(&window), window_(window) {
    setObjectName(QStringLiteral("ReadoutsDialog"));
    setModal(false);
    setWindowTitle(Text(kReadoutsTitle));
    auto *layout = new QVBoxLayout(this);
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    note_->setObjectName(QStringLiteral("ReadoutsNote"));
    summary_ = new QTableWidget(this);
    summary_->setObjectName(QStringLiteral("ReadoutsSummary"));
    summary_->setAccessibleName(Text(kReadoutsSummaryTitle));
    summary_->verticalHeader()->hide();
    summary_->setMaximumHeight(140);
    chart_ = new ReadoutChartWidget(this);
    chart_->setObjectName(QStringLiteral("ReadoutsChart"));
    chart_->setAccessibleName(Text(kReadoutsChartTitle));
    chartText_ = new QLabel(this);
    chartText_->setObjectName(QStringLiteral("ReadoutsChartDescription"));
    chartText_->setWordWrap(true);
    chartText_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("ReadoutsTable"));
    table_->setAccessibleName(Text(kReadoutsTableTitle));
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto *buttons = new QDialogButtonBox(this);
    auto *copy = buttons->addButton(Text(kReadoutsCopy), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("ReadoutsCopy"));
    auto *save = buttons->addButton(Text(kReadoutsSave), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("ReadoutsSave"));
    auto *close = buttons->addButton(Text(kReadoutsClose), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("ReadoutsClose"));
    connect(copy, &QPushButton::clicked, this, &ReadoutsDialog::copy);
    connect(save, &QPushButton::clicked, this, &ReadoutsDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const auto title = [this](std::string_view text) {
        auto *l = new QLabel(u"<b>"_qs + Text(text).toHtmlEscaped() + u"</b>"_qs, this);
        return l;
    };
    layout->addWidget(buttons);
    layout->addWidget(note_);
    layout->addWidget(title(kReadoutsSummaryTitle));
    layout->addWidget(summary_);
    layout->addWidget(title(kReadoutsChartTitle));
    layout->addWidget(chart_, 1);
    layout->addWidget(chartText_);
    layout->addWidget(title(kReadoutsTableTitle));
    layout->addWidget(table_, 1);
    table_->setMinimumHeight(180);
    for (QLabel *l : {note_, chartText_})
        l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    resize(960, 1060);
}

void ReadoutsDialog::showEvent(QShowEvent *event) {
    // Only while it is open does the view follow the program.
    watch_ = connect(&window_, &MainWindow::delivered, this, [this] { refresh(); });
    shown_ = ~std::uint64_t{0};
    refresh();
    QDialog::showEvent(event);
}

void ReadoutsDialog::hideEvent(QHideEvent *event) {
    disconnect(watch_);
    QDialog::hideEvent(event);
}

void ReadoutsDialog::refresh() {
    const ReadoutLog &log = window_.program().readoutLog();
    if (log.serial() == shown_) return;
    shown_ = log.serial();
    const Translate translate = Tr;
    const std::string &sep = window_.form().decimalSeparator;
    note_->setText(Q(LogNote(log, translate)));
    const std::vector<SettingSummary> settings = SummarizeSettings(log);
    const auto rows = SummaryRows(settings, sep, translate);
    Fill(summary_, SummaryHeaders(translate), rows, std::vector<bool>(rows.size(), true));
    std::vector<std::vector<std::string>> cells;
    std::vector<bool> whole;
    for (const Readout &r : log.readouts()) {
        cells.push_back(ReadoutCells(r, sep, translate));
        whole.push_back(r.whole);
    }
    Fill(table_, ReadoutHeaders(translate), cells, whole);
    table_->scrollToBottom();
    chart_->setChart(DrawReadoutChart(log, sep, translate));
    const QString description = Q(DescribeReadoutChart(log, sep, translate));
    chart_->setAccessibleDescription(description);
    chartText_->setText(description);
    // A wrapped label in a layout is given one line unless it asks for more.
    const int room = width() - 2 * layout()->contentsMargins().left();
    for (QLabel *l : {note_, chartText_}) l->setMinimumHeight(l->heightForWidth(room));
    layout()->activate();
}

void ReadoutsDialog::copy() {
    QApplication::clipboard()->setText(
        Q(ReadoutTsv(window_.program().readoutLog(), window_.form().decimalSeparator, Tr)));
}

void ReadoutsDialog::save() {
    const QString path =
        QFileDialog::getSaveFileName(this, Text(kReadoutsSave).remove(u'&'),
                                     QString::fromUtf8(kReadoutsFileName), u"CSV (*.csv)"_qs);
    if (!path.isEmpty()) saveTo(path);
}

bool ReadoutsDialog::saveTo(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const std::string csv = ReadoutCsv(window_.program().readoutLog(), Tr);
    return file.write(csv.data(), static_cast<qint64>(csv.size())) ==
           static_cast<qint64>(csv.size());
}

} // namespace transistor
