#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal on the event loop, so that the game can end
// the normal way (and save its table) instead of being cut off. The handler itself only writes
// one byte to a pipe; everything else happens on the window's thread. One instance at a time.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override; // restores the default actions

signals:
    // One of the three signals arrived; `number` is the signal's number.
    void received(int number);

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};
