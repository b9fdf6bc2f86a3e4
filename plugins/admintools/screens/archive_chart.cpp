#include "screens/archive_chart.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <limits>
#include <memory>

#include "screens/phrase_keys.h"

namespace admintools {
namespace {

constexpr int64_t kDay = 24 * 3600;

QColor Colour(const char* hex) { return QColor(QString::fromLatin1(hex)); }

qreal Ms(int64_t seconds) { return static_cast<qreal>(seconds) * 1000.0; }

QString TimeText(qreal ms) {
  return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ms))
      .toLocalTime()
      .toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

QString Tip(qreal ms, const QString& what, double value, const QString& unit, int decimals = 3) {
  return TimeText(ms) + QStringLiteral("\n") + what + QStringLiteral(": ") +
         QString::number(value, 'f', decimals) + QStringLiteral(" ") + unit;
}

// Shows `text` where the pointer is and keeps it as the view's tool tip.
void ShowTip(QChartView& view, const QString& text) {
  view.setToolTip(text);
  QToolTip::showText(QCursor::pos(), text, &view);
}

void HideTip(QChartView& view) {
  view.setToolTip(QString());
  QToolTip::hideText();
}

// A legend entry without its unit ("Энергия, кВт·ч" → "Энергия"): the axes
// carry the units and a narrow chart has no room for them twice.
QString LegendName(const QString& name) { return name.section(QStringLiteral(", "), 0, 0); }

template <typename Series>
Series* Add(QChart& chart, const char* objectName, const QString& name) {
  auto* series = new Series(&chart);
  series->setObjectName(QString::fromLatin1(objectName));
  series->setName(LegendName(name));
  chart.addSeries(series);
  return series;
}

QValueAxis* ValueAxis(QChart& chart, const char* objectName, const QString& title,
                      Qt::Alignment side, const QColor& colour) {
  auto* axis = new QValueAxis(&chart);
  axis->setObjectName(QString::fromLatin1(objectName));
  axis->setTitleText(title);
  axis->setTickCount(5);
  axis->setTruncateLabels(false);
  QFont font = axis->titleFont();
  font.setPointSizeF(font.pointSizeF() - 1);
  axis->setTitleFont(font);
  // Set, not inherited: the layout measures the labels in this font.
  axis->setLabelsFont(font);
  axis->setTitleBrush(colour);
  axis->setLabelsColor(colour);
  chart.addAxis(axis, side);
  return axis;
}

void Attach(QAbstractSeries& series, QAbstractAxis& x, QAbstractAxis& y) {
  series.attachAxis(&x);
  series.attachAxis(&y);
}

// Bounds a little wider than the values, so no point sits on the frame, and
// labels with no more decimals than the span needs.
void Fit(QValueAxis& axis, double low, double high, bool fromZero) {
  if (fromZero) low = std::min(low, 0.0);
  const double span = high - low;
  const double pad = span > 0 ? span * 0.08 : std::max(std::abs(high) * 0.01, 1.0);
  const double bottom = fromZero && low >= 0 ? 0.0 : low - pad;
  const double top = high + pad;
  axis.setRange(bottom, top);
  const double step = (top - bottom) / 4;
  axis.setLabelFormat(step >= 5     ? QStringLiteral("%.0f")
                      : step >= 0.5 ? QStringLiteral("%.1f")
                                    : QStringLiteral("%.2f"));
}

void FitPoints(QValueAxis& axis, const std::vector<TrendPoint>& a,
               const std::vector<TrendPoint>& b = {}) {
  double low = 0;
  double high = 0;
  bool any = false;
  for (const auto* points : {&a, &b}) {
    for (const TrendPoint& p : *points) {
      low = any ? std::min(low, p.value) : p.value;
      high = any ? std::max(high, p.value) : p.value;
      any = true;
    }
  }
  if (any) Fit(axis, low, high, false);
}

}  // namespace

