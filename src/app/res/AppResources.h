// Resource names shared by the resource script and the code that loads them.
#pragma once

#define IDI_MAINICON 1
#define IDI_FORM2ICON 2
#define IDR_CREDITS 100
