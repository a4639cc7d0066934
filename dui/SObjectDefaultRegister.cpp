#include "dui/SObjectDefaultRegister.h"

#include "dui/control/SAnimateImgWnd.h"
#include "dui/control/SButton.h"
#include "dui/control/SCaption.h"
#include "dui/control/SCheckBox.h"
#include "dui/control/SEdit.h"
#include "dui/control/SGroup.h"
#include "dui/control/SHeaderCtrl.h"
#include "dui/control/SIconWnd.h"
#include "dui/control/SImageButton.h"
#include "dui/control/SImageWnd.h"
#include "dui/control/SLine.h"
#include "dui/control/SLink.h"
#include "dui/control/SMCListView.h"
#include "dui/control/SListView.h"
#include "dui/control/SPanel.h"
#include "dui/control/SProgress.h"
#include "dui/control/SRadioBox.h"
#include "dui/control/SRichEdit.h"
#include "dui/control/SScrollBar.h"
#include "dui/control/SScrollView.h"
#include "dui/control/SSliderBar.h"
#include "dui/control/SStatic.h"
#include "dui/control/STabCtrl.h"
#include "dui/control/STabPage.h"
#include "dui/control/SToggle.h"
#include "dui/core/AnchorLayout.h"
#include "dui/core/SGridLayout.h"
#include "dui/core/SInterpolators.h"
#include "dui/core/SLinearLayout.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/core/SWindow.h"
#include "dui/res.mgr/SSkinButton.h"
#include "dui/res.mgr/SSkinColorRect.h"
#include "dui/res.mgr/SSkinGradation.h"
#include "dui/res.mgr/SSkinGroup.h"
#include "dui/res.mgr/SSkinImgCenter.h"
#include "dui/res.mgr/SSkinImgFrame.h"
#include "dui/res.mgr/SSkinScrollbar.h"
#include "dui/res.mgr/SSkinShape.h"

namespace DUI {

// Each group registers its classes in table order with replace FALSE, so a
// class the program registered under the same key first would stay.
// Windows join their group as their classes are written.
void SObjectDefaultRegister::RegisterLayouts(SObjectFactoryMgr* registry)
{
    registry->TplRegisterFactory<AnchorLayout>();
    registry->TplRegisterFactory<SLinearLayout>();
    registry->TplRegisterFactory<SHBox>();
    registry->TplRegisterFactory<SVBox>();
    registry->TplRegisterFactory<SGridLayout>();
}

void SObjectDefaultRegister::RegisterSkins(SObjectFactoryMgr* registry)
{
    registry->TplRegisterFactory<SSkinImgList>();
    registry->TplRegisterFactory<SSkinImgFrame>();
    registry->TplRegisterFactory<SSkinImgFrame2>();
    registry->TplRegisterFactory<SSkinImgCenter>();
    registry->TplRegisterFactory<SSkinScrollbar>();
    registry->TplRegisterFactory<SSkinButton>();
    registry->TplRegisterFactory<SSkinColorRect>();
    registry->TplRegisterFactory<SSkinGradation>();
    registry->TplRegisterFactory<SSkinShape>();
    registry->TplRegisterFactory<SSKinGroup>();
}

void SObjectDefaultRegister::RegisterWindows(SObjectFactoryMgr* registry)
{
    registry->TplRegisterFactory<SWindow>();
    registry->TplRegisterFactory<SPanel>();
    registry->TplRegisterFactory<SStatic>();
    registry->TplRegisterFactory<SButton>();
    registry->TplRegisterFactory<SImageWnd>();
    registry->TplRegisterFactory<SProgress>();
    registry->TplRegisterFactory<SImageButton>();
    registry->TplRegisterFactory<SLine>();
    registry->TplRegisterFactory<SCheckBox>();
    registry->TplRegisterFactory<SIconWnd>();
    registry->TplRegisterFactory<SRadioBox>();
    registry->TplRegisterFactory<SLink>();
    registry->TplRegisterFactory<SGroup>();
    registry->TplRegisterFactory<SAnimateImgWnd>();
    registry->TplRegisterFactory<SScrollView>();
    registry->TplRegisterFactory<SToggle>();
    registry->TplRegisterFactory<SCaption>();
    registry->TplRegisterFactory<STabCtrl>();
    registry->TplRegisterFactory<STabPage>();
    registry->TplRegisterFactory<SSliderBar>();
    registry->TplRegisterFactory<SScrollBar>();
    registry->TplRegisterFactory<SHeaderCtrl>();
    registry->TplRegisterFactory<SRichEdit>();
    registry->TplRegisterFactory<SEdit>();
    registry->TplRegisterFactory<SListView>();
    registry->TplRegisterFactory<SMCListView>();
}

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
