#include "host/session/instance_stream.h"

#include <stdexcept>
#include <string>

#include "host/streams/stream_file.h"

void LoadInstance(HostSession &session, LWInstance instance, LoadStream &stream) {
    LWError error = session.handler().inst->load(instance, stream.state());
    if (error) throw std::runtime_error(std::string("the shader could not load: ") + error);
}

std::vector<unsigned char> SavedBytes(HostSession &session, LWInstance instance, int ioMode) {
    auto stream = MakeSaveStream(ioMode);
    LWError error = session.handler().inst->save(instance, stream->state());
    if (error) throw std::runtime_error(std::string("the shader could not save: ") + error);
    return stream->bytes();
}
