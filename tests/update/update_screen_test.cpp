// The update screen: layout and centring, phrases, the stop with its message,
// failures told to the user, the gauge on the window's thread, and the worker
// stopped and joined when the screen goes away.
#include "online/update_screen.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include "app/brand_profile.h"
#include "config/language_library.h"
#include "online/update_worker.h"
#include "platform/library.h"
#include "platform/message_box.h"
#include "ui_TProgramUpdate.h"
#include "update_support.h"

namespace fs = std::filesystem;
using devserver::Fault;
using devserver::FaultKind;

namespace {

const QString kInterrupted = QStringLiteral("Обновление прервано.");

// A language library from `folder` with `language` selected, for the test's life.
class LanguageSession {
 public:
  LanguageSession(const fs::path& folder, int language) {
    platform::SetPluginDirectory(folder);
    library_ = std::make_unique<CLanguageLibrary>();
    if (library_->IsLoaded()) {
      phrases_ = library_->CreatePhrases();
      library_->SelectLanguage(phrases_, language);
    }
  }
  ~LanguageSession() {
    if (library_->IsLoaded()) library_->DeletePhrases(phrases_);
    library_.reset();
    platform::SetPluginDirectory({});
  }
  LanguageSession(const LanguageSession&) = delete;
  LanguageSession& operator=(const LanguageSession&) = delete;
  bool Loaded() const { return library_->IsLoaded(); }
  Phrases Source() const { return Phrases(library_.get(), phrases_); }

 private:
  std::unique_ptr<CLanguageLibrary> library_;
  void* phrases_ = nullptr;
};

class UpdateScreenTest : public ::testing::Test {
 protected:
  std::unique_ptr<TProgramUpdate> MakeScreen(Phrases phrases = {}) {
    auto screen = std::make_unique<TProgramUpdate>(nullptr, brand_, phrases);
    screen->resize(895, 580);
    return screen;
  }
  // A screen talking to `server` whose worker hands over to handOver_.
  std::unique_ptr<TProgramUpdate> ScreenFor(ReleaseServer& server, Phrases phrases = {}) {
    auto screen = MakeScreen(phrases);
    UpdateEnvironment environment = TestEnvironment(server, handOver_);
    environment.ticks = SteppingClock(std::chrono::milliseconds(0));
    screen->SetEnvironment(std::move(environment));
    return screen;
  }
  static bool WaitForRunEnd(TProgramUpdate& screen) {
    return QTest::qWaitFor(
        [&] { return screen.Worker() != nullptr && screen.Worker()->isFinished(); }, 20000);
  }

