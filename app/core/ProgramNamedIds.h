#pragma once
// The program's own table of control names and ids, installed once at
// start-up before any window is made; the code refers to some ids directly.
#include "dui/core/base/SNamedID.h"

const DUI::NamedIdRecord* GetProgramNamedIds(int* count);
