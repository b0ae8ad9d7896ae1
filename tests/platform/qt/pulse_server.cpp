#include "pulse_server.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <signal.h>
#include <sys/prctl.h>

#include <vector>

PulseServer::PulseServer()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
        failure_ = QStringLiteral("pulseaudio, pactl or parec is not installed");
        return;
    }
    if (!dir_.isValid()) {
        failure_ = QStringLiteral("no temporary folder for the sound server");
        return;
    }
    const QString socket = dir_.filePath(QStringLiteral("native"));
    address_ = "unix:" + QFile::encodeName(socket);
    prepareChild(server_);
    // To a file: an unread pipe could fill up and stall the server.
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.setStandardOutputFile(dir_.filePath(QStringLiteral("server.log")));
    // As root the server warns but runs; -n keeps it from loading the
    // machine's configuration, so only these two modules exist.
    server_.start(
        program,
        {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
         QStringLiteral("-n"), QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
         QStringLiteral("module-null-sink sink_name=%1 rate=44100").arg(sinkName()),
         QStringLiteral("-L"),
         QStringLiteral("module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket)});
    if (!server_.waitForStarted(5000)) {
        failure_ = QStringLiteral("pulseaudio did not start: %1").arg(server_.errorString());
        return;
    }
    const QDeadlineTimer deadline(5000);
    while (!runClient({QStringLiteral("info")})) {
        if (server_.state() != QProcess::Running || deadline.hasExpired()) {
            server_.kill();
            server_.waitForFinished(2000);
            failure_ = QStringLiteral("pulseaudio did not come up: %1").arg(serverLog());
            return;
        }
        QThread::msleep(50);
    }
    if (!runClient({QStringLiteral("set-default-sink"), sinkName()}))
        failure_ = QStringLiteral("pactl set-default-sink failed");
}

PulseServer::~PulseServer()
{
    for (QProcess* process : {&recorder_, &server_}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
}

QString PulseServer::serverLog() const
{
    QFile log(dir_.filePath(QStringLiteral("server.log")));
    if (!log.open(QIODevice::ReadOnly))
        return QStringLiteral("(no log)");
    return QString::fromLocal8Bit(log.readAll().right(2000));
}

void PulseServer::prepareChild(QProcess& process) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Everything the server or a client would keep goes into the private folder.
    environment.insert(QStringLiteral("HOME"), dir_.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
    environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir_.path());
    environment.insert(QStringLiteral("PULSE_STATE_PATH"), dir_.path());
    environment.insert(QStringLiteral("PULSE_SERVER"), QString::fromLocal8Bit(address_));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    process.setProcessEnvironment(environment);
    // A crashed test must not leave a server running.
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

bool PulseServer::runClient(const QStringList& arguments, QString* output) const
{
    QProcess client;
    prepareChild(client);
    client.start(QStringLiteral("pactl"), arguments);
    if (!client.waitForFinished(3000)) {
        client.kill();
        client.waitForFinished(1000);
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(client.readAllStandardOutput());
    return client.exitStatus() == QProcess::NormalExit && client.exitCode() == 0;
}

bool PulseServer::startRecording(int sampleRate)
{
    prepareChild(recorder_);
    recorder_.start(QStringLiteral("parec"),
                    {QStringLiteral("--device=%1.monitor").arg(sinkName()),
                     QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                     QStringLiteral("--rate=%1").arg(sampleRate),
                     QStringLiteral("--latency-msec=20")});
    // On a busy machine the recorder takes a second or more to connect; only
    // once its first samples arrive does the recording cover what follows.
    return recorder_.waitForStarted(5000) && recorder_.waitForReadyRead(10000);
}

std::vector<float> PulseServer::stopRecording()
{
    recorder_.terminate();
    recorder_.waitForFinished(3000);
    const QByteArray bytes = recorder_.readAllStandardOutput();
    std::vector<float> samples(size_t(bytes.size() / 2));
    const auto* raw = reinterpret_cast<const qint16*>(bytes.constData());
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(raw[i]) / 32768.0f;
    return samples;
}
