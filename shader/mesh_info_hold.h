// Holds a mesh accessor for one operation and releases it on every path out, through its destroy
// function when the host gave it one.
#pragma once

#include "hostapi/lwservices.h"

class MeshInfoHold {
  public:
    // Asks the object-info service for a frozen accessor of `object`; the hold may stay empty.
    MeshInfoHold(const LWObjectInfo &objectInfo, LWItemID object)
        : accessor(objectInfo.meshInfo ? objectInfo.meshInfo(object, 1) : nullptr) {}
    ~MeshInfoHold() {
        if (accessor && accessor->destroy) accessor->destroy(accessor);
    }
    MeshInfoHold(const MeshInfoHold &) = delete;
    MeshInfoHold &operator=(const MeshInfoHold &) = delete;

    explicit operator bool() const { return accessor != nullptr; }
    LWMeshInfo &operator*() const { return *accessor; }

  private:
    LWMeshInfo *accessor;
};
