// indexTags and findTag: the places of the "<" in the device list, listed
// once, so that the searches for elements and the two dozen for the
// children of each compare list entries instead of reading the text again.
//
// Contract (parsing.h): the index lists the first `capacity` "<" of the
// text, those within its first 64 KiB; findTag finds exactly what
// findInText finds in the same part of the text, reading the text only
// behind the last listed "<".
#include "parsing.h"

#if defined(__mips__)
// The bytes of an aligned word of text that may be "<" or zero: the top
// bit of each such byte is set, exactly for the first of them (a byte
// behind it may be flagged too, so each is checked).
static inline uint32_t candidateBytes(uint32_t word) {
    uint32_t less = word ^ 0x3C3C3C3Cu;
    return (((word - 0x01010101u) & ~word) | ((less - 0x01010101u) & ~less)) & 0x80808080u;
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the word scan takes the first byte of a word as its lowest");
#endif

// The two bytes behind a "<" as findTag compares them first.
static inline uint16_t keyOf(unsigned char first, unsigned char second) {
    return (uint16_t)(first | second << 8);
}

// Lists the "<" at `at` in place.
static inline void listPlace(TagPlace* place, const char* start, const char* at, const char* end) {
    unsigned char first = at + 1 < end ? (unsigned char)at[1] : 0;
    unsigned char second = first && at + 2 < end ? (unsigned char)at[2] : 0;
    place->offset = (uint16_t)(at - start);
    place->key = keyOf(first, second);
}

extern "C" void indexTags(const char* start, const char* end, TagPlace* places, int capacity,
                          TagIndex* index) {
    const char* at = start;
    const char* stop = end;  // the first "<" not listed, or end
    int count = 0;
#if defined(__mips__)
    // Four bytes at a time, and only the flagged bytes of a word one by
    // one: on the recorder a byte loop costs three times as much, and the
    // list is read whole on every parse.
    while (at < end) {
        const char* word = at;
        uint32_t mask = 0;
        if (((uintptr_t)at & 3) == 0) {
            while (end - word >= 4) {
                uint32_t value;
                memcpy(&value, __builtin_assume_aligned(word, 4), 4);
                mask = candidateBytes(value);
                if (mask) break;
                word += 4;
            }
            at = mask ? word + 4 : word;
        }
        if (!mask) {
            // A byte outside the text's whole words.
            if (at == end) break;
            word = at++;
            mask = *word == '<' || *word == 0 ? 0x80u : 0u;
        }
        for (; mask; mask &= mask - 1) {
            const char* byte = word + __builtin_ctz(mask) / 8;
            if (*byte == 0) {
                end = byte;
                break;
            }
            if (*byte != '<') continue;
            if (count == capacity || byte - start > UINT16_MAX) {
                stop = byte;
                goto full;
            }
            listPlace(&places[count++], start, byte, end);
        }
    }
#else
    // On the PC the C library finds a byte with vector instructions, many
    // bytes at a time: the text's end first, then each "<".
    const char* zero = (const char*)memchr(start, 0, (size_t)(end - start));
    if (zero) end = zero;
    for (at = (const char*)memchr(start, '<', (size_t)(end - start)); at;
         at = (const char*)memchr(at + 1, '<', (size_t)(end - at - 1))) {
        if (count == capacity || at - start > UINT16_MAX) {
            stop = at;
            goto full;
        }
        listPlace(&places[count++], start, at, end);
    }
#endif
    stop = end;
full:
    index->indexedEnd = stop;
    if (stop < end) {
        // The list is full: the text ends at its first zero byte still.
        const char* zero = (const char*)memchr(stop, 0, (size_t)(end - stop));
        if (zero) end = zero;
    }
    index->start = start;
    index->end = end;
    index->count = count;
    index->places = places;
    index->lastFound = places;
}

// The first listed "<" at or behind offset.
static int firstPlaceFrom(const TagIndex* index, size_t offset) {
    int low = 0;
    int high = index->count;
    while (low < high) {
        int middle = (low + high) / 2;
        if (index->places[middle].offset < offset)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

extern "C" void narrowTags(const TagIndex* index, const char* from, const char* to,
                           TagIndex* part) {
    int first = firstPlaceFrom(index, (size_t)(from - index->start));
    int behind = firstPlaceFrom(index, (size_t)(to - index->start));
    *part = *index;
    part->places = index->places + first;
    part->count = behind - first;
    part->lastFound = part->places;
}

extern "C" const char* findTag(const TagIndex* index, const char* from, const char* to,
                               const char* tag, size_t length) {
    if (length < 3) return findInText(from, to, tag, length);
    if (to - from < (ptrdiff_t)length) return 0;
    const char* last = to - length;  // the last place a match can start
    const size_t lastOffset = (size_t)(last - index->start);
    const uint16_t key = keyOf((unsigned char)tag[1], (unsigned char)tag[2]);

    const TagPlace* place = index->places;
    const TagPlace* placesEnd = place + index->count;
    if (place < placesEnd && index->start + place->offset < from) {
        // Most searches that do not start at the beginning look for a
        // closing tag behind the opening tag found last: the place behind
        // that is where to go on.
        const TagPlace* behind = index->lastFound + 1;
        if (behind > place && behind <= placesEnd && index->start + behind[-1].offset < from &&
            (behind == placesEnd || index->start + behind->offset >= from))
            place = behind;
        else
            place += firstPlaceFrom(index, (size_t)(from - index->start));
    }
    // Only places whose key matches are looked at further: the places run
    // in order, so the first of them behind `last` ends the search.
    for (; place < placesEnd; place++) {
        // Four places a step over the keys that differ: on the recorder
        // this walk is most of a search.
        while (placesEnd - place >= 4 && place[0].key != key && place[1].key != key &&
               place[2].key != key && place[3].key != key)
            place += 4;
        while (place < placesEnd && place->key != key) place++;
        if (place == placesEnd) break;
        if (place->offset > lastOffset) return 0;
        // Compared here rather than by memcmp: a call costs more than the
        // few bytes on the recorder.
        const char* at = index->start + place->offset;
        size_t same = 3;
        while (same < length && at[same] == tag[same]) same++;
        if (same == length) {
            index->lastFound = place;
            return at;
        }
    }
    if (index->indexedEnd > last) return 0;
    return findInText(from > index->indexedEnd ? from : index->indexedEnd, to, tag, length);
}
