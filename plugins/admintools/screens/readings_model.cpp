#include "screens/readings_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "screens/reading_format.h"

namespace admintools {
namespace {

bool Records(DeviceKind kind, Quantity quantity) {
  const auto quantities = QuantitiesOf(kind);
  return std::find(quantities.begin(), quantities.end(), quantity) != quantities.end();
}

int CounterColumn(DeviceKind kind) {
  return ReadingsModel::kColumnFirstQuantity + static_cast<int>(CounterOf(kind));
}

}  // namespace

ReadingsModel::ReadingsModel(QObject* parent) : QAbstractTableModel(parent) {}

void ReadingsModel::SetTexts(Texts texts) {
  texts_ = std::move(texts);
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

bool ReadingsModel::Reset(PageReader reader) {
  beginResetModel();
  reader_ = std::move(reader);
  rows_.clear();
  total_ = 0;
  auto page = reader_(0, kPageSize);
  if (page) {
    rows_ = std::move(page->rows);
    total_ = page->total;
  }
  endResetModel();
  return page.has_value();
}

void ReadingsModel::Clear() {
  beginResetModel();
  reader_ = nullptr;
  rows_.clear();
  total_ = 0;
  endResetModel();
}

int ReadingsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ReadingsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

bool ReadingsModel::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && reader_ && static_cast<int64_t>(rows_.size()) < total_;
}

void ReadingsModel::fetchMore(const QModelIndex& parent) {
  if (!canFetchMore(parent)) return;
  auto page = reader_(static_cast<int64_t>(rows_.size()), kPageSize);
  if (!page || page->rows.empty()) {
    // The archive failed or shrank meanwhile: what is listed stays, no more is asked for.
    total_ = static_cast<int64_t>(rows_.size());
    return;
  }
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(page->rows.size()) - 1);
  std::move(page->rows.begin(), page->rows.end(), std::back_inserter(rows_));
  endInsertRows();
  total_ = page->total;
}

QString ReadingsModel::Text(const ArchiveRow& row, int column) const {
  const auto& [device, reading] = std::tie(row.device, row.reading);
  switch (column) {
    case kColumnReadTime:
      return format::ReadTime(reading.readTime);
    case kColumnDevice:
      return format::DeviceCaption(device);
    case kColumnKind:
      return texts_.kinds[static_cast<int>(device.kind)];
    case kColumnErrors:
      return format::ErrorFlags(reading.errorFlags);
    case kColumnMeterTime:
      return format::MeterTime(reading.meterTime);
    default:
      break;
  }
  const auto quantity = static_cast<Quantity>(column - kColumnFirstQuantity);
  // A quantity this kind never records stays blank, not a dash.
  if (!Records(device.kind, quantity)) return {};
  return format::Value(quantity, reading[quantity]);
}

QVariant ReadingsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const ArchiveRow& row = rows_[static_cast<std::size_t>(index.row())];
  const int column = index.column();
  const bool marked =
      row.backwards && (column == kColumnReadTime || column == CounterColumn(row.device.kind));
  switch (role) {
    case Qt::DisplayRole:
      return Text(row, column);
    case Qt::TextAlignmentRole: {
      const bool number = column >= kColumnFirstQuantity && column <= kColumnErrors;
      // A plain int: a Qt::Alignment would register its type from the plug-in.
      return static_cast<int>((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    case Qt::ToolTipRole:
      if (marked) return texts_.backwardsHint;
      if (column == kColumnDevice) return Text(row, column);
      return {};
    case Qt::DecorationRole:
      if (marked && column == kColumnReadTime) return texts_.backwardsIcon;
      return {};
    case Qt::ForegroundRole:
      if (marked) return QBrush(QColor(0xb0, 0x00, 0x18));
      return {};
    case Qt::BackgroundRole:
      if (marked) return QBrush(QColor(0xfd, 0xe8, 0xea));
      return {};
    case kKindRole:
      return static_cast<int>(row.device.kind);
    case kIdRole:
      return QVariant::fromValue<qlonglong>(row.reading.id);
    case kBackwardsRole:
      return marked;
    default:
      return {};
  }
}

QVariant ReadingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= texts_.captions.size())
    return QAbstractTableModel::headerData(section, orientation, role);
  if (role == Qt::DisplayRole) return texts_.captions[section];
  if (role == Qt::TextAlignmentRole) return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

}  // namespace admintools
