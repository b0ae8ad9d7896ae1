#pragma once

#include <QFont>
#include <QObject>
#include <QString>

class QLineEdit;

// Keeps the whole line of the big display field visible: every new text, new
// font (the stage view scales it) or new size fits the line again. The font
// the field was given stays in its "designFont" property, so whoever takes
// the field's font as its design gets that one, not a shrunk one.
class DisplayFitter : public QObject
{
    Q_OBJECT
  public:
    // The smallest size a line shrinks to, as a share of the field's font.
    static constexpr double kMinimumShare = 0.4;

    explicit DisplayFitter(QLineEdit* field);

    // The line as last set, before any shortening.
    const QString& fullText() const { return fullText_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void refit();
    int availableWidth() const;

    QLineEdit* field_;
    QFont designFont_;
    QString fullText_;
    bool applying_ = false;
};
