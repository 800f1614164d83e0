// The chunk, sub-chunk and tag ids of LWO2 object files that the reader and writer handle, and
// the form type of the LWO3 objects they are converted from.
#pragma once

#include "hostapi/lwtypes.h"

constexpr LWID kFormId = LWID_('F', 'O', 'R', 'M');
constexpr LWID kLwo2Id = LWID_('L', 'W', 'O', '2');
constexpr LWID kLwo3Id = LWID_('L', 'W', 'O', '3');
constexpr LWID kTagsId = LWID_('T', 'A', 'G', 'S');
constexpr LWID kLayrId = LWID_('L', 'A', 'Y', 'R');
constexpr LWID kPntsId = LWID_('P', 'N', 'T', 'S');
constexpr LWID kPolsId = LWID_('P', 'O', 'L', 'S');
constexpr LWID kPtagId = LWID_('P', 'T', 'A', 'G');
constexpr LWID kVmapId = LWID_('V', 'M', 'A', 'P');
constexpr LWID kVmadId = LWID_('V', 'M', 'A', 'D');
constexpr LWID kTxuvId = LWID_('T', 'X', 'U', 'V');  // vertex map types
constexpr LWID kNormId = LWID_('N', 'O', 'R', 'M');
constexpr LWID kSurfId = LWID_('S', 'U', 'R', 'F');
constexpr LWID kPartId = LWID_('P', 'A', 'R', 'T');
constexpr LWID kFaceId = LWID_('F', 'A', 'C', 'E');
constexpr LWID kBlokId = LWID_('B', 'L', 'O', 'K');
constexpr LWID kShdrId = LWID_('S', 'H', 'D', 'R');
constexpr LWID kEnabId = LWID_('E', 'N', 'A', 'B');
constexpr LWID kFuncId = LWID_('F', 'U', 'N', 'C');
constexpr LWID kSmanId = LWID_('S', 'M', 'A', 'N');
constexpr LWID kColrId = LWID_('C', 'O', 'L', 'R');
