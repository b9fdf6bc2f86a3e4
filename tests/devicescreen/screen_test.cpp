// The device screen with scripted M-Bus and archive libraries: identity,
// readings, failures, saving, and leaving.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEnterEvent>
#include <QProgressBar>
#include <QTest>
#include <memory>

#include "fake_admin.h"
#include "fake_bus.h"
#include "screen/working_screen.h"
#include "screen_support.h"

namespace devicescreen::test {
namespace {

using namespace std::chrono_literals;

class ScreenTest : public ::testing::Test {
 protected:
  std::unique_ptr<WorkingScreen> Open(MeterKind kind = MeterKind::Heat,
                                      KeldarDeviceRecord device = HeatDevice()) {
    FrameArguments arguments;
    arguments.port = bus_.Port();
    arguments.bus = bus_.Library();
    arguments.adminTools = admin_.Library();
    arguments.device = device;
    arguments.closeFlag = &closeFlag_;
    return Open(arguments, kind);
  }
  std::unique_ptr<WorkingScreen> Open(const FrameArguments& arguments, MeterKind kind) {
    auto frame = std::make_unique<WorkingScreen>(arguments, FlavourOf(kind, "KRV"));
    frame->resize(891, 540);
    frame->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    return frame;
  }
  // The device is selected at 253, where a read sends no reset: the
  // selection started its link afresh.
  void AnswerWithHeatReadings() { bus_.Queue(Answer::Data(HeatRecords())); }
  static bool WaitForRead(const WorkingScreen& frame) {
    return QTest::qWaitFor([&] { return !frame.ReadRunning(); }, 5000);
  }

