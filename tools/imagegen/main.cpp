// Draws every picture the program shows into a folder (images/ of the
// repository). make-images.sh builds this tool, runs it and makes the GIF.
//
//   keldar_imagegen <folder> [<gif-frame-folder>]
//   keldar_imagegen --sheet <out.png> <zoom> <picture>...
#include <QDir>
#include <QGuiApplication>
#include <QSize>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "paint.h"
#include "pictures.h"

namespace {

using namespace imagegen;

struct Picture {
  const char* file;
  QSize size;
  std::function<QImage()> draw;
};

// Each picture's file name and the size the screens lay it out at.
const Picture kPictures[] = {
    {"bar_mail_20.png", {20, 20}, barMail},
    {"bar_download_20.png", {20, 20}, barDownload},
    {"bar_settings_20.png", {20, 20}, barSettings},
    {"bar_about_20.png", {20, 20}, barAbout},
    {"KELDAR.png", {200, 160}, [] { return logo(QStringLiteral("KELDAR"), palette::kAccent); }},
    {"KELDAR_70_70.png",
     {70, 70},
     [] { return logoSmall(QStringLiteral("KELDAR"), palette::kAccent); }},
    {"quandrell.png",
     {200, 160},
     [] { return logo(QStringLiteral("quandrell"), palette::kLegacy); }},
    {"QUANDRELL_70_70.png",
     {70, 70},
     [] { return logoSmall(QStringLiteral("quandrell"), palette::kLegacy); }},
    {"column_admin.png", {200, 160}, columnAdmin},
    {"column_archive.png", {200, 160}, columnArchive},
    {"separator.png", {2, 580}, separator},
    {"refresh_18.png", {18, 18}, [] { return refreshArrow(0); }},
    {"electricity_41.png", {41, 41}, tileElectricity},
    {"gas_41.png", {41, 41}, tileGas},
    {"heat_41.png", {41, 41}, tileHeat},
    {"water_hot_41.png", {41, 41}, tileWaterHot},
    {"water_cold_41.png", {41, 41}, tileWaterCold},
    {"unknown_41.png", {41, 41}, tileUnknown},
    {"keldar_128.png", {128, 128}, appIcon},
};

constexpr int kRefreshFrames = 12;

bool save(const QImage& image, const QString& path, QSize expected) {
  if (image.size() != expected) {
    std::fprintf(stderr, "imagegen: %s is %dx%d, expected %dx%d\n", qPrintable(path), image.width(),
                 image.height(), expected.width(), expected.height());
    return false;
  }
  if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
    std::fprintf(stderr, "imagegen: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

int drawAll(const QString& folder, const QString& frameFolder) {
  if (!QDir().mkpath(folder)) return 1;
  bool ok = true;
  for (const Picture& picture : kPictures) {
    ok &= save(picture.draw(), QDir(folder).filePath(QString::fromLatin1(picture.file)),
               picture.size);
  }
  if (!frameFolder.isEmpty()) {
    if (!QDir().mkpath(frameFolder)) return 1;
    // The refresh arrow sits on a white column; GIF has no partial cover.
    for (int i = 0; i < kRefreshFrames; ++i) {
      const QImage frame = gifFrame(refreshArrow(360.0 * i / kRefreshFrames), Qt::white);
      ok &= save(
          frame,
          QDir(frameFolder).filePath(QStringLiteral("refresh_%1.png").arg(i, 2, 10, QChar('0'))),
          {18, 18});
    }
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application; no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);

  if (args.size() >= 4 && args[0] == QLatin1String("--sheet")) {
    const int zoom = std::max(1, args[2].toInt());
    return imagegen::contactSheet(args.mid(3), zoom).save(args[1]) ? 0 : 1;
  }
  if (args.size() == 1 || args.size() == 2) {
    return drawAll(args[0], args.value(1));
  }
  std::fprintf(stderr,
               "usage: keldar_imagegen <folder> [<gif-frame-folder>]\n"
               "       keldar_imagegen --sheet <out.png> <zoom> <picture>...\n");
  return 2;
}
