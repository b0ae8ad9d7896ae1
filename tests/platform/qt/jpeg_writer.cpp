#include "jpeg_writer.h"

#include <cstdlib>
#include <vector>

QByteArray encodeJpeg(const JpegRecipe& recipe)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &bytes, &size);
    info.image_width = JDIMENSION(recipe.width);
    info.image_height = JDIMENSION(recipe.height);
    info.input_components = recipe.components;
    info.in_color_space = recipe.colourSpace;
    jpeg_set_defaults(&info);
    // CMYK is kept as CMYK (with the Adobe marker), not turned into YCCK.
    if (recipe.colourSpace == JCS_CMYK)
        jpeg_set_colorspace(&info, JCS_CMYK);
    jpeg_set_quality(&info, 95, TRUE);
    if (recipe.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(recipe.width) * size_t(recipe.components));
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < recipe.width; ++x)
            recipe.pixel(x, int(info.next_scanline), &row[size_t(x * recipe.components)]);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray result(reinterpret_cast<const char*>(bytes), int(size));
    std::free(bytes);
    return result;
}
