#include "base/kit/fonts.h"

#include <QFont>
#include <QWidget>

namespace look {
namespace {

void PinChildren(QWidget& parent, const QFont& parentFont) {
  for (auto* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    // resolve() keeps what the layout set on the child and fills in the rest.
    QFont font = child->font().resolve(parentFont);
    font.setResolveMask(font.resolveMask() | parentFont.resolveMask());
    child->setFont(font);
    PinChildren(*child, font);
  }
}

}  // namespace

void SetPixelSize(QWidget* widget, int pixels) {
  QFont font = widget->font();
  font.setPixelSize(pixels);
  widget->setFont(font);
}

void PinFonts(QWidget& root) { PinChildren(root, root.font()); }

}  // namespace look