  FakeBus bus_;
  FakeAdmin admin_;
  std::uint8_t closeFlag_ = 0;
};

TEST_F(ScreenTest, ShowsWhoTheDeviceIs) {
  auto frame = Open();
  EXPECT_EQ(frame->objectName(), "KrvHEATMainFrame1");
  EXPECT_EQ(Text(*frame, "LabelTitle"), "Теплосчётчик");
  EXPECT_EQ(Text(*frame, "Label1"), "Вернутся назад");
  EXPECT_EQ(Text(*frame, "LabelManufacturer"), "KRV");
  EXPECT_EQ(Text(*frame, "LabelSerialNumber"), "41000001");
  EXPECT_EQ(Text(*frame, "LabelModel"), "TV-7 heat");
  EXPECT_EQ(Text(*frame, "LabelDeviceType"), "Устройство тепла (подающий)");
  EXPECT_EQ(Text(*frame, "LabelAddress"), "253 (выбран по вторичному адресу)");
  EXPECT_EQ(Text(*frame, "LabelSoftwareVersion"), "2.04");
  // Not in the catalogue: no catalogue number.
  EXPECT_FALSE(Control(*frame, "LabelCatalogueId").isVisible());
  WaitForRead(*frame);

  KeldarDeviceRecord catalogued = HeatDevice(7);
  catalogued.id = 31;
  catalogued.software_version[0] = '\0';
  auto known = Open(MeterKind::Heat, catalogued);
  EXPECT_EQ(Text(*known, "LabelAddress"), "7");
  EXPECT_TRUE(Control(*known, "LabelCatalogueId").isVisible());
  EXPECT_EQ(Text(*known, "LabelCatalogueId"), "31");
  EXPECT_FALSE(Control(*known, "LabelSoftwareVersion").isVisible());
  WaitForRead(*known);
}

TEST_F(ScreenTest, TheFirstReadStartsByItselfAndFillsTheTable) {
  AnswerWithHeatReadings();
  bus_.HoldReads();
  auto frame = Open();
  EXPECT_TRUE(frame->ReadRunning());
  EXPECT_TRUE(Control(*frame, "ProgressBarRead").isVisible());
  EXPECT_FALSE(Control(*frame, "PanelButtonRefresh").isEnabled());
  EXPECT_FALSE(Control(*frame, "PanelButtonSave").isEnabled());
  EXPECT_EQ(Text(*frame, "LabelStatus"), "Чтение данных с устройства…");
  bus_.ReleaseReads();

  ASSERT_TRUE(WaitForRead(*frame));
  const QTableWidget& table = Table(*frame);
  ASSERT_EQ(table.rowCount(), 7);
  const int energy = RowOf(table, "Энергия");
  ASSERT_GE(energy, 0);
  EXPECT_EQ(Cell(table, energy, 1), "12873");
  EXPECT_EQ(Cell(table, energy, 2), "кВт·ч");
  EXPECT_EQ(Cell(table, energy, 4), "0");  // tariff
  EXPECT_EQ(Cell(table, energy, 5), "0");  // sub-unit
  const int dueDate = RowOf(table, "Энергия", 1);
  ASSERT_GE(dueDate, 0);
  EXPECT_EQ(Cell(table, dueDate, 1), "12011");
  const int volume = RowOf(table, "Объём");
  EXPECT_EQ(Cell(table, volume, 1), "2457,190");
  EXPECT_EQ(Cell(table, volume, 2), "м³");
  EXPECT_EQ(Cell(table, RowOf(table, "Мощность"), 1), "14,250");
  EXPECT_EQ(Cell(table, RowOf(table, "Мощность"), 2), "кВт");
  EXPECT_EQ(Cell(table, RowOf(table, "Расход"), 2), "м³/ч");
  EXPECT_EQ(Cell(table, RowOf(table, "Температура подачи"), 1), "70,12");
  EXPECT_EQ(Cell(table, RowOf(table, "Дата и время"), 1), "14.05.2024 10:20");
  EXPECT_TRUE(Text(*frame, "LabelStatus").startsWith("Показания прочитаны: "));
  EXPECT_FALSE(Control(*frame, "ProgressBarRead").isVisible());
  EXPECT_TRUE(Control(*frame, "PanelButtonRefresh").isEnabled());
  EXPECT_TRUE(Control(*frame, "PanelButtonSave").isEnabled());
  // The read went to the address the device was selected at.
  for (const auto& request : bus_.Sent()) EXPECT_EQ(request.a, 253);
}

TEST_F(ScreenTest, AFailedRefreshSaysSoAndKeepsTheReadings) {
  AnswerWithHeatReadings();
  auto frame = Open();
  ASSERT_TRUE(WaitForRead(*frame));
  ASSERT_EQ(Table(*frame).rowCount(), 7);

  bus_.HoldReads();
  Click(Control(*frame, "PanelButtonRefresh"));  // nothing queued: the meter is silent
  EXPECT_TRUE(frame->ReadRunning());
  bus_.ReleaseReads();
  ASSERT_TRUE(WaitForRead(*frame));
  EXPECT_EQ(Text(*frame, "LabelStatus"), "Устройство не ответило.");
  EXPECT_EQ(Control(*frame, "LabelStatus").palette().color(QPalette::WindowText),
            QColor(0xc0, 0x00, 0x00));
  EXPECT_EQ(Table(*frame).rowCount(), 7);
  EXPECT_EQ(Cell(Table(*frame), RowOf(Table(*frame), "Энергия"), 1), "12873");

  // The meter answering again replaces the readings.
  bus_.Queue(Answer::Data({HeatRecords().front()}));
  Click(Control(*frame, "PanelButtonRefresh"));
  ASSERT_TRUE(WaitForRead(*frame));
  EXPECT_EQ(Table(*frame).rowCount(), 1);
}

TEST_F(ScreenTest, ARefreshWhileReadingIsIgnored) {
  AnswerWithHeatReadings();
  bus_.HoldReads();
  auto frame = Open();
  frame->Refresh();
  Click(Control(*frame, "PanelButtonRefresh"));
  bus_.ReleaseReads();
  ASSERT_TRUE(WaitForRead(*frame));
  EXPECT_EQ(bus_.Sent().size(), 1u);  // one request
}

TEST_F(ScreenTest, TheDevicesOwnErrorAndALostPortAreNamed) {
  auto error = Answer::Data({});
  error.ci = 0x70;
  error.errorText = "application busy";
  bus_.Queue(error);
  auto frame = Open();
  ASSERT_TRUE(WaitForRead(*frame));
  EXPECT_EQ(Text(*frame, "LabelStatus"), "Устройство сообщило об ошибке. (application busy)");

  bus_.SetPortUsable(false);
  frame->Refresh();
  ASSERT_TRUE(WaitForRead(*frame));
  EXPECT_EQ(Text(*frame, "LabelStatus"), "Порт недоступен.");
  EXPECT_FALSE(Control(*frame, "PanelButtonSave").isEnabled());  // nothing read yet
}

TEST_F(ScreenTest, SavingPutsTheReadingIntoTheArchiveOfItsKind) {
  AnswerWithHeatReadings();
  auto frame = Open();
  ASSERT_TRUE(WaitForRead(*frame));
  Click(Control(*frame, "PanelButtonSave"));
  EXPECT_EQ(Text(*frame, "LabelStatus"), "Показания сохранены в архив.");
  ASSERT_EQ(admin_.heat.size(), 1u);
  EXPECT_DOUBLE_EQ(admin_.heat[0].reading.energy_wh, 12873000);
  EXPECT_DOUBLE_EQ(admin_.heat[0].reading.supply_c, 70.12);
  EXPECT_STREQ(admin_.heat[0].device.serial, "41000001");
  EXPECT_STREQ(admin_.heat[0].reading.meter_time, "2024-05-14T10:20:00");
  frame.reset();

  AnswerWithHeatReadings();
  auto cold = Open(MeterKind::WaterCold);
  EXPECT_EQ(Text(*cold, "LabelTitle"), "Счётчик холодной воды");
  ASSERT_TRUE(WaitForRead(*cold));
  cold->SaveToArchive();
  ASSERT_EQ(admin_.cold.size(), 1u);
  EXPECT_DOUBLE_EQ(admin_.cold[0].reading.volume_m3, 2457.19);
  EXPECT_EQ(admin_.heat.size(), 1u);
}

TEST_F(ScreenTest, SavingSaysWhyItCouldNot) {
  auto unread = Open();  // the meter stays silent
  ASSERT_TRUE(WaitForRead(*unread));
  EXPECT_FALSE(Control(*unread, "PanelButtonSave").isEnabled());
  Click(Control(*unread, "PanelButtonSave"));
  EXPECT_EQ(admin_.opened, 0);
  unread.reset();

  AnswerWithHeatReadings();
  FrameArguments arguments;
  arguments.port = bus_.Port();
  arguments.bus = bus_.Library();
  arguments.device = HeatDevice();
  auto frame = Open(arguments, MeterKind::Heat);  // no archive library
  ASSERT_TRUE(WaitForRead(*frame));
  Click(Control(*frame, "PanelButtonSave"));
  EXPECT_EQ(Text(*frame, "LabelStatus"), "Не хватает компонента для работы в этом режиме.");
  frame.reset();

  AnswerWithHeatReadings();
  auto refused = Open();
  ASSERT_TRUE(WaitForRead(*refused));
  admin_.FailOpen(true);
  refused->SaveToArchive();
  EXPECT_EQ(Text(*refused, "LabelStatus"), "Не удалось открыть архив.");
  admin_.FailOpen(false);
  admin_.RefuseAdd(true);
  refused->SaveToArchive();
  EXPECT_EQ(Text(*refused, "LabelStatus"), "Архив не принял показания.");
}

TEST_F(ScreenTest, WithoutTheBusLibraryNothingIsRead) {
  FrameArguments arguments;
  arguments.device = HeatDevice();
  arguments.closeFlag = &closeFlag_;
  auto frame = Open(arguments, MeterKind::Heat);
  EXPECT_FALSE(frame->ReadRunning());
  EXPECT_EQ(Text(*frame, "LabelStatus"), "Не хватает компонента для работы в этом режиме.");
  EXPECT_EQ(Table(*frame).rowCount(), 0);
}

TEST_F(ScreenTest, TheBackStripLightsUpAndLeavesTheScreen) {
  auto frame = Open();
  QWidget& back = Control(*frame, "Back");
  QWidget& caption = Control(*frame, "Label1");
  EXPECT_EQ(back.width(), 145);
  EXPECT_EQ(back.cursor().shape(), Qt::PointingHandCursor);
  // A panel button shows the hand while it can be pressed.
  WaitForRead(*frame);
  EXPECT_EQ(Control(*frame, "PanelButtonRefresh").cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(Control(*frame, "PanelButtonSave").cursor().shape(), Qt::ArrowCursor);

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&back, &enter);
  EXPECT_TRUE(caption.font().bold());
  EXPECT_EQ(back.palette().color(QPalette::Window), QColor(240, 240, 240));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&back, &leave);
  EXPECT_FALSE(caption.font().bold());
  EXPECT_EQ(back.palette().color(QPalette::Window), QColor(Qt::white));

  EXPECT_EQ(closeFlag_, 0);
  Click(caption);
  EXPECT_EQ(closeFlag_, 1);
  closeFlag_ = 0;
  QTest::mouseClick(&back, Qt::LeftButton, {}, QPoint(70, back.height() - 20));
  EXPECT_EQ(closeFlag_, 1);
}

TEST_F(ScreenTest, DeletingTheScreenDuringAReadStopsItPromptly) {
  bus_.SetDefault(Answer::Silence(300ms));
  auto frame = Open();
  ASSERT_TRUE(frame->ReadRunning());
  ASSERT_TRUE(QTest::qWaitFor([&] { return bus_.Sent().size() == 1; }, 2000));
  QElapsedTimer timer;
  timer.start();
  frame.reset();
  // Only the exchange under way is waited for: nothing goes out after it.
  EXPECT_LT(timer.elapsed(), 2000);
  EXPECT_EQ(bus_.Sent().size(), 1u);
  QTest::qWait(100);  // a late outcome would be delivered now
  EXPECT_EQ(bus_.LiveObjects(), 0);
}

}  // namespace
}  // namespace devicescreen::test
