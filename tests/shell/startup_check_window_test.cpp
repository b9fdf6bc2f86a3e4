#include <gtest/gtest.h>

#include <QLabel>

#include "app/main_window.h"
#include "base/kit/message_box.h"
#include "dev_server.h"
#include "online/remote_api.h"
#include "online/screens/update_screen.h"
#include "test_support.h"
#include "widgets.h"

namespace {

// The window's version check against the development server on loopback.
class WindowStartupCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    devserver::ServerOptions options;
    options.releases = std::filesystem::path(KELDAR_SOURCE_DIR) / "tools/dev-server/releases";
    server = devserver::DevServer::Start(options, error);
    ASSERT_NE(server, nullptr) << error;
    const std::string host = server->HostAndPort();
    MainWindow::SetStartupCheckRunner([host](const BrandProfile& brand, const char* database,
                                         const char* version, const Phrases& phrases,
                                         StartupCheckHost& window) {
      RemoteAccount account = RemoteAccount::FromProfile(brand);
      account.restHost = host;
      StartupCheck(account, database, version, phrases, window);
    });
  }
  void TearDown() override { MainWindow::SetStartupCheckRunner({}); }

  ScopedWorkingDirectory nothing;
  StartupEnvironment startup{nothing.Path(), "ru_RU.UTF-8"};
  std::unique_ptr<devserver::DevServer> server;
  platform::MessageBoxRecorder boxes;
};

TEST_F(WindowStartupCheck, ANewerVersionIsOfferedBeforeTheWindowShowsAndNoLeavesTheIcon) {
  bool shownBeforeTheQuestion = true;
  boxes.onShow = [&](const platform::MessageBoxCall&) {
    shownBeforeTheQuestion = Form1 != nullptr && Form1->isVisible();
  };
  MainWindow window;
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_FALSE(shownBeforeTheQuestion) << "the check runs inside the window's construction";
  EXPECT_EQ(boxes.calls[0].flags, 0x2034u);
  EXPECT_TRUE(boxes.calls[0].text.contains("v.0.15"));
  EXPECT_TRUE(boxes.calls[0].text.contains("v.0.14"));
  EXPECT_TRUE(window.UpdateRequests().empty()) << "the answer was No";
  window.show();
  EXPECT_TRUE(Child<QLabel>(window, "Bottom/Image2").isVisible());

  // An accepted update runs against the same server but never ends this process.
  UpdateEnvironment environment = UpdateEnvironment::FromProfile(window.Brand());
  environment.account.restHost = server->HostAndPort();
  environment.launchScript = [](const std::filesystem::path&) { return false; };
  environment.endProcess = [] {};
  window.ProgramUpdate()->SetEnvironment(environment);
  boxes.answers.push_back(platform::kIdYes);
  window.RunStartupCheck();  // the download icon's click
  ASSERT_EQ(boxes.calls.size(), 2u);
  ASSERT_EQ(window.UpdateRequests().size(), 1u);
  EXPECT_EQ(window.UpdateRequests()[0].newVersion, "v.0.15");
  EXPECT_TRUE(window.ProgramUpdate()->isVisible()) << "the update screen took over";
}

}  // namespace
