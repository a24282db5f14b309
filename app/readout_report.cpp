#include "app/readout_report.h"

#include <algorithm>
#include <cmath>

#include "model/number_input.h"

namespace transistor {

namespace {

std::string Tr(const Translate &translate, std::string_view source) {
    return Translated(translate, kReadoutsContext, source);
}

// A template with %1 … %9 filled in.
std::string Fill(std::string_view pattern, const std::vector<std::string> &args) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(pattern[++i] - '1');
            if (n < args.size()) out += args[n];
        } else {
            out += c;
        }
    }
    return out;
}

std::string Seconds(Millis ms, std::string_view separator) {
    return NumberText(static_cast<double>(ms) / 1000, separator);
}

constexpr std::string_view kHeaders[] = {
    TRANSLATABLE("Readouts", "readout"),
    TRANSLATABLE("Readouts", "time (s)"),
    TRANSLATABLE("Readouts", "since Start or Restart (s)"),
    TRANSLATABLE("Readouts", "collector readout"),
    TRANSLATABLE("Readouts", "base readout"),
    TRANSLATABLE("Readouts", "electrons"),
    TRANSLATABLE("Readouts", "holes"),
    TRANSLATABLE("Readouts", "temperature (K)"),
    TRANSLATABLE("Readouts", "emitter Fermi level (eV)"),
    TRANSLATABLE("Readouts", "base Fermi level (eV)"),
    TRANSLATABLE("Readouts", "collector Fermi level (eV)"),
    TRANSLATABLE("Readouts", "VEB (V)"),
    TRANSLATABLE("Readouts", "VCB (V)"),
    TRANSLATABLE("Readouts", "whole"),
};
constexpr std::string_view kYes = TRANSLATABLE("Readouts", "yes");
constexpr std::string_view kNo = TRANSLATABLE("Readouts", "no");

// A field of a CSV file, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string &text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

// A field of pasted text: a tab or a line break would start a new cell.
std::string TsvField(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

template <class Field>
std::string Joined(const ReadoutLog &log, char between, std::string_view separator,
                   const Translate &translate, Field field) {
    std::string out;
    const auto row = [&](const std::vector<std::string> &cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i) out += between;
            out += field(cells[i]);
        }
        out += '\n';
    };
    row(ReadoutHeaders(translate));
    for (const Readout &r : log.readouts()) row(ReadoutCells(r, separator, translate));
    return out;
}

std::optional<CurrentStat> Stat(const std::vector<int> &values) {
    if (values.empty()) return std::nullopt;
    double sum = 0;
    for (const int v : values) sum += v;
    CurrentStat s{sum / static_cast<double>(values.size()), std::nullopt};
    if (values.size() >= 2) {
        double squares = 0;
        for (const int v : values) squares += (v - s.mean) * (v - s.mean);
        s.spread = std::sqrt(squares / static_cast<double>(values.size() - 1));
    }
    return s;
}

std::string MeanText(const std::optional<CurrentStat> &s, std::string_view separator) {
    return s ? FixedText(s->mean, 1, separator) : std::string();
}

std::string SpreadText(const std::optional<CurrentStat> &s, std::string_view separator) {
    return s && s->spread ? FixedText(*s->spread, 1, separator) : std::string();
}

} // namespace

std::vector<std::string> ReadoutHeaders(const Translate &translate) {
    std::vector<std::string> out;
    for (const std::string_view h : kHeaders) out.push_back(Tr(translate, h));
    return out;
}

