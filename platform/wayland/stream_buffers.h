// The buffers a stream hands over at one wake-up: which of them carries a picture.
#pragma once

#include <pipewire/stream.h>

#include <span>

// Whether `buffer` holds a picture. Producers (GNOME, KDE) send empty or damaged chunks, with
// cursor metadata, when only the pointer moved or a copy failed.
bool CarriesPicture(const spa_buffer& buffer);

// Of the buffers `waiting` at one wake-up, oldest first, the newest that carries a picture: a
// pointer-only buffer after it must not cost its picture. nullptr when none does.
const spa_buffer* NewestPicture(std::span<pw_buffer* const> waiting);
