#include "dui/core/SObjectDefaultRegister.h"

#include "dui/core/SInterpolators.h"
#include "dui/core/SObjectFactoryMgr.h"

namespace DUI {

// Each group registers its classes in table order with replace FALSE, so a
// class the program registered under the same key first would stay.
// Layouts, skins and windows join their groups as their classes are written.
void SObjectDefaultRegister::RegisterLayouts(SObjectFactoryMgr*) {}

void SObjectDefaultRegister::RegisterSkins(SObjectFactoryMgr*) {}

void SObjectDefaultRegister::RegisterWindows(SObjectFactoryMgr*) {}

void SObjectDefaultRegister::RegisterInterpolators(SObjectFactoryMgr* registry)
{
    registry->TplRegisterFactory<SLinearInterpolator>();
    registry->TplRegisterFactory<SAccelerateInterpolator>();
    registry->TplRegisterFactory<SDecelerateInterpolator>();
    registry->TplRegisterFactory<SAccelerateDecelerateInterpolator>();
    registry->TplRegisterFactory<SAnticipateInterpolator>();
    registry->TplRegisterFactory<SAnticipateOvershootInterpolator>();
    registry->TplRegisterFactory<SBounceInterpolator>();
    registry->TplRegisterFactory<SCycleInterpolator>();
    registry->TplRegisterFactory<SOvershootInterpolator>();
}

} // namespace DUI
