// The five built libraries as the shell uses them: opened from the working
// folder, a frame made and destroyed through the two exports.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QTest>

#include "device_plugin.h"
#include "fake_bus.h"
#include "screen_support.h"

namespace devicescreen::test {
namespace {

using namespace std::chrono_literals;

struct Build {
  const char* file;
  const char* component;
  const char* title;
};

class PluginTest : public ::testing::TestWithParam<Build> {
 protected:
  FakeBus bus_;
  KeldarDeviceRecord device_ = HeatDevice();
  std::uint8_t closeFlag_ = 0;
};

TEST_P(PluginTest, MakesItsFrameAndDestroysIt) {
  const Build& build = GetParam();
  DevicePlugin plugin(build.file);
  ASSERT_TRUE(plugin.Loaded()) << build.file << ": " << testing::PrintToString(plugin.Missing());
  QWidget* frame =
      plugin.Create(bus_.Port(), bus_.Library(), nullptr, nullptr, nullptr, &device_, &closeFlag_);
  ASSERT_NE(frame, nullptr);
  QPointer<QWidget> watch(frame);
  EXPECT_EQ(frame->objectName(), build.component);
  EXPECT_EQ(Text(*frame, "LabelTitle"), QString::fromUtf8(build.title));
  EXPECT_EQ(Text(*frame, "LabelSerialNumber"), "41000001");
  frame->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));

  Click(Control(*frame, "Back"));
  EXPECT_EQ(closeFlag_, 1);
  // The screen only asks to be left; the shell destroys it.
  EXPECT_FALSE(watch.isNull());
  plugin.Delete(frame);
  EXPECT_TRUE(watch.isNull());
  EXPECT_EQ(bus_.LiveObjects(), 0);
}

TEST_P(PluginTest, DestroyingItDuringAReadStopsTheRead) {
  DevicePlugin plugin(GetParam().file);
  ASSERT_TRUE(plugin.Loaded());
  bus_.SetDefault(Answer::Silence(300ms));
  QWidget* frame =
      plugin.Create(bus_.Port(), bus_.Library(), nullptr, nullptr, nullptr, &device_, &closeFlag_);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return bus_.Sent().size() == 1; }, 2000));
  plugin.Delete(frame);
  EXPECT_EQ(bus_.Sent().size(), 1u);
  QTest::qWait(50);
  EXPECT_EQ(bus_.LiveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    FiveBuilds, PluginTest,
    ::testing::Values(
        Build{"KRVHEATDLL.so", "KrvHEATMainFrame1", "Теплосчётчик"},
        Build{"KRVWATERCOLDDLL.so", "KrvWaterColdMainFrame1", "Счётчик холодной воды"},
        Build{"KRVWATERHOTDLL.so", "KrvWaterHotMainFrame1", "Счётчик горячей воды"},
        Build{"MLDHEATDLL.so", "MLDHEATMainFrame1", "Теплосчётчик"},
        Build{"MLDWATERCOLDDLL.so", "MldWaterColdMainFrame1", "Счётчик холодной воды"}),
    [](const auto& info) {
      std::string name = info.param.file;
      return name.substr(0, name.find('.'));
    });

TEST(PluginExports, DeleteIgnoresWhatTheLibraryDidNotMakeOrNoLongerHas) {
  DevicePlugin plugin("KRVHEATDLL.so");
  ASSERT_TRUE(plugin.Loaded());
  plugin.Delete(nullptr);
  auto foreign = std::make_unique<QLabel>();
  QPointer<QLabel> watch(foreign.get());
  plugin.Delete(foreign.get());
  EXPECT_FALSE(watch.isNull());

  // A frame that went with its parent window is not destroyed a second time.
  FakeBus bus;
  KeldarDeviceRecord device = HeatDevice();
  std::uint8_t flag = 0;
  auto window = std::make_unique<QWidget>();
  QWidget* frame =
      plugin.Create(bus.Port(), bus.Library(), nullptr, nullptr, nullptr, &device, &flag);
  ASSERT_NE(frame, nullptr);
  frame->setParent(window.get());
  window.reset();
  plugin.Delete(frame);
  // No device record, no frame.
  EXPECT_EQ(plugin.Create(bus.Port(), bus.Library(), nullptr, nullptr, nullptr, nullptr, &flag),
            nullptr);
}

}  // namespace
}  // namespace devicescreen::test