void ShowTrend(QChartView& view, const ScreenTexts& texts, DeviceKind kind, const Trend& trend) {
  auto chart = std::make_unique<QChart>();
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->setBackgroundRoundness(0);
  chart->legend()->setAlignment(Qt::AlignBottom);
  QFont small = view.font();
  small.setPointSizeF(small.pointSizeF() - 1);
  chart->legend()->setFont(small);

  const bool heat = kind == DeviceKind::kHeat;
  const QString unit = heat ? QStringLiteral("кВт·ч") : QStringLiteral("м³");
  const QString counterName =
      heat ? texts.Text(keys::kArchiveEnergy, QStringLiteral("Энергия, кВт·ч"))
           : texts.Text(keys::kArchiveVolume, QStringLiteral("Объём, м³"));
  const QString usedName =
      heat ? texts.Text(keys::kArchiveChartUsedEnergy, QStringLiteral("Потребление, кВт·ч"))
           : texts.Text(keys::kArchiveChartUsedVolume, QStringLiteral("Потребление, м³"));
  const QColor counterColour = Colour("#1f5fa8");
  const QColor usedColour = Colour("#7a9cc6");
  const QColor backwardsColour = Colour("#d0021b");

  // The time axis: dates, with hours when the readings span a few days.
  auto* time = new QDateTimeAxis(chart.get());
  time->setObjectName(QStringLiteral("AxisTime"));
  time->setTitleText(texts.Text(keys::kArchiveReadTime, QStringLiteral("Дата чтения")));
  // Over every point drawn: a reading may carry temperatures but no counter.
  int64_t first = std::numeric_limits<int64_t>::max();
  int64_t last = std::numeric_limits<int64_t>::min();
  for (const auto* points : {&trend.counterPoints, &trend.supply, &trend.back}) {
    if (points->empty()) continue;
    first = std::min(first, points->front().time);
    last = std::max(last, points->back().time);
  }
  if (first > last) first = last = 0;  // nothing to draw: the screen hides the chart
  const int64_t span = last - first;
  time->setFormat(span < 3 * kDay ? QStringLiteral("dd.MM HH:mm") : QStringLiteral("dd.MM.yy"));
  // Three dates fit a chart half the screen wide without running together.
  time->setTickCount(3);
  time->setTruncateLabels(false);
  const int64_t pad = span > 0 ? std::max<int64_t>(span / 20, 60) : 3600;
  time->setRange(QDateTime::fromSecsSinceEpoch(first - pad),
                 QDateTime::fromSecsSinceEpoch(last + pad));
  chart->addAxis(time, Qt::AlignBottom);

  // Consumption first, so the counter line is drawn over its bars.
  // The chart gives each side's axes a share of its width by how many sit
  // there: the consumption's axis sits beside the counter's, untitled, so that
  // the counter's title is not pressed onto its labels, and says its unit in
  // the legend.
  auto* usedAxis = ValueAxis(*chart, "AxisConsumption", usedName, Qt::AlignLeft, usedColour);
  usedAxis->setTitleVisible(false);
  auto* used = new QAreaSeries(chart.get());
  used->setObjectName(QStringLiteral("SeriesConsumption"));
  used->setName(usedName);
  auto* steps = new QLineSeries(used);
  double most = 0;
  for (const TrendInterval& bar : trend.consumption) {
    // A bar fills its interval, a sliver short of either end so neighbours part.
    const qreal inset = Ms(bar.to - bar.from) * 0.04;
    steps->append(Ms(bar.from) + inset, 0);
    steps->append(Ms(bar.from) + inset, bar.amount);
    steps->append(Ms(bar.to) - inset, bar.amount);
    steps->append(Ms(bar.to) - inset, 0);
    most = std::max(most, bar.amount);
  }
  used->setUpperSeries(steps);
  QColor fill = usedColour;
  fill.setAlpha(110);
  used->setBrush(fill);
  used->setPen(QPen(usedColour, 1));
  chart->addSeries(used);
  Attach(*used, *time, *usedAxis);
  Fit(*usedAxis, 0, most, true);

  auto* counterAxis = ValueAxis(*chart, "AxisCounter", counterName, Qt::AlignLeft, counterColour);
  auto* counter = Add<QLineSeries>(*chart, "SeriesCounter", counterName);
  counter->setPen(QPen(counterColour, 2));
  counter->setPointsVisible(true);
  for (const TrendPoint& p : trend.counterPoints) counter->append(Ms(p.time), p.value);
  Attach(*counter, *time, *counterAxis);
  FitPoints(*counterAxis, trend.counterPoints);

  auto* backwards = Add<QScatterSeries>(
      *chart, "SeriesBackwards",
      texts.Text(keys::kArchiveChartBackwards, QStringLiteral("Меньше предыдущего")));
  backwards->setMarkerSize(13);
  backwards->setColor(backwardsColour);
  backwards->setBorderColor(Qt::white);
  for (const TrendPoint& p : trend.backwards) backwards->append(Ms(p.time), p.value);
  Attach(*backwards, *time, *counterAxis);
  // No legend entry for a mark nothing carries.
  if (trend.backwards.empty()) {
    for (auto* marker : chart->legend()->markers(backwards)) marker->setVisible(false);
  }

  if (heat) {
    const QColor temperatureColour = Colour("#b5651d");
    auto* temperatureAxis =
        ValueAxis(*chart, "AxisTemperature",
                  texts.Text(keys::kArchiveChartTemperature, QStringLiteral("Температура, °C")),
                  Qt::AlignRight, temperatureColour);
    auto* supply = Add<QLineSeries>(
        *chart, "SeriesSupplyTemperature",
        texts.Text(keys::kArchiveSupplyTemperature, QStringLiteral("T подачи, °C")));
    supply->setPen(QPen(Colour("#d9731a"), 1.5, Qt::DashLine));
    supply->setPointsVisible(true);
    auto* back = Add<QLineSeries>(
        *chart, "SeriesReturnTemperature",
        texts.Text(keys::kArchiveReturnTemperature, QStringLiteral("T обратки, °C")));
    back->setPen(QPen(Colour("#8c6d31"), 1.5, Qt::DotLine));
    back->setPointsVisible(true);
    for (const TrendPoint& p : trend.supply) supply->append(Ms(p.time), p.value);
    for (const TrendPoint& p : trend.back) back->append(Ms(p.time), p.value);
    Attach(*supply, *time, *temperatureAxis);
    Attach(*back, *time, *temperatureAxis);
    FitPoints(*temperatureAxis, trend.supply, trend.back);

    for (QLineSeries* series : {supply, back}) {
      const QString name = series->name();
      QObject::connect(series, &QLineSeries::hovered, &view,
                       [&view, name](const QPointF& point, bool state) {
                         if (!state) return HideTip(view);
                         ShowTip(view, Tip(point.x(), name, point.y(), QStringLiteral("°C"), 2));
                       });
    }
  }

  for (QXYSeries* series : {static_cast<QXYSeries*>(counter), static_cast<QXYSeries*>(backwards)}) {
    QObject::connect(series, &QXYSeries::hovered, &view,
                     [&view, counterName, unit](const QPointF& point, bool state) {
                       if (!state) return HideTip(view);
                       ShowTip(view, Tip(point.x(), counterName, point.y(), unit));
                     });
  }
  const auto intervals = trend.consumption;
  QObject::connect(
      used, &QAreaSeries::hovered, &view,
      [&view, intervals, usedName, unit](const QPointF& point, bool state) {
        if (!state) return HideTip(view);
        for (const TrendInterval& bar : intervals) {
          if (point.x() < Ms(bar.from) || point.x() > Ms(bar.to)) continue;
          ShowTip(view, TimeText(Ms(bar.from)) + QStringLiteral(" — ") + TimeText(Ms(bar.to)) +
                            QStringLiteral("\n") + usedName + QStringLiteral(": ") +
                            QString::number(bar.amount, 'f', 3) + QStringLiteral(" ") + unit);
          return;
        }
      });

  const std::unique_ptr<QChart> previous(view.chart());
  view.setChart(chart.release());
}

}  // namespace admintools