std::vector<std::string> ReadoutCells(const Readout &r, std::string_view separator,
                                      const Translate &translate) {
    std::vector<std::string> cells{std::to_string(r.number),
                                   Seconds(r.sinceOpen, separator),
                                   r.sinceSetUp ? Seconds(*r.sinceSetUp, separator) : std::string(),
                                   std::to_string(r.collector),
                                   std::to_string(r.base),
                                   std::to_string(r.electrons),
                                   std::to_string(r.holes)};
    if (r.inputs) {
        const ReadoutInputs &in = *r.inputs;
        cells.push_back(std::to_string(in.temperature));
        for (const double v : {in.emitterFermi, in.baseFermi, in.collectorFermi, in.veb, in.vcb})
            cells.push_back(NumberText(v, separator));
    } else {
        cells.resize(cells.size() + 6);
    }
    cells.push_back(Tr(translate, r.whole ? kYes : kNo));
    return cells;
}

std::string ReadoutCsv(const ReadoutLog &log, const Translate &translate) {
    return "\xEF\xBB\xBF" + Joined(log, ',', ".", translate, CsvField);
}

std::string ReadoutTsv(const ReadoutLog &log, std::string_view separator,
                       const Translate &translate) {
    return Joined(log, '\t', separator, translate, TsvField);
}

std::vector<SettingSummary> SummarizeSettings(const ReadoutLog &log) {
    std::vector<SettingSummary> out;
    std::vector<int> collector, base;
    const auto finish = [&] {
        if (out.empty()) return;
        out.back().collector = Stat(collector);
        out.back().base = Stat(base);
        collector.clear();
        base.clear();
    };
    const auto &rs = log.readouts();
    for (std::size_t i = 0; i < rs.size(); ++i) {
        const Readout &r = rs[i];
        if (!r.inputs) continue;
        if (out.empty() || out.back().inputs != *r.inputs ||
            out.back().first + out.back().count != i) {
            finish();
            SettingSummary s;
            s.inputs = *r.inputs;
            s.first = i;
            s.from = r.sinceOpen - r.sinceSetUp.value_or(0);
            out.push_back(s);
        }
        SettingSummary &s = out.back();
        ++s.count;
        s.to = r.sinceOpen;
        if (r.whole) {
            ++s.whole;
            collector.push_back(r.collector);
            base.push_back(r.base);
        }
    }
    finish();
    return out;
}

std::string SettingLabel(const ReadoutInputs &in, std::string_view separator,
                         const Translate &translate) {
    const auto n = [separator](double v) { return NumberText(v, separator); };
    return Fill(
        Tr(translate, TRANSLATABLE("Readouts", "%1 K, EF %2 / %3 / %4 eV, VEB %5 V, VCB %6 V")),
        {std::to_string(in.temperature), n(in.emitterFermi), n(in.baseFermi), n(in.collectorFermi),
         n(in.veb), n(in.vcb)});
}

std::vector<std::string> SummaryHeaders(const Translate &translate) {
    std::vector<std::string> out;
    for (const std::string_view h :
         {TRANSLATABLE("Readouts", "setting"), TRANSLATABLE("Readouts", "inputs"),
          TRANSLATABLE("Readouts", "whole readouts"), TRANSLATABLE("Readouts", "collector mean"),
          TRANSLATABLE("Readouts", "collector spread"), TRANSLATABLE("Readouts", "base mean"),
          TRANSLATABLE("Readouts", "base spread")})
        out.push_back(Tr(translate, h));
    return out;
}

std::vector<std::vector<std::string>> SummaryRows(const std::vector<SettingSummary> &settings,
                                                  std::string_view separator,
                                                  const Translate &translate) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const SettingSummary &s = settings[i];
        rows.push_back({std::to_string(i + 1), SettingLabel(s.inputs, separator, translate),
                        std::to_string(s.whole), MeanText(s.collector, separator),
                        SpreadText(s.collector, separator), MeanText(s.base, separator),
                        SpreadText(s.base, separator)});
    }
    return rows;
}

