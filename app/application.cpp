#include "app/application.h"

#include <QFont>
#include <QLibraryInfo>
#include <exception>

#include "base/kit/message_box.h"

KeldarApplication::KeldarApplication(int& argc, char** argv) : QApplication(argc, argv) {
  UseLayoutFonts();
  UseQtTexts(qtTexts_, QLocale::system());
}

bool KeldarApplication::UseQtTexts(QTranslator& translator, const QLocale& locale) {
  if (!translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return false;
  }
  return QCoreApplication::installTranslator(&translator);
}

void KeldarApplication::UseLayoutFonts() {
  // The layouts are drawn for Tahoma; where it is missing, a face of similar
  // width keeps every caption inside its control.
  QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
}

bool KeldarApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error.what());
  } catch (...) {
    ShowException("");
  }
  return false;
}

void KeldarApplication::ShowException(const char* message) {
  platform::ShowMessageBox(nullptr, QString::fromUtf8(message), applicationDisplayName(),
                           platform::kMbIconError | platform::kMbTaskModal);
}
