// Any bytes as a music file, opened and decoded the way the sound player
// reads a wave file: from memory through libsndfile's virtual I/O, in
// blocks, to the end of the data. Decoding must end without a crash or a
// hang, whatever sizes the header declares.

#include "fuzz_support.h"

#include <algorithm>
#include <cstring>
#include <sndfile.h>
#include <vector>

namespace {

struct MemoryFile
{
    const uint8_t* data;
    sf_count_t size;
    sf_count_t position = 0;
};

sf_count_t fileLength(void* user)
{
    return static_cast<MemoryFile*>(user)->size;
}

sf_count_t seek(sf_count_t offset, int whence, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    sf_count_t target = offset;
    if (whence == SEEK_CUR)
        target = file->position + offset;
    else if (whence == SEEK_END)
        target = file->size + offset;
    if (target < 0 || target > file->size)
        return -1;
    file->position = target;
    return target;
}

sf_count_t read(void* buffer, sf_count_t count, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t available = std::max<sf_count_t>(0, file->size - file->position);
    const sf_count_t taken = std::min(count, available);
    if (taken > 0)
        std::memcpy(buffer, file->data + file->position, static_cast<size_t>(taken));
    file->position += taken;
    return taken;
}

sf_count_t write(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t tell(void* user)
{
    return static_cast<MemoryFile*>(user)->position;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryFile file{data, static_cast<sf_count_t>(size)};
    SF_VIRTUAL_IO io{fileLength, seek, read, write, tell};
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&io, SFM_READ, &info, &file);
    if (!sound)
        return 0;
    FUZZ_CHECK(info.channels > 0 && info.samplerate > 0);

    // Blocks as a player would pull them; the declared length is not trusted,
    // only the bytes that are there.
    constexpr sf_count_t kBlockFrames = 1024;
    std::vector<float> block(static_cast<size_t>(kBlockFrames * info.channels));
    sf_count_t total = 0;
    for (int blocks = 0; blocks < 4096; ++blocks) {
        const sf_count_t got = sf_readf_float(sound, block.data(), kBlockFrames);
        if (got <= 0)
            break;
        FUZZ_CHECK(got <= kBlockFrames);
        total += got;
    }
    FUZZ_CHECK(total >= 0);
    sf_close(sound);
    return 0;
}
