#include "views/point_popup.h"

#include <QLabel>
#include <QTimer>

namespace {

constexpr int LifetimeMs = 2000;

}  // namespace

frmCMForm::frmCMForm(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName("frmCMForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    // Curve labels are file names, which may hold "<" and "&": shown as they
    // are, never read as markup.
    Label1->setTextFormat(Qt::PlainText);
    Label1->setMargin(2);
    Label1->setAutoFillBackground(true);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);
    Timer1->setInterval(LifetimeMs);
    connect(Timer1, &QTimer::timeout, this, &frmCMForm::Timer1_Timer);
    Timer1->start();
}

void frmCMForm::SetText(const std::string& text) {
    Label1->setText(QString::fromStdString(text));
    Label1->adjustSize();
    resize(Label1->size());
}

void frmCMForm::Timer1_Timer() {
    close();
}
