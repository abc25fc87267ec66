#include "platform/ui/center.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

void CenterForm(QWidget& Frm) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    // Before the first show a window has no frame yet; its frame geometry is
    // then its own geometry, and move() places the frame once it has one.
    const QSize size = Frm.frameGeometry().size();
    Frm.move(area.x() + (area.width() - size.width()) / 2,
             area.y() + (area.height() - size.height()) / 2);
}
