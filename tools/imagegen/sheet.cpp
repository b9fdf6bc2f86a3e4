// A contact sheet to look at the pictures: each one at 1:1 and enlarged
// (pixels kept square), on white and on the grey of the bottom bar and tiles.
#include <QFileInfo>
#include <algorithm>
#include <vector>

#include "paint.h"
#include "pictures.h"

namespace imagegen {

QImage contactSheet(const QStringList& files, int zoom) {
  constexpr int kPad = 10;
  constexpr int kLabel = 210;
  const QColor grounds[] = {QColor(255, 255, 255), QColor(240, 240, 240)};

  std::vector<QImage> images;
  QStringList names;
  int width = 0;
  int height = kPad;
  for (const QString& file : files) {
    QImage image(file);
    if (image.isNull()) continue;
    const int row = kLabel + 2 * (image.width() + kPad) + 2 * (image.width() * zoom + kPad) + kPad;
    width = std::max(width, row);
    height += image.height() * zoom + 2 * kPad;
    images.push_back(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    names.push_back(QFileInfo(file).fileName());
  }

  QImage sheet(std::max(width, 1), height, QImage::Format_ARGB32_Premultiplied);
  sheet.fill(QColor(200, 204, 210));
  QPainter p(&sheet);
  p.setFont(uiFont(12, false));
  int y = kPad;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const QImage& image = images[i];
    const int rowHeight = image.height() * zoom + kPad;
    p.setPen(Qt::black);
    p.drawText(QRect(kPad, y, kLabel - kPad, rowHeight), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("%1\n%2 x %3")
                   .arg(names[static_cast<qsizetype>(i)])
                   .arg(image.width())
                   .arg(image.height()));
    int x = kLabel;
    for (const int scale : {1, zoom}) {
      const QImage shown = scale == 1 ? image
                                      : image.scaled(image.size() * scale, Qt::IgnoreAspectRatio,
                                                     Qt::FastTransformation);
      for (const QColor& ground : grounds) {
        p.fillRect(QRect(x, y, shown.width(), shown.height()), ground);
        p.drawImage(x, y, shown);
        x += shown.width() + kPad;
      }
    }
    y += rowHeight + kPad;
  }
  return sheet;
}

}  // namespace imagegen
