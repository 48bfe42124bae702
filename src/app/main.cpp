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

    // The signals end the program through the event loop, so the store routine runs;
    // they are caught from the start, as a signal during start-up must not kill it.
    // A signal taken in a message box's loop before exec() is remembered, so the
    // program still ends.
    bool ending = false;
    quantrel::gui::TerminationSignals termination;
    QObject::connect(&termination, &quantrel::gui::TerminationSignals::Received, &app, [&ending] {
        ending = true;
        QApplication::quit();
    });

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

    // The session's end stores what File > Exit stores, once.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     &quantrel::gui::TCalculator::StoreAll);

    if (ending)
        return 0;
    if (window.TrayMode())
        QApplication::setQuitOnLastWindowClosed(false);
    else
        window.show();
    return QApplication::exec();
}
