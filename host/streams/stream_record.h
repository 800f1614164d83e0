// The host's save and load records share their shape: the mode, the stream, one function per
// value kind (raw, I1, I2, I4, U1, U2, U4, FP), then the string, id and block functions. Both
// streams build theirs here, so that the kinds stay in the records' order.
#pragma once

#include "host/streams/stream_values.h"

// `Values<kind, T>::call` carries the values of one kind, T being the C type of its slot.
template <typename Record, template <ValueKind, typename> class Values>
Record StreamRecord(int ioMode, void *stream, auto string, auto ident, auto block, auto endBlock) {
    return {ioMode,
            stream,
            Values<ValueKind::Raw, char>::call,
            Values<ValueKind::I1, char>::call,
            Values<ValueKind::I2, short>::call,
            Values<ValueKind::I4, int>::call,
            Values<ValueKind::U1, unsigned char>::call,
            Values<ValueKind::U2, unsigned short>::call,
            Values<ValueKind::U4, unsigned int>::call,
            Values<ValueKind::FP, float>::call,
            string,
            ident,
            block,
            endBlock};
}
