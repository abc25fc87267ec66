#include "ops/analysis/derivative_gap.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame/settings.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"

namespace {

constexpr int16_t SmallestGap = 3;
constexpr int16_t LargestGap = 65;
constexpr int16_t DefaultGap = 7;
// What "&Close" leaves: no choice made means the gap the program has always
// fallen back to there.
constexpr int16_t ClosedGap = 5;

bool ListedGap(int16_t gap) {
    return gap >= SmallestGap && gap <= LargestGap && gap % 2 == 1;
}

int GapIndex(int16_t gap) {
    return (gap - SmallestGap) / 2;
}

}  // namespace

frmDerivative::frmDerivative(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Derivative Gap"));
    Combo1 = new QComboBox(this);
    for (int16_t gap = SmallestGap; gap <= LargestGap; gap += 2) {
        Combo1->addItem(QString::number(gap), QVariant(static_cast<int>(gap)));
    }
    list_ = Combo1->view();
    Combo1->installEventFilter(this);
    list_->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    const char* captions[] = {"&OK", "&Close"};
    for (int index = 0; index < 2; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(captions[index]), this);
        connect(button, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
        buttons->addWidget(button);
        Command1[static_cast<std::size_t>(index)] = button;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Combo1);
    layout->addLayout(buttons);

    if (!ListedGap(DerivativeGap)) {
        DerivativeGap = DefaultGap;
    }
    preselected_ = GapIndex(DerivativeGap);
    Combo1->setCurrentIndex(preselected_);
    adjustSize();
    CenterForm(*this);
}

void frmDerivative::Command1_Click(int index) {
    if (index == 1) {
        Combo1->setCurrentIndex(-1);
    }
    accept();
}

void frmDerivative::reject() {
    Combo1->setCurrentIndex(preselected_);
    QDialog::reject();
}

bool frmDerivative::eventFilter(QObject* watched, QEvent* event) {
    const bool inList = watched == list_;
    if ((watched == Combo1 || inList) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (inList && (enter || key->key() == Qt::Key_Escape)) {
            // The open list takes its highlighted entry, or closes without.
            return QDialog::eventFilter(watched, event);
        }
        if (enter) {
            Command1[0]->click();
            return true;
        }
        // Typing would jump to the entry that starts with the text; only the
        // list's own navigation may change the gap.
        if (!key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SelectDerivativeGap() {
    int16_t gap = ClosedGap;
    {
        frmDerivative form(QApplication::activeWindow());
        ShowModal(form);
        const int index = form.Combo1->currentIndex();
        if (index >= 0) {
            gap = static_cast<int16_t>(form.Combo1->itemData(index).toInt());
        }
    }
    DerivativeGap = gap;
    SaveSettings();
}
