#pragma once
// Registers the framework's built-in classes into a class registry; the
// application calls the four groups in this order when it is made.
namespace DUI {

class SObjectFactoryMgr;

struct ISystemObjectRegister
{
    virtual void RegisterLayouts(SObjectFactoryMgr* registry) = 0;
    virtual void RegisterSkins(SObjectFactoryMgr* registry) = 0;
    virtual void RegisterWindows(SObjectFactoryMgr* registry) = 0;
    virtual void RegisterInterpolators(SObjectFactoryMgr* registry) = 0;

protected:
    ~ISystemObjectRegister() = default;
};

} // namespace DUI
