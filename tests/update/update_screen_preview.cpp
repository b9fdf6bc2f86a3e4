// Shows the update screen as the window would, in the language given, with the
// gauge part way, for a look under a display (or Xvfb). Not run by CTest.
//   update_screen_preview [ru|en|uk] [width] [seconds]
#include <QApplication>
#include <QProgressBar>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/application.h"
#include "base/core/brand_profile.h"
#include "base/core/phrases_library.h"
#include "base/platform/library.h"
#include "online/screens/update_screen.h"
#include "widgets.h"

int main(int argc, char** argv) {
  KeldarApplication application(argc, argv);
  const char* language = argc > 1 ? argv[1] : "ru";
  const int width = argc > 2 ? std::atoi(argv[2]) : 895;
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 8;

  platform::SetPluginDirectory(KELDAR_BIN_DIR);
  PhrasesLibrary library;
  void* phrases = library.IsLoaded() ? library.CreatePhrases() : nullptr;
  const int id = std::strcmp(language, "en") == 0 ? 1 : std::strcmp(language, "uk") == 0 ? 3 : 2;
  if (phrases != nullptr) library.SelectLanguage(phrases, id);

  const BrandProfile brand(1);
  auto screen = std::make_unique<UpdateScreen>(nullptr, brand, Phrases(&library, phrases));
  screen->setWindowTitle(QStringLiteral("KELDAR v.0.14"));
  Child<QProgressBar>(*screen, "ProgressBar1").setRange(0, 100);
  Child<QProgressBar>(*screen, "ProgressBar1").setValue(42);
  screen->resize(width, 580);
  screen->move(0, 0);
  screen->show();
  QTimer::singleShot(seconds * 1000, &application, &QApplication::quit);
  const int result = application.exec();
  screen.reset();
  if (phrases != nullptr) library.DeletePhrases(phrases);
  return result;
}
