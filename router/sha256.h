// SHA-256 (FIPS 180-4), for the router login's PBKDF2 response.  Not part
// of the router link's interface.
//
// Usage: Sha256Start, Sha256Add any number of times, Sha256Finish.  The
// context is a plain struct on the caller's stack; no memory is allocated.
// Sha256Block is the compression function alone, for callers that pad
// their own blocks (the PBKDF2 loop hashes fixed-size messages).
#ifndef STECKWART_ROUTER_SHA256_H
#define STECKWART_ROUTER_SHA256_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    Sha256DigestBytes = 32,
    Sha256BlockBytes = 64,
};

typedef struct {
    uint32_t state[8];
    uint64_t length;                    // bytes added so far
    uint8_t pending[Sha256BlockBytes];  // bytes of the block not yet complete
} Sha256Context;

void Sha256Start(Sha256Context* context);
void Sha256Add(Sha256Context* context, const void* data, size_t length);
// Pads, finishes and writes the 32-byte digest; the context is then spent.
void Sha256Finish(Sha256Context* context, uint8_t digest[Sha256DigestBytes]);

// Mixes one 64-byte block into state.
void Sha256Block(uint32_t state[8], const uint8_t block[Sha256BlockBytes]);
// The state's digest bytes (big-endian words).
void Sha256StateBytes(const uint32_t state[8], uint8_t digest[Sha256DigestBytes]);

#ifdef __cplusplus
}
#endif

#endif
