#include "window_map.h"

#include <sstream>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

std::string Unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
  }
  return out;
}

std::string WithoutMnemonics(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '&') out += c;
  }
  return out;
}

bool PathMatches(const std::string& path, const std::string& query) {
  const auto names = Split(path, '/');
  const auto wanted = Split(query, '/');
  if (names.empty() || wanted.empty() || names.back() != wanted.back()) return false;
  std::size_t at = 0;
  for (std::size_t w = 0; w + 1 < wanted.size(); ++w) {
    while (at + 1 < names.size() && names[at] != wanted[w]) ++at;
    if (at + 1 >= names.size()) return false;
    ++at;
  }
  return true;
}

}  // namespace

std::string ScreenWidget::Name() const {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

WindowMap WindowMap::Parse(const std::string& text) {
  WindowMap map;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const auto fields = Split(line, '\t');
    if (fields.size() == 2 && fields[0] == "pid") map.pid_ = std::stol(fields[1]);
    if (fields.size() == 2 && fields[0] == "focus") map.focus_ = fields[1];
    const bool widget = fields[0] == "widget" && fields.size() == 6;
    const bool item = fields[0] == "item" && fields.size() == 5;
    if (!widget && !item) continue;
    ScreenWidget w;
    w.path = fields[1];
    w.kind = widget ? fields[2] : "item";
    const auto box = Split(fields[widget ? 3 : 2], ',');
    if (box.size() == 4)
      w.rect = QRect(std::stoi(box[0]), std::stoi(box[1]), std::stoi(box[2]), std::stoi(box[3]));
    w.flags = fields[widget ? 4 : 3];
    w.text = Unescaped(fields[widget ? 5 : 4]);
    map.widgets_.push_back(std::move(w));
  }
  return map;
}

std::vector<const ScreenWidget*> WindowMap::FindAll(const std::string& query) const {
  std::vector<const ScreenWidget*> found;
  for (const auto& w : widgets_) {
    if (w.kind != "item" && PathMatches(w.path, query)) found.push_back(&w);
  }
  return found;
}

const ScreenWidget* WindowMap::Find(const std::string& query) const {
  const auto found = FindAll(query);
  return found.size() == 1 ? found.front() : nullptr;
}

std::vector<const ScreenWidget*> WindowMap::Rows(const std::string& query) const {
  const ScreenWidget* view = Find(query);
  std::vector<const ScreenWidget*> rows;
  if (view == nullptr) return rows;
  for (const auto& w : widgets_) {
    if (w.kind == "item" && w.path.rfind(view->path + "#", 0) == 0) rows.push_back(&w);
  }
  return rows;
}

const ScreenWidget* WindowMap::Item(const std::string& text) const {
  for (const auto& w : widgets_) {
    if (w.kind == "item" && w.text == text) return &w;
  }
  return nullptr;
}

std::vector<const ScreenWidget*> WindowMap::WithText(const std::string& text) const {
  std::vector<const ScreenWidget*> found;
  for (const auto& w : widgets_) {
    if (w.kind != "item" && WithoutMnemonics(w.text) == text) found.push_back(&w);
  }
  return found;
}

std::vector<const ScreenWidget*> WindowMap::Windows() const {
  std::vector<const ScreenWidget*> found;
  for (const auto& w : widgets_) {
    if (w.kind != "item" && w.Has('W')) found.push_back(&w);
  }
  return found;
}

std::vector<std::string> WindowMap::TextsUnder(const std::string& query) const {
  std::vector<std::string> texts;
  const ScreenWidget* top = Find(query);
  if (top == nullptr) return texts;
  for (const auto& w : widgets_) {
    if (w.kind == "item" || w.text.empty()) continue;
    if (w.path == top->path || w.path.rfind(top->path + "/", 0) == 0) texts.push_back(w.text);
  }
  return texts;
}

std::string WindowMap::Summary() const {
  std::string text;
  for (const auto& w : widgets_) {
    if (w.Has('W')) text += "window " + w.path + " \"" + w.text + "\"\n";
    else if (!w.text.empty() && w.kind != "item") text += "  " + w.Name() + ": " + w.text + "\n";
  }
  return text;
}
