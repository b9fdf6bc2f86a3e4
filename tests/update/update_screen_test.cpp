// The update screen: layout and centring, phrases, the stop and its message,
// failures told to the user, the gauge on the window's thread, and the worker
// stopped and joined when the screen goes away.
#include "online/screens/update_screen.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include "base/core/brand_profile.h"
#include "base/core/phrases_library.h"
#include "base/kit/message_box.h"
#include "base/platform/library.h"
#include "online/update_worker.h"
#include "update_support.h"
#include "widgets.h"

using devserver::Fault;
using devserver::FaultKind;

namespace {

// The language library of `folder` with `language` selected.
class Language {
 public:
  Language(const std::filesystem::path& folder, int language) {
    platform::SetPluginDirectory(folder);
    library_ = std::make_unique<PhrasesLibrary>();
    phrases_ = library_->IsLoaded() ? library_->CreatePhrases() : nullptr;
    if (phrases_ != nullptr) library_->SelectLanguage(phrases_, language);
  }
  ~Language() {
    if (phrases_ != nullptr) library_->DeletePhrases(phrases_);
    library_.reset();
    platform::SetPluginDirectory({});
  }
  Language(const Language&) = delete;
  Language& operator=(const Language&) = delete;
  Phrases Source() const {
    return phrases_ != nullptr ? Phrases(library_.get(), phrases_) : Phrases();
  }

 private:
  std::unique_ptr<PhrasesLibrary> library_;
  void* phrases_ = nullptr;
};

class UpdateScreenTest : public ::testing::Test {
 protected:
  std::unique_ptr<UpdateScreen> Screen(Phrases phrases = {}) {
    auto screen = std::make_unique<UpdateScreen>(nullptr, brand_, phrases);
    screen->resize(895, 580);
    screen->SetEnvironment(TestEnvironment(server_, handOver_, {}, &gate_));
    return screen;
  }
  // Starts an update that is held after its first progress step (5000), before
  // its first chunk, until it is stopped.
  bool StartHeldUpdate(UpdateScreen& screen) {
    // A stopped run still finishing its chunk must not take the new run's hold.
    if (screen.Worker() != nullptr && !WaitFor([&] { return screen.Worker()->RunEnded(); }))
      return false;
    gate_.Arm();
    screen.StartUpdate(kClientId, kFinger, kNewVersion);
    gate_.OpenOnStop(screen.Worker()->StopToken());
    return WaitFor([&] { return gate_.Holding() && screen.Worker()->ProgressStep() == 5000; });
  }
  // The run has ended and all it handed over has reached the screen.
  static bool RunEnds(const UpdateScreen& screen) {
    if (!QTest::qWaitFor([&] { return screen.Worker()->RunEnded(); }, 20000)) return false;
    QCoreApplication::sendPostedEvents();
    return true;
  }

