// The derivative gap: the dialog that picks it and the command that asks for
// it and keeps it in the settings.
#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QPushButton;

// "Derivative Gap": the odd gaps 3 to 65, nothing else can be entered.
class frmDerivative : public QDialog {
    Q_OBJECT

public:
    // Opens on the entry of DerivativeGap; a stored gap the list does not
    // hold is replaced by 7 at once.
    explicit frmDerivative(QWidget* parent = nullptr);

    // The 32 gaps "3", "5", ... "65", each with its number as item data.
    // Enter accepts the entry shown; typed characters are discarded.
    QComboBox* Combo1 = nullptr;
    // 0 "&OK" hides the dialog; 1 "&Close" clears the selection, then hides it.
    std::array<QPushButton*, 2> Command1{};

    // The title bar's close box ends like OK on the entry the dialog opened
    // on: a pick made before is dropped. Esc does the same only while a
    // button has the focus; the gap list swallows every key but Return.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Command1_Click(int index);

    int preselected_ = -1;
    QObject* list_ = nullptr;  // Combo1's drop-down list
};

// Shows the gap dialog; DerivativeGap becomes the gap picked, or 5 when the
// user pressed "&Close". The settings are saved, so the gap persists.
void SelectDerivativeGap();
