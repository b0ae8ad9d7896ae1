#include "storage/binary_content.h"

namespace {

bool isControl(char16_t character)
{
    if (character < 0x20)
        return character != u'\t' && character != u'\n' && character != u'\v' &&
               character != u'\f' && character != u'\r';
    return character >= 0x7F && character <= 0x9F;
}

} // namespace

void BinaryContentCheck::add(QStringView text)
{
    characters_ += text.size();
    for (const QChar character : text) {
        const char16_t unit = character.unicode();
        if (unit > 0x9F)
            continue;
        if (unit == 0)
            zero_ = true;
        if (isControl(unit))
            ++controls_;
    }
}

bool BinaryContentCheck::isBinary() const
{
    return zero_ || (controls_ > 8 && controls_ * 100 > characters_);
}
