// The Quantrel program: one copy at a time, the calculator window, and an orderly end
// on File > Exit, the tray's "&Close Quantrel", a signal or the session's end. It runs
// from its build folder as a portable install does, keeping its files beside the
// executable when it may.

#include "window/Calculator.h"
#include "window/SingleInstance.h"
#include "window/TerminationSignals.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Names the per-user data folder used when the executable's folder is read-only.
    QApplication::setApplicationName(QStringLiteral("quantrel"));

    // A later copy brings the first to the front and ends before it reads anything.
    quantrel::gui::SingleInstance instance;
    if (!instance.BecomeFirst()) {
        instance.RequestShow();
        return 0;
    }

    quantrel::gui::WindowOptions options;
    const QStringList arguments = QApplication::arguments();
    options.trayMode = arguments.size() > 1 && arguments[1].toUpper() == QStringLiteral("T");
    quantrel::gui::TCalculator window(options);
    QObject::connect(&instance, &quantrel::gui::SingleInstance::ShowRequested, &window,
                     &quantrel::gui::TCalculator::ShowFromOutside);

    // The signals and the session's end store what File > Exit stores, once.
    quantrel::gui::TerminationSignals termination;
    QObject::connect(&termination, &quantrel::gui::TerminationSignals::Received, &app,
                     &QApplication::quit);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     &quantrel::gui::TCalculator::StoreAll);

    if (window.TrayMode())
        QApplication::setQuitOnLastWindowClosed(false);
    else
        window.show();
    return QApplication::exec();
}
