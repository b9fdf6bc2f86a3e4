#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

namespace imagegen {

// Bottom bar, 20 x 20 line icons.
QImage barMail();
QImage barDownload();
QImage barSettings();
QImage barAbout();

// Port list refresh arrow, 18 x 18, turned clockwise by `degrees`.
QImage refreshArrow(qreal degrees);

// Device-type tiles, 41 x 41.
QImage tileElectricity();
QImage tileGas();
QImage tileHeat();
QImage tileWaterHot();
QImage tileWaterCold();
QImage tileUnknown();

// Brand pictures: `accent` colours the emblem of an edition.
QImage logo(const QString& wordmark, const QColor& accent);       // 200 x 160
QImage logoSmall(const QString& wordmark, const QColor& accent);  // 70 x 70
QImage appIcon();                                                 // 128 x 128

// Connection screen.
QImage columnAdmin();    // 200 x 160
QImage columnArchive();  // 200 x 160
QImage separator();      // 2 x 580

// A GIF frame keeps only full or no cover: edges are blended onto `matte`
// (the colour the animation is shown on) and faint pixels are dropped.
QImage gifFrame(const QImage& image, const QColor& matte);

// Every picture of `files` at 1:1 and at `zoom`, on white and on the bar grey.
QImage contactSheet(const QStringList& files, int zoom);

}  // namespace imagegen