  const BrandProfile brand_{1};
  TemporaryFolder folder_;
  ScopedWorkingDirectory cwd_{folder_.Path()};
  HandOver handOver_;
};

std::vector<ReleaseEntry> TwoFiles() {
  return {{3001, "", "keldar", Pattern(12000, 1)}, {3002, "doc", "notes.txt", Pattern(4000, 2)}};
}

TEST_F(UpdateScreenTest, TheDesignedLayoutAndLook) {
  auto screen = MakeScreen();
  screen->show();
  auto& ui = screen->Controls();
  EXPECT_EQ(ui.Label1->geometry().top(), 88);
  EXPECT_EQ(ui.Label1->size(), QSize(181, 39));
  EXPECT_EQ(ui.Label1->font().family(), "Tahoma");
  EXPECT_LE(ui.Label1->font().pixelSize(), 32);
  EXPECT_LE(QFontMetrics(ui.Label1->font()).horizontalAdvance(ui.Label1->text()),
            ui.Label1->width())
      << "the heading is never clipped, whatever face stands in for Tahoma";
  EXPECT_EQ(ui.ProgressBar1->geometry().top(), 328);
  EXPECT_EQ(ui.ProgressBar1->size(), QSize(785, 17));
  EXPECT_FALSE(ui.ProgressBar1->isTextVisible());
  EXPECT_EQ(ui.ProgressBar1->value(), 0);
  EXPECT_EQ(ui.Panel1->geometry().top(), 368);
  EXPECT_EQ(ui.Panel1->size(), QSize(120, 25));
  EXPECT_EQ(ui.Panel1->font().pixelSize(), 11);
  EXPECT_EQ(ui.Panel1->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(ui.Panel1->palette().color(QPalette::Window), QColor(0, 0, 0));
  EXPECT_EQ(ui.Panel1->palette().color(QPalette::WindowText), QColor(255, 255, 255));
  EXPECT_EQ(ui.Background->palette().color(QPalette::Window), QColor(255, 255, 255));
  EXPECT_EQ(ui.Background->geometry(), screen->rect()) << "the background fills the screen";
}

TEST_F(UpdateScreenTest, ResizingTo1000PixelsCentresTheThreeControls) {
  auto screen = MakeScreen();
  screen->show();
  screen->resize(1000, 700);
  auto& ui = screen->Controls();
  EXPECT_EQ(ui.Panel1->x(), 440);
  EXPECT_EQ(ui.ProgressBar1->x(), 108);
  EXPECT_EQ(ui.Label1->x(), 410);
  EXPECT_EQ(ui.Panel1->y(), 368) << "tops stay as designed";
  // Each half is taken on its own, rounding toward zero.
  screen->resize(999, 700);
  EXPECT_EQ(ui.Panel1->x(), 439);
  EXPECT_EQ(ui.ProgressBar1->x(), 107);
  EXPECT_EQ(ui.Label1->x(), 409);
}

TEST_F(UpdateScreenTest, WithoutPhrasesTheTextsAreRussian) {
  auto screen = MakeScreen();
  EXPECT_EQ(screen->Controls().Label1->text(), "Обновление");
  EXPECT_EQ(screen->Controls().Panel1->text(), "Прервать");
}

TEST_F(UpdateScreenTest, PhrasesOfTheLanguageLibraryReplaceTheTexts) {
  LanguageSession english(KELDAR_BIN_DIR, 1);
  ASSERT_TRUE(english.Loaded());
  auto screen = MakeScreen(english.Source());
  EXPECT_EQ(screen->Controls().Label1->text(), "Updating");
  EXPECT_EQ(screen->Controls().Label1->font().pixelSize(), 32) << "a short heading keeps 32 px";
  EXPECT_EQ(screen->Controls().Panel1->text(), "Abort");
}

TEST_F(UpdateScreenTest, PhrasesOfOneCharacterKeepTheBuiltInTexts) {
  LanguageSession shortPhrases(KELDAR_SHORT_PHRASES_DIR, 1);
  ASSERT_TRUE(shortPhrases.Loaded());
  auto screen = MakeScreen(shortPhrases.Source());
  EXPECT_EQ(screen->Controls().Label1->text(), "Обновление");
  EXPECT_EQ(screen->Controls().Panel1->text(), "Прервать");
}

TEST_F(UpdateScreenTest, EveryTextOfTheUpdateHasAPhraseInEveryLanguage) {
  for (int language : {1, 2, 3}) {
    LanguageSession session(KELDAR_BIN_DIR, language);
    ASSERT_TRUE(session.Loaded());
    for (const char* key :
         {"FRAME_PROGRAM_UPDATE_UPDATE", "FRAME_PROGRAM_UPDATE_ABORT",
          "FRAME_PROGRAM_UPDATE_UPDATE_INTERRUPTED", "FRAME_PROGRAM_UPDATE_UPDATE_FAILED",
          "FRAME_PROGRAM_UPDATE_FOLDER_NOT_WRITABLE"}) {
      EXPECT_TRUE(session.Source().Has(key)) << key << " in language " << language;
    }
  }
}

TEST_F(UpdateScreenTest, ClickingPanel1BeforeAnyUpdateOnlyHidesTheScreen) {
  platform::MessageBoxRecorder boxes;
  auto screen = MakeScreen();
  screen->show();
  QTest::mouseClick(screen->Controls().Panel1, Qt::LeftButton);
  EXPECT_FALSE(screen->isVisible());
  EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(UpdateScreenTest, StartUpdateSizesTheGaugeAndTheGaugeReachesItsMaximum) {
  ReleaseServer server(TwoFiles());
  ASSERT_TRUE(server.Started()) << server.Error();
  platform::MessageBoxRecorder boxes;
  auto screen = ScreenFor(server);
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  EXPECT_TRUE(screen->isVisible());
  EXPECT_EQ(screen->Controls().ProgressBar1->maximum(), 16000);
  ASSERT_TRUE(WaitForRunEnd(*screen));
  EXPECT_EQ(screen->Worker()->Result().outcome, UpdateOutcome::kHandedOver);
  EXPECT_EQ(screen->Controls().ProgressBar1->value(), 16000);
  EXPECT_EQ(handOver_.exits, 1);
  EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(UpdateScreenTest, ClickingPanel1DuringADownloadStopsItAfterTheCurrentChunk) {
  WriteBytes("keldar", "old program");
  ReleaseServer server(TwoFiles());
  ASSERT_TRUE(server.Started()) << server.Error();
  platform::MessageBoxRecorder boxes;
  auto screen = ScreenFor(server);
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  // Without events processed here, the worker's first progress call stays waiting.
  ASSERT_TRUE(WaitFor([&] { return screen->Worker()->ProgressStep() == 5000; }));
  QTest::mouseClick(screen->Controls().Panel1, Qt::LeftButton);

  EXPECT_FALSE(screen->isVisible());
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text, kInterrupted);
  EXPECT_EQ(boxes.calls[0].caption, "");
  EXPECT_EQ(boxes.calls[0].flags, 0x2010u);
  EXPECT_EQ(boxes.calls[0].owner, screen.get()) << "the built-in text belongs to the screen";

  ASSERT_TRUE(WaitForRunEnd(*screen));
  EXPECT_EQ(screen->Worker()->Result().outcome, UpdateOutcome::kStopped);
  EXPECT_EQ(server.ChunkRequests(), std::vector<std::string>({"3001 1 5000"}));
  EXPECT_EQ(ReadBytes("keldar"), "old program") << "nothing installed";
  EXPECT_EQ(handOver_.launches, 0);
  EXPECT_EQ(handOver_.exits, 0) << "the program keeps running";
  EXPECT_EQ(ReadBytes("update.sh").find("rm -f"), std::string::npos);
  QTest::qWait(50);
  EXPECT_EQ(boxes.calls.size(), 1u) << "the ended run adds no message of its own";

  // A second click finds no running update.
  QTest::mouseClick(screen->Controls().Panel1, Qt::LeftButton);
  EXPECT_EQ(boxes.calls.size(), 1u);
}

TEST_F(UpdateScreenTest, TheInterruptionPhraseIsShownWithoutOwner) {
  LanguageSession english(KELDAR_BIN_DIR, 1);
  ASSERT_TRUE(english.Loaded());
  ReleaseServer server(TwoFiles());
  ASSERT_TRUE(server.Started()) << server.Error();
  platform::MessageBoxRecorder boxes;
  auto screen = ScreenFor(server, english.Source());
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  screen->Panel1Click();
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text, "The update was interrupted.");
  EXPECT_EQ(boxes.calls[0].caption, "");
  EXPECT_EQ(boxes.calls[0].flags, 0x2010u);
  EXPECT_EQ(boxes.calls[0].owner, nullptr);
  ASSERT_TRUE(WaitForRunEnd(*screen));
}

TEST_F(UpdateScreenTest, ClickingPanel1AfterTheRunEndedOnlyHidesTheScreen) {
  ReleaseServer server(TwoFiles());
  ASSERT_TRUE(server.Started()) << server.Error();
  platform::MessageBoxRecorder boxes;
  auto screen = ScreenFor(server);
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  ASSERT_TRUE(WaitForRunEnd(*screen));
  screen->show();
  screen->Panel1Click();
  EXPECT_FALSE(screen->isVisible());
  EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(UpdateScreenTest, ADamagedDownloadIsToldToTheUserAndNothingIsInstalled) {
  WriteBytes("keldar", "old program");
  ReleaseServer server(TwoFiles(), {Fault{FaultKind::kCorruptChunk, "fetch_file", 1, {}}});
  ASSERT_TRUE(server.Started()) << server.Error();
  platform::MessageBoxRecorder boxes;
  auto screen = ScreenFor(server);
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.calls.empty(); }, 20000));
  EXPECT_FALSE(screen->isVisible());
  EXPECT_EQ(boxes.calls[0].text,
            "Не удалось обновить программу. Файлы программы не изменены.\nkeldar");
  EXPECT_EQ(boxes.calls[0].caption, "Ошибка");
  EXPECT_EQ(boxes.calls[0].flags, 0x2010u);
  EXPECT_EQ(ReadBytes("keldar"), "old program");
  EXPECT_FALSE(fs::exists("keldar_u"));
  EXPECT_FALSE(fs::exists("update.sh"));
  EXPECT_EQ(handOver_.launches, 0);
}

