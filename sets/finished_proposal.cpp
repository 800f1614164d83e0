#include "sets/finished_proposal.h"

#include "sets/set_joining.h"
#include "sets/sets_per_surface.h"
#include "sets/shared_angles.h"

void FinishProposal(const MeshData &mesh, SetProposal &proposal) {
    ShareAnglesChangingNoNormal(mesh, proposal);
    JoinSetsChangingNoNormal(mesh, proposal);
    LeaveSmallestSetsToHost(mesh, proposal);
    NameSetsBySurface(mesh, proposal);
}
