#include "screens/table_style.h"

#include <QHeaderView>
#include <QTableWidget>

#include "base/kit/table_style.h"

namespace admintools {
namespace {

constexpr int kRowHeight = 26;

}  // namespace

void SetUpTable(QTableView& table) {
  look::StyleListTable(table, kRowHeight);
  table.setTextElideMode(Qt::ElideRight);
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