TEST_F(UpdateScreenTest, AFolderThatCannotBeWrittenIsToldInTheLanguageOfTheLibrary) {
  LanguageSession english(KELDAR_BIN_DIR, 1);
  ASSERT_TRUE(english.Loaded());
  WriteBytes("doc", "a file where the folder should be");
  ReleaseServer server(TwoFiles());
  ASSERT_TRUE(server.Started()) << server.Error();
  platform::MessageBoxRecorder boxes;
  auto screen = ScreenFor(server, english.Source());
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.calls.empty(); }, 20000));
  EXPECT_EQ(boxes.calls[0].text,
            "The update was not started: the program folder cannot be written.\n" +
                QString::fromStdString((folder_.Path() / "doc").string()));
  EXPECT_EQ(boxes.calls[0].owner, nullptr);
  EXPECT_TRUE(server.ChunkRequests().empty());
}

TEST_F(UpdateScreenTest, ASecondStartWhileAnUpdateRunsKeepsTheRunningOne) {
  ReleaseServer server(TwoFiles());
  ASSERT_TRUE(server.Started()) << server.Error();
  auto screen = ScreenFor(server);
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  const TFrameProgramUpdate* first = screen->Worker();
  screen->hide();
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  EXPECT_EQ(screen->Worker(), first);
  EXPECT_TRUE(screen->isVisible());
  ASSERT_TRUE(WaitForRunEnd(*screen));
  EXPECT_EQ(handOver_.exits, 1);
  EXPECT_EQ(server.FileListRequests(), 2) << "one to size the gauge, one for the run";
}

