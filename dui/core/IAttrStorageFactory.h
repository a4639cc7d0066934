#pragma once
// Makes the store in which a window records the attributes applied to it,
// for reading them back later. This program installs none, so windows keep
// no such record.
#include "dui/core/base/IObjRef.h"

namespace DUI {

struct IAttrStorageFactory : IObjRef
{
protected:
    virtual ~IAttrStorageFactory() = default;
};

} // namespace DUI
