#pragma once
// This machine's code for the service: the upper-case hex MD5 of the
// computer name and the serial number of the system drive's volume.
#include <string>

std::wstring OrvikMachineCode();
