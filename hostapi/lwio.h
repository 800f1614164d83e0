// The host's block-structured save and load streams.
#pragma once

#include "hostapi/lwtypes.h"

constexpr int LWIO_BINARY = 0;
constexpr int LWIO_ASCII = 1;

extern "C" {

typedef struct st_LWBlockIdent {
    LWID id;
    const char *token;
} LWBlockIdent;

typedef struct st_LWSaveState {
    int ioMode;
    void *writeData;
    void (*write)(void *, const char *, int len);
    void (*writeI1)(void *, const char *, int n);
    void (*writeI2)(void *, const short *, int n);
    void (*writeI4)(void *, const int *, int n);
    void (*writeU1)(void *, const unsigned char *, int n);
    void (*writeU2)(void *, const unsigned short *, int n);
    void (*writeU4)(void *, const unsigned int *, int n);
    void (*writeFP)(void *, const float *, int n);
    void (*writeStr)(void *, const char *);
    void (*writeID)(void *, const LWBlockIdent *);
    void (*beginBlk)(void *, const LWBlockIdent *, int leaf);
    void (*endBlk)(void *);
} LWSaveState;

typedef struct st_LWLoadState {
    int ioMode;
    void *readData;
    int (*read)(void *, char *, int len);
    int (*readI1)(void *, char *, int n);
    int (*readI2)(void *, short *, int n);
    int (*readI4)(void *, int *, int n);
    int (*readU1)(void *, unsigned char *, int n);
    int (*readU2)(void *, unsigned short *, int n);
    int (*readU4)(void *, unsigned int *, int n);
    int (*readFP)(void *, float *, int n);
    int (*readStr)(void *, char *, int max);
    LWID (*readID)(void *, const LWBlockIdent *);
    LWID (*findBlk)(void *, const LWBlockIdent *);
    void (*endBlk)(void *);
} LWLoadState;

}  // extern "C"
