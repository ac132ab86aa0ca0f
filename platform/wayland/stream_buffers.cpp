#include "stream_buffers.h"

bool CarriesPicture(const spa_buffer& buffer) {
    if (buffer.n_datas == 0 || !buffer.datas)
        return false;
    const spa_data& data = buffer.datas[0];
    return data.data && data.maxsize > 0 && data.chunk && data.chunk->size > 0 &&
           (data.chunk->flags & SPA_CHUNK_FLAG_CORRUPTED) == 0;
}

const spa_buffer* NewestPicture(std::span<pw_buffer* const> waiting) {
    for (auto it = waiting.rbegin(); it != waiting.rend(); ++it)
        if ((*it)->buffer && CarriesPicture(*(*it)->buffer))
            return (*it)->buffer;
    return nullptr;
}
