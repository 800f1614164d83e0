#include "host/services/service_table.h"

#include <array>
#include <mutex>
#include <stdexcept>
#include <utility>

namespace {

// A global function is a plain function without a context argument, so each live table is bound
// to one of a fixed set of trampolines.
constexpr std::size_t MaxTables = 8;
std::array<ServiceTable *, MaxTables> boundTables{};
std::mutex bindingMutex;

template <std::size_t Slot>
void *Trampoline(const char *name, int useMode) {
    ServiceTable *table = boundTables[Slot];
    return table ? table->fetch(name, useMode) : nullptr;
}

template <std::size_t... Slots>
constexpr std::array<GlobalFunc *, MaxTables> MakeTrampolines(std::index_sequence<Slots...>) {
    return {&Trampoline<Slots>...};
}

constexpr auto trampolines = MakeTrampolines(std::make_index_sequence<MaxTables>{});

GlobalFunc *Bind(ServiceTable *table) {
    std::lock_guard<std::mutex> hold(bindingMutex);
    for (std::size_t slot = 0; slot < MaxTables; ++slot) {
        if (!boundTables[slot]) {
            boundTables[slot] = table;
            return trampolines[slot];
        }
    }
    throw std::runtime_error("too many service tables alive at once");
}

void Unbind(ServiceTable *table) {
    std::lock_guard<std::mutex> hold(bindingMutex);
    for (auto &bound : boundTables)
        if (bound == table) bound = nullptr;
}

}  // namespace

ServiceTable::ServiceTable() : globalFunc(Bind(this)) {}

ServiceTable::~ServiceTable() {
    Unbind(this);
}

void ServiceTable::provide(const std::string &name, void *record) {
    services[name].record = record;
}

void ServiceTable::switchOff(const std::string &name) {
    services[name].on = false;
}

void ServiceTable::switchOn(const std::string &name) {
    services[name].on = true;
}

void *ServiceTable::fetch(const char *name, int useMode) {
    if (!name) return nullptr;
    log.push_back({name, useMode});
    auto found = services.find(name);
    if (found == services.end() || !found->second.on) return nullptr;
    return found->second.record;
}
