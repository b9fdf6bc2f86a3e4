#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "store/reading_query.h"

namespace admintools {

// The archive screen's list: the rows a filter selects, newest first, read a
// page at a time as the view scrolls towards them, so a large archive opens
// as fast as a small one.
class ReadingsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Table columns: the read time, the device, its kind, one per quantity (in
  // the order of Quantity), the error flags and the meter's own time.
  enum Column {
    kColumnReadTime,
    kColumnDevice,
    kColumnKind,
    kColumnFirstQuantity,
    kColumnErrors = kColumnFirstQuantity + static_cast<int>(kQuantityCount),
    kColumnMeterTime,
    kColumnCount
  };
  static constexpr int kPageSize = 200;
  // Where a row keeps its reading (on every cell) and the backwards mark.
  static constexpr int kKindRole = Qt::UserRole;
  static constexpr int kIdRole = Qt::UserRole + 1;
  static constexpr int kBackwardsRole = Qt::UserRole + 2;

  // Reads `limit` rows from `offset`; nothing when the archive failed (the
  // reader has told the user why).
  using PageReader = std::function<std::optional<ReadingPage>(int64_t offset, int limit)>;

  struct Texts {
    QStringList captions;   // by column
    QString kinds[4];       // by DeviceKind
    QString backwardsHint;  // the tool tip of a reading that went back
    QIcon backwardsIcon;
  };

  explicit ReadingsModel(QObject* parent = nullptr);

  void SetTexts(Texts texts);
  // Starts over with the first page `reader` gives. False when it failed.
  bool Reset(PageReader reader);
  void Clear();
  // How many rows the filter selects, loaded or not.
  int64_t Total() const { return total_; }
  const ArchiveRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  QString Text(const ArchiveRow& row, int column) const;

  Texts texts_;
  PageReader reader_;
  std::vector<ArchiveRow> rows_;
  int64_t total_ = 0;
};

}  // namespace admintools
