#pragma once
// The built-in class table of the framework, group by group. It names classes
// of every part of the framework, so it sits above them all.
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
