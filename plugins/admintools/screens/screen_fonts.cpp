#include "screens/screen_fonts.h"

#include <QFont>
#include <QWidget>

namespace admintools {
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

void PinFonts(QWidget& root) { PinChildren(root, root.font()); }

}  // namespace admintools
