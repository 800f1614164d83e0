#include "sets/finished_proposal.h"

#include "sets/set_joining.h"
#include "sets/sets_per_surface.h"
#include "sets/shared_angles.h"

void FinishProposal(const MeshData &mesh, const ModuleNeighbourhood &neighbourhood,
                    SetProposal &proposal) {
    ShareAnglesChangingNoNormal(mesh, neighbourhood, proposal);
    JoinSetsChangingNoNormal(mesh, neighbourhood, proposal);
    LeaveSmallestSetsToHost(mesh, proposal);
    NameSetsBySurface(mesh, proposal);
}
