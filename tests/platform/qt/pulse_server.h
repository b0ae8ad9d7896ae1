#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <vector>

// A private sound server for one test: a null output whose monitor can be
// recorded, reached through its own socket. The server is this process's
// child and goes when the object does (or when the process dies).
class PulseServer
{
  public:
    PulseServer();
    ~PulseServer();

    // Empty when the server runs; otherwise why it could not start.
    QString failure() const { return failure_; }
    // The address for PULSE_SERVER.
    QByteArray address() const { return address_; }
    static QString sinkName() { return QStringLiteral("prizmora_test"); }

    // Records the null output's monitor as 16-bit mono at the given rate;
    // returns once the recording runs, false when it does not.
    bool startRecording(int sampleRate);
    // Stops recording and returns the samples, scaled to [-1, 1].
    std::vector<float> stopRecording();

    QString serverLog() const;

  private:
    bool runClient(const QStringList& arguments, QString* output = nullptr) const;
    void prepareChild(QProcess& process) const;

    QTemporaryDir dir_;
    QProcess server_;
    QProcess recorder_;
    QByteArray address_;
    QString failure_;
};
