// The Quantrel program: the calculator window. It runs from its build folder as a
// portable install does, keeping its files beside the executable when it may.

#include "window/Calculator.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Names the per-user data folder used when the executable's folder is read-only.
    QApplication::setApplicationName(QStringLiteral("quantrel"));
    quantrel::gui::TCalculator window;
    window.show();
    return QApplication::exec();
}
