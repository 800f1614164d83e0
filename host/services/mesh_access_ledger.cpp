#include "host/services/mesh_access_ledger.h"

namespace {

void Add(MeshCallCounts &sum, const MeshCallCounts &calls) {
    for (std::size_t kind = 0; kind < MeshCallKinds; ++kind) sum[kind] += calls[kind];
}

}  // namespace

MeshAccessLedger::~MeshAccessLedger() {
    for (const Kept &kept : undestroyable) kept.release(kept.accessor);
}

void MeshAccessLedger::noteDestroyed(const MeshCallCounts &calls) {
    std::lock_guard<std::mutex> hold(guard);
    ++destroyed;
    Add(destroyedCalls, calls);
}

void MeshAccessLedger::keepUndestroyable(LWMeshInfo *accessor, const MeshCallCounts *calls,
                                         void (*release)(LWMeshInfo *)) {
    std::lock_guard<std::mutex> hold(guard);
    undestroyable.push_back({accessor, calls, release});
}

MeshAccessTotals MeshAccessLedger::totals() const {
    std::lock_guard<std::mutex> hold(guard);
    MeshAccessTotals totals;
    totals.obtained = obtained.load(std::memory_order_relaxed);
    totals.destroyed = destroyed;
    totals.calls = destroyedCalls;
    for (const Kept &kept : undestroyable) Add(totals.calls, *kept.calls);
    return totals;
}

void MeshAccessLedger::reset() {
    std::lock_guard<std::mutex> hold(guard);
    obtained.store(0, std::memory_order_relaxed);
    destroyed = 0;
    destroyedCalls = {};
    for (const Kept &kept : undestroyable) kept.release(kept.accessor);
    undestroyable.clear();
}
