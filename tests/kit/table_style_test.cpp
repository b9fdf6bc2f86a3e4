// The list tables' cells: aligned as asked, with the alignment kept as a
// plain int so no plug-in registers a Qt type that outlives it.
#include "base/kit/table_style.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTableWidget>
#include <memory>

namespace {

TEST(TableCell, KeepsItsAlignmentAsAPlainIntThatTheTableReadsBack) {
  const std::unique_ptr<QTableWidgetItem> cell(look::TableCell("12,5", Qt::AlignRight));
  EXPECT_EQ(cell->text(), "12,5");
  EXPECT_EQ(cell->data(Qt::TextAlignmentRole).metaType().id(), QMetaType::Int);
  EXPECT_EQ(cell->textAlignment(), static_cast<int>(Qt::AlignRight | Qt::AlignVCenter));

  look::AlignCell(*cell, Qt::AlignCenter);
  EXPECT_EQ(cell->data(Qt::TextAlignmentRole).metaType().id(), QMetaType::Int);
  EXPECT_EQ(cell->textAlignment(), static_cast<int>(Qt::AlignCenter));
}

TEST(ListTable, IsReadOnlyWithWholeRowsAndNoRowNumbers) {
  QTableWidget table(2, 3);
  look::StyleListTable(table, 24);
  EXPECT_EQ(table.editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(table.selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(table.selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_TRUE(table.verticalHeader()->isHidden());
  EXPECT_EQ(table.verticalHeader()->defaultSectionSize(), 24);
}

}  // namespace
