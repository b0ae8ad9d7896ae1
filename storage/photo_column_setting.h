#pragma once

#include <QByteArray>

// Which column the winners' photos are named after, in the section
// 舞台与隐私 beside the screen privacy. Written only once chosen, so a
// settings file written before stays as it was; empty: no photos.
namespace photo_column_setting {

QByteArray key(); // 照片列: a column's name, a title or 第N列 (GBK)

QByteArray read();
// Writes only a value that differs from the file's.
void writeChanged(const QByteArray& column);

} // namespace photo_column_setting