std::string LogNote(const ReadoutLog &log, const Translate &translate) {
    std::string note =
        Fill(Tr(translate,
                TRANSLATABLE("Readouts", "%1 readouts, one every 10 s. Only whole readouts (200 "
                                         "ticks of one setting, with no Start, Restart, pause or "
                                         "step among them) count in the means.")),
             {std::to_string(log.readouts().size())});
    if (log.dropped() > 0)
        note += ' ' + Fill(Tr(translate,
                              TRANSLATABLE("Readouts", "The oldest %1 readouts were dropped: the "
                                                       "log keeps the last %2.")),
                           {std::to_string(log.dropped()), std::to_string(ReadoutLog::kCapacity)});
    return note;
}

ChartScale NiceScale(double lo, double hi, int ticks) {
    if (!(hi > lo)) hi = lo + 1;
    const double rough = (hi - lo) / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= rough) {
            step = m * power;
            break;
        }
    return {std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
}

std::uint32_t ChartColor(ChartInk ink) {
    switch (ink) {
    case ChartInk::Axis:
        return 0x000000;
    case ChartInk::Grid:
        return 0xD0D0D0;
    case ChartInk::Change:
        return 0x707070;
    case ChartInk::Collector:
        return 0x0050C0;
    case ChartInk::Base:
        return 0xC04000;
    case ChartInk::Electrons:
        return 0x000000;
    case ChartInk::Holes:
        return 0x008060;
    }
    return 0;
}

namespace {

// The two panels of the chart, one above the other, sharing the time axis.
struct Panel {
    double top, bottom;
    ChartScale scale;
    double y(double v) const {
        return bottom - (v - scale.min) / (scale.max - scale.min) * (bottom - top);
    }
};
constexpr double kLeft = 60, kRight = 620;

} // namespace

