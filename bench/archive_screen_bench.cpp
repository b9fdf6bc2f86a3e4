// How fast the archive screen itself answers on a large archive: the screen as
// the program shows it (Qt's offscreen platform unless a display is chosen),
// each step timed from the user's action until the screen has painted it, on
// an archive of 1,000 meters and 200,000 readings (written by the generator
// first unless a file is given).
//
//   open the screen             under 200 ms (devices, subscribers, first page)
//   change a filter             under 200 ms (kind, subscriber, period)
//   draw a meter's chart        under 200 ms (its readings listed and charted)
//   scroll to the next page     no target (a page is read as it comes on screen)
//
// Each step runs several times; the slowest and the median are printed.
//
// usage: keldar-archive-screen-bench [ARCHIVE] [--rounds N]
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive_generator.h"
#include "screens/archive_screen.h"

namespace {

namespace fs = std::filesystem;
using admintools::ArchiveScreen;

template <typename Widget>
Widget& Child(QWidget& screen, const char* name) {
  auto* child = screen.findChild<Widget*>(QString::fromLatin1(name));
  if (child == nullptr) {
    std::fprintf(stderr, "keldar-archive-screen-bench: the screen has no %s\n", name);
    std::exit(1);
  }
  return *child;
}

// Lets the screen finish what the action queued and paints it now, so that a
// step is timed until the user would see its result.
void Settle(QWidget& screen) {
  QApplication::processEvents();
  screen.repaint();
  QApplication::processEvents();
}

struct Timing {
  double median = 0;
  double slowest = 0;
};

// Runs `step` `rounds` times, each timed with the settling of `screen` that
// follows it.
Timing Time(const std::function<QWidget&()>& screen, int rounds,
            const std::function<void(int round)>& step) {
  std::vector<double> ms;
  for (int round = 0; round < rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    step(round);
    Settle(screen());
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.back()};
}

void Print(const char* what, double targetMs, Timing timing, const QString& said) {
  if (targetMs > 0) {
    std::printf("%-30s median %7.1f ms  slowest %7.1f ms  (target %3.0f ms) %-4s %s\n", what,
                timing.median, timing.slowest, targetMs, timing.slowest <= targetMs ? "ok" : "SLOW",
                said.toUtf8().constData());
  } else {
    std::printf("%-30s median %7.1f ms  slowest %7.1f ms  %s\n", what, timing.median,
                timing.slowest, said.toUtf8().constData());
  }
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::string given;
  int rounds = 5;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else if (argv[i][0] != '-' && given.empty()) {
      given = argv[i];
    } else {
      std::fprintf(stderr, "usage: keldar-archive-screen-bench [ARCHIVE] [--rounds N]\n");
      return 2;
    }
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);

  const fs::path folder = fs::temp_directory_path() / "keldar-archive-screen-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path file = folder / "archive.db";
  if (!given.empty()) {
    fs::copy_file(given, file);
  } else {
    const auto start = std::chrono::steady_clock::now();
    const archivegen::Made made = archivegen::Generate(file.string(), archivegen::Plan{});
    std::printf("generated %d meters, %lld readings in %.1f s\n", made.meters,
                static_cast<long long>(made.readings),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }

  uint8_t closeFlag = 0;
  std::unique_ptr<ArchiveScreen> screen;
  const auto status = [&screen] { return Child<QLabel>(*screen, "LabelStatus").text(); };
  const auto shown = [&screen]() -> QWidget& { return *screen; };

  // Opening: a new screen each round in a window already shown, as the
  // program makes one in its main window each time.
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  window.resize(1280, 800);
  window.show();
  Settle(window);
  const Timing open = Time(shown, rounds, [&](int) {
    screen.reset();
    screen = std::make_unique<ArchiveScreen>(&closeFlag, admintools::ScreenTexts{}, file.string(),
                                             &window);
    layout->addWidget(screen.get());
    screen->show();
  });
  Print("open the screen", 200, open, status());

  auto& kinds = Child<QComboBox>(*screen, "ComboBoxDeviceKind");
  auto& devices = Child<QComboBox>(*screen, "ComboBoxDevice");
  auto& subscribers = Child<QComboBox>(*screen, "ComboBoxSubscriber");
  auto& from = Child<QCheckBox>(*screen, "CheckBoxFrom");
  auto& fromDate = Child<QDateEdit>(*screen, "DateEditFrom");
  auto& table = Child<QTableView>(*screen, "TableReadings");

  // Each kind in turn, then all of them again.
  const Timing kind =
      Time(shown, rounds, [&](int round) { kinds.setCurrentIndex((round + 1) % kinds.count()); });
  Print("filter: kind of meter", 200, kind, status());
  kinds.setCurrentIndex(0);
  Settle(*screen);

  const Timing subscriber = Time(shown, rounds, [&](int round) {
    subscribers.setCurrentIndex(round % 2 == 0 ? 1 + round : 0);
  });
  Print("filter: subscriber", 200, subscriber, status());
  subscribers.setCurrentIndex(0);
  Settle(*screen);

  // One year of the five the archive holds, then none.
  fromDate.setDate(QDate(2024, 1, 1));
  const Timing period = Time(shown, rounds, [&](int round) { from.setChecked(round % 2 == 0); });
  Print("filter: period from 2024", 200, period, status());
  from.setChecked(false);
  Settle(*screen);

  // A different meter each round: its readings listed and charted.
  const Timing chart = Time(shown, rounds, [&](int round) {
    devices.setCurrentIndex(1 + (round * 97) % (devices.count() - 1));
  });
  Print("draw a meter's chart", 200, chart,
        status() + QStringLiteral(" (") + devices.currentText() + QStringLiteral(")"));
  devices.setCurrentIndex(0);
  Settle(*screen);

  // The list reads a page as it comes on screen: each round scrolls to the
  // end of what is listed, which reads the next page.
  auto& bar = *table.verticalScrollBar();
  const Timing scroll =
      Time(shown, std::max(rounds, 20), [&](int) { bar.setValue(bar.maximum()); });
  Print("scroll: the next page", 0, scroll,
        QString::number(table.model()->rowCount()) + QStringLiteral(" rows listed"));

  screen.reset();
  fs::remove_all(folder);
  return 0;
}
