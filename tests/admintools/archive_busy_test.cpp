// archive.db held by another program: the screens say the archive is busy and
// offer to try again, and never claim a failed save or an empty list.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QLabel>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <chrono>

#include "base/kit/message_box.h"
#include "screens/administration_screen.h"
#include "screens/archive_screen.h"
#include "store/archive.h"
#include "store/archive_error.h"
#include "test_support.h"
#include "widgets.h"

namespace {

using namespace admintools;

// Another program's connection holding archive.db locked until Release().
class LockHolder {
 public:
  LockHolder() {
    EXPECT_EQ(sqlite3_open(Archive::kFileName, &db_), SQLITE_OK);
    // Exclusive locking keeps even the archive's readers out, as a program
    // that does not use write-ahead logging would.
    Exec("PRAGMA locking_mode = EXCLUSIVE");
    Exec("BEGIN EXCLUSIVE");
    Exec("UPDATE subscribers SET name = name");
  }
  ~LockHolder() { Release(); }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;
  void Release() {
    if (db_ == nullptr) return;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
    db_ = nullptr;
  }

 private:
  void Exec(const char* sql) {
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, &error), SQLITE_OK)
        << sql << ": " << (error != nullptr ? error : "");
    sqlite3_free(error);
  }
  sqlite3* db_ = nullptr;
};

class ArchiveBusyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Archive archive;
    archive.AddSubscriber({0, "Иванов", "", "17", ""});
    Reading reading;
    reading.readTime = 1'717'000'000;
    reading[Quantity::kVolume] = 12.5;
    archive.SaveReading({0, DeviceKind::kWaterCold, "MLD", "00000771", "", "", 22, {}}, reading);
  }
  static bool AskedToRetry(const platform::MessageBoxRecorder& boxes) {
    return !boxes.calls.empty() && (boxes.calls.front().flags & 0x0F) == platform::kMbRetryCancel &&
           boxes.calls.front().text.contains(QStringLiteral("занят"));
  }

  ScopedWorkingDirectory folder_;
  uint8_t flag_ = 0;
};

TEST_F(ArchiveBusyTest, TheStoreCallsALockedArchiveBusyWithinASecondOrSo) {
  LockHolder lock;
  const auto start = std::chrono::steady_clock::now();
  try {
    Archive archive;
    archive.Subscribers();
    FAIL() << "the locked archive was read";
  } catch (const ArchiveError& error) {
    EXPECT_EQ(error.failure(), ArchiveFailure::kBusy) << error.what();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

TEST_F(ArchiveBusyTest, TheArchiveScreenSaysBusyAndNotAFailedSave) {
  LockHolder lock;
  platform::MessageBoxRecorder boxes;
  boxes.defaultAnswer = platform::kIdCancel;
  ArchiveScreen screen(&flag_, ScreenTexts{});
  ASSERT_TRUE(AskedToRetry(boxes));
  EXPECT_EQ(boxes.calls.size(), 1u) << "one question for the screen, not one per list";
  const QString shown = Child<QLabel>(screen, "LabelEmpty").text();
  EXPECT_TRUE(shown.contains(QStringLiteral("занят"))) << shown.toStdString();
  EXPECT_FALSE(shown.contains(QStringLiteral("сохранить"))) << shown.toStdString();
}

TEST_F(ArchiveBusyTest, RetryAfterTheOtherProgramLetsGoShowsTheReadings) {
  LockHolder lock;
  platform::MessageBoxRecorder boxes;
  boxes.onShow = [&](const platform::MessageBoxCall&) { lock.Release(); };
  boxes.answers = {platform::kIdRetry};
  ArchiveScreen screen(&flag_, ScreenTexts{});
  ASSERT_TRUE(AskedToRetry(boxes));
  EXPECT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(Child<QStackedWidget>(screen, "Pages").currentWidget(),
            &Child<QWidget>(screen, "PageReadings"));
  EXPECT_EQ(Child<QTableView>(screen, "TableReadings").model()->rowCount(), 1);
}

TEST_F(ArchiveBusyTest, TheAdministrationScreenDoesNotCallABusyArchiveEmpty) {
  {
    LockHolder lock;
    platform::MessageBoxRecorder boxes;
    boxes.defaultAnswer = platform::kIdCancel;
    AdministrationScreen screen(&flag_, ScreenTexts{});
    screen.show();
    ASSERT_TRUE(AskedToRetry(boxes));
    EXPECT_FALSE(Child<QLabel>(screen, "LabelSubscribersHint").isVisible())
        << "no claim that there are no subscribers";
    const QString status = Child<QLabel>(screen, "LabelStatus").text();
    EXPECT_TRUE(status.contains(QStringLiteral("занят"))) << status.toStdString();
  }
  platform::MessageBoxRecorder boxes;
  AdministrationScreen screen(&flag_, ScreenTexts{});
  screen.show();
  EXPECT_TRUE(boxes.calls.empty());
  EXPECT_EQ(Child<QTableWidget>(screen, "TableSubscribers").rowCount(), 1);
}

}  // namespace
