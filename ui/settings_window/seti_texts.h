#pragma once

#include <QString>
#include <QStringList>

// Fixed texts of the settings window.
namespace settings_texts {

QString caption();              // 设置
QString importInstruction();    // the import field's first content
QString repeatHint();           // tooltip of lbl17 and cbb1, two lines
QStringList informationLines(); // the fourteen lines of the information page
QString titleFull();            // 标题最多输入9个汉字！
QString saved();                // 修改成功，请进行其它设置！
QString drawRunning();          // a save refused while the main window draws
QString importEmpty();
QString importDone();
QString importFailed();
QString musicFilter(); // the start and stop music dialogs: wave, MP3, Ogg and FLAC files

} // namespace settings_texts
