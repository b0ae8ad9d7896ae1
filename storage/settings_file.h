#pragma once

#include <QByteArray>
#include <QString>

// The sectioned key=value settings file. Every call opens the file, does its
// one access and closes it, so changes made by other programs between two
// calls are seen. Section, key and value are GBK bytes.
class SettingsFile
{
  public:
    static constexpr int kMaxValueBytes = 2047;

    explicit SettingsFile(QString path);
    // The file rafflixset.ini in the current working directory.
    static SettingsFile inWorkingDirectory();

    const QString& path() const { return path_; }

    // A missing file, section or key reads as empty; never fails.
    QByteArray read(const QByteArray& section, const QByteArray& key) const;
    // Replaces the key in place, or appends it to its section, or appends the
    // section; the file is replaced as a whole. Throws "Unable to write to %s",
    // also for a file that exists but cannot be read. Section, key and value
    // are cut at their first line break, which the one-line format cannot hold.
    void write(const QByteArray& section, const QByteArray& key, const QByteArray& value) const;

  private:
    QString path_;
};

QByteArray readSetting(const QByteArray& section, const QByteArray& key);
void writeSetting(const QByteArray& section, const QByteArray& key, const QByteArray& value);