ReadoutChart DrawReadoutChart(const ReadoutLog &log, std::string_view separator,
                              const Translate &translate) {
    ReadoutChart c;
    const auto &rs = log.readouts();
    // Time from the first readout kept (0 until one is dropped), at least a minute.
    const double t0 = rs.empty() ? 0 : std::max<Millis>(0, rs.front().sinceOpen - 10000) / 1000.0;
    const double t1 = rs.empty() ? 60 : std::max(t0 + 60, rs.back().sinceOpen / 1000.0);
    const ChartScale time = NiceScale(t0, t1, 8);
    double lo = 0, hi = 10;
    for (const Readout &r : rs) {
        lo = std::min({lo, double(r.collector), double(r.base)});
        hi = std::max({hi, double(r.collector), double(r.base)});
    }
    const Panel currents{30, 210, NiceScale(lo, hi, 5)};
    const Panel counts{250, 350, {0, 100, 25}};
    const auto x = [&](double t) {
        return kLeft + (t - time.min) / (time.max - time.min) * (kRight - kLeft);
    };
    const auto num = [separator](double v) { return NumberText(v, separator); };

    for (const Panel *p : {&currents, &counts}) {
        for (double v = p->scale.min; v <= p->scale.max + p->scale.step / 2; v += p->scale.step) {
            c.lines.push_back({ChartInk::Grid, false, {{kLeft, p->y(v)}, {kRight, p->y(v)}}});
            c.texts.push_back(
                {num(std::round(v * 1e6) / 1e6), kLeft - 6, p->y(v), 1, ChartInk::Axis});
        }
        for (double t = time.min; t <= time.max + time.step / 2; t += time.step)
            c.lines.push_back({ChartInk::Grid, false, {{x(t), p->top}, {x(t), p->bottom}}});
        c.lines.push_back(
            {ChartInk::Axis, false, {{kLeft, p->top}, {kLeft, p->bottom}, {kRight, p->bottom}}});
    }
    for (double t = time.min; t <= time.max + time.step / 2; t += time.step)
        c.texts.push_back(
            {num(std::round(t * 1e6) / 1e6), x(t), counts.bottom + 12, 0, ChartInk::Axis});
    c.texts.push_back(
        {Tr(translate, kHeaders[1]), (kLeft + kRight) / 2, counts.bottom + 34, 0, ChartInk::Axis});
    // The legends, above each panel.
    c.texts.push_back(
        {Tr(translate, kHeaders[3]), kLeft, currents.top - 14, -1, ChartInk::Collector});
    c.texts.push_back(
        {Tr(translate, kHeaders[4]), kLeft + 180, currents.top - 14, -1, ChartInk::Base});
    c.texts.push_back({Tr(translate, TRANSLATABLE("Readouts", "mean of a setting (dashed)")),
                       kRight, currents.top - 14, 1, ChartInk::Axis});
    c.texts.push_back(
        {Tr(translate, kHeaders[5]), kLeft, counts.top - 14, -1, ChartInk::Electrons});
    c.texts.push_back(
        {Tr(translate, kHeaders[6]), kLeft + 180, counts.top - 14, -1, ChartInk::Holes});

    // Each change of setting, numbered as in the summary, and its means.
    const std::vector<SettingSummary> settings = SummarizeSettings(log);
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const SettingSummary &s = settings[i];
        const double from = x(std::max(time.min, s.from / 1000.0)), to = x(s.to / 1000.0);
        c.lines.push_back({ChartInk::Change, true, {{from, currents.top}, {from, counts.bottom}}});
        c.texts.push_back(
            {std::to_string(i + 1), from + 4, currents.top + 8, -1, ChartInk::Change});
        if (s.collector)
            c.lines.push_back(
                {ChartInk::Collector,
                 true,
                 {{from, currents.y(s.collector->mean)}, {to, currents.y(s.collector->mean)}}});
        if (s.base)
            c.lines.push_back({ChartInk::Base,
                               true,
                               {{from, currents.y(s.base->mean)}, {to, currents.y(s.base->mean)}}});
    }
    ChartLine collector{ChartInk::Collector, false, {}}, base{ChartInk::Base, false, {}};
    ChartLine electrons{ChartInk::Electrons, false, {}}, holes{ChartInk::Holes, false, {}};
    for (const Readout &r : rs) {
        const double rx = x(r.sinceOpen / 1000.0);
        collector.points.push_back({rx, currents.y(r.collector)});
        base.points.push_back({rx, currents.y(r.base)});
        electrons.points.push_back({rx, counts.y(r.electrons)});
        holes.points.push_back({rx, counts.y(r.holes)});
    }
    for (ChartLine *l : {&collector, &base, &electrons, &holes})
        if (!l->points.empty()) c.lines.push_back(std::move(*l));
    return c;
}

std::string DescribeReadoutChart(const ReadoutLog &log, std::string_view separator,
                                 const Translate &translate) {
    const auto &rs = log.readouts();
    if (rs.empty())
        return Tr(translate,
                  TRANSLATABLE("Readouts", "No readouts yet: the currents are read every 10 s."));
    std::string out = Fill(
        Tr(translate,
           TRANSLATABLE("Readouts", "Chart of the collector and base readouts and of the electrons "
                                    "and holes against time, %1 s to %2 s.")),
        {Seconds(rs.front().sinceOpen, separator), Seconds(rs.back().sinceOpen, separator)});
    const std::vector<SettingSummary> settings = SummarizeSettings(log);
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const SettingSummary &s = settings[i];
        out += ' ';
        if (s.collector && s.base)
            out += Fill(Tr(translate,
                           TRANSLATABLE("Readouts", "Setting %1 (%2): collector mean %3, base mean "
                                                    "%4, from %5 whole readouts.")),
                        {std::to_string(i + 1), SettingLabel(s.inputs, separator, translate),
                         MeanText(s.collector, separator), MeanText(s.base, separator),
                         std::to_string(s.whole)});
        else
            out += Fill(
                Tr(translate, TRANSLATABLE("Readouts", "Setting %1 (%2): no whole readout yet.")),
                {std::to_string(i + 1), SettingLabel(s.inputs, separator, translate)});
    }
    return out;
}

} // namespace transistor
