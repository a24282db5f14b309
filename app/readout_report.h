// What the Readouts view shows of the log, decided once for both views and
// the script driver: the table's cells, the summary per setting, the chart
// in its own units with its scales and ticks, the chart's description for a
// screen reader, and the two exports.
//
// The exports differ in their decimal separator on purpose. The copy is
// pasted into a spreadsheet that reads numbers in the user's locale, so it
// uses the locale's separator ("0,5" where a comma is the separator). The
// CSV file is read by whatever program opens it, and in a comma locale a
// comma inside a number would break the file's columns; so it always has a
// point, as the CSV format and statistics programs expect. The file starts
// with a byte order mark: without it, spreadsheets on Windows read UTF-8 as
// the system's code page and garble the Japanese headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/readout_log.h"
#include "model/translatable.h"

namespace transistor {

inline constexpr const char *kReadoutsContext = "Readouts";

// The view's own texts, the same in both views.
inline constexpr std::string_view kReadoutsTitle = TRANSLATABLE("Readouts", "Readouts");
inline constexpr std::string_view kReadoutsTableTitle = TRANSLATABLE("Readouts", "Every readout");
inline constexpr std::string_view kReadoutsSummaryTitle =
    TRANSLATABLE("Readouts", "Summary per setting");
inline constexpr std::string_view kReadoutsChartTitle =
    TRANSLATABLE("Readouts", "Chart of the readouts");
inline constexpr std::string_view kReadoutsCopy = TRANSLATABLE("Readouts", "&Copy");
inline constexpr std::string_view kReadoutsSave = TRANSLATABLE("Readouts", "&Save CSV...");
inline constexpr std::string_view kReadoutsClose = TRANSLATABLE("Readouts", "Close");
inline constexpr std::string_view kReadoutsFileName = "transistor-readouts.csv";

// The log's table: a header row, then one row per readout, oldest first;
// numbers with the given decimal separator.
std::vector<std::string> ReadoutHeaders(const Translate &translate);
std::vector<std::string> ReadoutCells(const Readout &r, std::string_view separator,
                                      const Translate &translate);

// The whole log as a file, and as text to paste.
std::string ReadoutCsv(const ReadoutLog &log, const Translate &translate = {});
std::string ReadoutTsv(const ReadoutLog &log, std::string_view separator,
                       const Translate &translate = {});

// A run of readouts with the same inputs, after the first Start.
struct CurrentStat {
    double mean = 0;
    std::optional<double> spread; // the sample standard deviation; needs two readouts
};
struct SettingSummary {
    ReadoutInputs inputs;
    std::size_t first = 0, count = 0; // its readouts in the log
    Millis from = 0, to = 0;          // its set-up and its last readout, since the window opened
    int whole = 0;
    std::optional<CurrentStat> collector, base; // over whole readouts; none without one
};
std::vector<SettingSummary> SummarizeSettings(const ReadoutLog &log);

// "300 K, EF 0.9 / 0.2 / 0.7 eV, VEB 0.5 V, VCB 1.5 V"
std::string SettingLabel(const ReadoutInputs &inputs, std::string_view separator,
                         const Translate &translate);
// The summary as a table: a header row, then one row per setting.
std::vector<std::string> SummaryHeaders(const Translate &translate);
std::vector<std::vector<std::string>> SummaryRows(const std::vector<SettingSummary> &settings,
                                                  std::string_view separator,
                                                  const Translate &translate);
// What the log says of itself: how many readouts, how many dropped.
std::string LogNote(const ReadoutLog &log, const Translate &translate);

// The chart, in units of its own (a box kChartWidth × kChartHeight, y
// downwards); a view scales it to its size and draws each line and text.
inline constexpr double kChartWidth = 640, kChartHeight = 400;
enum class ChartInk { Axis, Grid, Change, Collector, Base, Electrons, Holes };
// The colour of an ink, 0xRRGGBB.
std::uint32_t ChartColor(ChartInk ink);
struct ChartPoint {
    double x, y;
};
struct ChartLine {
    ChartInk ink;
    bool dashed; // the means and the changes of setting
    std::vector<ChartPoint> points;
};
struct ChartText {
    std::string text;
    double x, y; // y is the middle of the line of text
    int align;   // -1 starts at x, 0 centred on x, 1 ends at x
    ChartInk ink;
};
struct ReadoutChart {
    std::vector<ChartLine> lines;
    std::vector<ChartText> texts;
};
ReadoutChart DrawReadoutChart(const ReadoutLog &log, std::string_view separator,
                              const Translate &translate);
// The chart in words: its time span and each setting's means.
std::string DescribeReadoutChart(const ReadoutLog &log, std::string_view separator,
                                 const Translate &translate);

// The scale of an axis: from min to max, ticks every step.
struct ChartScale {
    double min, max, step;
};
// At most about `ticks` steps of 1, 2 or 5 times a power of ten that cover lo .. hi.
ChartScale NiceScale(double lo, double hi, int ticks);

} // namespace transistor
