#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT as a Qt signal, delivered by the event loop
// like any input: the signal handler itself only writes a byte to a socket
// pair, which is all a handler may safely do. While such an object lives,
// these signals no longer end the process on their own. One at a time.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received();

private:
    QSocketNotifier* notifier_ = nullptr;
};