  const BrandProfile brand_{1};
  ScopedWorkingDirectory folder_;
  HandOver handOver_;
  ChunkGate gate_;
  ReleaseServer server_{
      {{3001, "", "keldar", Pattern(12000, 1)}, {3002, "doc", "notes.txt", Pattern(4000, 2)}}};
  platform::MessageBoxRecorder boxes_;
};

TEST_F(UpdateScreenTest, TheDesignedLookAndTheCentringAt1000Pixels) {
  auto screen = Screen();
  screen->show();
  QWidget& view = *screen;
  EXPECT_EQ(Child<QLabel>(view, "Label1").geometry(), QRect(357, 88, 181, 39))
      << "centred at the design width";
  EXPECT_LE(QFontMetrics(Child<QLabel>(view, "Label1").font())
                .horizontalAdvance(Child<QLabel>(view, "Label1").text()),
            181)
      << "the heading is never clipped, whatever face stands in for Tahoma";
  EXPECT_EQ(Child<QProgressBar>(view, "ProgressBar1").geometry().size(), QSize(785, 17));
  EXPECT_FALSE(Child<QProgressBar>(view, "ProgressBar1").isTextVisible());
  EXPECT_EQ(Child<QLabel>(view, "Panel1").size(), QSize(120, 25));
  EXPECT_EQ(Child<QLabel>(view, "Panel1").font().pixelSize(), 11);
  EXPECT_EQ(Child<QLabel>(view, "Panel1").cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(Child<QLabel>(view, "Panel1").palette().color(QPalette::Window), Qt::black);
  EXPECT_EQ(Child<QFrame>(view, "Background").palette().color(QPalette::Window), Qt::white);
  EXPECT_EQ(Child<QFrame>(view, "Background").geometry(), screen->rect());

  screen->resize(1000, 700);
  EXPECT_EQ(Child<QLabel>(view, "Panel1").pos(), QPoint(440, 368));
  EXPECT_EQ(Child<QProgressBar>(view, "ProgressBar1").pos(), QPoint(108, 328));
  EXPECT_EQ(Child<QLabel>(view, "Label1").pos(), QPoint(410, 88));
  screen->resize(999, 700);  // each half rounds toward zero
  EXPECT_EQ(Child<QLabel>(view, "Panel1").x(), 439);
  EXPECT_EQ(Child<QProgressBar>(view, "ProgressBar1").x(), 107);
  EXPECT_EQ(Child<QLabel>(view, "Label1").x(), 409);
}

TEST_F(UpdateScreenTest, TextsComeFromPhrasesOfTwoCharactersOrMore) {
  EXPECT_EQ(Child<QLabel>(*Screen(), "Label1").text(), "Обновление");
  {
    Language english(KELDAR_BIN_DIR, 1);
    auto screen = Screen(english.Source());
    EXPECT_EQ(Child<QLabel>(*screen, "Label1").text(), "Updating");
    EXPECT_EQ(Child<QLabel>(*screen, "Label1").font().pixelSize(), 32);
    EXPECT_EQ(Child<QLabel>(*screen, "Panel1").text(), "Abort");
  }
  Language oneCharacter(KELDAR_SHORT_PHRASES_DIR, 1);
  auto screen = Screen(oneCharacter.Source());
  EXPECT_EQ(Child<QLabel>(*screen, "Label1").text(), "Обновление");
  EXPECT_EQ(Child<QLabel>(*screen, "Panel1").text(), "Прервать");
  for (int language : {1, 2, 3}) {
    Language store(KELDAR_BIN_DIR, language);
    for (const char* key :
         {"FRAME_PROGRAM_UPDATE_UPDATE_INTERRUPTED", "FRAME_PROGRAM_UPDATE_UPDATE_FAILED",
          "FRAME_PROGRAM_UPDATE_FOLDER_NOT_WRITABLE", "FRAME_PROGRAM_UPDATE_NOT_STARTED",
          "FRAME_PROGRAM_UPDATE_DOWNLOAD_FAILED", "FRAME_PROGRAM_UPDATE_REFUSED_PARENT_LEVEL",
          "FRAME_PROGRAM_UPDATE_REFUSED_ABSOLUTE_PATH",
          "FRAME_PROGRAM_UPDATE_REFUSED_SCRIPT_CHARACTERS",
          "FRAME_PROGRAM_UPDATE_REFUSED_INSTALLER_NAME", "FRAME_PROGRAM_UPDATE_REFUSED_RECORD"})
      EXPECT_TRUE(store.Source().Has(key)) << key << " in language " << language;
  }
}

TEST_F(UpdateScreenTest, ClickingPanel1DuringADownloadStopsItAfterTheCurrentChunk) {
  WriteFile("keldar", "old program");
  auto screen = Screen();
  ASSERT_TRUE(StartHeldUpdate(*screen));
  EXPECT_TRUE(screen->isVisible());
  EXPECT_EQ(Child<QProgressBar>(*screen, "ProgressBar1").maximum(), 16000);
  QTest::mouseClick(&Child<QLabel>(*screen, "Panel1"), Qt::LeftButton);

  EXPECT_FALSE(screen->isVisible());
  ASSERT_EQ(boxes_.calls.size(), 1u);
  EXPECT_EQ(boxes_.calls[0].text, "Обновление прервано.");
  EXPECT_EQ(boxes_.calls[0].caption, "");
  EXPECT_EQ(boxes_.calls[0].flags, 0x2010u);
  EXPECT_EQ(boxes_.calls[0].owner, screen.get()) << "the built-in text belongs to the screen";
  ASSERT_TRUE(RunEnds(*screen));
  EXPECT_EQ(server_.ChunkRequests(), std::vector<std::string>({"3001 1 5000"}));
  EXPECT_EQ(ReadFile("keldar"), "old program");
  EXPECT_EQ(handOver_.launches + handOver_.exits, 0) << "nothing installed, the program goes on";
  QTest::qWait(50);
  QTest::mouseClick(&Child<QLabel>(*screen, "Panel1"), Qt::LeftButton);
  EXPECT_EQ(boxes_.calls.size(), 1u) << "neither the ended run nor a second click adds a message";
}

TEST_F(UpdateScreenTest, TheInterruptionPhraseIsShownWithoutOwner) {
  Language english(KELDAR_BIN_DIR, 1);
  auto screen = Screen(english.Source());
  screen->Panel1Click();
  EXPECT_TRUE(boxes_.calls.empty()) << "no update yet: the click only hides";
  ASSERT_TRUE(StartHeldUpdate(*screen));
  screen->Panel1Click();
  ASSERT_EQ(boxes_.calls.size(), 1u);
  EXPECT_EQ(boxes_.calls[0].text, "The update was interrupted.");
  EXPECT_EQ(boxes_.calls[0].flags, 0x2010u);
  EXPECT_EQ(boxes_.calls[0].owner, nullptr);
  ASSERT_TRUE(RunEnds(*screen));
}

TEST_F(UpdateScreenTest, AFinishedRunFillsTheGaugeAndALaterClickOnlyHides) {
  auto screen = Screen();
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  ASSERT_TRUE(RunEnds(*screen));
  EXPECT_EQ(screen->Worker()->Result().outcome, UpdateOutcome::kHandedOver);
  EXPECT_EQ(Child<QProgressBar>(*screen, "ProgressBar1").value(), 16000);
  screen->show();
  screen->Panel1Click();
  EXPECT_FALSE(screen->isVisible());
  EXPECT_TRUE(boxes_.calls.empty());
}

TEST_F(UpdateScreenTest, ADamagedDownloadOrAnUnwritableFolderIsToldToTheUser) {
  server_.Server().SetFaults({Fault{FaultKind::kCorruptChunk, "fetch_file", 1, {}}});
  auto screen = Screen();
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes_.calls.empty(); }, 20000));
  EXPECT_FALSE(screen->isVisible());
  EXPECT_EQ(boxes_.calls[0].text,
            "Не удалось обновить программу. Файлы программы не изменены.\nkeldar");
  EXPECT_EQ(boxes_.calls[0].caption, "Ошибка");
  EXPECT_EQ(boxes_.calls[0].flags, 0x2010u);
  EXPECT_FALSE(std::filesystem::exists("keldar_u"));
  EXPECT_EQ(handOver_.launches, 0);

  Language english(KELDAR_BIN_DIR, 1);
  std::filesystem::remove_all("doc");  // made by the first run
  WriteFile("doc", "a file where the folder should be");
  auto other = Screen(english.Source());
  other->StartUpdate(kClientId, kFinger, kNewVersion);
  ASSERT_TRUE(QTest::qWaitFor([&] { return boxes_.calls.size() == 2; }, 20000));
  EXPECT_EQ(boxes_.calls[1].text,
            "The update was not started: the program folder cannot be written.\n" +
                QString::fromStdString((folder_.Path() / "doc").string()));
  EXPECT_EQ(boxes_.calls[1].owner, nullptr);
}

