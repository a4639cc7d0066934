#pragma once
// The built-in class table of the framework, group by group.
#include "dui/core/ISystemObjectRegister.h"

namespace DUI {

class SObjectDefaultRegister : public ISystemObjectRegister
{
public:
    void RegisterLayouts(SObjectFactoryMgr* registry) override;
    void RegisterSkins(SObjectFactoryMgr* registry) override;
    void RegisterWindows(SObjectFactoryMgr* registry) override;
    void RegisterInterpolators(SObjectFactoryMgr* registry) override;

};

} // namespace DUI
