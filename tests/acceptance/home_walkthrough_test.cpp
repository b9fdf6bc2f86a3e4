// The home screen's other roads: the languages, the about box, the
// administration of subscribers and objects, and the keyboard alone.
#include <algorithm>
#include <map>

#include "walkthrough.h"

namespace {

constexpr int kEnglish = 1;
constexpr int kRussian = 2;
constexpr int kUkrainian = 3;
constexpr int kConnectMs = 90000;

// The home screen's captions and the keys they are looked up by.
const std::map<std::string, std::string> kHomeCaptions = {
    {"Label3", "FRAME_PROGRAM_MAIN_ADMINISTRATION"},
    {"PanelButtonEnter", "FRAME_PROGRAM_MAIN_ENTER"},
    {"Label2", "FRAME_PROGRAM_MAIN_VIEW_ARCHIVE"},
    {"PanelButtonViewArhiv", "FRAME_PROGRAM_MAIN_SEE_ARCHIVE"},
    {"Label1", "FRAME_PROGRAM_MAIN_CONNECTION_DEVICE"},
    {"LabelDeviceAdress", "FRAME_PROGRAM_MAIN_DEVICE_ADRESS"},
    {"PanelButtonConnect", "FRAME_PROGRAM_MAIN_ESTABLISH_COMMUNICATION"},
    {"PanelButtonFindMeters", "FRAME_PROGRAM_MAIN_FIND_METERS"},
};

bool HasCyrillic(const std::string& text) {
  // Cyrillic letters are U+0400..U+04FF: lead bytes D0..D3 in UTF-8.
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0xD0 && byte <= 0xD3;
  });
}

class HomeWalkthrough : public Walkthrough {
 protected:
  std::string Text(const std::string& key, int language) {
    return Phrase(S().WorkingFolder(), key, language);
  }
  std::map<std::string, std::string> HomeTexts() {
    const WindowMap map = Map();
    std::map<std::string, std::string> texts;
    for (const auto& [name, key] : kHomeCaptions) {
      const ScreenWidget* w = map.Find("TProgramMain/" + name);
      texts[name] = w != nullptr ? w->text : "(not on screen)";
    }
    return texts;
  }
  WindowMap Map() { return S().Map(); }
  void ChooseLanguage(int language) {
    S().Click("Image4");
    S().Need("TProgramSetting/SetLanguage");
    S().Choose("ComboBoxLanguage",
               QueryColumn(S().WorkingFolder() + "/phrases.db",
                           "SELECT name FROM languages WHERE id = " + std::to_string(language))
                   .at(0));
    S().Click("SetLanguage");
    S().Step("language " + std::to_string(language) + " applied");
    S().Click("TProgramSetting/Back");
    S().Need("PanelButtonConnect");
  }
};

TEST_F(HomeWalkthrough, LanguagesChangeEveryHomeText) {
  S().WriteFile("config.ini", SettingsFile(kRussian));
  S().StartProgram("");
  S().Need("PanelButtonConnect");
  auto before = HomeTexts();
  S().Step("Russian home");
  for (const int language : {kEnglish, kUkrainian, kRussian}) {
    ChooseLanguage(language);
    const auto now = HomeTexts();
    S().Step("home in language " + std::to_string(language));
    for (const auto& [name, key] : kHomeCaptions) {
      std::string expected = Text(key, language);
      if (name == "LabelDeviceAdress") expected += ":";
      EXPECT_EQ(now.at(name), expected) << name << " in language " << language;
      EXPECT_NE(now.at(name), before.at(name)) << name << " did not change";
    }
    EXPECT_NE(S().ReadFile("config.ini").find("LANG = " + std::to_string(language)),
              std::string::npos);
    before = now;
  }
}

