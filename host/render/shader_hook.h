// The seam where a shader module takes part in a render: its handler record and the instance
// the host made for a surface. The renderer drives them as the host does: `init` and `newTime`
// of each instance before the first sample, `evaluate` per sample on many threads, `cleanup`
// after the last.
#pragma once

#include <map>
#include <string>

#include "host/non_copyable.h"
#include "hostapi/lwhandler.h"

namespace render {

struct ShaderHook {
    const LWShaderHandler *handler = nullptr;  // `evaluate` is called; `rend` when present
    LWInstance instance = nullptr;
};

// By surface name. A surface without a hook is shaded by the host alone.
using ShaderHooks = std::map<std::string, ShaderHook>;

// Runs `init` (render mode) and `newTime` (frame 0, time 0) of every instance on construction
// and `cleanup` of every started instance on destruction. An instance used by several surfaces
// is started once. A shader's error text is thrown as std::runtime_error naming the surface,
// after the instances started so far are cleaned up.
class ShaderPass : NonCopyable {
  public:
    explicit ShaderPass(const ShaderHooks &hooks);
    ~ShaderPass();

  private:
    void cleanupStarted();
    std::map<LWInstance, const LWShaderHandler *> started;
};

}  // namespace render