// A server that misbehaves once the update has begun: the user is told what
// went wrong, nothing is installed and the program goes on.
TEST_F(UpdateScreenTest, AFailingServerOrAnUnsafeListIsToldWithItsReason) {
  WriteFile("keldar", "old program");
  const std::vector<std::pair<Fault, QString>> cases = {
      {Fault{FaultKind::kNotFound, "get_project_pack", -1, {}},
       "Обновление не начато: не удалось получить список файлов с сервера. Программа продолжает "
       "работу."},
      {Fault{FaultKind::kNotJson, "fetch_file", -1, {}},
       "Не удалось загрузить обновление: сервер не передал файл. Файлы программы не "
       "изменены.\nkeldar"},
      {Fault{FaultKind::kUnsafeRecord, "get_project_pack", -1, "../keldar"},
       "Обновление отклонено: путь файла содержит «..» и ведёт за пределы папки программы. Файлы "
       "программы не изменены.\n../keldar"},
      {Fault{FaultKind::kUnsafeRecord, "get_project_pack", -1, "/etc/passwd"},
       "Обновление отклонено: путь файла абсолютный, а не внутри папки программы. Файлы "
       "программы не изменены.\n/etc/passwd"},
      {Fault{FaultKind::kUnsafeRecord, "get_project_pack", -1, "x$(reboot)"},
       "Обновление отклонено: имя файла содержит кавычки, $, ` или другие знаки, опасные для "
       "сценария установки. Файлы программы не изменены.\nx$(reboot)"},
      {Fault{FaultKind::kUnsafeRecord, "get_project_pack", -1, "update.sh"},
       "Обновление отклонено: файл носит имя сценария установки. Файлы программы не "
       "изменены.\nupdate.sh"},
  };
  for (const auto& [fault, text] : cases) {
    server_.Server().SetFaults({fault});
    auto screen = Screen();
    const std::size_t before = boxes_.calls.size();
    screen->StartUpdate(kClientId, kFinger, kNewVersion);
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes_.calls.size() > before; }, 20000))
        << text.toStdString();
    EXPECT_EQ(boxes_.calls.back().text, text);
    EXPECT_EQ(boxes_.calls.back().flags, 0x2010u);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_FALSE(std::filesystem::exists("update.sh"));
    EXPECT_FALSE(std::filesystem::exists("keldar_u"));
  }
  EXPECT_EQ(ReadFile("keldar"), "old program");
  EXPECT_EQ(handOver_.launches + handOver_.exits, 0) << "nothing installed, the program goes on";

  Language english(KELDAR_BIN_DIR, 1);
  server_.Server().SetFaults({Fault{FaultKind::kNotFound, "get_project_pack", -1, {}}});
  auto screen = Screen(english.Source());
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  ASSERT_TRUE(QTest::qWaitFor([&] { return boxes_.calls.size() == cases.size() + 1; }, 20000));
  EXPECT_EQ(boxes_.calls.back().text,
            "The update could not start: the file list could not be fetched from the server. The "
            "program goes on.");
  EXPECT_EQ(boxes_.calls.back().owner, nullptr);
}

