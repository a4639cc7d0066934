#pragma once
// An HTTP GET; the base's steps do all of it.
#include "app/core/CCurlHttpBase.h"

class CCurlHttpQuery : public CCurlHttpBase {
public:
    using CCurlHttpBase::CCurlHttpBase;
};
