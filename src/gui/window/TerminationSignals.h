#pragma once
// SIGTERM, SIGINT and SIGHUP end the program as File > Exit does. The handler only
// writes a byte to a pipe; the event loop reads it and emits Received, so nothing of
// Qt runs inside the signal handler.

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace quantrel::gui {

class TerminationSignals : public QObject {
    Q_OBJECT

public:
    /// Installs the handlers; one object per process.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void Received(int signal);

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace quantrel::gui
