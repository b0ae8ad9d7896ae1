#pragma once

#include <QString>

class QWidget;

enum class BoxIcon { Information, Warning, Critical, Question };
enum class BoxAnswer { Ok, Yes, No };

struct BoxRequest
{
    QString text;
    QString caption;
    BoxIcon icon = BoxIcon::Information;
    bool topMost = false;
    bool yesNo = false;     // Yes and No instead of a single OK
    bool defaultNo = false; // with yesNo: No is the default button
};

// Modal message boxes; tests replace the implementation to answer them.
class MessageBoxes
{
  public:
    virtual ~MessageBoxes() = default;
    virtual BoxAnswer show(QWidget* parent, const BoxRequest& request) = 0;
};

// The program's own kinds of box.
BoxRequest warningBox(const QString& text);                      // 警告, warning icon
BoxRequest noticeBox(const QString& text, bool topMost = false); // 提示, information icon
BoxRequest warningNoticeBox(const QString& text);                // 提示, warning icon
BoxRequest questionBox(const QString& text, bool defaultNo);     // 提示, 是/否