TEST_F(HomeWalkthrough, AboutBoxAndAdministration) {
  S().WriteFile("config.ini", SettingsFile(kEnglish));
  S().StartProgram("");
  EXPECT_EQ(S().Need("TForm1").text, std::string("KELDAR ") + KELDAR_VERSION) << "window title";
  S().Click("Image1");
  S().Need("TFrameAbout/PanelButtonOk");
  S().Step("about box in English");
  const auto english = S().Map().TextsUnder("TFrameAbout");
  EXPECT_NE(std::find(english.begin(), english.end(), KELDAR_VERSION), english.end());
  for (const auto& text : english) EXPECT_FALSE(HasCyrillic(text)) << text;
  EXPECT_NE(std::find(english.begin(), english.end(), Text("FRAME_ABOUT_ALL_RIGHTS_RESERVED", 1)),
            english.end());
  S().Click("TFrameAbout/PanelButtonOk");
  S().Gone("TFrameAbout");

  // In Ukrainian no Russian caption is left.
  S().Click("Image4");
  S().Choose("ComboBoxLanguage", "Українська");
  S().Click("SetLanguage");
  S().Click("TProgramSetting/Back");
  S().Click("Image1");
  S().Need("TFrameAbout/PanelButtonOk");
  S().Step("about box in Ukrainian");
  const auto ukrainian = S().Map().TextsUnder("TFrameAbout");
  for (const char* key : {"FRAME_ABOUT_ALL_RIGHTS_RESERVED", "FRAME_ABOUT_OK"})
    EXPECT_NE(std::find(ukrainian.begin(), ukrainian.end(), Text(key, kUkrainian)), ukrainian.end())
        << key;
  for (const auto& text : ukrainian) EXPECT_NE(text, "Все права защищены.");
  S().Key("Escape");
  S().Gone("TFrameAbout");

  // Administration: a subscriber and an object, added, changed and deleted.
  const std::string archive = S().WorkingFolder() + "/archive.db";
  S().Click("PanelButtonEnter");
  S().Need("ProgramAdministrationFrame1/PanelButtonAddSubscriber");
  S().Step("administration");
  S().Click("PanelButtonAddSubscriber");
  S().Click("EditSubscriberName");
  S().Type("Petrenko Ivan");
  S().Click("EditSubscriberAccount");
  S().Type("A-17");
  S().Click("PanelButtonSaveSubscriber");
  WindowMap map = S().WaitFor("the new subscriber in the list", [](const WindowMap& m) {
    return m.Rows("TableSubscribers").size() == 1;
  });
  S().Step("subscriber added");
  EXPECT_EQ(QueryColumn(archive, "SELECT name || '/' || account FROM subscribers"),
            std::vector<std::string>{"Petrenko Ivan/A-17"});

  S().ClickAt(map.Rows("TableSubscribers").front()->Centre());
  S().Click("PanelButtonEditSubscriber");
  S().Click("EditSubscriberName");
  S().Key("End");
  S().Type(" Jr");
  S().Click("PanelButtonSaveSubscriber");
  S().WaitFor("the changed name", [](const WindowMap& m) {
    const auto rows = m.Rows("TableSubscribers");
    return rows.size() == 1 && rows.front()->text.find("Petrenko Ivan Jr") == 0;
  });
  EXPECT_EQ(QueryColumn(archive, "SELECT name FROM subscribers"),
            std::vector<std::string>{"Petrenko Ivan Jr"});

  map = S().Map();
  S().ClickAt(map.Rows("TableSubscribers").front()->Centre());
  S().Click("PanelButtonAddObject");
  S().Click("EditObjectName");
  S().Type("Boiler room");
  S().Click("EditObjectAddress");
  S().Type("Shevchenka 4");
  S().Click("PanelButtonSaveObject");
  map = S().WaitFor("the new object",
                    [](const WindowMap& m) { return m.Rows("TableObjects").size() == 1; });
  S().Step("object added");
  S().ClickAt(map.Rows("TableObjects").front()->Centre());
  S().Click("PanelButtonEditObject");
  S().Click("EditObjectName");
  S().Key("End");
  S().Type(" 2");
  S().Click("PanelButtonSaveObject");
  map = S().WaitFor("the changed object", [](const WindowMap& m) {
    const auto rows = m.Rows("TableObjects");
    return rows.size() == 1 && rows.front()->text.find("Boiler room 2") == 0;
  });
  EXPECT_EQ(QueryColumn(archive, "SELECT name || '/' || address FROM objects"),
            std::vector<std::string>{"Boiler room 2/Shevchenka 4"});

  S().ClickAt(map.Rows("TableObjects").front()->Centre());
  S().Click("PanelButtonDeleteObject");
  S().Click("PanelButtonConfirmDelete");
  S().WaitFor("no object", [](const WindowMap& m) { return m.Rows("TableObjects").empty(); });
  EXPECT_TRUE(QueryColumn(archive, "SELECT id FROM objects").empty());

  map = S().Map();
  S().ClickAt(map.Rows("TableSubscribers").front()->Centre());
  S().Click("PanelButtonDeleteSubscriber");
  S().Click("PanelButtonConfirmDelete");
  S().WaitFor("no subscriber",
              [](const WindowMap& m) { return m.Rows("TableSubscribers").empty(); });
  S().Step("all deleted");
  EXPECT_TRUE(QueryColumn(archive, "SELECT id FROM subscribers").empty());
  S().Key("Escape");
  S().Need("PanelButtonConnect");
}

