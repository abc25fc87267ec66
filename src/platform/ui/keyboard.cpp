#include "platform/ui/keyboard.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <algorithm>

namespace {

bool IsButton(const QWidget* widget) {
    return qobject_cast<const QPushButton*>(widget) != nullptr ||
           qobject_cast<const QToolButton*>(widget) != nullptr;
}

bool TakesTabFocus(const QWidget* widget, const QWidget& window) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
           widget->focusProxy() == nullptr && widget->isEnabled() && widget->isVisibleTo(&window);
}

bool IsReturn(const QKeyEvent& key) {
    const bool returnKey = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    return returnKey && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

class KeyboardRule : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                return KeyPress(watched, *static_cast<QKeyEvent*>(event));
            case QEvent::Show:
                if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow()) {
                    KeepReturnForTheDefault(*dialog);
                    OpenOnFirstInput(*dialog);
                }
                return false;
            default:
                return false;
        }
    }

private:
    static bool KeyPress(QObject* watched, const QKeyEvent& key) {
        if (auto* button = qobject_cast<QAbstractButton*>(watched); button && IsButton(button)) {
            // Outside dialogs a push button takes no notice of Return at all,
            // and inside them only when it may become the default; a tool
            // button never does.
            if (IsReturn(key) && button->isEnabled()) {
                if (!key.isAutoRepeat()) {
                    button->click();
                }
                return true;
            }
            return false;
        }
        // Text boxes keep Return: it reaches only the button their window
        // made its default. Tab, though, moves on, or the keyboard could not
        // get past a note box.
        const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
        if (tab && (key.modifiers() & Qt::ControlModifier) == 0) {
            if (auto* plain = qobject_cast<QPlainTextEdit*>(watched)) {
                plain->setTabChangesFocus(true);
            } else if (auto* rich = qobject_cast<QTextEdit*>(watched)) {
                rich->setTabChangesFocus(true);
            }
        }
        return false;
    }

    // Left to itself a dialog without a default button makes one of the first
    // push button after the focus, and Return in a box would press it: a
    // browse or an add nobody asked for. Return on a focused button needs no
    // auto-default here, so a dialog keeps only the default it names.
    static void KeepReturnForTheDefault(QDialog& dialog) {
        const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
        const bool named = std::any_of(buttons.begin(), buttons.end(), [&](QPushButton* button) {
            return button->isDefault() && button->window() == &dialog;
        });
        if (named) {
            return;
        }
        for (QPushButton* button : buttons) {
            if (button->window() == &dialog) {
                button->setAutoDefault(false);
            }
        }
    }

    // A focus the dialog chose itself stays, unless it is a button: Return
    // would then end the dialog before anything was entered.
    static void OpenOnFirstInput(QDialog& dialog) {
        QWidget* focus = dialog.focusWidget();
        if (focus != nullptr && focus != &dialog && !IsButton(focus)) {
            return;
        }
        if (QWidget* first = FirstInput(dialog)) {
            first->setFocus(Qt::OtherFocusReason);
        }
    }
};

KeyboardRule* Installed = nullptr;

}  // namespace

QWidget* FirstInput(QWidget& window) {
    for (QWidget* widget = window.nextInFocusChain(); widget != &window;
         widget = widget->nextInFocusChain()) {
        if (window.isAncestorOf(widget) && TakesTabFocus(widget, window) && !IsButton(widget)) {
            return widget;
        }
    }
    return nullptr;
}

void InstallKeyboardRule() {
    if (Installed != nullptr) {
        return;
    }
    Installed = new KeyboardRule(qApp);
    QObject::connect(Installed, &QObject::destroyed, [] { Installed = nullptr; });
    qApp->installEventFilter(Installed);
}
