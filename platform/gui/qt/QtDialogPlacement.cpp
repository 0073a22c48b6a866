#include "platform/gui/qt/QtDialogPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace plat::gui::qt {

namespace {

QRect screenArea() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry() : QRect();
}

void centreOn(QWidget& dialog, const QRect& area) {
  dialog.move(area.x() + (area.width() - dialog.width()) / 2, area.y() + (area.height() - dialog.height()) / 2);
}

bool shown(const QWidget* widget) {
  return widget != nullptr && widget->isVisible();
}

}  // namespace

void placeDialog(QWidget& dialog, const Placement& placement, QWidget* owner, QWidget* serviceWindow) {
  const QRect screen = screenArea();
  if (placement.centre == Placement::Centre::Owner) {
    if (shown(owner)) {
      centreOn(dialog, QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size()));
      return;
    }
    if (placement.fallbackOffset) {
      dialog.move(screen.x() + screen.width() / 2 + placement.fallbackOffset->dx,
                  screen.y() + screen.height() / 2 + placement.fallbackOffset->dy);
      return;
    }
    if (shown(serviceWindow)) {
      centreOn(dialog, serviceWindow->frameGeometry());
      return;
    }
  }
  centreOn(dialog, screen);
}

QFont toQFont(const DialogFont& font, const QFont& base) {
  QFont result = base;
  if (!font.family.empty()) {
    result.setFamily(QString::fromStdString(font.family));
    // A logical family the font system does not know still comes out as a sans-serif face.
    result.setStyleHint(QFont::SansSerif);
  }
  if (font.points > 0) result.setPointSize(font.points);
  if (font.bold) result.setBold(true);
  return result;
}

}  // namespace plat::gui::qt
