#pragma once
// Presents as the default presenter does and notes how long each
// presentation took, to tell drawing from putting the image on the screen.
#include "bench/support/BenchWindowEnv.h"
#include "dui/core/SHostPresenter.h"

namespace benchenv {

class TimedPresenter : public DUI::SHostPresenter
{
public:
    using DUI::SHostPresenter::SHostPresenter;
    void OnHostPresent(HDC dc, DUI::IPaintSurface* surface, const RECT& rc, BYTE alpha) override
    {
        const double t = NowMs();
        DUI::SHostPresenter::OnHostPresent(dc, surface, rc, alpha);
        spent += NowMs() - t;
        ++count;
    }
    // The time and count since the last call.
    double Take(int& presents)
    {
        const double t = spent;
        presents = count;
        spent = 0;
        count = 0;
        return t;
    }
    double Take()
    {
        int presents = 0;
        return Take(presents);
    }

private:
    double spent = 0;
    int count = 0;
};

} // namespace benchenv
