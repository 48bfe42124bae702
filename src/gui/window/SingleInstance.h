#pragma once
// One copy at a time. A lock file in the user's runtime folder decides which copy is
// first; the first listens on a local socket that only the same user can reach, and a
// later copy sends it one fixed request to show its window, then ends before reading
// or writing anything. A lock left by a crashed copy is taken over (its process is
// gone); when the rule cannot be set up, every copy runs as the first.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace quantrel::gui {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    /// `folder` holds the lock and the socket; empty for the user's runtime folder.
    explicit SingleInstance(QString folder = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    /// Takes the lock and starts listening: true for the first copy, and also when the
    /// lock cannot be set up at all. False when another copy holds it.
    bool BecomeFirst();
    /// A later copy: asks the first to show itself; false when it did not answer.
    bool RequestShow() const;

    /// The request every later copy sends.
    static constexpr const char* kRequest = "show\n";

signals:
    /// A later copy asked this one to show its window.
    void ShowRequested();

private:
    void accept();

    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

} // namespace quantrel::gui
