#include <QScreen>
#include <exception>
#include <memory>

#include "app/application.h"
#include "app/main_window.h"
#include "app/window_probe.h"

namespace {

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  window.move(available.center() - window.rect().center());
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<KeldarApplication> application;
  try {
    application = std::make_unique<KeldarApplication>(argc, argv);
    const auto probe = WindowProbe::FromEnvironment();
    // The window shows itself on the task bar; Qt does that for every top-level window.
    auto window = std::make_unique<MainWindow>();
    CentreOnScreen(*window);
    window->show();
    return application->exec();
  } catch (const std::exception& error) {
    if (application) KeldarApplication::ShowException(error.what());
  } catch (...) {
    if (application) KeldarApplication::ShowException("");
  }
  return 0;
}
