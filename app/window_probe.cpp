#include "app/window_probe.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTextStream>
#include <QWidget>
#include <cerrno>
#include <csignal>

namespace {

// The signal handler may only write to the pipe; the main thread reads it.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

QString Escaped(QString text) {
  text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  text.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
  text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
  text.replace(QLatin1Char('\r'), QString());
  return text;
}

QString TextOf(const QWidget* widget) {
  if (const auto* box = qobject_cast<const QMessageBox*>(widget)) return box->text();
  if (widget->isWindow()) return widget->windowTitle();
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->displayText();
  if (const auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->currentText();
  if (const auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  if (const auto* bar = qobject_cast<const QProgressBar*>(widget))
    return QString::number(bar->value());
  return {};
}

// A name for the widget that stays the same between two maps: its object
// name, or its class and its place among its siblings of that class.
QString NameOf(const QWidget* widget) {
  if (!widget->objectName().isEmpty()) return widget->objectName();
  const QString kind = QString::fromLatin1(widget->metaObject()->className());
  const QWidget* parent = widget->parentWidget();
  if (parent == nullptr) return kind;
  int index = 0;
  for (const QObject* sibling : parent->children()) {
    if (sibling == widget) break;
    if (sibling->metaObject() == widget->metaObject()) ++index;
  }
  return kind + QLatin1Char('#') + QString::number(index);
}

// The names from the top-level window down to the widget.
QString PathOf(const QWidget* widget) {
  const QWidget* parent = widget->isWindow() ? nullptr : widget->parentWidget();
  return parent == nullptr ? NameOf(widget) : PathOf(parent) + QLatin1Char('/') + NameOf(widget);
}

QString Flags(const QWidget* widget) {
  QString flags;
  if (widget->isWindow()) flags += QLatin1Char('W');
  if (widget->hasFocus()) flags += QLatin1Char('F');
  if (!widget->isEnabled()) flags += QLatin1Char('D');
  if (widget->focusPolicy() & Qt::TabFocus) flags += QLatin1Char('T');
  if (widget->isWindow() && widget->isActiveWindow()) flags += QLatin1Char('A');
  return flags.isEmpty() ? QStringLiteral("-") : flags;
}

void DescribeItems(const QAbstractItemView* view, const QString& name, QTextStream& out) {
  const QAbstractItemModel* model = view->model();
  if (model == nullptr) return;
  for (int row = 0; row < model->rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < model->columnCount(); ++column)
      cells << model->index(row, column).data().toString();
    const QRect cell = view->visualRect(model->index(row, 0));
    const QPoint at = view->viewport()->mapToGlobal(cell.topLeft());
    out << "item\t" << name << '#' << row << '\t' << at.x() << ',' << at.y() << ','
        << view->viewport()->width() << ',' << cell.height() << '\t'
        << (view->selectionModel() != nullptr &&
                    view->selectionModel()->isRowSelected(row, QModelIndex())
                ? "S"
                : "-")
        << '\t' << Escaped(cells.join(QStringLiteral(" | "))) << '\n';
  }
}

void DescribeWidget(const QWidget* widget, QTextStream& out) {
  if (!widget->isVisible()) return;
  const QPoint at = widget->mapToGlobal(QPoint(0, 0));
  const QString name = PathOf(widget);
  out << "widget\t" << name << '\t' << widget->metaObject()->className() << '\t' << at.x() << ','
      << at.y() << ',' << widget->width() << ',' << widget->height() << '\t' << Flags(widget)
      << '\t' << Escaped(TextOf(widget)) << '\n';
  if (const auto* view = qobject_cast<const QAbstractItemView*>(widget))
    DescribeItems(view, name, out);
  for (const QObject* child : widget->children()) {
    if (const auto* w = qobject_cast<const QWidget*>(child); w != nullptr && !w->isWindow())
      DescribeWidget(w, out);
  }
}

}  // namespace

std::unique_ptr<WindowProbe> WindowProbe::FromEnvironment() {
  const QString path = qEnvironmentVariable("KELDAR_UI_PROBE");
  if (path.isEmpty()) return nullptr;
  return std::make_unique<WindowProbe>(path);
}

WindowProbe::WindowProbe(QString path) : path_(std::move(path)) {
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    Write();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGUSR1, &action, nullptr);
  // The first map tells whoever waits that the probe listens.
  Write();
}

WindowProbe::~WindowProbe() {
  ::signal(SIGUSR1, SIG_IGN);
  notifier_.reset();
  for (int& fd : signalPipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

QString WindowProbe::Describe() {
  QString text;
  QTextStream out(&text);
  out << "pid\t" << ::getpid() << '\n';
  if (const QWidget* focus = QApplication::focusWidget()) out << "focus\t" << PathOf(focus) << '\n';
  for (const QWidget* window : QApplication::topLevelWidgets()) DescribeWidget(window, out);
  out.flush();
  return text;
}

bool WindowProbe::Write() const {
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(Describe().toUtf8());
  return file.commit();
}
