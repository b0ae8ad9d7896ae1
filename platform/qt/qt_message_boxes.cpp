#include "platform/qt/qt_message_boxes.h"

#include "platform/qt/box_owner.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon toQtIcon(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Critical:
        return QMessageBox::Critical;
    case BoxIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

BoxAnswer QtMessageBoxes::show(QWidget* parent, const BoxRequest& request)
{
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Over the frontmost program window, not behind the settings window.
    QWidget* owner = boxOwner(parent);
    QMessageBox box(toQtIcon(request.icon), request.caption, text, QMessageBox::NoButton, owner);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    if (request.topMost || ownerStaysOnTop(owner))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (request.yesNo) {
        QAbstractButton* yes = box.addButton(QMessageBox::Yes);
        QAbstractButton* no = box.addButton(QMessageBox::No);
        yes->setText(QStringLiteral("是"));
        no->setText(QStringLiteral("否"));
        box.setDefaultButton(request.defaultNo ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.addButton(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    }
    box.exec();
    if (!request.yesNo)
        return BoxAnswer::Ok;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? BoxAnswer::Yes : BoxAnswer::No;
}
