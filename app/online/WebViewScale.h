#pragma once
// The system scale the web views convert with: the screen's horizontal
// logical DPI x 100 / 96, computed once at start-up.
int SystemScale();
void SetSystemScale(int percent);
// Reads the screen's DPI and keeps the scale; returns it.
int ComputeSystemScale();