TEST_F(UpdateScreenTest, AnUpdateAfterAStopStartsAfreshAndTheStoppedRunNoLongerCounts) {
  ReleaseServer server(TwoFiles());
  ASSERT_TRUE(server.Started()) << server.Error();
  platform::MessageBoxRecorder boxes;
  auto screen = ScreenFor(server);
  // Each run is stopped while its first progress call (5000) waits for this thread.
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  const TFrameProgramUpdate* first = screen->Worker();
  ASSERT_TRUE(WaitFor([&] { return first->ProgressStep() == 5000; }));
  screen->Panel1Click();
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  EXPECT_EQ(screen->Controls().ProgressBar1->value(), 0);
  ASSERT_TRUE(WaitFor([&] { return screen->Worker()->ProgressStep() == 5000; }));
  screen->Panel1Click();
  ASSERT_TRUE(WaitForRunEnd(*screen));
  QTest::qWait(50);
  EXPECT_EQ(screen->Controls().ProgressBar1->value(), 5000)
      << "only the second run's step reaches the gauge";
  EXPECT_EQ(boxes.calls.size(), 2u);
}

TEST_F(UpdateScreenTest, DestroyingTheScreenStopsAndJoinsItsWorker) {
  WriteBytes("keldar", "old program");
  ReleaseServer server(TwoFiles());
  ASSERT_TRUE(server.Started()) << server.Error();
  auto screen = ScreenFor(server);
  screen->StartUpdate(kClientId, kFinger, kNewVersion);
  // Without events processed here, the worker's first progress call stays waiting.
  ASSERT_TRUE(WaitFor([&] { return screen->Worker()->ProgressStep() == 5000; }));
  QElapsedTimer elapsed;
  elapsed.start();
  screen.reset();  // the worker waits in a progress call for this very thread
  EXPECT_LT(elapsed.elapsed(), 5000);
  QTest::qWait(50);  // a progress call queued for the screen is dropped with it
  EXPECT_EQ(ReadBytes("keldar"), "old program");
  EXPECT_EQ(handOver_.launches, 0);
  EXPECT_EQ(handOver_.exits, 0);
}

TEST(UpdateWorker, ProgressCallsRunOnTheContextsThreadWhileTheWorkerWaits) {
  TemporaryFolder folder;
  ScopedWorkingDirectory cwd(folder.Path());
  ReleaseServer server(TwoFiles());
  ASSERT_TRUE(server.Started()) << server.Error();
  HandOver handOver;
  QObject context;
  std::vector<QThread*> threads;
  std::int64_t total = 0;
  TFrameProgramUpdate worker(TestEnvironment(server, handOver), kClientId, kFinger, kNewVersion,
                             &context, [&](std::int32_t step) {
                               threads.push_back(QThread::currentThread());
                               total += step;
                             });
  EXPECT_EQ(worker.GaugeMaximum(), 16000) << "sized on construction, before the run";
  EXPECT_EQ(worker.objectName(), "TreadFrameProgramUpdate");
  worker.start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return worker.isFinished(); }, 20000));
  ASSERT_FALSE(threads.empty());
  for (QThread* thread : threads) EXPECT_EQ(thread, QThread::currentThread());
  EXPECT_EQ(total, 16000);
  EXPECT_EQ(worker.Result().outcome, UpdateOutcome::kHandedOver);
}

}  // namespace
