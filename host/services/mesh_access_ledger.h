// What the module did with the stand-in host's mesh accessors: how many it obtained and
// destroyed, and how often it called each accessor function. Safe to use from several threads.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <vector>

#include "host/non_copyable.h"
#include "hostapi/lwmeshes.h"

enum class MeshCall {
    numPoints,
    numPolygons,
    scanPoints,
    scanPolys,
    pntBasePos,
    pntOtherPos,
    pntVLookup,
    pntVSelect,
    pntVGet,
    polType,
    polSize,
    polVertex,
    polTag,
};
constexpr std::size_t MeshCallKinds = static_cast<std::size_t>(MeshCall::polTag) + 1;

using MeshCallCounts = std::array<long, MeshCallKinds>;

struct MeshAccessTotals {
    long obtained = 0;
    long destroyed = 0;
    MeshCallCounts calls{};

    long operator[](MeshCall call) const { return calls[static_cast<std::size_t>(call)]; }
};

class MeshAccessLedger : NonCopyable {
  public:
    MeshAccessLedger() = default;
    ~MeshAccessLedger();

    void noteObtained() { obtained.fetch_add(1, std::memory_order_relaxed); }
    // Accessors count their own calls and hand the counts over when they are destroyed, so that
    // threads never share a counter per call.
    void noteDestroyed(const MeshCallCounts &calls);
    // An accessor the module cannot destroy (it has no destroy function): the ledger frees it
    // when the ledger goes, and reads its counts meanwhile.
    void keepUndestroyable(LWMeshInfo *accessor, const MeshCallCounts *calls,
                           void (*release)(LWMeshInfo *));

    // Exact once no accessor is in use.
    MeshAccessTotals totals() const;
    void reset();

  private:
    std::atomic<long> obtained{0};
    mutable std::mutex guard;
    long destroyed = 0;
    MeshCallCounts destroyedCalls{};
    struct Kept {
        LWMeshInfo *accessor;
        const MeshCallCounts *calls;
        void (*release)(LWMeshInfo *);
    };
    std::vector<Kept> undestroyable;
};
