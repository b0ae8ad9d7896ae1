#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Decodes a JPEG file at full size into a 24-bit colour image through libjpeg.
// Grayscale and CMYK pictures come out as RGB; a cut-off file shows what was
// decoded (the rest grey, as the decoder fills it).
// Throws "Cannot open file ..." when the file cannot be read, "JPEG error #n"
// with the decoder's message code when it is not a valid JPEG, and a plain
// refusal when the header declares more than 100 megapixels.
QImage loadJpegPicture(const QString& path);
// The same, decoded at a half, a quarter or an eighth of its size where that
// still covers bound, and with the decoder's fast settings: a photo beside a
// name costs a fraction of its full decoding.
QImage loadJpegPictureCovering(const QString& path, const QSize& bound);
