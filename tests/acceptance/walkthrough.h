// The fixture every walkthrough shares: a session named after the test, a
// screenshot when a step fails, and the common moves of a technician.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "program_files.h"
#include "session.h"

class Walkthrough : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    session_ = std::make_unique<Session>(std::string(info->test_suite_name()) + "." + info->name());
  }
  void TearDown() override {
    if (HasFailure()) session_->ScreenshotOnFailure();
    session_.reset();
  }

  Session& S() { return *session_; }

  // Clears the home screen's address edit and types `keys` into it.
  void TypeAddress(const std::string& keys) { Retype("MaskEditDeviceAdress", keys); }

  // Clears a mask edit (up to eight places) and types digits into it; '>'
  // steps over a place, leaving it blank.
  void Retype(const std::string& edit, const std::string& keys) {
    S().Click(edit);
    S().Key("End");
    for (int i = 0; i < 8; ++i) S().Key("BackSpace");
    S().Key("Home");
    for (const char c : keys) {
      if (c == '>')
        S().Key("Right");
      else
        S().Type(std::string(1, c));
    }
  }

  // Presses a message box's button and waits for the box to go (unless the
  // answer ends the program).
  std::string AnswerMessageBox(const std::string& button, bool waitForClose = true) {
    const ScreenWidget box = S().NeedMessageBox();
    // The box's first words, cut between two characters.
    std::size_t cut = std::min<std::size_t>(box.text.size(), 40);
    while (cut < box.text.size() && (static_cast<unsigned char>(box.text[cut]) & 0xC0) == 0x80)
      ++cut;
    S().Step("message: " + box.text.substr(0, cut));
    S().ClickText(button);
    if (!waitForClose) return box.text;
    S().WaitFor("the message box to close", [](const WindowMap& m) {
      for (const auto* w : m.Windows()) {
        if (w->kind == "QMessageBox") return false;
      }
      return true;
    });
    return box.text;
  }

  // The open device screen's name (the frame that holds "Save to archive").
  std::string DeviceScreen() {
    const std::string path = S().Need("PanelButtonSave").path;
    const auto background = path.rfind("/Background/");
    const auto start = path.rfind('/', background - 1);
    return path.substr(start + 1, background - start - 1);
  }

  std::unique_ptr<Session> session_;
};
