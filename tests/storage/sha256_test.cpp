#include "base/sha256.h"
#include "storage/draw_record.h"
#include "storage/text_line_list.h"

#include <gtest/gtest.h>

namespace {

// Known digests: the empty input and "abc" from FIPS 180-2, and a list as its
// file holds it, each line ended by CR LF (checked with sha256sum).
TEST(Sha256, MatchesKnownDigestsWholeAndByLines)
{
    struct Case
    {
        std::vector<QByteArray> lines; // empty: the bytes are hashed whole
        QByteArray bytes;
        const char* digest;
    };
    const Case cases[] = {
        {{}, "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {{}, "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {{"abc"}, "abc\r\n", "552bab6864c7a7b69a502ed1854b9245c0e1a30f008aaa0b281da62585fdb025"},
        {{"\xd5\xc5\xc8\xfd 110101199001011234", "", "Li Si  "},
         "\xd5\xc5\xc8\xfd 110101199001011234\r\n\r\nLi Si  \r\n",
         "3d652d5f3647123410eb5b87c5ff2516a2ff4f571107cf61dce28d973d596f57"},
    };
    for (const Case& c : cases) {
        const QByteArray whole = sha256::hex(c.bytes);
        EXPECT_EQ(whole, c.digest) << c.bytes.toStdString();
        if (c.lines.empty())
            continue;
        TextLineList list;
        for (const QByteArray& line : c.lines)
            list.add(line);
        EXPECT_EQ(draw_record::linesSha256(list), whole) << c.bytes.toStdString();
        EXPECT_EQ(draw_record::joinedLines(list), c.bytes);
    }
}

// A list longer than one chunk of the line-by-line hash gives the digest of
// its joined bytes.
TEST(Sha256, LongListHashesAsJoined)
{
    TextLineList list;
    for (int i = 0; i < 200000; ++i)
        list.add(QByteArray::number(i * 7919));
    EXPECT_EQ(draw_record::linesSha256(list), sha256::hex(draw_record::joinedLines(list)));
}

} // namespace
