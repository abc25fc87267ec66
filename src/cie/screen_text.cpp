#include "cie/screen_text.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>

#include "platform/text/convert.h"
#include "platform/text/number.h"
#include "platform/ui/ui.h"

namespace {

struct Separators {
    bool Read = false;
    QString Decimal;
    QString Time;
};

Separators& Kept() {
    static Separators kept;
    return kept;
}

QString TimeSeparatorOf(const QString& format) {
    bool inField = false;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == '\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) {
            continue;
        }
        if (c.isLetter()) {
            inField = true;
        } else if (inField && !c.isSpace()) {
            return QString(c);
        }
    }
    return ":";
}

CieUserHooks& Hooks() {
    static CieUserHooks hooks;
    return hooks;
}

QString ToScreen(const std::string& text) {
    QString shown = QString::fromStdString(text);
    const QString decimal = GetLocaleSeparator(0);
    if (decimal != ".") {
        shown.replace('.', decimal);
    }
    return shown;
}

}  // namespace

QString GetLocaleSeparator(int which) {
    Separators& kept = Kept();
    if (!kept.Read) {
        const QLocale locale;
        kept.Decimal = locale.decimalPoint().left(1);
        kept.Time = TimeSeparatorOf(locale.timeFormat(QLocale::ShortFormat));
        kept.Read = true;
    }
    if (which == 0) {
        return kept.Decimal;
    }
    if (which == 1) {
        return kept.Time;
    }
    return {};
}

void ResetLocaleSeparators() {
    Kept() = Separators{};
}

QString ScreenFormat(double value, const char* pattern) {
    return ToScreen(Format(value, pattern));
}

QString ScreenFormat(float value, const char* pattern) {
    return ToScreen(Format(value, pattern));
}

std::optional<double> ScreenNumber(const QString& text) {
    QString plain = text;
    const QString decimal = GetLocaleSeparator(0);
    if (decimal != ".") {
        // A full stop is no decimal sign on such a desktop.
        if (plain.contains('.')) {
            return std::nullopt;
        }
        plain.replace(decimal, ".");
    }
    return ParseDouble(plain.toStdString());
}

bool FilterNumericKey(const QLineEdit& box, char16_t key, bool decimals, bool negatives,
                      bool times) {
    const QString decimal = GetLocaleSeparator(0);
    const QString time = GetLocaleSeparator(1);
    const QString typed(QChar{key});
    const QString text = box.text();
    if (typed == decimal) {
        if (!decimals) {
            return false;
        }
        if (box.selectedText().size() == text.size()) {
            return true;
        }
        return !text.contains(decimal);
    }
    if (typed == time) {
        return times && text.count(time) < 2;
    }
    if (key == u'-') {
        return negatives && !text.contains('-');
    }
    if (key == 8 || key == 13 || key == u'.' || (key >= u'0' && key <= u':')) {
        return true;
    }
    if (key == u';') {
        return times;
    }
    return false;
}

void InstallCieUserHooks(CieUserHooks hooks) {
    Hooks() = std::move(hooks);
}

int CieMsgBox(const std::string& prompt, int buttons, const std::string& title) {
    if (Hooks().MsgBox) {
        return Hooks().MsgBox(prompt, buttons, title);
    }
    QMessageBox box(
        IconOf(buttons) == vbExclamation ? QMessageBox::Warning : QMessageBox::Information,
        QString::fromStdString(title), QString::fromStdString(prompt), QMessageBox::Ok,
        QApplication::activeWindow());
    box.exec();
    return vbOK;
}

void CieBeep() {
    if (Hooks().Beep) {
        Hooks().Beep();
        return;
    }
    QApplication::beep();
}
