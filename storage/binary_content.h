#pragma once

#include <QStringView>

// Whether a file read as text is really binary (a program, a picture, a
// PDF, a compressed archive), whose "lines" must never become participants.
// Binary means a zero character anywhere, which text never holds, or control
// characters making up more than one in a hundred characters (and more than
// eight in all, so a stray end-of-file mark or escape does not count). Tab,
// the line breaks (LF, CR, VT, FF) are text; the other C0 controls, DEL and
// the C1 controls are not. Random bytes give about one in six.
class BinaryContentCheck
{
  public:
    void add(QStringView text);

    bool hasZeroCharacter() const { return zero_; }
    bool isBinary() const;

  private:
    qint64 characters_ = 0;
    qint64 controls_ = 0;
    bool zero_ = false;
};
