#include "screens/table_style.h"

#include <QHeaderView>
#include <QTableWidget>

namespace admintools {

void SetUpTable(QTableWidget& table) {
  table.verticalHeader()->hide();
  table.verticalHeader()->setDefaultSectionSize(26);
  table.setSelectionBehavior(QAbstractItemView::SelectRows);
  table.setSelectionMode(QAbstractItemView::SingleSelection);
  table.setEditTriggers(QAbstractItemView::NoEditTriggers);
  table.setAlternatingRowColors(true);
  table.setShowGrid(false);
  table.setWordWrap(false);
  table.setTextElideMode(Qt::ElideRight);
  table.horizontalHeader()->setHighlightSections(false);
  table.horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table.horizontalHeader()->setStretchLastSection(true);
}

void SetHeaders(QTableWidget& table, const ScreenTexts& texts,
                std::initializer_list<const char*> keys) {
  int column = 0;
  for (const char* key : keys) {
    QTableWidgetItem* header = table.horizontalHeaderItem(column);
    if (header == nullptr) {
      header = new QTableWidgetItem();
      table.setHorizontalHeaderItem(column, header);
    }
    header->setText(texts.Text(key, header->text()));
    ++column;
  }
}

}  // namespace admintools
