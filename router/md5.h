// MD5 message digest (RFC 1321), for the router login's response digest.
// Not part of the router link's interface.
//
// Usage: Md5Start, Md5Add any number of times, Md5Finish.  The context is a
// plain struct on the caller's stack; no memory is allocated.
#ifndef STECKWART_ROUTER_MD5_H
#define STECKWART_ROUTER_MD5_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
    uint32_t state[4];
    uint64_t length;      // bytes added so far
    uint8_t pending[64];  // bytes of the block not yet complete
} Md5Context;

enum { Md5DigestBytes = 16 };

void Md5Start(Md5Context* context);
void Md5Add(Md5Context* context, const void* data, size_t length);
// Pads, finishes and writes the 16-byte digest; the context is then spent.
void Md5Finish(Md5Context* context, uint8_t digest[Md5DigestBytes]);

#ifdef __cplusplus
}
#endif

#endif
