#pragma once

#include <QByteArray>

#include <functional>

#include <jpeglib.h>

// Test pictures made with libjpeg's own compressor. pixel(x, y, out) fills the
// components of one pixel in the given input colour space.
struct JpegRecipe
{
    int width = 16;
    int height = 16;
    J_COLOR_SPACE colourSpace = JCS_RGB;
    int components = 3;
    bool progressive = false;
    std::function<void(int x, int y, JSAMPLE* out)> pixel;
};

QByteArray encodeJpeg(const JpegRecipe& recipe);
