#include "app/command_line.h"

#include <QCoreApplication>

std::vector<std::string> ProgramArguments() {
    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) {
        arguments.push_back(all[i].toStdString());
    }
    return arguments;
}

int16_t GetCommandLineArgs(std::vector<std::string>& ArgArray,
                           const std::vector<std::string>& arguments, int MaxArgs) {
    ArgArray.assign(1, std::string());
    int count = 0;
    for (const std::string& argument : arguments) {
        bool inside = false;
        for (char c : argument) {
            if (c == ',' || c == '\t') {
                inside = false;
                continue;
            }
            if (!inside) {
                if (count == MaxArgs) {
                    return static_cast<int16_t>(count);
                }
                ++count;
                ArgArray.emplace_back();
                inside = true;
            }
            if (c != '"') {
                ArgArray.back() += c;
            }
        }
    }
    return static_cast<int16_t>(count);
}
