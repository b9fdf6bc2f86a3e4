// What the program's probe reports of its windows: every visible widget with
// its path of object names, class, rectangle on the screen, flags and text,
// and the rows of every visible list or table.
#pragma once

#include <QPoint>
#include <QRect>
#include <optional>
#include <string>
#include <vector>

struct ScreenWidget {
  std::string path;   // "TForm1/Background/Main/TProgramMain/PanelButtonConnect"
  std::string kind;   // class name; "item" for a row of a list or table
  QRect rect;         // on the screen
  std::string flags;  // W window, F focus, D disabled, T takes Tab, A active window, S selected row
  std::string text;

  std::string Name() const;  // the last part of the path
  bool Has(char flag) const { return flags.find(flag) != std::string::npos; }
  QPoint Centre() const { return rect.center(); }
};

class WindowMap {
 public:
  static WindowMap Parse(const std::string& text);

  long Pid() const { return pid_; }
  const std::string& FocusPath() const { return focus_; }
  const std::vector<ScreenWidget>& Widgets() const { return widgets_; }

  // Widgets whose path ends with `query`'s last name and holds its other
  // names in order ("ConfigurationDeviceFrame1/Back").
  std::vector<const ScreenWidget*> FindAll(const std::string& query) const;
  // The one such widget; none when there is none or more than one.
  const ScreenWidget* Find(const std::string& query) const;
  // The rows of the list or table `query` names.
  std::vector<const ScreenWidget*> Rows(const std::string& query) const;
  // A row of any visible list, table or open drop-down whose text is `text`.
  const ScreenWidget* Item(const std::string& text) const;
  // The visible widgets (not rows) whose text is `text`, ignoring '&' marks.
  std::vector<const ScreenWidget*> WithText(const std::string& text) const;
  // Top-level windows, the main window first as the program lists them.
  std::vector<const ScreenWidget*> Windows() const;
  // Every text of the widgets under `query` (itself included), for messages.
  std::vector<std::string> TextsUnder(const std::string& query) const;
  std::string Summary() const;

 private:
  long pid_ = 0;
  std::string focus_;
  std::vector<ScreenWidget> widgets_;
};
