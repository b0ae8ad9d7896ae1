#pragma once

#include <QImage>
#include <QString>

// Decodes a JPEG file at full size into a 24-bit colour image through libjpeg.
// Throws "Cannot open file ..." when the file cannot be read and
// "JPEG error #n" with the decoder's message code when it is not a valid JPEG.
QImage loadJpegPicture(const QString& path);
