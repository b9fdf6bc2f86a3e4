// Damaged files around the program: it still starts, says what it could not
// read in words a technician can act on, and leaves the files as they were.
#include <filesystem>

#include "walkthrough.h"

namespace {

namespace fs = std::filesystem;

constexpr int kConnectMs = 90000;

class FaultsWalkthrough : public Walkthrough {};

TEST_F(FaultsWalkthrough, UnreadableSettingsAndCatalogueAreSaidAndLeftAlone) {
  const std::string port = S().StartSimulator({"krv_heat.ini"});
  const fs::path work = S().WorkingFolder();
  fs::remove(work / "config.ini");
  fs::create_directory(work / "config.ini");  // a folder where the settings file belongs
  fs::remove(work / "program.db");
  S().StartProgram(port);
  const std::string settings = AnswerMessageBox("OK");
  EXPECT_NE(settings.find("config.ini"), std::string::npos) << settings;

  TypeAddress("1");
  S().Click("PanelButtonConnect");
  S().WaitFor(
      "a message naming the firmware catalogue",
      [](const WindowMap& m) {
        for (const auto* w : m.Windows()) {
          if (w->kind == "QMessageBox" && w->text.find("program.db") != std::string::npos)
            return true;
        }
        return false;
      },
      kConnectMs);
  S().Step("the catalogue cannot be read");
  const std::string catalogue = AnswerMessageBox("OK", /*waitForClose=*/false);
  EXPECT_NE(catalogue.find("program.db"), std::string::npos) << catalogue;
  // Port and speed could not be stored either: that is said next.
  S().WaitFor("the next message", [&catalogue](const WindowMap& m) {
    for (const auto* w : m.Windows()) {
      if (w->kind == "QMessageBox" && w->text != catalogue) return true;
    }
    return false;
  });
  const std::string stored = AnswerMessageBox("OK");
  EXPECT_NE(stored.find("config.ini"), std::string::npos) << stored;

  EXPECT_TRUE(fs::is_directory(work / "config.ini")) << "the settings folder is left as it was";
  EXPECT_FALSE(fs::exists(work / "program.db")) << "no empty catalogue is made";
  EXPECT_TRUE(S().ProgramRunning());
}

}  // namespace