TEST_F(UpdateScreenTest, OneUpdateAtATimeAndAStoppedRunNoLongerCounts) {
  auto screen = Screen();
  ASSERT_TRUE(StartHeldUpdate(*screen));
  const UpdateWorker* first = screen->Worker();
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  EXPECT_EQ(screen->Worker(), first) << "a running update is only brought to the front";

  // Each run is stopped while its first progress step waits, unseen, in this thread's queue.
  screen->Panel1Click();
  ASSERT_TRUE(StartHeldUpdate(*screen));
  EXPECT_EQ(Child<QProgressBar>(*screen, "ProgressBar1").value(), 0);
  screen->Panel1Click();
  ASSERT_TRUE(RunEnds(*screen));
  QTest::qWait(50);
  EXPECT_EQ(Child<QProgressBar>(*screen, "ProgressBar1").value(), 5000)
      << "only the second run's step counts";
}

TEST_F(UpdateScreenTest, DestroyingTheScreenStopsAndJoinsItsWorker) {
  WriteFile("keldar", "old program");
  auto screen = Screen();
  ASSERT_TRUE(StartHeldUpdate(*screen));
  QElapsedTimer elapsed;
  elapsed.start();
  screen.reset();  // the worker is held mid-run
  EXPECT_LT(elapsed.elapsed(), 5000);
  QTest::qWait(50);  // a progress call queued for the screen goes with it
  EXPECT_EQ(ReadFile("keldar"), "old program");
  EXPECT_EQ(handOver_.launches + handOver_.exits, 0);
}

TEST_F(UpdateScreenTest, TheWorkersProgressCallsRunOnTheContextsThread) {
  QObject context;
  std::vector<QThread*> threads;
  std::int64_t total = 0;
  UpdateWorker worker(TestEnvironment(server_, handOver_), kClientId, kFinger, kNewVersion,
                      &context, [&](std::int32_t step) {
                        threads.push_back(QThread::currentThread());
                        total += step;
                      });
  EXPECT_EQ(worker.GaugeMaximum(), 16000) << "sized on construction, before the run";
  worker.Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return worker.RunEnded(); }, 20000));
  QTest::qWait(50);  // the last steps handed over
  ASSERT_FALSE(threads.empty());
  for (QThread* thread : threads) EXPECT_EQ(thread, QThread::currentThread());
  EXPECT_EQ(total, 16000);
}

}  // namespace