TEST_F(HomeWalkthrough, KeyboardReachesEveryButton) {
  const std::string port = S().StartSimulator({"krv_heat.ini"});
  S().WriteFile("config.ini", SettingsFile(kEnglish));
  S().StartProgram(port);
  S().Need("PanelButtonConnect");
  // A click on the heading gives the window the keyboard, as on any desktop.
  S().Click("TProgramMain/Label1");

  // Tab reaches every button of the home screen and shows where it is.
  std::vector<std::string> reached;
  for (int press = 0; press < 16; ++press) {
    S().Key("Tab");
    const WindowMap map = S().Map();
    const std::string focus = map.FocusPath();
    const auto slash = focus.rfind('/');
    reached.push_back(slash == std::string::npos ? focus : focus.substr(slash + 1));
    if (reached.back() == "PanelButtonConnect") {
      const ScreenWidget* ring = map.Find("PanelButtonConnect/FocusRing");
      EXPECT_NE(ring, nullptr) << "the focused button shows no focus";
      S().Step("Connect has the focus");
    }
  }
  for (const char* button : {"PanelButtonEnter", "PanelButtonViewArhiv", "PanelButtonConnect",
                             "UpdateComPortList", "Image1", "Image4"})
    EXPECT_TRUE(std::find(reached.begin(), reached.end(), button) != reached.end())
        << button << " never had the focus; Tab went " << ::testing::PrintToString(reached);

  // Enter on "Enter" opens the administration; Escape goes back.
  while (S().Map().FocusPath().find("PanelButtonEnter") == std::string::npos) S().Key("Tab");
  S().Key("Return");
  S().Need("ProgramAdministrationFrame1/PanelButtonAddSubscriber");
  S().Step("administration by the keyboard");
  S().Key("Escape");
  S().Need("PanelButtonConnect");

  // Space on the settings icon, Escape back.
  while (S().Map().FocusPath().find("Image4") == std::string::npos) S().Key("Tab");
  S().Key("space");
  S().Need("TProgramSetting/SetLanguage");
  S().Key("Escape");
  S().Gone("TProgramSetting");

  // Enter in the address edit connects.
  while (S().Map().FocusPath().find("MaskEditDeviceAdress") == std::string::npos) S().Key("Tab");
  S().Key("End");
  for (int i = 0; i < 3; ++i) S().Key("BackSpace");
  S().Type("1");
  S().Key("Return");
  S().WaitFor(
      "three tiles", [](const WindowMap& m) { return m.Find("Tile3") != nullptr; }, kConnectMs);
  S().Step("connected by Enter");

  // A tile opens with Enter, its screen leaves with Escape, the tiles too.
  while (S().Map().FocusPath().find("Tile2") == std::string::npos) S().Key("Tab");
  EXPECT_NE(S().Map().Find("Tile2/FocusRing"), nullptr);
  S().Key("Return");
  S().WaitFor("the cold-water meter's screen", [](const WindowMap& m) {
    return m.FindAll("PanelButtonSave").size() == 1 && m.Find("ProgressBarRead") == nullptr;
  });
  S().Step("device screen by the keyboard");
  S().Key("Escape");
  S().Gone("PanelButtonSave");
  S().Key("Escape");
  S().Need("PanelButtonConnect");
  S().Step("home by Escape");
}

}  // namespace
