// The point readout: a borderless popup beside the mouse that names the data
// point under the graph cursor and closes itself two seconds after it opened.
#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QTimer;

class frmCMForm : public QWidget {
    Q_OBJECT
public:
    // Owned by the graph window; the timer starts now.
    explicit frmCMForm(QWidget* owner);

    // New text, the popup sized to it. The timer runs on: the popup closes
    // two seconds after it opened, however often the text changes.
    void SetText(const std::string& text);

    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

    void Timer1_Timer();
};
